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

// Hand-edited files are read this far at most: a name of megabytes is cut here, and the start
// costs no more than this however large the file.
constexpr qint64 readBound = 64 * 1024;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Reads the fields one by one: a field ends at a comma, a line end (CR LF, CR or LF) or the end
// of the text.
class FieldReader
{
public:
    explicit FieldReader(QStringView text) : m_text(text) {}

    // Nothing when the text ends before the field begins; after a comma an empty field begins.
    std::optional<QString> next()
    {
        // Blank lines before the second field are skipped as blanks are.
        while (m_at < m_text.size()
               && (isBlank(m_text[m_at]) || (m_afterLineEnd && isLineEnd(m_text[m_at]))))
            ++m_at;
        if (m_at >= m_text.size() && !m_afterComma)
            return std::nullopt;
        QString value;
        if (m_at < m_text.size() && m_text[m_at] == u'"') {
            const qsizetype begin = ++m_at;
            while (m_at < m_text.size() && m_text[m_at] != u'"' && !isLineEnd(m_text[m_at]))
                ++m_at;
            value = m_text.sliced(begin, m_at - begin).toString();
            // What follows the closing quote up to the field's end is skipped.
            while (m_at < m_text.size() && m_text[m_at] != u',' && !isLineEnd(m_text[m_at]))
                ++m_at;
        } else {
            const qsizetype begin = m_at;
            while (m_at < m_text.size() && m_text[m_at] != u',' && !isLineEnd(m_text[m_at]))
                ++m_at;
            qsizetype end = m_at;
            while (end > begin && isBlank(m_text[end - 1]))
                --end;
            value = m_text.sliced(begin, end - begin).toString();
        }
        m_afterComma = m_at < m_text.size() && m_text[m_at] == u',';
        m_afterLineEnd = m_at < m_text.size() && isLineEnd(m_text[m_at]);
        if (m_at < m_text.size() && m_text[m_at] == u'\r' && m_at + 1 < m_text.size()
            && m_text[m_at + 1] == u'\n')
            ++m_at;
        ++m_at;
        return value;
    }

private:
    QStringView m_text;
    qsizetype m_at = 0;
    bool m_afterComma = false;
    bool m_afterLineEnd = false;
};

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
    const QByteArray bytes = file.read(readBound);
    const bool read = file.error() == QFileDevice::NoError;
    file.close();
    if (!read)
        return false;
    const QString text = QString::fromStdU16String(
        CodePage932::toUnicode(std::string_view(bytes.constData(), bytes.size())));
    FieldReader fields(text);
    const std::optional<QString> first = fields.next();
    if (!first)
        return false;
    const std::optional<std::int16_t> maxEntries = wholeNumber(*first);
    if (!maxEntries)
        return false;
    values.MaxEntries = *maxEntries;
    const std::optional<QString> second = fields.next();
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
