#include <QTest>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include "about/about_box.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "main_window/main_window.h"
#include "picture_chooser/picture_chooser_window.h"
#include "settings/settings_dialog.h"
#include "support/message_recorder.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

namespace {

// Runs the event loop until the program quits by itself or, failing that, for a while;
// returns the loop's exit code, 0 for a program that ended.
int runEventLoop(const std::function<void()> &action)
{
    constexpr int stillRunning = 7;
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [] { QCoreApplication::exit(stillRunning); });
    fallback.start(500);
    QTimer::singleShot(0, action);
    return QCoreApplication::exec();
}

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A started program in a fresh directory.
class Program final
{
public:
    explicit Program(const QByteArray &settings = "10,\"\"\r\n")
    {
        writeFileBytes(u"settei.ini"_s, settings);
        windows.showMainWindow();
    }

    MainWindow *main() const { return windows.mainWindow(); }
    template <typename Widget>
    Widget *mainChild(const QString &name) const
    {
        return main()->findChild<Widget *>(name);
    }
    void trigger(const QString &action) const { mainChild<QAction>(action)->trigger(); }
    // The window of that name, opened from the main window when it is another one.
    QWidget *open(const QString &window)
    {
        if (window == u"Form1")
            return windows.showPictureChooser();
        if (window != u"Settei")
            return main();
        trigger(u"open"_s);
        return windows.settingsDialog();
    }
    void click(const QString &button) const
    {
        QTest::mouseClick(mainChild<QPushButton>(button), Qt::LeftButton);
    }
    // ASCII only: QTest types no other characters.
    void typeInto(QWidget *box, const QString &text) const
    {
        box->setFocus();
        QTest::keyClicks(box, text);
    }
    void registerEntry(const QString &number, const QString &name) const
    {
        auto *text1 = mainChild<QLineEdit>(u"Text1"_s);
        auto *namae = mainChild<QLineEdit>(u"Namae"_s);
        text1->clear();
        namae->clear();
        typeInto(text1, number);
        typeInto(namae, name);
        click(u"Command1"_s);
    }
    void settingsOk(const QString &maxEntries, const QString &name) const
    {
        SettingsDialog *dialog = windows.settingsDialog();
        auto *text1 = dialog->findChild<QLineEdit *>(u"Text1"_s);
        auto *text2 = dialog->findChild<QLineEdit *>(u"Text2"_s);
        text1->clear();
        text2->clear();
        typeInto(text1, maxEntries);
        typeInto(text2, name);
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"OK"_s), Qt::LeftButton);
    }

    ProgramState state;
    ProgramWindows windows{state};
};

} // namespace

class TestWindowCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void settingsSwapsTheMainWindowForTheDialog();
    void settingsOkLoadsTheMainWindowAfresh_data();
    void settingsOkLoadsTheMainWindowAfresh();
    void settingsOkKeepsTheProgramRunning();
    void unregisteredTextIsGoneAfterSettings();
    void settingsLeavesOtherWindowsOpen();
    void endCommands_data();
    void endCommands();
    void closeBox_data();
    void closeBox();
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
    TestDirectory dir;
    MessageRecorder messages;
    Program program;
    QVERIFY(program.state.roster.file.isOpen());
    const QPointer<MainWindow> main = program.main();
    program.trigger(u"open"_s);
    QVERIFY(!program.state.roster.file.isOpen());
    QVERIFY(!program.windows.mainWindow());
    QVERIFY(!main->isVisible());
    SettingsDialog *dialog = program.windows.settingsDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    processDeferredDeletes();
    QVERIFY(main.isNull());
    QVERIFY(messages.texts().isEmpty());
}

void TestWindowCommands::settingsOkLoadsTheMainWindowAfresh_data()
{
    QTest::addColumn<QString>("maxEntries");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("frameTitle");
    QTest::addColumn<QStringList>("lines");

    const QString blank(30, u' ');
    QTest::newRow("empty name")
        << u"3"_s << QString() << u"Myアドレス帳"_s
        << QStringList{u"  1:  "_s + blank, u"  2:  "_s + blank, u"  3:  "_s + blank};
    QTest::newRow("owner and more lines")
        << u"12"_s << u"Taro"_s << u"Taroのアドレス帳"_s
        << QStringList{u"  1:  "_s + blank, u"  2:  "_s + blank, u"  3:  "_s + blank,
                       u"  4:  "_s + blank, u"  5:  "_s + blank, u"  6:  "_s + blank,
                       u"  7:  "_s + blank, u"  8:  "_s + blank, u"  9:  "_s + blank,
                       u" 10:  "_s + blank, u" 11:  "_s + blank, u" 12:  "_s + blank};
    QTest::newRow("zero") << u"0"_s << u"Taro"_s << u"Taroのアドレス帳"_s << QStringList();
}

