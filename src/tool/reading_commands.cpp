#include "tool/reading_commands.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

#include "readings/reading_list.h"
#include "readings/reading_texts.h"
#include "roster/roster_file.h"
#include "roster/roster_file_texts.h"
#include "tool/command_line.h"
#include "tool/console.h"
#include "tool/reading_commands_texts.h"
#include "tool/tool_texts.h"

using namespace Qt::StringLiterals;
using namespace CommandLine;

using Console::refuse;
using Console::standardError;
using Console::standardOutput;

namespace {

// The roster of the current folder with its readings; a status when it cannot be had.
std::optional<int> load(ReadingList &list)
{
    QString reason;
    if (!list.load(&reason))
        return refuse(RosterFileTexts::cannotRead(reason));
    return std::nullopt;
}

// The roster's lock, taken before anything is read that will be written back.
std::optional<int> lock(RosterFile &roster)
{
    if (!QFileInfo::exists(RosterFile::fileName()))
        return refuse(ToolTexts::noRoster(QDir::currentPath()));
    if (const RosterFile::Status status = roster.open(); status != RosterFile::Status::Ok)
        return refuse(RosterFileTexts::openFailure(status, roster.errorString()));
    return std::nullopt;
}

int confirmed(ReadingList::Confirmation confirmation, const QString &reason)
{
    switch (confirmation) {
    case ReadingList::Confirmation::Confirmed:
        return 0;
    case ReadingList::Confirmation::NotKept:
        return refuse(ReadingTexts::readingNotKept());
    case ReadingList::Confirmation::NotWritten:
        break;
    }
    return refuse(ReadingTexts::cannotWriteReadings(reason));
}

} // namespace

int runList(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(ReadingCommandTexts::listDescription());
    const QCommandLineOption order(u"order"_s, ReadingCommandTexts::orderOption(), u"yomi|number"_s,
                                   u"yomi"_s);
    const QCommandLineOption find(u"find"_s, ReadingCommandTexts::findOption(), u"TEXT"_s);
    parser.addOptions({order, find});
    if (const std::optional<int> status = parse(parser, arguments))
        return *status;
    const QString orderName = parser.value(order);
    if ((orderName != u"yomi"_s && orderName != u"number"_s) ||
        !parser.positionalArguments().isEmpty())
        return usageError(ReadingCommandTexts::wrongOrder(), helpText(parser, arguments));
    ReadingList list;
    if (const std::optional<int> status = load(list))
        return *status;
    const QList<int> shown =
        list.matching(list.ordered(orderName == u"yomi"_s ? ReadingList::Order::Reading
                                                          : ReadingList::Order::Number),
                      parser.value(find));
    for (const int position : shown) {
        const ReadingEntry &entry = list.entries().at(position);
        standardOutput() << entry.number << u'\t' << entry.name << u'\t' << ReadingTexts::shown(entry) << u'\t'
              << entry.tell << u'\t' << entry.mail << u'\n';
    }
    standardOutput() << Qt::flush;
    return 0;
}

namespace {

int setReading(const QString &number, const QString &reading)
{
    RosterFile roster;
    if (const std::optional<int> status = lock(roster))
        return *status;
    ReadingList list;
    if (const std::optional<int> status = load(list))
        return *status;
    bool isNumber = false;
    const int slot = number.toInt(&isNumber);
    for (int position = 0; isNumber && position < list.size(); ++position) {
        if (list.entries().at(position).number == slot) {
            QString reason;
            return confirmed(list.confirm(position, reading, roster, &reason), reason);
        }
    }
    return refuse(ReadingCommandTexts::emptySlot(number));
}

int guessReadings(bool apply)
{
    RosterFile roster;
    if (apply) {
        if (const std::optional<int> status = lock(roster))
            return *status;
    }
    ReadingList list;
    if (const std::optional<int> status = load(list))
        return *status;
    QList<int> guessed;
    QStringList readings;
    for (const int position : list.ordered(ReadingList::Order::Number)) {
        const ReadingEntry &entry = list.entries().at(position);
        if (entry.kind != ReadingKind::Guessed)
            continue;
        standardOutput() << entry.number << u'\t' << entry.name << u'\t' << ReadingTexts::shown(entry)
              << u'\n';
        guessed.append(position);
        readings.append(entry.reading);
    }
    standardOutput() << Qt::flush;
    if (!apply) {
        standardOutput() << ReadingCommandTexts::guessDryRun() << Qt::endl;
        return 0;
    }
    QString reason;
    if (const int status = confirmed(list.confirmAll(guessed, readings, roster, &reason), reason))
        return status;
    standardOutput() << ReadingCommandTexts::confirmed(int(guessed.size())) << Qt::endl;
    return 0;
}

} // namespace

int runYomi(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(ReadingCommandTexts::yomiDescription());
    const QCommandLineOption apply(u"apply"_s, ReadingCommandTexts::applyOption());
    parser.addOption(apply);
    parser.addPositionalArgument(u"set|guess"_s, {});
    if (const std::optional<int> status = parse(parser, arguments))
        return *status;
    const QStringList words = parser.positionalArguments();
    // The family and given readings may come as two words.
    if (words.size() >= 3 && words.first() == u"set"_s && !parser.isSet(apply))
        return setReading(words.at(1), words.mid(2).join(u' '));
    if (words.size() == 1 && words.first() == u"guess"_s)
        return guessReadings(parser.isSet(apply));
    return usageError(ReadingCommandTexts::wrongYomi(), helpText(parser, arguments));
}
