#include <algorithm>

#include "readings/reading_file.h"
#include "readings/reading_forms.h"
#include "readings/reading_list.h"
#include "roster/meibo_record.h"
#include "roster/roster_file.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;
using Field = MeiboRecord::Field;

// meibo.dat holding these slots (number, name, telephone, mail); the others stay blank.
static void writeRoster(const QList<QStringList> &entries)
{
    QByteArray bytes;
    for (const QStringList &slot : entries) {
        MeiboRecord record;
        record.set(Field::Namae, slot.at(1));
        record.set(Field::Tell, slot.value(2));
        record.set(Field::Mail, slot.value(3));
        const qsizetype offset = (slot.at(0).toInt() - 1) * MeiboRecord::byteSize;
        bytes.resize(qMax(bytes.size(), offset + MeiboRecord::byteSize), ' ');
        bytes.replace(offset, MeiboRecord::byteSize, record.toBytes());
    }
    writeFileBytes(u"meibo.dat"_s, bytes);
}

static QList<int> numbers(const ReadingList &list, const QList<int> &positions)
{
    QList<int> shown;
    for (const int position : positions)
        shown.append(list.entries().at(position).number);
    return shown;
}

class TestReadings : public QObject
{
    Q_OBJECT

private slots:
    void sideFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reading");
        QTest::newRow("confirmed") << "1\t山田\tやまだ\n"_ba << u"山田"_s << u"やまだ"_s;
        QTest::newRow("renamed since") << "1\t山本\tやまもと\n"_ba << u"山田"_s << QString();
        QTest::newRow("CR LF, no last break")
            << "1\t山田\tやまだ\r\n"_ba << u"山田"_s << u"やまだ"_s;
        QTest::newRow("half-width, normalised")
            << "1\t山田\tﾔﾏﾀﾞ  ﾀﾛｳ\n"_ba << u"山田"_s << u"ヤマダ タロウ"_s;
        QTest::newRow("tab in the name") << "1\t山\t田\tやまだ"_ba << u"山\t田"_s << u"やまだ"_s;
        QTest::newRow("bad UTF-8") << "1\t山田\t\xff\xfe\n"_ba << u"山田"_s << QString();
        QTest::newRow("no number") << "x\t山田\tやまだ\n"_ba << u"山田"_s << QString();
        QTest::newRow("two fields") << "1\tやまだ\n"_ba << u"やまだ"_s << QString();
        QTest::newRow("after a damaged line")
            << "\xff\n\t\t\n1\t山田\tやまだ\n"_ba << u"山田"_s << u"やまだ"_s;
        QTest::newRow("missing") << QByteArray() << u"山田"_s << QString();
    }
    void sideFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QString, reading);
        TestDirectory dir;
        if (!bytes.isNull())
            writeFileBytes(u"yomi.txt"_s, bytes);
        QCOMPARE(ReadingFile::load().reading(1, name), reading);
    }

    // Neither hangs nor fails: no readings.
    void unusableSideFile()
    {
        SKIP_UNLESS_SYSTEM_CAN(Fifo);
        TestDirectory dir;
        QVERIFY(makeFifo(u"yomi.txt"_s));
        QCOMPARE(ReadingFile::load().reading(1, u"山田"_s), QString());
        QVERIFY(QFile::remove(u"yomi.txt"_s));
        writeFileBytes(u"yomi.txt"_s, "1\t山田\tやまだ\n"_ba);
        QVERIFY(QFile::setPermissions(u"yomi.txt"_s, QFileDevice::WriteOwner));
        SKIP_UNLESS_SYSTEM_CAN(Privileges);
        WithoutPrivileges nobody(dir);
        QCOMPARE(ReadingFile::load().reading(1, u"山田"_s), QString());
    }

    // A stale line is not shown and goes at the next write, which leaves the roster as it was.
    void staleLineDropped()
    {
        TestDirectory dir;
        writeRoster({{u"1"_s, u"山田"_s}, {u"3"_s, u"鈴木"_s}});
        writeFileBytes(u"yomi.txt"_s, "3\t鈴木一\tすずき はじめ\n1\t山田\tやまだ\n"_ba);
        const QByteArray roster = readFileBytes(u"meibo.dat"_s);
        ReadingList list;
        QString reason;
        QVERIFY(list.load(&reason));
        QCOMPARE(list.entries().at(1).reading, u"すずき"_s);
        QCOMPARE(list.entries().at(1).kind, ReadingKind::Guessed);
        RosterFile file;
        QCOMPARE(file.open(), RosterFile::Status::Ok);
        QCOMPARE(list.confirm(0, u"ﾔﾏﾀﾞ"_s, file, &reason), ReadingList::Confirmation::Confirmed);
        QCOMPARE(readFileBytes(u"yomi.txt"_s), "1\t山田\tヤマダ\n"_ba);
        QCOMPARE(list.confirm(1, u"すずき\nはじめ"_s, file, &reason),
                 ReadingList::Confirmation::Confirmed);
        QCOMPARE(readFileBytes(u"yomi.txt"_s), "1\t山田\tヤマダ\n3\t鈴木\tすずき はじめ\n"_ba);
        QCOMPARE(list.confirm(0, QString(201, u'あ'), file, &reason),
                 ReadingList::Confirmation::NotKept);
        QCOMPARE(readFileBytes(u"meibo.dat"_s), roster);
    }

    void matching_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QList<int>>("found");
        QTest::newRow("hiragana") << u"たなか"_s << QList<int>{3};
        QTest::newRow("katakana") << u"タナカ"_s << QList<int>{3};
        QTest::newRow("half-width") << u"ﾀﾅｶ"_s << QList<int>{3};
        QTest::newRow("reading without blank") << u"たなかはな"_s << QList<int>{3};
        QTest::newRow("romaji") << u"tanaka"_s << QList<int>{4, 3};
        QTest::newRow("romaji, capitals") << u"TANAKA"_s << QList<int>{4, 3};
        QTest::newRow("romaji, full-width") << u"ｔａｎａｋａ"_s << QList<int>{4, 3};
        QTest::newRow("sato") << u"sato"_s << QList<int>{1, 2};
        QTest::newRow("satou") << u"satou"_s << QList<int>{1, 2};
        QTest::newRow("satō") << u"satō"_s << QList<int>{1, 2};
        QTest::newRow("satoh") << u"satoh"_s << QList<int>{1, 2};
        QTest::newRow("romaji of a guess") << u"itou"_s << QList<int>{5};
        QTest::newRow("digits") << u"0312345678"_s << QList<int>{1};
        QTest::newRow("hyphens") << u"3-1234-5"_s << QList<int>{1};
        QTest::newRow("blanks") << u"1111 2222"_s << QList<int>{5};
        QTest::newRow("full-width digits") << u"０９０"_s << QList<int>{5};
        QTest::newRow("mail, case") << u"TARO.sato@"_s << QList<int>{1};
        QTest::newRow("part of a name") << u"花子"_s << QList<int>{3};
        QTest::newRow("nothing") << u"xyz"_s << QList<int>{};
    }
    void matching()
    {
        QFETCH(QString, search);
        QFETCH(QList<int>, found);
        TestDirectory dir;
        writeRoster({{u"1"_s, u"佐藤 太郎"_s, u"03-1234-5678"_s, u"Taro.Sato@Example.jp"_s},
                     {u"2"_s, u"ｻﾄｰ"_s},
                     {u"3"_s, u"田中花子"_s},
                     {u"4"_s, u"Tanaka"_s},
                     {u"5"_s, u"伊藤"_s, u"090 1111 2222"_s}});
        writeFileBytes(u"yomi.txt"_s,
                       "1\t佐藤 太郎\tさとう たろう\n3\t田中花子\tたなか はなこ\n"_ba);
        ReadingList list;
        QString reason;
        QVERIFY(list.load(&reason));
        QList<int> matched =
            numbers(list, list.matching(list.ordered(ReadingList::Order::Reading), search));
        // In 五十音順 as ICU has it, Tanaka before たなか; elsewhere only which entries match.
        if (!collatesWithIcu()) {
            std::sort(matched.begin(), matched.end());
            std::sort(found.begin(), found.end());
        }
        QCOMPARE(matched, found);
    }

    void indexRow_data()
    {
        QTest::addColumn<QString>("reading");
        QTest::addColumn<int>("row");
        const QStringList readings = {u"ぁい"_s, u"ゔぃ"_s, u"がっこう"_s, u"ザ"_s, u"ぢ"_s,
                                      u"ﾅﾅ"_s,   u"ぽ"_s,   u"もも"_s,     u"ゃ"_s, u"ろ"_s,
                                      u"ん"_s,   u"ゎ"_s,   u"ABC"_s,      u"ー"_s, u""_s};
        const QList<int> rows = {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 10, 10, 10};
        for (qsizetype i = 0; i < readings.size(); ++i)
            QTest::newRow(qPrintable(readings.at(i))) << readings.at(i) << rows.at(i);
    }
    void indexRow()
    {
        QFETCH(QString, reading);
        QFETCH(int, row);
        QCOMPARE(ReadingForms::indexRow(reading), row);
    }

    void guesses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reading");
        QTest::addColumn<ReadingKind>("kind");
        QTest::newRow("family and given")
            << u"田中花子"_s << u"たなか はなこ"_s << ReadingKind::Guessed;
        QTest::newRow("blank typed")
            << u"佐藤　太郎"_s << u"さとう たろう"_s << ReadingKind::Guessed;
        QTest::newRow("Latin") << u"John Smith"_s << u"John Smith"_s << ReadingKind::Own;
        QTest::newRow("half-width kana") << u"ﾀﾅｶ ﾊﾅｺ"_s << u"タナカ ハナコ"_s << ReadingKind::Own;
    }
    void guesses()
    {
        QFETCH(QString, name);
        QFETCH(QString, reading);
        QFETCH(ReadingKind, kind);
        TestDirectory dir;
        writeRoster({{u"1"_s, name}});
        ReadingList list;
        QString reason;
        QVERIFY(list.load(&reason));
        QCOMPARE(list.entries().at(0).reading, reading);
        QCOMPARE(list.entries().at(0).kind, kind);
        QVERIFY(!QFileInfo::exists(u"yomi.txt"_s));
    }
};

QTEST_GUILESS_MAIN(TestReadings)
#include "tst_readings.moc"
