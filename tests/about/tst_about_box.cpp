#include <QTest>

#include <algorithm>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "about/about_box.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "main_window/main_window.h"
#include "support/message_recorder.h"
#include "support/test_support.h"
#include "test_services.h"

using namespace Qt::StringLiterals;

namespace {

const QString location1 = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s;
const QString location2 = u"SOFTWARE\\Microsoft\\Shared Tools Location"_s;
const QString unavailable = u"現時点ではｼｽﾃﾑ情報を使用できません"_s;

// The directory's path as the registry would hold it, with a backslash appended by the search.
QString windowsStyle(const QString &path)
{
    return QDir::toNativeSeparators(path).replace(u'/', u'\\');
}

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void loadShowsTitleAndVersion();
    void controlsAreLaidOut();
    void closes_data();
    void closes();
    void systemInformation_data();
    void systemInformation();
    void failingStartShowsMessage();
    void keysPressSystemInformation_data();
    void keysPressSystemInformation();
    void helpTwiceGivesOneBox();

private:
    TestRegistry m_registry;
    ProgramStartRecorder m_starter;
};

void TestAboutBox::loadShowsTitleAndVersion()
{
    ProgramState state;
    ProgramWindows windows(state, {m_registry, m_starter});
    AboutBox *box = windows.showAbout();
    QCOMPARE(box->objectName(), u"frmAbout"_s);
    QCOMPARE(box->windowTitle(), u"Vedrinのﾊﾞｰｼﾞｮﾝ情報"_s);
    QCOMPARE(box->findChild<QLabel *>(u"lblTitle"_s)->text(), u"Vedrin"_s);
    QCOMPARE(box->findChild<QLabel *>(u"lblVersion"_s)->text(), u"ﾊﾞｰｼﾞｮﾝ 1.2.4"_s);
    QVERIFY(box->findChild<QLabel *>(u"lblDisclaimer"_s)->text().startsWith(u"作った人:  "_s));
    QVERIFY(box->findChild<QLabel *>(u"Label1"_s)->text().startsWith(u"メール: "_s));
    QCOMPARE(box->findChild<QPushButton *>(u"cmdSysInfo"_s)->text(), u"ｼｽﾃﾑ情報(&S)..."_s);
    QCOMPARE(box->findChild<QPushButton *>(u"cmdOK"_s)->text(), u"OK"_s);
}

void TestAboutBox::controlsAreLaidOut()
{
    ProgramState state;
    ProgramWindows windows(state, {m_registry, m_starter});
    AboutBox *box = windows.showAbout();
    // 5730 x 3555 twips at 15 twips a pixel, and the user cannot resize it.
    QCOMPARE(box->minimumSize(), QSize(382, 237));
    QCOMPARE(box->maximumSize(), QSize(382, 237));
    QVERIFY(!(box->windowFlags() & Qt::WindowMinMaxButtonsHint));
    QCOMPARE(box->findChild<QPushButton *>(u"cmdOK"_s)->geometry(), QRect(283, 175, 92, 23));
    QCOMPARE(box->findChild<QPushButton *>(u"cmdSysInfo"_s)->geometry(), QRect(284, 205, 92, 23));
    QCOMPARE(box->findChild<QLabel *>(u"Image1"_s)->pixmap().size(), QSize(32, 32));
    QCOMPARE(box->findChild<QLabel *>(u"Image2"_s)->pixmap().size(), QSize(32, 32));
    QCOMPARE(box->findChildren<QWidget *>(u"Line1"_s).size(), 2);
    QVERIFY(QTest::qWaitForWindowActive(box));
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), u"cmdOK"_s);
}

void TestAboutBox::closes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("focusOnSysInfo");
    QTest::newRow("click OK") << 0 << false;
    QTest::newRow("Enter on OK") << int(Qt::Key_Return) << false;
    QTest::newRow("Esc on the other button") << int(Qt::Key_Escape) << true;
}

