#include <QTest>

#include <QLocale>

#include "settings/threshold_reading.h"

using namespace Qt::StringLiterals;

class TestThresholdReading : public QObject
{
    Q_OBJECT

private slots:
    // Read as a Japanese system reads it; an empty expectation means no number.
    void readings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("separators between any digits") << u"1,2,34.5"_s << QVariant(1234.5);
        QTest::newRow("blanks around") << u" 50 "_s << QVariant(50.0);
        QTest::newRow("negative") << u"-5"_s << QVariant(-5.0);
        QTest::newRow("plus sign") << u"+1200"_s << QVariant(1200.0);
        QTest::newRow("D exponent") << u"1D3"_s << QVariant(1000.0);
        QTest::newRow("d exponent with sign") << u"25d-1"_s << QVariant(2.5);
        QTest::newRow("blanks only") << u"   "_s << QVariant();
        QTest::newRow("trailing letters") << u"12abc"_s << QVariant();
        QTest::newRow("hexadecimal") << u"&H400"_s << QVariant();
        QTest::newRow("infinity") << u"inf"_s << QVariant();
        QTest::newRow("not a number") << u"nan"_s << QVariant();
        QTest::newRow("too large") << u"1e400"_s << QVariant();
    }
    void readings()
    {
        QFETCH(QString, text);
        QFETCH(QVariant, value);
        const std::optional<double> reading = readThresholdNumber(text, QLocale(u"ja_JP"_s));
        QCOMPARE(reading ? QVariant(*reading) : QVariant(), value);
    }
};

QTEST_APPLESS_MAIN(TestThresholdReading)
#include "tst_threshold_reading.moc"
