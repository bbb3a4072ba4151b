#include <QTest>

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>

#include "app/program_state.h"
#include "app/program_windows.h"
#include "main_window/main_window.h"
#include "main_window_program.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray spaces(int count)
{
    return QByteArray(count, ' ');
}

// A slot's 436 bytes from its five fields, each padded with spaces.
QByteArray slotBytes(const QByteArray &namae, const QByteArray &mail = {},
                     const QByteArray &tell = {}, const QByteArray &memo = {},
                     const QByteArray &path = {})
{
    return namae + spaces(30 - namae.size()) + mail + spaces(30 - mail.size()) + tell
           + spaces(30 - tell.size()) + memo + spaces(90 - memo.size()) + path
           + spaces(256 - path.size());
}

QByteArray rosterBytes()
{
    return readFileBytes(u"meibo.dat"_s);
}

} // namespace

class TestMainWindowEntries : public QObject
{
    Q_OBJECT

private slots:
    void registersUnderTypedNumber();
    void overwritesWithoutAQuestion();
    void nameOfSpacesIsRegistered();
    void registersBeyondTheListedRoster();
    void numberTexts_data();
    void numberTexts();
    void emptyNameIsRefused();
    void correctedNumberKeepsThePicturePath();
    void secondRegisterStoresBlankPicturePath();
    void memoKeepsLineBreaksAsCrLf();

    void showsStoredEntryAtFullWidth();
    void showsDeletedSlotWithoutMessage();
    void pictureThatCannotBeLoaded_data();
    void pictureThatCannotBeLoaded();
    void showsStoredPicture();
    void arrowKeysWalkTheList();
    void chosenLineIsShown_data();
    void chosenLineIsShown();
    void listKeepsItsChosenLine_data();
    void listKeepsItsChosenLine();
    void viewShowsTheRefillAtAnySize();

    void deletesChosenEntry();
    void deleteNamesTheSlotActuallyBlanked();
    void deleteWithEmptyNumberClearsBoxesOnly();
    void deletesBeyondTheListedRoster();
    void numbersAbove32767AreRefused();
    void deletionNoticeShowsTheNameAsPlainText();
    void fullDiskLeavesTheFileAsItWas_data();
    void fullDiskLeavesTheFileAsItWas();
};

void TestMainWindowEntries::registersUnderTypedNumber()
{
    Program program;
    program.type(u"Text1"_s, u"3"_s);
    program.type(u"Namae"_s, u"山田"_s);
    program.type(u"Mail"_s, u"y@example.jp"_s);
    program.type(u"Tell"_s, u"03-1234"_s);
    program.memo()->insertPlainText(u"東京"_s);
    program.click(u"Command1"_s);
    QVERIFY(program.messages.texts().isEmpty());
    const QByteArray expected = QByteArray(436 * 2, '\0') + slotBytes("\x8E\x52\x93\x63", "y@example.jp", "03-1234", "\x93\x8C\x8B\x9E");
    QCOMPARE(rosterBytes().sliced(872), expected.sliced(872));
    QCOMPARE(rosterBytes().size(), 436 * 3);
    QCOMPARE(program.line(2), u"  3:  山田"_s + QString(28, u' '));
    QVERIFY(!program.list()->selectionModel()->hasSelection());
    // The boxes keep what was typed.
    QCOMPARE(program.edit(u"Namae"_s)->text(), u"山田"_s);
    QCOMPARE(program.edit(u"Text1"_s)->text(), u"3"_s);
}

void TestMainWindowEntries::overwritesWithoutAQuestion()
{
    Program program("10,\"\"\r\n", slotBytes("Old", "old@x"));
    program.registerEntry(u"1"_s, u"New"_s);
    QVERIFY(program.messages.texts().isEmpty());
    QCOMPARE(rosterBytes(), slotBytes("New"));
}

void TestMainWindowEntries::nameOfSpacesIsRegistered()
{
    Program program;
    program.registerEntry(u"2"_s, u"   "_s);
    QVERIFY(program.messages.texts().isEmpty());
    QCOMPARE(rosterBytes().sliced(436), slotBytes(""));
    QCOMPARE(program.line(1), u"  2:  "_s + QString(30, u' '));
    program.choose(1);
    QCOMPARE(program.edit(u"Namae"_s)->text(), QString());
}

