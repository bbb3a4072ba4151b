#include <QProcess>

#include "roster/meibo_record.h"
#include "roster/roster_file.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;
using Field = MeiboRecord::Field;

struct Run { int status = -1; QString error, output; }; // -1 for a crash or a hang

// The tool run to its end; inChild runs in the started process just before the tool does.
static Run tool(const QStringList &arguments, const std::function<void()> &inChild = {})
{
    QProcess process;
    setChildSetup(process, inChild);
    process.start(QStringLiteral(VEDRIN_TOOL), arguments);
    return {process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError()),
            QString::fromUtf8(process.readAllStandardOutput())};
}

static QByteArray slot(const QByteArray &name) { return name + QByteArray(436 - name.size(), ' '); }

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
        QTest::addColumn<QByteArray>("reading"); // slot 1's reading as it comes back
        QTest::newRow("vCard 3.0") << u"vcard"_s << "やまだ たろう"_ba;
        QTest::newRow("vCard 4.0") << u"vcard4"_s << "やまだ たろう"_ba;
        QTest::newRow("vCard 2.1") << u"vcard21"_s << "ヤマダ タロウ"_ba;
        QTest::newRow("CSV") << u"csv"_s << "やまだ たろう"_ba;
    }
    void roundTrip()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, reading);
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
        QCOMPARE(tool({u"yomi"_s, u"set"_s, u"1"_s, u"やまだ　たろう"_s}).status, 0);
        const QString exported = source.filePath(u"roster.out"_s);
        QCOMPARE(tool({u"export"_s, u"--format"_s, format, u"--output"_s, exported}).status, 0);
        QCOMPARE(readFileBytes(u"meibo.dat"_s), original);

        TestDirectory target;
        QCOMPARE(tool({u"import"_s, exported}).status, 0);
        QVERIFY(!QFileInfo::exists(u"meibo.dat"_s));
        QCOMPARE(tool({u"import"_s, u"--apply"_s, exported}).status, 0);
        // Never-written stretches read as spaces, as the program reads them.
        QCOMPARE(readFileBytes(u"meibo.dat"_s).replace('\0', ' '), original.replace('\0', ' '));
        QCOMPARE(readFileBytes(u"yomi.txt"_s), "1\t山田 太郎\t" + reading + '\n');
    }

    // A guess goes out only when asked for, and is never stored.
    void guessedReadings()
    {
        TestDirectory folder;
        writeFileBytes(u"meibo.dat"_s, slot("\x93\x63\x92\x86 \x88\xea\x98\x59")); // 田中 一郎
        QVERIFY(!tool({u"export"_s}).output.contains(u"X-PHONETIC"_s));
        QVERIFY(tool({u"export"_s, u"--guessed-readings"_s}).output.contains(u"X-PHONETIC-LAST-NAME:たなか\r\n"_s));
        QVERIFY(!QFileInfo::exists(u"yomi.txt"_s));
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
        const Run run = tool(arguments.split(u' '));
        QCOMPARE(run.status, status);
        QVERIFY2(run.error.startsWith(message), qPrintable(run.error));
        QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden), QStringList{u"input"_s});
    }

    // A file that is not UTF-8 is known so only at its end: the card without a usable field
    // (a 2.1 name that is UTF-8, no Shift-JIS) is named before any is placed. Cut is where the
    // tool's 16 KB read piece ends in the third card's name line: inside 花, or between CR and LF.
    void dryRunOfAShiftJisFile_data()
    {
        QTest::addColumn<int>("cut");
        QTest::newRow("small") << -1;
        QTest::newRow("a character across the read piece") << 4;
        QTest::newRow("a line end across the read piece") << 8;
    }
    void dryRunOfAShiftJisFile()
    {
        QFETCH(int, cut);
        TestDirectory dir;
        QByteArray cards = "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:\x8E\x52\x93\x63\r\nEND:VCARD\r\n"
                           "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:\xE3\x81\x82\r\n";
        const QByteArray last = "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\n";
        if (cut >= 0)
            cards += "X-PAD:" + QByteArray(16384 - cut - cards.size() - last.size() - 8, 'x') + "\r\n";
        writeFileBytes(u"in.vcf"_s, cards + last + "FN:\x89\xD4\x8E\x71\r\nEND:VCARD\r\n");
        QCOMPARE(tool({u"import"_s, u"in.vcf"_s}).output,
                 u"2 件目は使える項目がないので飛ばしました\nNo. 1: 山田\nNo. 2: 花子\n"
                 u"まだ何も書き込んでいません。書き込むには --apply を付けてください。\n"_s);
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
        QCOMPARE(QDir::current().entryList({u"meibo.dat.*"_s}), QStringList());
        held.close();
        QCOMPARE(tool(import).status, 0);
        QCOMPARE(readFileBytes(u"meibo.dat"_s).first(30), QByteArray("x") + QByteArray(29, ' '));
    }

    // Setup (a shell command) changes the folder, a fault the disk or the process. The command prints
    // that many cards (-1: refused, status 1); only the roster changes, to c1 to cN when imported.
    void commands_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("cards");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("imported");
        const QString program = u"は名簿ファイル、設定ファイルか名簿の控えです。書き出し先には別のファイルを指定してください。\n"_s;
        const QString notOrdinary = u"名簿ファイル meibo.dat は普通のファイルではありません。\n"_s;
        const QString import = u"import --apply cards.vcf"_s, cannotWrite = u"名簿ファイル meibo.dat に書き込めませんでした: "_s;
        QTest::newRow("while a window has it") << u"lock"_s << u""_s << u"export --output meibo.dat"_s << -1 << u"meibo.dat "_s + program << -1;
        QTest::newRow("through a link") << u"ln -s meibo.dat out"_s << u""_s << u"export --output out"_s << -1 << u"out "_s + program << -1;
        QTest::newRow("a link to no settings yet") << u"ln -s settei.ini out; rm settei.ini"_s << u""_s << u"export --output out"_s << -1 << u"out "_s + program << -1;
        QTest::newRow("a second hard name") << u"ln settei.ini out"_s << u""_s << u"export --output out"_s << -1 << u"out "_s + program << -1;
        QTest::newRow("the old backup") << u""_s << u""_s << u"export --output ./meibo.dat.bak"_s << -1 << u"./meibo.dat.bak "_s + program << -1;
        QTest::newRow("to a device node") << u"mknod null c 1 3"_s << u""_s << u"export --output null"_s << 0 << u""_s << -1;
        QTest::newRow("to standard output by name") << u""_s << u""_s << u"export --output /dev/stdout"_s << 1 << u""_s << -1;
        QTest::newRow("roster a FIFO, export") << u"rm meibo.dat; mkfifo meibo.dat"_s << u""_s << u"export"_s << -1 << notOrdinary << -1;
        QTest::newRow("roster a FIFO, dry run") << u"rm meibo.dat; mkfifo meibo.dat"_s << u""_s << u"import input.vcf"_s << -1 << notOrdinary << -1;
        QTest::newRow("roster a link to /dev/zero") << u"ln -sf /dev/zero meibo.dat"_s << u""_s << u"import input.vcf"_s << -1 << notOrdinary << -1;
        QTest::newRow("input /dev/zero") << u""_s << u""_s << u"import --apply /dev/zero"_s << -1 << u"/dev/zero は普通のファイルではありません。\n"_s << -1;
        QTest::newRow("input a FIFO") << u"mkfifo in"_s << u""_s << u"import --apply in"_s << -1 << u"in は普通のファイルではありません。\n"_s << -1;
        QTest::newRow("input past 256 MB") << u"truncate -s 268435457 in"_s << u""_s << u"import --apply in"_s << -1 << u"in は大きすぎます (読み込めるのは 256 MB までです)。\n"_s << -1;
        QTest::newRow("restore the roster") << u""_s << u""_s << u"restore --apply meibo.dat"_s << -1 << u"名簿ファイル meibo.dat をそれ自身に戻すことはできません。\n"_s << -1;
        QTest::newRow("restore a card") << u""_s << u""_s << u"restore --apply input.vcf"_s << -1 << u"input.vcf は名簿ファイルの控えではありません (長さが 436 バイトの倍数ではありません)。\n"_s << -1;
        QTest::newRow("slot 32768") << u"truncate -s 14286412 meibo.dat; printf %-436s Z >>meibo.dat"_s << u""_s << u"export"_s << 1 << u"No. 32767 より後の 1 件は書き出していません (読み込めない番号です)。\n"_s << -1;
        QTest::newRow("full disk, export over a file") << u""_s << u"full"_s << u"export --output old.vcf"_s << -1 << u"old.vcf に書き込めませんでした: No space left on device\n"_s << -1;
        QTest::newRow("full disk, backup") << u""_s << u"full"_s << import << -1 << u"名簿ファイル meibo.dat の控えを作れなかったので、何も書き込んでいません: No space left on device\n"_s << -1;
        // One 4096-byte page free: nine slots fit, the tenth crosses into a page the disk lacks.
        QTest::newRow("full disk, part way") << u": >meibo.dat"_s << u"one page"_s << import << -1 << cannotWrite + u"No space left on device\n9 件を書き込んだところで止まりました。No. 10 (c10) から後は書き込んでいません。元の名簿は meibo.dat."_s << 9;
        QTest::newRow("file-size limit") << u"rm meibo.dat"_s << u"limit"_s << import << -1 << cannotWrite + u"File too large\n5 件を書き込んだところで止まりました。No. 6 (c6) から後は書き込んでいません。\n"_s << 5;
        // The message of the failing slot must not land in the roster.
        QTest::newRow("closed standard streams") << u"rm meibo.dat"_s << u"closed, limit"_s << import << -1 << u""_s << 5;
    }
    void commands()
    {
        QFETCH(QString, setup);
        QFETCH(QString, fault);
        QFETCH(QString, arguments);
        QFETCH(int, cards);
        QFETCH(QString, message);
        QFETCH(int, imported);
        SKIP_UNLESS_SYSTEM_CAN(Shell);
        if (!runsAsRoot() && (setup.startsWith(u"mknod") || (!fault.isEmpty() && !fault.contains(u"limit"))))
            QSKIP("device nodes and a small disk need root");
        std::optional<SmallDisk> disk;
        if (fault == u"full" || fault == u"one page")
            disk.emplace();
        TestDirectory dir;
        writeFileBytes(u"meibo.dat"_s, slot("A"));
        writeFileBytes(u"input.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:x\r\nEND:VCARD\r\n");
        const QString files = uR"(printf '10,""\r\n' >settei.ini; echo old >meibo.dat.bak; echo old >old.vcf; head -c 4096 /dev/zero >spare
            for i in $(seq 20); do printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nFN:c%s\r\nEND:VCARD\r\n' $i; done >cards.vcf; )"_s;
        QCOMPARE(QProcess::execute(u"/bin/sh"_s, {u"-c"_s, files + (setup == u"lock" ? QString() : setup)}), 0);
        RosterFile held;
        QVERIFY(setup != u"lock" || held.open() == RosterFile::Status::Ok);
        if (disk)
            disk->fill();
        QVERIFY(fault != u"one page" || QFile::remove(u"spare"_s));
        QMap<QString, QByteArray> before = folder();
        const Run run = tool(arguments.split(u' '), [fault] {
            // The limit stops the sixth slot.
            defaultFileSizeSignal();
            if (fault.contains(u"limit"))
                limitFileSize(5 * 436 + 100);
            if (fault.contains(u"closed"))
                closeStandardDescriptors();
        });
        QVERIFY2(message.isEmpty() ? run.error.isEmpty() : run.error.startsWith(message), qPrintable(run.error));
        QCOMPARE(run.status, cards < 0 ? 1 : 0);
        QCOMPARE(run.output.count(u"BEGIN:VCARD"_s), qMax(cards, 0));
        QMap<QString, QByteArray> after = folder();
        QByteArray roster;
        for (int i = 1; i <= imported; ++i)
            roster += slot("c" + QByteArray::number(i));
        QVERIFY(imported < 0 || (after.take(u"meibo.dat"_s) == roster && before.remove(u"meibo.dat"_s) < 2));
        for (auto file = before.cbegin(); file != before.cend(); ++file)
            QVERIFY2(after.take(file.key()) == file.value(), qPrintable(file.key()));
        // A backup of the empty roster is the only new file.
        QCOMPARE(after.values(), fault == u"one page" ? QByteArrayList{""} : QByteArrayList());
    }

    // A FIFO gets the bytes and stays a FIFO.
    void exportToAFifo()
    {
        SKIP_UNLESS_SYSTEM_CAN(Fifo);
        TestDirectory dir;
        writeFileBytes(u"meibo.dat"_s, slot("A") + slot("B"));
        QVERIFY(makeFifo(u"fifo"_s));
        QProcess process;
        process.start(QStringLiteral(VEDRIN_TOOL), {u"export"_s, u"--output"_s, u"fifo"_s});
        QFile fifo(u"fifo"_s);
        QCOMPARE(fifo.open(QIODevice::ReadOnly) ? fifo.readAll().count("FN:") : -1, 2);
        QVERIFY(process.waitForFinished() && process.exitCode() == 0 && !QFileInfo(u"fifo"_s).isFile());
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
        const QStringList backups = QDir::current().entryList({u"meibo.dat.20*.bak"_s});
        QCOMPARE(first.output, u"No. 2: B\nNo. 3: C\n    No. 2 はこのファイルの前の項目が使うので、空いている番号に入れます\n"
                               u"2 件を名簿ファイル meibo.dat に書き込みました (元の名簿は "_s + backups.value(0) + u")。\n"_s);
        QVERIFY(second.output.endsWith(u"(元の名簿は "_s + backups.value(1) + u")。\n"_s));
        QCOMPARE(readFileBytes(backups.value(0)) + readFileBytes(backups.value(1)), slot("A") + slot("A") + slot("B") + slot("C"));
        const QByteArray imported = slot("A") + slot("B") + slot("C") + slot("C");
        QCOMPARE(tool({u"restore"_s, backups.value(0)}).output, u"名簿ファイル meibo.dat (今は 4 件) を "_s + backups.value(0)
                     + u" (1 件) に戻します。\nまだ何も書き込んでいません。書き込むには --apply を付けてください。\n"_s);
        QCOMPARE(readFileBytes(u"meibo.dat"_s), imported);
        // The roster is replaced whole, by a rename, while the tool holds its lock.
        SKIP_UNLESS_SYSTEM_CAN(ReplaceOpenFile);
        const Run restore = tool({u"restore"_s, u"--apply"_s, backups.value(0)});
        const QString third = QDir::current().entryList({u"meibo.dat.20*.bak"_s}).value(2);
        QVERIFY(restore.output.endsWith(u"(戻す前の名簿は "_s + third + u")。\n"_s));
        QCOMPARE(readFileBytes(u"meibo.dat"_s) + readFileBytes(third), slot("A") + imported);
    }
};

QTEST_GUILESS_MAIN(TestVedrinTool)
#include "tst_vedrin_tool.moc"
