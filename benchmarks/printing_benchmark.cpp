// Times the printing: 1,000 postcards into a PDF file, a roster of 32767 entries into one with
// the peak memory of that run alone, and the printing window's preview of its first page.
// Run it from a Release build: it works in a temporary folder and prints one line per figure.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

#include <sys/resource.h>

#include "printing/postal_code_check.h"
#include "printing/postcard_layout.h"
#include "printing/print_window.h"
#include "printing/roster_sheet.h"
#include "roster/meibo_record.h"
#include "settings/settings_values.h"

namespace {

using namespace Qt::StringLiterals;

ExchangeEntry entry(int n)
{
    ExchangeEntry entry;
    entry.number = n;
    entry.name = u"山田 太郎%1"_s.arg(n);
    entry.tell = u"03-1234-%1"_s.arg(n % 10000, 4, 10, QChar(u'0'));
    entry.mail = u"taro%1@example.jp"_s.arg(n);
    entry.memo = u"〒100-0001 東京都千代田区千代田%1-2-3\nグランドメゾン千代田%2号"_s.arg(n % 50).arg(n % 900);
    return entry;
}

QList<PrintEntry> entries(int count)
{
    QList<PrintEntry> out;
    for (int n = 1; n <= count; ++n)
        out.append({entry(n), {}});
    return out;
}

double seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// The 名簿 alone in this process, so that its peak memory is its own.
int rosterRun()
{
    QElapsedTimer timer;
    timer.start();
    QString reason;
    const bool written = writeRosterSheetPdf(u"meibo.pdf"_s, entries(32767),
                                             {u"山田のアドレス帳"_s, false}, &reason);
    std::printf("名簿 of 32767 entries to PDF: %.2f s (limit 20 s), %.1f MB of PDF, peak memory "
                "%.1f MB (limit 300 MB)%s\n",
                seconds(timer), double(QFileInfo(u"meibo.pdf"_s).size()) / 1e6, peakMegabytes(),
                written ? "" : " FAILED");
    return written ? 0 : 1;
}

void writeRoster(int count)
{
    QFile file(u"meibo.dat"_s);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (int n = 1; n <= count; ++n) {
        const ExchangeEntry each = entry(n);
        MeiboRecord record;
        record.set(MeiboRecord::Field::Namae, each.name);
        record.set(MeiboRecord::Field::Tell, each.tell);
        record.set(MeiboRecord::Field::Memo, QString(each.memo).replace(u'\n', u"\r\n"_s));
        file.write(record.toBytes());
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    if (argc > 1 && std::strcmp(argv[1], "roster") == 0)
        return rosterRun();

    QElapsedTimer timer;
    timer.start();
    QString reason;
    const bool written = writePostcardsPdf(u"hagaki.pdf"_s, entries(1000),
                                           {PrintingSettings(), u"高橋 一郎"_s}, &reason);
    std::printf("1000 postcards to PDF: %.2f s (limit 5 s), %.1f MB of PDF%s\n", seconds(timer),
                double(QFileInfo(u"hagaki.pdf"_s).size()) / 1e6, written ? "" : " FAILED");
    std::fflush(stdout);

    std::fflush(stdout);
    {
        timer.restart();
        PostalCodeDirectory directory;
        directory.load();
        const double loading = seconds(timer) * 1000;
        timer.restart();
        const qsizetype warnings = checkPostalCodes(entries(32767), directory).size();
        std::printf("Postal codes: directory read in %.0f ms, 32767 entries checked in %.0f ms "
                    "(%lld warnings)\n",
                    loading, seconds(timer) * 1000, static_cast<long long>(warnings));
        std::fflush(stdout);
    }

    QProcess roster;
    roster.setProcessChannelMode(QProcess::ForwardedChannels);
    roster.start(QCoreApplication::applicationFilePath(), {u"roster"_s});
    roster.waitForFinished(-1);

    // From opening the window on a full roster to its first page drawn.
    writeRoster(32767);
    const SettingsValues settings{32767, u"山田"_s};
    for (const PrintKind kind : {PrintKind::Postcards, PrintKind::Roster}) {
        timer.restart();
        PrintWindow window(kind, settings, {}, {});
        window.show();
        auto *preview = window.findChild<QPrintPreviewWidget *>(u"preview"_s);
        while (preview->pageCount() == 0)
            QCoreApplication::processEvents();
        std::printf("Preview of the first page, %s of 32767 entries: %.0f ms (limit 300 ms)\n",
                    kind == PrintKind::Postcards ? "postcards" : "名簿", seconds(timer) * 1000);
    }
    return written && roster.exitCode() == 0 ? 0 : 1;
}
