#include "printing/postal_address.h"
#include "printing/postal_code_check.h"
#include "printing/printing_settings.h"
#include "printing/vertical_text.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;
using Turn = VerticalGlyph::Turn;

Q_DECLARE_METATYPE(QList<VerticalGlyph>)
Q_DECLARE_METATYPE(PostalAddress::Code)
Q_DECLARE_METATYPE(PostalCodeWarning::Kind)

class TestPrintingCore : public QObject
{
    Q_OBJECT

private slots:
    void placesVerticalGlyphs()
    {
        const QPointF none, stop(0.6, -0.6), small(0.1, -0.1);
        const QList<VerticalGlyph> expected = {
            {u"「"_s, Turn::Quarter, none, 1}, {u"あ"_s, Turn::Upright, none, 1},
            {u"ぁ"_s, Turn::Upright, small, 1}, {u"ー"_s, Turn::Quarter, none, 1},
            {u"～"_s, Turn::Quarter, none, 1}, {u"、"_s, Turn::Upright, stop, 1},
            {u"。"_s, Turn::Upright, stop, 1}, {u"」"_s, Turn::Quarter, none, 1},
            {u"ッ"_s, Turn::Upright, small, 1}, {u"…"_s, Turn::Quarter, none, 1},
            {u"－"_s, Turn::Quarter, none, 1}, {u" "_s, Turn::Upright, none, 0.5},
            {u"𠮷"_s, Turn::Upright, none, 1}};
        QCOMPARE(verticalGlyphs(u"「あぁー～、。」ッ…－ 𠮷"), expected);
    }

