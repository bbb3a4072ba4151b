#include <QTest>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <algorithm>
#include <sys/stat.h>

#include "app/program_state.h"
#include "app/program_windows.h"
#include "main_window/main_window.h"
#include "settings/settings_dialog.h"
#include "support/message_recorder.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

namespace {

const QString tooMany = u"1000人以上の登録は多すぎます。ほんとにそんなに必要ですか?"_s;
const QString changeableLater = u"登録人数(MAX値)は、あとで変更可能です。"_s;

// 山田 in Shift-JIS.
const QByteArray yamadaBytes("\x8E\x52\x93\x63");

// A started program whose main window has been swapped for the settings dialog by 設定.
class Program final
{
public:
    explicit Program(const QByteArray &settings = "10,\"\"\r\n")
    {
        writeFileBytes(u"settei.ini"_s, settings);
        windows.showMainWindow();
    }

    SettingsDialog *openSettings()
    {
        windows.mainWindow()->findChild<QAction *>(u"open"_s)->trigger();
        return windows.settingsDialog();
    }

    QLineEdit *edit(const QString &name) const
    {
        return windows.settingsDialog()->findChild<QLineEdit *>(name);
    }
    // QTest types ASCII only; other text arrives as an input method commits it.
    void retype(const QString &name, const QString &text) const
    {
        QLineEdit *box = edit(name);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        const bool ascii = std::all_of(text.begin(), text.end(),
                                       [](QChar c) { return c.unicode() < 0x80; });
        if (ascii) {
            QTest::keyClicks(box, text);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QCoreApplication::sendEvent(box, &commit);
        }
    }
    void pressOk() const
    {
        QTest::mouseClick(windows.settingsDialog()->findChild<QPushButton *>(u"OK"_s),
                          Qt::LeftButton);
    }

    ProgramState state;
    ProgramWindows windows{state};
};

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void controls();
    void formLoad_data();
    void formLoad();
    void storedMaximum_data();
    void storedMaximum();
    void storedName_data();
    void storedName();
    void refusedInput_data();
    void refusedInput();
    void failedWrite_data();
    void failedWrite();
    void okWithoutChangesRewritesTheFile_data();
    void okWithoutChangesRewritesTheFile();
    void enterDoesNotPressOk();
};

void TestSettingsDialog::controls()
{
    TestDirectory dir;
    Program program;
    SettingsDialog *dialog = program.openSettings();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->objectName(), u"Settei"_s);
    QCOMPARE(dialog->windowTitle(), u"Vedrin設定"_s);
    QVERIFY(!dialog->windowIcon().isNull());
    QCOMPARE(dialog->size(), QSize(312, 213));

    const auto *label1 = dialog->findChild<QLabel *>(u"Label1"_s);
    QCOMPARE(label1->text(), u"[設定]"_s);
    QCOMPARE(label1->font().pointSizeF(), 12.0);
    QVERIFY(label1->font().bold());
    QCOMPARE(dialog->findChild<QLabel *>(u"Label2"_s)->text(), u"名簿の最大値"_s);
    QCOMPARE(dialog->findChild<QLabel *>(u"Label3"_s)->text(), u"あなたの名前"_s);
    QCOMPARE(dialog->findChild<QPushButton *>(u"OK"_s)->text(), u"OK"_s);
    QVERIFY(program.edit(u"Text1"_s));
    QVERIFY(program.edit(u"Text2"_s));

    QCOMPARE(dialog->focusWidget(), program.edit(u"Text1"_s));
    QTest::keyClick(program.edit(u"Text1"_s), Qt::Key_Tab);
    QCOMPARE(dialog->focusWidget(), program.edit(u"Text2"_s));
    QTest::keyClick(program.edit(u"Text2"_s), Qt::Key_Tab);
    QCOMPARE(dialog->focusWidget(), dialog->findChild<QPushButton *>(u"OK"_s));
}

void TestSettingsDialog::formLoad_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");

    QTest::newRow("ten and an empty name") << QByteArray("10,\"\"\r\n") << u"10"_s << QString();
    QTest::newRow("negative and a Shift-JIS name")
        << QByteArray("-5,\"" + yamadaBytes + "\"\r\n") << u"-5"_s << u"山田"_s;
    QTest::newRow("name with blanks") << QByteArray("250,\" a b \"\r\n") << u"250"_s
                                      << u" a b "_s;
    QTest::newRow("missing file") << QByteArray() << QString() << QString();
    QTest::newRow("number alone") << QByteArray("25\r\n") << QString() << QString();
}

