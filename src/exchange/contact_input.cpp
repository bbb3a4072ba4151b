#include "exchange/contact_input.h"

#include <QIODevice>

namespace {

constexpr char byteOrderMark[] = "\xEF\xBB\xBF";

} // namespace

ContactInput::ContactInput(QIODevice &device, qint64 limit, qsizetype pieceSize)
    : m_device(device), m_limit(limit), m_left(limit), m_pieceSize(qMax<qsizetype>(pieceSize, 1))
{
}

QByteArray ContactInput::readRaw(qsizetype size)
{
    QByteArray raw(qMin<qint64>(size, m_left), Qt::Uninitialized);
    const qint64 read = raw.isEmpty() ? 0 : m_device.read(raw.data(), raw.size());
    if (read < 0) {
        m_failure = m_device.errorString();
        return {};
    }
    raw.truncate(read);
    m_left -= read;
    if (m_left == 0 && read == 0) {
        char extra;
        m_pastLimit = m_pastLimit || m_device.read(&extra, 1) == 1;
    }
    return raw;
}

bool ContactInput::readPiece()
{
    if (m_ended)
        return false;
    QByteArray raw = readRaw(m_pieceSize);
    if (!m_started) {
        // The byte-order mark of UTF-16 needs its two bytes, whatever the piece size.
        while (raw.size() < 2 && !hasFailed()) {
            const QByteArray more = readRaw(m_pieceSize);
            if (more.isEmpty())
                break;
            raw += more;
        }
        if (raw.startsWith("\xFF\xFE") || raw.startsWith("\xFE\xFF"))
            m_utf16.emplace(raw.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                       : QStringDecoder::Utf16BE);
    }
    if (raw.isEmpty()) {
        m_ended = true;
        // A high surrogate held back from the last piece has no partner: as toUtf8 writes it.
        const QByteArray held = m_heldSurrogate.toUtf8();
        m_heldSurrogate.clear();
        m_utf8Check.add(held);
        m_utf8 = m_utf8Check.finish();
        m_text += held;
        return !held.isEmpty();
    }
    if (m_utf16) {
        // A surrogate pair may be cut by the piece's end: its first half waits for the second.
        QString text = m_heldSurrogate + m_utf16->decode(raw);
        m_heldSurrogate.clear();
        if (!text.isEmpty() && text.back().isHighSurrogate()) {
            m_heldSurrogate = text.back();
            text.chop(1);
        }
        raw = text.toUtf8();
    }
    m_utf8Check.add(raw);
    m_text += raw;
    if (!m_started) {
        m_started = true;
        while (m_text.size() < 3 && readPiece()) {
        }
        if (m_text.startsWith(byteOrderMark))
            m_at += 3;
    }
    return true;
}

QByteArrayView ContactInput::unread(qsizetype wanted)
{
    while (m_text.size() - m_at < wanted) {
        // What was read goes before more is added, so that only one piece and a rest are held.
        m_text.remove(0, m_at);
        m_at = 0;
        if (!readPiece())
            break;
    }
    return QByteArrayView(m_text).sliced(m_at);
}

void ContactInput::consume(qsizetype count)
{
    m_at += count;
}
