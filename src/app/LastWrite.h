#pragma once

#include <QString>

#include <chrono>
#include <functional>

class QTextStream;

namespace glossivo {

class FailedDocuments;
class WordStore;

// The tray program's last act on the word book as it ends: the changes that another process's
// turn held back are written, waiting that long at most for the turn to end, and what still
// cannot be written is said, in a desktop notification and on the error output, before the
// program is gone with it. With nothing waiting it takes no turn. While it waits, an end signal
// that did not come with the one that asked for the end (QuitSignals) ends the program at once
// and says what is not saved.
class LastWrite {
public:
    // A desktop notification that is out once it returns; whether it was shown.
    using Notify = std::function<bool(const QString& title, const QString& message)>;

    LastWrite(WordStore& words, std::chrono::milliseconds wait, Notify notify, QTextStream& errors);

    // At the end of the event loop (aboutToQuit).
    void run();

private:
    // What is not on disk, as far as the word book knows.
    FailedDocuments unsaved() const;

    WordStore& m_words;
    std::chrono::milliseconds m_wait;
    Notify m_notify;
    QTextStream& m_errors;
};

} // namespace glossivo
