#include "app/LastWrite.h"

#include "app/FailedDocuments.h"
#include "app/QuitSignals.h"
#include "model/WordStore.h"

#include <QSignalBlocker>
#include <QTextStream>

namespace glossivo {

namespace {

QString errorLines(const FailedDocuments& failed)
{
    QString lines;
    for (const FailedDocuments::Group& group : failed.groups())
        lines +=
            QStringLiteral("Glossivo 退出前没能保存 %1：%2\n").arg(group.documents, group.reason);
    return lines;
}

} // namespace

LastWrite::LastWrite(WordStore& words, std::chrono::milliseconds wait, Notify notify,
                     QTextStream& errors)
    : m_words(words), m_wait(wait), m_notify(std::move(notify)), m_errors(errors)
{}

void LastWrite::run()
{
    QuitSignals::endBegins();
    if (m_words.isSaved()) return;
    // The wait below holds up the event loop; a signal that insists meanwhile ends the program
    // without it, and then this is what it says.
    QuitSignals::setLastWords(errorLines(unsaved()).toUtf8());
    bool written = false;
    {
        // The word book's own notices of a failing write promise a later try, which the end
        // will not make; what is left is said below instead.
        const QSignalBlocker quiet(m_words);
        written = m_words.writeHeldBack(m_wait);
    }
    const FailedDocuments failed = written ? FailedDocuments() : unsaved();
    m_errors << errorLines(failed) << Qt::flush;
    // Said now, or nothing to say: a signal from here on ends the program quietly.
    QuitSignals::setLastWords({});
    if (written || !m_notify) return;
    m_notify(QStringLiteral("Glossivo 退出前没能保存 %1").arg(failed.documents()),
             failed.reasons().join(QLatin1Char('\n')));
}

FailedDocuments LastWrite::unsaved() const
{
    FailedDocuments failed;
    for (const QString& document : m_words.failedDocuments())
        failed.add(document, m_words.writeError(document));
    // Changes still within the word book's patience for another process's turn are not counted
    // as failed yet, and a wait shorter than that patience leaves them so.
    if (failed.isEmpty())
        failed.add(QStringLiteral("单词本的改动"),
                   QStringLiteral("另一个 Glossivo 进程一直占着单词本"));
    return failed;
}

} // namespace glossivo
