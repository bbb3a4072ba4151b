#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QTextStream>

#include <optional>

#include "application_identity.h"
#include "platform/file_size_limit.h"
#include "platform/standard_descriptors.h"
#include "platform/user_data_folder.h"
#include "tool/command_line.h"
#include "tool/reading_commands.h"
#include "tool/print_command.h"
#include "tool/tool_commands.h"
#include "tool/tool_texts.h"

using namespace Qt::StringLiterals;
using namespace CommandLine;

namespace {

int runExport(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"名簿 meibo.dat の空でない項目を、番号の順に書き出します。名簿は変えません。"_s);
    const QCommandLineOption format(u"format"_s,
                                    u"vcard (vCard 3.0, 既定), vcard4, vcard21 (携帯電話の "
                                    u"Shift-JIS), csv (Google コンタクト, Thunderbird)"_s,
                                    u"形式"_s, u"vcard"_s);
    const QCommandLineOption photos(u"photos"_s, u"読み込める画像を vCard に埋め込む"_s);
    const QCommandLineOption output(u"output"_s, u"標準出力の代わりに書くファイル"_s,
                                    u"ファイル"_s);
    const QCommandLineOption outputDirectory(
        u"output-dir"_s, u"一件ずつ UID を名前にした .vcf ファイルを書くフォルダ (vCard のみ)"_s,
        u"フォルダ"_s);
    const QCommandLineOption guessedReadings(
        u"guessed-readings"_s, u"よみが登録されていない項目には推定したよみを書き出す"_s);
    parser.addOptions({format, photos, output, outputDirectory, guessedReadings});
    if (const std::optional<int> status = parse(parser, arguments))
        return *status;
    static const QHash<QString, ExportFormat> formats = {{u"vcard"_s, ExportFormat::VCard30},
                                                         {u"vcard4"_s, ExportFormat::VCard40},
                                                         {u"vcard21"_s, ExportFormat::VCard21},
                                                         {u"csv"_s, ExportFormat::Csv}};
    const QString formatName = parser.value(format);
    if (!formats.contains(formatName) || !parser.positionalArguments().isEmpty())
        return usageError(u"形式は vcard, vcard4, vcard21, csv のどれかです。"_s,
                          helpText(parser, arguments));
    if (parser.isSet(outputDirectory) && (parser.isSet(output) || formatName == u"csv"_s))
        return usageError(u"--output-dir は vCard の形式でだけ、--output なしで使えます。"_s,
                          helpText(parser, arguments));
    return exportRoster({formats.value(formatName), parser.isSet(photos), parser.value(output),
                         parser.value(outputDirectory), parser.isSet(guessedReadings)});
}

int runImport(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"vCard (2.1, 3.0, 4.0) か CSV の連絡先を名簿 meibo.dat に読み込みます。"
        u"--apply がなければ、どの番号に入り何が失われるかを示すだけです。"_s);
    const QCommandLineOption apply(
        u"apply"_s, u"名簿に書き込む (元の名簿を meibo.dat.日付-時刻.bak に控える)"_s);
    const QCommandLineOption replace(u"replace"_s, u"番号の項目が空でなくても上書きする"_s);
    parser.addOptions({apply, replace});
    parser.addPositionalArgument(u"FILE"_s, u"読み込む vCard か CSV のファイル"_s);
    if (const std::optional<int> status = parse(parser, arguments))
        return *status;
    if (parser.positionalArguments().size() != 1)
        return usageError(u"読み込むファイルを一つ指定してください。"_s,
                          helpText(parser, arguments));
    return importContacts(
        {parser.positionalArguments().first(), parser.isSet(apply), parser.isSet(replace)});
}

