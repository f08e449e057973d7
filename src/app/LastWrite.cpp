#include "app/LastWrite.h"

#include "model/WordStore.h"

#include <QMap>
#include <QSignalBlocker>
#include <QTextStream>

namespace glossivo {

LastWrite::LastWrite(WordStore& words, std::chrono::milliseconds wait, Notify notify,
                     QTextStream& errors)
    : m_words(words), m_wait(wait), m_notify(std::move(notify)), m_errors(errors)
{}

void LastWrite::run()
{
    {
        // The word book's own notices of a failing write promise a later try, which the end
        // will not make; what is left is said below instead.
        const QSignalBlocker quiet(m_words);
        if (m_words.writeHeldBack(m_wait)) return;
    }
    // The documents by the reason they failed for: a turn that could not have the lock fails
    // all of them for the same one.
    QMap<QString, QStringList> byReason;
    for (const QString& document : m_words.failedDocuments())
        byReason[m_words.writeError(document)].append(document);
    // A wait shorter than the word book's patience leaves the changes counted as waiting.
    if (byReason.isEmpty())
        byReason.insert(QStringLiteral("另一个 Glossivo 进程一直占着单词本"),
                        {QStringLiteral("单词本的改动")});
    QStringList all;
    QStringList lines;
    for (auto it = byReason.begin(); it != byReason.end(); ++it) {
        const QString documents = it.value().join(QStringLiteral("、"));
        m_errors << QStringLiteral("Glossivo 退出前没能保存 %1：%2").arg(documents, it.key())
                 << Qt::endl;
        all += it.value();
        lines.append(byReason.size() > 1 ? documents + QStringLiteral("：") + it.key() : it.key());
    }
    if (m_notify)
        m_notify(QStringLiteral("Glossivo 退出前没能保存 %1").arg(all.join(QStringLiteral("、"))),
                 lines.join(QLatin1Char('\n')));
}

} // namespace glossivo
