#include <QProcess>
#include <QRegularExpression>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "roster/meibo_record.h"
#include "roster/roster_file.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;
using Field = MeiboRecord::Field;

struct Run
{
    int status = -1; // -1 for a crash or a hang
    QString error;
    QString output;
};

// The tool run to its end; inChild runs in the started process just before the tool does.
static Run tool(const QStringList &arguments, const std::function<void()> &inChild = {})
{
    QProcess process;
    process.setChildProcessModifier(inChild);
    process.start(QStringLiteral(VEDRIN_TOOL), arguments);
    const bool ended = process.waitForFinished(30000);
    return {ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError()),
            QString::fromUtf8(process.readAllStandardOutput())};
}

// One slot of the roster holding only the name.
static QByteArray slot(const QByteArray &name)
{
    return name + QByteArray(436 - name.size(), ' ');
}

// Every file of the folder with its bytes; what is not an ordinary file by its name alone.
static QMap<QString, QByteArray> folder()
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir::current().entryList(QDir::Files | QDir::System | QDir::Hidden))
        files[name] = QFileInfo(name).isFile() && !QFileInfo(name).isSymLink() ? readFileBytes(name) : "";
    return files;
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
        QCOMPARE(tool({u"export"_s, u"--format"_s, format, u"--output"_s, exported}).status, 0);
        QCOMPARE(readFileBytes(u"meibo.dat"_s), original);

        TestDirectory target;
        QCOMPARE(tool({u"import"_s, exported}).status, 0);
        QVERIFY(!QFileInfo::exists(u"meibo.dat"_s));
        QCOMPARE(tool({u"import"_s, u"--apply"_s, exported}).status, 0);
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
        QTest::newRow("unknown command") << u"list"_s << 2 << u"知らないコマンドです: list"_s;
    }
    void refusals()
    {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        TestDirectory dir;
        writeFileBytes(u"input"_s, QByteArray("\x01\x9F\xFE,\x00zz", 7));
        const Run run = tool(arguments.split(u' '));
        QCOMPARE(run.status, status);
        QVERIFY2(run.error.startsWith(message), qPrintable(run.error));
        QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden), QStringList{u"input"_s});
    }

    void importWaitsForTheProgramsLock()
    {
        TestDirectory dir;
        writeFileBytes(u"input.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:x\r\nEND:VCARD\r\n");
        RosterFile held;
        QCOMPARE(held.open(), RosterFile::Status::Ok);
        const QStringList import = {u"import"_s, u"--apply"_s, u"input.vcf"_s};
        QCOMPARE(tool(import).error, u"名簿ファイル meibo.dat は別のVedrinで使用中です。\n"_s);
        QCOMPARE(readFileBytes(u"meibo.dat"_s), QByteArray(""));
        QVERIFY(!QFileInfo::exists(u"meibo.dat.bak"_s));
        held.close();
        QCOMPARE(tool(import).status, 0);
        QCOMPARE(readFileBytes(u"meibo.dat"_s).first(30), QByteArray("x") + QByteArray(29, ' '));
    }

    // A roster, settings, an old backup and a card; setup changes one thing, and the command
    // then leaves every file as it was.
    void leavesTheFolderAsItWas_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString program = u"は名簿ファイル、設定ファイルか名簿の控えです。書き出し先には別のファイルを指定してください。\n"_s;
        const QString notOrdinary = u"名簿ファイル meibo.dat は普通のファイルではありません。\n"_s;
        QTest::newRow("export onto the roster") << u""_s << u"export --output meibo.dat"_s << 1 << u"meibo.dat "_s + program;
        QTest::newRow("while a window has it") << u"lock"_s << u"export --output meibo.dat"_s << 1 << u"meibo.dat "_s + program;
        QTest::newRow("through a link") << u"link out meibo.dat"_s << u"export --output out"_s << 1 << u"out "_s + program;
        QTest::newRow("a link to no settings yet") << u"link out settei.ini; remove settei.ini"_s << u"export --output out"_s << 1 << u"out "_s + program;
        QTest::newRow("a second hard name") << u"hard out settei.ini"_s << u"export --output out"_s << 1 << u"out "_s + program;
        QTest::newRow("the old backup") << u""_s << u"export --output ./meibo.dat.bak"_s << 1 << u"./meibo.dat.bak "_s + program;
        QTest::newRow("roster a FIFO, export") << u"fifo meibo.dat"_s << u"export"_s << 1 << notOrdinary;
        QTest::newRow("roster a FIFO, dry run") << u"fifo meibo.dat"_s << u"import input.vcf"_s << 1 << notOrdinary;
        QTest::newRow("roster a link to /dev/zero") << u"link meibo.dat /dev/zero"_s << u"import input.vcf"_s << 1 << notOrdinary;
        QTest::newRow("input /dev/zero") << u""_s << u"import --apply /dev/zero"_s << 1 << u"/dev/zero は普通のファイルではありません。\n"_s;
        QTest::newRow("input a FIFO") << u"fifo in"_s << u"import --apply in"_s << 1 << u"in は普通のファイルではありません。\n"_s;
        QTest::newRow("input past 256 MB") << u"size in 268435457"_s << u"import --apply in"_s << 1 << u"in は大きすぎます (読み込めるのは 256 MB までです)。\n"_s;
        QTest::newRow("restore the roster") << u""_s << u"restore --apply meibo.dat"_s << 1 << u"名簿ファイル meibo.dat をそれ自身に戻すことはできません。\n"_s;
        QTest::newRow("restore a card") << u""_s << u"restore --apply input.vcf"_s << 1 << u"input.vcf は名簿ファイルの控えではありません (長さが 436 バイトの倍数ではありません)。\n"_s;
        QTest::newRow("slot past 32767") << u"far"_s << u"export"_s << 0 << u"No. 32767 より後の 1 件は書き出していません (読み込めない番号です)。\n"_s;
    }
    void leavesTheFolderAsItWas()
    {
        QFETCH(QString, setup);
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        TestDirectory dir;
        writeFileBytes(u"meibo.dat"_s, slot("A"));
        writeFileBytes(u"settei.ini"_s, "10,\"\"\r\n");
        writeFileBytes(u"meibo.dat.bak"_s, "old");
        writeFileBytes(u"input.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:x\r\nEND:VCARD\r\n");
        RosterFile held;
        for (const QString &step : setup.split(u"; "_s, Qt::SkipEmptyParts)) {
            const QStringList words = step.split(u' ');
            const QString &kind = words[0];
            const QByteArray nameBytes = QFile::encodeName(words.value(1));
            const QByteArray targetBytes = QFile::encodeName(words.value(2));
            const char *name = nameBytes.constData(), *target = targetBytes.constData();
            if (kind == u"fifo" || kind == u"link" || kind == u"remove")
                ::unlink(name);
            QFile file(kind == u"far" ? u"meibo.dat"_s : words.value(1));
            const bool done = kind == u"remove" || (kind == u"fifo" && ::mkfifo(name, 0600) == 0)
                              || (kind == u"link" && ::symlink(target, name) == 0)
                              || (kind == u"hard" && ::link(target, name) == 0)
                              || (kind == u"lock" && held.open() == RosterFile::Status::Ok)
                              || (kind == u"size" && file.open(QIODevice::WriteOnly) && file.resize(targetBytes.toLongLong()))
                              // Slot 32768 of a long roster, which no import takes.
                              || (kind == u"far" && file.open(QIODevice::ReadWrite) && file.seek(32767 * 436)
                                  && file.write(slot("Z")) == 436);
            QVERIFY2(done, qPrintable(step));
        }
        const QMap<QString, QByteArray> before = folder();
        const Run run = tool(arguments.split(u' '));
        QCOMPARE(run.error, message);
        QCOMPARE(run.status, status);
        QCOMPARE(run.output.count(u"BEGIN:VCARD"_s), status == 0 ? 1 : 0);
        QCOMPARE(folder(), before);
    }

    // Written as they are: the bytes reach the reader, and the name still leads to the stream.
    void streams_data()
    {
        QTest::addColumn<QString>("output");
        QTest::newRow("FIFO") << u"fifo"_s;
        QTest::newRow("standard output by name") << u"/dev/stdout"_s;
        QTest::newRow("device node") << u"null"_s;
    }
    void streams()
    {
        QFETCH(QString, output);
        TestDirectory dir;
        writeFileBytes(u"meibo.dat"_s, slot("A") + slot("B"));
        QVERIFY(output != u"fifo" || ::mkfifo("fifo", 0600) == 0);
        QVERIFY(output != u"null" || ::mknod("null", S_IFCHR | 0600, makedev(1, 3)) == 0);
        QProcess process;
        process.start(QStringLiteral(VEDRIN_TOOL), {u"export"_s, u"--output"_s, output});
        QFile fifo(output);
        const QByteArray read = output == u"fifo" && fifo.open(QIODevice::ReadOnly) ? fifo.readAll() : "";
        QVERIFY(process.waitForFinished() && process.exitCode() == 0);
        const QByteArray written = read + process.readAllStandardOutput();
        QCOMPARE(written.count("FN:"), output == u"null" ? 0 : 2);
        QVERIFY(!QFileInfo(output).isFile() || output.startsWith(u"/dev/"));
    }

    // A disk that fills, a limit on file size, no standard streams: what the tool said, and what
    // the folder holds afterwards.
    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("roster"); // none when null
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("slotsAfter"); // c1 to cN; -1 for the roster unchanged
        QTest::addColumn<int>("newFiles");
        QTest::newRow("full disk, export over a file") << u"full"_s << slot("A") << u"export --output old.vcf"_s << 1
            << u"old.vcf に書き込めませんでした: No space left on device\n"_s << -1 << 0;
        QTest::newRow("full disk, backup") << u"full"_s << slot("A") << u"import --apply cards.vcf"_s << 1
            << u"名簿ファイル meibo.dat の控えを作れなかったので、何も書き込んでいません: No space left on device\n"_s << -1 << 0;
        QTest::newRow("full disk, part way") << u"one page"_s << QByteArray("") << u"import --apply cards.vcf"_s << 1
            << u"名簿ファイル meibo.dat に書き込めませんでした: No space left on device\n"
               u"9 件を書き込んだところで止まりました。No. 10 (c10) から後は書き込んでいません。元の名簿は meibo.dat."_s << 9 << 1;
        QTest::newRow("file-size limit") << u"limit"_s << QByteArray() << u"import --apply cards.vcf"_s << 1
            << u"名簿ファイル meibo.dat に書き込めませんでした: File too large\n"
               u"5 件を書き込んだところで止まりました。No. 6 (c6) から後は書き込んでいません。\n"_s << 5 << 0;
        // The message of the failing slot must not land in the roster.
        QTest::newRow("closed standard streams") << u"closed, limit"_s << QByteArray() << u"import --apply cards.vcf"_s << 1
            << u""_s << 5 << 0;
    }
    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(QByteArray, roster);
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        QFETCH(int, slotsAfter);
        QFETCH(int, newFiles);
        if (::geteuid() != 0 && !fault.contains(u"limit"))
            QSKIP("mounting a small disk needs root");
        std::optional<SmallDisk> disk;
        if (fault == u"full" || fault == u"one page")
            disk.emplace();
        TestDirectory dir;
        if (!roster.isNull())
            writeFileBytes(u"meibo.dat"_s, roster);
        writeFileBytes(u"old.vcf"_s, "old");
        writeFileBytes(u"meibo.dat.20261201-120000.bak"_s, "an earlier backup");
        QByteArray cards;
        for (int i = 1; i <= 20; ++i)
            cards += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:c" + QByteArray::number(i) + "\r\nEND:VCARD\r\n";
        writeFileBytes(u"cards.vcf"_s, cards);
        writeFileBytes(u"spare"_s, QByteArray(4096, 's'));
        if (disk)
            disk->fill();
        // One 4096-byte page free: nine slots fit, the tenth crosses into a page the disk lacks.
        QVERIFY(fault != u"one page" || QFile::remove(u"spare"_s));
        const QMap<QString, QByteArray> before = folder();
        const Run run = tool(arguments.split(u' '), [fault] {
            // The default for the signal, as a shell gives it; the limit ends the sixth slot.
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit = {5 * 436 + 100, 5 * 436 + 100};
            if (fault.contains(u"limit"))
                ::setrlimit(RLIMIT_FSIZE, &limit);
            for (int descriptor = 0; fault.contains(u"closed") && descriptor <= 2; ++descriptor)
                ::close(descriptor);
        });
        QVERIFY2(message.isEmpty() ? run.error.isEmpty() : run.error.startsWith(message), qPrintable(run.error));
        QCOMPARE(run.status, status);
        QMap<QString, QByteArray> after = folder();
        QByteArray expected;
        for (int i = 1; i <= slotsAfter; ++i)
            expected += slot("c" + QByteArray::number(i));
        QCOMPARE(after.take(u"meibo.dat"_s), slotsAfter < 0 ? roster : expected);
        for (auto file = before.cbegin(); file != before.cend(); ++file)
            QVERIFY2(file.key() == u"meibo.dat" || after.take(file.key()) == file.value(), qPrintable(file.key()));
        // A backup made of an empty roster is empty.
        QCOMPARE(after.size(), newFiles);
        QVERIFY(newFiles == 0 || after.first().isEmpty());
    }

    // Two imports of two cards of one number, each keeping its own backup; then the first back.
    void backupsAndRestore()
    {
        TestDirectory dir;
        writeFileBytes(u"meibo.dat"_s, slot("A"));
        writeFileBytes(u"two.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:B\r\nX-VEDRIN-NO:2\r\nEND:VCARD\r\n"
                                     "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:C\r\nX-VEDRIN-NO:2\r\nEND:VCARD\r\n");
        const QStringList import = {u"import"_s, u"--apply"_s, u"--replace"_s, u"two.vcf"_s};
        const Run first = tool(import), second = tool(import);
        const QStringList backups = QDir::current().entryList({u"meibo.dat.*.bak"_s});
        QCOMPARE(backups.size(), 2);
        QVERIFY(QRegularExpression(u"^meibo\\.dat\\.20\\d{6}-\\d{6}(_2)?\\.bak$"_s).match(backups[1]).hasMatch());
        QCOMPARE(first.output, u"No. 2: B\nNo. 3: C\n    No. 2 はこのファイルの前の項目が使うので、空いている番号に入れます\n"
                               u"2 件を名簿ファイル meibo.dat に書き込みました (元の名簿は "_s + backups[0] + u")。\n"_s);
        QVERIFY(second.output.endsWith(u"(元の名簿は "_s + backups[1] + u")。\n"_s));
        QCOMPARE(readFileBytes(backups[0]), slot("A"));
        QCOMPARE(readFileBytes(backups[1]), slot("A") + slot("B") + slot("C"));
        const QByteArray imported = slot("A") + slot("B") + slot("C") + slot("C");
        QCOMPARE(readFileBytes(u"meibo.dat"_s), imported);

        const Run dryRun = tool({u"restore"_s, backups[0]});
        QCOMPARE(dryRun.output, u"名簿ファイル meibo.dat (今は 4 件) を "_s + backups[0] + u" (1 件) に戻します。\n"
                                u"まだ何も書き込んでいません。書き込むには --apply を付けてください。\n"_s);
        QCOMPARE(readFileBytes(u"meibo.dat"_s), imported);
        const Run restore = tool({u"restore"_s, u"--apply"_s, backups[0]});
        QCOMPARE(restore.status, 0);
        QCOMPARE(readFileBytes(u"meibo.dat"_s), slot("A"));
        const QStringList now = QDir::current().entryList({u"meibo.dat.*.bak"_s});
        QCOMPARE(now.size(), 3);
        const QString third = QSet(now.cbegin(), now.cend()).subtract(QSet(backups.cbegin(), backups.cend())).values().first();
        QCOMPARE(readFileBytes(third), imported);
        QVERIFY(restore.output.endsWith(u"に戻しました (戻す前の名簿は "_s + third + u")。\n"_s));
    }
};

QTEST_GUILESS_MAIN(TestVedrinTool)
#include "tst_vedrin_tool.moc"
