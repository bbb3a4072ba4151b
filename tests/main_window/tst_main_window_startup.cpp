#include <QTest>

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QListView>

#include "app/program_state.h"
#include "app/program_windows.h"
#include "main_window/main_window.h"
#include "support/message_recorder.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

namespace {

QString blankName()
{
    return QString(30, u' ');
}

QStringList listLines(const MainWindow *window)
{
    QStringList lines;
    const QAbstractItemModel *list = window->findChild<QListView *>(u"List1"_s)->model();
    for (int row = 0; row < list->rowCount(); ++row)
        lines.append(list->index(row, 0).data().toString());
    return lines;
}

} // namespace

class TestMainWindowStartup : public QObject
{
    Q_OBJECT

private slots:
    void firstStartInEmptyDirectory();
    void ownerNameAndLargerRoster();
    void emptyRosterForZeroOrNegative_data();
    void emptyRosterForZeroOrNegative();
    void emptySettingsFileIsRewritten();
    void lineBeginnings_data();
    void lineBeginnings();
    void fillLeavesLastSlotInCurrentEntry();
    void rosterFileThatCannotBeOpenedEndsTheProgram();
    void settingsThatCannotBeWrittenEndTheProgram();
};

void TestMainWindowStartup::firstStartInEmptyDirectory()
{
    TestDirectory dir;
    MessageRecorder messages;
    ProgramState state;
    ProgramWindows windows(state);
    MainWindow *window = windows.showMainWindow();
    QVERIFY(window);
    QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("\x31\x30\x2C\x22\x22\x0D\x0A"));
    QVERIFY(QFileInfo::exists(u"meibo.dat"_s));
    QCOMPARE(QFileInfo(u"meibo.dat"_s).size(), 0);
    QCOMPARE(window->windowTitle(), u"Vedrinアドレスちょう"_s);
    QCOMPARE(window->findChild<QGroupBox *>(u"Frame2"_s)->title(), u"Myアドレス帳"_s);
    QStringList expected;
    for (int slot = 1; slot <= 9; ++slot)
        expected.append(u"  "_s + QString::number(slot) + u":  "_s + blankName());
    expected.append(u" 10:  "_s + blankName());
    QCOMPARE(listLines(window), expected);
    QCOMPARE(int(state.settings.MaxEntries), 10);
    QVERIFY(messages.texts().isEmpty());
    QVERIFY(!window->findChild<QListView *>(u"List1"_s)->selectionModel()->hasSelection());
}

void TestMainWindowStartup::ownerNameAndLargerRoster()
{
    TestDirectory dir;
    writeFileBytes(u"settei.ini"_s, "120,\"\x8E\x52\x93\x63\"\r\n");
    ProgramState state;
    ProgramWindows windows(state);
    MainWindow *window = windows.showMainWindow();
    QVERIFY(window);
    QCOMPARE(window->findChild<QGroupBox *>(u"Frame2"_s)->title(), u"山田のアドレス帳"_s);
    const QStringList lines = listLines(window);
    QCOMPARE(lines.size(), 120);
    QVERIFY(lines.first().startsWith(u"  1:  "_s));
    QVERIFY(lines.last().startsWith(u"120:  "_s));
    QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("120,\"\x8E\x52\x93\x63\"\r\n"));
}

void TestMainWindowStartup::emptyRosterForZeroOrNegative_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::newRow("0") << QByteArray("0,\"a\"\r\n");
    QTest::newRow("-5") << QByteArray("-5,\"a\"\r\n");
}

void TestMainWindowStartup::emptyRosterForZeroOrNegative()
{
    QFETCH(QByteArray, settings);
    TestDirectory dir;
    writeFileBytes(u"settei.ini"_s, settings);
    ProgramState state;
    ProgramWindows windows(state);
    MainWindow *window = windows.showMainWindow();
    QVERIFY(window);
    QVERIFY(listLines(window).isEmpty());
    QCOMPARE(window->windowTitle(), u"Vedrinアドレスちょう"_s);
    QCOMPARE(window->findChild<QGroupBox *>(u"Frame2"_s)->title(), u"aのアドレス帳"_s);
}

