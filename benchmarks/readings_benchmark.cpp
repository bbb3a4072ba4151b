// Times the window Yomi on a full roster of 32767 slotCount, half of them with a confirmed reading
// and half left to the guesser: opening it, each keystroke of the search, re-sorting; reports
// the peak memory it adds to the main window's. Run it from a Release build on a real X server.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

#include "app/program_state.h"
#include "app/program_windows.h"
#include "main_window/main_window.h"
#include "readings/yomi.h"
#include "roster/meibo_record.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "widgets/message_box.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int slotCount = 32767;

// Family and given names with their readings, combined into many different people.
void writeRosterAndReadings()
{
    const QStringList family = {u"佐藤"_s, u"鈴木"_s, u"高橋"_s,   u"田中"_s, u"伊藤"_s,
                                u"渡辺"_s, u"山本"_s, u"中村"_s,   u"小林"_s, u"加藤"_s,
                                u"吉田"_s, u"山田"_s, u"佐々木"_s, u"山口"_s, u"松本"_s,
                                u"井上"_s, u"木村"_s, u"林"_s,     u"斎藤"_s, u"清水"_s};
    const QStringList familyReading = {u"さとう"_s,   u"すずき"_s,   u"たかはし"_s, u"たなか"_s,
                                       u"いとう"_s,   u"わたなべ"_s, u"やまもと"_s, u"なかむら"_s,
                                       u"こばやし"_s, u"かとう"_s,   u"よしだ"_s,   u"やまだ"_s,
                                       u"ささき"_s,   u"やまぐち"_s, u"まつもと"_s, u"いのうえ"_s,
                                       u"きむら"_s,   u"はやし"_s,   u"さいとう"_s, u"しみず"_s};
    const QStringList given = {u"太郎"_s, u"花子"_s, u"一郎"_s, u"美咲"_s, u"健"_s,
                               u"大輔"_s, u"直樹"_s, u"陽子"_s, u"誠"_s,   u"恵"_s,
                               u"翔太"_s, u"愛"_s,   u"拓也"_s};
    const QStringList givenReading = {u"たろう"_s, u"はなこ"_s,   u"いちろう"_s, u"みさき"_s,
                                      u"けん"_s,   u"だいすけ"_s, u"なおき"_s,   u"ようこ"_s,
                                      u"まこと"_s, u"めぐみ"_s,   u"しょうた"_s, u"あい"_s,
                                      u"たくや"_s};
    QByteArray roster;
    QByteArray readings;
    for (int n = 1; n <= slotCount; ++n) {
        const qsizetype f = (n * 7) % family.size();
        const qsizetype g = (n * 11 / 3) % given.size();
        const QString name = family.at(f) + u' ' + given.at(g);
        MeiboRecord record;
        record.set(MeiboRecord::Field::Namae, name);
        record.set(MeiboRecord::Field::Mail, QStringLiteral("person%1@example.jp").arg(n));
        record.set(MeiboRecord::Field::Tell,
                   QStringLiteral("090-%1-%2").arg(n % 10000, 4, 10, QLatin1Char('0')).arg(n));
        roster += record.toBytes();
        if (n % 2 == 0)
            readings += QByteArray::number(n) + '\t' + name.toUtf8() + '\t' +
                        (familyReading.at(f) + u' ' + givenReading.at(g)).toUtf8() + '\n';
    }
    QFile file(QStringLiteral("meibo.dat"));
    file.open(QIODevice::WriteOnly);
    file.write(roster);
    QFile side(QStringLiteral("yomi.txt"));
    side.open(QIODevice::WriteOnly);
    side.write(readings);
}

long peakKilobytes()
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

void waitUntilShown(QWidget *window)
{
    while (!window->windowHandle() || !window->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QCoreApplication::processEvents();
}

// This thread's processor time in milliseconds: on a machine shared with other work, the
// figure that the load of others does not change.
double processorMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Timing
{
    double wall = 0;
    double processor = 0;
};

// The work and the repaint it causes.
template <typename Work> Timing timed(Work work)
{
    QElapsedTimer timer;
    timer.start();
    const double start = processorMilliseconds();
    work();
    QCoreApplication::processEvents();
    return {double(timer.nsecsElapsed()) / 1e6, processorMilliseconds() - start};
}

Timing slowest(Timing a, Timing b)
{
    return {std::max(a.wall, b.wall), std::max(a.processor, b.processor)};
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    replaceMessageSink([](QWidget *, const QString &) {});
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    writeRosterAndReadings();
    SettingsValues values;
    values.MaxEntries = slotCount;
    WriteSettingsFile(values);

    ProgramState state;
    ProgramWindows windows(state);
    waitUntilShown(windows.showMainWindow());
    const long mainPeak = peakKilobytes();

    std::vector<double> wall;
    std::vector<double> processor;
    for (int round = 0; round < 5; ++round) {
        const Timing opening = timed([&] { waitUntilShown(windows.showYomi()); });
        wall.push_back(opening.wall);
        processor.push_back(opening.processor);
        if (round < 4) {
            windows.yomi()->close();
            QCoreApplication::processEvents();
        }
    }
    std::sort(wall.begin(), wall.end());
    std::sort(processor.begin(), processor.end());
    std::printf("Yomi opened, guesses included: median %.1f ms (processor %.1f ms)\n",
                wall[wall.size() / 2], processor[processor.size() / 2]);

    Yomi *yomi = windows.yomi();
    auto *search = yomi->findChild<QLineEdit *>(QStringLiteral("searchBox"));
    for (const QString &typed : {u"tanaka"_s, u"たなか"_s, u"090-12"_s, u"example"_s}) {
        Timing worst;
        search->clear();
        QCoreApplication::processEvents();
        for (qsizetype length = 1; length <= typed.size(); ++length)
            worst = slowest(worst, timed([&] { search->setText(typed.first(length)); }));
        std::printf("search %s: slowest keystroke %.2f ms (processor %.2f ms)\n", qPrintable(typed),
                    worst.wall, worst.processor);
    }
    const Timing clearing = timed([&] { search->clear(); });
    std::printf("search emptied, every row back: %.2f ms (processor %.2f ms)\n", clearing.wall,
                clearing.processor);

    QHeaderView *header =
        yomi->findChild<QTableView *>(QStringLiteral("entryTable"))->horizontalHeader();
    Timing byNumber;
    Timing byReading;
    for (int round = 0; round < 5; ++round) {
        byNumber = slowest(byNumber, timed([&] { emit header->sectionClicked(0); }));
        byReading = slowest(byReading, timed([&] { emit header->sectionClicked(2); }));
    }
    std::printf("re-sorting, slowest of 5: by number %.2f ms (processor %.2f ms), by reading "
                "%.2f ms (processor %.2f ms)\n",
                byNumber.wall, byNumber.processor, byReading.wall, byReading.processor);
    std::printf("peak memory: main window %ld kB, with Yomi %ld kB (+%.1f MB)\n", mainPeak,
                peakKilobytes(), double(peakKilobytes() - mainPeak) / 1024.0);
    return 0;
}
