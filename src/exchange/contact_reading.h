#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "exchange/contact_input.h"
#include "exchange/exchange_entry.h"

// One card or row as read from another address book.
struct ReadContact
{
    ExchangeEntry entry;
    // What the roster has no place for, each with its value: second e-mails and numbers, other
    // properties or columns, values whose bytes are no text.
    QStringList dropped;
};

enum class ContactFormat { Unknown, VCard, Csv };

struct ContactReading
{
    ContactFormat format = ContactFormat::Unknown;
    QList<ReadContact> contacts;
};

// Recognises vCard (2.1, 3.0, 4.0) or CSV from the content and reads every card or row; UTF-8
// with or without a byte-order mark, UTF-16 with one, or Shift-JIS. The bytes are taken
// pieceSize at a time, as a file is read.
ContactReading readContacts(QByteArrayView bytes,
                            qsizetype pieceSize = ContactInput::defaultPieceSize);

// Shift-JIS text; nothing where a byte forms no character or a character is one of the
// private ones, which no address book writes.
std::optional<QString> shiftJisText(QByteArrayView bytes);

// Text whose encoding nothing names: UTF-8 where the bytes are valid UTF-8, else Shift-JIS,
// else nothing.
std::optional<QString> decodeUnlabelled(QByteArrayView bytes);

// A dropped item as the dry run lists it: its label and its value on one line, a long value cut.
QString droppedValue(const QString &label, const QString &value);
// The same for bytes that are no text in the encoding named: their first bytes in hex.
QString undecodableValue(const QString &label, const QString &encoding, QByteArrayView bytes);

// A reading as an entry keeps it: NFKC (half-width katakana become full-width), blanks at either
// end dropped; nothing when it holds anything but kana.
std::optional<QString> kanaReading(const QString &text);

// The parts of an address, given in the order Japanese addresses are written (postal code,
// region, city, street, further lines, country), on one line: blank parts left out, the others
// joined by a space, a full-width one between two parts in Japanese script.
QString joinedAddress(const QStringList &parts);
