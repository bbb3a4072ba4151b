#include "readings/reading_list.h"

#include <QCollator>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <numeric>

#include "exchange/roster_export.h"
#include "readings/reading_forms.h"
#include "roster/roster_file.h"

bool ReadingList::load(QString *reason)
{
    m_entries.clear();
    m_file = ReadingFile::load();
    if (QFileInfo::exists(RosterFile::fileName())) {
        const std::optional<RosterEntries> roster =
            readRosterEntries(RosterFile::fileName(), reason);
        if (!roster)
            return false;
        m_entries.reserve(roster->entries.size());
        for (const ExchangeEntry &slot : roster->entries) {
            ReadingEntry entry{slot.number, slot.name, slot.tell, slot.mail, {}, ReadingKind::None};
            takeReading(entry);
            m_entries.append(entry);
        }
    }
    QList<int> all(m_entries.size());
    std::iota(all.begin(), all.end(), 0);
    m_keys.assign(std::size_t(m_entries.size()), Keys());
    makeKeys(all);
    sortByReading();
    return true;
}

void ReadingList::takeReading(ReadingEntry &entry)
{
    entry.reading = m_file.reading(entry.number, entry.name);
    entry.kind = ReadingKind::Confirmed;
    if (!entry.reading.isEmpty())
        return;
    if (ReadingForms::isOwnReading(entry.name)) {
        entry.reading = ReadingForms::normalised(entry.name);
        entry.kind = ReadingKind::Own;
        return;
    }
    entry.reading = m_guesser.guess(entry.name);
    entry.kind = entry.reading.isEmpty() ? ReadingKind::None : ReadingKind::Guessed;
}

void ReadingList::makeKeys(const QList<int> &positions)
{
    QStringList kana;
    kana.reserve(positions.size());
    for (const int position : positions) {
        const ReadingEntry &entry = m_entries.at(position);
        Keys &keys = m_keys[std::size_t(position)];
        keys.name = ReadingForms::searchKey(entry.name);
        keys.kana = ReadingForms::kanaKey(entry.reading);
        keys.digits = ReadingForms::digitsKey(entry.tell);
        keys.mail = ReadingForms::searchKey(entry.mail);
        kana.append(keys.kana);
    }
    const QStringList latin = ReadingForms::latin(kana);
    for (qsizetype i = 0; i < positions.size(); ++i)
        m_keys[std::size_t(positions.at(i))].romaji = ReadingForms::romajiKey(latin.at(i));
}

void ReadingList::sortByReading()
{
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    m_sortKeys.clear();
    m_sortKeys.reserve(std::size_t(m_entries.size()));
    for (const ReadingEntry &entry : std::as_const(m_entries))
        m_sortKeys.push_back(collator.sortKey(entry.reading.isEmpty() ? entry.name : entry.reading));
    m_readingOrder = ordered(Order::Number);
    // Stable, so that entries read alike stay in number order.
    std::stable_sort(m_readingOrder.begin(), m_readingOrder.end(), [this](int a, int b) {
        return m_sortKeys[std::size_t(a)].compare(m_sortKeys[std::size_t(b)]) < 0;
    });
}

QList<int> ReadingList::ordered(Order order) const
{
    if (order == Order::Reading)
        return m_readingOrder;
    // The roster lists its slots in number order already.
    QList<int> positions(m_entries.size());
    std::iota(positions.begin(), positions.end(), 0);
    return positions;
}

QList<int> ReadingList::matching(const QList<int> &positions, QStringView search) const
{
    const QString key = ReadingForms::searchKey(search).trimmed();
    if (key.isEmpty())
        return positions;
    const QString kana = ReadingForms::kanaKey(key);
    const QString romaji = ReadingForms::romajiKey(key);
    QString digits = key;
    digits.remove(u'-').remove(u' ');
    const bool isTelephone = std::all_of(digits.cbegin(), digits.cend(),
                                         [](QChar c) { return c >= u'0' && c <= u'9'; });
    QList<int> matches;
    for (const int position : positions) {
        const Keys &keys = m_keys[std::size_t(position)];
        if (keys.name.contains(key) || keys.mail.contains(key)
            || (!kana.isEmpty() && keys.kana.contains(kana))
            || (!romaji.isEmpty() && keys.romaji.contains(romaji))
            || (isTelephone && keys.digits.contains(digits)))
            matches.append(position);
    }
    return matches;
}

int ReadingList::indexRow(int position) const
{
    const ReadingEntry &entry = m_entries.at(position);
    return ReadingForms::indexRow(entry.reading.isEmpty() ? entry.name : entry.reading);
}

ReadingList::Confirmation ReadingList::confirm(int position, QStringView reading, RosterFile &roster, QString *reason)
{
    return confirmAll({position}, {reading.toString()}, roster, reason);
}

ReadingList::Confirmation ReadingList::confirmAll(const QList<int> &positions, const QStringList &readings,
                             RosterFile &roster, QString *reason)
{
    ReadingFile changed = m_file;
    for (qsizetype i = 0; i < positions.size(); ++i) {
        const ReadingEntry &entry = m_entries.at(positions.at(i));
        if (!changed.setReading(entry.number, entry.name, readings.at(i)))
            return Confirmation::NotKept;
    }
    if (!changed.write(roster, reason))
        return Confirmation::NotWritten;
    m_file = changed;
    for (const int position : positions)
        takeReading(m_entries[position]);
    makeKeys(positions);
    sortByReading();
    return Confirmation::Confirmed;
}
