#pragma once

#include <QPrinter>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "printing/postal_code_check.h"
#include "printing/print_selection.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPrintPreviewWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;
struct PrintingSettings;
struct SettingsValues;

// はがき宛名印刷 or 名簿を印刷: which entries, their order and the options, a preview of the
// first pages, and the PDF file or the printer. Modeless; the roster is read afresh for each
// preview, so that entries registered meanwhile are printed too.
class PrintWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PrintWindow)

public:
    // The slots chosen in another window; an empty function leaves that choice off.
    using ChosenSlots = std::function<QList<std::int32_t>()>;

    // So many pages are previewed at most, however many are printed.
    static constexpr int previewPages = 10;

    PrintWindow(PrintKind kind, const SettingsValues &settings, PrintReadings readings,
                ChosenSlots chosenSlots, QWidget *parent = nullptr);

    // The entries and options as the controls stand.
    QList<PrintEntry> chosenEntries() const;
    PrintingSettings printingSettings() const;

    // Writes the chosen pages into that file, reporting a failure by a message; true when written.
    bool saveAs(const QString &path);

private:
    void createControls();
    void placeControls();
    void connectSignals();
    void showSettings(const PrintingSettings &settings);

    // Once the event loop comes back, however many controls changed meanwhile.
    void scheduleRefresh();
    void refresh();
    // After the preview: the postal-code check, reading the directory the first time.
    void checkPostalCodes();
    void paintPages(QPrinter *printer, int maxPages);
    void savePdf();
    void printPages();
    void storeSettings();

    PrintKind m_kind;
    const SettingsValues &m_settings;
    PrintReadings m_readings;
    ChosenSlots m_chosenSlots;
    PostalCodeDirectory m_directory;
    QList<ExchangeEntry> m_roster;
    QPrinter m_printer{QPrinter::HighResolution};
    QTimer *m_refresh = nullptr;
    QTimer *m_check = nullptr;
    bool m_directoryRead = false;

    QRadioButton *m_all = nullptr;
    QRadioButton *m_range = nullptr;
    QSpinBox *m_from = nullptr;
    QSpinBox *m_to = nullptr;
    QRadioButton *m_chosen = nullptr;
    QComboBox *m_order = nullptr;
    QComboBox *m_honorific = nullptr;
    QCheckBox *m_drawBoxes = nullptr;
    QDoubleSpinBox *m_offsetX = nullptr;
    QDoubleSpinBox *m_offsetY = nullptr;
    QLabel *m_senderName = nullptr;
    QLineEdit *m_senderPostalCode = nullptr;
    QPlainTextEdit *m_senderAddress = nullptr;
    QCheckBox *m_pictures = nullptr;
    QListWidget *m_warnings = nullptr;
    QPrintPreviewWidget *m_preview = nullptr;
    QLabel *m_previewNote = nullptr;
    QPushButton *m_savePdf = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_close = nullptr;
};
