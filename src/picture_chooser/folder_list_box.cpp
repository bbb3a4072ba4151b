#include "picture_chooser/folder_list_box.h"

#include <QDir>
#include <QStyledItemDelegate>

#include "platform/drives.h"
#include "widgets/toggled_line.h"

namespace {

constexpr int depthRole = Qt::UserRole + 1;
constexpr int pathRole = Qt::UserRole;
constexpr int indentStep = 8;

// Indents each line by its depth in the tree.
class IndentDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.adjust(index.data(depthRole).toInt() * indentStep, 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
};

} // namespace

FolderListBox::FolderListBox(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        emit folderActivated(item->data(pathRole).toString());
    });
    // The accessibility interface offers a line no other action than Toggle: choosing a folder
    // through it moves into that folder, as a double-click does.
    whenLineToggled(this, this, [this](const QModelIndex &line) {
        emit folderActivated(line.data(pathRole).toString());
    });
}

int FolderListBox::setFolder(const QString &folder)
{
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    if (const int error = folderReadError(path))
        return error;

    QStringList ancestors;
    for (QDir dir(path);; ) {
        ancestors.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);

    clear();
    int depth = 0;
    for (const QString &ancestor : std::as_const(ancestors)) {
        const QDir dir(ancestor);
        const QString name = dir.isRoot() ? QDir::toNativeSeparators(ancestor) : dir.dirName();
        auto *item = new QListWidgetItem(openIcon, name, this);
        item->setData(pathRole, ancestor);
        item->setData(depthRole, depth++);
    }
    setCurrentRow(count() - 1);
    // Hidden folders stay out, as hidden files do in the file box.
    const QFileInfoList subfolders = QDir(path).entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &subfolder : subfolders) {
        auto *item = new QListWidgetItem(closedIcon, subfolder.fileName(), this);
        item->setData(pathRole, subfolder.absoluteFilePath());
        item->setData(depthRole, depth);
    }
    m_folder = path;
    // What the box shows, for a screen reader: the folder's whole path.
    setAccessibleDescription(QDir::toNativeSeparators(path));
    return 0;
}
