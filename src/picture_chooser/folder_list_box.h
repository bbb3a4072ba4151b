#pragma once

#include <QListWidget>

// A folder box: the current folder's ancestors from the root down, the current folder, and its
// subfolders, each indented one step deeper. Activating a line (double-click or Enter, or its
// accessibility Toggle action) asks to move into that folder. Its description is the folder's path.
class FolderListBox final : public QListWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderListBox)

public:
    explicit FolderListBox(QWidget *parent = nullptr);

    QString folder() const { return m_folder; }
    // 0 when the box now shows the folder; otherwise the read's error number, and nothing changed.
    int setFolder(const QString &folder);

signals:
    void folderActivated(const QString &folder);

private:
    QString m_folder;
};
