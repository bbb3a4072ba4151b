#include "exchange/contact_stream.h"

#include <QIODevice>
#include <QStringDecoder>

#include "exchange/csv_format.h"
#include "exchange/vcard_reader.h"

namespace {

// Whether the pieces are valid UTF-8 together: each piece is decoded without the start of its
// last character, which waits for the next.
class Utf8Check final
{
public:
    void add(QByteArrayView piece)
    {
        m_carry += piece;
        qsizetype end = m_carry.size();
        for (qsizetype back = 1; back <= 4 && back <= m_carry.size(); ++back) {
            if ((static_cast<unsigned char>(m_carry.at(m_carry.size() - back)) & 0xC0) != 0x80) {
                end = m_carry.size() - back;
                break;
            }
        }
        decode(QByteArrayView(m_carry).first(end));
        m_carry.remove(0, end);
    }
    bool finish()
    {
        decode(m_carry);
        m_carry.clear();
        return m_valid;
    }

private:
    void decode(QByteArrayView bytes)
    {
        if (!m_valid || bytes.isEmpty())
            return;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes);
        m_valid = !decoder.hasError();
    }

    QByteArray m_carry;
    bool m_valid = true;
};

} // namespace

ContactScan ContactStream::scan(QIODevice &device, qint64 limit, qsizetype pieceSize)
{
    ContactInput input(device, limit, pieceSize);
    Utf8Check utf8;
    for (QByteArrayView piece; !(piece = input.unread()).isEmpty();) {
        utf8.add(piece);
        input.consume(piece.size());
    }
    ContactScan scan;
    scan.fileBytes = input.fileBytes();
    scan.utf8 = utf8.finish();
    if (input.hasFailed()) {
        scan.status = ContactScan::Status::Failed;
        scan.reason = input.errorString();
    } else if (input.isPastLimit()) {
        scan.status = ContactScan::Status::TooLarge;
    }
    return scan;
}

ContactStream::ContactStream(QIODevice &device, const ContactScan &scan, qsizetype pieceSize)
    : m_input(device, scan.fileBytes, pieceSize)
{
    if (!device.seek(0)) {
        m_seekFailure = device.errorString();
        return;
    }
    const QByteArrayView start = m_input.unread(64);
    if (looksLikeVCard(start)) {
        m_format = ContactFormat::VCard;
        // 2.1 cards without a charset are Shift-JIS, as phones write them, unless the file is UTF-8.
        m_vCards = std::make_unique<VCardReader>(m_input, !scan.utf8);
        return;
    }
    m_rows = std::make_unique<CsvReader>(m_input, scan.utf8);
    if (m_rows->knowsColumns())
        m_format = ContactFormat::Csv;
}

ContactStream::~ContactStream() = default;

bool ContactStream::next(ReadContact &contact)
{
    switch (m_format) {
    case ContactFormat::VCard:
        return m_vCards->next(contact);
    case ContactFormat::Csv:
        return m_rows->next(contact);
    case ContactFormat::Unknown:
        break;
    }
    return false;
}

QString ContactStream::errorString() const
{
    return m_seekFailure.isEmpty() ? m_input.errorString() : m_seekFailure;
}
