#include "widgets/message_box.h"

#include <QMessageBox>

#include "application_identity.h"

using namespace Qt::StringLiterals;

namespace {

MessageSink &currentSink()
{
    static MessageSink sink;
    return sink;
}

void showMessageBox(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationIdentity::title(), text,
                    QMessageBox::Ok, parent);
    box.setObjectName(u"MessageBox"_s);
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