void TestMainWindowEntries::registersBeyondTheListedRoster()
{
    Program program;
    program.registerEntry(u"12"_s, u"Far"_s);
    QVERIFY(program.messages.texts().isEmpty());
    QCOMPARE(rosterBytes().size(), 12 * 436);
    QCOMPARE(rosterBytes().sliced(11 * 436), slotBytes("Far"));
    QCOMPARE(program.list()->model()->rowCount(), 10);
}

void TestMainWindowEntries::numberTexts_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("slot"); // 0: refused with the message
    QTest::newRow("0.5") << u"0.5"_s << 0;
    QTest::newRow("0.6") << u"0.6"_s << 1;
    QTest::newRow("-3") << u"-3"_s << 0;
    QTest::newRow("&H10") << u"&H10"_s << 16;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("12abc") << u"12abc"_s << 12;
    QTest::newRow("2.5") << u"2.5"_s << 2;
    QTest::newRow("beyond 32 bits") << u"99999999999"_s << 0;
}

void TestMainWindowEntries::numberTexts()
{
    QFETCH(QString, number);
    QFETCH(int, slot);
    Program program;
    program.state.picture.CurrentPicturePath = u"/kept.png"_s;
    program.registerEntry(number, u"Sato"_s);
    if (slot == 0) {
        QCOMPARE(program.messages.texts(),
                 QStringList{u"Noが選択されていません。リストよりNoを指定するか番号を入力して下さい。"_s});
        QCOMPARE(rosterBytes().size(), 0);
        // Only the current entry took the typed values.
        QCOMPARE(program.state.roster.CurrentEntry.get(MeiboRecord::Field::Namae),
                 u"Sato"_s + QString(26, u' '));
        QCOMPARE(program.state.picture.CurrentPicturePath, u"/kept.png"_s);
    } else {
        QVERIFY(program.messages.texts().isEmpty());
        QCOMPARE(rosterBytes().size(), slot * 436);
        QCOMPARE(rosterBytes().sliced((slot - 1) * 436), slotBytes("Sato", {}, {}, {}, "/kept.png"));
        QVERIFY(program.state.picture.CurrentPicturePath.isEmpty());
    }
}

void TestMainWindowEntries::emptyNameIsRefused()
{
    Program program;
    program.state.roster.CurrentEntry.set(MeiboRecord::Field::Namae, u"Before"_s);
    program.registerEntry(u"1"_s, QString());
    QCOMPARE(program.messages.texts(), QStringList{u"名前が入力されていません。"_s});
    QCOMPARE(rosterBytes().size(), 0);
    QCOMPARE(program.state.roster.CurrentEntry.get(MeiboRecord::Field::Namae),
             u"Before"_s + QString(24, u' '));
}

void TestMainWindowEntries::correctedNumberKeepsThePicturePath()
{
    Program program;
    program.state.picture.CurrentPicturePath = u"/pictures/a.png"_s;
    program.registerEntry(u"x"_s, u"Ito"_s);
    QCOMPARE(program.messages.texts().size(), 1);
    program.type(u"Text1"_s, u"4"_s);
    program.click(u"Command1"_s);
    QCOMPARE(program.messages.texts().size(), 1);
    QCOMPARE(rosterBytes().sliced(3 * 436), slotBytes("Ito", {}, {}, {}, "/pictures/a.png"));
}

void TestMainWindowEntries::secondRegisterStoresBlankPicturePath()
{
    Program program;
    program.state.picture.CurrentPicturePath = u"/pictures/a.png"_s;
    program.registerEntry(u"1"_s, u"Ito"_s);
    program.type(u"Mail"_s, u"i@x"_s);
    program.click(u"Command1"_s);
    QCOMPARE(rosterBytes(), slotBytes("Ito", "i@x"));
}

