#include "printing/print_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "printing/postcard_layout.h"
#include "printing/print_window_texts.h"
#include "printing/printing_settings.h"
#include "printing/printing_texts.h"
#include "printing/roster_sheet.h"
#include "roster/roster_file.h"
#include "roster/roster_file_texts.h"
#include "settings/settings_values.h"
#include "widgets/japanese_font.h"
#include "widgets/message_box.h"
#include "widgets/program_icon.h"

using namespace Qt::StringLiterals;

namespace {

// A caption without its access key, as a screen reader says it.
QString spoken(QString caption)
{
    static const QRegularExpression accessKey(u"\\(&.\\)"_s);
    return caption.remove(accessKey).remove(u'&');
}

template <typename Control>
Control *named(Control *control, const QString &name, const QString &accessibleName)
{
    control->setObjectName(name);
    control->setAccessibleName(spoken(accessibleName));
    return control;
}

} // namespace

PrintWindow::PrintWindow(PrintKind kind, const SettingsValues &settings, PrintReadings readings,
                         ChosenSlots chosenSlots, QWidget *parent)
    : QWidget(parent), m_kind(kind), m_settings(settings), m_readings(std::move(readings)),
      m_chosenSlots(std::move(chosenSlots))
{
    const bool postcards = kind == PrintKind::Postcards;
    setObjectName(postcards ? u"PostcardPrinting"_s : u"RosterPrinting"_s);
    setWindowTitle(postcards ? PrintWindowTexts::postcardCaption()
                             : PrintWindowTexts::rosterCaption());
    setWindowIcon(programIcon());
    setFont(japaneseGothicFont(9));
    m_printer.setFullPage(true);
    m_printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    m_printer.setPageSize(postcards ? postcardPageSize() : QPageSize(QPageSize::A4));
    m_printer.setPageOrientation(QPageLayout::Portrait);
    createControls();
    placeControls();
    showSettings(PrintingSettingsFile::read());
    connectSignals();
    refresh();
}

void PrintWindow::createControls()
{
    m_refresh = new QTimer(this);
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(0);
    m_check = new QTimer(this);
    m_check->setSingleShot(true);
    m_check->setInterval(0);

    m_all = named(new QRadioButton(PrintWindowTexts::allEntries(), this), u"allEntries"_s,
                  PrintWindowTexts::allEntries());
    m_all->setChecked(true);
    m_range = named(new QRadioButton(PrintWindowTexts::rangeEntries(), this), u"rangeEntries"_s,
                    PrintWindowTexts::rangeEntries());
    m_from = named(new QSpinBox(this), u"rangeFrom"_s, PrintWindowTexts::rangeFrom());
    m_to = named(new QSpinBox(this), u"rangeTo"_s, PrintWindowTexts::rangeTo());
    for (QSpinBox *box : {m_from, m_to})
        box->setRange(RosterFile::firstSlot, RosterFile::lastSlot);
    m_from->setValue(RosterFile::firstSlot);
    m_to->setValue(std::max<int>(RosterFile::firstSlot, m_settings.MaxEntries));
    m_chosen = named(new QRadioButton(PrintWindowTexts::chosenEntries(), this), u"chosenEntries"_s,
                     PrintWindowTexts::chosenEntries());
    m_chosen->setEnabled(bool(m_chosenSlots));
    m_order = named(new QComboBox(this), u"order"_s, PrintWindowTexts::order());
    m_order->addItem(PrintWindowTexts::numberOrder());
    m_order->addItem(PrintWindowTexts::yomiOrder());

    m_honorific = named(new QComboBox(this), u"honorific"_s, PrintWindowTexts::honorific());
    for (const Honorific each : {Honorific::Sama, Honorific::Dono, Honorific::Onchu})
        m_honorific->addItem(honorificText(each), int(each));
    m_drawBoxes = named(new QCheckBox(PrintWindowTexts::drawBoxes(), this), u"drawBoxes"_s,
                        PrintWindowTexts::drawBoxes());
    m_offsetX = named(new QDoubleSpinBox(this), u"offsetX"_s, PrintWindowTexts::offsetX());
    m_offsetY = named(new QDoubleSpinBox(this), u"offsetY"_s, PrintWindowTexts::offsetY());
    for (QDoubleSpinBox *box : {m_offsetX, m_offsetY}) {
        box->setRange(-20, 20);
        box->setDecimals(1);
        box->setSingleStep(0.1);
    }
    m_senderName = named(new QLabel(m_settings.OwnerName, this), u"senderName"_s,
                         PrintWindowTexts::senderName());
    m_senderPostalCode = named(new QLineEdit(this), u"senderPostalCode"_s,
                               PrintWindowTexts::senderPostalCode());
    m_senderAddress = named(new QPlainTextEdit(this), u"senderAddress"_s,
                            PrintWindowTexts::senderAddress());
    m_senderAddress->setTabChangesFocus(true);
    m_senderAddress->setFixedHeight(m_senderAddress->fontMetrics().height() * 4);
    m_pictures = named(new QCheckBox(PrintWindowTexts::pictures(), this), u"pictures"_s,
                       PrintWindowTexts::pictures());
    m_warnings = named(new QListWidget(this), u"warnings"_s, PrintWindowTexts::warningsLabel());

    m_preview = named(new QPrintPreviewWidget(&m_printer, this), u"preview"_s,
                      PrintWindowTexts::previewName());
    m_preview->setMinimumSize(420, 520);
    m_previewNote = named(new QLabel(this), u"previewNote"_s, PrintWindowTexts::previewName());
    m_savePdf = named(new QPushButton(PrintWindowTexts::savePdf(), this), u"savePdf"_s,
                      PrintWindowTexts::savePdf());
    m_print = named(new QPushButton(PrintWindowTexts::print(), this), u"print"_s,
                    PrintWindowTexts::print());
    m_close = named(new QPushButton(PrintWindowTexts::close(), this), u"close"_s,
                    PrintWindowTexts::close());
}

