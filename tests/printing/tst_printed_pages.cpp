#include <QProcess>
#include <QRegularExpression>

#include "roster/meibo_record.h"
#include "roster/roster_file.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;
using Field = MeiboRecord::Field;

namespace {

constexpr double pointsPerMillimetre = 72 / 25.4;

// The exit status, or -1 for a crash, and the standard output.
std::pair<int, QByteArray> run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput()};
}

// One word of pdftotext -bbox, in millimetres from the page's top left corner.
struct Word
{
    QString text;
    QRectF box;
};

QList<Word> wordsOf(const QString &pdf)
{
    const auto [status, xhtml] = run(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
    static const QRegularExpression word(
        uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    QList<Word> words;
    for (const QRegularExpressionMatch &match : word.globalMatch(QString::fromUtf8(xhtml))) {
        const auto mm = [&](int i) { return match.captured(i).toDouble() / pointsPerMillimetre; };
        words.append({match.captured(5), QRectF(QPointF(mm(1), mm(2)), QPointF(mm(3), mm(4)))});
    }
    return words;
}

QString pdfInfo(const QString &pdf, const QString &key)
{
    const QString info = QString::fromUtf8(run(u"pdfinfo"_s, {pdf}).second);
    const QRegularExpression line(u"^%1:\\s*(.*)$"_s.arg(key), QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

QString joined(const QList<Word> &words)
{
    QString text;
    for (const Word &word : words)
        text += word.text;
    return text;
}

void writeRoster(const QList<QStringList> &entries)
{
    RosterFile roster;
    QCOMPARE(roster.open(), RosterFile::Status::Ok);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        MeiboRecord record;
        record.set(Field::Namae, entries[i].value(0));
        record.set(Field::Tell, entries[i].value(1));
        record.set(Field::Memo, entries[i].value(2));
        QCOMPARE(roster.writeSlot(int(i) + 1, record), RosterFile::Status::Ok);
    }
}

} // namespace

class TestPrintedPages : public QObject
{
    Q_OBJECT

private slots:
    void postcard()
    {
        TestDirectory dir;
        writeRoster({{u"山田 太郎"_s, {}, u"〒100-0001 東京都千代田区千代田1-1\r\nグランド302号"_s},
                     {u"次の人"_s, {}, u"〒200-0002 横浜市"_s}});
        writeFileBytes(u"settei.ini"_s, "10,\"\x8D\x82\x8B\xB4\"\r\n"); // 高橋
        writeFileBytes(u"insatsu.ini"_s, "sender_postal_code=150-0001\n"
                                         "sender_address=\xE6\xB8\x8B\xE8\xB0\xB7\xE5\x8C\xBA\n");
        QCOMPARE(run(QStringLiteral(VEDRIN_TOOL), {u"print"_s, u"hagaki"_s, u"--output"_s,
                                                   u"card.pdf"_s, u"--to"_s, u"1"_s,
                                                   u"--honorific"_s, u"殿"_s})
                     .first,
                 0);
        QCOMPARE(pdfInfo(u"card.pdf"_s, u"Pages"_s), u"1"_s);
        const QStringList size = pdfInfo(u"card.pdf"_s, u"Page size"_s).split(u' ');
        QVERIFY(qAbs(size.value(0).toDouble() / pointsPerMillimetre - 100) <= 0.5);
        QVERIFY(qAbs(size.value(2).toDouble() / pointsPerMillimetre - 148) <= 0.5);

        const QList<Word> words = wordsOf(u"card.pdf"_s);
        QList<Word> code, name, address, sender, senderCode;
        for (const Word &word : words) {
            const QPointF centre = word.box.center();
            if (centre.y() < 22)
                code.append(word);
            else if (centre.y() > 125)
                senderCode.append(word);
            else if (qAbs(centre.x() - 50) < 3)
                name.append(word);
            else if (centre.x() > 56)
                address.append(word);
            else if (centre.x() < 40 && centre.y() > 65)
                sender.append(word);
            else
                QFAIL(qPrintable(u"%1 out of place"_s.arg(word.text)));
        }

        // Japan Post's boxes: 5.7 × 8.0 mm from 12.0 mm below the top, the last 8.0 mm from the right.
        const QList<double> lefts = {44.3, 51.3, 58.3, 65.9, 72.7, 79.5, 86.3};
        QCOMPARE(joined(code), u"1000001"_s);
        for (qsizetype i = 0; i < code.size(); ++i) {
            const QRectF box(lefts[i] - 0.5, 12.0 - 0.5, 5.7 + 1.0, 8.0 + 1.0);
            QVERIFY2(box.contains(code[i].box), qPrintable(u"digit %1"_s.arg(i + 1)));
            QVERIFY(qAbs(code[i].box.center().x() - (lefts[i] + 5.7 / 2)) <= 0.5);
        }

        std::sort(name.begin(), name.end(),
                  [](const Word &a, const Word &b) { return a.box.top() < b.box.top(); });
        QCOMPARE(joined(name), u"山田太郎殿"_s);
        for (qsizetype i = 1; i < name.size(); ++i) {
            QVERIFY(qAbs(name[i].box.center().x() - name[0].box.center().x()) < 0.1);
            QVERIFY(name[i].box.top() >= name[i - 1].box.bottom() - 0.01);
        }

        // Columns from the right, each from the top down.
        std::sort(address.begin(), address.end(), [](const Word &a, const Word &b) {
            if (qAbs(a.box.center().x() - b.box.center().x()) > 1)
                return a.box.center().x() > b.box.center().x();
            return a.box.top() < b.box.top();
        });
        QCOMPARE(joined(address), u"東京都千代田区千代田一－一グランド三〇二号"_s);
        QVERIFY(address.last().box.left() > name.first().box.right());

        std::sort(sender.begin(), sender.end(), [](const Word &a, const Word &b) {
            return a.box.center().x() > b.box.center().x() + 1
                   || (qAbs(a.box.center().x() - b.box.center().x()) <= 1 && a.box.top() < b.box.top());
        });
        QCOMPARE(joined(sender), u"渋谷区高橋"_s);
        QCOMPARE(joined(senderCode), u"1500001"_s);
        for (const Word &digit : senderCode)
            QVERIFY(digit.box.right() < 40);
    }

    void roster()
    {
        TestDirectory dir;
        QList<QStringList> entries;
        for (int i = 1; i <= 40; ++i)
            entries.append({u"名前%1"_s.arg(i), u"03-0000-%1"_s.arg(i, 4, 10, QChar(u'0')),
                            i == 2 ? u"〒100-0001 東京都千代田区"_s : QString()});
        writeRoster(entries);
        writeFileBytes(u"settei.ini"_s, "10,\"\x8D\x82\x8B\xB4\"\r\n");
        QCOMPARE(run(QStringLiteral(VEDRIN_TOOL),
                     {u"print"_s, u"meibo"_s, u"--output"_s, u"all.pdf"_s})
                     .first,
                 0);
        QCOMPARE(pdfInfo(u"all.pdf"_s, u"Pages"_s), u"2"_s);
        QCOMPARE(pdfInfo(u"all.pdf"_s, u"Page size"_s), u"595 x 842 pts (A4)"_s);
        QCOMPARE(run(QStringLiteral(VEDRIN_TOOL), {u"print"_s, u"meibo"_s, u"--output"_s,
                                                   u"some.pdf"_s, u"--from"_s, u"2"_s, u"--to"_s,
                                                   u"3"_s})
                     .first,
                 0);
        const QString text = QString::fromUtf8(
            run(u"pdftotext"_s, {u"-layout"_s, u"some.pdf"_s, u"-"_s}).second);
        static const QRegularExpression blanks(u"\\s+"_s);
        QCOMPARE(text.simplified().replace(blanks, u" "_s),
                 u"高橋のアドレス帳 番号 名前 よみ 電話 メール 住所 2 名前2 03-0000-0002 "
                 u"〒100-0001 東京都千代田区 3 名前3 03-0000-0003 1 / 1"_s);
    }

    void refusesWrongCommandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("no output") << QStringList{u"hagaki"_s} << 2;
        QTest::newRow("neither hagaki nor meibo") << QStringList{u"x"_s, u"--output"_s, u"a"_s} << 2;
        QTest::newRow("range backwards")
            << QStringList{u"meibo"_s, u"--output"_s, u"a"_s, u"--from"_s, u"5"_s, u"--to"_s, u"4"_s}
            << 2;
        QTest::newRow("unknown honorific")
            << QStringList{u"hagaki"_s, u"--output"_s, u"a"_s, u"--honorific"_s, u"君"_s} << 2;
        QTest::newRow("no roster") << QStringList{u"meibo"_s, u"--output"_s, u"a"_s} << 1;
        QTest::newRow("output into a missing folder")
            << QStringList{u"meibo"_s, u"--output"_s, u"no/such/a.pdf"_s} << 1;
    }
    void refusesWrongCommandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        TestDirectory dir;
        if (QString::fromUtf8(QTest::currentDataTag()).startsWith(u"output"_s))
            writeRoster({{u"山田"_s}});
        QCOMPARE(run(QStringLiteral(VEDRIN_TOOL), QStringList{u"print"_s} + arguments).first, status);
        QVERIFY(!QFileInfo::exists(u"a"_s));
    }
};

QTEST_APPLESS_MAIN(TestPrintedPages)
#include "tst_printed_pages.moc"
