#include "app/program_windows.h"

#include <QCoreApplication>

#include <memory>

#include "about/about_box.h"
#include "app/program_state.h"
#include "main_window/main_window.h"
#include "picture_chooser/picture_chooser_window.h"
#include "settings/settings_dialog.h"
#include "widgets/message_box.h"

ProgramWindows::ProgramWindows(ProgramState &state, SystemInformation::Services services)
    : m_state(state), m_services(services)
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
    m_settings.setFactory([this] { return new SettingsDialog(m_state, *this); });
    m_chooser.setFactory([this] { return new PictureChooserWindow(m_state, *this); });
    m_about.setFactory([this] { return new AboutBox(*this, m_services); });
    // However a window goes, the program ends when it was the last one.
    const auto endWithoutWindows = [this] {
        if (!m_ended && !m_main.isLoaded() && !m_settings.isLoaded() && !m_chooser.isLoaded()
            && !m_about.isLoaded())
            endProgram(0);
    };
    m_main.setUnloadHandler(endWithoutWindows);
    m_settings.setUnloadHandler(endWithoutWindows);
    m_chooser.setUnloadHandler(endWithoutWindows);
    m_about.setUnloadHandler(endWithoutWindows);
}

ProgramWindows::~ProgramWindows() = default;

MainWindow *ProgramWindows::mainWindow() const
{
    return m_main.window();
}

SettingsDialog *ProgramWindows::settingsDialog() const
{
    return m_settings.window();
}

PictureChooserWindow *ProgramWindows::pictureChooser() const
{
    return m_chooser.window();
}

AboutBox *ProgramWindows::aboutBox() const
{
    return m_about.window();
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
    m_state.roster.file.close();
    // Shown before the main window goes, so that the program never runs out of windows.
    m_settings.show();
    m_main.unload();
}

SettingsDialog *ProgramWindows::showSettingsDialog()
{
    return m_settings.show();
}

AboutBox *ProgramWindows::showAbout()
{
    return m_about.show();
}

PictureChooserWindow *ProgramWindows::showPictureChooser()
{
    return m_chooser.show();
}

void ProgramWindows::unloadSettingsDialog()
{
    m_settings.unload();
}

void ProgramWindows::unloadPictureChooser()
{
    m_chooser.unload();
}

void ProgramWindows::unloadAboutBox()
{
    m_about.unload();
}

void ProgramWindows::endProgram(int exitCode)
{
    // Set first: the unloads below would otherwise end the program once more.
    m_ended = true;
    m_exitCode = exitCode;
    m_state.roster.file.close();
    m_main.unload();
    m_settings.unload();
    m_chooser.unload();
    m_about.unload();
    QCoreApplication::exit(exitCode);
}
