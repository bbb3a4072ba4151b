#include "main_window/main_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <limits>

#include "main_window/field_bytes_limit.h"
#include "main_window/main_window_texts.h"
#include "picture_chooser/picture_hand_over.h"
#include "platform/code_page.h"
#include "platform/number_reading.h"
#include "platform/picture_loader.h"
#include "roster/roster_file_texts.h"
#include "roster/roster_list_model.h"
#include "roster/roster_state.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "widgets/enter_presses_buttons.h"
#include "widgets/japanese_font.h"
#include "widgets/message_box.h"
#include "widgets/program_icon.h"
#include "widgets/single_choice_list.h"
#include "widgets/single_line_box.h"
#include "widgets/twips.h"

using namespace Qt::StringLiterals;
using Field = MeiboRecord::Field;

namespace {

// The memo box breaks lines with LF; the roster file keeps the CR LF of the files it has
// always held.
QString memoForField(QString boxText)
{
    return boxText.replace(u'\n', u"\r\n"_s);
}

QString memoForBox(QString fieldText)
{
    return fieldText.replace(u"\r\n"_s, u"\n"_s);
}

// Whether the roster can keep every character of the text, none of them turned into "?".
bool hasShiftJisForm(const QString &text)
{
    return CodePage932::fitsWhole(
        std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()), text.size()),
        std::numeric_limits<std::size_t>::max());
}

QPalette withBackground(QPalette palette, const QColor &colour)
{
    palette.setColor(QPalette::Window, colour);
    return palette;
}

} // namespace

MainWindow::MainWindow(RosterState &roster, SettingsValues &settings, PictureHandOver &picture,
                       QWidget *parent)
    : QMainWindow(parent), m_roster(roster), m_settings(settings), m_picture(picture)
{
    setObjectName(u"Meibo"_s);
    setWindowTitle(MainWindowTexts::initialCaption());
    setWindowIcon(programIcon());
    setFont(japaneseGothicFont(9.75, true));
    createControls();
    placeControls();
    createMenu();
    connectSignals();
    letEnterPressButtons(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    m_loadFailure = Form_Load();
}

void MainWindow::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(u"client"_s);
    client->setAutoFillBackground(true);
    client->setPalette(withBackground(client->palette(), QColor(128, 128, 255)));
    setCentralWidget(client);

    // The frame and its labels take the system's scroll-bar grey.
    const QColor frameGrey = palette().color(QPalette::Button);
    m_frame2 = new QGroupBox(client);
    m_frame2->setObjectName(u"Frame2"_s);
    m_frame2->setAutoFillBackground(true);
    QPalette framePalette = withBackground(m_frame2->palette(), frameGrey);
    framePalette.setColor(QPalette::WindowText, QColor(0, 0, 192));
    m_frame2->setPalette(framePalette);

    const QFont boxFont = japaneseGothicFont(9);
    auto makeLabel = [&](const QString &name, const QString &caption) {
        auto *label = new QLabel(caption, m_frame2);
        label->setObjectName(name);
        label->setFont(boxFont);
        // Drawn on the frame's own grey: some styles shade a frame's inside, and a label
        // filling its box would show as a lighter patch on it. Its text takes the palette's
        // colour for that grey, light under a dark theme, not the frame's fixed blue.
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
        label->setPalette(palette);
        return label;
    };
    auto makeLineEdit = [&](const QString &name, const QString &accessibleName) {
        auto *edit = new QLineEdit(m_frame2);
        edit->setObjectName(name);
        edit->setFont(boxFont);
        edit->setAccessibleName(accessibleName);
        makeSingleLineBox(edit);
        return edit;
    };
    auto makeFieldBox = [&](const QString &name, const QString &accessibleName, Field field) {
        QLineEdit *edit = makeLineEdit(name, accessibleName);
        FieldBytesLimit::attach(edit, MeiboRecord::width(field));
        return edit;
    };
    auto makeButton = [&](const QString &name, const QString &caption, qreal pointSize) {
        auto *button = new QPushButton(caption, m_frame2);
        button->setObjectName(name);
        button->setFont(japaneseGothicFont(pointSize));
        button->setAutoDefault(false);
        return button;
    };

    m_list1 = new QListView(m_frame2);
    m_rosterLines = new RosterListModel(m_list1);
    m_list1->setModel(m_rosterLines);
    m_list1->setObjectName(u"List1"_s);
    m_list1->setFont(boxFont);
    m_list1->setToolTip(MainWindowTexts::listTip());
    m_list1->setAccessibleName(MainWindowTexts::rosterListName());
    makeSingleChoiceList(m_list1);
    // Uniform lines let tens of thousands of entries lay out without measuring each.
    m_list1->setUniformItemSizes(true);

    m_label5 = makeLabel(u"Label5"_s, MainWindowTexts::numberLabel());
    m_text1 = makeLineEdit(u"Text1"_s, MainWindowTexts::numberLabel());
    makeNumberBox(m_text1);
    m_label1 = makeLabel(u"Label1"_s, MainWindowTexts::nameLabel());
    m_namae = makeFieldBox(u"Namae"_s, MainWindowTexts::nameLabel(), Field::Namae);
    m_label2 = makeLabel(u"Label2"_s, MainWindowTexts::mailLabel());
    m_mail = makeFieldBox(u"Mail"_s, MainWindowTexts::mailLabel(), Field::Mail);
    m_label3 = makeLabel(u"Label3"_s, MainWindowTexts::tellLabel());
    m_tell = makeFieldBox(u"Tell"_s, MainWindowTexts::tellLabel(), Field::Tell);
    m_label4 = makeLabel(u"Label4"_s, MainWindowTexts::addressLabel());
    m_memo = new QPlainTextEdit(m_frame2);
    m_memo->setObjectName(u"Memo"_s);
    m_memo->setFont(boxFont);
    m_memo->setAccessibleName(MainWindowTexts::addressLabel());
    m_memo->setTabChangesFocus(true);
    FieldBytesLimit::attach(m_memo, MeiboRecord::width(Field::Memo));

    m_image1 = new QLabel(m_frame2);
    m_image1->setObjectName(u"Image1"_s);
    m_image1->setScaledContents(true);
    m_image1->setToolTip(MainWindowTexts::pictureTip());
    m_image1->setAccessibleName(MainWindowTexts::pictureName());

    m_command3 = makeButton(u"Command3"_s, MainWindowTexts::pictureButton(), 8.25);
    m_command1 = makeButton(u"Command1"_s, MainWindowTexts::registerButton(), 9);
    m_command4 = makeButton(u"Command4"_s, MainWindowTexts::deleteButton(), 9);
    m_command2 = makeButton(u"Command2"_s, MainWindowTexts::endButton(), 9);

    m_label1->setBuddy(m_namae);
    m_label2->setBuddy(m_mail);
    m_label3->setBuddy(m_tell);
    m_label4->setBuddy(m_memo);
    m_label5->setBuddy(m_text1);
}

