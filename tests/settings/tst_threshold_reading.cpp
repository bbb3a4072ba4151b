#include <QTest>

#include <QLocale>

#include "settings/threshold_reading.h"

using namespace Qt::StringLiterals;

class TestThresholdReading : public QObject
{
    Q_OBJECT

private slots:
    void readings_data();
    void readings();
};

void TestThresholdReading::readings_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("whole number") << u"ja_JP"_s << u"1000"_s << true << 1000.0;
    QTest::newRow("fraction") << u"ja_JP"_s << u"999.6"_s << true << 999.6;
    QTest::newRow("thousands separator") << u"ja_JP"_s << u"1,500"_s << true << 1500.0;
    QTest::newRow("separator and fraction") << u"en_US"_s << u"1,000.5"_s << true << 1000.5;
    QTest::newRow("blanks around") << u"ja_JP"_s << u" 50 "_s << true << 50.0;
    QTest::newRow("negative") << u"ja_JP"_s << u"-5"_s << true << -5.0;
    QTest::newRow("plus sign") << u"ja_JP"_s << u"+1200"_s << true << 1200.0;
    QTest::newRow("exponent") << u"ja_JP"_s << u"1e3"_s << true << 1000.0;
    QTest::newRow("C locale separator") << u"C"_s << u"2,000"_s << true << 2000.0;
    QTest::newRow("comma is the decimal point") << u"de_DE"_s << u"1,500"_s << true << 1.5;
    QTest::newRow("full stop groups") << u"de_DE"_s << u"1.500"_s << true << 1500.0;
    QTest::newRow("separator between any digits") << u"ja_JP"_s << u"1,5000"_s << true << 15000.0;
    QTest::newRow("separators and fraction") << u"en_US"_s << u"1,2,34.5"_s << true << 1234.5;
    QTest::newRow("full stops between any digits") << u"de_DE"_s << u"1.5000"_s << true << 15000.0;
    QTest::newRow("D exponent") << u"ja_JP"_s << u"1D3"_s << true << 1000.0;
    QTest::newRow("d exponent with sign") << u"ja_JP"_s << u"25d-1"_s << true << 2.5;

    QTest::newRow("empty") << u"ja_JP"_s << QString() << false << 0.0;
    QTest::newRow("blanks only") << u"ja_JP"_s << u"   "_s << false << 0.0;
    QTest::newRow("letters") << u"ja_JP"_s << u"abc"_s << false << 0.0;
    QTest::newRow("trailing letters") << u"ja_JP"_s << u"12abc"_s << false << 0.0;
    QTest::newRow("hexadecimal") << u"ja_JP"_s << u"&H400"_s << false << 0.0;
    QTest::newRow("infinity") << u"ja_JP"_s << u"inf"_s << false << 0.0;
    QTest::newRow("not a number") << u"ja_JP"_s << u"nan"_s << false << 0.0;
    QTest::newRow("too large") << u"ja_JP"_s << u"1e400"_s << false << 0.0;
}

void TestThresholdReading::readings()
{
    QFETCH(QString, localeName);
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> reading = readThresholdNumber(text, QLocale(localeName));
    QCOMPARE(reading.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*reading, value);
}

QTEST_APPLESS_MAIN(TestThresholdReading)
#include "tst_threshold_reading.moc"
