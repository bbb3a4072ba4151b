// Contacts on any bytes: reading never fails, and an entry written as vCard 3.0, vCard 4.0 or
// CSV reads back as the same entry.
#include <QByteArrayView>
#include <QStringList>

#include <cstdint>

using namespace Qt::StringLiterals;

#include "exchange/contact_reading.h"
#include "exchange/csv_format.h"
#include "exchange/vcard_writer.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    readContacts(bytes);

    // Five fields as the export hands them over: no CR, no trailing padding, line breaks only in
    // the memo (the fourth); then two readings, made kana.
    QStringList fields = QString::fromUtf8(bytes).remove(u'\r').split(u'\0');
    fields.resize(7);
    for (qsizetype i = 5; i < 7; ++i) {
        for (QChar &c : fields[i])
            c = QChar(u'\u30A1' + c.unicode() % 86);
    }
    for (qsizetype i = 0; i < 5; ++i) {
        if (i != 3)
            fields[i].remove(u'\n');
        while (fields[i].endsWith(u' '))
            fields[i].chop(1);
    }
    const ExchangeEntry entry{7, fields[0], fields[1], fields[2], fields[3], fields[4], fields[5],
                              fields[6], u"u"_s};
    if (entry.isEmpty())
        return 0;
    QList<QByteArray> forms{vCard(entry, VCardVersion::V30), vCard(entry, VCardVersion::V40)};
    // In Google's CSV a mail or phone cell holding " ::: " holds several values.
    if (!fields[1].contains(u" ::: "_s) && !fields[2].contains(u" ::: "_s))
        forms.append(csvHeader() + csvRow(entry));
    for (const QByteArray &written : forms) {
        const QList<ReadContact> read = readContacts(written).contacts;
        require(read.size() == 1 && read[0].entry.number == 7
                && QStringList({read[0].entry.name, read[0].entry.mail, read[0].entry.tell,
                                read[0].entry.memo, read[0].entry.picturePath,
                                read[0].entry.familyReading, read[0].entry.givenReading})
                       == fields);
    }
    return 0;
}