void TestWindowCommands::settingsOkLoadsTheMainWindowAfresh()
{
    QFETCH(QString, maxEntries);
    QFETCH(QString, name);
    QFETCH(QString, frameTitle);
    QFETCH(QStringList, lines);
    TestDirectory dir;
    MessageRecorder messages;
    Program program("5,\"Old\"\r\n");
    const QPointer<MainWindow> oldMain = program.main();
    program.trigger(u"open"_s);
    program.settingsOk(maxEntries, name);

    QVERIFY(messages.texts().isEmpty());
    QVERIFY(!program.windows.settingsDialog());
    MainWindow *main = program.main();
    QVERIFY(main);
    QVERIFY(main->isVisible());
    processDeferredDeletes();
    QVERIFY(oldMain.isNull());
    QVERIFY(program.state.roster.file.isOpen());
    QCOMPARE(main->windowTitle(), u"Vedrinアドレスちょう"_s);
    QCOMPARE(program.mainChild<QGroupBox>(u"Frame2"_s)->title(), frameTitle);
    QStringList shown;
    const QAbstractItemModel *list = program.mainChild<QListView>(u"List1"_s)->model();
    for (int row = 0; row < list->rowCount(); ++row)
        shown.append(list->index(row, 0).data().toString());
    QCOMPARE(shown, lines);
}

void TestWindowCommands::settingsOkKeepsTheProgramRunning()
{
    TestDirectory dir;
    Program program;
    program.trigger(u"open"_s);
    QSignalSpy lastWindow(qApp, &QGuiApplication::lastWindowClosed);

    const int exitCode = runEventLoop([&program] { program.settingsOk(u"8"_s, QString()); });

    QCOMPARE(exitCode, 7);
    QCOMPARE(lastWindow.count(), 0);
    QVERIFY(program.main());
    QVERIFY(program.main()->isVisible());
    QVERIFY(!program.windows.settingsDialog());
}

void TestWindowCommands::unregisteredTextIsGoneAfterSettings()
{
    TestDirectory dir;
    MessageRecorder messages;
    Program program;
    program.registerEntry(u"2"_s, u"Hanako"_s);
    const QByteArray roster = readFileBytes(u"meibo.dat"_s);
    program.typeInto(program.mainChild<QLineEdit>(u"Text1"_s), u"4"_s);
    program.typeInto(program.mainChild<QLineEdit>(u"Namae"_s), u"Jiro"_s);
    program.typeInto(program.mainChild<QLineEdit>(u"Mail"_s), u"j@example.jp"_s);
    program.typeInto(program.mainChild<QLineEdit>(u"Tell"_s), u"03-1234"_s);
    program.typeInto(program.mainChild<QPlainTextEdit>(u"Memo"_s), u"memo"_s);
    program.trigger(u"open"_s);
    program.settingsOk(u"10"_s, QString());

    for (const QString &box : {u"Text1"_s, u"Namae"_s, u"Mail"_s, u"Tell"_s})
        QVERIFY2(program.mainChild<QLineEdit>(box)->text().isEmpty(), qPrintable(box));
    QVERIFY(program.mainChild<QPlainTextEdit>(u"Memo"_s)->toPlainText().isEmpty());
    QCOMPARE(readFileBytes(u"meibo.dat"_s), roster);
    QVERIFY(program.mainChild<QListView>(u"List1"_s)->model()->index(1, 0).data().toString().startsWith(u"  2:  Hanako"_s));
    QVERIFY(messages.texts().isEmpty());
}

