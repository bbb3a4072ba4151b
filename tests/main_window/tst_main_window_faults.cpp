#include <QTest>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QListView>
#include <QProcess>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>

#include "app/program_state.h"
#include "app/program_windows.h"
#include "main_window/main_window.h"
#include "main_window_program.h"
#include "support/message_recorder.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int slotSize = 436;

QString listLine(const Program &program, int row)
{
    return program.line(row);
}

// Whether some open file holds a lock on meibo.dat, asked without taking one.
bool rosterLockedElsewhere()
{
    QFile roster(u"meibo.dat"_s);
    if (!roster.open(QIODevice::ReadWrite))
        return false;
    struct flock probe = {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    return ::fcntl(roster.handle(), F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

} // namespace

// Damaged files, files the program may not touch, and absurd sizes: each start-up says so
// clearly or recovers, and no byte of the user's files changes unless the user asks for it.
class TestMainWindowFaults : public QObject
{
    Q_OBJECT

private slots:
    void startUpRefusals_data();
    void startUpRefusals();
    void filesThatAreNotOrdinary_data();
    void filesThatAreNotOrdinary();
    void secondCopyOnOneRoster();
    void readOnlyFolderWithWritableSettings();
    void fullDiskInsideTheFile_data();
    void fullDiskInsideTheFile();
    void zeroFilledAndTruncatedRoster();
    void invalidShiftJisInEveryField();
    void hugeSettingsFiles_data();
    void hugeSettingsFiles();
    void pictureThatNeverLoads();
};

void TestMainWindowFaults::startUpRefusals_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QByteArray>("roster");
    QTest::addColumn<bool>("writableFolder");
    QTest::addColumn<QFileDevice::Permissions>("rosterPermissions");
    QTest::addColumn<QString>("message");

    const QString settingsUnwritable = u"設定ファイル settei.ini を書き込めませんでした: "_s;
    const QString rosterUnopened = u"名簿ファイル meibo.dat を開けませんでした: "_s;
    const QFileDevice::Permissions readWrite = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                               | QFileDevice::ReadOther | QFileDevice::WriteOther;
    const QByteArray settings("10,\"\"\r\n");
    const QByteArray roster = QByteArray("Sato") + QByteArray(slotSize - 4, ' ');
    QTest::newRow("read-only folder at the first start")
        << QByteArray() << QByteArray() << false << readWrite << settingsUnwritable;
    QTest::newRow("read-only folder without a roster file")
        << settings << QByteArray() << false << readWrite << rosterUnopened;
    QTest::newRow("unreadable roster file")
        << settings << roster << true << QFileDevice::Permissions() << rosterUnopened;
    QTest::newRow("read-only roster file")
        << settings << roster << true << (QFileDevice::ReadOwner | QFileDevice::ReadOther)
        << rosterUnopened;
}

void TestMainWindowFaults::startUpRefusals()
{
    QFETCH(QByteArray, settings);
    QFETCH(QByteArray, roster);
    QFETCH(bool, writableFolder);
    QFETCH(QFileDevice::Permissions, rosterPermissions);
    QFETCH(QString, message);

    TestDirectory dir;
    if (!settings.isNull())
        writeFileBytes(u"settei.ini"_s, settings);
    if (!roster.isNull()) {
        writeFileBytes(u"meibo.dat"_s, roster);
        QVERIFY(QFile::setPermissions(u"meibo.dat"_s, rosterPermissions));
    }
    MessageRecorder messages;
    ProgramState state;
    ProgramWindows windows(state);
    {
        WithoutPrivileges unprivileged(dir, writableFolder);
        QVERIFY(!windows.showMainWindow());
    }
    QVERIFY(windows.hasEnded());
    QCOMPARE(windows.exitCode(), 1);
    QCOMPARE(messages.texts().size(), 1);
    // The system's reason follows the file's name.
    QVERIFY(messages.texts().first().startsWith(message));
    QVERIFY(messages.texts().first().size() > message.size());
    QCOMPARE(readFileBytes(u"settei.ini"_s), settings);
    QCOMPARE(QFileInfo::exists(u"meibo.dat"_s), !roster.isNull());
    if (!roster.isNull()) {
        QVERIFY(QFile::setPermissions(u"meibo.dat"_s, QFileDevice::ReadOwner));
        QCOMPARE(readFileBytes(u"meibo.dat"_s), roster);
    }
}

void TestMainWindowFaults::filesThatAreNotOrdinary_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("linkTarget");
    QTest::addColumn<QString>("message");

    const QString settings = u"設定ファイル settei.ini は普通のファイルではありません。"_s;
    const QString roster = u"名簿ファイル meibo.dat は普通のファイルではありません。"_s;
    const QString ini = u"settei.ini"_s;
    const QString dat = u"meibo.dat"_s;
    QTest::newRow("settei.ini a FIFO") << ini << QString() << settings;
    QTest::newRow("settei.ini a link to /dev/zero") << ini << u"/dev/zero"_s << settings;
    QTest::newRow("settei.ini a link to /dev/null") << ini << u"/dev/null"_s << settings;
    QTest::newRow("meibo.dat a FIFO") << dat << QString() << roster;
    QTest::newRow("meibo.dat a link to /dev/null") << dat << u"/dev/null"_s << roster;
}