void MainWindow::placeControls()
{
    centralWidget()->setFixedSize(twipsToPixels(8595), twipsToPixels(5190));
    m_frame2->setGeometry(twipsRect(120, 240, 8295, 4815));
    m_list1->setGeometry(twipsRect(120, 360, 2535, 3480));
    m_label5->setGeometry(twipsRect(2880, 240, 375, 255));
    m_text1->setGeometry(twipsRect(3240, 240, 735, 270));
    m_label1->setGeometry(twipsRect(2880, 600, 615, 255));
    m_namae->setGeometry(twipsRect(2880, 840, 3135, 375));
    m_label2->setGeometry(twipsRect(2880, 1320, 855, 255));
    m_mail->setGeometry(twipsRect(2880, 1560, 3135, 375));
    m_label3->setGeometry(twipsRect(2880, 2040, 1095, 255));
    m_tell->setGeometry(twipsRect(2880, 2280, 3135, 375));
    m_label4->setGeometry(twipsRect(2880, 2640, 1455, 255));
    m_memo->setGeometry(twipsRect(2880, 2880, 5295, 1095));
    m_image1->setGeometry(twipsRect(6120, 360, 1965, 1680));
    m_command3->setGeometry(twipsRect(7320, 2400, 855, 255));
    m_command1->setGeometry(twipsRect(4680, 4200, 1095, 495));
    m_command4->setGeometry(twipsRect(5880, 4200, 1095, 495));
    m_command2->setGeometry(twipsRect(7080, 4200, 1095, 495));

    QWidget::setTabOrder(m_list1, m_text1);
    QWidget::setTabOrder(m_text1, m_namae);
    QWidget::setTabOrder(m_namae, m_mail);
    QWidget::setTabOrder(m_mail, m_tell);
    QWidget::setTabOrder(m_tell, m_memo);
    QWidget::setTabOrder(m_memo, m_command3);
    QWidget::setTabOrder(m_command3, m_command1);
    QWidget::setTabOrder(m_command1, m_command2);
    QWidget::setTabOrder(m_command2, m_command4);
}

