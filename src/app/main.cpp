#include <QApplication>

#include "app/program_state.h"
#include "app/program_windows.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vedrin"));

    ProgramState state;
    ProgramWindows windows(state);
    if (!windows.showMainWindow())
        return windows.exitCode();
    return QApplication::exec();
}
