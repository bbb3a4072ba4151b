#include <QProcess>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/program.h"

using namespace Qt::StringLiterals;

static const QByteArray sato = "Sato" + QByteArray(432, ' ');

// Files the program may not touch, damaged files, a second copy and a full disk: the program says
// so or recovers, and no byte of the user's files changes unless the user asks for it.
class TestMainWindowFaults : public QObject
{
    Q_OBJECT

private slots:
    void refusals_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("message"); // ending in a blank: the system's reason follows
        const QString settings = u"設定ファイル settei.ini は普通のファイルではありません。"_s;
        const QString roster = u"名簿ファイル meibo.dat は普通のファイルではありません。"_s;
        QTest::newRow("read-only folder, first start") << u"folder"_s << u"設定ファイル settei.ini を書き込めませんでした: "_s;
        QTest::newRow("read-only roster file") << u"file meibo.dat"_s
                                               << u"名簿ファイル meibo.dat を開けませんでした: "_s;
        QTest::newRow("settei.ini a FIFO") << u"FIFO settei.ini"_s << settings;
        QTest::newRow("meibo.dat a link to /dev/null") << u"link meibo.dat"_s << roster;
    }
    void refusals()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, message);
        const QString name = obstacle.section(u' ', 1);
        const QByteArray settings = name.isEmpty() || name == u"settei.ini" ? QByteArray() : "10,\"\"\r\n";
        Program program(settings, obstacle.startsWith(u"file") ? sato : QByteArray());
        QVERIFY(!obstacle.startsWith(u"FIFO") || ::mkfifo(qPrintable(name), 0666) == 0);
        QVERIFY(!obstacle.startsWith(u"link") || QFile::link(u"/dev/null"_s, name));
        QVERIFY(!obstacle.startsWith(u"file") || ::chmod(qPrintable(name), 0444) == 0);
        // Even a broken check could then never replace a device node.
        WithoutPrivileges unprivileged(program.dir, !obstacle.startsWith(u"folder"));
        QVERIFY(!program.start());
        QVERIFY(program.windows.exitCode() == 1 && program.messages.size() == 1);
        QCOMPARE(program.messages.first().left(message.size()), message);
        QCOMPARE(program.messages.first().size() > message.size(), message.endsWith(u' '));
        // No file was made or changed; a FIFO or link is still one.
        QCOMPARE(QFileInfo(u"settei.ini"_s).isFile(), !settings.isNull());
        QCOMPARE(QFileInfo(u"meibo.dat"_s).isFile(), obstacle.startsWith(u"file"));
    }

    void readOnlyFolderWithWritableSettings()
    {
        // A number alone is a failed read, which start-up answers by writing the defaults: in a
        // folder that takes no new file, in place.
        Program program("25\r\n", QByteArray(""));
        QCOMPARE(::chmod("settei.ini", 0666) | ::chmod("meibo.dat", 0666), 0);
        WithoutPrivileges unprivileged(program.dir, false);
        QVERIFY(program.start() && program.messages.isEmpty());
        QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("\x31\x30\x2C\x22\x22\x0D\x0A"));
    }

    void secondCopyOnOneRoster()
    {
        Program program("10,\"\"\r\n", sato);
        struct stat roster = {};
        QCOMPARE(::stat("meibo.dat", &roster), 0);
        // It inherits this test's headless platform, but no standard input, output or error.
        QProcess first;
        first.setChildProcessModifier([] { ::close(0), ::close(1), ::close(2); });
        first.start(QStringLiteral(VEDRIN_EXECUTABLE));
        const QByteArray lockedInode = ':' + QByteArray::number(roster.st_ino) + ' ';
        QTRY_VERIFY_WITH_TIMEOUT(readFileBytes(u"/proc/locks"_s).contains(lockedInode), 30000);
        for (const int standard : {0, 1, 2})
            QCOMPARE(QFile::symLinkTarget(u"/proc/%1/fd/%2"_s.arg(first.processId()).arg(standard)), u"/dev/null"_s);
        // The real program lets a file-size limit fail its writes instead of ending it.
        const QByteArray status = readFileBytes(u"/proc/%1/status"_s.arg(first.processId()));
        const QByteArray ignored = status.mid(status.indexOf("SigIgn:") + 7, 17).trimmed();
        QVERIFY(ignored.toULongLong(nullptr, 16) & (1ULL << (SIGXFSZ - 1)));

        // Settings that start-up would rewrite: the refused copy leaves them as they are.
        writeFileBytes(u"settei.ini"_s, "25\r\n");
        QVERIFY(!program.start() && program.windows.exitCode() == 1);
        QCOMPARE(program.messages, QStringList{u"名簿ファイル meibo.dat は別のVedrinで使用中です。"_s});
        QCOMPARE(readFileBytes(u"settei.ini"_s) + readFileBytes(u"meibo.dat"_s), "25\r\n" + sato);
        // However the first copy ends, the system gives the roster free.
        first.kill();
        QVERIFY(first.waitForFinished());
        ProgramState state;
        QVERIFY(ProgramWindows(state).showMainWindow());
        // Kept through 設定, while no main window is loaded: the console tool's import is refused.
        Program second;
        QVERIFY(second.start() && second.click(u"open"_s) && !second.windows.mainWindow());
        QCOMPARE(RosterFile().open(), RosterFile::Status::Locked);
    }

    void fifoSlippedInForTheSettings()
    {
        Program program;
        QVERIFY(program.start());
        std::atomic<bool> done = false;
        // A FIFO and a file renamed in turn over the settings: an open that waited would hang.
        std::thread swapper([&] {
            while (!done)
                ::mkfifo("fifo", 0666), ::rename("fifo", "settei.ini"),
                    ::close(::creat("file", 0666)), ::rename("file", "settei.ini");
        });
        for (int registers = 0; registers < 200; ++registers)
            (void)program.registerEntry(u"1"_s, u"A"_s);
        done = true;
        swapper.join();
    }

    void fullDisk()
    {
        // The suite runs as root; a developer's own run as an ordinary user cannot mount the disk.
        if (::geteuid() != 0)
            QSKIP("mounting a small disk needs root");
        SmallDisk disk;
        Program program("30,\"\"\r\n");
        QVERIFY(program.start() && program.registerEntry(u"1"_s, u"A"_s) && program.registerEntry(u"30"_s, u"T"_s));
        const QByteArray before = readFileBytes(u"meibo.dat"_s);
        // Slot 19 lies in 4096-byte blocks never written, for which the full disk has no room.
        disk.fill();
        QVERIFY(program.registerEntry(u"19"_s, u"C"_s) && program.click(u"Command4"_s));
        QCOMPARE(program.messages, (QStringList{u"Noが選択されていません。リストよりNoを指定するか番号を入力して下さい。"_s,
                                                u"削除するデータが選択されていません。"_s}));
        QCOMPARE(readFileBytes(u"meibo.dat"_s), before);
        // Slot 2 needs no new block; its refill shows slot 19 as it was.
        QVERIFY(program.registerEntry(u"2"_s, u"B"_s) && program.messages.size() == 2);
        QCOMPARE(program.lines().at(18), u" 19:  "_s + QString(30, u' '));
        // 設定 with a name longer than the old file's one page, written aside and then in place (a
        // folder that takes no new file): refused, and the old file stays, even once reloaded.
        QVERIFY(::chmod("settei.ini", 0666) == 0 && program.click(u"open"_s)
                && program.type(u"Settei/Text2"_s, QString(2100, u'山')) && program.click(u"Settei/OK"_s));
        {
            WithoutPrivileges unprivileged(program.dir, false);
            QVERIFY(program.click(u"Settei/OK"_s));
        }
        QCOMPARE(program.messages.mid(2), QStringList(2, u"設定を保存できませんでした。"_s));
        QVERIFY(program.windows.showMainWindow() && readFileBytes(u"settei.ini"_s) == "30,\"\"\r\n");
    }

    void damagedRoster()
    {
        // A slot of zero bytes; lead bytes without trail bytes, unassigned pairs and bytes that begin
        // no character, with a lead byte cut off by the end of every field; a slot cut off in its mail.
        const QByteArray damaged = QByteArray("\x81\x20\xFF\x80\xA0\xFD", 6) + QByteArray(23, 'n') + '\x81'
                                   + QByteArray("\x85\x40\xEB\x40", 4) + QByteArray(25, 'm') + '\x9F'
                                   + QByteArray("\xFE\xFC\x81\x7F", 4) + QByteArray(25, 't') + '\xE0'
                                   + QByteArray("\xEF\xFC\x0D\x81\x0A", 5) + QByteArray(84, 'a') + '\xFC'
                                   + QByteArray("/\x81", 2) + QByteArray(253, 'p') + '\x81';
        const QByteArray before = QByteArray(436, '\0') + damaged + "Tail" + QByteArray(26, ' ') + "t@x";
        Program program("4,\"\"\r\n", before);
        QVERIFY(program.start() && program.choose(1));
        QCOMPARE(program.lines().at(2), u"  3:  Tail"_s + QString(26, u' '));
        // The path names no file: the picture messages, and the fields show what could be read.
        QCOMPARE(program.messages, (QStringList{u"画像読み込みエラー"_s,
                                                u"指定の画像が見つかりません。移動または削除していませんか?"_s}));
        QVERIFY(program.text(u"Namae"_s).size() == 30 && program.text(u"Namae"_s).contains(u'\uFFFD'));
        QVERIFY(program.text(u"Mail"_s).endsWith(u'\uFFFD'));
        // Neither viewing nor registering slot 4 changes a byte before it.
        QVERIFY(program.registerEntry(u"4"_s, u"New"_s) && program.messages.size() == 2);
        QCOMPARE(readFileBytes(u"meibo.dat"_s).first(before.size()), before);
    }
};

QTEST_MAIN(TestMainWindowFaults)
#include "tst_main_window_faults.moc"
