#include <QTest>

#include "about/system_information.h"
#include "support/test_services.h"

using namespace Qt::StringLiterals;

class TestKeyValue : public QObject
{
    Q_OBJECT

private slots:
    void readsValue_data();
    void readsValue();
    void missingKeyOrValueEmptiesText_data();
    void missingKeyOrValueEmptiesText();
    void valueOfSizeZeroRaisesAndClosesKey();
};

namespace {
const QString key = u"SOFTWARE\\Test"_s;
}

void TestKeyValue::readsValue_data()
{
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("text with NUL") << 1u << QByteArray("C:\\Tools\\msinfo32.exe", 22)
                                   << u"C:\\Tools\\msinfo32.exe"_s;
    QTest::newRow("text without NUL") << 1u << QByteArray("C:\\abc") << u"C:\\abc"_s;
    QTest::newRow("one NUL only") << 1u << QByteArray(1, '\0') << QString();
    QTest::newRow("1024 bytes with NUL")
        << 1u << QByteArray(1023, 'a').append('\0') << QString(1023, u'a');
    QTest::newRow("1024 bytes without NUL") << 1u << QByteArray(1024, 'b') << QString(1024, u'b');
    QTest::newRow("number") << 4u << QByteArray("\x78\x56\x34\x12", 4) << u"&h12345678"_s;
    QTest::newRow("number keeps zeros, upper case")
        << 4u << QByteArray("\xAB\x00\x00\x00", 4) << u"&h000000AB"_s;
    QTest::newRow("binary leaves text") << 3u << QByteArray("\x01\x02", 2) << u"as passed"_s;
    QTest::newRow("multi-string leaves text") << 7u << QByteArray("a\0b\0\0", 5) << u"as passed"_s;
}

void TestKeyValue::readsValue()
{
    QFETCH(uint, type);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);

    TestRegistry registry;
    registry.setValue(key, u"Value"_s, type, bytes);
    std::u16string text = u"as passed";
    QVERIFY(GetKeyValue(registry, 0x80000002, "SOFTWARE\\Test", "Value", text));
    QCOMPARE(QString::fromStdU16String(text), expected);
    QCOMPARE(registry.roots, QList<std::uint32_t>{0x80000002});
    QCOMPARE(registry.accessMasks, QList<std::uint32_t>{0x2003F});
    QCOMPARE(registry.openKeyCount(), 0);
}

void TestKeyValue::missingKeyOrValueEmptiesText_data()
{
    QTest::addColumn<QString>("valueName");
    QTest::addColumn<bool>("denied");
    QTest::addColumn<int>("bytes");

    QTest::newRow("1025 bytes") << u"Value"_s << false << 1025;
    QTest::newRow("missing value") << u"Other"_s << false << 10;
    QTest::newRow("missing key") << QString() << false << 0;
    QTest::newRow("access refused") << u"Value"_s << true << 10;
}

void TestKeyValue::missingKeyOrValueEmptiesText()
{
    QFETCH(QString, valueName);
    QFETCH(bool, denied);
    QFETCH(int, bytes);

    TestRegistry registry;
    if (!valueName.isEmpty())
        registry.setValue(key, u"Value"_s, 1, QByteArray(bytes, 'c'));
    if (denied)
        registry.denyKey(key);
    std::u16string text = u"as passed";
    QVERIFY(!GetKeyValue(registry, 0x80000002, "SOFTWARE\\Test", valueName.toStdString(), text));
    QVERIFY(text.empty());
    QCOMPARE(registry.openKeyCount(), 0);
}

void TestKeyValue::valueOfSizeZeroRaisesAndClosesKey()
{
    TestRegistry registry;
    registry.setValue(key, u"Value"_s, 1, QByteArray());
    std::u16string text;
    QVERIFY_THROWS_EXCEPTION(SystemInformation::EmptyValueError,
                             GetKeyValue(registry, 0x80000002, "SOFTWARE\\Test", "Value", text));
    QCOMPARE(registry.openKeyCount(), 0);
}

QTEST_APPLESS_MAIN(TestKeyValue)
#include "tst_key_value.moc"
