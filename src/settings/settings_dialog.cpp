#include "settings/settings_dialog.h"

#include "app/program_state.h"
#include "app/program_windows.h"

SettingsDialog::SettingsDialog(ProgramState &state, ProgramWindows &windows, QWidget *parent)
    : QWidget(parent), m_state(state), m_windows(windows)
{
    setObjectName(QStringLiteral("Settei"));
}