void PrintWindow::placeControls()
{
    const bool postcards = m_kind == PrintKind::Postcards;
    auto *entries = new QGroupBox(PrintWindowTexts::entriesGroup(), this);
    entries->setObjectName(u"entriesGroup"_s);
    auto *entriesLayout = new QVBoxLayout(entries);
    entriesLayout->addWidget(m_all);
    auto *rangeRow = new QHBoxLayout;
    rangeRow->addWidget(m_range);
    rangeRow->addWidget(m_from);
    auto *dash = new QLabel(PrintWindowTexts::rangeDash(), entries);
    dash->setObjectName(u"rangeDash"_s);
    rangeRow->addWidget(dash);
    rangeRow->addWidget(m_to);
    rangeRow->addStretch();
    entriesLayout->addLayout(rangeRow);
    entriesLayout->addWidget(m_chosen);
    auto *orderRow = new QFormLayout;
    orderRow->addRow(PrintWindowTexts::order(), m_order);
    entriesLayout->addLayout(orderRow);

    auto *options = new QGroupBox(PrintWindowTexts::optionsGroup(), this);
    options->setObjectName(u"optionsGroup"_s);
    auto *optionsLayout = new QFormLayout(options);
    auto *controls = new QVBoxLayout;
    controls->addWidget(entries);
    controls->addWidget(options);
    if (postcards) {
        optionsLayout->addRow(PrintWindowTexts::honorific(), m_honorific);
        optionsLayout->addRow(m_drawBoxes);
        optionsLayout->addRow(PrintWindowTexts::offsetX(), m_offsetX);
        optionsLayout->addRow(PrintWindowTexts::offsetY(), m_offsetY);
        auto *sender = new QGroupBox(PrintWindowTexts::senderGroup(), this);
        sender->setObjectName(u"senderGroup"_s);
        auto *senderLayout = new QFormLayout(sender);
        senderLayout->addRow(PrintWindowTexts::senderName(), m_senderName);
        senderLayout->addRow(PrintWindowTexts::senderPostalCode(), m_senderPostalCode);
        senderLayout->addRow(PrintWindowTexts::senderAddress(), m_senderAddress);
        controls->addWidget(sender);
        auto *warningsLabel = new QLabel(PrintWindowTexts::warningsLabel(), this);
        warningsLabel->setObjectName(u"warningsLabel"_s);
        warningsLabel->setBuddy(m_warnings);
        controls->addWidget(warningsLabel);
        controls->addWidget(m_warnings, 1);
        m_pictures->hide();
    } else {
        optionsLayout->addRow(m_pictures);
        for (QWidget *unused : {static_cast<QWidget *>(m_honorific), static_cast<QWidget *>(m_drawBoxes),
                                static_cast<QWidget *>(m_offsetX), static_cast<QWidget *>(m_offsetY),
                                static_cast<QWidget *>(m_senderName),
                                static_cast<QWidget *>(m_senderPostalCode),
                                static_cast<QWidget *>(m_senderAddress),
                                static_cast<QWidget *>(m_warnings)})
            unused->hide();
        controls->addStretch();
    }

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_previewNote, 1);
    buttons->addWidget(m_savePdf);
    buttons->addWidget(m_print);
    buttons->addWidget(m_close);
    auto *right = new QVBoxLayout;
    right->addWidget(m_preview, 1);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(right, 1);
}

