// Times the roster list fill, a register and a delete with their refills, against a plain loop
// that reads and decodes the same slots; reports the peak memory. Run it from a Release build:
// it works in a temporary folder and prints one line per figure.

#include <QApplication>
#include <QLabel>
#include <QWindow>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/resource.h>

#include "app/program_state.h"
#include "app/program_windows.h"
#include "main_window/main_window.h"
#include "roster/meibo_record.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "widgets/japanese_font.h"
#include "widgets/message_box.h"
#include "widgets/twips.h"

namespace {

constexpr int rounds = 7;

double medianMilliseconds(const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Every slot filled, with Japanese names so that the decoder does real work.
void writeFullRoster()
{
    QFile file(QStringLiteral("meibo.dat"));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QByteArray all;
    all.reserve(32767 * MeiboRecord::byteSize);
    for (int n = 1; n <= 32767; ++n) {
        MeiboRecord record;
        record.set(MeiboRecord::Field::Namae, QStringLiteral(u"山田太郎%1").arg(n));
        record.set(MeiboRecord::Field::Mail, QStringLiteral("taro%1@example.org").arg(n));
        record.set(MeiboRecord::Field::Memo, QStringLiteral(u"東京都千代田区\r\n%1").arg(n));
        all += record.toBytes();
    }
    file.write(all);
}

void writeSettings(int maxEntries)
{
    SettingsValues values;
    values.MaxEntries = std::int16_t(maxEntries);
    values.OwnerName = QStringLiteral(u"ベンチ");
    WriteSettingsFile(values);
}

// What any reader of the roster has to do: read the slots and decode them.
void plainLoop(int count)
{
    QFile file(QStringLiteral("meibo.dat"));
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.read(qint64(count) * MeiboRecord::byteSize);
    QStringList lines;
    lines.reserve(count);
    for (int n = 0; n < count; ++n) {
        const QByteArrayView slot(bytes.constData() + qsizetype(n) * MeiboRecord::byteSize,
                                  MeiboRecord::byteSize);
        lines.append(QString::number(n + 1) + MeiboRecord::namaeFromBytes(slot));
    }
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The whole program's peak memory so far, as the system counts it.
long peakKilobytesOfProcess()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// A child run in the given folder: the program's main window, an empty Qt main window, or the
// floor: a window of the main window's size showing one line of Japanese in the program's
// Japanese font. It ends once the window is on the screen and prints its peak memory.
int startAndEnd(const QString &mode, const QString &folder)
{
    QDir::setCurrent(folder);
    ProgramState state;
    ProgramWindows windows(state);
    QMainWindow empty;
    QLabel floor(QStringLiteral(u"山田太郎のアドレス帳"));
    QWidget *shown = &empty;
    if (mode == u"--start-program") {
        shown = windows.showMainWindow();
    } else if (mode == u"--start-floor") {
        floor.setFont(japaneseGothicFont(9));
        floor.setFixedSize(twipsToPixels(8595), twipsToPixels(5190));
        floor.show();
        shown = &floor;
    } else {
        empty.show();
    }
    while (!shown->windowHandle() || !shown->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    std::printf("%ld\n", peakKilobytesOfProcess());
    return 0;
}

struct StartUp
{
    std::vector<double> milliseconds;
    std::vector<long> peakKilobytes;
};

// Every kind of start once per round, in turn, so that the machine's load falls on all alike.
std::vector<StartUp> startUps(const std::vector<std::pair<QString, QString>> &runs)
{
    std::vector<StartUp> results(runs.size());
    for (int round = 0; round < rounds * 3; ++round) {
        for (std::size_t i = 0; i < runs.size(); ++i) {
            QElapsedTimer timer;
            timer.start();
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {runs[i].first, runs[i].second});
            child.waitForFinished();
            results[i].milliseconds.push_back(double(timer.nsecsElapsed()) / 1e6);
            results[i].peakKilobytes.push_back(child.readAllStandardOutput().trimmed().toLong());
        }
    }
    return results;
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 3)
        return startAndEnd(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    // The delete confirmation has no one to press OK here.
    replaceMessageSink([](QWidget *, const QString &) {});
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    writeFullRoster();

    for (int count : {10, 1000, 32767}) {
        writeSettings(count);
        const double fill = medianMilliseconds([] {
            ProgramState state;
            ProgramWindows windows(state);
            windows.loadMainWindow();
        });
        const double plain = medianMilliseconds([count] { plainLoop(count); });
        std::printf("MaxEntries %5d: load with fill %7.2f ms, plain read and decode %7.2f ms"
                    " (ratio %.2f)\n",
                    count, fill, plain, fill / plain);
    }

    // Register and delete at 32767, each with its refill; the program ends before the start-ups,
    // which would otherwise find its roster locked.
    {
    ProgramState state;
    ProgramWindows windows(state);
    MainWindow *window = windows.showMainWindow();
    auto *number = window->findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *name = window->findChild<QLineEdit *>(QStringLiteral("Namae"));
    auto *registerButton = window->findChild<QPushButton *>(QStringLiteral("Command1"));
    auto *deleteButton = window->findChild<QPushButton *>(QStringLiteral("Command4"));
    const double registering = medianMilliseconds([&] {
        number->setText(QStringLiteral("32767"));
        name->setText(QStringLiteral(u"鈴木花子"));
        registerButton->click();
    });
    const double deleting = medianMilliseconds([&] {
        number->setText(QStringLiteral("32766"));
        deleteButton->click();
    });
    std::printf("At 32767: register with refill %.2f ms, delete with refill %.2f ms\n",
                registering, deleting);
    }
    std::printf("Peak memory: %.1f MB\n", double(peakKilobytes()) / 1024.0);
    // Start-up to the first shown window, against the floor and an empty window, with ten
    // entries and with all 32767 slots filled and listed, in one interleaved run.
    QTemporaryDir small;
    QFile full(dir.filePath(QStringLiteral("meibo.dat")));
    full.open(QIODevice::ReadOnly);
    QFile tenEntries(small.filePath(QStringLiteral("meibo.dat")));
    tenEntries.open(QIODevice::WriteOnly);
    tenEntries.write(full.read(10 * MeiboRecord::byteSize));
    tenEntries.close();
    QDir::setCurrent(small.path());
    writeSettings(10);
    QDir::setCurrent(dir.path());
    writeSettings(32767);
    const std::vector<StartUp> starts = startUps({{QStringLiteral("--start-empty"), dir.path()},
                                                  {QStringLiteral("--start-floor"), dir.path()},
                                                  {QStringLiteral("--start-program"), small.path()},
                                                  {QStringLiteral("--start-program"), dir.path()}});
    const double empty = median(starts[0].milliseconds);
    const double floor = median(starts[1].milliseconds);
    const double ten = median(starts[2].milliseconds);
    const double all = median(starts[3].milliseconds);
    std::printf("Start-up to the first shown window: empty window %.1f ms, floor (one line of"
                " Japanese) %.1f ms, 10 entries %.1f ms (%.2f x the floor), 32767 entries %.1f ms"
                " (%.2f x 10 entries)\n",
                empty, floor, ten, ten / floor, all, all / ten);
    const long tenPeak = median(starts[2].peakKilobytes);
    const long allPeak = median(starts[3].peakKilobytes);
    std::printf("Peak memory of a start: 10 entries %.1f MB, 32767 entries %.1f MB (%.1f MB more)\n",
                tenPeak / 1024.0, allPeak / 1024.0, (allPeak - tenPeak) / 1024.0);
    return 0;
}
