#include <QTest>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

#include "main_window/main_window.h"
#include "support/program.h"

using namespace Qt::StringLiterals;

namespace {

// A slot's 436 bytes from its five fields, each padded with spaces.
QByteArray slotBytes(const QByteArray &namae, const QByteArray &mail = {}, const QByteArray &path = {})
{
    return namae.leftJustified(30) + mail.leftJustified(150) + path.leftJustified(256);
}

const QByteArray yamada("\x8E\x52\x93\x63");
const QString blank(30, u' ');
const QString noNumber = u"Noが選択されていません。リストよりNoを指定するか番号を入力して下さい。"_s;
const QString nothingToDelete = u"削除するデータが選択されていません。"_s;

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void startUp_data();
    void startUp();
    void lines();
    void registersAndShowsEveryField();
    void registers_data();
    void registers();
    void pictures();
    void chosenLineIsShown_data();
    void chosenLineIsShown();
    void listKeepsItsChosenLine();
    void viewShowsTheRefillAtAnySize();
    void deletes_data();
    void deletes();
    void deletionNoticeShowsTheNameAsPlainText();
};

void TestMainWindow::startUp_data()
{
    QTest::addColumn<QByteArray>("settings"); // null: no file
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QByteArray>("after");
    const QByteArray defaults("\x31\x30\x2C\x22\x22\x0D\x0A");
    const QByteArray longName = "3,\"" + QByteArray(10 << 20, 'n') + "\"\r\n";
    QTest::newRow("first start") << QByteArray() << 10 << u"Myアドレス帳"_s << defaults;
    QTest::newRow("empty file") << QByteArray("") << 10 << u"Myアドレス帳"_s << defaults;
    QTest::newRow("number alone") << QByteArray("25\r\n") << 10 << u"Myアドレス帳"_s << defaults;
    QTest::newRow("10 MB first field") << QByteArray(10 << 20, 'x') + ",\"A\"\r\n" << 10
                                       << u"Myアドレス帳"_s << defaults;
    QTest::newRow("owner") << "120,\"" + yamada + "\"\r\n" << 120 << u"山田のアドレス帳"_s
                           << "120,\"" + yamada + "\"\r\n";
    QTest::newRow("0") << QByteArray("0,\"a\"\r\n") << 0 << u"aのアドレス帳"_s << QByteArray("0,\"a\"\r\n");
    QTest::newRow("-5") << QByteArray("-5,\"\"\r\n") << 0 << u"Myアドレス帳"_s << QByteArray("-5,\"\"\r\n");
    // A name too long to show is still held whole, to be written back unchanged.
    QTest::newRow("10 MB name") << longName << 3 << QString(512, u'n') << longName;
}

void TestMainWindow::startUp()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, lines);
    QFETCH(QString, frame);
    QFETCH(QByteArray, after);
    Program program(settings);
    MainWindow *window = program.start();
    QVERIFY(window);
    QVERIFY(program.messages.isEmpty());
    QCOMPARE(window->windowTitle(), u"Vedrinアドレスちょう"_s);
    QCOMPARE(program.text(u"Frame2"_s), frame);
    QCOMPARE(program.lines().size(), lines);
    QCOMPARE(readFileBytes(u"settei.ini"_s), after);
    QVERIFY(QFileInfo(u"meibo.dat"_s).isFile() && QFileInfo(u"meibo.dat"_s).size() == 0);
}

void TestMainWindow::lines()
{
    // Slot 7 holds four letters, slot 42 a deleted entry, slot 1001 lies beyond the list.
    QByteArray roster(436 * 1001, '\0');
    roster.replace(436 * 6, 30, QByteArray("Abcd").leftJustified(30));
    roster.replace(436 * 41, 436, QByteArray(436, ' '));
    roster.replace(436 * 999, 30, QByteArray("Last").leftJustified(30));
    roster.replace(436 * 1000, 6, "Hidden");
    Program program("1000,\"\"\r\n", roster);
    QVERIFY(program.start());
    const QStringList lines = program.lines();
    QCOMPARE(lines.size(), 1000);
    QCOMPARE((QStringList{lines.at(0), lines.at(6), lines.at(41), lines.at(119), lines.at(999)}),
             (QStringList{u"  1:  "_s + blank, u"  7:  Abcd"_s + QString(26, u' '), u" 42:  "_s + blank,
                          u"120:  "_s + blank, u"1000:  Last"_s + QString(26, u' ')}));
    // The fill leaves the last listed slot in the current entry, and the file as it was.
    QCOMPARE(program.state.roster.CurrentEntry.get(MeiboRecord::Field::Namae), u"Last"_s + QString(26, u' '));
    QCOMPARE(readFileBytes(u"meibo.dat"_s), roster);
}