void TestMainWindowEntries::memoKeepsLineBreaksAsCrLf()
{
    Program program;
    program.type(u"Text1"_s, u"1"_s);
    program.type(u"Namae"_s, u"N"_s);
    program.memo()->setPlainText(u"line1\nline2"_s + QString(100, u'x'));
    program.click(u"Command1"_s);
    QCOMPARE(rosterBytes().sliced(90, 90), QByteArray("line1\r\nline2") + QByteArray(78, 'x'));
    program.choose(0);
    QCOMPARE(program.memo()->toPlainText(), u"line1\nline2"_s + QString(78, u'x'));
}

void TestMainWindowEntries::showsStoredEntryAtFullWidth()
{
    Program program("10,\"\"\r\n", slotBytes("") + slotBytes("ABC", "a@b", "01", "memo"));
    program.choose(1);
    QVERIFY(program.messages.texts().isEmpty());
    QCOMPARE(program.edit(u"Text1"_s)->text(), u"2"_s);
    QCOMPARE(program.edit(u"Namae"_s)->text(), u"ABC"_s + QString(27, u' '));
    QCOMPARE(program.edit(u"Mail"_s)->text(), u"a@b"_s + QString(27, u' '));
    QCOMPARE(program.edit(u"Tell"_s)->text(), u"01"_s + QString(28, u' '));
    QCOMPARE(program.memo()->toPlainText(), u"memo"_s + QString(86, u' '));
    QCOMPARE(program.state.picture.CurrentPicturePath, QString(256, u' '));
    // Registering again stores the same bytes: the padding is absorbed by the field widths.
    program.click(u"Command1"_s);
    QCOMPARE(rosterBytes().sliced(436), slotBytes("ABC", "a@b", "01", "memo"));
}

void TestMainWindowEntries::showsDeletedSlotWithoutMessage()
{
    Program program("10,\"\"\r\n", slotBytes(""));
    program.type(u"Namae"_s, u"typed"_s);
    program.state.picture.PictureFolder = u"/chosen"_s;
    program.state.picture.PictureFileName = u"a.png"_s;
    program.choose(0);
    QVERIFY(program.messages.texts().isEmpty());
    QCOMPARE(program.edit(u"Text1"_s)->text(), u"1"_s);
    QCOMPARE(program.edit(u"Namae"_s)->text(), QString());
    QCOMPARE(program.memo()->toPlainText(), QString());
    QVERIFY(!program.hasPicture());
    QCOMPARE(program.state.picture.CurrentPicturePath, QString(256, u' '));
    QVERIFY(program.state.picture.PictureFolder.isEmpty());
    QVERIFY(program.state.picture.PictureFileName.isEmpty());
}

void TestMainWindowEntries::pictureThatCannotBeLoaded_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::newRow("moved") << QByteArray("moved-away.png");
    QTest::newRow("not a picture") << QByteArray("notes.txt");
}

void TestMainWindowEntries::pictureThatCannotBeLoaded()
{
    QFETCH(QByteArray, path);
    TestDirectory pictures;
    writeFileBytes(u"notes.txt"_s, "not a picture");
    const QByteArray fullPath = QFile::encodeName(pictures.filePath(QString::fromLatin1(path)));
    Program program("10,\"\"\r\n", slotBytes("Kato", {}, {}, {}, fullPath));
    program.choose(0);
    QCOMPARE(program.messages.texts(),
             (QStringList{u"画像読み込みエラー"_s,
                          u"指定の画像が見つかりません。移動または削除していませんか?"_s}));
    QVERIFY(!program.hasPicture());
    QCOMPARE(program.edit(u"Namae"_s)->text(), u"Kato"_s + QString(26, u' '));
    QCOMPARE(program.state.picture.CurrentPicturePath.trimmed(), QString::fromLatin1(fullPath));
}

