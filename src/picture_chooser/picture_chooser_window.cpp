#include "picture_chooser/picture_chooser_window.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include "picture_chooser/folder_list_box.h"
#include "picture_chooser/picture_chooser_texts.h"
#include "picture_chooser/picture_hand_over.h"
#include "picture_chooser/picture_path.h"
#include "platform/drives.h"
#include "platform/picture_loader.h"
#include "roster/meibo_record.h"
#include "widgets/enter_presses_buttons.h"
#include "widgets/japanese_font.h"
#include "widgets/message_box.h"
#include "widgets/program_icon.h"
#include "widgets/single_choice_list.h"
#include "widgets/toggled_line.h"
#include "widgets/twips.h"

using namespace Qt::StringLiterals;

namespace {

// An arrow with a small framed picture at its tail: the browsing controls pick pictures.
QCursor pictureCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPolygonF arrow({{1, 1}, {1, 17}, {5, 13}, {8, 20}, {11, 19}, {8, 12}, {13, 12}});
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPolygon(arrow);
    painter.setBrush(QColor(250, 250, 240));
    painter.drawRect(QRectF(14.5, 16.5, 16, 13));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(90, 160, 220));
    painter.drawRect(QRectF(16, 18, 13, 6));
    painter.setBrush(QColor(70, 150, 70));
    painter.drawPolygon(QPolygonF({{16, 28}, {21, 22}, {25, 28}}));
    painter.setBrush(QColor(240, 200, 40));
    painter.drawEllipse(QPointF(26, 20.5), 1.5, 1.5);
    painter.end();
    return QCursor(pixmap, 1, 1);
}

} // namespace

PictureChooserWindow::PictureChooserWindow(PictureHandOver &handOver, QWidget *parent)
    : QWidget(parent), m_handOver(handOver)
{
    setObjectName(u"Form1"_s);
    setWindowTitle(PictureChooserTexts::caption());
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    createControls();
    placeControls();
    connectSignals();
    letEnterPressButtons(this);
    Form_Load();
}

void PictureChooserWindow::createControls()
{
    // Created in tab order: File1, Drive1, Dir1, Command1, Command2.
    m_file1 = new QListWidget(this);
    m_file1->setObjectName(u"File1"_s);
    m_file1->setAccessibleName(PictureChooserTexts::fileName());
    m_file1->setUniformItemSizes(true);
    // The line chosen is the one previewed and the current one, however it was chosen.
    makeSingleChoiceList(m_file1);

    m_drive1 = new QComboBox(this);
    m_drive1->setObjectName(u"Drive1"_s);
    m_drive1->setAccessibleName(PictureChooserTexts::driveName());

    m_dir1 = new FolderListBox(this);
    m_dir1->setObjectName(u"Dir1"_s);
    m_dir1->setAccessibleName(PictureChooserTexts::folderName());

    m_command1 = new QPushButton(PictureChooserTexts::select(), this);
    m_command1->setObjectName(u"Command1"_s);
    m_command1->setFont(japaneseGothicFont(9.75, true));
    m_command1->setToolTip(PictureChooserTexts::selectTip());
    m_command1->setAutoDefault(false);

    m_command2 = new QPushButton(PictureChooserTexts::cancel(), this);
    m_command2->setObjectName(u"Command2"_s);
    m_command2->setAutoDefault(false);

    m_image1 = new QLabel(this);
    m_image1->setObjectName(u"Image1"_s);
    m_image1->setAccessibleName(PictureChooserTexts::previewName());
    m_image1->setFrameShape(QFrame::Box);
    m_image1->setScaledContents(true);

    m_hantei = new QLabel(this);
    m_hantei->setObjectName(u"hantei"_s);
    // Its message is its accessible name, so that a screen reader hears each failure.
    m_hantei->setAccessibleDescription(PictureChooserTexts::statusDescription());
    m_hantei->setFont(japaneseGothicFont(8.25));
    m_hantei->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_hantei->setWordWrap(true);
    QPalette palette = m_hantei->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
    m_hantei->setPalette(palette);

    const QCursor cursor = pictureCursor();
    for (QWidget *control : {static_cast<QWidget *>(m_command1), static_cast<QWidget *>(m_dir1),
                             static_cast<QWidget *>(m_drive1), static_cast<QWidget *>(m_file1)})
        control->setCursor(cursor);
    // A list's lines are drawn in its viewport, which has a cursor of its own.
    m_dir1->viewport()->setCursor(cursor);
    m_file1->viewport()->setCursor(cursor);
}

void PictureChooserWindow::placeControls()
{
    setFixedSize(twipsToPixels(4815), twipsToPixels(4140));
    m_image1->setGeometry(twipsRect(360, 120, 1575, 1335));
    m_drive1->setGeometry(twipsRect(2160, 120, 2175, 300));
    m_dir1->setGeometry(twipsRect(2160, 600, 2175, 1560));
    m_command1->setGeometry(twipsRect(600, 1560, 1095, 495));
    m_command2->setGeometry(twipsRect(600, 2160, 1095, 255));
    m_file1->setGeometry(twipsRect(2160, 2160, 2175, 1350));
    m_hantei->setGeometry(twipsRect(360, 2520, 1695, 1095));
}

