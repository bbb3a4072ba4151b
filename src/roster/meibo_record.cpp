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
    QByteArray bytes;
    bytes.reserve(byteSize);
    for (int i = 0; i < fieldCount; ++i) {
        const std::string encoded = CodePage932::fromUnicodeFitted(
            std::u16string_view(reinterpret_cast<const char16_t *>(m_fields[i].utf16()),
                                m_fields[i].size()),
            widths[i]);
        bytes.append(encoded.data(), static_cast<qsizetype>(encoded.size()));
    }
    return bytes;
}

QString MeiboRecord::decodeField(QByteArrayView slot, Field field)
{
    const int w = width(field);
    const qsizetype begin = qMin<qsizetype>(byteOffset(field), slot.size());
    const qsizetype length = qMin<qsizetype>(w, slot.size() - begin);
    QByteArray bytes = slot.sliced(begin, length).toByteArray();
    bool ascii = true;
    for (char &byte : bytes) {
        if (byte == '\0')
            byte = ' ';
        else if (static_cast<unsigned char>(byte) >= 0x80)
            ascii = false;
    }
    // Code page 932 agrees with ASCII below 0x80, and most fields are plain ASCII or blank.
    QString text = ascii ? QString::fromLatin1(bytes)
                         : QString::fromStdU16String(CodePage932::toUnicode(
                               std::string_view(bytes.constData(), bytes.size())));
    if (text.size() < w)
        text.append(QString(w - text.size(), u' '));
    return text;
}

MeiboRecord MeiboRecord::fromBytes(QByteArrayView bytes)
{
    MeiboRecord record;
    for (int i = 0; i < fieldCount; ++i)
        record.m_fields[i] = decodeField(bytes, static_cast<Field>(i));
    return record;
}

QString MeiboRecord::namaeFromBytes(QByteArrayView bytes)
{
    return decodeField(bytes, Field::Namae);
}