int runRestore(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"名簿の控え (meibo.dat.日付-時刻.bak) を名簿 meibo.dat に戻します。"
        u"--apply がなければ、何が戻るかを示すだけです。"_s);
    const QCommandLineOption apply(u"apply"_s, u"名簿を戻す (今の名簿も先に控える)"_s);
    parser.addOption(apply);
    parser.addPositionalArgument(u"BACKUP"_s, u"戻す控えのファイル"_s);
    if (const std::optional<int> status = parse(parser, arguments))
        return *status;
    if (parser.positionalArguments().size() != 1)
        return usageError(u"戻す控えを一つ指定してください。"_s, helpText(parser, arguments));
    return restoreRoster({parser.positionalArguments().first(), parser.isSet(apply)});
}

int runPrint(const QStringList &arguments)
{
    QCommandLineParser parser;
    addPrintOptions(parser);
    if (const std::optional<int> status = parse(parser, arguments))
        return *status;
    QString problem;
    const std::optional<PrintOptions> options = printOptions(parser, &problem);
    if (!options)
        return usageError(problem, helpText(parser, arguments));
    return printRoster(*options);
}

} // namespace

int main(int argc, char *argv[])
{
    // Before any file is opened, so that none takes the place of a standard stream.
    openMissingStandardDescriptors();
    useBinaryStandardStreams();
    letFileSizeLimitFailWrites();
    const std::unique_ptr<QCoreApplication> application = makeToolApplication(argc, argv);
    QCoreApplication &app = *application;
    QCoreApplication::setApplicationName(u"vedrin-tool"_s);
    QCoreApplication::setApplicationVersion(ApplicationIdentity::version());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Vedrin の名簿 meibo.dat を vCard や CSV に書き出し、読み込みます。\n\n"
        u"コマンド:\n  export   名簿を書き出す\n  import   連絡先を名簿に読み込む\n"
        u"  restore  名簿の控えを名簿に戻す\n  list     項目を五十音順か番号順に示す\n"
        u"  yomi     よみを登録する\n"
        u"  print    はがきの宛名か名簿を PDF に書き出す\n\n"
        u"各コマンドの使い方は vedrin-tool COMMAND --help で。"_s);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption folder(u"folder"_s, u"今のフォルダの代わりに使うフォルダ"_s,
                                    u"DIR"_s);
    const QCommandLineOption userDataFolder(
        u"user-data-folder"_s, u"メニューから起動した Vedrin のデータフォルダ (%1) を使う"_s.arg(
                                   QDir::toNativeSeparators(UserDataFolder::path())));
    parser.addOptions({folder, userDataFolder});
    parser.addVersionOption();
    parser.addPositionalArgument(u"COMMAND"_s, u"export, import, restore, list, yomi か print"_s);
    QStringList arguments = app.arguments();
    arguments.first() = u"vedrin-tool"_s;
    if (const std::optional<int> status = parse(parser, arguments))
        return *status;
    if (parser.isSet(u"version"_s)) {
        QTextStream(stdout) << u"vedrin-tool "_s << QCoreApplication::applicationVersion() << u'\n';
        return 0;
    }
    QStringList rest = parser.positionalArguments();
    if (rest.isEmpty())
        return usageError(u"コマンドを指定してください。"_s, helpText(parser, arguments));
    if (parser.isSet(folder) && parser.isSet(userDataFolder))
        return usageError(u"--folder と --user-data-folder は一緒に使えません。"_s, helpText(parser, arguments));

    const QString command = rest.takeFirst();
    const QHash<QString, int (*)(const QStringList &)> commands = {
        {u"export"_s, runExport}, {u"import"_s, runImport}, {u"restore"_s, runRestore},
        {u"list"_s, runList},     {u"yomi"_s, runYomi},
        {u"print"_s, runPrint}};
    if (!commands.contains(command))
        return usageError(u"知らないコマンドです: %1"_s.arg(command), helpText(parser, arguments));
    const QString place = parser.isSet(folder) ? parser.value(folder)
                          : parser.isSet(userDataFolder) ? UserDataFolder::path()
                                                         : QString();
    if (!place.isEmpty() && !QDir::setCurrent(place)) {
        QTextStream(stderr) << ToolTexts::cannotEnterFolder(place) << u'\n';
        return 1;
    }
    rest.prepend(u"vedrin-tool "_s + command);
    return commands.value(command)(rest);
}
