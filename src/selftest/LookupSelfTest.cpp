#include "selftest/SelfTest.h"

#include "ai/AIError.h"
#include "ai/DeepSeekClient.h"
#include "model/AppPaths.h"
#include "model/Blanks.h"
#include "model/ConfigStore.h"
#include "model/WordStore.h"
#include "selftest/FailureText.h"

#include <QFileInfo>

namespace glossivo::SelfTest {

namespace {

// A misspelt song title, a Chinese word and an online service's name written in lower case:
// the correction flag, other ways to say it and the note on what a name stands for.
QStringList lookupQueries()
{
    return {QStringLiteral("Silver Lantermz"), QStringLiteral("放弃"), QStringLiteral("vexly")};
}

// Built for every request, so the key and address are those of the configuration right now.
DeepSeekClient currentClient()
{
    return DeepSeekClient(ConfigStore::shared().config());
}

QString alternativesText(const QList<LookupResult::Alternative>& alternatives)
{
    QStringList parts;
    for (const LookupResult::Alternative& alternative : alternatives)
        parts.append(alternative.text + QStringLiteral("（") + alternative.meaningZh +
                     QStringLiteral("）"));
    return parts.join(QStringLiteral("；"));
}

QString lookupReport(const QString& query, const LookupResult& result)
{
    const Explanation& e = result.explanation;
    QString text = QStringLiteral("「") + query + QStringLiteral("」→ ") + e.headword +
                   QLatin1Char(' ') + e.phonetic.value_or(QString()) + QLatin1Char(' ') +
                   e.pos.value_or(QString()) + QLatin1Char(' ') + e.meaningZh +
                   QStringLiteral(" | 纠正=") +
                   (result.corrected == true ? QStringLiteral("true") : QStringLiteral("false")) +
                   QLatin1Char('\n');
    text += QStringLiteral("   这是什么：") + result.aboutZh.value_or(QStringLiteral("-")) +
            QLatin1Char('\n');
    text += QStringLiteral("   例句：") + e.sentence.value_or(QStringLiteral("-")) +
            QStringLiteral(" / ") + e.sentenceZh.value_or(QString()) + QLatin1Char('\n');
    if (result.alternatives && !result.alternatives->isEmpty())
        text += QStringLiteral("   其他说法：") + alternativesText(*result.alternatives) +
                QLatin1Char('\n');
    return text;
}

QString failureLine(const QString& query, const std::exception& error)
{
    return QStringLiteral("「") + query + QStringLiteral("」出错：") + failureText(error) +
           QLatin1Char('\n');
}

// The words of the argument: pieces between "|", trimmed of blanks, empty ones left out.
QStringList spellingWords(const QString& argument)
{
    QStringList words;
    for (const QString& piece : argument.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const QString word = Blanks::trimmed(piece);
        if (!word.isEmpty()) words.append(word);
    }
    return words;
}

// A reply without a headword would be saved as a nameless word that no search can find.
WordEntry addToPractice(const LookupResult& result)
{
    if (Blanks::trimmed(result.explanation.headword).isEmpty()) throw AIError::badResponse();
    return WordStore::shared().addSpellPractice(result.explanation);
}

QString addedText(const QString& word, const WordEntry& entry)
{
    return QStringLiteral("已加入常拼：") + word + QStringLiteral(" → ") + entry.headword +
           QStringLiteral("（") + entry.meaningZh + QStringLiteral("）");
}

QString addedLine(const QString& word, const WordEntry& entry)
{
    return addedText(word, entry) + QLatin1Char('\n');
}

// Says what is saved of the word beside the documents that were not. A failed write of the word
// book may have renamed its file into place and then failed to flush the folder that names it
// (EIO): the disk then shows the word, but a power cut may take it. Nor does a failed write of the
// word's place on the list tell whether the word's own write before it was flushed: the store
// keeps only a document's last error. So nothing is claimed of a word while the word book failed;
// a failed learning log alone leaves the word saved and listed.
QString unsavedLine(const QString& word, const WordEntry& entry, const QStringList& documents)
{
    const bool bookWritten = !documents.contains(QFileInfo(AppPaths::shared().words()).fileName());
    QString line = bookWritten ? addedText(word, entry) + QStringLiteral("；")
                               : QStringLiteral("「") + word + QStringLiteral("」");
    QStringList failures;
    for (const QString& document : documents)
        failures.append(writeFailureText(document, WordStore::shared().writeError(document)));
    return line + failures.join(QStringLiteral("；")) + QLatin1Char('\n');
}

} // namespace

QCoro::Task<> runLookup(QTextStream& out)
{
    for (const QString& query : lookupQueries()) {
        try {
            const LookupResult result = co_await currentClient().lookup(query);
            out << lookupReport(query, result);
        } catch (const std::exception& error) {
            out << failureLine(query, error);
        }
        out.flush();
    }
}

QCoro::Task<bool> addSpelling(QString words, QTextStream& out)
{
    bool allSaved = true;
    for (const QString& word : spellingWords(words)) {
        try {
            const LookupResult result = co_await currentClient().lookup(word);
            const WordEntry entry = addToPractice(result);
            const QStringList failed = WordStore::shared().failedDocuments();
            allSaved = allSaved && failed.isEmpty();
            out << (failed.isEmpty() ? addedLine(word, entry) : unsavedLine(word, entry, failed));
        } catch (const std::exception& error) {
            allSaved = false;
            out << failureLine(word, error);
        }
        out.flush();
    }
    co_return allSaved;
}

} // namespace glossivo::SelfTest
