#pragma once

#include "about/system_information.h"
#include "widgets/window_holder.h"

class AboutBox;
class MainWindow;
class PictureChooserWindow;
class PrintWindow;
class QImage;
class SettingsDialog;
class Yomi;
struct ProgramState;

// The program's windows, each at most once, and the end of the program. The windows report what
// happened by their signals; this alone connects them and decides which window follows.
class ProgramWindows final
{
public:
    // The About box reads the registry and starts programs through the services; tests pass their own.
    explicit ProgramWindows(ProgramState &state,
                            SystemInformation::Services services = SystemInformation::systemServices());
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // The loaded main window, or nullptr.
    MainWindow *mainWindow() const;
    // Loads the main window when it is not loaded (running its start-up) and returns it;
    // nullptr when the start-up failed, which has then reported it and ended the program.
    MainWindow *loadMainWindow();
    MainWindow *showMainWindow();

    // The other windows, as the main window's commands show them; nullptr when not loaded.
    SettingsDialog *settingsDialog() const;
    PictureChooserWindow *pictureChooser() const;
    AboutBox *aboutBox() const;
    SettingsDialog *showSettingsDialog();
    AboutBox *showAbout();
    PictureChooserWindow *showPictureChooser();
    Yomi *yomi() const;
    Yomi *showYomi();
    // はがき宛名印刷 and 名簿を印刷.
    PrintWindow *showPostcardPrinting();
    PrintWindow *showRosterPrinting();

    // Closes the roster file and every window, without running any window's close handler.
    // Runs by itself, with status 0, when the last window goes.
    void endProgram(int exitCode);
    bool hasEnded() const { return m_ended; }
    int exitCode() const { return m_exitCode; }

private:
    MainWindow *createMainWindow();
    SettingsDialog *createSettingsDialog();
    PictureChooserWindow *createPictureChooser();
    AboutBox *createAboutBox();
    Yomi *createYomi();
    // The entry chosen in Yomi, shown by the main window, loaded first when it is not.
    void showEntry(int number);
    PrintWindow *createPrintWindow(bool postcards);

    // 設定: closes the roster file, shows the settings dialog, unloads the main window.
    void openSettings();
    // 選択: the main window shows the chosen picture in place of the chooser.
    void handOverPicture(const QImage &picture);

    ProgramState &m_state;
    WindowHolder<MainWindow> m_main;
    WindowHolder<SettingsDialog> m_settings;
    WindowHolder<PictureChooserWindow> m_chooser;
    WindowHolder<AboutBox> m_about;
    WindowHolder<Yomi> m_yomi;
    WindowHolder<PrintWindow> m_postcardPrinting;
    WindowHolder<PrintWindow> m_rosterPrinting;
    bool m_ended = false;
    int m_exitCode = 0;
    SystemInformation::Services m_services;
};
