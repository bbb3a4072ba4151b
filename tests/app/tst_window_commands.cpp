#include <QTest>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "about/about_box.h"
#include "main_window/main_window.h"
#include "picture_chooser/picture_chooser_window.h"
#include "settings/settings_dialog.h"
#include "support/program.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int stillRunning = 7;

// Runs the event loop until the program quits by itself or, failing that, for a while;
// returns the loop's exit code, 0 for a program that ended.
int runEventLoop(const std::function<void()> &action)
{
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [] { QCoreApplication::exit(stillRunning); });
    fallback.start(500);
    QTimer::singleShot(0, action);
    return QCoreApplication::exec();
}

} // namespace

class TestWindowCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void settingsSwapsTheMainWindowForTheDialog();
    void lastWindowGoingEndsTheProgram_data();
    void lastWindowGoingEndsTheProgram();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void singleLineBoxesKeepTheFirstLine_data();
    void singleLineBoxesKeepTheFirstLine();
};

void TestWindowCommands::initTestCase()
{
    // As in the program: its windows end it, not Qt's rule for the last window closed.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestWindowCommands::settingsSwapsTheMainWindowForTheDialog()
{
    Program program;
    QPointer<MainWindow> main = program.start();
    QVERIFY(program.registerEntry(u"2"_s, u"Hanako"_s));
    QVERIFY(program.type(u"Mail"_s, u"j@example.jp"_s));
    QWidget *chooser = program.windows.showPictureChooser();
    QWidget *about = program.windows.showAbout();
    QVERIFY(program.click(u"open"_s));
    QVERIFY(!program.state.roster.file.isOpen());
    QVERIFY(!program.windows.mainWindow());
    QVERIFY(program.windows.settingsDialog()->isVisible());
    QTRY_VERIFY(main.isNull());
    // The other windows stay open.
    QCOMPARE(program.windows.pictureChooser(), chooser);
    QCOMPARE(program.windows.aboutBox(), about);
    QVERIFY(chooser->isVisible() && about->isVisible());

    QVERIFY(program.type(u"Settei/Text1"_s, u"4"_s));
    const int exitCode = runEventLoop([&program] { (void)program.click(u"Settei/OK"_s); });
    QCOMPARE(exitCode, stillRunning);
    QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("4,\"\"\r\n"));
    QVERIFY(!program.windows.settingsDialog());
    QVERIFY(program.windows.mainWindow()->isVisible());
    QVERIFY(program.state.roster.file.isOpen());
    // Loaded afresh: what was not registered is gone.
    QCOMPARE(program.text(u"Namae"_s), QString());
    QCOMPARE(program.text(u"Mail"_s), QString());
    QCOMPARE(program.lines(), (QStringList{u"  1:  "_s + QString(30, u' '), u"  2:  Hanako"_s + QString(24, u' '),
                                           u"  3:  "_s + QString(30, u' '), u"  4:  "_s + QString(30, u' ')}));
    QVERIFY(program.messages.isEmpty());
}

void TestWindowCommands::lastWindowGoingEndsTheProgram_data()
{
    QTest::addColumn<QString>("closing"); // a window by its close box, or an END command
    QTest::addColumn<int>("aboutKey"); // -1: no About box left; 0: a click on its OK
    QTest::newRow("main window") << u"Meibo"_s << -1;
    QTest::newRow("settings dialog") << u"Settei"_s << -1;
    QTest::newRow("main window, then OK in the About box") << u"Meibo"_s << 0;
    QTest::newRow("settings dialog, then Esc in the About box") << u"Settei"_s << int(Qt::Key_Escape);
    QTest::newRow("END button, with the chooser and About box") << u"Command2"_s << -1;
    QTest::newRow("終了 command, with the chooser and About box") << u"end"_s << -1;
}

