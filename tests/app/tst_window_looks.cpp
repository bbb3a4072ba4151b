#include <QFontInfo>
#include <QGroupBox>

#include <algorithm>
#include <cmath>

#include "support/program.h"

using namespace Qt::StringLiterals;

// Every window as a person sees it: fixed in size where it should be, Japanese in a Japanese
// font, and no caption cut off, at the device-pixel ratio the run is started with (the suite
// runs this at 1 and 2).
class TestWindowLooks : public QObject
{
    Q_OBJECT

private slots:
    void windows()
    {
        Program program("10,\"山田\"\r\n");
        const auto check = [](QWidget *widget, QString text, int room) {
            // What a caption shows: an access key's ampersand takes no room.
            text.replace(u"&&"_s, u"\x01"_s).remove(u'&').replace(u'\x01', u'&');
            const int needed = widget->fontMetrics().horizontalAdvance(text);
            QVERIFY2(needed <= room, qPrintable(u"%1 \"%2\" needs %3 px, has %4"_s.arg(
                                         widget->objectName(), text).arg(needed).arg(room)));
            // Controls given a Japanese Windows font must get its stand-in here, not a substitute
            // of other metrics; the rest use the desktop's dialog font.
            const bool japanese =
                std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'\u3000'; });
            if (japanese && widget->font().families().contains(u"IPAPGothic"_s)) {
                const QString family = QFontInfo(widget->font()).family();
                QVERIFY2(family == u"IPAPGothic"_s || family == u"MS PGothic"_s
                             || family == u"ＭＳ Ｐゴシック"_s || family == u"IPA Pゴシック"_s,
                         qPrintable(widget->objectName() + u" shows Japanese in "_s + family));
            }
        };
        // The settings dialog alone has an ordinary, sizable frame.
        const std::pair<QWidget *, bool> windows[] = {
            {program.start(), true}, {program.windows.showSettingsDialog(), false},
            {program.windows.showAbout(), true}, {program.windows.showPictureChooser(), true}};
        for (const auto &[shown, fixedSize] : windows) {
            QVERIFY(shown && QTest::qWaitForWindowExposed(shown));
            QVERIFY(!fixedSize || shown->minimumSize() == shown->maximumSize());
            for (QLabel *label : shown->findChildren<QLabel *>()) {
                if (label->isVisible() && !label->wordWrap())
                    check(label, label->text(), label->contentsRect().width());
            }
            for (QAbstractButton *button : shown->findChildren<QAbstractButton *>()) {
                if (button->isVisible())
                    check(button, button->text(), button->width() - 4);
            }
            for (QGroupBox *frame : shown->findChildren<QGroupBox *>())
                check(frame, frame->title(), frame->width());
        }
        QVERIFY(program.messages.isEmpty());
    }

    // Under a dark theme (Adwaita-dark's greys) the main window's labels stay readable: the
    // strongest contrast of their drawn text with the frame's grey reaches 4.5:1.
    void labelsFollowADarkPalette()
    {
        const QPalette before = QApplication::palette();
        QPalette dark = before;
        for (const auto &[role, colour] : {std::pair{QPalette::Window, QColor(0x35, 0x35, 0x35)},
                                           {QPalette::Button, QColor(0x35, 0x35, 0x35)},
                                           {QPalette::WindowText, QColor(0xee, 0xee, 0xee)},
                                           {QPalette::ButtonText, QColor(0xee, 0xee, 0xee)}})
            dark.setColor(role, colour);
        QApplication::setPalette(dark);
        Program program;
        MainWindow *main = program.start();
        QVERIFY(main && QTest::qWaitForWindowExposed(main));
        const auto luminance = [](QRgb rgb) {
            const auto linear = [](int c) {
                const double v = c / 255.0;
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
        };
        const double ground = luminance(QColor(0x35, 0x35, 0x35).rgb());
        for (const QString &name : {u"Label1"_s, u"Label2"_s, u"Label3"_s, u"Label4"_s, u"Label5"_s}) {
            auto *label = program.find<QLabel>(name);
            const QImage shown = label->parentWidget()->grab(label->geometry()).toImage();
            double contrast = 1;
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x) {
                    const double l = luminance(shown.pixel(x, y));
                    contrast = std::max(contrast, (std::max(l, ground) + 0.05) / (std::min(l, ground) + 0.05));
                }
            }
            QVERIFY2(contrast >= 4.5, qPrintable(u"%1: %2:1"_s.arg(name).arg(contrast)));
        }
        QApplication::setPalette(before);
    }
};

QTEST_MAIN(TestWindowLooks)
#include "tst_window_looks.moc"