void TestMainWindow::registersAndShowsEveryField()
{
    Program program;
    QVERIFY(program.start() && program.type(u"Mail"_s, u"y@example.jp"_s) && program.type(u"Tell"_s, u"03-1234"_s));
    program.find<QPlainTextEdit>(u"Memo"_s)->setPlainText(u"東京\nline2"_s + QString(100, u'x'));
    QVERIFY(program.registerEntry(u"3"_s, u"山田"_s));
    QVERIFY(program.messages.isEmpty());
    const QByteArray memo = "\x93\x8C\x8B\x9E\r\nline2" + QByteArray(79, 'x');
    const QByteArray stored = yamada.leftJustified(30) + QByteArray("y@example.jp").leftJustified(30)
                              + QByteArray("03-1234").leftJustified(30) + memo + QByteArray(256, ' ');
    QCOMPARE(readFileBytes(u"meibo.dat"_s), QByteArray(872, '\0') + stored);
    QCOMPARE(program.lines().at(2), u"  3:  山田"_s + QString(28, u' '));
    QVERIFY(!program.find<QListView>(u"List1"_s)->selectionModel()->hasSelection());
    // The boxes keep what was typed; shown again, each field at its full width.
    QCOMPARE(program.text(u"Namae"_s), u"山田"_s);
    QVERIFY(program.choose(2));
    QStringList shown;
    for (const QString &box : {u"Text1"_s, u"Namae"_s, u"Mail"_s, u"Tell"_s, u"Memo"_s})
        shown << program.text(box);
    QCOMPARE(shown, (QStringList{u"3"_s, u"山田"_s + QString(28, u' '), u"y@example.jp"_s + QString(18, u' '),
                                 u"03-1234"_s + QString(23, u' '), u"東京\nline2"_s + QString(79, u'x') + u"  "_s}));
    // Registering again stores the same bytes: the padding is absorbed by the field widths.
    QVERIFY(program.click(u"Command1"_s));
    QCOMPARE(readFileBytes(u"meibo.dat"_s).sliced(872), stored);
}

void TestMainWindow::registers_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("slot"); // 0: refused with the message
    QTest::addColumn<QString>("message");
    QTest::newRow("0.6 overwrites slot 1") << u"0.6"_s << u"Sato"_s << 1 << QString();
    QTest::newRow("name of spaces") << u"2"_s << u"   "_s << 2 << QString();
    QTest::newRow("2.5") << u"2.5"_s << u"Sato"_s << 2 << QString();
    QTest::newRow("12abc beyond the list") << u"12abc"_s << u"Sato"_s << 12 << QString();
    QTest::newRow("&H10") << u"&H10"_s << u"Sato"_s << 16 << QString();
    QTest::newRow("32767") << u"32767"_s << u"Sato"_s << 32767 << QString();
    QTest::newRow("32768") << u"32768"_s << u"Sato"_s << 0 << noNumber;
    QTest::newRow("0.5") << u"0.5"_s << u"Sato"_s << 0 << noNumber;
    QTest::newRow("-3") << u"-3"_s << u"Sato"_s << 0 << noNumber;
    QTest::newRow("empty") << QString() << u"Sato"_s << 0 << noNumber;
    QTest::newRow("beyond 32 bits") << u"99999999999"_s << u"Sato"_s << 0 << noNumber;
    QTest::newRow("empty name") << u"1"_s << QString() << 0 << u"名前が入力されていません。"_s;
}

void TestMainWindow::registers()
{
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(int, slot);
    QFETCH(QString, message);
    const QByteArray before = slotBytes("Old", "old@x");
    Program program("10,\"\"\r\n", before);
    QVERIFY(program.start());
    program.state.picture.CurrentPicturePath = u"/kept.png"_s;
    QVERIFY(program.registerEntry(number, name));
    QCOMPARE(program.lines().size(), 10);
    QCOMPARE(program.messages, message.isNull() ? QStringList() : QStringList{message});
    QCOMPARE(program.state.picture.CurrentPicturePath.isEmpty(), slot > 0);
    if (slot == 0) {
        QCOMPARE(readFileBytes(u"meibo.dat"_s), before);
        return;
    }
    QCOMPARE(readFileBytes(u"meibo.dat"_s).size(), slot * 436);
    QCOMPARE(readFileBytes(u"meibo.dat"_s).sliced((slot - 1) * 436),
             slotBytes(name.trimmed().toLatin1(), {}, "/kept.png"));
    QVERIFY(program.choose(qMin(slot, 10) - 1));
    QCOMPARE(program.text(u"Namae"_s).trimmed(), slot > 10 ? QString() : name.trimmed());
}

