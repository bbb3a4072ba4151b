#pragma once

#include <QWidget>

class ProgramWindows;
struct ProgramState;

// The window "frmAbout".
class AboutBox final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutBox)

public:
    AboutBox(ProgramState &state, ProgramWindows &windows, QWidget *parent = nullptr);

private:
    ProgramState &m_state;
    ProgramWindows &m_windows;
};
