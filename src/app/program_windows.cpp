#include "app/program_windows.h"

#include <QCoreApplication>

#include <memory>

#include "app/program_state.h"
#include "main_window/main_window.h"
#include "platform/message_box.h"

ProgramWindows::ProgramWindows(ProgramState &state) : m_state(state)
{
    m_main.setFactory([this]() -> MainWindow * {
        auto window = std::make_unique<MainWindow>(m_state, *this);
        if (std::optional<QString> failure = window->Form_Load()) {
            showMessage(nullptr, *failure);
            endProgram(1);
            return nullptr;
        }
        return window.release();
    });
}

ProgramWindows::~ProgramWindows() = default;

MainWindow *ProgramWindows::mainWindow() const
{
    return m_main.window();
}

MainWindow *ProgramWindows::loadMainWindow()
{
    return m_main.load();
}

MainWindow *ProgramWindows::showMainWindow()
{
    return m_main.show();
}

void ProgramWindows::openSettings()
{
}

void ProgramWindows::showAbout()
{
}

void ProgramWindows::showPictureChooser()
{
}

void ProgramWindows::endProgram(int exitCode)
{
    m_state.roster.file.close();
    m_main.unload();
    m_ended = true;
    m_exitCode = exitCode;
    QCoreApplication::exit(exitCode);
}
