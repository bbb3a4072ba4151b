#pragma once

#include <QString>

#include <memory>

#include "exchange/contact_input.h"
#include "exchange/contact_reading.h"

class CsvReader;
class QIODevice;
class VCardReader;

// What a contacts file tells as a whole, before its first card or row is read.
struct ContactScan
{
    enum class Status { Ok, TooLarge, Failed };
    Status status = Status::Ok;
    QString reason; // the system's, for Failed
    qint64 fileBytes = 0;
    // Valid UTF-8 throughout: Shift-JIS decides only what is not.
    bool utf8 = true;
};

// The cards or rows of a contacts file, one at a time, from the file's start, so that no more
// than one entry and a piece of the file is held at once; a file is read as often as needed.
class ContactStream final
{
public:
    // Reads the whole file once, never past limit bytes.
    static ContactScan scan(QIODevice &device, qint64 limit,
                            qsizetype pieceSize = ContactInput::defaultPieceSize);

    // Reads at most the bytes the scan found, from the start of the file.
    ContactStream(QIODevice &device, const ContactScan &scan,
                  qsizetype pieceSize = ContactInput::defaultPieceSize);
    ~ContactStream();
    Q_DISABLE_COPY_MOVE(ContactStream)

    // vCard, CSV whose header names columns we know, or neither.
    ContactFormat format() const { return m_format; }
    // The next card or row; false at the end, or when a read failed.
    bool next(ReadContact &contact);
    bool hasFailed() const { return m_input.hasFailed() || !m_seekFailure.isEmpty(); }
    QString errorString() const;

private:
    ContactInput m_input;
    QString m_seekFailure;
    ContactFormat m_format = ContactFormat::Unknown;
    std::unique_ptr<VCardReader> m_vCards;
    std::unique_ptr<CsvReader> m_rows;
};
