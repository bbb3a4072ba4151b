#include <QProcess>

#include "roster/meibo_record.h"
#include "roster/roster_file.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;
using Field = MeiboRecord::Field;

// The exit status, or -1 for a crash, and what the tool wrote to its standard error.
static std::pair<int, QString> tool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(VEDRIN_TOOL), arguments);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

class TestVedrinTool : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("vCard 3.0") << u"vcard"_s;
        QTest::newRow("vCard 4.0") << u"vcard4"_s;
        QTest::newRow("vCard 2.1") << u"vcard21"_s;
        QTest::newRow("CSV") << u"csv"_s;
    }
    void roundTrip()
    {
        QFETCH(QString, format);
        TestDirectory source;
        RosterFile roster;
        QCOMPARE(roster.open(), RosterFile::Status::Ok);
        // Name, mail, phone, memo and picture of slots 1, 2, 3 and 40; those between stay blank.
        const QList<QStringList> stored = {
            {u"山田 太郎"_s, u"taro@example.jp"_s, u"03-1234-5678"_s, u"東京都\r\n千代田区1,2;3\\4"_s,
             u"/写真/"_s + QString(247, u'p')},
            {u"ｻﾄｳ　ﾊﾅｺ"_s, {}, u"090"_s, u"\"引用\" , ;"_s, {}},
            {u"   "_s, u"only@mail"_s, {}, {}, {}},
            // A full memo, its line break the only reason to quote it.
            {u"Smith; John"_s, {}, {}, QString(22, u'長') + u"\r\n"_s + QString(22, u'長'),
             u"C:\\写真\\a.jpg"_s}};
        for (qsizetype i = 0; i < stored.size(); ++i) {
            MeiboRecord entry;
            for (int field = 0; field < MeiboRecord::fieldCount; ++field)
                entry.set(Field(field), stored[i][field]);
            QCOMPARE(roster.writeSlot(i < 3 ? int(i) + 1 : 40, entry), RosterFile::Status::Ok);
        }
        roster.close();
        QByteArray original = readFileBytes(u"meibo.dat"_s);
        const QString exported = source.filePath(u"roster.out"_s);
        QCOMPARE(tool({u"export"_s, u"--format"_s, format, u"--output"_s, exported}).first, 0);
        QCOMPARE(readFileBytes(u"meibo.dat"_s), original);

        TestDirectory target;
        QCOMPARE(tool({u"import"_s, exported}).first, 0);
        QVERIFY(!QFileInfo::exists(u"meibo.dat"_s));
        QCOMPARE(tool({u"import"_s, u"--apply"_s, exported}).first, 0);
        // Never-written stretches read as spaces, as the program reads them.
        QCOMPARE(readFileBytes(u"meibo.dat"_s).replace('\0', ' '), original.replace('\0', ' '));
    }

    // Each leaves the folder as it was: random bytes in a file named input, no roster.
    void refusals_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("export without a roster")
            << u"export"_s << 1 << u"名簿ファイル meibo.dat が "_s;
        QTest::newRow("import of random bytes")
            << u"import --apply input"_s << 1 << u"input はvCardでもCSVでもありません。"_s;
        QTest::newRow("unknown format") << u"export --format ldif"_s << 2 << u"形式は"_s;
        QTest::newRow("unknown command") << u"sort"_s << 2 << u"知らないコマンドです: sort"_s;
    }
    void refusals()
    {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        TestDirectory dir;
        writeFileBytes(u"input"_s, QByteArray("\x01\x9F\xFE,\x00zz", 7));
        const auto [exitStatus, error] = tool(arguments.split(u' '));
        QCOMPARE(exitStatus, status);
        QVERIFY2(error.startsWith(message), qPrintable(error));
        QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden), QStringList{u"input"_s});
    }

    void importWaitsForTheProgramsLock()
    {
        TestDirectory dir;
        writeFileBytes(u"input.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:x\r\nEND:VCARD\r\n");
        RosterFile held;
        QCOMPARE(held.open(), RosterFile::Status::Ok);
        const QStringList import = {u"import"_s, u"--apply"_s, u"input.vcf"_s};
        QCOMPARE(tool(import),
                 std::pair(1, u"名簿ファイル meibo.dat は別のVedrinで使用中です。\n"_s));
        QCOMPARE(readFileBytes(u"meibo.dat"_s), QByteArray(""));
        QVERIFY(!QFileInfo::exists(u"meibo.dat.bak"_s));
        held.close();
        QCOMPARE(tool(import).first, 0);
        QCOMPARE(readFileBytes(u"meibo.dat"_s).first(30), QByteArray("x") + QByteArray(29, ' '));
    }
};

QTEST_GUILESS_MAIN(TestVedrinTool)
#include "tst_vedrin_tool.moc"
