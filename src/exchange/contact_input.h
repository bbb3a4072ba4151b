#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <optional>

#include "exchange/utf8_check.h"

class QIODevice;

// The text of a contacts file as the readers take it, a piece at a time: UTF-16 (known by its
// byte-order mark) as UTF-8, a leading UTF-8 byte-order mark dropped, never more than limit
// bytes of the file. Only the unread bytes of the latest pieces are held; whether the text is
// UTF-8 is checked as it is read.
class ContactInput final
{
public:
    static constexpr qsizetype defaultPieceSize = 1 << 14;

    ContactInput(QIODevice &device, qint64 limit, qsizetype pieceSize = defaultPieceSize);
    Q_DISABLE_COPY_MOVE(ContactInput)

    // The unread bytes, at least wanted of them unless the text ends first.
    QByteArrayView unread(qsizetype wanted = 1);
    void consume(qsizetype count);

    // The bytes of the file read so far.
    qint64 fileBytes() const { return m_limit - m_left; }
    // Whether the file holds more than limit bytes; known once the text has ended.
    bool isPastLimit() const { return m_pastLimit; }
    // Whether the text is valid UTF-8 throughout.
    bool isUtf8() const { return m_utf8; }
    // The system's reason when a read failed; the text ends there.
    bool hasFailed() const { return !m_failure.isEmpty(); }
    QString errorString() const { return m_failure; }

private:
    // Appends the next piece of the text; false at the end.
    bool readPiece();
    QByteArray readRaw(qsizetype size);

    QIODevice &m_device;
    qint64 m_limit;
    qint64 m_left;
    qsizetype m_pieceSize;
    bool m_started = false;
    bool m_ended = false;
    bool m_pastLimit = false;
    QString m_failure;
    std::optional<QStringDecoder> m_utf16;
    QString m_heldSurrogate;
    Utf8Check m_utf8Check;
    bool m_utf8 = true;
    QByteArray m_text;
    qsizetype m_at = 0;
};
