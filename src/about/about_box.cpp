#include "about/about_box.h"

#include "app/program_state.h"
#include "app/program_windows.h"

AboutBox::AboutBox(ProgramState &state, ProgramWindows &windows, QWidget *parent)
    : QWidget(parent), m_state(state), m_windows(windows)
{
    setObjectName(QStringLiteral("frmAbout"));
}
