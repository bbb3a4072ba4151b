#include "tool/print_command.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <cstring>

#include "printing/postal_code_check.h"
#include "printing/postcard_layout.h"
#include "printing/printing_texts.h"
#include "printing/roster_sheet.h"
#include "roster/roster_file.h"
#include "roster/roster_file_texts.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "tool/console.h"
#include "tool/tool_texts.h"

using namespace Qt::StringLiterals;

using Console::refuse;

namespace {

std::optional<std::int32_t> slotNumber(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < RosterFile::firstSlot || value > RosterFile::lastSlot)
        return std::nullopt;
    return value;
}

} // namespace

std::unique_ptr<QCoreApplication> makeToolApplication(int &argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "print") == 0) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

void addPrintOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        u"名簿 meibo.dat の項目を、はがきの宛名面 (hagaki) か名簿の表 (meibo) として PDF "
        u"に書き出します。差出人は設定の名前と insatsu.ini から。"_s);
    parser.addPositionalArgument(u"WHAT"_s, u"hagaki か meibo"_s);
    parser.addOptions({
        {u"output"_s, u"書き出す PDF ファイル"_s, u"FILE"_s},
        {u"from"_s, u"この番号から"_s, u"N"_s},
        {u"to"_s, u"この番号まで"_s, u"M"_s},
        {u"order"_s, u"yomi (あいうえお順) か number (番号順, 既定)"_s, u"ORDER"_s, u"number"_s},
        {u"honorific"_s, u"様, 殿 か 御中 (既定は insatsu.ini の敬称)"_s, u"HONORIFIC"_s},
    });
}

std::optional<PrintOptions> printOptions(const QCommandLineParser &parser, QString *problem)
{
    PrintOptions options;
    const QStringList what = parser.positionalArguments();
    if (what.size() != 1 || (what.first() != u"hagaki"_s && what.first() != u"meibo"_s)) {
        *problem = u"hagaki か meibo を一つ指定してください。"_s;
        return std::nullopt;
    }
    options.kind = what.first() == u"hagaki"_s ? PrintKind::Postcards : PrintKind::Roster;
    options.output = parser.value(u"output"_s);
    if (options.output.isEmpty()) {
        *problem = u"--output で PDF ファイルを指定してください。"_s;
        return std::nullopt;
    }
    if (parser.isSet(u"from"_s) || parser.isSet(u"to"_s)) {
        const std::optional<std::int32_t> from =
            parser.isSet(u"from"_s) ? slotNumber(parser.value(u"from"_s)) : RosterFile::firstSlot;
        const std::optional<std::int32_t> to =
            parser.isSet(u"to"_s) ? slotNumber(parser.value(u"to"_s)) : RosterFile::lastSlot;
        if (!from || !to || *from > *to) {
            *problem = u"--from と --to は 1 から 32767 までの番号で、--from が --to 以下です。"_s;
            return std::nullopt;
        }
        options.choice.which = PrintChoice::Which::Range;
        options.choice.from = *from;
        options.choice.to = *to;
    }
    const QString order = parser.value(u"order"_s);
    if (order != u"yomi"_s && order != u"number"_s) {
        *problem = u"--order は yomi か number です。"_s;
        return std::nullopt;
    }
    options.choice.order = order == u"yomi"_s ? PrintOrder::Yomi : PrintOrder::Number;
    if (parser.isSet(u"honorific"_s)) {
        Honorific honorific = Honorific::Sama;
        if (!honorificFromText(parser.value(u"honorific"_s), &honorific)) {
            *problem = u"--honorific は 様, 殿 か 御中 です。"_s;
            return std::nullopt;
        }
        options.honorific = honorific;
    }
    return options;
}

int printRoster(const PrintOptions &options)
{
    if (!QFileInfo::exists(RosterFile::fileName()))
        return refuse(ToolTexts::noRoster(QDir::currentPath()));
    QString reason;
    const std::optional<QList<ExchangeEntry>> roster = readRosterForPrinting(&reason);
    if (!roster)
        return refuse(RosterFileTexts::cannotRead(reason));
    SettingsValues settings;
    ReadSettingsFile(settings);
    const QList<PrintEntry> entries =
        chooseEntries(*roster, options.choice, knownReadings());
    const QString output = QDir::toNativeSeparators(options.output);
    QTextStream out(stdout);
    if (options.kind == PrintKind::Roster) {
        const RosterSheetOptions sheet{PrintingTexts::rosterTitle(settings.OwnerName),
                                       PrintingSettingsFile::read().pictures};
        if (!writeRosterSheetPdf(options.output, entries, sheet, &reason))
            return refuse(PrintingTexts::cannotWritePdf(output, reason));
        out << u"%1 件 (%2 ページ) を %3 に書きました。"_s.arg(entries.size())
                   .arg(rosterSheetPages(entries.size(), sheet))
                   .arg(output)
            << Qt::endl;
        return 0;
    }
    const QList<PrintEntry> postcards = postcardEntries(entries);
    if (postcards.isEmpty())
        return refuse(PrintingTexts::nothingToPrint());
    PostalCodeDirectory directory;
    directory.load();
    for (const PostalCodeWarning &warning : checkPostalCodes(postcards, directory))
        QTextStream(stderr) << PrintingTexts::warning(warning) << Qt::endl;
    PostcardOptions postcard{PrintingSettingsFile::read(), settings.OwnerName};
    if (options.honorific)
        postcard.settings.honorific = *options.honorific;
    if (!writePostcardsPdf(options.output, postcards, postcard, &reason))
        return refuse(PrintingTexts::cannotWritePdf(output, reason));
    out << u"はがき %1 枚を %2 に書きました。"_s.arg(postcards.size()).arg(output) << Qt::endl;
    return 0;
}
