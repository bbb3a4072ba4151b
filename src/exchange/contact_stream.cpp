#include "exchange/contact_stream.h"

#include <QIODevice>

#include "exchange/csv_format.h"
#include "exchange/vcard_reader.h"


ContactStream::ContactStream(QIODevice &device, qint64 limit, bool utf8, qsizetype pieceSize)
    : m_input(device, limit, pieceSize)
{
    if (!device.seek(0)) {
        m_seekFailure = device.errorString();
        return;
    }
    const QByteArrayView start = m_input.unread(64);
    if (looksLikeVCard(start)) {
        m_format = ContactFormat::VCard;
        // 2.1 cards without a charset are Shift-JIS, as phones write them, unless the file is UTF-8.
        m_vCards = std::make_unique<VCardReader>(m_input, !utf8);
        return;
    }
    m_rows = std::make_unique<CsvReader>(m_input, utf8);
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

void ContactStream::skipRest()
{
    for (QByteArrayView piece; !(piece = m_input.unread()).isEmpty();)
        m_input.consume(piece.size());
}

QString ContactStream::errorString() const
{
    return m_seekFailure.isEmpty() ? m_input.errorString() : m_seekFailure;
}