    void writesAddressesForColumns_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("column");
        QTest::newRow("hyphens between numbers")
            << u"千代田区1-2-3"_s << u"千代田区一－二－三"_s;
        QTest::newRow("full-width digits, long-vowel mark")
            << u"北１０条西２ー５"_s << u"北一〇条西二－五"_s;
        QTest::newRow("letters and blanks full-width") << u"A棟 2F"_s << u"Ａ棟　二Ｆ"_s;
        QTest::newRow("katakana long vowel kept") << u"メゾン-ハイツー"_s << u"メゾン－ハイツー"_s;
    }
    void writesAddressesForColumns()
    {
        QFETCH(QString, address);
        QFETCH(QString, column);
        QCOMPARE(verticalAddressText(address), column);
    }

    void readsPostalAddress_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<PostalAddress::Code>("code");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QStringList>("columns");
        using Code = PostalAddress::Code;
        QTest::newRow("mark, hyphen, line break")
            << u"〒100-0001 東京都千代田区千代田1-1\r\nグランド302号"_s << Code::Found
            << u"1000001"_s << QStringList{u"東京都千代田区千代田1-1"_s, u"グランド302号"_s};
        QTest::newRow("full-width, full-width space")
            << u"１００－０００１　大阪市北区　梅田ビル"_s << Code::Found << u"1000001"_s
            << QStringList{u"大阪市北区"_s, u"梅田ビル"_s};
        QTest::newRow("long-vowel mark, no blank") << u" 〒 530ー0001大阪"_s << Code::Found
                                                   << u"5300001"_s << QStringList{u"大阪"_s};
        QTest::newRow("no hyphen") << u"5300001"_s << Code::Found << u"5300001"_s << QStringList();
        QTest::newRow("too few digits") << u"〒12-345 どこか"_s << Code::Malformed << QString()
                                        << QStringList{u"12-345 どこか"_s};
        QTest::newRow("a telephone number") << u"0312345678"_s << Code::Malformed << QString()
                                            << QStringList{u"0312345678"_s};
        QTest::newRow("no code") << u"京都市左京区"_s << Code::Missing << QString()
                                 << QStringList{u"京都市左京区"_s};
        QTest::newRow("empty") << QString() << Code::Missing << QString() << QStringList();
    }
    void readsPostalAddress()
    {
        QFETCH(QString, memo);
        QFETCH(PostalAddress::Code, code);
        QFETCH(QString, digits);
        QFETCH(QStringList, columns);
        const PostalAddress address = readPostalAddress(memo);
        QCOMPARE(address.code, code);
        QCOMPARE(address.digits, digits);
        QCOMPARE(address.columns, columns);
    }

    // The directory in the dictionary's own form and encoding, as skkdic-extra ships it.
    void checksPostalCodes_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QList<PostalCodeWarning::Kind>>("warnings");
        using Kind = PostalCodeWarning::Kind;
        QTest::newRow("matching") << u"〒100-0001 東京都千代田区千代田1-1"_s
                                  << QList<Kind>();
        QTest::newRow("without the prefecture") << u"1000001 千代田区千代田"_s << QList<Kind>();
        QTest::newRow("numbers as the directory writes them")
            << u"〒060-0010 札幌市中央区北10条西3丁目"_s << QList<Kind>();
        QTest::newRow("without the county") << u"〒907-1801 与那国町与那国"_s << QList<Kind>();
        QTest::newRow("another town") << u"〒100-0001 東京都港区芝公園"_s
                                      << QList<Kind>{Kind::NotMatching};
        QTest::newRow("unknown code") << u"〒999-9999 東京都"_s << QList<Kind>{Kind::Unknown};
        QTest::newRow("missing") << u"東京都千代田区"_s << QList<Kind>{Kind::Missing};
        QTest::newRow("malformed") << u"〒1000-001 東京都"_s << QList<Kind>{Kind::Malformed};
        QTest::newRow("no address") << u"〒100-0001"_s << QList<Kind>{Kind::NoAddress};
    }
    void checksPostalCodes()
    {
        QFETCH(QString, memo);
        QFETCH(QList<PostalCodeWarning::Kind>, warnings);
        TestDirectory dir;
        // In EUC-JP, as the directory is: 北海道札幌市中央区北十条西, 東京都千代田区千代田 and
        // 沖縄県八重山郡与那国町与那国.
        writeFileBytes(u"SKK-JISYO.zipcode"_s,
                       ";; okuri-nasi entries.\n0600010 /\xCB\xCC\xB3\xA4\xC6\xBB\xBB\xA5\xCB\xDA\xBB\xD4"
                       "\xC3\xE6\xB1\xFB\xB6\xE8\xCB\xCC\xBD\xBD\xBE\xF2\xC0\xBE/\n1000001 /\xC5\xEC\xB5\xFE"
                       "\xC5\xD4\xC0\xE9\xC2\xE5\xC5\xC4\xB6\xE8\xC0\xE9\xC2\xE5\xC5\xC4/\n9071801 /\xB2\xAD"
                       "\xC6\xEC\xB8\xA9\xC8\xAC\xBD\xC5\xBB\xB3\xB7\xB4\xCD\xBF\xC6\xE1\xB9\xF1\xC4\xAE\xCD\xBF"
                       "\xC6\xE1\xB9\xF1/\n"_ba);
        PostalCodeDirectory directory;
        QVERIFY(directory.load({u"missing.zipcode"_s, u"SKK-JISYO.zipcode"_s}));
        ExchangeEntry entry;
        entry.number = 7;
        entry.memo = memo;
        QList<PostalCodeWarning::Kind> found;
        for (const PostalCodeWarning &warning : checkPostalCodes({{entry, {}}}, directory))
            found.append(warning.kind);
        QCOMPARE(found, warnings);
    }

    void keepsPrintingSettings()
    {
        TestDirectory dir;
        PrintingSettings settings;
        settings.senderPostalCode = u"150-0001"_s;
        settings.senderAddress = u"渋谷区神宮前1-2-3\nハイツ\\101"_s;
        settings.honorific = Honorific::Onchu;
        settings.drawBoxes = true;
        settings.offsetXMillimetres = -1.5;
        settings.offsetYMillimetres = 0.3;
        QVERIFY(PrintingSettingsFile::write(settings));
        QCOMPARE(readFileBytes(u"insatsu.ini"_s),
                 u"sender_postal_code=150-0001\nsender_address=渋谷区神宮前1-2-3\\nハイツ\\\\101\n"
                 u"honorific=御中\ndraw_boxes=1\npictures=0\noffset_x_mm=-1.5\noffset_y_mm=0.3\n"_s
                     .toUtf8());
        const PrintingSettings read = PrintingSettingsFile::read();
        QCOMPARE(read.senderAddress, settings.senderAddress);
        QCOMPARE(read.honorific, Honorific::Onchu);
        QCOMPARE(read.offsetXMillimetres, -1.5);
        // A slip of the hand is no printer's offset; an unknown honorific keeps the default.
        writeFileBytes(u"insatsu.ini"_s, "offset_x_mm=250\noffset_y_mm=nan\nhonorific=x\n");
        QCOMPARE(PrintingSettingsFile::read().offsetXMillimetres, 0.0);
        QCOMPARE(PrintingSettingsFile::read().offsetYMillimetres, 0.0);
        QCOMPARE(PrintingSettingsFile::read().honorific, Honorific::Sama);
    }
};

QTEST_APPLESS_MAIN(TestPrintingCore)
#include "tst_printing_core.moc"