void TestWindowCommands::settingsLeavesOtherWindowsOpen()
{
    TestDirectory dir;
    Program program;
    PictureChooserWindow *chooser = program.windows.showPictureChooser();
    AboutBox *about = program.windows.showAbout();
    program.trigger(u"open"_s);
    QVERIFY(!program.windows.mainWindow());
    QVERIFY(program.windows.settingsDialog()->isVisible());
    QCOMPARE(program.windows.pictureChooser(), chooser);
    QCOMPARE(program.windows.aboutBox(), about);
    QVERIFY(chooser->isVisible());
    QVERIFY(about->isVisible());

    // A chooser left open brings the main window back before OK; OK then only raises it.
    MainWindow *main = program.windows.showMainWindow();
    QVERIFY(main);
    QVERIFY(program.state.roster.file.isOpen());
    program.settingsOk(u"4"_s, QString());
    QCOMPARE(program.main(), main);
    QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("4,\"\"\r\n"));
}

void TestWindowCommands::endCommands_data()
{
    QTest::addColumn<bool>("fromMenu");

    QTest::newRow("END button") << false;
    QTest::newRow("終了 command") << true;
}

void TestWindowCommands::endCommands()
{
    QFETCH(bool, fromMenu);
    TestDirectory dir;
    MessageRecorder messages;
    Program program;
    program.registerEntry(u"1"_s, u"Ichiro"_s);
    program.registerEntry(u"3"_s, u"Saburo"_s);
    const QPointer<QWidget> chooser = program.windows.showPictureChooser();
    const QPointer<QWidget> about = program.windows.showAbout();
    const QPointer<QWidget> main = program.main();
    QSignalSpy lastWindow(qApp, &QGuiApplication::lastWindowClosed);

    if (fromMenu)
        program.trigger(u"end"_s);
    else
        program.click(u"Command2"_s);

    QVERIFY(program.windows.hasEnded());
    QCOMPARE(program.windows.exitCode(), 0);
    QVERIFY(!program.state.roster.file.isOpen());
    QVERIFY(!program.windows.mainWindow());
    QVERIFY(!program.windows.settingsDialog());
    QVERIFY(!program.windows.pictureChooser());
    QVERIFY(!program.windows.aboutBox());
    processDeferredDeletes();
    QVERIFY(main.isNull());
    QVERIFY(chooser.isNull());
    QVERIFY(about.isNull());
    QVERIFY(messages.texts().isEmpty());

    const QByteArray roster = readFileBytes(u"meibo.dat"_s);
    QCOMPARE(roster.size(), 3 * 436);
    QCOMPARE(roster.first(30), QByteArray("Ichiro") + QByteArray(24, ' '));
    QCOMPARE(roster.sliced(872, 30), QByteArray("Saburo") + QByteArray(24, ' '));
}

void TestWindowCommands::closeBox_data()
{
    QTest::addColumn<bool>("closeMain");
    QTest::addColumn<bool>("aboutOpen");
    QTest::addColumn<bool>("programEnds");

    QTest::newRow("settings dialog, last window") << false << false << true;
    QTest::newRow("settings dialog, About box open") << false << true << false;
    QTest::newRow("main window, last window") << true << false << true;
    QTest::newRow("main window, About box open") << true << true << false;
}

void TestWindowCommands::closeBox()
{
    QFETCH(bool, closeMain);
    QFETCH(bool, aboutOpen);
    QFETCH(bool, programEnds);
    TestDirectory dir;
    MessageRecorder messages;
    Program program("6,\"\"\r\n");
    if (aboutOpen)
        program.windows.showAbout();
    if (!closeMain)
        program.trigger(u"open"_s);
    QWidget *closing = closeMain ? static_cast<QWidget *>(program.main())
                                 : program.windows.settingsDialog();
    QSignalSpy lastWindow(qApp, &QGuiApplication::lastWindowClosed);

    const int exitCode = runEventLoop([closing] { closing->close(); });

    QCOMPARE(exitCode == 0, programEnds);
    QCOMPARE(lastWindow.count(), programEnds ? 1 : 0);
    QVERIFY(!program.windows.mainWindow());
    QVERIFY(!program.windows.settingsDialog());
    QVERIFY(!program.state.roster.file.isOpen());
    QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("6,\"\"\r\n"));
    QVERIFY(messages.texts().isEmpty());
    if (programEnds)
        return;

    // The window left open brings the main window back, loaded afresh.
    QVERIFY(program.windows.aboutBox()->isVisible());
    MainWindow *main = program.windows.showMainWindow();
    QVERIFY(main);
    QVERIFY(program.state.roster.file.isOpen());
    QCOMPARE(program.mainChild<QListView>(u"List1"_s)->model()->rowCount(), 6);
}

