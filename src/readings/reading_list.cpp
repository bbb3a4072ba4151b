#include "readings/reading_list.h"

#include <QCollator>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <numeric>

#include "platform/ordinary_file.h"
#include "readings/reading_forms.h"
#include "roster/meibo_record.h"
#include "roster/roster_file.h"

namespace {

constexpr QChar separator = u'\n';

} // namespace

bool ReadingList::load(QString *reason)
{
    m_entries.clear();
    m_file = ReadingFile::load();
    QFile roster(RosterFile::fileName());
    // Read only, and only the three fields shown: a full roster is 14 MB, mostly memos and paths.
    if (roster.exists()) {
        if (openOrdinaryFile(roster, QIODevice::ReadOnly) != OrdinaryOpen::Opened) {
            *reason = roster.errorString();
            return false;
        }
        m_entries.reserve(
            qMin<qint64>(roster.size() / MeiboRecord::byteSize + 1, RosterFile::lastSlot));
        constexpr qint64 slotsPerRead = 256;
        std::int32_t number = 0;
        while (number < RosterFile::lastSlot) {
            const QByteArray bytes = roster.read(slotsPerRead * MeiboRecord::byteSize);
            if (roster.error() != QFileDevice::NoError) {
                *reason = roster.errorString();
                return false;
            }
            for (qsizetype at = 0; at < bytes.size() && number < RosterFile::lastSlot;
                 at += MeiboRecord::byteSize)
                addEntry(++number, QByteArrayView(bytes).sliced(at).first(
                                       qMin<qsizetype>(MeiboRecord::byteSize, bytes.size() - at)));
            if (bytes.size() < slotsPerRead * MeiboRecord::byteSize)
                break;
        }
    }
    // The dictionary's pages leave memory before the keys and the order take theirs.
    m_guesser.release();
    sortByReading();
    QList<int> all(m_entries.size());
    std::iota(all.begin(), all.end(), 0);
    m_haystacks.assign(std::size_t(m_entries.size()), QString());
    makeKeys(all);
    return true;
}

void ReadingList::addEntry(std::int32_t number, QByteArrayView bytes)
{
    // Spaces and the zero bytes of a never-written stretch alone: a blank slot.
    if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return b == ' ' || b == '\0'; }))
        return;
    using Field = MeiboRecord::Field;
    ReadingEntry entry{number,
                       MeiboRecord::trimmedFieldFromBytes(bytes, Field::Namae),
                       MeiboRecord::trimmedFieldFromBytes(bytes, Field::Tell),
                       MeiboRecord::trimmedFieldFromBytes(bytes, Field::Mail),
                       {},
                       ReadingKind::None};
    takeReading(entry);
    m_entries.append(std::move(entry));
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
    for (const int position : positions) {
        const ReadingEntry &entry = m_entries.at(position);
        const QString kana = ReadingForms::kanaKey(entry.reading);
        m_haystacks[std::size_t(position)] =
            ReadingForms::searchKey(entry.name) + separator + ReadingForms::searchKey(entry.mail) +
            separator + kana + separator + ReadingForms::romajiKey(ReadingForms::latin(kana)) +
            separator + ReadingForms::digitsKey(entry.tell);
    }
}

void ReadingList::sortByReading()
{
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    // Made for each sort and dropped after it: they take as much room as the entries.
    std::vector<QCollatorSortKey> sortKeys;
    sortKeys.reserve(std::size_t(m_entries.size()));
    for (const ReadingEntry &entry : std::as_const(m_entries))
        sortKeys.push_back(collator.sortKey(entry.reading.isEmpty() ? entry.name : entry.reading));
    m_readingOrder = ordered(Order::Number);
    // Stable, so that entries read alike stay in number order.
    std::stable_sort(m_readingOrder.begin(), m_readingOrder.end(), [&sortKeys](int a, int b) {
        return sortKeys[std::size_t(a)].compare(sortKeys[std::size_t(b)]) < 0;
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
    QString key = ReadingForms::searchKey(search).trimmed();
    key.remove(separator);
    if (key.isEmpty())
        return positions;
    const QString kana = ReadingForms::kanaKey(key);
    const QString romaji = ReadingForms::romajiKey(key);
    QString digits = key;
    digits.remove(u'-').remove(u' ');
    const bool isTelephone =
        !digits.isEmpty() &&
        std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    QList<int> matches;
    for (const int position : positions) {
        const QString &haystack = m_haystacks[std::size_t(position)];
        if (haystack.contains(key) || (!kana.isEmpty() && haystack.contains(kana)) ||
            (!romaji.isEmpty() && haystack.contains(romaji)) ||
            (isTelephone && haystack.contains(digits)))
            matches.append(position);
    }
    return matches;
}

int ReadingList::indexRow(int position) const
{
    const ReadingEntry &entry = m_entries.at(position);
    return ReadingForms::indexRow(entry.reading.isEmpty() ? entry.name : entry.reading);
}

ReadingList::Confirmation ReadingList::confirm(int position, QStringView reading,
                                               RosterFile &roster, QString *reason)
{
    return confirmAll({position}, {reading.toString()}, roster, reason);
}

ReadingList::Confirmation ReadingList::confirmAll(const QList<int> &positions,
                                                  const QStringList &readings, RosterFile &roster,
                                                  QString *reason)
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
