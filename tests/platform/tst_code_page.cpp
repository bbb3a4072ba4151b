#include <QTest>

#include "platform/code_page.h"

using namespace Qt::StringLiterals;

class TestCodePage : public QObject
{
    Q_OBJECT

private slots:
    // Every row decodes; a row without U+FFFD encodes back to its bytes as well.
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        // Windows keeps 0x5C and 0x7E as backslash and tilde, not yen and overline.
        QTest::newRow("ascii, backslash and tilde") << QByteArray("C:\\a~b 0") << u"C:\\a~b 0"_s;
        QTest::newRow("half-width kana") << QByteArray("\xB1\xB2\xDE") << u"ｱｲﾞ"_s;
        QTest::newRow("kanji and katakana")
            << QByteArray("\x8E\x52\x93\x63\x83\x65\x83\x58\x83\x67") << u"山田テスト"_s;
        QTest::newRow("full-width space") << QByteArray("\x81\x40") << u"\u3000"_s;
        // Characters only Microsoft's table has: circled digit one (NEC), the wave dash as
        // Windows maps it, and the user-defined area.
        QTest::newRow("Microsoft's own")
            << QByteArray("\x87\x40\x81\x60\xF0\x40") << u"①\uFF5E\uE000"_s;
        QTest::newRow("control bytes") << QByteArray("\x01\x1F\x7F") << u"\u0001\u001F\u007F"_s;
        QTest::newRow("lead byte at the end") << QByteArray("A\x83") << u"A\uFFFD"_s;
        QTest::newRow("lead byte before an invalid trail") << QByteArray("\x83\x20Z") << u"\uFFFD Z"_s;
    }
    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdU16String(CodePage932::toUnicode(bytes.toStdString())), text);
        if (!text.contains(u'\uFFFD'))
            QCOMPARE(QByteArray::fromStdString(CodePage932::fromUnicode(text.toStdU16String())), bytes);
    }

    // A width of -1 encodes without fitting.
    void encoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no code for it") << u"a€bÄ"_s << -1 << QByteArray("a?b?");
        // A character beyond the BMP is one character, and so one question mark.
        QTest::newRow("beyond the BMP") << u"x😀y"_s << -1 << QByteArray("x?y");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + u"z"_s << -1 << QByteArray("?z");
        QTest::newRow("fitted and padded") << u"ABC"_s << 6 << QByteArray("ABC   ");
        // 山 would take bytes 5 and 6 of a 5-byte field: a space takes its place.
        QTest::newRow("straddling") << u"ABCD山"_s << 5 << QByteArray("ABCD ");
        QTest::newRow("half-width kana cut") << u"ｱｲｳ"_s << 2 << QByteArray("\xB1\xB2");
    }
    void encoding()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QByteArray, bytes);
        const std::u16string units = text.toStdU16String();
        QCOMPARE(QByteArray::fromStdString(width < 0 ? CodePage932::fromUnicode(units)
                                                     : CodePage932::fromUnicodeFitted(units, width)),
                 bytes);
    }
};

QTEST_APPLESS_MAIN(TestCodePage)
#include "tst_code_page.moc"
