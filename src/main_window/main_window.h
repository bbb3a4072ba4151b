#pragma once

#include <QMainWindow>

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QAction;
struct PictureHandOver;
struct RosterState;
struct SettingsValues;

// The start-up window "Meibo": the roster list, the entry boxes and the picture box.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    MainWindow(RosterState &roster, SettingsValues &settings, PictureHandOver &picture,
               QWidget *parent = nullptr);

    // Reads the settings, opens the roster file and fills the list. On a failure that no handler
    // guards, returns the text that reports it; the program then ends.
    std::optional<QString> Form_Load();

    // The picture box, which the picture chooser fills when it hands a picture over.
    void showPicture(const QImage &picture);
    // The picture box's size in device pixels: pictures are decoded at it and kept no larger.
    QSize pictureSize() const;

signals:
    void settingsRequested();
    void aboutRequested();
    void pictureChooserRequested();
    void endRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void placeControls();
    void createMenu();
    void connectSignals();

    std::optional<QString> ReadSettings();
    std::optional<QString> FillRosterList();
    // The roster number of the chosen line of List1, or 0 while no line is chosen.
    int selectedSlot() const;

    void Command1_Click();
    void List1_Click();
    void Command4_Click();
    void Command2_Click();
    void Command3_Click();
    void end_Click(int index);
    void open_Click(int index);
    void Help_Click();

    RosterState &m_roster;
    SettingsValues &m_settings;
    PictureHandOver &m_picture;

    QGroupBox *m_frame2 = nullptr;
    QListWidget *m_list1 = nullptr;
    QLabel *m_label5 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLabel *m_label1 = nullptr;
    QLineEdit *m_namae = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_mail = nullptr;
    QLabel *m_label3 = nullptr;
    QLineEdit *m_tell = nullptr;
    QLabel *m_label4 = nullptr;
    QPlainTextEdit *m_memo = nullptr;
    QLabel *m_image1 = nullptr;
    QPushButton *m_command3 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command4 = nullptr;
    QPushButton *m_command2 = nullptr;
    QAction *m_end = nullptr;
    QAction *m_open = nullptr;
    QAction *m_help = nullptr;
};
