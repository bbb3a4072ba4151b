#include "readings/yomi.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "readings/reading_list.h"
#include "readings/reading_table_model.h"
#include "readings/reading_texts.h"
#include "readings/yomi_texts.h"
#include "roster/roster_file_texts.h"
#include "roster/roster_state.h"
#include "widgets/enter_presses_buttons.h"
#include "widgets/japanese_font.h"
#include "widgets/message_box.h"
#include "widgets/program_icon.h"
#include "widgets/single_line_box.h"

using namespace Qt::StringLiterals;

namespace {

bool isEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

Yomi::Yomi(RosterState &roster, QWidget *parent)
    : QWidget(parent), m_roster(roster), m_list(std::make_unique<ReadingList>())
{
    setObjectName(u"Yomi"_s);
    setWindowTitle(YomiTexts::title());
    setWindowIcon(programIcon());
    setFont(japaneseGothicFont(9));
    createControls();
    placeControls();
    connectSignals();
    letEnterPressButtons(this);
    reload();
}

Yomi::~Yomi() = default;

void Yomi::createControls()
{
    auto makeButton = [this](const QString &name, const QString &caption, QWidget *parent) {
        auto *button = new QPushButton(caption, parent);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    m_searchLabel = new QLabel(YomiTexts::searchLabel(), this);
    m_searchLabel->setObjectName(u"searchLabel"_s);
    m_searchBox = new QLineEdit(this);
    m_searchBox->setObjectName(u"searchBox"_s);
    m_searchBox->setAccessibleName(YomiTexts::searchName());
    makeSingleLineBox(m_searchBox);
    m_searchLabel->setBuddy(m_searchBox);

    m_indexBar = new QWidget(this);
    m_indexBar->setObjectName(u"indexBar"_s);
    m_indexBar->setAccessibleName(YomiTexts::indexBarName());
    const QStringList captions = YomiTexts::indexCaptions();
    for (qsizetype row = 0; row < captions.size(); ++row) {
        QPushButton *button = makeButton(u"index%1"_s.arg(row), captions.at(row), m_indexBar);
        button->setAccessibleName(YomiTexts::indexName(captions.at(row)));
        button->setToolTip(button->accessibleName());
        m_indexButtons.append(button);
    }

    m_table = new QTableView(this);
    m_table->setObjectName(u"entryTable"_s);
    m_table->setAccessibleName(YomiTexts::tableName());
    m_model = new ReadingTableModel(*m_list, m_table);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    // Fixed heights and widths: a table of 32767 rows then lays out without measuring each.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setStretchLastSection(true);
    const int character = m_table->fontMetrics().horizontalAdvance(u'あ');
    for (const auto &[column, characters] : {std::pair{ReadingTableModel::Number, 4},
                                             {ReadingTableModel::Name, 11},
                                             {ReadingTableModel::Reading, 14},
                                             {ReadingTableModel::Tell, 9}})
        m_table->setColumnWidth(column, character * characters);

    m_status = new QLabel(this);
    m_status->setObjectName(u"statusLine"_s);

    m_readingLabel = new QLabel(YomiTexts::readingLabel(), this);
    m_readingLabel->setObjectName(u"readingLabel"_s);
    m_readingBox = new QLineEdit(this);
    m_readingBox->setObjectName(u"readingBox"_s);
    m_readingBox->setAccessibleName(YomiTexts::readingName());
    makeSingleLineBox(m_readingBox);
    m_readingLabel->setBuddy(m_readingBox);
    m_register = makeButton(u"registerReading"_s, YomiTexts::registerReading(), this);
    m_adopt = makeButton(u"adoptGuess"_s, YomiTexts::adoptGuess(), this);
    m_show = makeButton(u"showEntry"_s, YomiTexts::showEntry(), this);
}

void Yomi::placeControls()
{
    auto *search = new QHBoxLayout;
    search->addWidget(m_searchLabel);
    search->addWidget(m_searchBox, 1);
    auto *index = new QHBoxLayout(m_indexBar);
    index->setContentsMargins(0, 0, 0, 0);
    index->setSpacing(2);
    for (QPushButton *button : std::as_const(m_indexButtons)) {
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(u'あ') * 3);
        index->addWidget(button);
    }
    index->addStretch(1);
    auto *reading = new QHBoxLayout;
    reading->addWidget(m_readingLabel);
    reading->addWidget(m_readingBox, 1);
    reading->addWidget(m_register);
    reading->addWidget(m_adopt);
    reading->addWidget(m_show);
    auto *all = new QVBoxLayout(this);
    all->addLayout(search);
    all->addWidget(m_indexBar);
    all->addWidget(m_table, 1);
    all->addWidget(m_status);
    all->addLayout(reading);
    resize(760, 520);

    QWidget::setTabOrder(m_searchBox, m_indexButtons.first());
    for (qsizetype i = 1; i < m_indexButtons.size(); ++i)
        QWidget::setTabOrder(m_indexButtons.at(i - 1), m_indexButtons.at(i));
    QWidget::setTabOrder(m_indexButtons.last(), m_table);
    QWidget::setTabOrder(m_table, m_readingBox);
    QWidget::setTabOrder(m_readingBox, m_register);
    QWidget::setTabOrder(m_register, m_adopt);
    QWidget::setTabOrder(m_adopt, m_show);
}

void Yomi::connectSignals()
{
    connect(m_searchBox, &QLineEdit::textChanged, this, [this] { refill(chosenNumber()); });
    for (qsizetype row = 0; row < m_indexButtons.size(); ++row)
        connect(m_indexButtons.at(row), &QPushButton::clicked, this,
                [this, row] { jumpToRow(int(row)); });
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, &Yomi::sortBy);
    connect(m_table, &QTableView::doubleClicked, this, &Yomi::showChosen);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &Yomi::updateChosen);
    connect(m_register, &QPushButton::clicked, this, &Yomi::registerReading);
    connect(m_adopt, &QPushButton::clicked, this, &Yomi::adoptGuess);
    connect(m_show, &QPushButton::clicked, this, &Yomi::showChosen);
    connect(m_readingBox, &QLineEdit::returnPressed, this, &Yomi::registerReading);
    m_table->installEventFilter(this);
    m_searchBox->installEventFilter(this);
}

