#pragma once

#include <QWidget>

class ProgramWindows;
struct ProgramState;

// The window "Form1".
class PictureChooserWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureChooserWindow)

public:
    PictureChooserWindow(ProgramState &state, ProgramWindows &windows, QWidget *parent = nullptr);

private:
    ProgramState &m_state;
    ProgramWindows &m_windows;
};