void PictureChooserWindow::connectSignals()
{
    connect(m_drive1, &QComboBox::currentIndexChanged, this,
            &PictureChooserWindow::Drive1_Change);
    // A drive chosen in the open drop-down through the accessibility interface, which only
    // selects its line there, is taken as a click on it.
    whenLineToggled(m_drive1->view(), this, [this](const QModelIndex &line) {
        m_drive1->hidePopup();
        m_drive1->setCurrentIndex(line.row());
    });
    connect(m_dir1, &FolderListBox::folderActivated, this, &PictureChooserWindow::openFolder);
    // Run once the event that chose the file is done: a screen reader's Toggle action waits for
    // its answer, which a message box opened inside it would hold back until it is closed.
    connect(m_file1, &QListWidget::itemSelectionChanged, this, &PictureChooserWindow::File1_Click,
            Qt::QueuedConnection);
    // The main window empties the hand-over; a click on the file still highlighted takes it
    // again. A click that changes the highlight has filled it already.
    connect(
        m_file1, &QAbstractItemView::clicked, this,
        [this] {
            if (m_handOver.PictureFolder.isEmpty())
                File1_Click();
        },
        Qt::QueuedConnection);
    connect(m_command1, &QPushButton::clicked, this, &PictureChooserWindow::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &PictureChooserWindow::Command2_Click);
}

void PictureChooserWindow::setChosenPictureSize(std::function<QSize()> size)
{
    m_chosenPictureSize = std::move(size);
}

void PictureChooserWindow::Form_Load()
{
    // Every opening starts on the process's current drive and folder.
    const QString current = QDir::currentPath();
    const QList<Drive> drives = availableDrives();
    {
        const QSignalBlocker blocker(m_drive1);
        for (const Drive &drive : drives)
            m_drive1->addItem(drive.label, drive.root);
        m_drive1->setCurrentIndex(driveHolding(drives, current));
    }
    if (m_dir1->setFolder(current) == 0)
        Dir1_Change();
    m_file1->setFocus();
}

void PictureChooserWindow::Drive1_Change(int index)
{
    if (index < 0)
        return;
    const QString folder = driveCurrentFolder(m_drive1->itemData(index).toString());
    if (const int error = m_dir1->setFolder(folder)) {
        // The drive box keeps the chosen drive; the folder and file boxes keep the old folder.
        showMessage(this, PictureChooserTexts::driveUnreadable(error));
        m_hantei->setText(PictureChooserTexts::driveUnreadableStatus());
        return;
    }
    Dir1_Change();
}

void PictureChooserWindow::openFolder(const QString &folder)
{
    if (const int error = m_dir1->setFolder(folder)) {
        showMessage(this, PictureChooserTexts::folderUnreadable(error));
        return;
    }
    Dir1_Change();
}

void PictureChooserWindow::Dir1_Change()
{
    m_fileFolder = m_dir1->folder();
    // Ordinary files only: no hidden or system files, no folders, no filter on the name.
    const QStringList names =
        QDir(m_fileFolder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    const QSignalBlocker blocker(m_file1);
    m_file1->clear();
    m_file1->addItems(names);
}

void PictureChooserWindow::File1_Click()
{
    const QList<QListWidgetItem *> chosen = m_file1->selectedItems();
    if (chosen.isEmpty())
        return;
    const QListWidgetItem *item = chosen.first();
    m_handOver.PictureFolder = PicturePath::handOverFolder(m_fileFolder);
    const PictureLoad load = loadPictureWithin(
        PicturePath::joined(m_handOver.PictureFolder, item->text()), previewSize());
    if (!load.succeeded()) {
        // The preview and the last good file name stay.
        showMessage(this, PictureChooserTexts::notAPicture(load.errorNumber));
        m_hantei->setText(PictureChooserTexts::notAPictureStatus());
        return;
    }
    m_image1->setPixmap(QPixmap::fromImage(load.picture));
    m_handOver.PictureFileName = item->text();
}

void PictureChooserWindow::Command1_Click()
{
    // Only a path that loads is handed over: not a folder alone because nothing was previewed,
    // nor a file removed meanwhile or missing from the folder of a later failed click.
    const bool named = !m_handOver.PictureFolder.isEmpty() && !m_handOver.PictureFileName.isEmpty();
    const QString path = named ? PicturePath::joined(m_handOver.PictureFolder,
                                                     m_handOver.PictureFileName)
                               : QString();
    // The roster would keep the path with "?" in place of some characters, or cut it short.
    if (named && !MeiboRecord::holdsWhole(MeiboRecord::Field::PicturePath, path)) {
        showMessage(this, PictureChooserTexts::pathNotStorable());
        m_hantei->setText(PictureChooserTexts::selectFailedStatus());
        return;
    }
    const QSize chosenSize = m_chosenPictureSize ? m_chosenPictureSize() : QSize();
    const PictureLoad load =
        named ? loadPictureWithin(path, chosenSize.isValid() ? chosenSize : previewSize())
              : PictureLoad{};
    if (!named || !load.succeeded()) {
        showMessage(this, PictureChooserTexts::nothingSelected());
        m_hantei->setText(PictureChooserTexts::selectFailedStatus());
        return;
    }
    m_handOver.CurrentPicturePath = path;
    emit pictureChosen(load.picture);
}

QSize PictureChooserWindow::previewSize() const
{
    return m_image1->contentsRect().size() * m_image1->devicePixelRatioF();
}

void PictureChooserWindow::Command2_Click()
{
    emit cancelled();
}
