#include "selftest/AnswerReader.h"

#include "ai/ChatStream.h"

namespace glossivo {

AnswerReader::AnswerReader(ChatStream* stream)
{
    stream->setParent(this);
    connect(stream, &ChatStream::textReceived, this,
            [this](const QString& text) { m_pieces.append(text); });
    connect(stream, &ChatStream::finished, this, &AnswerReader::ended);
    connect(stream, &ChatStream::failed, this, [this](const QString& message) {
        m_failure = message;
        Q_EMIT ended();
    });
}

} // namespace glossivo
