#include "about/about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

#include "about/about_box_texts.h"
#include "application_identity.h"
#include "widgets/enter_presses_buttons.h"
#include "widgets/message_box.h"
#include "widgets/program_icon.h"
#include "widgets/twips.h"

using namespace Qt::StringLiterals;

namespace {

// A letter with a speech bubble: the box invites mail with comments.
QPixmap decorationPixmap()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(70, 70, 110), 1.2));
    painter.setBrush(QColor(250, 245, 220));
    painter.drawRect(QRectF(2.5, 12.5, 22, 15));
    painter.drawPolyline(QPolygonF({QPointF(2.5, 12.5), QPointF(13.5, 21), QPointF(24.5, 12.5)}));
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(15.5, 2.5, 14, 10), 3, 3);
    bubble.moveTo(19, 12.5);
    bubble.lineTo(18, 16.5);
    bubble.lineTo(23, 12.5);
    painter.setBrush(QColor(120, 190, 240));
    painter.drawPath(bubble.simplified());
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    for (double x : {19.5, 22.5, 25.5})
        painter.drawEllipse(QPointF(x, 7.5), 1.1, 1.1);
    return pixmap;
}

QFrame *lineFrame(QWidget *parent, const QColor &colour)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    return line;
}

void setBlackText(QLabel *label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
}

} // namespace

AboutBox::AboutBox(SystemInformation::Services services, QWidget *parent)
    : QDialog(parent), m_services(services)
{
    setObjectName(u"frmAbout"_s);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowIcon(programIcon());
    setFixedSize(twipsToPixels(5730), twipsToPixels(3555));
    createControls();
    placeControls();
    connectSignals();
    letEnterPressButtons(this);
    Form_Load();
}

void AboutBox::createControls()
{
    // Buttons first: the focus chain then runs OK, System Information, and starts on OK.
    m_cmdOK = new QPushButton(AboutBoxTexts::ok(), this);
    m_cmdOK->setObjectName(u"cmdOK"_s);
    m_cmdOK->setAutoDefault(false);
    m_cmdOK->setDefault(true);

    m_cmdSysInfo = new QPushButton(AboutBoxTexts::systemInformation(), this);
    m_cmdSysInfo->setObjectName(u"cmdSysInfo"_s);
    // OK stays the default button while the focus is here; Enter presses the focused button.
    m_cmdSysInfo->setAutoDefault(false);

    m_image1 = new QLabel(this);
    m_image1->setObjectName(u"Image1"_s);
    m_image1->setAccessibleName(AboutBoxTexts::programIconName());
    m_image1->setPixmap(programIconPixmap());

    m_lblTitle = new QLabel(this);
    m_lblTitle->setObjectName(u"lblTitle"_s);
    setBlackText(m_lblTitle);

    m_lblVersion = new QLabel(this);
    m_lblVersion->setObjectName(u"lblVersion"_s);

    m_label2 = new QLabel(AboutBoxTexts::note(), this);
    m_label2->setObjectName(u"Label2"_s);

    m_image2 = new QLabel(this);
    m_image2->setObjectName(u"Image2"_s);
    m_image2->setAccessibleName(AboutBoxTexts::decorationName());
    m_image2->setPixmap(decorationPixmap());

    m_line1Shadow = lineFrame(this, QColor(128, 128, 128));
    m_line1Shadow->setObjectName(u"Line1"_s);
    m_line1Shadow->setProperty("Index", 1);
    m_line1Shadow->setAccessibleName(AboutBoxTexts::separatorShadowName());

    m_line1Light = lineFrame(this, Qt::white);
    m_line1Light->setObjectName(u"Line1"_s);
    m_line1Light->setProperty("Index", 0);
    m_line1Light->setAccessibleName(AboutBoxTexts::separatorLightName());

    m_lblDisclaimer = new QLabel(AboutBoxTexts::credit(), this);
    m_lblDisclaimer->setObjectName(u"lblDisclaimer"_s);
    setBlackText(m_lblDisclaimer);

    m_label1 = new QLabel(AboutBoxTexts::contact(), this);
    m_label1->setObjectName(u"Label1"_s);

    for (QLabel *label : {m_lblTitle, m_lblVersion, m_label2, m_lblDisclaimer, m_label1})
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void AboutBox::placeControls()
{
    m_image1->setGeometry(twipsRect(120, 240, 480, 480));
    m_lblTitle->setGeometry(twipsRect(1050, 240, 3885, 480));
    m_lblVersion->setGeometry(twipsRect(1050, 780, 3885, 225));
    m_label2->setGeometry(twipsRect(840, 1440, 4215, 255));
    m_image2->setGeometry(twipsRect(5040, 1560, 480, 480));
    // One pixel of grey above two of white, the light starting a little further right.
    m_line1Shadow->setGeometry(twipsRect(90, 2445, 5654 - 90, 15));
    m_line1Light->setGeometry(twipsRect(105, 2460, 5654 - 105, 30));
    m_lblDisclaimer->setGeometry(twipsRect(255, 2625, 3870, 345));
    m_cmdOK->setGeometry(twipsRect(4245, 2625, 1380, 345));
    m_label1->setGeometry(twipsRect(240, 3000, 3975, 255));
    m_cmdSysInfo->setGeometry(twipsRect(4260, 3075, 1380, 345));
    m_line1Light->lower();
    m_line1Shadow->raise();
}

void AboutBox::connectSignals()
{
    connect(m_cmdOK, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);
    connect(m_cmdSysInfo, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);
}

void AboutBox::Form_Load()
{
    const QString title = ApplicationIdentity::title();
    setWindowTitle(AboutBoxTexts::caption(title));
    m_lblVersion->setText(AboutBoxTexts::version(ApplicationIdentity::version()));
    m_lblTitle->setText(title);
}

void AboutBox::StartSysInfo()
{
    if (!startSystemInformation(m_services))
        showMessage(this, AboutBoxTexts::unavailable());
}

void AboutBox::reject()
{
    cmdOK_Click();
}

void AboutBox::cmdOK_Click()
{
    emit closed();
}

void AboutBox::cmdSysInfo_Click()
{
    StartSysInfo();
}
