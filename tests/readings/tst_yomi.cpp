#include <QHeaderView>
#include <QTableView>

#include "roster/meibo_record.h"
#include "support/program.h"

using namespace Qt::StringLiterals;

// meibo.dat bytes with these names at their numbers, the others blank.
static QByteArray rosterOf(const QList<std::pair<int, QString>> &names)
{
    QByteArray bytes;
    for (const auto &[number, name] : names) {
        MeiboRecord record;
        record.set(MeiboRecord::Field::Namae, name);
        const qsizetype offset = (number - 1) * MeiboRecord::byteSize;
        bytes.resize(qMax(bytes.size(), offset + MeiboRecord::byteSize), ' ');
        bytes.replace(offset, MeiboRecord::byteSize, record.toBytes());
    }
    return bytes;
}

// One column of the table, top to bottom.
static QStringList column(const Program &program, int column)
{
    const QAbstractItemModel *table = program.find<QTableView>(u"Yomi/entryTable"_s)->model();
    QStringList cells;
    for (int row = 0; row < table->rowCount(); ++row)
        cells.append(table->index(row, column).data().toString());
    return cells;
}

static Yomi *openWithKeys(Program &program)
{
    MainWindow *main = program.windows.mainWindow();
    main->activateWindow();
    if (!QTest::qWaitForWindowActive(main))
        return nullptr;
    QTest::keyClick(main, Qt::Key_F, Qt::ControlModifier);
    return program.windows.yomi();
}

