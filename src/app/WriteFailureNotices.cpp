#include "app/WriteFailureNotices.h"

#include <QTimer>

namespace glossivo {

WriteFailureNotices::WriteFailureNotices(Notify notify, QObject* parent)
    : QObject(parent), m_notify(std::move(notify))
{}

void WriteFailureNotices::add(const QString& document, const QString& error, bool heldBack)
{
    (heldBack ? m_heldBack : m_failed).add(document, error);
    if (m_due) return;
    m_due = true;
    QTimer::singleShot(0, this, &WriteFailureNotices::announce);
}

void WriteFailureNotices::recovered(const QString& document)
{
    m_heldBack.remove(document);
    m_failed.remove(document);
    for (qsizetype i = m_said.size() - 1; i >= 0; --i) {
        m_said[i].documents.removeAll(document);
        if (!m_said[i].documents.isEmpty()) continue;
        const std::function<void()> withdraw = std::move(m_said[i].withdraw);
        m_said.removeAt(i);
        if (withdraw) withdraw();
    }
}

void WriteFailureNotices::announce()
{
    m_due = false;
    const auto say = [this](FailedDocuments& failed, const QString& retry) {
        if (failed.isEmpty()) return;
        const QString title = QStringLiteral("Glossivo 没能保存 %1").arg(failed.documents());
        const QString message =
            failed.reasons().join(QLatin1Char('\n')) + QLatin1Char('\n') + retry;
        const QStringList documents = failed.names();
        failed = {};
        m_said.append({documents, m_notify(title, message)});
    };
    say(m_heldBack, QStringLiteral("改动还在，等那个进程用完单词本就会自动保存。"));
    say(m_failed, QStringLiteral("改动还在，下次有改动时会再保存一次。"));
}

} // namespace glossivo
