// Times the roster list fill, a register and a delete with their refills, against a plain loop
// that reads and decodes the same slots; reports the peak memory. Run it from a Release build:
// it works in a temporary folder and prints one line per figure.

#include <QApplication>
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
#include "widgets/message_box.h"

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

// A child run: start the program's main window, or an empty Qt main window, show it and end.
int startAndEnd(const QString &mode)
{
    ProgramState state;
    ProgramWindows windows(state);
    QMainWindow empty;
    if (mode == u"--start-program")
        windows.showMainWindow();
    else
        empty.show();
    QCoreApplication::processEvents();
    return 0;
}

double startUpMilliseconds(const QString &mode)
{
    return medianMilliseconds([&] {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {mode});
        child.waitForFinished();
    });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 2)
        return startAndEnd(QString::fromLocal8Bit(argv[1]));
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

    // Register and delete at 32767, each with its refill.
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
    std::printf("Peak memory: %.1f MB\n", double(peakKilobytes()) / 1024.0);
    // The child runs start in this folder, so they find the same full roster.
    for (int count : {32767, 10}) {
        writeSettings(count);
        std::printf("Start-up to the first shown window (MaxEntries %d, full roster): program"
                    " %.1f ms, empty Qt main window %.1f ms\n",
                    count, startUpMilliseconds(QStringLiteral("--start-program")),
                    startUpMilliseconds(QStringLiteral("--start-empty")));
    }
    return 0;
}
