#include <QFontInfo>
#include <QGroupBox>

#include <algorithm>

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

    // Under a dark theme (Adwaita-dark's grey) the main window's labels reach a contrast of 4.5:1.
    void labelsFollowADarkPalette()
    {
        const QPalette before = QApplication::palette();
        QApplication::setPalette(QPalette(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35)));
        Program program;
        QVERIFY(program.start() && QTest::qWaitForWindowExposed(program.windows.mainWindow()));
        for (const QString &name : {u"Label1"_s, u"Label2"_s, u"Label3"_s, u"Label4"_s, u"Label5"_s}) {
            auto *label = program.find<QLabel>(name);
            const QImage shown = label->parentWidget()->grab(label->geometry()).toImage();
            int lightest = 0; // grey 160 on grey 0x35 is 4.7:1
            for (int at = 0; at < shown.width() * shown.height(); ++at)
                lightest = std::max(lightest, qGray(shown.pixel(at % shown.width(), at / shown.width())));
            QVERIFY2(lightest >= 160, qPrintable(name + u" at most %1"_s.arg(lightest)));
        }
        QApplication::setPalette(before);
    }
};

QTEST_MAIN(TestWindowLooks)
#include "tst_window_looks.moc"
