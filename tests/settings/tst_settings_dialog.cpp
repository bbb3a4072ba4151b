#include <QTest>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include <sys/stat.h>

#include "main_window/main_window.h"
#include "settings/settings_dialog.h"
#include "support/program.h"

using namespace Qt::StringLiterals;

namespace {

const QString tooMany = u"1000人以上の登録は多すぎます。ほんとにそんなに必要ですか?"_s;
const QString changeableLater = u"登録人数(MAX値)は、あとで変更可能です。"_s;

// 山田 in Shift-JIS.
const QByteArray yamadaBytes("\x8E\x52\x93\x63");

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void controls();
    void loadAndOk_data();
    void loadAndOk();
    void ok_data();
    void ok();
    void failedWrite_data();
    void failedWrite();
};

void TestSettingsDialog::controls()
{
    Program program;
    QVERIFY(program.start() && program.click(u"open"_s));
    SettingsDialog *dialog = program.windows.settingsDialog();
    QCOMPARE(dialog->windowTitle(), u"Vedrin設定"_s);
    QVERIFY(!dialog->windowIcon().isNull());
    QCOMPARE(program.text(u"Settei/Label1"_s), u"[設定]"_s);
    QCOMPARE(program.text(u"Settei/Label2"_s), u"名簿の最大値"_s);
    QCOMPARE(program.text(u"Settei/Label3"_s), u"あなたの名前"_s);
    QCOMPARE(program.text(u"Settei/Label4"_s), u"注: 名簿のMAX値は、半角数字で入力してください"_s);
    QCOMPARE(program.find<QPushButton>(u"Settei/OK"_s)->text(), u"OK"_s);
    QCOMPARE(dialog->focusWidget(), program.find(u"Settei/Text1"_s));
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    QCOMPARE(dialog->focusWidget(), program.find(u"Settei/Text2"_s));
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    QCOMPARE(dialog->focusWidget(), program.find(u"Settei/OK"_s));
    // Enter in a box does not press OK.
    QVERIFY(program.type(u"Settei/Text1"_s, u"2000"_s));
    QTest::keyClick(program.find(u"Settei/Text1"_s), Qt::Key_Return);
    QTest::keyClick(program.find(u"Settei/Text2"_s), Qt::Key_Enter);
    QVERIFY(program.messages.isEmpty());
    QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("10,\"\"\r\n"));
    QVERIFY(program.windows.settingsDialog()->isVisible());
}

void TestSettingsDialog::loadAndOk_data()
{
    QTest::addColumn<QByteArray>("settings"); // null: no file
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<QByteArray>("afterOk");
    // テスト
    const QByteArray name("\x83\x65\x83\x58\x83\x67");
    QTest::newRow("negative and a Shift-JIS name")
        << QByteArray("-5,\"" + name + "\"\r\n") << u"-5"_s << u"テスト"_s << QByteArray("-5,\"" + name + "\"\r\n");
    QTest::newRow("edited by hand") << QByteArray("  250 , \" a b \" junk\r\nmore\r\n") << u"250"_s
                                    << u" a b "_s << QByteArray("250,\" a b \"\r\n");
    QTest::newRow("empty name, no line end") << QByteArray("10,\"\"") << u"10"_s << QString()
                                             << QByteArray("10,\"\"\r\n");
    QTest::newRow("missing file") << QByteArray() << QString() << QString() << QByteArray("0,\"\"\r\n");
    QTest::newRow("number alone") << QByteArray("25\r\n") << QString() << QString() << QByteArray("0,\"\"\r\n");
    const QByteArray longName = "10,\"" + QByteArray(40000, 'n') + "\"\r\n";
    QTest::newRow("name of 40000 characters") << longName << u"10"_s << QString(40000, u'n') << longName;
}

void TestSettingsDialog::loadAndOk()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(QByteArray, afterOk);
    Program program;
    QVERIFY(program.start());
    // Changed behind the loaded main window's back, so that only the dialog reads it.
    QVERIFY(QFile::remove(u"settei.ini"_s));
    if (!settings.isNull())
        writeFileBytes(u"settei.ini"_s, settings);
    QVERIFY(program.click(u"open"_s));
    QCOMPARE(program.text(u"Settei/Text1"_s), text1);
    QCOMPARE(program.text(u"Settei/Text2"_s), text2);
    QVERIFY(program.click(u"Settei/OK"_s));
    QVERIFY(program.messages.isEmpty());
    QCOMPARE(readFileBytes(u"settei.ini"_s), afterOk);
}