void TestMainWindow::pictures()
{
    writeFileBytes(u"face.png"_s, pngBytes(Qt::red, 400, 300));
    const QByteArray path = QFile::encodeName(QDir::current().filePath(u"face.png"_s));
    Program program("10,\"\"\r\n", slotBytes("", {}, path) + slotBytes("Kato", {}, "moved.png")
                                       + slotBytes("Ito", {}, "settei.ini") + slotBytes(""));
    QVERIFY(program.start());
    auto *image = program.find<QLabel>(u"Image1"_s);
    QVERIFY(program.type(u"Namae"_s, u"typed"_s) && program.type(u"Memo"_s, u"typed"_s));
    program.state.picture.PictureFolder = u"/chosen"_s;
    program.state.picture.PictureFileName = u"a.png"_s;
    // A name of spaces with a picture: the blank boxes are emptied, the picture shows, decoded
    // at the box's size, and the chooser's hand-over is emptied.
    QVERIFY(program.choose(0));
    QCOMPARE(image->pixmap().size(), QSize(131, 112));
    QCOMPARE(program.text(u"Namae"_s) + program.text(u"Memo"_s), QString());
    QVERIFY(program.state.picture.PictureFolder.isEmpty() && program.state.picture.PictureFileName.isEmpty());
    const QStringList failed{u"画像読み込みエラー"_s, u"指定の画像が見つかりません。移動または削除していませんか?"_s};
    for (int row : {1, 2}) {
        QVERIFY(program.choose(row));
        QVERIFY(image->pixmap().isNull());
        QCOMPARE(program.messages, failed + (row == 2 ? failed : QStringList()));
    }
    // A deleted slot loads nothing and says nothing; its blank path is kept as it is.
    QVERIFY(program.choose(3));
    QCOMPARE(program.messages.size(), 4);
    QCOMPARE(program.state.picture.CurrentPicturePath, QString(256, u' '));
    // A refill after registering clears the picture.
    QVERIFY(program.choose(0));
    QVERIFY(program.registerEntry(u"4"_s, u"B"_s));
    QVERIFY(image->pixmap().isNull());
    QCOMPARE(readFileBytes(u"meibo.dat"_s).sliced(3 * 436), slotBytes("B", {}, path));
}

void TestMainWindow::chosenLineIsShown_data()
{
    QTest::addColumn<bool>("afterRegister");
    QTest::addColumn<bool>("byAccessibility");
    QTest::newRow("Toggle action on a fresh start") << false << true;
    QTest::newRow("Toggle action after a register") << true << true;
    QTest::newRow("program code after a register") << true << false;
}

void TestMainWindow::chosenLineIsShown()
{
    QFETCH(bool, afterRegister);
    QFETCH(bool, byAccessibility);
    Program program("10,\"\"\r\n", slotBytes("A") + slotBytes("B") + slotBytes("C", "c@x"));
    QVERIFY(program.start());
    auto *list = program.find<QListView>(u"List1"_s);
    // With no line chosen yet, the first Down chooses line 1.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(program.text(u"Text1"_s), u"1"_s);
    if (afterRegister)
        QVERIFY(program.registerEntry(u"5"_s, u"E"_s));
    const QModelIndex third = list->model()->index(2, 0);
    if (byAccessibility)
        QAccessible::queryAccessibleInterface(list)->child(2)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
    else
        list->selectionModel()->select(third, QItemSelectionModel::Select);
    QCOMPARE(program.text(u"Text1"_s), u"3"_s);
    QCOMPARE(program.text(u"Mail"_s), u"c@x"_s + QString(27, u' '));
    QCOMPARE(list->currentIndex(), third);
    QTest::keyClick(list, Qt::Key_Up);
    QVERIFY(program.click(u"Command4"_s));
    QCOMPARE(program.messages.last(), u"削除しました: B"_s + QString(29, u' '));
}