void TestSettingsDialog::formLoad()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    TestDirectory dir;
    MessageRecorder messages;
    Program program;
    // Changed behind the loaded main window's back, so that only the dialog reads it.
    if (settings.isNull())
        QVERIFY(QFile::remove(u"settei.ini"_s));
    else
        writeFileBytes(u"settei.ini"_s, settings);
    SettingsDialog *dialog = program.openSettings();
    QCOMPARE(program.edit(u"Text1"_s)->text(), text1);
    QCOMPARE(program.edit(u"Text2"_s)->text(), text2);
    QCOMPARE(dialog->findChild<QLabel *>(u"Label4"_s)->text(),
             u"注: 名簿のMAX値は、半角数字で入力してください"_s);
    QVERIFY(messages.texts().isEmpty());
}

void TestSettingsDialog::storedMaximum_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expectedMessages");
    QTest::addColumn<QByteArray>("expectedDigits");

    const QStringList warnings{tooMany, changeableLater};
    QTest::newRow("1000") << u"1000"_s << warnings << QByteArray("1000");
    QTest::newRow("999") << u"999"_s << QStringList() << QByteArray("999");
    QTest::newRow("999.6") << u"999.6"_s << QStringList() << QByteArray("1000");
    QTest::newRow("1000.5") << u"1000.5"_s << warnings << QByteArray("1000");
    QTest::newRow("1,500") << u"1,500"_s << warnings << QByteArray("1");
    QTest::newRow("blanks around 50") << u" 50 "_s << QStringList() << QByteArray("50");
    QTest::newRow("-5") << u"-5"_s << QStringList() << QByteArray("-5");
    QTest::newRow("empty") << QString() << QStringList() << QByteArray("0");
    QTest::newRow("letters") << u"abc"_s << QStringList() << QByteArray("0");
    QTest::newRow("12abc") << u"12abc"_s << QStringList() << QByteArray("12");
    QTest::newRow("32767") << u"32767"_s << warnings << QByteArray("32767");
    QTest::newRow("-32768") << u"-32768"_s << QStringList() << QByteArray("-32768");
}

void TestSettingsDialog::storedMaximum()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, expectedMessages);
    QFETCH(QByteArray, expectedDigits);
    TestDirectory dir;
    MessageRecorder messages;
    Program program;
    program.openSettings();
    program.retype(u"Text1"_s, typed);
    program.retype(u"Text2"_s, u"山田"_s);
    QStringList fileWhileWarning;
    messages.setOnMessage([&](const QString &) {
        fileWhileWarning.append(QString::fromLatin1(readFileBytes(u"settei.ini"_s)));
    });
    program.pressOk();

    QCOMPARE(messages.texts(), expectedMessages);
    // The warnings come before anything is stored.
    for (const QString &bytes : fileWhileWarning)
        QCOMPARE(bytes, u"10,\"\"\r\n"_s);
    QCOMPARE(readFileBytes(u"settei.ini"_s), expectedDigits + ",\"" + yamadaBytes + "\"\r\n");
    QCOMPARE(QByteArray::number(program.state.settings.MaxEntries), expectedDigits);
    QCOMPARE(program.state.settings.OwnerName, u"山田"_s);
    QVERIFY(!program.windows.settingsDialog());
    MainWindow *main = program.windows.mainWindow();
    QVERIFY(main);
    QVERIFY(main->isVisible());
    QCOMPARE(main->findChild<QListView *>(u"List1"_s)->model()->rowCount(),
             qMax(0, expectedDigits.toInt()));
}

void TestSettingsDialog::storedName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("expectedFile");

    QTest::newRow("empty") << QString() << QByteArray("20,\"\"\r\n");
    QTest::newRow("Shift-JIS") << u"山田"_s << QByteArray("20,\"" + yamadaBytes + "\"\r\n");
    QTest::newRow("blanks kept") << u"  ab "_s << QByteArray("20,\"  ab \"\r\n");
}

void TestSettingsDialog::storedName()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, expectedFile);
    TestDirectory dir;
    MessageRecorder messages;
    Program program("20,\"" + yamadaBytes + "\"\r\n");
    program.openSettings();
    program.retype(u"Text2"_s, typed);
    program.pressOk();
    QVERIFY(messages.texts().isEmpty());
    QCOMPARE(readFileBytes(u"settei.ini"_s), expectedFile);
    QCOMPARE(program.state.settings.OwnerName, typed);
}

void TestSettingsDialog::refusedInput_data()
{
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<QStringList>("expectedMessages");

    const QString range = u"名簿の最大値は -32768 から 32767 までの数で入力してください。"_s;
    const QString quote = u"名前に \" (ダブルクォーテーション) は使えません。"_s;
    QTest::newRow("40000") << u"40000"_s << u"山田"_s
                           << QStringList{tooMany, changeableLater, range};
    QTest::newRow("32767.5") << u"32767.5"_s << u"山田"_s
                             << QStringList{tooMany, changeableLater, range};
    QTest::newRow("-32769") << u"-32769"_s << u"山田"_s << QStringList{range};
    QTest::newRow("not a threshold number") << u"99999abc"_s << u"山田"_s << QStringList{range};
    QTest::newRow("double quote") << u"20"_s << u"山\"田"_s << QStringList{quote};
    QTest::newRow("quote after warnings") << u"2000"_s << u"\""_s
                                          << QStringList{tooMany, changeableLater, quote};
}

