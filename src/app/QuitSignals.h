#pragma once

#include <QByteArray>
#include <QObject>

#include <csignal>
#include <iterator>

namespace glossivo {

// SIGTERM, SIGINT and SIGHUP (a logout, a service manager's stop, Ctrl+C in a terminal) end
// the program as its menu's 退出 does: through the event loop, so that what runs at its end
// (writing the changes that wait for another process's turn) runs. The handler only writes a
// byte into a pipe; the event loop reads it and calls QCoreApplication::quit(). Every signal
// until the end begins is that same request: a logout sends SIGHUP right after SIGTERM, and a
// terminal's hang-up can bring both. A signal once the end has begun is someone who will not
// wait for it: it ends the process at once, as by the signal's own default action, after
// writing the last words set for it on the error output. One at a time per process; the
// signals' earlier handlers are back once it is gone.
class QuitSignals : public QObject {
    Q_OBJECT

public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

    // What a second signal writes on the error output from now on (lines of UTF-8, cut after
    // the last whole line that fits 8 KiB); empty for nothing. Set before a long wait at the
    // end, when it is known what the wait is for.
    static void setLastWords(const QByteArray& text);
    // The end (its wait for another process's turn) begins: from now on a signal ends the
    // program at once, unless it came together with the one that asked for the end.
    static void endBegins();

private:
    static void handle(int signal);
    [[noreturn]] static void endNow(int signal);
    void drain();

    static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
    int m_pipe[2] = {-1, -1}; // read end, write end
    struct sigaction m_previous[std::size(kSignals)];
};

} // namespace glossivo
