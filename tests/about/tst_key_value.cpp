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
};

void TestKeyValue::readsValue_data()
{
    QTest::addColumn<QString>("value"); // "denied": the key is refused; "Other": not the value asked
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("bytes"); // null: no key at all
    QTest::addColumn<QString>("expected"); // null: not found, and the text emptied; "throws"

    QTest::newRow("text with NUL") << u"Value"_s << 1u << QByteArray("C:\\Tools\\msinfo32.exe", 22)
                                   << u"C:\\Tools\\msinfo32.exe"_s;
    QTest::newRow("text without NUL") << u"Value"_s << 1u << QByteArray("C:\\abc") << u"C:\\abc"_s;
    QTest::newRow("one NUL only") << u"Value"_s << 1u << QByteArray(1, '\0') << u""_s;
    QTest::newRow("1024 bytes with NUL")
        << u"Value"_s << 1u << QByteArray(1023, 'a').append('\0') << QString(1023, u'a');
    QTest::newRow("1024 bytes without NUL") << u"Value"_s << 1u << QByteArray(1024, 'b') << QString(1024, u'b');
    QTest::newRow("number") << u"Value"_s << 4u << QByteArray("\x78\x56\x34\x12", 4) << u"&h12345678"_s;
    QTest::newRow("number keeps zeros, upper case")
        << u"Value"_s << 4u << QByteArray("\xAB\x00\x00\x00", 4) << u"&h000000AB"_s;
    QTest::newRow("binary leaves text") << u"Value"_s << 3u << QByteArray("\x01\x02", 2) << u"as passed"_s;
    QTest::newRow("multi-string leaves text") << u"Value"_s << 7u << QByteArray("a\0b\0\0", 5) << u"as passed"_s;
    QTest::newRow("1025 bytes") << u"Value"_s << 1u << QByteArray(1025, 'c') << QString();
    QTest::newRow("missing value") << u"Other"_s << 1u << QByteArray("c") << QString();
    QTest::newRow("missing key") << u"Value"_s << 1u << QByteArray() << QString();
    QTest::newRow("access refused") << u"denied"_s << 1u << QByteArray("c") << QString();
    QTest::newRow("size zero raises") << u"Value"_s << 1u << QByteArray("") << u"throws"_s;
}

void TestKeyValue::readsValue()
{
    QFETCH(QString, value);
    QFETCH(uint, type);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    TestRegistry registry;
    if (!bytes.isNull())
        registry.setValue(u"SOFTWARE\\Test"_s, u"Value"_s, type, bytes);
    if (value == u"denied")
        registry.denyKey(u"SOFTWARE\\Test"_s);
    std::u16string text = u"as passed";
    const std::string name = value == u"Other" ? "Other" : "Value";
    if (expected == u"throws") {
        QVERIFY_THROWS_EXCEPTION(SystemInformation::EmptyValueError,
                                 GetKeyValue(registry, 0x80000002, "SOFTWARE\\Test", name, text));
    } else {
        QCOMPARE(GetKeyValue(registry, 0x80000002, "SOFTWARE\\Test", name, text), !expected.isNull());
        QCOMPARE(QString::fromStdU16String(text), expected.isNull() ? u""_s : expected);
        QCOMPARE(registry.accessMasks.last(), 0x2003Fu);
    }
    QCOMPARE(registry.roots.last(), 0x80000002u);
    QCOMPARE(registry.openKeyCount(), 0);
}

QTEST_APPLESS_MAIN(TestKeyValue)
#include "tst_key_value.moc"
