#include <QTest>

#include <QAbstractButton>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>

#include "about/about_box.h"
#include "main_window/main_window.h"
#include "picture_chooser/picture_chooser_window.h"
#include "settings/settings_dialog.h"
#include "support/program.h"

using namespace Qt::StringLiterals;

namespace {

// What a caption shows: an access key's ampersand takes no room.
QString shownText(QString text)
{
    return text.replace(u"&&"_s, u"\x01"_s).remove(u'&').replace(u'\x01', u'&');
}

} // namespace

// Every window as a person sees it: fixed in size where it should be, Japanese in a Japanese
// font, and no caption cut off, at the device-pixel ratio the run is started with (the suite runs this at 1 and 2).
class TestWindowLooks : public QObject
{
    Q_OBJECT

private slots:
    void windows_data();
    void windows();
};

void TestWindowLooks::windows_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("fixedSize");
    QTest::newRow("main window") << u"main"_s << true;
    // The settings dialog has an ordinary, sizable frame.
    QTest::newRow("settings dialog") << u"settings"_s << false;
    QTest::newRow("About box") << u"about"_s << true;
    QTest::newRow("picture chooser") << u"chooser"_s << true;
}

void TestWindowLooks::windows()
{
    QFETCH(QString, window);
    QFETCH(bool, fixedSize);
    Program program("10,\"山田\"\r\n");
    QWidget *shown = program.start();
    if (window == u"settings")
        shown = program.windows.showSettingsDialog();
    else if (window == u"about")
        shown = program.windows.showAbout();
    else if (window == u"chooser")
        shown = program.windows.showPictureChooser();
    QVERIFY(shown);
    QVERIFY(QTest::qWaitForWindowExposed(shown));

    if (fixedSize) {
        QCOMPARE(shown->minimumSize(), shown->maximumSize());
        QCOMPARE(shown->size(), shown->minimumSize());
    }

    const auto check = [](QWidget *widget, const QString &text, int room) {
        if (text.isEmpty())
            return;
        const int needed = widget->fontMetrics().horizontalAdvance(shownText(text));
        QVERIFY2(needed <= room, qPrintable(u"%1 \"%2\" needs %3 px, has %4"_s.arg(
                                     widget->objectName(), text).arg(needed).arg(room)));
        // Controls given a Japanese Windows font must get its stand-in here, not a substitute
        // of other metrics; the rest use the desktop's dialog font.
        const bool japanese = std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'\u3000'; });
        if (japanese && widget->font().families().contains(u"IPAPGothic"_s)) {
            const QString family = QFontInfo(widget->font()).family();
            QVERIFY2(family == u"IPAPGothic"_s || family == u"MS PGothic"_s
                         || family == u"ＭＳ Ｐゴシック"_s || family == u"IPA Pゴシック"_s,
                     qPrintable(widget->objectName() + u" shows Japanese in "_s + family));
        }
    };
    for (QLabel *label : shown->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->wordWrap())
            continue;
        check(label, label->text(), label->contentsRect().width());
    }
    for (QAbstractButton *button : shown->findChildren<QAbstractButton *>()) {
        if (button->isVisible())
            check(button, button->text(), button->width() - 4);
    }
    for (QGroupBox *frame : shown->findChildren<QGroupBox *>())
        check(frame, frame->title(), frame->width());
    QVERIFY(program.messages.isEmpty());
}

QTEST_MAIN(TestWindowLooks)
#include "tst_window_looks.moc"