void TestSettingsDialog::refusedInput()
{
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(QStringList, expectedMessages);
    TestDirectory dir;
    MessageRecorder messages;
    const QByteArray settings("7,\"" + yamadaBytes + "\"\r\n");
    Program program(settings);
    SettingsDialog *dialog = program.openSettings();
    program.retype(u"Text1"_s, text1);
    program.retype(u"Text2"_s, text2);
    program.pressOk();

    QCOMPARE(messages.texts(), expectedMessages);
    QCOMPARE(readFileBytes(u"settei.ini"_s), settings);
    QCOMPARE(int(program.state.settings.MaxEntries), 7);
    QCOMPARE(program.state.settings.OwnerName, u"山田"_s);
    QCOMPARE(program.windows.settingsDialog(), dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(program.edit(u"Text1"_s)->text(), text1);
    QVERIFY(!program.windows.mainWindow());
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
    TestDirectory dir;
    MessageRecorder messages;
    const QByteArray settings("7,\"" + yamadaBytes + "\"\r\n");
    Program program(settings);
    SettingsDialog *dialog = program.openSettings();
    const bool readOnlyFile = obstacle == u"read-only"_s;
    if (readOnlyFile) {
        QVERIFY(QFile::setPermissions(u"settei.ini"_s, QFileDevice::ReadOwner));
    } else {
        QVERIFY(QFile::remove(u"settei.ini"_s));
        // No user, root included, can replace a directory with a file.
        if (obstacle == u"directory"_s) {
            QVERIFY(QDir().mkdir(u"settei.ini"_s));
        } else {
            QCOMPARE(::mkfifo("settei.ini", 0666), 0);
            QCOMPARE(::chmod("settei.ini", 0666), 0);
        }
    }
    program.retype(u"Text1"_s, u"30"_s);
    program.retype(u"Text2"_s, u"abc"_s);
    {
        WithoutPrivileges unprivileged(dir);
        program.pressOk();
    }

    QCOMPARE(messages.texts(), QStringList{u"設定を保存できませんでした。"_s});
    if (readOnlyFile)
        QCOMPARE(readFileBytes(u"settei.ini"_s), settings);
    else
        QVERIFY(QFileInfo::exists(u"settei.ini"_s) && !QFileInfo(u"settei.ini"_s).isFile());
    QCOMPARE(int(program.state.settings.MaxEntries), 7);
    QCOMPARE(program.state.settings.OwnerName, u"山田"_s);
    QCOMPARE(program.windows.settingsDialog(), dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(!program.windows.mainWindow());
}

void TestSettingsDialog::okWithoutChangesRewritesTheFile_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QByteArray>("expectedFile");

    // テスト
    const QByteArray name("\x83\x65\x83\x58\x83\x67");
    QTest::newRow("as written") << QByteArray("250,\"" + name + "\"\r\n")
                                << QByteArray("250,\"" + name + "\"\r\n");
    QTest::newRow("edited by hand") << QByteArray("  250 , \"" + name + "\" junk\r\nmore\r\n")
                                    << QByteArray("250,\"" + name + "\"\r\n");
    QTest::newRow("empty name, no line end") << QByteArray("10,\"\"") << QByteArray("10,\"\"\r\n");
    const QByteArray longName = QByteArray(40000, 'n');
    QTest::newRow("name of 40000 characters")
        << QByteArray("10,\"" + longName + "\"\r\n") << QByteArray("10,\"" + longName + "\"\r\n");
}

void TestSettingsDialog::okWithoutChangesRewritesTheFile()
{
    QFETCH(QByteArray, settings);
    QFETCH(QByteArray, expectedFile);
    TestDirectory dir;
    MessageRecorder messages;
    Program program(settings);
    program.openSettings();
    program.pressOk();
    QVERIFY(messages.texts().isEmpty());
    QCOMPARE(readFileBytes(u"settei.ini"_s), expectedFile);
    QVERIFY(program.windows.mainWindow());
}

void TestSettingsDialog::enterDoesNotPressOk()
{
    TestDirectory dir;
    MessageRecorder messages;
    Program program;
    SettingsDialog *dialog = program.openSettings();
    program.retype(u"Text1"_s, u"2000"_s);
    QTest::keyClick(program.edit(u"Text1"_s), Qt::Key_Return);
    QTest::keyClick(program.edit(u"Text2"_s), Qt::Key_Enter);
    QVERIFY(messages.texts().isEmpty());
    QCOMPARE(readFileBytes(u"settei.ini"_s), QByteArray("10,\"\"\r\n"));
    QCOMPARE(program.windows.settingsDialog(), dialog);
    QVERIFY(!program.windows.mainWindow());
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
