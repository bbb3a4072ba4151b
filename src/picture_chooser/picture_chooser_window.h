#pragma once

#include <QWidget>

#include <functional>

class FolderListBox;
class QComboBox;
class QImage;
class QLabel;
class QListWidget;
class QPushButton;
struct PictureHandOver;

// The window "Form1": browses drives, folders and files, previews a file as a picture and hands
// the chosen path over.
class PictureChooserWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureChooserWindow)

public:
    explicit PictureChooserWindow(PictureHandOver &handOver, QWidget *parent = nullptr);

    // Where 選択 asks the size to decode the chosen picture at, the size it will be shown at;
    // without it, or when it answers an invalid size, the preview's size is used.
    void setChosenPictureSize(std::function<QSize()> size);

signals:
    // 選択 put the picture's path into the hand-over; the picture, decoded at the chosen size.
    void pictureChosen(const QImage &picture);
    void cancelled();

private:
    void createControls();
    void placeControls();
    void connectSignals();

    void Form_Load();

    void Drive1_Change(int index);
    void Dir1_Change();
    void File1_Click();
    void Command1_Click();
    void Command2_Click();
    void openFolder(const QString &folder);
    QSize previewSize() const;

    PictureHandOver &m_handOver;
    std::function<QSize()> m_chosenPictureSize;
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
