#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "widgets/message_box.h"

// Takes the place of the message box while it lives and keeps every text, in order.
class MessageRecorder final
{
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    const QStringList &texts() const { return m_texts; }
    void clear() { m_texts.clear(); }
    // Runs at every message, while the message would be on screen.
    void setOnMessage(std::function<void(const QString &)> onMessage)
    {
        m_onMessage = std::move(onMessage);
    }

private:
    QStringList m_texts;
    std::function<void(const QString &)> m_onMessage;
    MessageSink m_previous;
};
