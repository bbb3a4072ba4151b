#include "settings/settings_file.h"

#include <QFile>
#include <QRegularExpression>

#include <optional>
#include <string>

#include "platform/code_page.h"
#include "platform/file_kind.h"
#include "platform/ordinary_file.h"
#include "platform/whole_file_write.h"
#include "settings/settings_values.h"

using namespace Qt::StringLiterals;

namespace {

qsizetype lineEnd(const QByteArray &piece)
{
    for (qsizetype i = 0; i < piece.size(); ++i) {
        if (piece.at(i) == '\r' || piece.at(i) == '\n')
            return i;
    }
    return -1;
}

// The first line's bytes, read in pieces so that a huge file costs no more than its first line.
// A CR or an LF alone ends the line as well as CR LF does.
std::optional<QByteArray> readFirstLine(QFile &file)
{
    constexpr qint64 pieceSize = 64 * 1024;
    QByteArray line;
    while (true) {
        const QByteArray piece = file.read(pieceSize);
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
        const qsizetype end = lineEnd(piece);
        if (end >= 0)
            return line + piece.first(end);
        line += piece;
        if (piece.size() < pieceSize)
            return line;
    }
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// One comma-separated field from position at; moves at past the field and its comma.
// Nothing when the line ends before the field begins.
std::optional<QString> nextField(QStringView line, qsizetype &at)
{
    if (at > line.size())
        return std::nullopt;
    while (at < line.size() && isBlank(line.at(at)))
        ++at;
    QString value;
    if (at < line.size() && line.at(at) == u'"') {
        const qsizetype close = line.indexOf(u'"', at + 1);
        const qsizetype valueEnd = close >= 0 ? close : line.size();
        value = line.sliced(at + 1, valueEnd - at - 1).toString();
        at = valueEnd;
    } else {
        const qsizetype comma = line.indexOf(u',', at);
        const qsizetype valueEnd = comma >= 0 ? comma : line.size();
        qsizetype trimmedEnd = valueEnd;
        while (trimmedEnd > at && isBlank(line.at(trimmedEnd - 1)))
            --trimmedEnd;
        value = line.sliced(at, trimmedEnd - at).toString();
        at = valueEnd;
    }
    const qsizetype comma = line.indexOf(u',', at);
    // Past the line's end marks that no further field follows.
    at = comma >= 0 ? comma + 1 : line.size() + 1;
    return value;
}

std::optional<std::int16_t> wholeNumber(const QString &field)
{
    static const QRegularExpression pattern(u"\\A[+-]?[0-9]+\\z"_s);
    if (!pattern.match(field).hasMatch())
        return std::nullopt;
    bool ok = false;
    const int value = field.toInt(&ok);
    if (!ok || value < INT16_MIN || value > INT16_MAX)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

} // namespace

QString SettingsFile::fileName()
{
    return u"settei.ini"_s;
}

bool SettingsFile::isUsable()
{
    return !isSpecialFile(fileName());
}

bool ReadSettingsFile(SettingsValues &values)
{
    QFile file(SettingsFile::fileName());
    if (!SettingsFile::isUsable()
        || openOrdinaryFile(file, QIODevice::ReadOnly) != OrdinaryOpen::Opened)
        return false;
    const std::optional<QByteArray> bytes = readFirstLine(file);
    file.close();
    if (!bytes)
        return false;
    const QString line = QString::fromStdU16String(
        CodePage932::toUnicode(std::string_view(bytes->constData(), bytes->size())));
    qsizetype at = 0;
    const std::optional<QString> first = nextField(line, at);
    if (!first)
        return false;
    const std::optional<std::int16_t> maxEntries = wholeNumber(*first);
    if (!maxEntries)
        return false;
    values.MaxEntries = *maxEntries;
    const std::optional<QString> second = nextField(line, at);
    if (!second)
        return false;
    values.OwnerName = *second;
    return true;
}

bool WriteSettingsFile(const SettingsValues &values, QString *reason)
{
    const QString name = values.OwnerName;
    std::string line = std::to_string(values.MaxEntries) + ",\"";
    line += CodePage932::fromUnicode(
        std::u16string_view(reinterpret_cast<const char16_t *>(name.utf16()), name.size()));
    line += "\"\r\n";
    // The user may own the file but not the folder, which then takes no file written aside.
    return writeWholeFile(SettingsFile::fileName(), QByteArray::fromStdString(line), reason,
                          InPlaceFallback::Yes);
}
