#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QTimer>

#include "support/program.h"

using namespace Qt::StringLiterals;

// A slot's 436 bytes from its name and mail, the other fields blank.
static QByteArray slotBytes(const QByteArray &namae, const QByteArray &mail = {})
{
    return namae.leftJustified(30) + mail.leftJustified(406);
}

static const QByteArray yamada("\x8E\x52\x93\x63");
static const QString blank(30, u' ');
static const QString noNumber = u"Noが選択されていません。リストよりNoを指定するか番号を入力して下さい。"_s;

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void startUp_data()
    {
        QTest::addColumn<QByteArray>("settings"); // null: no file
        QTest::addColumn<int>("lines");
        QTest::newRow("first start") << QByteArray() << 10;
        QTest::newRow("0") << QByteArray("0,\"a\"\r\n") << 0;
        QTest::newRow("name on the next line") << QByteArray("7\r\n\"Q\"\r\n") << 7;
        // Start-up only reads the file, however long the name in it.
        QTest::newRow("10 MB name") << "3,\"" + QByteArray(10 << 20, 'n') + "\"\r\n" << 3;
    }
    void startUp()
    {
        QFETCH(QByteArray, settings);
        QFETCH(int, lines);
        Program program(settings);
        QVERIFY(program.start() && program.messages.isEmpty());
        QCOMPARE(program.windows.mainWindow()->windowTitle(), u"Vedrinアドレスちょう"_s);
        QCOMPARE(program.lines().size(), lines);
        QCOMPARE(readFileBytes(u"settei.ini"_s), settings.isNull() ? QByteArray("10,\"\"\r\n") : settings);
    }

    void registers_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("slot"); // 0: refused with the message
        QTest::addColumn<QString>("message");
        QTest::newRow("0.6 overwrites slot 1") << u"0.6"_s << u"山田"_s << 1 << QString();
        QTest::newRow("full-width, as an input method commits it") << u"１．４"_s << u"山田"_s << 1 << QString();
        QTest::newRow("name of spaces") << u"2"_s << u"   "_s << 2 << QString();
        QTest::newRow("32767, beyond the list") << u"32767"_s << u"山田"_s << 32767 << QString();
        QTest::newRow("32768") << u"32768"_s << u"山田"_s << 0 << noNumber;
        QTest::newRow("empty name") << u"1"_s << QString() << 0 << u"名前が入力されていません。"_s;
    }
    void registers()
    {
        QFETCH(QString, number);
        QFETCH(QString, name);
        QFETCH(int, slot);
        QFETCH(QString, message);
        const QByteArray before = slotBytes("Old", "old@x");
        Program program("10,\"\"\r\n", before);
        writeFileBytes(u"face.png"_s, pngBytes(Qt::red, 400, 300));
        const QByteArray path = QFile::encodeName(QDir::current().filePath(u"face.png"_s));
        QVERIFY(program.start() && program.type(u"Mail"_s, u"y@x.jp"_s) && program.type(u"Tell"_s, u"03-1234"_s));
        program.find<QPlainTextEdit>(u"Memo"_s)->setPlainText(u"東京\nline2"_s + QString(100, u'x'));
        program.state.picture.CurrentPicturePath = QString::fromLocal8Bit(path);
        QVERIFY(program.registerEntry(number, name));
        QCOMPARE(program.messages, message.isNull() ? QStringList() : QStringList{message});
        QCOMPARE(program.text(u"Namae"_s), name);
        QCOMPARE(program.state.picture.CurrentPicturePath.isEmpty(), slot > 0);
        QVERIFY(slot > 0 || readFileBytes(u"meibo.dat"_s) == before);
        if (slot == 0)
            return;
        // In code page 932, the memo's line break as CR LF and cut at its 90 bytes.
        const QByteArray stored = (name == u"山田" ? yamada : QByteArray()).leftJustified(30)
                                  + "y@x.jp" + QByteArray(24, ' ') + "03-1234" + QByteArray(23, ' ')
                                  + "\x93\x8C\x8B\x9E\r\nline2" + QByteArray(79, 'x') + path.leftJustified(256);
        QCOMPARE(readFileBytes(u"meibo.dat"_s).sliced((slot - 1) * 436), stored);
        if (slot > 10)
            return;
        // Shown again: each field at its full width, a blank one empty, the picture at the box's size.
        QVERIFY(program.choose(slot - 1));
        QCOMPARE(program.find<QLabel>(u"Image1"_s)->pixmap().size(), QSize(131, 112));
        QCOMPARE(program.text(u"Namae"_s), name == u"山田" ? u"山田"_s + QString(28, u' ') : QString());
        QCOMPARE(program.text(u"Memo"_s), u"東京\nline2"_s + QString(79, u'x') + u"  "_s);
        // Registering again stores the same bytes: the padding is absorbed by the field widths.
        // The refill clears the picture.
        QVERIFY(program.type(u"Namae"_s, name) && program.click(u"Command1"_s));
        QCOMPARE(readFileBytes(u"meibo.dat"_s).sliced((slot - 1) * 436), stored);
        QVERIFY(program.find<QLabel>(u"Image1"_s)->pixmap().isNull() && program.messages.isEmpty());
    }

    void numberBoxesAskForLatinInput()
    {
        Program program("10,\"\"\r\n", slotBytes("A") + slotBytes("B"));
        const auto latin = [&](const QString &box) { return program.find(box)->inputMethodHints().testFlags(Qt::ImhHiddenText | Qt::ImhPreferLatin); };
        QVERIFY(program.start() && latin(u"Text1"_s) && !latin(u"Namae"_s) && program.type(u"Text1"_s, u"２"_s));
        QVERIFY(program.click(u"Command4"_s) && program.click(u"open"_s) && latin(u"Settei/Text1"_s));
        QCOMPARE(program.messages, QStringList{u"削除しました: B"_s + QString(29, u' ')});
    }

    // A text pasted after the "a" of "abc" kept as far as its field's Shift-JIS bytes hold it,
    // or refused at 登録 when Shift-JIS lacks a character of it, the box kept for mending.
    void entryBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("message");
        QTest::newRow("22 full-width") << u"Namae"_s << QString(22, u'山') << u"a"_s + QString(13, u'山') + u"bc"_s << QString();
        QTest::newRow("memo line break as 2") << u"Memo"_s << u"\n"_s + QString(88, u'x') << u"a\n"_s + QString(85, u'x') + u"bc"_s << QString();
        const QString refused = u"はShift-JISで保存できない文字を含んでいます。"_s;
        QTest::newRow("emoji") << u"Namae"_s << u"Sato 😀"_s << u"aSato 😀bc"_s << u"名前"_s + refused;
        QTest::newRow("Hangul in the phone") << u"Tell"_s << u"한"_s << u"a한bc"_s << u"電話番号"_s + refused;
        QTest::newRow("Chinese in the memo") << u"Memo"_s << u"们"_s << u"a们bc"_s << u"住所"_s + refused;
    }
    void entryBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, message);
        Program program("10,\"\"\r\n", slotBytes("Old"));
        QVERIFY(program.start() && program.type(u"Namae"_s, u"N"_s) && program.type(u"Text1"_s, u"1"_s) && program.type(box, u"abc"_s));
        QTest::keyClick(program.find(box), Qt::Key_Home);
        QTest::keyClick(program.find(box), Qt::Key_Right);
        QGuiApplication::clipboard()->setText(typed);
        QVERIFY(QMetaObject::invokeMethod(program.find(box), "paste") && program.click(u"Command1"_s));
        QCOMPARE(program.text(box), kept);
        QCOMPARE(program.messages, message.isEmpty() ? QStringList() : QStringList{message});
        // Refused: nothing stored. Stored: what the box showed, read back.
        QVERIFY(message.isEmpty() ? program.choose(0) && program.text(box).trimmed() == kept.trimmed()
                                  : readFileBytes(u"meibo.dat"_s) == slotBytes("Old"));
    }

    void chosenLineIsShown_data()
    {
        QTest::addColumn<bool>("afterRegister");
        QTest::newRow("Toggle action on a fresh start") << false;
        QTest::newRow("Toggle action after a register") << true;
        QTest::newRow("program code after a register") << true;
    }
    void chosenLineIsShown()
    {
        QFETCH(bool, afterRegister);
        const bool byAccessibility = QByteArray(QTest::currentDataTag()).startsWith("Toggle");
        Program program("10,\"\"\r\n", slotBytes("A") + slotBytes("B") + slotBytes("C", "c@x"));
        QVERIFY(program.start());
        auto *list = program.find<QListView>(u"List1"_s);
        // With no line chosen yet, the first Down chooses line 1.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(program.text(u"Text1"_s), u"1"_s);
        QVERIFY(!afterRegister || program.registerEntry(u"5"_s, u"E"_s));
        const QModelIndex third = list->model()->index(2, 0);
        if (byAccessibility)
            QAccessible::queryAccessibleInterface(list)->child(2)->actionInterface()->doAction(
                QAccessibleActionInterface::toggleAction());
        else
            list->selectionModel()->select(third, QItemSelectionModel::Select);
        QCOMPARE(program.text(u"Text1"_s), u"3"_s);
        QCOMPARE(program.text(u"Mail"_s), u"c@x"_s + QString(27, u' '));
        QCOMPARE(list->currentIndex(), third);
    }

    void listKeepsItsChosenLine()
    {
        Program program("3,\"\"\r\n", slotBytes("A") + slotBytes("B"));
        QVERIFY(program.start() && program.choose(1) && program.type(u"Namae"_s, u"typed"_s));
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

    void viewShowsTheRefillAtAnySize()
    {
        // Slot 1 never written, slot 7 four letters, the others deleted; a piece of slot 32768 lies
        // beyond the list.
        QByteArray roster = QByteArray(436, '\0') + QByteArray(32765 * 436, ' ') + slotBytes("Last") + "Over";
        roster.replace(436 * 6, 30, QByteArray("Abcd").leftJustified(30));
        Program program("32767,\"\"\r\n", roster);
        QVERIFY(program.start());
        const QStringList lines = program.lines();
        QCOMPARE((QStringList{lines.at(0), lines.at(6), lines.at(999), lines.last()}),
                 (QStringList{u"  1:  "_s + blank, u"  7:  Abcd"_s + QString(26, u' '), u"1000:  "_s + blank,
                              u"32767:  Last"_s + QString(26, u' ')}));
        // A deleted slot shows empty boxes and no picture, and says nothing.
        QVERIFY(program.choose(1) && program.messages.isEmpty());
        for (const QString &box : {u"Namae"_s, u"Mail"_s, u"Tell"_s, u"Memo"_s})
            QCOMPARE(program.text(box), QString());
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
        QCOMPARE(list->indexAt(last.topLeft()).data().toString(), lines.last());
    }

    void deletionNoticeShowsTheNameAsPlainText()
    {
        Program program("10,\"\"\r\n", slotBytes("<b>Sato</b> &amp;") + slotBytes("B") + slotBytes(yamada));
        QVERIFY(program.start() && program.choose(0));
        // The real message box this time, read while it is open.
        const MessageSink recorder = replaceMessageSink({});
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                shown = box->textFormat() == Qt::PlainText ? box->text() : QString();
                box->accept();
            }
        });
        QVERIFY(program.click(u"Command4"_s));
        replaceMessageSink(recorder);
        QCOMPARE(shown, u"削除しました: <b>Sato</b> &amp;"_s + QString(13, u' '));
        // The number typed over the chosen line's is the one deleted, and the boxes are emptied.
        QVERIFY(program.choose(2) && program.type(u"Text1"_s, u"2"_s) && program.click(u"Command4"_s));
        QCOMPARE(program.text(u"Namae"_s) + program.text(u"Text1"_s), QString());
        // Beyond the listed roster the file grows; a number beyond the last slot stays in its box.
        QVERIFY(program.type(u"Text1"_s, u"15"_s) && program.click(u"Command4"_s));
        QVERIFY(program.type(u"Text1"_s, u"32768"_s) && program.click(u"Command4"_s));
        QCOMPARE(program.text(u"Text1"_s), u"32768"_s);
        QCOMPARE(program.messages, (QStringList{u"削除しました: B"_s + QString(29, u' '), u"削除しました: "_s + blank,
                                                u"削除するデータが選択されていません。"_s}));
        QCOMPARE(readFileBytes(u"meibo.dat"_s), QByteArray(2 * 436, ' ') + slotBytes(yamada)
                                                   + QByteArray(11 * 436, '\0') + QByteArray(436, ' '));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