void TestWindowCommands::lastWindowGoingEndsTheProgram()
{
    QFETCH(QString, closing);
    QFETCH(int, aboutKey);
    const bool command = closing != u"Meibo" && closing != u"Settei";
    Program program("6,\"\"\r\n");
    QVERIFY(program.start());
    const QPointer<QWidget> chooser = command ? program.windows.showPictureChooser() : nullptr;
    const QPointer<QWidget> about = command || aboutKey >= 0 ? program.windows.showAbout() : nullptr;
    QVERIFY(closing != u"Settei" || program.click(u"open"_s));
    if (command) {
        QVERIFY(program.click(closing));
        QTRY_VERIFY(chooser.isNull() && about.isNull());
    } else {
        QWidget *window = closing == u"Meibo" ? static_cast<QWidget *>(program.windows.mainWindow())
                                              : program.windows.settingsDialog();
        QCOMPARE(runEventLoop([window] { window->close(); }), aboutKey >= 0 ? stillRunning : 0);
    }
    QVERIFY(!program.windows.mainWindow() && !program.windows.settingsDialog());
    QVERIFY(!program.state.roster.file.isOpen());
    auto *ok = program.find<QPushButton>(u"frmAbout/cmdOK"_s);
    if (aboutKey == 0)
        QCOMPARE(runEventLoop([ok] { QTest::mouseClick(ok, Qt::LeftButton); }), 0);
    else if (aboutKey > 0)
        QCOMPARE(runEventLoop([ok, aboutKey] { QTest::keyClick(ok, Qt::Key(aboutKey)); }), 0);
    QVERIFY(!program.windows.pictureChooser() && !program.windows.aboutBox());
    QVERIFY(program.windows.hasEnded());
    QCOMPARE(program.windows.exitCode(), 0);
    QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("6,\"\"\r\n"));
    QVERIFY(program.messages.isEmpty());
}

void TestWindowCommands::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::newRow("登録") << u"Command1"_s << int(Qt::Key_Return);
    QTest::newRow("削除, keypad") << u"Command4"_s << int(Qt::Key_Enter);
    QTest::newRow("選択") << u"Form1/Command1"_s << int(Qt::Key_Return);
    QTest::newRow("settings OK") << u"Settei/OK"_s << int(Qt::Key_Return);
}

void TestWindowCommands::enterPressesTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    Program program;
    QVERIFY(program.start());
    program.windows.showPictureChooser();
    QVERIFY(!button.startsWith(u"Settei") || program.click(u"open"_s));
    auto *pressed = program.find<QPushButton>(button);
    int clicks = 0;
    connect(pressed, &QPushButton::clicked, [&clicks] { ++clicks; });
    pressed->setFocus();
    QTest::keyClick(pressed, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(clicks, 1);
}

void TestWindowCommands::singleLineBoxesKeepTheFirstLine_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("way");
    QTest::newRow("settings name, pasted") << u"Settei/Text2"_s << u"paste"_s;
    QTest::newRow("number, input method") << u"Text1"_s << u"input method"_s;
    QTest::newRow("mail, accessibility") << u"Mail"_s << u"accessibility"_s;
}

void TestWindowCommands::singleLineBoxesKeepTheFirstLine()
{
    QFETCH(QString, box);
    QFETCH(QString, way);
    Program program;
    QVERIFY(program.start());
    QVERIFY(!box.startsWith(u"Settei") || program.click(u"open"_s));
    QVERIFY(program.type(box, u"Taro"_s));
    auto *edit = program.find<QLineEdit>(box);
    const QString arriving = u" Jiro\r\nYamada\nHanako"_s;
    if (way == u"paste") {
        QGuiApplication::clipboard()->setText(arriving);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    } else if (way == u"input method") {
        QInputMethodEvent commit;
        commit.setCommitString(arriving);
        QCoreApplication::sendEvent(edit, &commit);
    } else {
        QAccessible::queryAccessibleInterface(edit)->editableTextInterface()->insertText(4, arriving);
    }
    QCOMPARE(edit->text(), u"Taro Jiro"_s);
}

QTEST_MAIN(TestWindowCommands)
#include "tst_window_commands.moc"
