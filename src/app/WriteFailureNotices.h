#pragma once

#include "app/FailedDocuments.h"

#include <QObject>

#include <functional>

namespace glossivo {

// The notices of documents that start failing to be written, one for each failed save: the
// documents a save could not write fail one after another inside its turn, while it holds the
// word book's lock, so they are gathered and said together once the event loop is back, never
// from inside the turn (whatever else failed before the loop came back goes with them). A notice
// that no longer holds goes: once every document it names is written, it is withdrawn, or never
// said.
class WriteFailureNotices : public QObject {
    Q_OBJECT

public:
    // Says a notice; what it returns withdraws it.
    using Notify =
        std::function<std::function<void()>(const QString& title, const QString& message)>;

    explicit WriteFailureNotices(Notify notify, QObject* parent = nullptr);

    // A document started failing. heldBack: another process's turn keeps its changes back, and
    // they are tried again by themselves once it ends, not only with the next change.
    void add(const QString& document, const QString& error, bool heldBack);
    // A document that failed is written again.
    void recovered(const QString& document);

private:
    struct Said {
        QStringList documents; // those not written since
        std::function<void()> withdraw;
    };

    void announce();

    Notify m_notify;
    FailedDocuments m_heldBack;
    FailedDocuments m_failed;
    bool m_due = false;
    QList<Said> m_said;
};

} // namespace glossivo