void TestMainWindowFaults::filesThatAreNotOrdinary()
{
    QFETCH(QString, name);
    QFETCH(QString, linkTarget);
    QFETCH(QString, message);

    TestDirectory dir;
    const QByteArray settings("10,\"\"\r\n");
    if (name != u"settei.ini"_s)
        writeFileBytes(u"settei.ini"_s, settings);
    if (linkTarget.isEmpty())
        QCOMPARE(::mkfifo(QFile::encodeName(name).constData(), 0666), 0);
    else
        QVERIFY(QFile::link(linkTarget, name));
    MessageRecorder messages;
    ProgramState state;
    ProgramWindows windows(state);
    {
        // Even a broken check could then never replace a device node.
        WithoutPrivileges unprivileged(dir);
        QVERIFY(!windows.showMainWindow());
    }
    QCOMPARE(windows.exitCode(), 1);
    QCOMPARE(messages.texts(), QStringList{message});
    // Still what it was: a file in its place would be an ordinary one.
    QVERIFY(QFileInfo(name).isSymLink() != linkTarget.isEmpty() && !QFileInfo(name).isFile());
    if (name == u"settei.ini"_s)
        QVERIFY(!QFileInfo::exists(u"meibo.dat"_s));
    else
        QCOMPARE(readFileBytes(u"settei.ini"_s), settings);
}

void TestMainWindowFaults::secondCopyOnOneRoster()
{
    TestDirectory dir;
    const QByteArray settings("10,\"\"\r\n");
    const QByteArray roster = QByteArray("Sato") + QByteArray(slotSize - 4, ' ');
    writeFileBytes(u"settei.ini"_s, settings);
    writeFileBytes(u"meibo.dat"_s, roster);
    QProcess first;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    first.setProcessEnvironment(environment);
    first.start(QStringLiteral(VEDRIN_EXECUTABLE));
    QTRY_VERIFY_WITH_TIMEOUT(rosterLockedElsewhere(), timeLimit(30000));
    // The real program also lets a file-size limit fail its writes instead of ending it.
    QFile status(u"/proc/%1/status"_s.arg(first.processId()));
    QVERIFY(status.open(QIODevice::ReadOnly));
    const QByteArray text = status.readAll();
    const QByteArray ignored = text.mid(text.indexOf("SigIgn:") + 7, 17).trimmed();
    QVERIFY(ignored.toULongLong(nullptr, 16) & (1ULL << (SIGXFSZ - 1)));
    {
        MessageRecorder messages;
        ProgramState state;
        ProgramWindows windows(state);
        QVERIFY(!windows.showMainWindow());
        QCOMPARE(windows.exitCode(), 1);
        QCOMPARE(messages.texts(), QStringList{u"名簿ファイル meibo.dat は別のVedrinで使用中です。"_s});
    }
    QCOMPARE(readFileBytes(u"settei.ini"_s), settings);
    QCOMPARE(readFileBytes(u"meibo.dat"_s), roster);

    // However the first copy ends, the system gives the roster free.
    first.kill();
    QVERIFY(first.waitForFinished());
    MessageRecorder messages;
    ProgramState state;
    ProgramWindows windows(state);
    QVERIFY(windows.showMainWindow());
    QVERIFY(messages.texts().isEmpty());
}

void TestMainWindowFaults::readOnlyFolderWithWritableSettings()
{
    TestDirectory dir;
    // A number alone: a failed read, which start-up answers by writing the defaults.
    writeFileBytes(u"settei.ini"_s, "25\r\n");
    writeFileBytes(u"meibo.dat"_s, QByteArray());
    QCOMPARE(::chmod("settei.ini", 0666) | ::chmod("meibo.dat", 0666), 0);
    MessageRecorder messages;
    ProgramState state;
    ProgramWindows windows(state);
    {
        WithoutPrivileges unprivileged(dir, false);
        QVERIFY(windows.showMainWindow());
    }
    QVERIFY(messages.texts().isEmpty());
    QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("10,\"\"\r\n"));
}