bool Yomi::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_table || watched == m_searchBox) && isEnter(event)) {
        showChosen();
        return true;
    }
    // From the search box, the arrow down goes on to the list.
    if (watched == m_searchBox && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down) {
        m_table->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Yomi::reload()
{
    const int keep = chosenNumber();
    QString reason;
    const bool loaded = m_list->load(&reason);
    refill(keep);
    if (!loaded)
        showMessage(this, RosterFileTexts::cannotRead(reason));
}

void Yomi::refill(int keepNumber)
{
    const QList<int> positions = m_list->matching(
        m_list->ordered(m_byNumber ? ReadingList::Order::Number : ReadingList::Order::Reading),
        m_searchBox->text());
    m_model->setPositions(positions);
    m_table->horizontalHeader()->setSortIndicator(
        m_byNumber ? ReadingTableModel::Number : ReadingTableModel::Reading, Qt::AscendingOrder);
    m_status->setText(YomiTexts::status(positions.size(), m_list->size()));
    int row = 0;
    for (qsizetype i = 0; i < positions.size(); ++i) {
        if (m_list->entries().at(positions.at(i)).number == keepNumber) {
            row = int(i);
            break;
        }
    }
    choose(positions.isEmpty() ? -1 : row);
}

int Yomi::chosenPosition() const
{
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? m_model->positions().at(current.row()) : -1;
}

QList<std::int32_t> Yomi::chosenSlots() const
{
    QList<std::int32_t> chosen;
    for (const QModelIndex &row : m_table->selectionModel()->selectedRows())
        chosen.append(m_list->entries().at(m_model->positions().at(row.row())).number);
    return chosen;
}

int Yomi::chosenNumber() const
{
    const int position = chosenPosition();
    return position < 0 ? 0 : m_list->entries().at(position).number;
}

void Yomi::choose(int row)
{
    if (row < 0) {
        m_table->setCurrentIndex({});
        updateChosen();
        return;
    }
    const QModelIndex index = m_model->index(row, ReadingTableModel::Number);
    m_table->setCurrentIndex(index);
    m_table->scrollTo(index);
    updateChosen();
}

void Yomi::updateChosen()
{
    const int position = chosenPosition();
    const bool chosen = position >= 0;
    const ReadingEntry *entry = chosen ? &m_list->entries().at(position) : nullptr;
    m_readingBox->setText(chosen ? entry->reading : QString());
    m_readingBox->setEnabled(chosen);
    m_register->setEnabled(chosen);
    m_adopt->setEnabled(chosen && entry->kind == ReadingKind::Guessed);
    m_show->setEnabled(chosen);
}

void Yomi::jumpToRow(int gojuonRow)
{
    const QList<int> &positions = m_model->positions();
    for (qsizetype row = 0; row < positions.size(); ++row) {
        if (m_list->indexRow(positions.at(row)) == gojuonRow) {
            choose(int(row));
            m_table->scrollTo(m_table->currentIndex(), QAbstractItemView::PositionAtTop);
            m_table->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void Yomi::sortBy(int column)
{
    m_byNumber = column == ReadingTableModel::Number;
    refill(chosenNumber());
}

void Yomi::registerReading()
{
    confirm(m_readingBox->text());
}

void Yomi::adoptGuess()
{
    const int position = chosenPosition();
    if (position >= 0 && m_list->entries().at(position).kind == ReadingKind::Guessed)
        confirm(m_list->entries().at(position).reading);
}

void Yomi::showChosen()
{
    if (const int number = chosenNumber(); number > 0)
        emit entryChosen(number);
}

void Yomi::confirm(const QString &reading)
{
    const int position = chosenPosition();
    if (position < 0)
        return;
    const int number = m_list->entries().at(position).number;
    RosterFile &file = m_roster.file;
    // While the main window is unloaded the roster is closed, its lock kept for the program.
    const bool borrowed = !file.isOpen();
    QString reason;
    ReadingList::Confirmation confirmation = ReadingList::Confirmation::NotWritten;
    if (const RosterFile::Status status = borrowed ? file.open() : RosterFile::Status::Ok;
        status != RosterFile::Status::Ok)
        reason = RosterFileTexts::openFailure(status, file.errorString());
    else
        confirmation = m_list->confirm(position, reading, file, &reason);
    if (borrowed)
        file.closeKeepingLock();
    if (confirmation == ReadingList::Confirmation::NotKept)
        showMessage(this, ReadingTexts::readingNotKept());
    else if (confirmation == ReadingList::Confirmation::NotWritten)
        showMessage(this, ReadingTexts::cannotWriteReadings(reason));
    refill(number);
}