void TestAboutBox::closes()
{
    QFETCH(int, key);
    QFETCH(bool, focusOnSysInfo);
    ProgramState state;
    ProgramWindows windows(state, {m_registry, m_starter});
    AboutBox *box = windows.showAbout();
    QVERIFY(QTest::qWaitForWindowActive(box));
    QPointer<AboutBox> watched(box);
    auto *ok = box->findChild<QPushButton *>(u"cmdOK"_s);
    auto *focused = focusOnSysInfo ? box->findChild<QPushButton *>(u"cmdSysInfo"_s) : ok;
    focused->setFocus();
    if (key == 0)
        QTest::mouseClick(ok, Qt::LeftButton);
    else
        QTest::keyClick(focused, Qt::Key(key));
    QVERIFY(!windows.aboutBox());
    QTRY_VERIFY(watched.isNull());
    QVERIFY(m_starter.commandLines.isEmpty());
}

void TestAboutBox::systemInformation_data()
{
    QTest::addColumn<QString>("case_");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<bool>("message");
    QTest::addColumn<bool>("location2Tried");

    const QString program = u"C:\\Tools\\msinfo.exe"_s;
    // {dir} stands for the test's directory in Windows form.
    QTest::newRow("location 1") << u"1"_s << QStringList{program} << false << false;
    QTest::newRow("location 1 even with location 2")
        << u"1+2"_s << QStringList{program} << false << false;
    QTest::newRow("location 2 with MSINFO32.EXE")
        << u"2"_s << QStringList{u"{dir}\\MSINFO32.EXE"_s} << false << true;
    QTest::newRow("location 2 without MSINFO32.EXE") << u"2-none"_s << QStringList() << true << true;
    QTest::newRow("location 2, MSINFO32.EXE a folder")
        << u"2-folder"_s << QStringList() << true << true;
    QTest::newRow("both absent") << u"none"_s << QStringList() << true << true;
    QTest::newRow("location 1 of another type")
        << u"1-binary"_s << QStringList{QString()} << true << false;
    QTest::newRow("location 1 as a number")
        << u"1-number"_s << QStringList{u"&h00000010"_s} << false << false;
    QTest::newRow("location 1 of size 0") << u"1-empty"_s << QStringList() << true << false;
    QTest::newRow("location 1 of 1025 bytes, so location 2")
        << u"1-long"_s << QStringList{u"{dir}\\MSINFO32.EXE"_s} << false << true;
    QTest::newRow("location 1 refused, so location 2")
        << u"1-denied"_s << QStringList{u"{dir}\\MSINFO32.EXE"_s} << false << true;
}

void TestAboutBox::systemInformation()
{
    QFETCH(QString, case_);
    QFETCH(QStringList, started);
    QFETCH(bool, message);
    QFETCH(bool, location2Tried);

    TestDirectory dir;
    const QString folder = windowsStyle(dir.path());
    TestRegistry registry;
    ProgramStartRecorder starter;
    const QByteArray folderBytes = folder.toLatin1().append('\0');
    if (case_.startsWith(u'1'))
        registry.setValue(location1, u"PATH"_s, 1, QByteArray("C:\\Tools\\msinfo.exe", 20));
    if (case_ == u"1+2" || case_.startsWith(u'2') || case_ == u"1-long" || case_ == u"1-denied")
        registry.setValue(location2, u"MSINFO"_s, 1, folderBytes);
    if (case_ == u"1-binary")
        registry.setValue(location1, u"PATH"_s, 3, QByteArray("\x01\x02", 2));
    if (case_ == u"1-number")
        registry.setValue(location1, u"PATH"_s, 4, QByteArray("\x10\0\0\0", 4));
    if (case_ == u"1-empty")
        registry.setValue(location1, u"PATH"_s, 1, QByteArray());
    if (case_ == u"1-long")
        registry.setValue(location1, u"PATH"_s, 1, QByteArray(1025, 'x'));
    if (case_ == u"1-denied")
        registry.denyKey(location1);
    if (case_ == u"2" || case_ == u"1-long" || case_ == u"1-denied")
        writeFileBytes(u"MSINFO32.EXE"_s, "MZ");
    if (case_ == u"2-folder")
        QVERIFY(QDir().mkdir(u"MSINFO32.EXE"_s));

    MessageRecorder messages;
    ProgramState state;
    ProgramWindows windows(state, {registry, starter});
    AboutBox *box = windows.showAbout();
    QTest::mouseClick(box->findChild<QPushButton *>(u"cmdSysInfo"_s), Qt::LeftButton);

    started.replaceInStrings(u"{dir}"_s, folder);
    QCOMPARE(starter.commandLines, started);
    QCOMPARE(messages.texts(), message ? QStringList{unavailable} : QStringList());
    QCOMPARE(registry.openedPaths().contains(location2), location2Tried);
    QCOMPARE(registry.openKeyCount(), 0);
    QCOMPARE(windows.aboutBox(), box);
    QVERIFY(box->isVisible());
}

