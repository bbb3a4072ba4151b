#include "roster/meibo_record.h"

#include <algorithm>

#include "platform/code_page.h"

namespace {

QString fitted(QStringView text, int width)
{
    qsizetype length = qMin<qsizetype>(text.size(), width);
    // Never keep half of a surrogate pair.
    if (length > 0 && length < text.size() && text.at(length - 1).isHighSurrogate())
        --length;
    QString field = text.left(length).toString();
    field.append(QString(width - length, u' '));
    return field;
}

} // namespace

MeiboRecord::MeiboRecord()
{
    clear();
}

void MeiboRecord::set(Field field, QStringView text)
{
    m_fields[static_cast<int>(field)] = fitted(text, width(field));
}

bool MeiboRecord::holdsWhole(Field field, QStringView text)
{
    return CodePage932::fitsWhole(
        std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()), text.size()),
        width(field));
}

bool MeiboRecord::isBlank(Field field) const
{
    const QString &text = get(field);
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; });
}

void MeiboRecord::clear()
{
    for (int i = 0; i < fieldCount; ++i)
        m_fields[i] = QString(widths[i], u' ');
}

QByteArray MeiboRecord::toBytes() const
{
    return toBytes(&CodePage932::fromUnicode);
}

QByteArray MeiboRecord::toBytes(const CharacterBytes &bytesOf) const
{
    QByteArray bytes(byteSize, ' ');
    char *const out = bytes.data();
    for (int i = 0; i < fieldCount; ++i) {
        const QString &field = m_fields[i];
        const qsizetype end = offsets[i] + widths[i];
        qsizetype written = offsets[i];
        // Code page 932 agrees with ASCII, and most of a field is ASCII or padding: only the
        // other characters go through the converter, each whole or not at all, as
        // fromUnicodeFitted places them.
        for (qsizetype at = 0; at < field.size();) {
            const char16_t unit = field.at(at).unicode();
            if (unit < 0x80) {
                if (written == end)
                    break;
                out[written++] = char(unit);
                ++at;
                continue;
            }
            const qsizetype units = QChar::isHighSurrogate(unit) && at + 1 < field.size()
                                            && field.at(at + 1).isLowSurrogate()
                                        ? 2
                                        : 1;
            const std::string encoded = bytesOf(std::u16string_view(
                reinterpret_cast<const char16_t *>(field.utf16()) + at, std::size_t(units)));
            if (written + qsizetype(encoded.size()) > end)
                break;
            std::copy(encoded.begin(), encoded.end(), out + written);
            written += qsizetype(encoded.size());
            at += units;
        }
    }
    return bytes;
}

void MeiboRecord::appendField(QString &to, QByteArrayView slot, Field field)
{
    const int w = width(field);
    const qsizetype begin = qMin<qsizetype>(byteOffset(field), slot.size());
    const QByteArrayView bytes = slot.sliced(begin, qMin<qsizetype>(w, slot.size() - begin));
    bool ascii = true;
    for (char byte : bytes)
        ascii = ascii && static_cast<unsigned char>(byte) < 0x80;
    // No byte yields more than one unit, so the field's width is always room enough.
    const qsizetype start = to.size();
    to.resize(start + w);
    char16_t *const out = reinterpret_cast<char16_t *>(to.data()) + start;
    // Code page 932 agrees with ASCII below 0x80, and most fields are plain ASCII or blank.
    std::size_t written = bytes.size();
    if (ascii)
        std::copy(bytes.begin(), bytes.end(), out);
    else
        written = CodePage932::toUnicode(std::string_view(bytes.data(), bytes.size()), out);
    // Zero bytes, as a never-written stretch of the file holds them, read as blanks.
    std::replace(out, out + written, u'\0', u' ');
    std::fill(out + written, out + w, u' ');
}

MeiboRecord MeiboRecord::fromBytes(QByteArrayView bytes)
{
    MeiboRecord record;
    for (int i = 0; i < fieldCount; ++i) {
        record.m_fields[i].clear();
        appendField(record.m_fields[i], bytes, static_cast<Field>(i));
    }
    return record;
}

QString MeiboRecord::namaeFromBytes(QByteArrayView bytes)
{
    QString namae;
    appendNamae(namae, bytes);
    return namae;
}

void MeiboRecord::appendNamae(QString &to, QByteArrayView bytes)
{
    appendField(to, bytes, Field::Namae);
}

QString MeiboRecord::trimmedFieldFromBytes(QByteArrayView bytes, Field field)
{
    QString text;
    appendField(text, bytes, field);
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    text.truncate(end);
    return text;
}