void TestSettingsDialog::ok_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QByteArray>("expected"); // null: refused, the dialog stays
    const QByteArray yamada = ",\"" + yamadaBytes + "\"\r\n";
    const QStringList warned{tooMany, changeableLater};
    const QString range = u"名簿の最大値は -32768 から 32767 までの数で入力してください。"_s;
    QTest::newRow("1000") << u"1000"_s << u"山田"_s << warned << "1000" + yamada;
    QTest::newRow("999") << u"999"_s << u"山田"_s << QStringList() << "999" + yamada;
    QTest::newRow("999.6") << u"999.6"_s << u"山田"_s << QStringList() << "1000" + yamada;
    QTest::newRow("1000.5") << u"1000.5"_s << u"山田"_s << warned << "1000" + yamada;
    QTest::newRow("1,500") << u"1,500"_s << u"山田"_s << warned << "1" + yamada;
    QTest::newRow("blanks around 50") << u" 50 "_s << u"山田"_s << QStringList() << "50" + yamada;
    QTest::newRow("empty") << QString() << u"山田"_s << QStringList() << "0" + yamada;
    QTest::newRow("12abc") << u"12abc"_s << u"山田"_s << QStringList() << "12" + yamada;
    QTest::newRow("32767") << u"32767"_s << u"山田"_s << warned << "32767" + yamada;
    QTest::newRow("-32768") << u"-32768"_s << u"山田"_s << QStringList() << "-32768" + yamada;
    QTest::newRow("empty name") << u"20"_s << QString() << QStringList() << QByteArray("20,\"\"\r\n");
    QTest::newRow("blanks kept in the name") << u"20"_s << u"  ab "_s << QStringList() << QByteArray("20,\"  ab \"\r\n");
    QTest::newRow("40000") << u"40000"_s << u"山田"_s << warned + QStringList{range} << QByteArray();
    QTest::newRow("32767.5") << u"32767.5"_s << u"山田"_s << warned + QStringList{range} << QByteArray();
    QTest::newRow("-32769") << u"-32769"_s << u"山田"_s << QStringList{range} << QByteArray();
    QTest::newRow("not a threshold number") << u"99999abc"_s << u"山田"_s << QStringList{range} << QByteArray();
    QTest::newRow("double quote") << u"20"_s << u"山\"田"_s
                                  << QStringList{u"名前に \" (ダブルクォーテーション) は使えません。"_s} << QByteArray();
}

void TestSettingsDialog::ok()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(QStringList, messages);
    QFETCH(QByteArray, expected);
    const QByteArray settings("7,\"\"\r\n");
    Program program(settings);
    QVERIFY(program.start() && program.click(u"open"_s));
    QVERIFY(program.type(u"Settei/Text1"_s, typed));
    QVERIFY(program.type(u"Settei/Text2"_s, name));
    QStringList fileWhileWarning;
    program.onMessage = [&](const QString &) {
        fileWhileWarning.append(QString::fromLatin1(readFileBytes(u"settei.ini"_s)));
    };
    QVERIFY(program.click(u"Settei/OK"_s));
    QCOMPARE(program.messages, messages);
    // The warnings come before anything is stored.
    QCOMPARE(fileWhileWarning, QStringList(messages.size(), u"7,\"\"\r\n"_s));
    QCOMPARE(readFileBytes(u"settei.ini"_s), expected.isNull() ? settings : expected);
    QCOMPARE(program.windows.settingsDialog() != nullptr, expected.isNull());
    if (expected.isNull()) {
        QCOMPARE(int(program.state.settings.MaxEntries), 7);
        QCOMPARE(program.text(u"Settei/Text1"_s), typed);
        QVERIFY(!program.windows.mainWindow());
        return;
    }
    QCOMPARE(program.state.settings.OwnerName, name);
    QVERIFY(program.windows.mainWindow()->isVisible());
    QCOMPARE(program.lines().size(), qMax(0, expected.split(',').first().toInt()));
    QCOMPARE(program.text(u"Frame2"_s), name.isEmpty() ? u"Myアドレス帳"_s : name + u"のアドレス帳"_s);
}

void TestSettingsDialog::failedWrite_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("directory in the way") << u"directory"_s;
    QTest::newRow("read-only file") << u"read-only"_s;
    QTest::newRow("FIFO in the way") << u"FIFO"_s;
}

void TestSettingsDialog::failedWrite()
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
    QVERIFY(QFileInfo::exists(u"settei.ini"_s));
    QCOMPARE(QFileInfo(u"settei.ini"_s).isFile(), readOnly);
    QVERIFY(!readOnly || readFileBytes(u"settei.ini"_s) == settings);
    QCOMPARE(int(program.state.settings.MaxEntries), 7);
    QVERIFY(program.windows.settingsDialog()->isVisible() && !program.windows.mainWindow());
}

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
