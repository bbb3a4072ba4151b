#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message of the program: modal, the OK button alone, no icon, titled "Vedrin".
void showMessage(QWidget *parent, const QString &text);

// Tests put a recorder here; an empty sink brings back the real message box.
using MessageSink = std::function<void(QWidget *parent, const QString &text)>;
MessageSink replaceMessageSink(MessageSink sink);
