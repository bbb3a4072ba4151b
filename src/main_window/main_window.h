#pragma once

#include <QMainWindow>

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class RosterListModel;
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
    // Loading the window runs its Form_Load; see loadFailure().
    MainWindow(RosterState &roster, SettingsValues &settings, PictureHandOver &picture,
               QWidget *parent = nullptr);

    // The text that reports why Form_Load failed, which ends the program; nothing once it loaded.
    const std::optional<QString> &loadFailure() const { return m_loadFailure; }

    // The picture box, which a picture chosen in the chooser fills.
    void showPicture(const QImage &picture);
    // The picture box's size in device pixels: pictures are decoded at it and kept no larger.
    QSize pictureSize() const;
    // Shows slot n as choosing its line does; a slot the list does not reach is shown in the
    // boxes with its number alone.
    void showEntry(int slot);

signals:
    void settingsRequested();       // 設定
    void aboutRequested();          // Help
    void pictureChooserRequested(); // picture
    void endRequested();            // END and 終了
    void yomiRequested();           // 五十音順一覧と検索
    void rosterChanged();           // a slot registered or deleted
    void postcardPrintingRequested(); // はがき宛名印刷
    void rosterPrintingRequested();   // 名簿を印刷

protected:
    // The close box: closes the roster file.
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void placeControls();
    void createMenu();
    void connectSignals();

    // Reads the settings, opens the roster file and fills the list; a failure no handler guards
    // gives the text that reports it.
    std::optional<QString> Form_Load();
    // Titles the frame and the window from settei.ini or, when it cannot be read, writes it
    // anew with the maximum 10.
    std::optional<QString> ReadSettings();
    // Empties the picture box and the hand-over, reads the settings again and lists the slots up
    // to the maximum by their names; the last one listed becomes the current entry.
    std::optional<QString> FillRosterList();
    // The roster number of the chosen line of List1, or 0 while no line is chosen.
    int selectedSlot() const;

    void Command1_Click(); // 登録: stores the boxes as the slot numbered in Text1
    void List1_Click();    // a line chosen: shows its slot in the boxes, with its picture
    void showSlot(int slot);
    void Command4_Click(); // 削除: blanks the slot numbered in Text1
    void Command2_Click(); // END: ends the program
    void Command3_Click(); // picture: opens the picture chooser
    void end_Click();      // 終了 in the menu: ends the program
    void open_Click();     // 設定: swaps this window for the settings dialog
    void Help_Click();     // Help: shows the About box

    RosterState &m_roster;
    SettingsValues &m_settings;
    PictureHandOver &m_picture;
    std::optional<QString> m_loadFailure;

    QGroupBox *m_frame2 = nullptr;
    QListView *m_list1 = nullptr;
    RosterListModel *m_rosterLines = nullptr;
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
    QAction *m_yomi = nullptr;
    QAction *m_postcardPrinting = nullptr;
    QAction *m_rosterPrinting = nullptr;
    QAction *m_end = nullptr;
    QAction *m_open = nullptr;
    QAction *m_help = nullptr;
};
