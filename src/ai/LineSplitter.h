#pragma once

#include <QByteArray>

#include <optional>

namespace glossivo {

// Cuts a body that arrives in arbitrary fragments into lines. A line ends at "\n", "\r\n" or
// "\r"; bytes are kept until their line is complete, so a character split between two network
// reads is whole again before anything decodes it.
class LineSplitter {
public:
    void append(const QByteArray& bytes);
    // The next complete line without its end, or none until more bytes arrive.
    std::optional<QByteArray> next();
    // The body has ended: an unterminated last line becomes a line.
    void finish();

private:
    QByteArray m_buffer;
    qsizetype m_start = 0;
    bool m_finished = false;
};

} // namespace glossivo
