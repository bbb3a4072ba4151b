#pragma once

#include <QWidget>

class ProgramWindows;
struct ProgramState;

// The window "Settei".
class SettingsDialog final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsDialog)

public:
    SettingsDialog(ProgramState &state, ProgramWindows &windows, QWidget *parent = nullptr);

private:
    ProgramState &m_state;
    ProgramWindows &m_windows;
};
