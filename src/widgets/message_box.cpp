#include "widgets/message_box.h"

#include <QMessageBox>

#include "application_identity.h"

namespace {

MessageSink &currentSink()
{
    static MessageSink sink;
    return sink;
}

void showMessageBox(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf16(ApplicationIdentity::title), text,
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    // Names from the roster may look like markup; every character is shown as it is.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void showMessage(QWidget *parent, const QString &text)
{
    if (const MessageSink &sink = currentSink())
        sink(parent, text);
    else
        showMessageBox(parent, text);
}

MessageSink replaceMessageSink(MessageSink sink)
{
    MessageSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}