void TestMainWindowFaults::fullDiskInsideTheFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message");
    QTest::newRow("register")
        << u"Command1"_s << u"Noが選択されていません。リストよりNoを指定するか番号を入力して下さい。"_s;
    QTest::newRow("delete") << u"Command4"_s << u"削除するデータが選択されていません。"_s;
}

void TestMainWindowFaults::fullDiskInsideTheFile()
{
    QFETCH(QString, command);
    QFETCH(QString, message);
    SmallDisk disk;
    Program program("20,\"\"\r\n");
    program.registerEntry(u"1"_s, u"A"_s);
    program.registerEntry(u"20"_s, u"T"_s);
    disk.fill();
    const QByteArray before = readFileBytes(u"meibo.dat"_s);
    QCOMPARE(before.size(), 20 * slotSize);
    // Slot 10 begins in the 4096-byte block that slot 1 took and ends in one never written.
    program.type(u"Text1"_s, u"10"_s);
    program.type(u"Namae"_s, u"C"_s);
    program.click(command);
    QCOMPARE(program.messages.texts(), QStringList{message});
    QCOMPARE(readFileBytes(u"meibo.dat"_s), before);
    // Slot 2 needs no new block; its refill shows slot 10 as it was.
    program.messages.clear();
    program.registerEntry(u"2"_s, u"B"_s);
    QVERIFY(program.messages.texts().isEmpty());
    QCOMPARE(listLine(program, 9), u" 10:  "_s + QString(30, u' '));
}

void TestMainWindowFaults::zeroFilledAndTruncatedRoster()
{
    // Two slots of zero bytes, a whole slot, and a last slot cut off inside its mail field.
    const QByteArray before = QByteArray(2 * slotSize, '\0') + "Sato" + QByteArray(slotSize - 4, ' ')
                              + "Tail" + QByteArray(26, ' ') + "t@example";
    Program program("5,\"\"\r\n", before);
    QVERIFY(program.window);
    QCOMPARE(listLine(program, 0), u"  1:  "_s + QString(30, u' '));
    QCOMPARE(listLine(program, 2), u"  3:  Sato"_s + QString(26, u' '));
    QCOMPARE(listLine(program, 3), u"  4:  Tail"_s + QString(26, u' '));
    QCOMPARE(listLine(program, 4), u"  5:  "_s + QString(30, u' '));
    // Listing reads only; registering slot 5 leaves every byte before it as it was.
    QCOMPARE(readFileBytes(u"meibo.dat"_s), before);
    program.registerEntry(u"5"_s, u"New"_s);
    QVERIFY(program.messages.texts().isEmpty());
    const QByteArray after = readFileBytes(u"meibo.dat"_s);
    QCOMPARE(after.size(), 5 * slotSize);
    QCOMPARE(after.first(before.size()), before);
    QCOMPARE(listLine(program, 4), u"  5:  New"_s + QString(27, u' '));
}

void TestMainWindowFaults::invalidShiftJisInEveryField()
{
    // Lead bytes without trail bytes, unassigned pairs, and bytes that begin no character,
    // one field each, with a lead byte cut off by the end of every field.
    const QByteArray namae = QByteArray("\x81\x20\xFF\x80\xA0\xFD", 6) + QByteArray(23, 'n') + '\x81';
    const QByteArray mail = QByteArray("\x85\x40\xEB\x40", 4) + QByteArray(25, 'm') + '\x9F';
    const QByteArray tell = QByteArray("\xFE\xFC\x81\x7F", 4) + QByteArray(25, 't') + '\xE0';
    const QByteArray memo = QByteArray("\xEF\xFC\x0D\x81\x0A", 5) + QByteArray(84, 'a') + '\xFC';
    const QByteArray path = QByteArray("/\x81", 2) + QByteArray(253, 'p') + '\x81';
    const QByteArray slot = namae + mail + tell + memo + path;
    QCOMPARE(slot.size(), slotSize);
    Program program("2,\"\"\r\n", slot);
    QVERIFY(program.window);
    QCOMPARE(listLine(program, 0).size(), 6 + 30);

    program.list()->setCurrentIndex(program.list()->model()->index(0, 0));
    // The path names no file: the picture messages, and the fields show what could be read.
    QCOMPARE(program.messages.texts().size(), 2);
    QCOMPARE(program.messages.texts().first(), u"画像読み込みエラー"_s);
    QCOMPARE(program.edit(u"Text1"_s)->text(), u"1"_s);
    QCOMPARE(program.edit(u"Namae"_s)->text().size(), 30);
    QVERIFY(program.edit(u"Namae"_s)->text().contains(u'\uFFFD'));
    QVERIFY(program.edit(u"Mail"_s)->text().endsWith(u'\uFFFD'));
    QVERIFY(!program.memo()->toPlainText().isEmpty());

    // Viewing writes nothing, and registering the next slot leaves this one whole.
    program.messages.clear();
    program.registerEntry(u"2"_s, u"Next"_s);
    QVERIFY(program.messages.texts().isEmpty());
    QCOMPARE(readFileBytes(u"meibo.dat"_s).first(slotSize), slot);
}

