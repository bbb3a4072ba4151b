#include "settings/settings_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

#include "platform/number_reading.h"
#include "settings/settings_dialog_texts.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "settings/threshold_reading.h"
#include "widgets/enter_presses_buttons.h"
#include "widgets/japanese_font.h"
#include "widgets/message_box.h"
#include "widgets/program_icon.h"
#include "widgets/single_line_box.h"
#include "widgets/twips.h"

using namespace Qt::StringLiterals;

SettingsDialog::SettingsDialog(SettingsValues &settings, QWidget *parent)
    : QWidget(parent), m_settings(settings)
{
    setObjectName(u"Settei"_s);
    setWindowTitle(SettingsDialogTexts::caption());
    setWindowIcon(programIcon());
    setFont(japaneseGothicFont(9));
    createControls();
    placeControls();
    connectSignals();
    letEnterPressButtons(this);
    Form_Load();
}

void SettingsDialog::createControls()
{
    m_label1 = new QLabel(SettingsDialogTexts::heading(), this);
    m_label1->setObjectName(u"Label1"_s);
    m_label1->setFont(japaneseGothicFont(12, true));

    m_label2 = new QLabel(SettingsDialogTexts::maxEntriesCaption(), this);
    m_label2->setObjectName(u"Label2"_s);
    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(u"Text1"_s);
    m_text1->setAccessibleName(SettingsDialogTexts::maxEntriesCaption());
    makeSingleLineBox(m_text1);
    makeNumberBox(m_text1);
    m_label2->setBuddy(m_text1);

    m_label3 = new QLabel(SettingsDialogTexts::ownerNameCaption(), this);
    m_label3->setObjectName(u"Label3"_s);
    m_text2 = new QLineEdit(this);
    m_text2->setObjectName(u"Text2"_s);
    m_text2->setAccessibleName(SettingsDialogTexts::ownerNameCaption());
    makeSingleLineBox(m_text2);
    m_label3->setBuddy(m_text2);

    m_ok = new QPushButton(SettingsDialogTexts::ok(), this);
    m_ok->setObjectName(u"OK"_s);
    // Enter in a text box must not store half-typed values; Enter on the button itself does.
    m_ok->setAutoDefault(false);
    m_ok->setDefault(false);

    m_label4 = new QLabel(this);
    m_label4->setObjectName(u"Label4"_s);
}

void SettingsDialog::placeControls()
{
    resize(twipsToPixels(4680), twipsToPixels(3195));
    m_label1->setGeometry(twipsRect(120, 120, 1455, 255));
    m_label2->setGeometry(twipsRect(120, 600, 1215, 255));
    m_text1->setGeometry(twipsRect(1440, 600, 1215, 270));
    m_label3->setGeometry(twipsRect(120, 960, 1095, 255));
    m_text2->setGeometry(twipsRect(1440, 960, 2415, 270));
    m_ok->setGeometry(twipsRect(1800, 2760, 1095, 375));
    m_label4->setGeometry(twipsRect(120, 1800, 4455, 375));

    QWidget::setTabOrder(m_text1, m_text2);
    QWidget::setTabOrder(m_text2, m_ok);
    m_text1->setFocus();
}

void SettingsDialog::connectSignals()
{
    connect(m_ok, &QPushButton::clicked, this, &SettingsDialog::OK_Click);
}

void SettingsDialog::Form_Load()
{
    if (ReadSettingsFile(m_settings)) {
        m_text1->setText(QString::number(m_settings.MaxEntries));
        m_text2->setText(m_settings.OwnerName);
    }
    m_label4->setText(SettingsDialogTexts::note());
}

void SettingsDialog::OK_Click()
{
    const QString maxText = m_text1->text();
    const std::optional<double> threshold = readThresholdNumber(maxText);
    // The warnings only ask; the value is stored whatever the user answers.
    if (threshold && *threshold >= 1000) {
        showMessage(this, SettingsDialogTexts::tooMany());
        showMessage(this, SettingsDialogTexts::changeableLater());
    }
    const std::optional<std::int16_t> maxEntries = roundToInt16(readLeadingNumber(maxText));
    if (!maxEntries) {
        showMessage(this, SettingsDialogTexts::outOfRange());
        return;
    }
    // The file keeps the name between double quotes without escaping, so one inside would cut
    // the name short at the next read.
    const QString ownerName = m_text2->text();
    if (ownerName.contains(u'"')) {
        showMessage(this, SettingsDialogTexts::quoteInName());
        return;
    }
    const SettingsValues values{*maxEntries, ownerName};
    if (!WriteSettingsFile(values)) {
        showMessage(this, SettingsDialogTexts::cannotSave());
        return;
    }
    m_settings = values;
    emit stored();
}
