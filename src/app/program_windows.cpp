#include "app/program_windows.h"

#include <QCoreApplication>
#include <QImage>

#include <memory>

#include "about/about_box.h"
#include "app/program_state.h"
#include "main_window/main_window.h"
#include "picture_chooser/picture_chooser_window.h"
#include "readings/yomi.h"
#include "printing/print_window.h"
#include "settings/settings_dialog.h"
#include "widgets/message_box.h"

namespace {

// The next window is shown before this one goes, so that the program never runs out of windows:
// the last one going ends it.
template <typename Next, typename Current>
void showInstead(WindowHolder<Next> &next, WindowHolder<Current> &current)
{
    next.show();
    current.unload();
}

} // namespace

ProgramWindows::ProgramWindows(ProgramState &state, SystemInformation::Services services)
    : m_state(state), m_services(services)
{
    m_main.setFactory([this] { return createMainWindow(); });
    m_settings.setFactory([this] { return createSettingsDialog(); });
    m_chooser.setFactory([this] { return createPictureChooser(); });
    m_about.setFactory([this] { return createAboutBox(); });
    m_yomi.setFactory([this] { return createYomi(); });
    m_postcardPrinting.setFactory([this] { return createPrintWindow(true); });
    m_rosterPrinting.setFactory([this] { return createPrintWindow(false); });
    // However a window goes, the program ends when it was the last one.
    const auto endWithoutWindows = [this] {
        if (!m_ended && !m_main.isLoaded() && !m_settings.isLoaded() && !m_chooser.isLoaded()
            && !m_about.isLoaded() && !m_yomi.isLoaded() && !m_postcardPrinting.isLoaded()
            && !m_rosterPrinting.isLoaded())
            endProgram(0);
    };
    m_main.setUnloadHandler(endWithoutWindows);
    m_settings.setUnloadHandler(endWithoutWindows);
    m_chooser.setUnloadHandler(endWithoutWindows);
    m_about.setUnloadHandler(endWithoutWindows);
    m_yomi.setUnloadHandler(endWithoutWindows);
    m_postcardPrinting.setUnloadHandler(endWithoutWindows);
    m_rosterPrinting.setUnloadHandler(endWithoutWindows);
}

ProgramWindows::~ProgramWindows() = default;

MainWindow *ProgramWindows::createMainWindow()
{
    auto window = std::make_unique<MainWindow>(m_state.roster, m_state.settings, m_state.picture);
    if (const std::optional<QString> &failure = window->loadFailure()) {
        showMessage(nullptr, *failure);
        endProgram(1);
        return nullptr;
    }
    QObject::connect(window.get(), &MainWindow::settingsRequested, window.get(),
                     [this] { openSettings(); });
    QObject::connect(window.get(), &MainWindow::aboutRequested, window.get(),
                     [this] { m_about.show(); });
    QObject::connect(window.get(), &MainWindow::pictureChooserRequested, window.get(),
                     [this] { m_chooser.show(); });
    QObject::connect(window.get(), &MainWindow::endRequested, window.get(),
                     [this] { endProgram(0); });
    QObject::connect(window.get(), &MainWindow::yomiRequested, window.get(),
                     [this] { m_yomi.show(); });
    QObject::connect(window.get(), &MainWindow::rosterChanged, window.get(), [this] {
        if (Yomi *yomi = m_yomi.window())
            yomi->reload();
    });
    QObject::connect(window.get(), &MainWindow::postcardPrintingRequested, window.get(),
                     [this] { m_postcardPrinting.show(); });
    QObject::connect(window.get(), &MainWindow::rosterPrintingRequested, window.get(),
                     [this] { m_rosterPrinting.show(); });
    return window.release();
}

SettingsDialog *ProgramWindows::createSettingsDialog()
{
    auto *dialog = new SettingsDialog(m_state.settings);
    // The main window's start-up reads the file just written.
    QObject::connect(dialog, &SettingsDialog::stored, dialog,
                     [this] { showInstead(m_main, m_settings); });
    return dialog;
}

PictureChooserWindow *ProgramWindows::createPictureChooser()
{
    auto *chooser = new PictureChooserWindow(m_state.picture);
    // Decoded at the size the main window shows it; one loaded afresh shows no picture anyway.
    chooser->setChosenPictureSize(
        [this] { return m_main.isLoaded() ? m_main.window()->pictureSize() : QSize(); });
    QObject::connect(chooser, &PictureChooserWindow::pictureChosen, chooser,
                     [this](const QImage &picture) { handOverPicture(picture); });
    QObject::connect(chooser, &PictureChooserWindow::cancelled, chooser,
                     [this] { showInstead(m_main, m_chooser); });
    return chooser;
}

AboutBox *ProgramWindows::createAboutBox()
{
    auto *box = new AboutBox(m_services);
    QObject::connect(box, &AboutBox::closed, box, [this] { m_about.unload(); });
    return box;
}

Yomi *ProgramWindows::createYomi()
{
    auto *yomi = new Yomi(m_state.roster);
    QObject::connect(yomi, &Yomi::entryChosen, yomi, [this](int number) { showEntry(number); });
    return yomi;
}

void ProgramWindows::showEntry(int number)
{
    if (MainWindow *main = m_main.show())
        main->showEntry(number);
}

PrintWindow *ProgramWindows::createPrintWindow(bool postcards)
{
    // Asked at the moment of printing, so the rows chosen last in Yomi count.
    const auto chosenInYomi = [this] {
        return m_yomi.window() ? m_yomi.window()->chosenSlots() : QList<std::int32_t>();
    };
    return new PrintWindow(postcards ? PrintKind::Postcards : PrintKind::Roster, m_state.settings,
                           knownReadings(), chosenInYomi);
}

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

Yomi *ProgramWindows::yomi() const
{
    return m_yomi.window();
}

Yomi *ProgramWindows::showYomi()
{
    return m_yomi.show();
}

PrintWindow *ProgramWindows::showPostcardPrinting()
{
    return m_postcardPrinting.show();
}

PrintWindow *ProgramWindows::showRosterPrinting()
{
    return m_rosterPrinting.show();
}

void ProgramWindows::openSettings()
{
    // The lock stays while the dialog is open, so that no one takes the roster meanwhile.
    m_state.roster.file.closeKeepingLock();
    showInstead(m_settings, m_main);
}

void ProgramWindows::handOverPicture(const QImage &picture)
{
    MainWindow *main = m_main.window();
    if (!main) {
        // Loading afresh refills the list, which empties the hand-over: no picture to show.
        main = m_main.load();
        if (!main)
            return;
    }
    main->showPicture(m_state.picture.CurrentPicturePath.isEmpty() ? QImage() : picture);
    showInstead(m_main, m_chooser);
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
    m_yomi.unload();
    m_postcardPrinting.unload();
    m_rosterPrinting.unload();
    QCoreApplication::exit(exitCode);
}