void MainWindow::createMenu()
{
    QMenu *menu = menuBar()->addMenu(MainWindowTexts::menu());
    menu->setObjectName(u"menu"_s);
    m_yomi = menu->addAction(MainWindowTexts::yomiCommand());
    m_yomi->setObjectName(u"yomi"_s);
    m_yomi->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_postcardPrinting = menu->addAction(MainWindowTexts::postcardPrintingCommand());
    m_postcardPrinting->setObjectName(u"postcardPrinting"_s);
    m_rosterPrinting = menu->addAction(MainWindowTexts::rosterPrintingCommand());
    m_rosterPrinting->setObjectName(u"rosterPrinting"_s);
    m_end = menu->addAction(MainWindowTexts::endCommand());
    m_end->setObjectName(u"end"_s);
    m_open = menuBar()->addAction(MainWindowTexts::settingsCommand());
    m_open->setObjectName(u"open"_s);
    m_help = menuBar()->addAction(MainWindowTexts::helpCommand());
    m_help->setObjectName(u"Help"_s);
}

void MainWindow::connectSignals()
{
    connect(m_command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(m_command4, &QPushButton::clicked, this, &MainWindow::Command4_Click);
    connect(m_command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
    // However a line is chosen: mouse, keys, the accessibility interface or program code.
    connect(m_list1->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (selectedSlot() > 0)
            List1_Click();
    });
    connect(m_yomi, &QAction::triggered, this, &MainWindow::yomiRequested);
    connect(m_postcardPrinting, &QAction::triggered, this, &MainWindow::postcardPrintingRequested);
    connect(m_rosterPrinting, &QAction::triggered, this, &MainWindow::rosterPrintingRequested);
    connect(m_end, &QAction::triggered, this, &MainWindow::end_Click);
    connect(m_open, &QAction::triggered, this, &MainWindow::open_Click);
    connect(m_help, &QAction::triggered, this, &MainWindow::Help_Click);
}

std::optional<QString> MainWindow::Form_Load()
{
    // The lock first, so that a copy it refuses has touched neither file.
    if (const RosterFile::Status status = m_roster.file.takeLock();
        status != RosterFile::Status::Ok)
        return RosterFileTexts::openFailure(status, m_roster.file.errorString());
    if (std::optional<QString> failure = ReadSettings())
        return failure;
    if (const RosterFile::Status status = m_roster.file.open(); status != RosterFile::Status::Ok)
        return RosterFileTexts::openFailure(status, m_roster.file.errorString());
    return FillRosterList();
}

std::optional<QString> MainWindow::ReadSettings()
{
    if (!SettingsFile::isUsable())
        return MainWindowTexts::settingsNotOrdinary();
    if (ReadSettingsFile(m_settings)) {
        // The frame shows far fewer characters than this; laying out a name of megabytes from
        // a hand-edited file would take seconds at every refill, so the rest is never shown.
        constexpr qsizetype shownCharacters = 512;
        m_frame2->setTitle(m_settings.OwnerName.isEmpty()
                               ? MainWindowTexts::noOwnerTitle()
                               : MainWindowTexts::ownerTitle(m_settings.OwnerName)
                                     .left(shownCharacters));
        setWindowTitle(MainWindowTexts::loadedCaption());
        return std::nullopt;
    }
    m_settings.MaxEntries = 10;
    QString reason;
    if (!WriteSettingsFile(m_settings, &reason))
        return MainWindowTexts::cannotWriteSettings(reason);
    return std::nullopt;
}

std::optional<QString> MainWindow::FillRosterList()
{
    // A refill selects nothing and runs no selection handler: emptying the model clears the
    // choice silently.
    m_rosterLines->clear();
    m_picture.clear();
    m_image1->clear();
    const int bound = m_settings.MaxEntries;
    if (std::optional<QString> failure = ReadSettings())
        return failure;
    if (bound <= 0)
        return std::nullopt;
    QByteArray lastSlot;
    if (!m_rosterLines->fill(m_roster.file, bound, lastSlot))
        return RosterFileTexts::cannotRead(m_roster.file.errorString());
    m_roster.CurrentEntry = MeiboRecord::fromBytes(lastSlot);
    return std::nullopt;
}

int MainWindow::selectedSlot() const
{
    const QModelIndexList chosen = m_list1->selectionModel()->selectedIndexes();
    return chosen.isEmpty() ? 0 : RosterListModel::slotOf(chosen.first());
}

void MainWindow::showPicture(const QImage &picture)
{
    if (picture.isNull())
        m_image1->clear();
    else
        m_image1->setPixmap(QPixmap::fromImage(picture));
}

QSize MainWindow::pictureSize() const
{
    return m_image1->contentsRect().size() * m_image1->devicePixelRatioF();
}

void MainWindow::Command1_Click()
{
    const QString name = m_namae->text();
    if (name.isEmpty()) {
        showMessage(this, MainWindowTexts::noName());
        return;
    }
    const QString memo = memoForField(m_memo->toPlainText());
    // The roster would keep "?" for such a character; the box keeps it for the user to mend.
    const std::pair<QString, QString> boxes[] = {
        {name, MainWindowTexts::nameField()},
        {m_mail->text(), MainWindowTexts::mailField()},
        {m_tell->text(), MainWindowTexts::tellField()},
        {memo, MainWindowTexts::memoField()}};
    for (const auto &[text, field] : boxes) {
        if (!hasShiftJisForm(text)) {
            showMessage(this, MainWindowTexts::notShiftJis(field));
            return;
        }
    }
    MeiboRecord &entry = m_roster.CurrentEntry;
    entry.set(Field::Namae, name);
    entry.set(Field::Mail, m_mail->text());
    entry.set(Field::Tell, m_tell->text());
    entry.set(Field::Memo, memo);
    entry.set(Field::PicturePath, m_picture.CurrentPicturePath);
    const std::optional<std::int32_t> slot = roundToInt32(readLeadingNumber(m_text1->text()));
    const bool stored = slot && m_roster.file.writeSlot(*slot, entry) == RosterFile::Status::Ok;
    if (stored)
        emit rosterChanged();
    if (!stored || FillRosterList())
        showMessage(this, MainWindowTexts::noNumber());
}

void MainWindow::List1_Click()
{
    showSlot(selectedSlot());
}

void MainWindow::showEntry(int slot)
{
    if (slot > m_rosterLines->rowCount()) {
        m_list1->clearSelection();
        showSlot(slot);
    } else if (slot == selectedSlot()) {
        showSlot(slot);
    } else {
        m_list1->setCurrentIndex(m_rosterLines->index(slot - 1));
        m_list1->scrollTo(m_list1->currentIndex());
    }
}

void MainWindow::showSlot(int slot)
{
    PictureHandOver &picture = m_picture;
    picture.clear();
    m_image1->clear();
    MeiboRecord &entry = m_roster.CurrentEntry;
    // A slot the file cannot give reads as never written, which the boxes show as empty.
    m_roster.file.readSlot(slot, entry);
    m_text1->setText(QString::number(slot));
    m_namae->setText(entry.get(Field::Namae));
    m_mail->setText(entry.get(Field::Mail));
    m_tell->setText(entry.get(Field::Tell));
    m_memo->setPlainText(memoForBox(entry.get(Field::Memo)));
    picture.CurrentPicturePath = entry.get(Field::PicturePath);
    if (entry.isBlank(Field::Namae))
        m_namae->clear();
    if (entry.isBlank(Field::Mail))
        m_mail->clear();
    if (entry.isBlank(Field::Tell))
        m_tell->clear();
    if (entry.isBlank(Field::Memo))
        m_memo->clear();
    if (entry.isBlank(Field::PicturePath))
        return;
    const PictureLoad load = loadPictureWithin(entry.get(Field::PicturePath), pictureSize());
    if (load.succeeded()) {
        showPicture(load.picture);
        return;
    }
    showMessage(this, MainWindowTexts::pictureLoadError());
    showMessage(this, MainWindowTexts::pictureMissing());
}

void MainWindow::Command4_Click()
{
    MeiboRecord &entry = m_roster.CurrentEntry;
    entry.clear();
    m_image1->clear();
    m_picture.CurrentPicturePath.clear();
    m_namae->clear();
    m_mail->clear();
    m_tell->clear();
    m_memo->clear();
    const std::optional<std::int32_t> slot = roundToInt32(readLeadingNumber(m_text1->text()));
    // The confirmation names what the slot held, whatever line was chosen before.
    MeiboRecord deleted;
    const bool blanked = slot
                         && m_roster.file.readSlot(*slot, deleted) == RosterFile::Status::Ok
                         && m_roster.file.writeSlot(*slot, entry) == RosterFile::Status::Ok
                         && !FillRosterList();
    if (!blanked) {
        showMessage(this, MainWindowTexts::nothingToDelete());
        return;
    }
    m_text1->clear();
    emit rosterChanged();
    showMessage(this, MainWindowTexts::deleted(deleted.get(Field::Namae)));
}

void MainWindow::Command2_Click()
{
    emit endRequested();
}

void MainWindow::end_Click()
{
    emit endRequested();
}

void MainWindow::open_Click()
{
    emit settingsRequested();
}

void MainWindow::Help_Click()
{
    emit aboutRequested();
}

void MainWindow::Command3_Click()
{
    emit pictureChooserRequested();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The lock goes only with the program's last window.
    m_roster.file.closeKeepingLock();
    event->accept();
}
