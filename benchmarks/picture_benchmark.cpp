// Memory of showing an 11000 x 11000 JPEG: the peak while it loads and what the whole program
// keeps while it is shown, in the main window's picture box and through the chooser's preview
// and hand-over. Each showing runs in a child process of its own, so that making the JPEG or
// another showing does not count. Run it from a Release build; it prints one line per figure.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>

#include "app/program_state.h"
#include "app/program_windows.h"
#include "main_window/main_window.h"
#include "picture_chooser/picture_chooser_window.h"
#include "roster/meibo_record.h"
#include "widgets/message_box.h"

namespace {

constexpr int side = 11000;

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// A grey gradient with a few bands: real pixels, and at low quality a file of about 1.4 MB.
int makeJpeg(const QString &path)
{
    QImage picture(side, side, QImage::Format_Grayscale8);
    for (int y = 0; y < side; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < side; ++x)
            line[x] = uchar((x / 43 + y / 97) * 7 % 256);
    }
    QImageWriter writer(path, "jpeg");
    writer.setQuality(10);
    return writer.write(picture) ? 0 : 1;
}

// What the event loop would have done by now: painting, and deleting the windows that closed.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The JPEG stored as the picture of entry 1, shown by choosing that line.
void showInMainWindow(ProgramWindows &windows, const QString &path)
{
    QFile roster(QStringLiteral("meibo.dat"));
    roster.open(QIODevice::WriteOnly | QIODevice::Truncate);
    MeiboRecord entry;
    entry.set(MeiboRecord::Field::Namae, QStringLiteral("Picture"));
    entry.set(MeiboRecord::Field::PicturePath, path);
    roster.write(entry.toBytes());
    roster.close();
    MainWindow *window = windows.showMainWindow();
    settle();
    auto *list = window->findChild<QListView *>(QStringLiteral("List1"));
    list->setCurrentIndex(list->model()->index(0, 0));
}

// The JPEG clicked in the chooser's file box, previewed, and handed over with 選択.
void showThroughChooser(ProgramWindows &windows, const QString &path)
{
    windows.showMainWindow();
    PictureChooserWindow *chooser = windows.showPictureChooser();
    settle();
    auto *files = chooser->findChild<QListWidget *>(QStringLiteral("File1"));
    files->setCurrentItem(files->findItems(QFileInfo(path).fileName(), Qt::MatchExactly).first());
    settle();
    chooser->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
}

int showAndMeasure(const QString &mode, const QString &path)
{
    replaceMessageSink([](QWidget *, const QString &text) {
        std::fprintf(stderr, "message: %s\n", qUtf8Printable(text));
    });
    ProgramState state;
    ProgramWindows windows(state);
    if (mode == u"--main-window")
        showInMainWindow(windows, path);
    else
        showThroughChooser(windows, path);
    settle();
    const bool shown =
        !windows.mainWindow()->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull();
    std::printf("%ld %ld %d\n", peakKilobytes(), residentKilobytes(), int(shown));
    return 0;
}

void reportShowing(const QString &folder, const QString &mode, const QString &path,
                   const char *where)
{
    QProcess child;
    child.setWorkingDirectory(folder);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {mode, path});
    child.waitForFinished(-1);
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    if (figures.size() != 3 || figures[2] != "1") {
        std::printf("%s: the picture was not shown\n", where);
        return;
    }
    std::printf("%s: peak %.1f MB, kept while shown %.1f MB (whole program)\n", where,
                figures[0].toDouble() / 1024.0, figures[1].toDouble() / 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--make-jpeg")
        return makeJpeg(QString::fromLocal8Bit(argv[2]));
    if (argc == 3)
        return showAndMeasure(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));

    QTemporaryDir dir;
    const QString jpeg = dir.filePath(QStringLiteral("big.jpg"));
    if (QProcess::execute(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("--make-jpeg"), jpeg})
        != 0) {
        std::printf("Could not make the %d x %d JPEG\n", side, side);
        return 1;
    }
    QFile settings(dir.filePath(QStringLiteral("settei.ini")));
    settings.open(QIODevice::WriteOnly);
    settings.write("10,\"\"\r\n");
    settings.close();
    std::printf("JPEG of %d x %d pixels, %.1f MB\n", side, side,
                double(QFileInfo(jpeg).size()) / (1024.0 * 1024.0));
    reportShowing(dir.path(), QStringLiteral("--main-window"), jpeg, "Main window picture box");
    reportShowing(dir.path(), QStringLiteral("--chooser"), jpeg,
                  "Chooser preview and hand-over");
    return 0;
}