void TestMainWindow::listKeepsItsChosenLine()
{
    Program program("3,\"\"\r\n", slotBytes("A") + slotBytes("B"));
    QVERIFY(program.start());
    QVERIFY(program.choose(1));
    QVERIFY(program.type(u"Namae"_s, u"typed"_s));
    auto *list = program.find<QListView>(u"List1"_s);
    const QPoint onLine = list->visualRect(list->model()->index(1, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(onLine.x(), list->viewport()->height() - 2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, onLine);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onLine);
    QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
    QAccessible::queryAccessibleInterface(list)->child(1)->actionInterface()->doAction(
        QAccessibleActionInterface::toggleAction());
    QCOMPARE(list->selectionModel()->selectedIndexes(), QModelIndexList{list->model()->index(1, 0)});
    // No handler ran: what was typed stays.
    QCOMPARE(program.text(u"Namae"_s), u"typed"_s);
}

void TestMainWindow::viewShowsTheRefillAtAnySize()
{
    Program program("32767,\"\"\r\n", QByteArray(32766 * 436, ' ') + slotBytes("Last"));
    QVERIFY(program.start());
    auto *list = program.find<QListView>(u"List1"_s);
    // A register repaints its line where it stands: no scrolling, no reopening.
    const QRect third = list->visualRect(list->model()->index(2, 0));
    const QImage before = list->viewport()->grab(third).toImage();
    QVERIFY(program.registerEntry(u"3"_s, u"山田"_s));
    QCOMPARE(list->visualRect(list->model()->index(2, 0)), third);
    QCOMPARE(program.lines().at(2), u"  3:  山田"_s + QString(28, u' '));
    QVERIFY(list->viewport()->grab(third).toImage() != before);
    list->scrollToBottom();
    const QRect last = list->visualRect(list->model()->index(32766, 0));
    QVERIFY(last.top() >= 0 && last.bottom() < list->viewport()->height());
    QCOMPARE(list->indexAt(last.topLeft()).data().toString(), u"32767:  Last"_s + QString(26, u' '));
}

void TestMainWindow::deletes_data()
{
    QTest::addColumn<int>("row"); // -1: no line chosen
    QTest::addColumn<QString>("number"); // null: the chosen line's
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("after");
    const QByteArray ab = slotBytes("A") + slotBytes("B");
    QTest::newRow("chosen line") << 2 << QString() << u"削除しました: 山田"_s + QString(28, u' ')
                                 << ab + QByteArray(436, ' ');
    QTest::newRow("typed number over the chosen line")
        << 2 << u"2"_s << u"削除しました: B"_s + QString(29, u' ') << slotBytes("A") + QByteArray(436, ' ') + slotBytes(yamada);
    QTest::newRow("beyond the listed roster") << -1 << u"15"_s << u"削除しました: "_s + blank
        << ab + slotBytes(yamada) + QByteArray(11 * 436, '\0') + QByteArray(436, ' ');
    QTest::newRow("empty number") << 0 << u""_s << nothingToDelete << ab + slotBytes(yamada);
    QTest::newRow("32768") << -1 << u"32768"_s << nothingToDelete << ab + slotBytes(yamada);
}

void TestMainWindow::deletes()
{
    QFETCH(int, row);
    QFETCH(QString, number);
    QFETCH(QString, message);
    QFETCH(QByteArray, after);
    Program program("10,\"\"\r\n", slotBytes("A") + slotBytes("B") + slotBytes(yamada));
    QVERIFY(program.start());
    QVERIFY(row < 0 || program.choose(row));
    QVERIFY(number.isNull() || program.type(u"Text1"_s, number));
    QVERIFY(program.click(u"Command4"_s));
    QCOMPARE(program.messages, QStringList{message});
    QCOMPARE(readFileBytes(u"meibo.dat"_s), after);
    QCOMPARE(program.text(u"Namae"_s), QString());
    QCOMPARE(program.text(u"Text1"_s).isEmpty(), message != nothingToDelete || number.isEmpty());
    QCOMPARE(program.lines().at(2).size(), 36);
}

void TestMainWindow::deletionNoticeShowsTheNameAsPlainText()
{
    Program program("10,\"\"\r\n", slotBytes("<b>Sato</b> &amp;"));
    QVERIFY(program.start());
    QVERIFY(program.choose(0));
    // The real message box this time, read while it is open.
    const MessageSink recorder = replaceMessageSink({});
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        auto *label = box ? box->findChild<QLabel *>(u"qt_msgbox_label"_s) : nullptr;
        if (label && label->textFormat() == Qt::PlainText)
            shown = label->text();
        if (box)
            box->accept();
    });
    QVERIFY(program.click(u"Command4"_s));
    replaceMessageSink(recorder);
    QCOMPARE(shown, u"削除しました: <b>Sato</b> &amp;"_s + QString(13, u' '));
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
