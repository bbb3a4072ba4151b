#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "exchange/exchange_entry.h"

// One card or row as read from another address book.
struct ReadContact
{
    ExchangeEntry entry;
    // What the roster has no place for: second e-mails and numbers, other properties or columns.
    QStringList dropped;
};

enum class ContactFormat { Unknown, VCard, Csv };

struct ContactReading
{
    ContactFormat format = ContactFormat::Unknown;
    QList<ReadContact> contacts;
};

// Recognises vCard (2.1, 3.0, 4.0) or CSV from the content and reads every card or row.
ContactReading readContacts(QByteArrayView bytes);

bool isValidUtf8(QByteArrayView bytes);

// Text whose encoding no header names: UTF-8 where the bytes are valid UTF-8, else Shift-JIS.
QString decodeUnlabelled(QByteArrayView bytes);
