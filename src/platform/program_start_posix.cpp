#include "platform/program_start.h"

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace {

class DetachedStart final : public ProgramStart
{
public:
    bool start(const std::u16string &commandLine) override
    {
        const QString line = QString::fromStdU16String(commandLine);
        // A path with spaces is not quoted, so a whole line that names a program is taken as it is.
        if (const QFileInfo program(line); program.isFile() && program.isExecutable())
            return QProcess::startDetached(line, {});
        QStringList words = QProcess::splitCommand(line);
        if (words.isEmpty())
            return false;
        const QString program = words.takeFirst();
        return QProcess::startDetached(program, words);
    }
};

} // namespace

ProgramStart &systemProgramStart()
{
    static DetachedStart programStart;
    return programStart;
}
