#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    // Written over an older, longer file.
    void writesExactBytes_data()
    {
        QTest::addColumn<int>("maxEntries");
        QTest::addColumn<QString>("ownerName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("250 テスト") << 250 << u"テスト"_s << QByteArray("250,\"\x83\x65\x83\x58\x83\x67\"\r\n");
        QTest::newRow("-32768, comma and blanks in the name")
            << -32768 << u"  Sato, Taro "_s << QByteArray("-32768,\"  Sato, Taro \"\r\n");
        QTest::newRow("quote written unchanged") << 3 << u"a\"b"_s << QByteArray("3,\"a\"b\"\r\n");
    }
    void writesExactBytes()
    {
        QFETCH(int, maxEntries);
        QFETCH(QString, ownerName);
        QFETCH(QByteArray, bytes);
        TestDirectory dir;
        writeFileBytes(u"settei.ini"_s, QByteArray(100, 'x'));
        QVERIFY(WriteSettingsFile(SettingsValues{std::int16_t(maxEntries), ownerName}));
        QCOMPARE(readFileBytes(u"settei.ini"_s), bytes);
    }

    // A null file content means no file. A failed reading keeps what it had read before.
    void readingRules_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<int>("maxEntries");
        QTest::addColumn<QString>("ownerName");
        QTest::newRow("as written") << QByteArray("10,\"\"\r\n") << true << 10 << QString();
        QTest::newRow("shift-jis name, no final line end")
            << QByteArray("32767,\"\x8E\x52\"") << true << 32767 << u"山"_s;
        QTest::newRow("-32768, comma and blanks in quotes")
            << QByteArray("-32768,\"  Sato, Taro \"\r\n") << true << -32768 << u"  Sato, Taro "_s;
        QTest::newRow("LF alone ends the line") << QByteArray("7,\"a\nb\"") << true << 7 << u"a"_s;
        QTest::newRow("CR alone ends the line") << QByteArray("7,\"a\rb\"") << true << 7 << u"a"_s;
        QTest::newRow("blanks before fields") << QByteArray("  7 ,\t \"a\"") << true << 7 << u"a"_s;
        QTest::newRow("plain name") << QByteArray("7,Sato  ,x") << true << 7 << u"Sato"_s;
        QTest::newRow("text after the quote skipped") << QByteArray("7,\"a\"zz,q") << true << 7 << u"a"_s;
        QTest::newRow("unclosed quote") << QByteArray("7,\"abc") << true << 7 << u"abc"_s;
        QTest::newRow("quoted number") << QByteArray("\"12\",\"a\"") << true << 12 << u"a"_s;
        QTest::newRow("plus sign") << QByteArray("+12,\"a\"") << true << 12 << u"a"_s;
        QTest::newRow("empty name after comma") << QByteArray("4,") << true << 4 << QString();
        // A field ends at a line end as at a comma; blank lines before the second are skipped.
        QTest::newRow("name after a blank line") << QByteArray("7\n\r\n  Q\r\n8") << true << 7 << u"Q"_s;
        QTest::newRow("number and line end alone") << QByteArray("25\r\n") << false << 25 << u"before"_s;
        QTest::newRow("name cut at 64 KiB") << "3,\"" + QByteArray(70000, 'n') << true << 3 << QString(65533, u'n');
        QTest::newRow("no file") << QByteArray() << false << 99 << u"before"_s;
        QTest::newRow("empty file") << QByteArray("") << false << 99 << u"before"_s;
        QTest::newRow("not a whole number") << QByteArray("1.5,\"a\"") << false << 99 << u"before"_s;
        QTest::newRow("beyond 16 bits") << QByteArray("32768,\"a\"") << false << 99 << u"before"_s;
    }
    void readingRules()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, succeeds);
        QFETCH(int, maxEntries);
        QFETCH(QString, ownerName);
        TestDirectory dir;
        if (!bytes.isNull())
            writeFileBytes(u"settei.ini"_s, bytes);
        SettingsValues read{99, u"before"_s};
        QCOMPARE(ReadSettingsFile(read), succeeds);
        QCOMPARE(int(read.MaxEntries), maxEntries);
        QCOMPARE(read.OwnerName, ownerName);
    }
};

QTEST_APPLESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