class TestYomi : public QObject
{
    Q_OBJECT

private slots:
    // The order ICU's Japanese collator gives, which the tool's test checks against ICU itself.
    void order()
    {
        QFile list(QStringLiteral(ORDER_LIST));
        QVERIFY(list.open(QIODevice::ReadOnly));
        QList<std::pair<int, QString>> names;
        QStringList expected;
        QByteArray readings;
        for (const QByteArray &line : list.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split('\t');
            if (line.startsWith('#') || fields.size() != 3)
                continue;
            names.append({fields.at(0).toInt(), QString::fromUtf8(fields.at(1))});
            expected.append(QString::fromUtf8(fields.at(0)));
            if (!fields.at(2).isEmpty())
                readings += line + '\n';
        }
        Program program("40,\"\"\r\n", rosterOf(names));
        writeFileBytes(u"yomi.txt"_s, readings);
        QVERIFY(program.start());
        Yomi *yomi = openWithKeys(program);
        QVERIFY(yomi);
        QCOMPARE(yomi->windowTitle(), u"五十音順一覧"_s);
        QCOMPARE(column(program, 0), expected);
        QCOMPARE(program.text(u"Yomi/statusLine"_s), u"該当 30 件／全 30 件"_s);
        QHeaderView *header = program.find<QTableView>(u"Yomi/entryTable"_s)->horizontalHeader();
        emit header->sectionClicked(0);
        QCOMPARE(column(program, 0).first(3), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
        emit header->sectionClicked(2);
        QCOMPARE(column(program, 0), expected);

        QVERIFY(program.type(u"Yomi/searchBox"_s, u"ｻﾄｳ"_s));
        QCOMPARE(column(program, 1), (QStringList{u"佐藤 太郎"_s, u"佐藤 次郎"_s}));
        QCOMPARE(program.text(u"Yomi/statusLine"_s), u"該当 2 件／全 30 件"_s);
        QVERIFY(program.type(u"Yomi/searchBox"_s, {}));
        QVERIFY(program.click(u"Yomi/index5"_s));
        QCOMPARE(program.text(u"Yomi/readingBox"_s), u"パーク"_s);
        QVERIFY(program.click(u"Yomi/index10"_s));
        QCOMPARE(program.text(u"Yomi/readingBox"_s), u"adams"_s);
        // At most once.
        QCOMPARE(openWithKeys(program), yomi);
        QCOMPARE(program.windows.showYomi(), yomi);
    }

    // Readings confirmed into yomi.txt, the roster untouched; entries shown in the main window.
    void confirmAndShow()
    {
        Program program("10,\"\"\r\n", rosterOf({{2, u"田中 一郎"_s}, {15, u"山田"_s}}));
        const QByteArray roster = readFileBytes(u"meibo.dat"_s);
        QVERIFY(program.start());
        QVERIFY(program.windows.showYomi());
        QCOMPARE(column(program, 2),
                 (QStringList{u"たなか いちろう（推定）"_s, u"やまだ（推定）"_s}));
        QCOMPARE(program.text(u"Yomi/readingBox"_s), u"たなか いちろう"_s);
        QVERIFY(program.click(u"Yomi/adoptGuess"_s));
        QCOMPARE(readFileBytes(u"yomi.txt"_s), "2\t田中 一郎\tたなか いちろう\n"_ba);
        QVERIFY(!program.find(u"Yomi/adoptGuess"_s)->isEnabled());
        QVERIFY(program.type(u"Yomi/readingBox"_s, u"ﾀﾅｶ ｲﾁﾛｳ"_s));
        QTest::keyClick(program.find(u"Yomi/readingBox"_s), Qt::Key_Return);
        QCOMPARE(readFileBytes(u"yomi.txt"_s), "2\t田中 一郎\tタナカ イチロウ\n"_ba);
        QCOMPARE(column(program, 2), (QStringList{u"タナカ イチロウ"_s, u"やまだ（推定）"_s}));
        QCOMPARE(readFileBytes(u"meibo.dat"_s), roster);

        QTest::keyClick(program.find(u"Yomi/entryTable"_s), Qt::Key_Return);
        QCOMPARE(program.text(u"Text1"_s), u"2"_s);
        QCOMPARE(program.text(u"Namae"_s), u"田中 一郎"_s + QString(25, u' '));
        // Above the roster size, and with the main window unloaded by 設定.
        QVERIFY(program.click(u"open"_s));
        QTRY_VERIFY(!program.windows.mainWindow());
        QVERIFY(program.type(u"Yomi/searchBox"_s, u"yamada"_s));
        QVERIFY(program.click(u"Yomi/adoptGuess"_s));
        QCOMPARE(readFileBytes(u"yomi.txt"_s),
                 "2\t田中 一郎\tタナカ イチロウ\n15\t山田\tやまだ\n"_ba);
        // The write leaves the program's lock on the roster as it found it.
        RosterFile other;
        QCOMPARE(other.open(), RosterFile::Status::Locked);
        QVERIFY(program.click(u"Yomi/showEntry"_s));
        QVERIFY(program.windows.mainWindow());
        QCOMPARE(program.text(u"Text1"_s), u"15"_s);
        QCOMPARE(program.text(u"Namae"_s), u"山田"_s + QString(28, u' '));
        QVERIFY(program.messages.isEmpty());
    }

    // A rename in the main window shows at once, without the reading of the old name, whose
    // line the next write drops.
    void renamedInTheMainWindow()
    {
        Program program("10,\"\"\r\n", rosterOf({{1, u"佐藤"_s}, {2, u"林"_s}}));
        writeFileBytes(u"yomi.txt"_s, "1\t佐藤\tさと\n2\t林\tはやし\n"_ba);
        QVERIFY(program.start());
        QVERIFY(program.windows.showYomi());
        QVERIFY(program.registerEntry(u"2"_s, u"Hayashi"_s));
        QCOMPARE(column(program, 1), (QStringList{u"Hayashi"_s, u"佐藤"_s}));
        QCOMPARE(column(program, 2), (QStringList{u"Hayashi"_s, u"さと"_s}));
        QVERIFY(program.type(u"Yomi/searchBox"_s, u"佐藤"_s));
        QVERIFY(program.type(u"Yomi/readingBox"_s, u"さとう"_s));
        QVERIFY(program.click(u"Yomi/registerReading"_s));
        QCOMPARE(readFileBytes(u"yomi.txt"_s), "1\t佐藤\tさとう\n"_ba);
    }
};

QTEST_MAIN(TestYomi)
#include "tst_yomi.moc"
