#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// The command line of the tool and of each of its commands, parsed and reported alike.
namespace CommandLine {

constexpr int wrongCommandLine = 2;

// Writes the message and the help to standard error; returns the status of a wrong command line.
int usageError(const QString &message, const QString &help);
// The help with the command's own name in place of the program's path.
QString helpText(const QCommandLineParser &parser, const QStringList &arguments);
// Parses a command's own options; nothing to run when the command line was wrong or help was
// asked for, with the status to exit with.
std::optional<int> parse(QCommandLineParser &parser, const QStringList &arguments);

} // namespace CommandLine
