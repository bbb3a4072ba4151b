#include <QTest>

#include <QDir>
#include <QPointer>

#include "about/about_box.h"
#include "main_window/main_window.h"
#include "support/program.h"

using namespace Qt::StringLiterals;

namespace {

const QString location1 = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s;
const QString location2 = u"SOFTWARE\\Microsoft\\Shared Tools Location"_s;
const QString unavailable = u"現時点ではｼｽﾃﾑ情報を使用できません"_s;

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void loadShowsTitleAndVersion();
    void keys_data();
    void keys();
    void systemInformation_data();
    void systemInformation();
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

void TestAboutBox::keys_data()
{
    QTest::addColumn<int>("key"); // 0: a click on OK
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("onSysInfo"); // else the focus stays on OK
    QTest::addColumn<bool>("starts"); // else the box closes
    QTest::newRow("click OK") << 0 << 0 << false << false;
    QTest::newRow("Enter on OK") << int(Qt::Key_Return) << 0 << false << false;
    QTest::newRow("Esc on the other button") << int(Qt::Key_Escape) << 0 << true << false;
    QTest::newRow("Alt+S") << int(Qt::Key_S) << int(Qt::AltModifier) << false << true;
    QTest::newRow("Enter on the button") << int(Qt::Key_Return) << 0 << true << true;
    QTest::newRow("keypad Enter on the button") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true << true;
}

void TestAboutBox::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, onSysInfo);
    QFETCH(bool, starts);
    Program program;
    program.registry.setValue(location1, u"PATH"_s, 1, QByteArray("C:\\msinfo.exe"));
    QPointer<AboutBox> box = program.windows.showAbout();
    QVERIFY(QTest::qWaitForWindowActive(box));
    if (onSysInfo)
        program.find(u"frmAbout/cmdSysInfo"_s)->setFocus();
    if (key == 0)
        QVERIFY(program.click(u"frmAbout/cmdOK"_s));
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    // An access key presses the button the animated way, so the click comes a moment later.
    QTRY_COMPARE(program.starter.commandLines, starts ? QStringList{u"C:\\msinfo.exe"_s} : QStringList());
    QCOMPARE(program.windows.aboutBox() != nullptr, starts);
    QTRY_COMPARE(box.isNull(), !starts);
}

void TestAboutBox::systemInformation_data()
{
    QTest::addColumn<int>("pathType"); // of location 1's value; 0: none, -1: the key refused
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<bool>("hasLocation2"); // location 2 names the test's directory
    QTest::addColumn<QString>("msinfo32"); // what MSINFO32.EXE is there: "file", "folder" or nothing
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QStringList>("started"); // {dir}: the test's directory in Windows form
    QTest::addColumn<bool>("message");
    QTest::addColumn<bool>("location2Tried");
    const QByteArray tool("C:\\Tools\\msinfo.exe", 20);
    const QStringList fromTool{u"C:\\Tools\\msinfo.exe"_s};
    const QStringList fromLocation2{u"{dir}\\MSINFO32.EXE"_s};
    QTest::newRow("location 1") << 1 << tool << false << u""_s << true << fromTool << false << false;
    QTest::newRow("location 1 even with location 2") << 1 << tool << true << u""_s << true << fromTool << false << false;
    QTest::newRow("location 2 with MSINFO32.EXE") << 0 << QByteArray() << true << u"file"_s << true << fromLocation2 << false << true;
    QTest::newRow("location 2 without MSINFO32.EXE") << 0 << QByteArray() << true << u""_s << true << QStringList() << true << true;
    QTest::newRow("location 2, MSINFO32.EXE a folder") << 0 << QByteArray() << true << u"folder"_s << true << QStringList() << true << true;
    QTest::newRow("both absent") << 0 << QByteArray() << false << u""_s << true << QStringList() << true << true;
    QTest::newRow("location 1 of another type") << 3 << QByteArray("\x01\x02", 2) << false << u""_s << true << QStringList{QString()} << true << false;
    QTest::newRow("location 1 as a number") << 4 << QByteArray("\x10\0\0\0", 4) << false << u""_s << true << QStringList{u"&h00000010"_s} << false << false;
    QTest::newRow("location 1 of size 0") << 1 << QByteArray("") << false << u""_s << true << QStringList() << true << false;
    QTest::newRow("location 1 of 1025 bytes, so location 2") << 1 << QByteArray(1025, 'x') << true << u"file"_s << true << fromLocation2 << false << true;
    QTest::newRow("location 1 refused, so location 2") << -1 << tool << true << u"file"_s << true << fromLocation2 << false << true;
    QTest::newRow("start fails") << 1 << QByteArray("/nowhere/msinfo32") << false << u""_s << false << QStringList{u"/nowhere/msinfo32"_s} << true << false;
}

void TestAboutBox::systemInformation()
{
    QFETCH(int, pathType);
    QFETCH(QByteArray, path);
    QFETCH(bool, hasLocation2);
    QFETCH(QString, msinfo32);
    QFETCH(bool, starts);
    QFETCH(QStringList, started);
    QFETCH(bool, message);
    QFETCH(bool, location2Tried);
    Program program;
    // The directory as the registry would hold it; the search appends a backslash.
    const QString folder = program.dir.path().replace(u'/', u'\\');
    TestRegistry &registry = program.registry;
    if (pathType != 0)
        registry.setValue(location1, u"PATH"_s, qMax(pathType, 1), path);
    if (pathType < 0)
        registry.denyKey(location1);
    if (hasLocation2)
        registry.setValue(location2, u"MSINFO"_s, 1, folder.toLatin1().append('\0'));
    if (msinfo32 == u"file")
        writeFileBytes(u"MSINFO32.EXE"_s, "MZ");
    QVERIFY(msinfo32 != u"folder" || QDir().mkdir(u"MSINFO32.EXE"_s));
    program.starter.succeeds = starts;
    AboutBox *box = program.windows.showAbout();
    QVERIFY(program.click(u"frmAbout/cmdSysInfo"_s));
    QCOMPARE(program.starter.commandLines, started.replaceInStrings(u"{dir}"_s, folder));
    QCOMPARE(program.messages, message ? QStringList{unavailable} : QStringList());
    QCOMPARE(registry.openedPaths().contains(location2), location2Tried);
    QCOMPARE(registry.openKeyCount(), 0);
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
