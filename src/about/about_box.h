#pragma once

#include <QDialog>

#include "about/system_information.h"

class QFrame;
class QLabel;
class QPushButton;

// The window "frmAbout": title and version, the author's lines, and the start of the System
// Information tool. Shown modeless.
class AboutBox final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutBox)

public:
    explicit AboutBox(SystemInformation::Services services, QWidget *parent = nullptr);

    // Esc presses "OK", as the cancel button.
    void reject() override;

signals:
    // OK, Esc or the close box: the box is done.
    void closed();

private:
    void createControls();
    void placeControls();
    void connectSignals();

    void Form_Load();
    // Starts the tool, or says that it is not available; the box stays open either way.
    void StartSysInfo();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    SystemInformation::Services m_services;

    QLabel *m_image1 = nullptr;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblVersion = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_image2 = nullptr;
    QFrame *m_line1Shadow = nullptr;
    QFrame *m_line1Light = nullptr;
    QLabel *m_lblDisclaimer = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QLabel *m_label1 = nullptr;
    QPushButton *m_cmdSysInfo = nullptr;
};