void PrintWindow::connectSignals()
{
    connect(m_refresh, &QTimer::timeout, this, &PrintWindow::refresh);
    connect(m_check, &QTimer::timeout, this, &PrintWindow::checkPostalCodes);
    for (QRadioButton *button : {m_all, m_range, m_chosen})
        connect(button, &QRadioButton::toggled, this, &PrintWindow::scheduleRefresh);
    for (QSpinBox *box : {m_from, m_to})
        connect(box, &QSpinBox::valueChanged, this, &PrintWindow::scheduleRefresh);
    for (QComboBox *box : {m_order, m_honorific})
        connect(box, &QComboBox::currentIndexChanged, this, &PrintWindow::scheduleRefresh);
    for (QCheckBox *box : {m_drawBoxes, m_pictures})
        connect(box, &QCheckBox::toggled, this, &PrintWindow::scheduleRefresh);
    for (QDoubleSpinBox *box : {m_offsetX, m_offsetY})
        connect(box, &QDoubleSpinBox::valueChanged, this, &PrintWindow::scheduleRefresh);
    connect(m_senderPostalCode, &QLineEdit::textChanged, this, &PrintWindow::scheduleRefresh);
    connect(m_senderAddress, &QPlainTextEdit::textChanged, this, &PrintWindow::scheduleRefresh);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *printer) { paintPages(printer, previewPages); });
    connect(m_savePdf, &QPushButton::clicked, this, &PrintWindow::savePdf);
    connect(m_print, &QPushButton::clicked, this, &PrintWindow::printPages);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
}

void PrintWindow::showSettings(const PrintingSettings &settings)
{
    m_honorific->setCurrentIndex(m_honorific->findData(int(settings.honorific)));
    m_drawBoxes->setChecked(settings.drawBoxes);
    m_offsetX->setValue(settings.offsetXMillimetres);
    m_offsetY->setValue(settings.offsetYMillimetres);
    m_senderPostalCode->setText(settings.senderPostalCode);
    m_senderAddress->setPlainText(settings.senderAddress);
    m_pictures->setChecked(settings.pictures);
}

PrintingSettings PrintWindow::printingSettings() const
{
    PrintingSettings settings;
    settings.senderPostalCode = m_senderPostalCode->text().trimmed();
    settings.senderAddress = m_senderAddress->toPlainText();
    settings.honorific = Honorific(m_honorific->currentData().toInt());
    settings.drawBoxes = m_drawBoxes->isChecked();
    settings.pictures = m_pictures->isChecked();
    settings.offsetXMillimetres = m_offsetX->value();
    settings.offsetYMillimetres = m_offsetY->value();
    return settings;
}

QList<PrintEntry> PrintWindow::chosenEntries() const
{
    PrintChoice choice;
    if (m_range->isChecked()) {
        choice.which = PrintChoice::Which::Range;
        choice.from = std::min(m_from->value(), m_to->value());
        choice.to = std::max(m_from->value(), m_to->value());
    } else if (m_chosen->isChecked() && m_chosenSlots) {
        choice.which = PrintChoice::Which::Chosen;
        choice.chosen = m_chosenSlots();
    }
    choice.order = m_order->currentIndex() == 1 ? PrintOrder::Yomi : PrintOrder::Number;
    const QList<PrintEntry> entries = chooseEntries(m_roster, choice, m_readings);
    return m_kind == PrintKind::Postcards ? postcardEntries(entries) : entries;
}