void TestMainWindowEntries::showsStoredPicture()
{
    TestDirectory pictures;
    writeFileBytes(u"face.png"_s, pngBytes(Qt::red, 400, 300));
    const QByteArray fullPath = QFile::encodeName(pictures.filePath(u"face.png"_s));
    // A name of spaces with a picture: the name box stays empty, the picture shows.
    Program program("10,\"\"\r\n", slotBytes("", {}, {}, {}, fullPath));
    program.choose(0);
    QVERIFY(program.messages.texts().isEmpty());
    // Decoded at the box's size, and kept no larger.
    QCOMPARE(program.child<QLabel>(u"Image1"_s)->pixmap().size(), QSize(131, 112));
    QCOMPARE(program.edit(u"Namae"_s)->text(), QString());
    // A refill after registering clears the picture and the hand-over.
    program.registerEntry(u"2"_s, u"B"_s);
    QVERIFY(!program.hasPicture());
    QVERIFY(program.state.picture.CurrentPicturePath.isEmpty());
    QCOMPARE(rosterBytes().sliced(436), slotBytes("B", {}, {}, {}, fullPath));
}

void TestMainWindowEntries::arrowKeysWalkTheList()
{
    Program program("10,\"\"\r\n",
                    slotBytes("One") + slotBytes("Two", {}, {}, {}, "/missing/two.png") + slotBytes("Three"));
    // With no line chosen yet, the first Down arrow chooses line 1, even though the list's
    // focus made line 1 current.
    QVERIFY(QTest::qWaitForWindowActive(program.window));
    program.list()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(program.list(), Qt::Key_Down);
    QCOMPARE(program.edit(u"Text1"_s)->text(), u"1"_s);
    QCOMPARE(program.edit(u"Namae"_s)->text().trimmed(), u"One"_s);
    QTest::keyClick(program.list(), Qt::Key_Down);
    QCOMPARE(program.edit(u"Text1"_s)->text(), u"2"_s);
    QCOMPARE(program.edit(u"Namae"_s)->text().trimmed(), u"Two"_s);
    QCOMPARE(program.messages.texts().size(), 2);
    QTest::keyClick(program.list(), Qt::Key_Down);
    QCOMPARE(program.edit(u"Text1"_s)->text(), u"3"_s);
    QCOMPARE(program.edit(u"Namae"_s)->text().trimmed(), u"Three"_s);
    QCOMPARE(program.messages.texts().size(), 2);
}

void TestMainWindowEntries::chosenLineIsShown_data()
{
    QTest::addColumn<bool>("afterRegister");
    QTest::addColumn<bool>("byAccessibility");
    QTest::newRow("Toggle action on a fresh start") << false << true;
    QTest::newRow("Toggle action after a register") << true << true;
    QTest::newRow("program code after a register") << true << false;
}

void TestMainWindowEntries::chosenLineIsShown()
{
    QFETCH(bool, afterRegister);
    QFETCH(bool, byAccessibility);
    Program program("10,\"\"\r\n", slotBytes("A") + slotBytes("B") + slotBytes("C", "c@x"));
    if (afterRegister)
        program.registerEntry(u"5"_s, u"E"_s);
    if (byAccessibility) {
        QAccessibleInterface *line =
            QAccessible::queryAccessibleInterface(program.list())->child(2);
        line->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    } else {
        program.list()->selectionModel()->select(program.list()->model()->index(2, 0),
                                                 QItemSelectionModel::Select);
    }
    QCOMPARE(program.edit(u"Text1"_s)->text(), u"3"_s);
    QCOMPARE(program.edit(u"Mail"_s)->text(), u"c@x"_s + QString(27, u' '));
    QCOMPARE(program.list()->currentIndex().row(), 2);
    QTest::keyClick(program.list(), Qt::Key_Up);
    QCOMPARE(program.edit(u"Text1"_s)->text(), u"2"_s);
    QCOMPARE(program.list()->selectionModel()->selectedIndexes(),
             QModelIndexList{program.list()->model()->index(1, 0)});
    program.click(u"Command4"_s);
    QCOMPARE(program.messages.texts(), QStringList{u"削除しました: B"_s + QString(29, u' ')});
    QCOMPARE(rosterBytes().first(3 * 436), slotBytes("A") + spaces(436) + slotBytes("C", "c@x"));
}

void TestMainWindowEntries::listKeepsItsChosenLine_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("click below the last line") << u"below"_s;
    QTest::newRow("Ctrl+click on the chosen line") << u"ctrl-click"_s;
    QTest::newRow("Ctrl+Space on the chosen line") << u"ctrl-space"_s;
    QTest::newRow("click on the chosen line again") << u"click"_s;
    QTest::newRow("Toggle action on the chosen line") << u"toggle"_s;
}

