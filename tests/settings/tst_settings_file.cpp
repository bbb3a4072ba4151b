#include <QTest>

#include <QElapsedTimer>

#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void writesExactBytes_data();
    void writesExactBytes();
    void readsBackWhatItWrote_data();
    void readsBackWhatItWrote();
    void readingRules_data();
    void readingRules();
    void missingFileFails();
    void nameFailureKeepsTheMaximumAlreadyRead();
    void hugeFileReadsFirstLineOnly();
};

void TestSettingsFile::writesExactBytes_data()
{
    QTest::addColumn<int>("maxEntries");
    QTest::addColumn<QString>("ownerName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("defaults") << 10 << QString() << QByteArray("\x31\x30\x2C\x22\x22\x0D\x0A");
    QTest::newRow("250 テスト") << 250 << u"テスト"_s
                               << QByteArray("\x32\x35\x30\x2C\x22\x83\x65\x83\x58\x83\x67\x22\x0D\x0A");
    QTest::newRow("-5") << -5 << u"a"_s << QByteArray("-5,\"a\"\r\n");
    QTest::newRow("quote written unchanged") << 3 << u"a\"b"_s << QByteArray("3,\"a\"b\"\r\n");
}

void TestSettingsFile::writesExactBytes()
{
    QFETCH(int, maxEntries);
    QFETCH(QString, ownerName);
    QFETCH(QByteArray, bytes);
    TestDirectory dir;
    writeFileBytes(u"settei.ini"_s, QByteArray(100, 'x'));
    QVERIFY(WriteSettingsFile(SettingsValues{std::int16_t(maxEntries), ownerName}));
    QCOMPARE(readFileBytes(u"settei.ini"_s), bytes);
}

void TestSettingsFile::readsBackWhatItWrote_data()
{
    QTest::addColumn<int>("maxEntries");
    QTest::addColumn<QString>("ownerName");
    QTest::newRow("comma in the name") << 10 << u"山田, 太郎"_s;
    QTest::newRow("blanks kept") << 10 << u"  田中 "_s;
    QTest::newRow("empty name") << 10 << QString();
    QTest::newRow("-5") << -5 << u"x"_s;
    QTest::newRow("bounds") << -32768 << u"y"_s;
}

void TestSettingsFile::readsBackWhatItWrote()
{
    QFETCH(int, maxEntries);
    QFETCH(QString, ownerName);
    TestDirectory dir;
    QVERIFY(WriteSettingsFile(SettingsValues{std::int16_t(maxEntries), ownerName}));
    SettingsValues read{99, u"old"_s};
    QVERIFY(ReadSettingsFile(read));
    QCOMPARE(int(read.MaxEntries), maxEntries);
    QCOMPARE(read.OwnerName, ownerName);
}

void TestSettingsFile::readingRules_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<int>("maxEntries");
    QTest::addColumn<QString>("ownerName");
    QTest::newRow("further lines ignored") << QByteArray("7,\"a\"\r\n8,\"b\"\r\n") << true << 7 << u"a"_s;
    QTest::newRow("no final line end") << QByteArray("7,\"a\"") << true << 7 << u"a"_s;
    QTest::newRow("LF alone") << QByteArray("7,\"a\"\n") << true << 7 << u"a"_s;
    QTest::newRow("CR alone ends the line") << QByteArray("7,\"a\rb\"") << true << 7 << u"a"_s;
    QTest::newRow("blanks before fields") << QByteArray("  7 ,\t \"a\"") << true << 7 << u"a"_s;
    QTest::newRow("plain name") << QByteArray("7,Sato  ,x") << true << 7 << u"Sato"_s;
    QTest::newRow("text after the quote skipped") << QByteArray("7,\"a\"zz,q") << true << 7 << u"a"_s;
    QTest::newRow("unclosed quote") << QByteArray("7,\"abc") << true << 7 << u"abc"_s;
    QTest::newRow("quoted number") << QByteArray("\"12\",\"a\"") << true << 12 << u"a"_s;
    QTest::newRow("plus sign") << QByteArray("+12,\"a\"") << true << 12 << u"a"_s;
    QTest::newRow("shift-jis name") << QByteArray("1,\"\x8E\x52\x93\x63\"") << true << 1 << u"山田"_s;
    QTest::newRow("empty name after comma") << QByteArray("4,") << true << 4 << QString();
    QTest::newRow("a number alone") << QByteArray("25\r\n") << false << 25 << u"before"_s;
    QTest::newRow("empty file") << QByteArray() << false << 99 << u"before"_s;
    QTest::newRow("empty first field") << QByteArray(",\"a\"") << false << 99 << u"before"_s;
    QTest::newRow("not a whole number") << QByteArray("1.5,\"a\"") << false << 99 << u"before"_s;
    QTest::newRow("letters") << QByteArray("ten,\"a\"") << false << 99 << u"before"_s;
    QTest::newRow("beyond 16 bits") << QByteArray("40000,\"a\"") << false << 99 << u"before"_s;
    QTest::newRow("name on the next line") << QByteArray("7\r\n,\"a\"") << false << 7 << u"before"_s;
}

void TestSettingsFile::readingRules()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, succeeds);
    QFETCH(int, maxEntries);
    QFETCH(QString, ownerName);
    TestDirectory dir;
    writeFileBytes(u"settei.ini"_s, bytes);
    SettingsValues read{99, u"before"_s};
    QCOMPARE(ReadSettingsFile(read), succeeds);
    QCOMPARE(int(read.MaxEntries), maxEntries);
    QCOMPARE(read.OwnerName, ownerName);
}

void TestSettingsFile::missingFileFails()
{
    TestDirectory dir;
    SettingsValues read{99, u"before"_s};
    QVERIFY(!ReadSettingsFile(read));
    QCOMPARE(int(read.MaxEntries), 99);
}

void TestSettingsFile::nameFailureKeepsTheMaximumAlreadyRead()
{
    TestDirectory dir;
    writeFileBytes(u"settei.ini"_s, "25");
    SettingsValues read{99, u"before"_s};
    QVERIFY(!ReadSettingsFile(read));
    QCOMPARE(int(read.MaxEntries), 25);
    QCOMPARE(read.OwnerName, u"before"_s);
}

void TestSettingsFile::hugeFileReadsFirstLineOnly()
{
    TestDirectory dir;
    writeFileBytes(u"settei.ini"_s, QByteArray("12,\"big\"\r\n") + QByteArray(20 * 1024 * 1024, 'x'));
    SettingsValues read;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(ReadSettingsFile(read));
    QVERIFY(timer.elapsed() < 200);
    QCOMPARE(read.OwnerName, u"big"_s);
}

QTEST_APPLESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
