#include <QAccessible>
#include <QClipboard>
#include <QSignalSpy>

#include "support/program.h"

using namespace Qt::StringLiterals;

class TestWindowCommands : public QObject
{
    Q_OBJECT

private slots:
    void lastWindowGoingEndsTheProgram_data()
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

    void lastWindowGoingEndsTheProgram()
    {
        QFETCH(QString, closing);
        QFETCH(int, aboutKey);
        const bool command = closing != u"Meibo" && closing != u"Settei";
        Program program("6,\"\"\r\n");
        QVERIFY(program.start());
        QVERIFY(!command || program.windows.showPictureChooser());
        QVERIFY((!command && aboutKey < 0) || program.windows.showAbout());
        QVERIFY(closing != u"Settei" || program.click(u"open"_s));
        QWidget *window = closing == u"Meibo" ? static_cast<QWidget *>(program.windows.mainWindow())
                                              : program.windows.settingsDialog();
        QVERIFY(command ? program.click(closing) : window->close());
        QTRY_VERIFY(!program.windows.mainWindow() && !program.windows.settingsDialog());
        QCOMPARE(program.windows.hasEnded(), aboutKey < 0);
        QVERIFY(!program.state.roster.file.isOpen());
        QVERIFY(aboutKey != 0 || program.click(u"frmAbout/cmdOK"_s));
        if (aboutKey > 0)
            QTest::keyClick(program.find(u"frmAbout/cmdOK"_s), Qt::Key(aboutKey));
        QVERIFY(!program.windows.pictureChooser() && !program.windows.aboutBox());
        QVERIFY(program.windows.hasEnded());
        QCOMPARE(program.windows.exitCode(), 0);
        QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("6,\"\"\r\n"));
        QVERIFY(program.messages.isEmpty());
    }

    void enterPressesTheFocusedButton()
    {
        Program program;
        QVERIFY(program.start());
        program.windows.showPictureChooser();
        const auto pressOnce = [&program](const QString &name, Qt::Key key) {
            auto *button = program.find<QPushButton>(name);
            QSignalSpy clicks(button, &QPushButton::clicked);
            button->setFocus();
            QTest::keyClick(button, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            return clicks.count() == 1;
        };
        QVERIFY(pressOnce(u"Command1"_s, Qt::Key_Return));
        QVERIFY(pressOnce(u"Form1/Command1"_s, Qt::Key_Enter));
        QVERIFY(program.click(u"open"_s) && pressOnce(u"Settei/OK"_s, Qt::Key_Return));
    }

    // However a line break arrives: by an input method, by accessibility or by a paste.
    void singleLineBoxesKeepTheFirstLine()
    {
        Program program;
        QVERIFY(program.start());
        const QString arriving = u" Jiro\r\nYamada\nHanako"_s;
        // Typed other than in ASCII, the text comes as an input method's commit.
        QVERIFY(program.type(u"Text1"_s, u"太郎"_s + arriving));
        QCOMPARE(program.text(u"Text1"_s), u"太郎 Jiro"_s);
        QVERIFY(program.type(u"Mail"_s, u"Taro"_s));
        QAccessibleInterface *mail = QAccessible::queryAccessibleInterface(program.find(u"Mail"_s));
        mail->editableTextInterface()->insertText(4, arriving);
        QCOMPARE(program.text(u"Mail"_s), u"Taro Jiro"_s);
        QVERIFY(program.click(u"open"_s) && program.type(u"Settei/Text2"_s, u"Taro"_s));
        QGuiApplication::clipboard()->setText(arriving);
        QTest::keyClick(program.find(u"Settei/Text2"_s), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(program.text(u"Settei/Text2"_s), u"Taro Jiro"_s);
    }
};

QTEST_MAIN(TestWindowCommands)
#include "tst_window_commands.moc"
