#pragma once

#include <QObject>
#include <QStringList>

#include <optional>

namespace glossivo {

class ChatStream;

// Collects one streamed chat reply until it ends, for reports that print the answer whole.
// It owns the stream.
class AnswerReader : public QObject {
    Q_OBJECT

public:
    explicit AnswerReader(ChatStream* stream);

    const QStringList& pieces() const { return m_pieces; }
    // The stream's failure message; none when it ended normally or has not ended yet.
    const std::optional<QString>& failure() const { return m_failure; }

Q_SIGNALS:
    // Once, after the stream finished or failed.
    void ended();

private:
    QStringList m_pieces;
    std::optional<QString> m_failure;
};

} // namespace glossivo
