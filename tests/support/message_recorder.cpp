#include "support/message_recorder.h"

MessageRecorder::MessageRecorder()
{
    m_previous = replaceMessageSink([this](QWidget *, const QString &text) {
        m_texts.append(text);
        if (m_onMessage)
            m_onMessage(text);
    });
}

MessageRecorder::~MessageRecorder()
{
    replaceMessageSink(std::move(m_previous));
}
