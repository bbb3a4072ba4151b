#include "tool/command_line.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace CommandLine {

int usageError(const QString &message, const QString &help)
{
    QTextStream(stderr) << message << u"\n\n"_s << help;
    return wrongCommandLine;
}

QString helpText(const QCommandLineParser &parser, const QStringList &arguments)
{
    return parser.helpText().replace(QCoreApplication::arguments().constFirst(),
                                     arguments.constFirst());
}

std::optional<int> parse(QCommandLineParser &parser, const QStringList &arguments)
{
    const QCommandLineOption help = parser.addHelpOption();
    if (!parser.parse(arguments))
        return usageError(parser.errorText(), helpText(parser, arguments));
    if (parser.isSet(help)) {
        QTextStream(stdout) << helpText(parser, arguments);
        return 0;
    }
    return std::nullopt;
}

} // namespace CommandLine
