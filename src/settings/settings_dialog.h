#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class ProgramWindows;
struct ProgramState;

// The window "Settei": edits the maximum roster size and the owner's name, and brings the main
// window back when they are stored.
class SettingsDialog final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsDialog)

public:
    // Loading the dialog runs its Form_Load.
    SettingsDialog(ProgramState &state, ProgramWindows &windows, QWidget *parent = nullptr);

private:
    void createControls();
    void placeControls();
    void connectSignals();

    void Form_Load();
    void OK_Click();

    ProgramState &m_state;
    ProgramWindows &m_windows;

    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLabel *m_label3 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QPushButton *m_ok = nullptr;
    QLabel *m_label4 = nullptr;
};