void TestMainWindowStartup::emptySettingsFileIsRewritten()
{
    TestDirectory dir;
    writeFileBytes(u"settei.ini"_s, QByteArray());
    ProgramState state;
    state.settings.OwnerName = u"held"_s;
    ProgramWindows windows(state);
    MainWindow *window = windows.showMainWindow();
    QVERIFY(window);
    QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("10,\"held\"\r\n"));
    QCOMPARE(listLines(window).size(), 10);
}

void TestMainWindowStartup::lineBeginnings_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("beginning");
    QTest::newRow("7") << 7 << u"  7:  "_s;
    QTest::newRow("42") << 42 << u" 42:  "_s;
    QTest::newRow("120") << 120 << u"120:  "_s;
    QTest::newRow("1000") << 1000 << u"1000:  "_s;
}

void TestMainWindowStartup::lineBeginnings()
{
    QFETCH(int, slot);
    QFETCH(QString, beginning);
    TestDirectory dir;
    writeFileBytes(u"settei.ini"_s, "1200,\"\"\r\n");
    // Slot 7 holds four letters, slot 42 a deleted entry, the rest was never written.
    QByteArray roster(436 * 42, '\0');
    roster.replace(436 * 6, 436, QByteArray("Abcd") + QByteArray(432, ' '));
    roster.replace(436 * 41, 436, QByteArray(436, ' '));
    writeFileBytes(u"meibo.dat"_s, roster);
    ProgramState state;
    ProgramWindows windows(state);
    MainWindow *window = windows.showMainWindow();
    QVERIFY(window);
    const QStringList lines = listLines(window);
    QCOMPARE(lines.size(), 1200);
    const QString name = slot == 7 ? u"Abcd"_s + QString(26, u' ') : blankName();
    QCOMPARE(lines.at(slot - 1), beginning + name);
    QCOMPARE(QFileInfo(u"meibo.dat"_s).size(), 436 * 42);
}

void TestMainWindowStartup::fillLeavesLastSlotInCurrentEntry()
{
    TestDirectory dir;
    writeFileBytes(u"settei.ini"_s, "3,\"\"\r\n");
    writeFileBytes(u"meibo.dat"_s, QByteArray(436 * 2, ' ') + QByteArray("Last") + QByteArray(432, ' ')
                                       + QByteArray("Hidden") + QByteArray(430, ' '));
    ProgramState state;
    ProgramWindows windows(state);
    MainWindow *window = windows.showMainWindow();
    QVERIFY(window);
    QCOMPARE(state.roster.CurrentEntry.get(MeiboRecord::Field::Namae), u"Last"_s + QString(26, u' '));
    // Slots above the maximum stay in the file, unlisted.
    QCOMPARE(listLines(window).size(), 3);
    QCOMPARE(QFileInfo(u"meibo.dat"_s).size(), 436 * 4);
}

void TestMainWindowStartup::rosterFileThatCannotBeOpenedEndsTheProgram()
{
    TestDirectory dir;
    QVERIFY(QDir().mkdir(u"meibo.dat"_s));
    MessageRecorder messages;
    ProgramState state;
    ProgramWindows windows(state);
    QVERIFY(!windows.showMainWindow());
    QVERIFY(windows.hasEnded());
    QCOMPARE(windows.exitCode(), 1);
    QCOMPARE(messages.texts().size(), 1);
    QVERIFY(messages.texts().first().startsWith(u"名簿ファイル meibo.dat を開けませんでした: "_s));
    QVERIFY(messages.texts().first().size() > 30);
}

void TestMainWindowStartup::settingsThatCannotBeWrittenEndTheProgram()
{
    TestDirectory dir;
    // A folder in the settings file's place can be neither read nor replaced, even by root.
    QVERIFY(QDir().mkdir(u"settei.ini"_s));
    MessageRecorder messages;
    ProgramState state;
    ProgramWindows windows(state);
    QVERIFY(!windows.showMainWindow());
    QCOMPARE(windows.exitCode(), 1);
    QCOMPARE(messages.texts().size(), 1);
    QVERIFY(messages.texts().first().startsWith(u"設定ファイル settei.ini を書き込めませんでした: "_s));
    QVERIFY(!QFileInfo::exists(u"meibo.dat"_s));
}

QTEST_MAIN(TestMainWindowStartup)
#include "tst_main_window_startup.moc"