void TestAboutBox::failingStartShowsMessage()
{
    // Location 1 names a program that is not there: started directly, the start fails.
    TestDirectory dir;
    TestRegistry registry;
    registry.setValue(location1, u"PATH"_s, 1, QByteArray("/nowhere/msinfo32", 18));
    registry.setValue(location2, u"MSINFO"_s, 1, windowsStyle(dir.path()).toLatin1());
    writeFileBytes(u"MSINFO32.EXE"_s, "MZ");

    MessageRecorder messages;
    ProgramState state;
    ProgramWindows windows(state, {registry, systemProgramStart()});
    AboutBox *box = windows.showAbout();
    QTest::mouseClick(box->findChild<QPushButton *>(u"cmdSysInfo"_s), Qt::LeftButton);
    QCOMPARE(messages.texts(), QStringList{unavailable});
    QVERIFY(!registry.openedPaths().contains(location2));
    QVERIFY(box->isVisible());
}

void TestAboutBox::keysPressSystemInformation_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Alt+S") << int(Qt::Key_S) << int(Qt::AltModifier);
    QTest::newRow("Enter on the button") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter on the button") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
}

void TestAboutBox::keysPressSystemInformation()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TestRegistry registry;
    registry.setValue(location1, u"PATH"_s, 1, QByteArray("C:\\msinfo.exe"));
    ProgramStartRecorder starter;
    ProgramState state;
    ProgramWindows windows(state, {registry, starter});
    AboutBox *box = windows.showAbout();
    QVERIFY(QTest::qWaitForWindowActive(box));
    if (key != Qt::Key_S)
        box->findChild<QPushButton *>(u"cmdSysInfo"_s)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    // An access key presses the button the animated way, so the click comes a moment later.
    QTRY_COMPARE(starter.commandLines, QStringList{u"C:\\msinfo.exe"_s});
    QCOMPARE(windows.aboutBox(), box);
    QVERIFY(box->isVisible());
}

void TestAboutBox::helpTwiceGivesOneBox()
{
    TestDirectory dir;
    writeFileBytes(u"settei.ini"_s, "10,\"\"\r\n");
    ProgramState state;
    ProgramWindows windows(state, {m_registry, m_starter});
    MainWindow *main = windows.showMainWindow();
    QVERIFY(main);
    auto *help = main->findChild<QAction *>(u"Help"_s);
    help->trigger();
    AboutBox *first = windows.aboutBox();
    QVERIFY(first && first->isVisible());
    help->trigger();
    QCOMPARE(windows.aboutBox(), first);
    const QWidgetList windowsShown = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windowsShown.begin(), windowsShown.end(),
                           [](QWidget *w) { return w->objectName() == u"frmAbout"_s; }),
             1);
    QVERIFY(main->isVisible());
}

QTEST_MAIN(TestAboutBox)
#include "tst_about_box.moc"
