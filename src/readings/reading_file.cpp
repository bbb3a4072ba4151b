#include "readings/reading_file.h"

#include <QFile>
#include <QList>
#include <QStringDecoder>

#include <algorithm>

#include "platform/ordinary_file.h"
#include "platform/whole_file_write.h"
#include "readings/reading_forms.h"
#include "roster/meibo_record.h"
#include "roster/roster_file.h"

using namespace Qt::StringLiterals;

namespace {

// Far above what 32767 slots need; a larger file is not ours.
constexpr qint64 largestFile = 16 * 1024 * 1024;
constexpr qsizetype longestReading = 200;

bool fitsLine(QStringView text)
{
    return !text.contains(u'\n') && !text.contains(u'\r');
}

} // namespace

QString ReadingFile::fileName()
{
    return u"yomi.txt"_s;
}

ReadingFile ReadingFile::load()
{
    QFile file(fileName());
    if (openOrdinaryFile(file, QIODevice::ReadOnly) != OrdinaryOpen::Opened ||
        file.size() > largestFile)
        return {};
    const QByteArray bytes = file.read(largestFile);
    if (file.error() != QFileDevice::NoError)
        return {};
    return fromBytes(bytes);
}

ReadingFile ReadingFile::fromBytes(QByteArrayView bytes)
{
    ReadingFile readings;
    for (const QByteArray &line : bytes.toByteArray().split('\n')) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(line.endsWith('\r') ? line.chopped(1) : line);
        if (decoder.hasError())
            continue;
        // The name may hold a tab; the number comes first and the reading last.
        const qsizetype first = text.indexOf(u'\t');
        const qsizetype last = text.lastIndexOf(u'\t');
        if (first <= 0 || last == first)
            continue;
        bool isNumber = false;
        const int slot = QStringView(text).first(first).toInt(&isNumber);
        if (!isNumber || slot < RosterFile::firstSlot || slot > RosterFile::lastSlot)
            continue;
        readings.setReading(slot, QStringView(text).sliced(first + 1, last - first - 1),
                            QStringView(text).sliced(last + 1));
    }
    return readings;
}

QString ReadingFile::reading(std::int32_t slot, QStringView storedName) const
{
    const auto line = m_lines.constFind(slot);
    return line != m_lines.cend() && line->name == storedName ? line->reading : QString();
}

bool ReadingFile::setReading(std::int32_t slot, QStringView storedName, QStringView reading)
{
    const QString normalised = ReadingForms::normalised(reading);
    if (slot < RosterFile::firstSlot || slot > RosterFile::lastSlot || storedName.isEmpty() ||
        !fitsLine(storedName) || normalised.size() > longestReading)
        return false;
    if (normalised.isEmpty())
        m_lines.remove(slot);
    else
        m_lines.insert(slot, {storedName.toString(), normalised});
    return true;
}

std::optional<QByteArray> ReadingFile::toBytes(RosterFile &roster) const
{
    QList<std::int32_t> numbers = m_lines.keys();
    std::sort(numbers.begin(), numbers.end());
    QHash<std::int32_t, QString> names;
    const bool read =
        numbers.isEmpty() ||
        roster.readLeadingSlots(numbers.back(), [&](std::int32_t n, QByteArrayView bytes) {
            if (m_lines.contains(n))
                names.insert(n,
                             MeiboRecord::trimmedFieldFromBytes(bytes, MeiboRecord::Field::Namae));
        });
    if (!read)
        return std::nullopt;
    QByteArray bytes;
    for (const std::int32_t slot : numbers) {
        const Line &line = m_lines[slot];
        if (names.value(slot) == line.name)
            bytes += QByteArray::number(slot) + '\t' + line.name.toUtf8() + '\t' +
                     line.reading.toUtf8() + '\n';
    }
    return bytes;
}

bool ReadingFile::write(RosterFile &roster, QString *reason) const
{
    if (!roster.isOpen()) {
        if (reason)
            *reason = u"roster not open"_s;
        return false;
    }
    const std::optional<QByteArray> bytes = toBytes(roster);
    if (!bytes) {
        if (reason)
            *reason = roster.errorString();
        return false;
    }
    return writeWholeFile(fileName(), *bytes, reason);
}
