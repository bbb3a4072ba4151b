#include <QTest>

#include "platform/number_reading.h"

using namespace Qt::StringLiterals;

class TestNumberReading : public QObject
{
    Q_OBJECT

private slots:
    // Read and rounded to 32 bits, or to 16 where the row says so; an empty expectation means the
    // reading fails.
    void readings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("2.5 to even") << u"2.5"_s << QVariant(2);
        QTest::newRow("3.5 to even") << u"3.5"_s << QVariant(4);
        QTest::newRow("12abc") << u"12abc"_s << QVariant(12);
        QTest::newRow("spaces, tabs and line feeds") << u"\t1 \n3 "_s << QVariant(13);
        QTest::newRow("carriage return stops") << u"1\r2"_s << QVariant(1);
        QTest::newRow("plus, point first, e") << u"+.5e1"_s << QVariant(5);
        QTest::newRow("second point stops") << u"1.2.3"_s << QVariant(1);
        QTest::newRow("E exponent") << u"1E3"_s << QVariant(1000);
        QTest::newRow("D exponent with sign") << u"25d-1"_s << QVariant(2);
        QTest::newRow("exponent without digits") << u"5E"_s << QVariant(5);
        QTest::newRow("hex in either case") << u"&hFf"_s << QVariant(255);
        QTest::newRow("octal stops at 8") << u"&O178"_s << QVariant(15);
        QTest::newRow("hex without digits") << u"&H"_s << QVariant(0);
        QTest::newRow("empty") << QString() << QVariant(0);
        QTest::newRow("full-width sign, point, D, other letters stop") << u"－２．５Ｄ１ｘ"_s << QVariant(-25);
        QTest::newRow("full-width hex, comma stops") << u"＆ｈ１Ａ，１"_s << QVariant(26);
        QTest::newRow("comma stops") << u"1,500"_s << QVariant(1);
        QTest::newRow("largest") << u"2147483647"_s << QVariant(2147483647);
        QTest::newRow("smallest") << u"-2147483648"_s << QVariant(-2147483647 - 1);
        QTest::newRow("beyond 32 bits") << u"2147483648"_s << QVariant();
        QTest::newRow("rounds beyond 32 bits") << u"2147483647.5"_s << QVariant();
        QTest::newRow("hex beyond 32 bits") << u"&H100000000"_s << QVariant();
        QTest::newRow("overflowing exponent") << u"1E999"_s << QVariant();
        QTest::newRow("huge digits") << QString(400, u'9') << QVariant();
        QTest::newRow("underflow reads as 0") << u"1E-999"_s << QVariant(0);
        QTest::newRow("underflow with a positive exponent")
            << u"0."_s + QString(400, u'0') + u"1E10"_s << QVariant(0);
        QTest::newRow("16 bits 32767") << u"32767"_s << QVariant(32767);
        QTest::newRow("16 bits -32768") << u"-32768"_s << QVariant(-32768);
        QTest::newRow("16 bits 32768") << u"32768"_s << QVariant();
        QTest::newRow("16 bits 999.6") << u"999.6"_s << QVariant(1000);
    }
    void readings()
    {
        QFETCH(QString, text);
        QFETCH(QVariant, expected);
        const NumberReading reading = readLeadingNumber(text);
        const std::optional<int> value = QByteArray(QTest::currentDataTag()).startsWith("16 bits")
                                             ? std::optional<int>(roundToInt16(reading))
                                             : roundToInt32(reading);
        QCOMPARE(value ? QVariant(*value) : QVariant(), expected);
    }
};

QTEST_APPLESS_MAIN(TestNumberReading)
#include "tst_number_reading.moc"