void TestMainWindowEntries::listKeepsItsChosenLine()
{
    QFETCH(QString, action);
    Program program("3,\"\"\r\n", slotBytes("A") + slotBytes("B"));
    program.choose(1);
    program.type(u"Namae"_s, u"typed"_s);
    QListView *list = program.list();
    const QPoint onLine = list->visualRect(list->model()->index(1, 0)).center();
    if (action == u"below")
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(onLine.x(), list->viewport()->height() - 2));
    else if (action == u"ctrl-click")
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, onLine);
    else if (action == u"ctrl-space")
        QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
    else if (action == u"click")
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onLine);
    else
        QAccessible::queryAccessibleInterface(list)->child(1)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
    QCOMPARE(list->selectionModel()->selectedIndexes(), QModelIndexList{list->model()->index(1, 0)});
    // No handler ran: what was typed stays.
    QCOMPARE(program.edit(u"Namae"_s)->text(), u"typed"_s);
    QCOMPARE(program.edit(u"Text1"_s)->text(), u"2"_s);
}

void TestMainWindowEntries::viewShowsTheRefillAtAnySize()
{
    Program program("32767,\"\"\r\n", spaces(32766 * 436) + slotBytes("Last"));
    program.window->show();
    QListView *list = program.list();
    QCOMPARE(list->model()->rowCount(), 32767);
    // A register repaints its line where it stands: no scrolling, no reopening.
    const QRect third = list->visualRect(list->model()->index(2, 0));
    const QImage before = list->viewport()->grab(third).toImage();
    program.registerEntry(u"3"_s, u"山田"_s);
    QCOMPARE(list->visualRect(list->model()->index(2, 0)), third);
    QCOMPARE(program.line(2), u"  3:  山田"_s + QString(28, u' '));
    QVERIFY(list->viewport()->grab(third).toImage() != before);

    list->scrollToBottom();
    const QModelIndex last = list->model()->index(32766, 0);
    const QRect lastLine = list->visualRect(last);
    QVERIFY(lastLine.top() >= 0 && lastLine.bottom() < list->viewport()->height());
    QCOMPARE(list->indexAt(lastLine.topLeft()), last);
    QCOMPARE(last.data().toString(), u"32767:  Last"_s + QString(26, u' '));
}

void TestMainWindowEntries::deletesChosenEntry()
{
    Program program("10,\"\"\r\n", slotBytes("A") + slotBytes("B") + slotBytes("\x8E\x52\x93\x63") + slotBytes("D") + slotBytes("E"));
    program.choose(2);
    program.click(u"Command4"_s);
    QCOMPARE(program.messages.texts(), QStringList{u"削除しました: 山田"_s + QString(28, u' ')});
    QCOMPARE(rosterBytes().size(), 2180);
    QCOMPARE(rosterBytes().sliced(872, 436), spaces(436));
    QCOMPARE(rosterBytes().first(872), slotBytes("A") + slotBytes("B"));
    QCOMPARE(program.edit(u"Text1"_s)->text(), QString());
    QCOMPARE(program.edit(u"Namae"_s)->text(), QString());
    QCOMPARE(program.line(2), u"  3:  "_s + QString(30, u' '));
}

void TestMainWindowEntries::deleteNamesTheSlotActuallyBlanked()
{
    Program program("10,\"\"\r\n", slotBytes("Chosen") + slotBytes("Typed"));
    program.choose(0);
    program.type(u"Text1"_s, u"2"_s);
    program.click(u"Command4"_s);
    QCOMPARE(program.messages.texts(), QStringList{u"削除しました: Typed"_s + QString(25, u' ')});
    QCOMPARE(rosterBytes(), slotBytes("Chosen") + spaces(436));
}

