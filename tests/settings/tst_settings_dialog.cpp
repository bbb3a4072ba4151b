#include <QFile>

#include <sys/stat.h>

#include "support/program.h"

using namespace Qt::StringLiterals;

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void loadAndControls()
    {
        Program program;
        QVERIFY(program.start());
        // Edited by hand behind the loaded main window's back, so that only the dialog reads it.
        const QByteArray edited(" -5 , \"\x83\x65\x83\x58\x83\x67 b \" junk\r\nmore\r\n");
        writeFileBytes(u"settei.ini"_s, edited);
        QVERIFY(program.click(u"open"_s));
        SettingsDialog *dialog = program.windows.settingsDialog();
        QCOMPARE(dialog->windowTitle(), u"Vedrin設定"_s);
        QVERIFY(!dialog->windowIcon().isNull());
        QCOMPARE(program.text(u"Settei/Label1"_s), u"[設定]"_s);
        QCOMPARE(program.text(u"Settei/Label2"_s), u"名簿の最大値"_s);
        QCOMPARE(program.text(u"Settei/Label3"_s), u"あなたの名前"_s);
        QCOMPARE(program.text(u"Settei/Label4"_s), u"注: 名簿のMAX値は、半角数字で入力してください"_s);
        QCOMPARE(program.text(u"Settei/Text1"_s), u"-5"_s);
        QCOMPARE(program.text(u"Settei/Text2"_s), u"テスト b "_s);
        for (const QString &next : {u"Settei/Text1"_s, u"Settei/Text2"_s, u"Settei/OK"_s}) {
            QCOMPARE(dialog->focusWidget(), program.find(next));
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        }
        // Enter in a box does not press OK.
        QTest::keyClick(program.find(u"Settei/Text1"_s), Qt::Key_Return);
        QTest::keyClick(program.find(u"Settei/Text2"_s), Qt::Key_Enter);
        QCOMPARE(readFileBytes(u"settei.ini"_s), edited);
        QVERIFY(program.click(u"Settei/OK"_s));
        // A file the dialog cannot read leaves its boxes empty.
        writeFileBytes(u"settei.ini"_s, "25\r\n");
        QVERIFY(program.click(u"open"_s));
        QVERIFY(program.text(u"Settei/Text1"_s).isEmpty() && program.text(u"Settei/Text2"_s).isEmpty());
        QVERIFY(program.messages.isEmpty());
    }

    void ok_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QByteArray>("expected"); // null: refused, the dialog stays
        // 山田 in Shift-JIS.
        const QByteArray yamada = ",\"\x8E\x52\x93\x63\"\r\n";
        const QStringList warned{u"1000人以上の登録は多すぎます。ほんとにそんなに必要ですか?"_s,
                                 u"登録人数(MAX値)は、あとで変更可能です。"_s};
        const QString range = u"名簿の最大値は -32768 から 32767 までの数で入力してください。"_s;
        const QStringList quote{u"名前に \" (ダブルクォーテーション) は使えません。"_s};
        const QStringList none;
        const QByteArray refused;
        // The warning reads the box as a number with thousands separators; the value is rounded.
        QTest::newRow("999.6, no warning") << u"999.6"_s << u"山田"_s << none << "1000" + yamada;
        QTest::newRow("1000 warns") << u"1000"_s << u"山田"_s << warned << "1000" + yamada;
        QTest::newRow("full-width 1500 warns") << u"１５００"_s << u"山田"_s << warned << "1500" + yamada;
        QTest::newRow("1,500 warns, stored as 1") << u"1,500"_s << u"山田"_s << warned << "1" + yamada;
        QTest::newRow("40000 refused") << u"40000"_s << u"山田"_s << warned + QStringList{range} << refused;
        QTest::newRow("double quote") << u"20"_s << u"山\"田"_s << quote << refused;
        QTest::newRow("blanks kept") << u"20"_s << u"  ab "_s << none << QByteArray("20,\"  ab \"\r\n");
        // ｎ, in a box that holds any length.
        const QByteArray longName = "10,\"" + QByteArray("\x82\x8E").repeated(40000) + "\"\r\n";
        QTest::newRow("name of 40000 characters") << u"10"_s << QString(40000, u'ｎ') << none << longName;
    }

    void ok()
    {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QFETCH(QStringList, messages);
        QFETCH(QByteArray, expected);
        const QByteArray settings("7,\"\"\r\n");
        Program program(settings);
        QVERIFY(program.start() && program.click(u"open"_s));
        QVERIFY(program.type(u"Settei/Text1"_s, typed) && program.type(u"Settei/Text2"_s, name));
        QByteArrayList fileWhileWarning;
        program.onMessage = [&](const QString &) { fileWhileWarning.append(readFileBytes(u"settei.ini"_s)); };
        QVERIFY(program.click(u"Settei/OK"_s));
        QCOMPARE(program.messages, messages);
        // The warnings come before anything is stored.
        QCOMPARE(fileWhileWarning, QByteArrayList(messages.size(), settings));
        QCOMPARE(readFileBytes(u"settei.ini"_s), expected.isNull() ? settings : expected);
        const bool stored = !expected.isNull();
        QCOMPARE(program.windows.settingsDialog() == nullptr, stored);
        QCOMPARE(int(program.state.settings.MaxEntries), stored ? expected.split(',').first().toInt() : 7);
        // Once stored, the main window comes back loaded afresh with the values.
        QVERIFY(!stored || program.lines().size() == program.state.settings.MaxEntries);
        // The frame shows no more than 512 characters.
        QCOMPARE(program.text(u"Frame2"_s), stored ? (name + u"のアドレス帳"_s).left(512) : QString());
    }

    void failedWrite_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("directory in the way") << u"directory"_s;
        QTest::newRow("read-only file") << u"read-only"_s;
        QTest::newRow("FIFO in the way") << u"FIFO"_s;
    }

    void failedWrite()
    {
        QFETCH(QString, obstacle);
        const QByteArray settings("7,\"\"\r\n");
        Program program(settings);
        QVERIFY(program.start() && program.click(u"open"_s) && program.type(u"Settei/Text1"_s, u"30"_s));
        const bool readOnly = obstacle == u"read-only";
        QVERIFY(readOnly ? QFile::setPermissions(u"settei.ini"_s, QFileDevice::ReadOwner)
                         : QFile::remove(u"settei.ini"_s));
        // No user, root included, can replace a directory with a file.
        QVERIFY(obstacle != u"directory" || QDir().mkdir(u"settei.ini"_s));
        QVERIFY(obstacle != u"FIFO" || (::mkfifo("settei.ini", 0666) == 0 && ::chmod("settei.ini", 0666) == 0));
        {
            WithoutPrivileges unprivileged(program.dir);
            QVERIFY(program.click(u"Settei/OK"_s));
        }
        QCOMPARE(program.messages, QStringList{u"設定を保存できませんでした。"_s});
        QVERIFY(QFileInfo::exists(u"settei.ini"_s) && QFileInfo(u"settei.ini"_s).isFile() == readOnly);
        QVERIFY(!readOnly || readFileBytes(u"settei.ini"_s) == settings);
        QCOMPARE(int(program.state.settings.MaxEntries), 7);
        QVERIFY(program.windows.settingsDialog()->isVisible() && !program.windows.mainWindow());
    }
};

int main(int argc, char *argv[])
{
    // The threshold reading follows the user's number format; these cases are written for one
    // that groups thousands with commas and takes a full stop as the decimal point.
    qputenv("LC_ALL", "en_US.UTF-8");
    QApplication app(argc, argv);
    TestSettingsDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings_dialog.moc"
