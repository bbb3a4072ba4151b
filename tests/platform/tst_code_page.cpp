#include <QTest>

#include "platform/code_page.h"

using namespace Qt::StringLiterals;

namespace {

std::u16string u16(const QString &text)
{
    return text.toStdU16String();
}

QString decoded(const QByteArray &bytes)
{
    return QString::fromStdU16String(
        CodePage932::toUnicode(std::string_view(bytes.constData(), bytes.size())));
}

QByteArray encoded(const QString &text)
{
    const std::string bytes = CodePage932::fromUnicode(u16(text));
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

QByteArray fitted(const QString &text, std::size_t width)
{
    const std::string bytes = CodePage932::fromUnicodeFitted(u16(text), width);
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

class TestCodePage : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void unmappableCharactersBecomeQuestionMarks();
    void undecodableBytesBecomeReplacementCharacters_data();
    void undecodableBytesBecomeReplacementCharacters();
    void fittedFieldNeverSplitsADoubleByteCharacter();
};

void TestCodePage::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("ABC abc 012") << u"ABC abc 012"_s;
    // Windows keeps 0x5C and 0x7E as backslash and tilde, not yen and overline.
    QTest::newRow("backslash and tilde") << QByteArray("C:\\a~b") << u"C:\\a~b"_s;
    QTest::newRow("half-width kana") << QByteArray("\xB1\xB2\xDE") << u"ｱｲﾞ"_s;
    QTest::newRow("katakana") << QByteArray("\x83\x65\x83\x58\x83\x67") << u"テスト"_s;
    QTest::newRow("kanji") << QByteArray("\x8E\x52\x93\x63") << u"山田"_s;
    QTest::newRow("full-width space") << QByteArray("\x81\x40") << u"\u3000"_s;
    // Characters only Microsoft's table has: circled digit one, NEC and IBM extensions.
    QTest::newRow("circled one") << QByteArray("\x87\x40") << u"①"_s;
    QTest::newRow("wave dash as Windows maps it") << QByteArray("\x81\x60") << u"\uFF5E"_s;
    QTest::newRow("control bytes") << QByteArray("\x01\x1F\x7F") << u"\u0001\u001F\u007F"_s;
}

void TestCodePage::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decoded(bytes), text);
    QCOMPARE(encoded(text), bytes);
}

void TestCodePage::unmappableCharactersBecomeQuestionMarks()
{
    QCOMPARE(encoded(u"a€b"_s), QByteArray("a?b"));
    QCOMPARE(encoded(u"Ä한"_s), QByteArray("??"));
    // A character beyond the BMP is one character, and so one question mark.
    QCOMPARE(encoded(u"x😀y"_s), QByteArray("x?y"));
    QCOMPARE(encoded(QString(QChar(0xD800)) + u"z"_s), QByteArray("?z"));
}

void TestCodePage::undecodableBytesBecomeReplacementCharacters_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("lead byte at the end") << QByteArray("A\x83") << u"A\uFFFD"_s;
    QTest::newRow("lead byte before an invalid trail") << QByteArray("\x83\x20Z")
                                                       << u"\uFFFD Z"_s;
    QTest::newRow("unassigned lead byte") << QByteArray("\xF0\x40") << u"\uE000"_s;
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestCodePage::undecodableBytesBecomeReplacementCharacters()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decoded(bytes), text);
}

void TestCodePage::fittedFieldNeverSplitsADoubleByteCharacter()
{
    QCOMPARE(fitted(u"ABC"_s, 6), QByteArray("ABC   "));
    // 山 would take bytes 5 and 6 of a 5-byte field: it is left out and a space takes its place.
    QCOMPARE(fitted(u"ABCD山"_s, 5), QByteArray("ABCD "));
    QCOMPARE(fitted(u"山田"_s, 3), QByteArray("\x8E\x52 "));
    QCOMPARE(fitted(u"ｱｲｳ"_s, 2), QByteArray("\xB1\xB2"));
    QCOMPARE(fitted(QString(), 3), QByteArray("   "));
}

QTEST_APPLESS_MAIN(TestCodePage)
#include "tst_code_page.moc"
