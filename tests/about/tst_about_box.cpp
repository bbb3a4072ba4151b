#include "support/program.h"

using namespace Qt::StringLiterals;

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void loadAndSystemInformation_data()
    {
        QTest::addColumn<QByteArray>("path"); // location 1's text; null: none
        // 1: location 2 names the test's directory; 2: which also holds MSINFO32.EXE
        QTest::addColumn<int>("location2");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QStringList>("started"); // {dir}: the test's directory in Windows form
        const QByteArray tool("C:\\Tools\\msinfo.exe", 20);
        const QStringList fromTool{u"C:\\Tools\\msinfo.exe"_s};
        const QStringList fromLocation2{u"{dir}\\MSINFO32.EXE"_s};
        QTest::newRow("location 1 first") << tool << 2 << true << fromTool;
        QTest::newRow("location 2 with MSINFO32.EXE") << QByteArray() << 2 << true << fromLocation2;
        QTest::newRow("location 2, no MSINFO32.EXE") << QByteArray() << 1 << true << QStringList();
        QTest::newRow("both absent") << QByteArray() << 0 << true << QStringList();
        QTest::newRow("location 1 of size 0") << QByteArray("") << 2 << true << QStringList();
        QTest::newRow("start fails") << tool << 0 << false << fromTool;
    }

    void loadAndSystemInformation()
    {
        QFETCH(QByteArray, path);
        QFETCH(int, location2);
        QFETCH(bool, starts);
        QFETCH(QStringList, started);
        Program program;
        // The directory as the registry would hold it; the search appends a backslash.
        const QString folder = program.dir.path().replace(u'/', u'\\');
        if (!path.isNull())
            program.registry.texts[u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\PATH"_s] = path;
        const QString location2Value = u"SOFTWARE\\Microsoft\\Shared Tools Location\\MSINFO"_s;
        if (location2 > 0)
            program.registry.texts[location2Value] = folder.toLatin1() + '\0';
        if (location2 > 1)
            writeFileBytes(u"MSINFO32.EXE"_s, "MZ");
        program.starter.succeeds = starts;
        AboutBox *box = program.windows.showAbout();
        QCOMPARE(box->windowTitle(), u"Vedrinのﾊﾞｰｼﾞｮﾝ情報"_s);
        QCOMPARE(program.text(u"frmAbout/lblTitle"_s), u"Vedrin"_s);
        QCOMPARE(program.text(u"frmAbout/lblVersion"_s), u"ﾊﾞｰｼﾞｮﾝ 1.2.4"_s);
        QVERIFY(program.text(u"frmAbout/Label1"_s).startsWith(u"メール: "_s));
        QCOMPARE(program.text(u"frmAbout/cmdSysInfo"_s), u"ｼｽﾃﾑ情報(&S)..."_s);
        QVERIFY(QTest::qWaitForWindowActive(box));
        QCOMPARE(QApplication::focusWidget(), program.find(u"frmAbout/cmdOK"_s));
        // An access key presses the button the animated way, so the click comes a moment later.
        QTest::keyClick(box, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!program.starter.commandLines.isEmpty() || !program.messages.isEmpty());
        QCOMPARE(program.starter.commandLines, started.replaceInStrings(u"{dir}"_s, folder));
        const bool failed = started.isEmpty() || !starts;
        QCOMPARE(program.messages, failed ? QStringList{u"現時点ではｼｽﾃﾑ情報を使用できません"_s} : QStringList());
        QCOMPARE(program.registry.openKeys, 0);
        QVERIFY(box->isVisible());
    }
};

QTEST_MAIN(TestAboutBox)
#include "tst_about_box.moc"
