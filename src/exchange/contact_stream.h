#pragma once

#include <QString>

#include <memory>

#include "exchange/contact_input.h"
#include "exchange/contact_reading.h"

class CsvReader;
class QIODevice;
class VCardReader;

// The cards or rows of a contacts file, one at a time, from the file's start, so that no more
// than one entry and a piece of the file is held at once; a file is read as often as needed.
class ContactStream final
{
public:
    // Reads at most limit bytes from the start of the file. utf8 tells whether the whole file
    // is UTF-8, which decides how the cards without a charset are read; a first reading takes
    // it to be, and is read again when it was not.
    ContactStream(QIODevice &device, qint64 limit, bool utf8 = true,
                  qsizetype pieceSize = ContactInput::defaultPieceSize);
    ~ContactStream();
    Q_DISABLE_COPY_MOVE(ContactStream)

    // vCard, CSV whose header names columns we know, or neither.
    ContactFormat format() const { return m_format; }
    // The next card or row; false at the end, or when a read failed.
    bool next(ReadContact &contact);
    // Reads the rest of the file without reading contacts from it.
    void skipRest();
    bool hasFailed() const { return m_input.hasFailed() || !m_seekFailure.isEmpty(); }
    QString errorString() const;
    // Known once the file has been read to its end:
    bool isPastLimit() const { return m_input.isPastLimit(); }
    bool isUtf8() const { return m_input.isUtf8(); }
    qint64 fileBytes() const { return m_input.fileBytes(); }

private:
    ContactInput m_input;
    QString m_seekFailure;
    ContactFormat m_format = ContactFormat::Unknown;
    std::unique_ptr<VCardReader> m_vCards;
    std::unique_ptr<CsvReader> m_rows;
};