void TestMainWindowFaults::hugeSettingsFiles_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("maxEntries");
    QTest::addColumn<QString>("frameCaption");
    QTest::addColumn<int>("ownerNameSize");
    QTest::addColumn<bool>("rewritten");

    const QByteArray filler(100 * 1024 * 1024, 'x');
    QTest::newRow("100 MB after the first line")
        << "12,\"Big\"\r\n" + filler << 12 << u"Bigのアドレス帳"_s << 3 << false;
    QTest::newRow("10 MB first field")
        << filler.first(10 * 1024 * 1024) + ",\"A\"\r\n" << 10 << u"Myアドレス帳"_s << 0 << true;
    QTest::newRow("10 MB name")
        << "3,\"" + QByteArray(10 * 1024 * 1024, 'n') + "\"\r\n" << 3
        << QString(512, u'n') << 10 * 1024 * 1024 << false;
}

void TestMainWindowFaults::hugeSettingsFiles()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, maxEntries);
    QFETCH(QString, frameCaption);
    QFETCH(int, ownerNameSize);
    QFETCH(bool, rewritten);

    TestDirectory dir;
    writeFileBytes(u"settei.ini"_s, settings);
    MessageRecorder messages;
    ProgramState state;
    ProgramWindows windows(state);
    QElapsedTimer timer;
    timer.start();
    MainWindow *window = windows.showMainWindow();
    QVERIFY(window);
    QCoreApplication::processEvents();
    QVERIFY(timer.elapsed() < timeLimit(1000));
    QVERIFY(messages.texts().isEmpty());
    QCOMPARE(int(state.settings.MaxEntries), maxEntries);
    QCOMPARE(window->findChild<QListView *>(u"List1"_s)->model()->rowCount(), maxEntries);
    QCOMPARE(window->findChild<QGroupBox *>(u"Frame2"_s)->title(), frameCaption);
    // A name too long to show is still held whole, to be written back unchanged.
    QCOMPARE(state.settings.OwnerName.size(), ownerNameSize);
    if (rewritten)
        QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("10,\"\"\r\n"));
    else
        QCOMPARE(QFileInfo(u"settei.ini"_s).size(), settings.size());
}

void TestMainWindowFaults::pictureThatNeverLoads()
{
    TestDirectory pictures;
    writeFileBytes(u"held.png"_s, pngBytes(Qt::red));
    writeFileBytes(u"free.png"_s, pngBytes(Qt::blue));
    LeasedFile held(pictures.filePath(u"held.png"_s));
    QVERIFY(held.isHeld());
    QByteArray roster;
    for (const QString &name : {u"held.png"_s, u"free.png"_s}) {
        const QByteArray path = QFile::encodeName(pictures.filePath(name));
        roster += "Ono" + QByteArray(177, ' ') + path + QByteArray(256 - path.size(), ' ');
    }
    Program program("10,\"\"\r\n", roster);
    QElapsedTimer timer;
    timer.start();
    program.choose(0);
    QCOMPARE(program.messages.texts(),
             (QStringList{u"画像読み込みエラー"_s,
                          u"指定の画像が見つかりません。移動または削除していませんか?"_s}));
    QVERIFY(!program.hasPicture());
    // The program goes on, long before the file is let go.
    program.choose(1);
    QVERIFY(program.hasPicture());
    QCOMPARE(program.messages.texts().size(), 2);
    QVERIFY(timer.elapsed() < 30000);
}

QTEST_MAIN(TestMainWindowFaults)
#include "tst_main_window_faults.moc"
