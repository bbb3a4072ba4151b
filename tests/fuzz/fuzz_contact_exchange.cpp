// Contacts on any bytes: reading never fails, and an entry written as vCard 3.0, vCard 4.0 or
// CSV reads back as the same entry.
#include <QByteArrayView>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

#include "exchange/contact_reading.h"
#include "exchange/csv_format.h"
#include "exchange/vcard_writer.h"

namespace {

// The fields as the export hands them over: no CR, no trailing padding.
QString exported(QString text)
{
    text.remove(u'\r');
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

void checkRoundTrip(const ExchangeEntry &entry, const QByteArray &written)
{
    const ContactReading reading = readContacts(written);
    if (reading.contacts.size() != 1)
        std::abort();
    const ExchangeEntry &read = reading.contacts.first().entry;
    if (read.name != entry.name || read.mail != entry.mail || read.tell != entry.tell
        || read.memo != entry.memo || read.picturePath != entry.picturePath
        || read.number != entry.number)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    readContacts(bytes);

    const QStringList fields = QString::fromUtf8(bytes).split(u'\0');
    ExchangeEntry entry;
    entry.number = 7;
    entry.name = exported(fields.value(0)).remove(u'\n');
    entry.mail = exported(fields.value(1)).remove(u'\n');
    entry.tell = exported(fields.value(2)).remove(u'\n');
    entry.memo = exported(fields.value(3));
    entry.picturePath = exported(fields.value(4)).remove(u'\n');
    if (entry.isEmpty())
        return 0;
    checkRoundTrip(entry, vCard(entry, VCardVersion::V30));
    checkRoundTrip(entry, vCard(entry, VCardVersion::V40));
    checkRoundTrip(entry, csvHeader() + csvRow(entry));
    return 0;
}