void TestWindowCommands::lastWindowGoingEndsTheProgram_data()
{
    QTest::addColumn<bool>("closeMain");
    QTest::addColumn<int>("key"); // 0: a click on OK

    QTest::newRow("OK after the settings dialog's close box") << false << 0;
    QTest::newRow("Enter after the main window's close box") << true << int(Qt::Key_Return);
    QTest::newRow("Esc after the settings dialog's close box") << false << int(Qt::Key_Escape);
}

void TestWindowCommands::lastWindowGoingEndsTheProgram()
{
    QFETCH(bool, closeMain);
    QFETCH(int, key);
    TestDirectory dir;
    MessageRecorder messages;
    Program program;
    AboutBox *about = program.windows.showAbout();
    if (!closeMain)
        program.trigger(u"open"_s);
    QWidget *closing = closeMain ? static_cast<QWidget *>(program.main())
                                 : program.windows.settingsDialog();

    const int exitCode = runEventLoop([closing, about, key] {
        closing->close();
        auto *ok = about->findChild<QPushButton *>(u"cmdOK"_s);
        if (key == 0)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            QTest::keyClick(ok, Qt::Key(key));
    });

    QCOMPARE(exitCode, 0);
    QVERIFY(program.windows.hasEnded());
    QCOMPARE(program.windows.exitCode(), 0);
    QVERIFY(!program.windows.aboutBox());
    QVERIFY(messages.texts().isEmpty());
}

void TestWindowCommands::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");

    const int enter = Qt::Key_Return;
    const int keypadEnter = Qt::Key_Enter;
    QTest::newRow("登録") << u"Meibo"_s << u"Command1"_s << enter;
    QTest::newRow("削除, keypad") << u"Meibo"_s << u"Command4"_s << keypadEnter;
    QTest::newRow("END") << u"Meibo"_s << u"Command2"_s << enter;
    QTest::newRow("picture") << u"Meibo"_s << u"Command3"_s << enter;
    QTest::newRow("選択") << u"Form1"_s << u"Command1"_s << enter;
    QTest::newRow("cancel, keypad") << u"Form1"_s << u"Command2"_s << keypadEnter;
    QTest::newRow("settings OK") << u"Settei"_s << u"OK"_s << enter;
}

void TestWindowCommands::enterPressesTheFocusedButton()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(int, key);
    TestDirectory dir;
    MessageRecorder messages;
    Program program;
    auto *pressed = program.open(window)->findChild<QPushButton *>(button);
    QSignalSpy clicks(pressed, &QAbstractButton::clicked);
    pressed->setFocus();
    QTest::keyClick(pressed, Qt::Key(key),
                    key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(clicks.count(), 1);
}

void TestWindowCommands::singleLineBoxesKeepTheFirstLine_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("way");

    QTest::newRow("settings name, pasted") << u"Settei"_s << u"Text2"_s << u"paste"_s;
    QTest::newRow("settings maximum, accessibility")
        << u"Settei"_s << u"Text1"_s << u"accessibility"_s;
    QTest::newRow("number, input method") << u"Meibo"_s << u"Text1"_s << u"input method"_s;
    QTest::newRow("name, pasted") << u"Meibo"_s << u"Namae"_s << u"paste"_s;
    QTest::newRow("mail, accessibility") << u"Meibo"_s << u"Mail"_s << u"accessibility"_s;
    QTest::newRow("telephone, input method") << u"Meibo"_s << u"Tell"_s << u"input method"_s;
}

void TestWindowCommands::singleLineBoxesKeepTheFirstLine()
{
    QFETCH(QString, window);
    QFETCH(QString, box);
    QFETCH(QString, way);
    TestDirectory dir;
    Program program;
    auto *edit = program.open(window)->findChild<QLineEdit *>(box);
    edit->clear();
    program.typeInto(edit, u"Taro"_s);
    const QString arriving = u" Jiro\r\nYamada\nHanako"_s;
    if (way == u"paste") {
        QGuiApplication::clipboard()->setText(arriving);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    } else if (way == u"input method") {
        QInputMethodEvent commit;
        commit.setCommitString(arriving);
        QCoreApplication::sendEvent(edit, &commit);
    } else {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(edit);
        accessible->editableTextInterface()->insertText(4, arriving);
    }
    QCOMPARE(edit->text(), u"Taro Jiro"_s);
}

QTEST_MAIN(TestWindowCommands)
#include "tst_window_commands.moc"