void TestMainWindowEntries::deleteWithEmptyNumberClearsBoxesOnly()
{
    Program program("10,\"\"\r\n", slotBytes("Keep", "k@x"));
    program.choose(0);
    program.edit(u"Text1"_s)->clear();
    program.click(u"Command4"_s);
    QCOMPARE(program.messages.texts(), QStringList{u"削除するデータが選択されていません。"_s});
    QCOMPARE(rosterBytes(), slotBytes("Keep", "k@x"));
    QCOMPARE(program.edit(u"Namae"_s)->text(), QString());
    QCOMPARE(program.edit(u"Mail"_s)->text(), QString());
    QVERIFY(program.state.picture.CurrentPicturePath.isEmpty());
    QVERIFY(program.state.roster.CurrentEntry.isBlank(MeiboRecord::Field::Namae));
}

void TestMainWindowEntries::deletesBeyondTheListedRoster()
{
    Program program("10,\"\"\r\n", slotBytes("A"));
    program.type(u"Text1"_s, u"15"_s);
    program.click(u"Command4"_s);
    QCOMPARE(program.messages.texts(), QStringList{u"削除しました: "_s + QString(30, u' ')});
    QCOMPARE(rosterBytes().size(), 15 * 436);
    QCOMPARE(rosterBytes().sliced(14 * 436), spaces(436));
    QCOMPARE(program.list()->model()->rowCount(), 10);
}

void TestMainWindowEntries::numbersAbove32767AreRefused()
{
    Program program;
    program.registerEntry(u"32768"_s, u"Big"_s);
    program.click(u"Command4"_s);
    QCOMPARE(program.messages.texts(),
             (QStringList{u"Noが選択されていません。リストよりNoを指定するか番号を入力して下さい。"_s,
                          u"削除するデータが選択されていません。"_s}));
    QCOMPARE(rosterBytes().size(), 0);
    program.messages.clear();
    program.registerEntry(u"32767"_s, u"Last"_s);
    QVERIFY(program.messages.texts().isEmpty());
    QCOMPARE(rosterBytes().size(), 32767 * 436);
}

void TestMainWindowEntries::fullDiskLeavesTheFileAsItWas_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("message");
    const QString noNumber = u"Noが選択されていません。リストよりNoを指定するか番号を入力して下さい。"_s;
    const QString nothingToDelete = u"削除するデータが選択されていません。"_s;
    QTest::newRow("register past the limit") << u"Command1"_s << u"5"_s << noNumber;
    QTest::newRow("register across the limit") << u"Command1"_s << u"3"_s << noNumber;
    QTest::newRow("delete across the limit") << u"Command4"_s << u"3"_s << nothingToDelete;
}

void TestMainWindowEntries::fullDiskLeavesTheFileAsItWas()
{
    QFETCH(QString, command);
    QFETCH(QString, number);
    QFETCH(QString, message);
    const QByteArray before = slotBytes("A") + slotBytes("B");
    Program program("10,\"\"\r\n", before);
    program.type(u"Text1"_s, number);
    program.type(u"Namae"_s, u"C"_s);
    // A file size limit stands in for a full disk: writes past it fail with EFBIG.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limited = old;
    limited.rlim_cur = before.size() + 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    program.click(command);
    setrlimit(RLIMIT_FSIZE, &old);
    QCOMPARE(program.messages.texts(), QStringList{message});
    QCOMPARE(rosterBytes(), before);
    QCOMPARE(program.line(0).trimmed(), u"1:  A"_s);
}

void TestMainWindowEntries::deletionNoticeShowsTheNameAsPlainText()
{
    Program program("10,\"\"\r\n", slotBytes("<b>Sato</b> &amp;"));
    program.choose(0);
    // The real message box this time, read while it is open.
    const MessageSink recorder = replaceMessageSink({});
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        const auto *label = box->findChild<QLabel *>(u"qt_msgbox_label"_s);
        shown = label->text();
        format = label->textFormat();
        box->accept();
    });
    program.click(u"Command4"_s);
    replaceMessageSink(recorder);
    QCOMPARE(shown, u"削除しました: <b>Sato</b> &amp;"_s + QString(13, u' '));
    QCOMPARE(format, Qt::PlainText);
}

QTEST_MAIN(TestMainWindowEntries)
#include "tst_main_window_entries.moc"
