#include <QTest>

#include "exchange/contact_reading.h"
#include "exchange/roster_import.h"
#include "exchange/vcard_writer.h"

using namespace Qt::StringLiterals;

class TestExchange : public QObject
{
    Q_OBJECT

private slots:
    // Escapes, readings and the UID as each version writes them.
    void cardsAsTheirVersionAsks_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("3.0") << int(VCardVersion::V30)
            << QByteArray("FN:a\\,b\\;c\\\\ d\r\nN:a\\,b\\;c\\\\;d;;;\r\nX-PHONETIC-LAST-NAME:やまだ\r\n"
                          "X-PHONETIC-FIRST-NAME:はなこ\r\nSORT-STRING:やまだ はなこ\r\nUID:u-1\r\n"
                          "NOTE:x\\ny\\;z\r\n");
        QTest::newRow("4.0 escapes semicolons of plain text too") << int(VCardVersion::V40)
            << QByteArray("FN:a\\,b\\;c\\\\ d\r\nN;SORT-AS=\"やまだ,はなこ\":a\\,b\\;c\\\\;d;;;\r\n"
                          "X-PHONETIC-LAST-NAME:やまだ\r\nX-PHONETIC-FIRST-NAME:はなこ\r\n"
                          "UID:urn:uuid:u-1\r\nNOTE:x\\ny\\;z\r\n");
        QTest::newRow("2.1 half-width reading, quoted-printable memo") << int(VCardVersion::V21)
            << QByteArray("FN:a,b;c\\ d\r\nN:a,b\\;c\\;d;;;\r\n"
                          "SOUND;X-IRMC-N;CHARSET=SHIFT_JIS:\xD4\xCF\xC0\xDE \xCA\xC5\xBA;;;;\r\nUID:u-1\r\n"
                          "NOTE;ENCODING=QUOTED-PRINTABLE:x=0D=0Ay;z\r\n");
    }
    void cardsAsTheirVersionAsks()
    {
        QFETCH(int, version);
        QFETCH(QByteArray, expected);
        const ExchangeEntry entry{12, u"a,b;c\\ d"_s, {}, {}, u"x\ny;z"_s, {}, u"やまだ"_s, u"はなこ"_s, u"u-1"_s};
        const QByteArray card = vCard(entry, VCardVersion(version));
        QVERIFY2(card.contains(expected), card.constData());
        QVERIFY(card.endsWith("X-VEDRIN-NO:12\r\nEND:VCARD\r\n"));
    }

    void longLinesFoldWithoutSplittingACharacter()
    {
        // "FN:a" and 23 characters of 3 octets take 73 octets: the 24th would end at octet 76.
        const ExchangeEntry entry{12, u"a"_s + QString(30, u'山'), {}, {}, {}, {}, {}, {}, {}};
        const QByteArray folded = "FN:a" + QString(23, u'山').toUtf8() + "\r\n " + QString(7, u'山').toUtf8();
        QVERIFY(vCard(entry, VCardVersion::V30).contains(folded + "\r\n"));
    }

    // What the roster keeps of each contact (name, mail, phone, memo, family and given reading),
    // then what it drops.
    void reading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("format");
        QTest::addColumn<QStringList>("read");
        // As Japanese phones write it: Shift-JIS, a quoted-printable note with a soft break,
        // a half-width reading of the name, a second number.
        QTest::newRow("phone card in Shift-JIS")
            << QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\n"
                          "N;CHARSET=SHIFT_JIS:\x8E\x52\x93\x63;\x89\xD4\x8E\x71;;;\r\n"
                          "SOUND;X-IRMC-N;CHARSET=SHIFT_JIS:\xD4\xCF\xC0\xDE;\xCA\xC5\xBA;;;\r\n"
                          "TEL;CELL:090-1111-2222\r\nTEL;HOME:03-3333-4444\r\n"
                          "EMAIL;INTERNET:hanako@example.jp\r\n"
                          "NOTE;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=8E=9F=82=CC=\r\n"
                          "=8D=73=0D=0Anext\r\nEND:VCARD\r\n")
            << int(ContactFormat::VCard)
            << QStringList{u"山田 花子"_s, u"hanako@example.jp"_s, u"090-1111-2222"_s,
                           u"次の行\nnext"_s, u"ヤマダ"_s, u"ハナコ"_s, u"TEL: 03-3333-4444"_s};
        // The first reading that is kana wins; charsets as named; bytes that are no text and
        // properties the roster has no place for are reported with their values.
        QTest::newRow("readings, charsets and losses")
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nPRODID:x\r\nREV:2026\r\nUID:u\r\nFN:A\\;B\r\n"
                          "SORT-STRING:ちがう よみ\r\nX-PHONETIC-FIRST-NAME:はなこ\r\n"
                          "X-PHONETIC-LAST-NAME:やまだ\r\nNOTE;CHARSET=windows-1252:caf\xE9\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:4.0\r\nN;SORT-AS=\"さとう,じろう\":佐藤;次郎;;;\r\n"
                          "X-PHONETIC-LAST-NAME:Sato\r\nEMAIL;CHARSET=UTF-8:\xFF\r\nNOTE:\x81 \r\n"
                          "ORG:Example\\, Inc.\r\nEND:VCARD\r\n")
            << int(ContactFormat::VCard)
            << QStringList{u"A;B"_s, {}, {}, u"café"_s, u"やまだ"_s, u"はなこ"_s,
                           u"佐藤 次郎"_s, {}, {}, {}, u"さとう"_s, u"じろう"_s,
                           u"EMAIL (UTF-8として読めないバイト): FF"_s,
                           u"NOTE (UTF-8・Shift-JISとして読めないバイト): 81 20"_s,
                           u"ORG: Example, Inc."_s, u"X-PHONETIC: Sato"_s};
        const QString utf16 = u"\uFEFFBEGIN:VCARD\r\nVERSION:3.0\r\nFN:山田\r\nEND:VCARD\r\n"_s;
        QTest::newRow("UTF-16 with a byte-order mark")
            << QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2)
            << int(ContactFormat::VCard) << QStringList{u"山田"_s, {}, {}, {}, {}, {}};
        // U+20000, a surrogate pair, in big-endian UTF-16; the name folded.
        QTest::newRow("UTF-16 big-endian, a character outside the BMP, a fold")
            << QByteArray("\xFE\xFF\0B\0E\0G\0I\0N\0:\0V\0C\0A\0R\0D\0\r\0\n\0F\0N\0:\xD8\x40\xDC\0"
                          "\0\r\0\n\0 \x5C\x71\0\r\0\n\0E\0N\0D\0:\0V\0C\0A\0R\0D", 68)
            << int(ContactFormat::VCard) << QStringList{u"\U00020000山"_s, {}, {}, {}, {}, {}};
        // Google's current export: the Phonetic columns are readings, not numbers.
        QTest::newRow("Google Contacts CSV")
            << QByteArray("\xEF\xBB\xBF" "First Name,Middle Name,Last Name,Phonetic First Name,"
                          "Phonetic Middle Name,Phonetic Last Name,Notes,Labels,E-mail 1 - Label,"
                          "E-mail 1 - Value,Phone 1 - Label,Phone 1 - Value,Address 1 - Label,"
                          "Address 1 - Formatted\r\n"
                          "太郎,,山田,たろう,,やまだ,\"一行目\n二行目, \"\"引用\"\" ::: 1\",* myContacts,"
                          "* Home,taro@example.jp ::: t2@example.jp,Mobile,090-0000-0000,Home,"
                          "\"東京都\n港区\"\r\n")
            << int(ContactFormat::Csv)
            << QStringList{u"山田 太郎"_s, u"taro@example.jp"_s, u"090-0000-0000"_s,
                           u"東京都 港区\n一行目\n二行目, \"引用\" ::: 1"_s, u"やまだ"_s, u"たろう"_s,
                           u"E-mail 1 - Value: t2@example.jp"_s};
        // Older Google exports: half-width Yomi columns. Thunderbird: a second address line.
        QTest::newRow("Google Yomi and Thunderbird address columns")
            << QByteArray("Given Name,Family Name,Given Name Yomi,Family Name Yomi,Home Phone,"
                          "Home Address,Home Address 2,Home City,Home State,Home ZipCode,"
                          "Home Country,Work City,\r\n"
                          "花子,佐藤,ﾊﾅｺ,ｻﾄｳ,03-1111-2222,本町2-2,3階,渋谷区,東京都,150-0001,日本,"
                          "港区,\r\n")
            << int(ContactFormat::Csv)
            << QStringList{u"佐藤 花子"_s, {}, u"03-1111-2222"_s,
                           u"150-0001 東京都\u3000渋谷区\u3000本町2-2\u30003階\u3000日本"_s,
                           u"サトウ"_s, u"ハナコ"_s, u"Work City: 港区"_s};
        QTest::newRow("CSV of other columns")
            << QByteArray("just,some,phonetic\r\n1,2,3\r\n") << int(ContactFormat::Unknown) << QStringList();
    }
    void reading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, format);
        QFETCH(QStringList, read);
        // Whole, then a few bytes at a time as a file is read: every character, line end, fold
        // and quoted field of the rows is cut by the end of some piece.
        for (const qsizetype piece : {qsizetype(1) << 16, qsizetype(1), qsizetype(2), qsizetype(3), qsizetype(5)}) {
            const ContactReading reading = readContacts(bytes, piece);
            QCOMPARE(int(reading.format), format);
            QStringList kept;
            for (const ReadContact &contact : reading.contacts)
                kept << contact.entry.name << contact.entry.mail << contact.entry.tell << contact.entry.memo
                     << contact.entry.familyReading << contact.entry.givenReading << contact.dropped;
            QCOMPARE(kept, read);
        }
    }

    void placement_data()
    {
        QTest::addColumn<QList<bool>>("occupied");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QList<int>>("expected");
        using Bools = QList<bool>;
        using Ints = QList<int>;
        QTest::newRow("own number when free") << Bools{true, false} << false << Ints{2, 5} << Ints{2, 5};
        QTest::newRow("taken: lowest free")
            << Bools{true, true, false, true} << false << Ints{2, 0, 0} << Ints{3, 5, 6};
        QTest::newRow("replace") << Bools{true} << true << Ints{1} << Ints{1};
        QTest::newRow("twice the same number") << Bools{} << false << Ints{4, 4} << Ints{4, 1};
        QTest::newRow("twice the same number, replace") << Bools{true} << true << Ints{1, 1} << Ints{1, 2};
        QTest::newRow("past the last slot") << Bools{} << false << Ints{32768} << Ints{1};
        Bools full(32767, true);
        full[32765] = false;
        QTest::newRow("full roster") << full << false << Ints{0, 0} << Ints{32766, 0};
    }

    void placement()
    {
        QFETCH(QList<bool>, occupied);
        QFETCH(bool, replace);
        QFETCH(QList<int>, numbers);
        QFETCH(QList<int>, expected);
        ImportPlacer placer(occupied, replace, 32767);
        QList<int> placed;
        for (const int number : numbers)
            placed.append(placer.place(ExchangeEntry{number, u"x"_s, {}, {}, {}, {}, {}, {}, {}}).slot);
        QCOMPARE(placed, expected);
    }

    void lossesAreNamed()
    {
        const ReadContact contact{ExchangeEntry{1, u"Été"_s + QString(14, u'山'), {}, {}, {}, {}, {}, {}, {}},
                                  {u"ORG"_s}};
        struct : LossWriter
        {
            QStringList losses{QString()};
            void write(QStringView piece) override { losses.last() += piece; }
            void endLoss() override { losses.append(QString()); }
        } writer;
        ImportPlacer placer({}, false, 32767);
        placer.reportLosses(contact, placer.place(contact.entry).record, writer);
        const QStringList losses = writer.losses.first(writer.losses.size() - 1);
        QCOMPARE(losses,
                 QStringList({u"名前の「Éé」はShift-JISで表せないので「?」になります"_s,
                              u"名前の終わり「山」は30バイトに入りません"_s,
                              u"入らない項目: ORG"_s}));
    }
};

QTEST_APPLESS_MAIN(TestExchange)
#include "tst_exchange.moc"
