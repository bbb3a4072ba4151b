#include "exchange/contact_reading.h"

#include <QStringDecoder>

#include "exchange/csv_format.h"
#include "exchange/vcard_reader.h"
#include "platform/code_page.h"

namespace {

constexpr char byteOrderMark[] = "\xEF\xBB\xBF";

} // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString decodeUnlabelled(QByteArrayView bytes)
{
    // A byte-order mark inside a value is text; the file's own was dropped before.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromStdU16String(
        CodePage932::toUnicode(std::string_view(bytes.data(), bytes.size())));
}

ContactReading readContacts(QByteArrayView bytes)
{
    if (bytes.startsWith(byteOrderMark))
        bytes = bytes.sliced(3);
    if (looksLikeVCard(bytes))
        return {ContactFormat::VCard, readVCards(bytes)};
    if (std::optional<QList<ReadContact>> rows = readCsvContacts(decodeUnlabelled(bytes)))
        return {ContactFormat::Csv, *rows};
    return {};
}
