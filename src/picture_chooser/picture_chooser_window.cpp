#include "picture_chooser/picture_chooser_window.h"

#include "app/program_state.h"
#include "app/program_windows.h"

PictureChooserWindow::PictureChooserWindow(ProgramState &state, ProgramWindows &windows, QWidget *parent)
    : QWidget(parent), m_state(state), m_windows(windows)
{
    setObjectName(QStringLiteral("Form1"));
}
