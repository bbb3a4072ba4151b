#include <QTest>

#include <QDir>
#include <QPointer>
#include <QPushButton>

#include "about/about_box.h"
#include "main_window/main_window.h"
#include "support/program.h"

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
    void closes_data();
    void closes();
    void systemInformation_data();
    void systemInformation();
    void failingStartShowsMessage();
    void keysPressSystemInformation_data();
    void keysPressSystemInformation();
    void helpTwiceGivesOneBox();
};

void TestAboutBox::loadShowsTitleAndVersion()
{
    Program program;
    AboutBox *box = program.windows.showAbout();
    QCOMPARE(box->windowTitle(), u"Vedrinのﾊﾞｰｼﾞｮﾝ情報"_s);
    QCOMPARE(program.text(u"frmAbout/lblTitle"_s), u"Vedrin"_s);
    QCOMPARE(program.text(u"frmAbout/lblVersion"_s), u"ﾊﾞｰｼﾞｮﾝ 1.2.4"_s);
    QVERIFY(program.text(u"frmAbout/lblDisclaimer"_s).startsWith(u"作った人:  "_s));
    QVERIFY(program.text(u"frmAbout/Label1"_s).startsWith(u"メール: "_s));
    QCOMPARE(program.text(u"frmAbout/cmdSysInfo"_s), u"ｼｽﾃﾑ情報(&S)..."_s);
    QCOMPARE(program.text(u"frmAbout/cmdOK"_s), u"OK"_s);
    QVERIFY(QTest::qWaitForWindowActive(box));
    QCOMPARE(QApplication::focusWidget(), program.find(u"frmAbout/cmdOK"_s));
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
    Program program;
    AboutBox *box = program.windows.showAbout();
    QVERIFY(QTest::qWaitForWindowActive(box));
    QPointer<AboutBox> watched(box);
    auto *ok = box->findChild<QPushButton *>(u"cmdOK"_s);
    auto *focused = focusOnSysInfo ? box->findChild<QPushButton *>(u"cmdSysInfo"_s) : ok;
    focused->setFocus();
    if (key == 0)
        QTest::mouseClick(ok, Qt::LeftButton);
    else
        QTest::keyClick(focused, Qt::Key(key));
    QVERIFY(!program.windows.aboutBox());
    QTRY_VERIFY(watched.isNull());
    QVERIFY(program.starter.commandLines.isEmpty());
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

    Program program;
    const QString folder = windowsStyle(program.dir.path());
    TestRegistry &registry = program.registry;
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

    AboutBox *box = program.windows.showAbout();
    QVERIFY(program.click(u"frmAbout/cmdSysInfo"_s));
    started.replaceInStrings(u"{dir}"_s, folder);
    QCOMPARE(program.starter.commandLines, started);
    QCOMPARE(program.messages.texts(), message ? QStringList{unavailable} : QStringList());
    QCOMPARE(registry.openedPaths().contains(location2), location2Tried);
    QCOMPARE(registry.openKeyCount(), 0);
    QVERIFY(box->isVisible());
}

void TestAboutBox::failingStartShowsMessage()
{
    Program program;
    program.registry.setValue(location1, u"PATH"_s, 1, QByteArray("/nowhere/msinfo32"));
    program.starter.succeeds = false;
    program.windows.showAbout();
    QVERIFY(program.click(u"frmAbout/cmdSysInfo"_s));
    QCOMPARE(program.messages.texts(), QStringList{unavailable});
    QVERIFY(!program.registry.openedPaths().contains(location2));
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
    Program program;
    program.registry.setValue(location1, u"PATH"_s, 1, QByteArray("C:\\msinfo.exe"));
    AboutBox *box = program.windows.showAbout();
    QVERIFY(QTest::qWaitForWindowActive(box));
    if (key != Qt::Key_S)
        box->findChild<QPushButton *>(u"cmdSysInfo"_s)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    // An access key presses the button the animated way, so the click comes a moment later.
    QTRY_COMPARE(program.starter.commandLines, QStringList{u"C:\\msinfo.exe"_s});
    QVERIFY(box->isVisible());
}

void TestAboutBox::helpTwiceGivesOneBox()
{
    Program program;
    QVERIFY(program.start());
    QVERIFY(program.click(u"Help"_s));
    AboutBox *first = program.windows.aboutBox();
    QVERIFY(first && first->isVisible());
    QVERIFY(program.click(u"Help"_s));
    QCOMPARE(program.windows.aboutBox(), first);
    QVERIFY(program.windows.mainWindow()->isVisible());
}

QTEST_MAIN(TestAboutBox)
#include "tst_about_box.moc"
