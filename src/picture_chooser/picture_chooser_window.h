#pragma once

#include <QWidget>

class FolderListBox;
class ProgramWindows;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
struct ProgramState;

// The window "Form1": browses drives, folders and files, previews a file as a picture and hands
// the chosen path to the main window.
class PictureChooserWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureChooserWindow)

public:
    PictureChooserWindow(ProgramState &state, ProgramWindows &windows, QWidget *parent = nullptr);

    void Form_Load();

private:
    void createControls();
    void placeControls();
    void connectSignals();

    void Drive1_Change(int index);
    void Dir1_Change();
    void File1_Click();
    void Command1_Click();
    void Command2_Click();
    void openFolder(const QString &folder);
    QSize previewSize() const;

    ProgramState &m_state;
    ProgramWindows &m_windows;
    // The file box's folder.
    QString m_fileFolder;

    QLabel *m_image1 = nullptr;
    QComboBox *m_drive1 = nullptr;
    FolderListBox *m_dir1 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QListWidget *m_file1 = nullptr;
    QLabel *m_hantei = nullptr;
};