void PrintWindow::scheduleRefresh()
{
    m_refresh->start();
}

void PrintWindow::refresh()
{
    QString reason;
    const std::optional<QList<ExchangeEntry>> roster = readRosterForPrinting(&reason);
    m_roster = roster.value_or(QList<ExchangeEntry>());
    const QList<PrintEntry> entries = chosenEntries();
    int pages = 0;
    if (m_kind == PrintKind::Postcards) {
        pages = int(entries.size());
        m_check->start();
    } else {
        pages = rosterSheetPages(entries.size(),
                                 {PrintingTexts::rosterTitle(m_settings.OwnerName),
                                  m_pictures->isChecked()});
    }
    m_previewNote->setText(roster ? PrintWindowTexts::previewNote(std::min(pages, previewPages), pages)
                                  : RosterFileTexts::cannotRead(reason));
    const bool any = !entries.isEmpty();
    m_savePdf->setEnabled(any);
    m_print->setEnabled(any);
    m_preview->updatePreview();
}

void PrintWindow::checkPostalCodes()
{
    if (!m_directoryRead) {
        m_directory.load();
        m_directoryRead = true;
    }
    m_warnings->clear();
    for (const PostalCodeWarning &warning : ::checkPostalCodes(chosenEntries(), m_directory))
        m_warnings->addItem(PrintingTexts::warning(warning));
    if (m_warnings->count() == 0)
        m_warnings->addItem(PrintWindowTexts::noWarnings());
}

void PrintWindow::paintPages(QPrinter *printer, int maxPages)
{
    const QList<PrintEntry> entries = chosenEntries();
    if (m_kind == PrintKind::Postcards)
        paintPostcards(*printer, entries, {printingSettings(), m_settings.OwnerName}, maxPages);
    else
        paintRosterSheet(*printer, entries,
                         {PrintingTexts::rosterTitle(m_settings.OwnerName), m_pictures->isChecked()},
                         maxPages);
}

bool PrintWindow::saveAs(const QString &path)
{
    storeSettings();
    const QList<PrintEntry> entries = chosenEntries();
    QString reason;
    const bool written =
        m_kind == PrintKind::Postcards
            ? writePostcardsPdf(path, entries, {printingSettings(), m_settings.OwnerName}, &reason)
            : writeRosterSheetPdf(path, entries,
                                  {PrintingTexts::rosterTitle(m_settings.OwnerName),
                                   m_pictures->isChecked()},
                                  &reason);
    if (!written)
        showMessage(this, PrintingTexts::cannotWritePdf(QDir::toNativeSeparators(path), reason));
    return written;
}

void PrintWindow::savePdf()
{
    const QString suggested = m_kind == PrintKind::Postcards ? PrintWindowTexts::postcardFileName()
                                                             : PrintWindowTexts::rosterFileName();
    const QString path = QFileDialog::getSaveFileName(
        this, spoken(PrintWindowTexts::savePdf()), QDir::current().filePath(suggested),
        PrintWindowTexts::pdfFilter());
    if (!path.isEmpty())
        saveAs(path);
}

void PrintWindow::printPages()
{
    storeSettings();
    QPrintDialog dialog(&m_printer, this);
    dialog.setObjectName(u"printDialog"_s);
    if (dialog.exec() == QDialog::Accepted)
        paintPages(&m_printer, 0);
}

void PrintWindow::storeSettings()
{
    PrintingSettings settings = printingSettings();
    // The roster's window keeps the postcard's options as they were, and the other way round.
    const PrintingSettings stored = PrintingSettingsFile::read();
    if (m_kind == PrintKind::Roster) {
        const bool pictures = settings.pictures;
        settings = stored;
        settings.pictures = pictures;
    } else {
        settings.pictures = stored.pictures;
    }
    QString reason;
    if (!PrintingSettingsFile::write(settings, &reason))
        showMessage(this, PrintingTexts::cannotSaveSettings(reason));
}
