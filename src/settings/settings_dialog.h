#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
struct SettingsValues;

// The window "Settei": edits the maximum roster size and the owner's name, and reports when
// they are stored.
class SettingsDialog final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsDialog)

public:
    // Loading the dialog runs its Form_Load, which reads the file into the settings.
    explicit SettingsDialog(SettingsValues &settings, QWidget *parent = nullptr);

signals:
    // OK wrote the file and the settings.
    void stored();

private:
    void createControls();
    void placeControls();
    void connectSignals();

    void Form_Load();
    void OK_Click();

    SettingsValues &m_settings;

    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLabel *m_label3 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QPushButton *m_ok = nullptr;
    QLabel *m_label4 = nullptr;
};
