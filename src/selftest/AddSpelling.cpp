#include "selftest/SelfTest.h"

#include "ai/AIError.h"
#include "ai/DeepSeekClient.h"
#include "model/AppPaths.h"
#include "model/Blanks.h"
#include "model/ConfigStore.h"
#include "model/WordStore.h"
#include "selftest/FailureText.h"

#include <QFileInfo>

#include <optional>
#include <utility>

namespace glossivo::SelfTest {

namespace {

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
WordEntry addToPractice(WordStore& store, const LookupResult& result)
{
    if (Blanks::trimmed(result.explanation.headword).isEmpty()) throw AIError::badResponse();
    return store.addSpellPractice(result.explanation);
}

// The word book's file name, as the store names its failing documents (whatever the folder).
QString wordBookName()
{
    return QFileInfo(AppPaths(QString()).words()).fileName();
}

QString addedText(const QString& word, const WordEntry& entry)
{
    return QStringLiteral("已加入常拼：") + word + QStringLiteral(" → ") + entry.headword +
           QStringLiteral("（") + entry.meaningZh + QStringLiteral("）");
}

// The mode's lines, in the words' order, each printed once nothing can change what it says.
// Every write of the store also writes what failed before, so a word whose own write failed may
// be saved by a later word's. A word's line is therefore settled by the first write after which
// nothing waits (a change on disk stays there), or else at the end, by what the disk holds then;
// a failed lookup is settled at once.
class AdditionLines {
public:
    AdditionLines(WordStore& store, QTextStream& out) : m_store(store), m_out(out)
    {
        // Besides the words' own writes, changes that another process's turn held back are
        // tried again by themselves, while a later word is looked up.
        m_connection = QObject::connect(&store, &WordStore::saveStateChanged, [this] { settle(); });
    }
    ~AdditionLines() { QObject::disconnect(m_connection); }
    AdditionLines(const AdditionLines&) = delete;
    AdditionLines& operator=(const AdditionLines&) = delete;

    void added(const QString& word, const WordEntry& entry)
    {
        m_open.append({word, entry, {}});
        settle();
    }

    void lookupFailed(const QString& word, const std::exception& error)
    {
        m_open.append({word, std::nullopt, queryFailureLine(word, error)});
        m_allAdded = false;
        settle();
    }

    // Prints the lines still open as the disk stands now; whether every word was added and
    // every change is on disk.
    bool finish()
    {
        settle();
        for (const Line& line : std::exchange(m_open, {}))
            m_out << (line.entry ? unsavedLine(line) : line.lookupFailure);
        m_out.flush();
        return m_allAdded && m_store.isSaved();
    }

private:
    struct Line {
        QString word;
        std::optional<WordEntry> entry; // none when the lookup failed
        QString lookupFailure;
        bool bookWritten = false; // the word book was on disk at a write since the word's change
    };

    void settle()
    {
        const bool saved = m_store.isSaved();
        const bool bookWritten = !m_store.failedDocuments().contains(wordBookName());
        while (!m_open.isEmpty() && (saved || !m_open.first().entry)) {
            const Line line = m_open.takeFirst();
            m_out << (line.entry ? addedText(line.word, *line.entry) + QLatin1Char('\n')
                                 : line.lookupFailure);
        }
        for (Line& line : m_open)
            line.bookWritten = line.bookWritten || bookWritten;
        m_out.flush();
    }

    // Says what is saved of the word beside the documents that are not. A failed write of the
    // word book may have renamed its file into place and then failed to flush the folder that
    // names it (EIO): the disk then shows the word, but a power cut may take it. Nor does a failed
    // write of the word's place on the list tell whether the word's own write before it was
    // flushed: the store tells only which documents fail now. So nothing is claimed of a word
    // that no write of the word book has saved since; a failed learning log alone leaves the word
    // saved and listed.
    QString unsavedLine(const Line& line) const
    {
        QString text = line.bookWritten ? addedText(line.word, *line.entry) + QStringLiteral("；")
                                        : QStringLiteral("「") + line.word + QStringLiteral("」");
        QStringList failures;
        for (const QString& document : m_store.failedDocuments())
            failures.append(writeFailureText(document, m_store.writeError(document)));
        return text + failures.join(QStringLiteral("；")) + QLatin1Char('\n');
    }

    WordStore& m_store;
    QTextStream& m_out;
    QMetaObject::Connection m_connection;
    QList<Line> m_open; // not printed yet
    bool m_allAdded = true;
};

} // namespace

QCoro::Task<bool> addSpelling(QString words, QTextStream& out)
{
    return addSpelling(WordStore::shared(), ConfigStore::shared().config(), std::move(words), out);
}

QCoro::Task<bool> addSpelling(WordStore& store, AppConfig config, QString words, QTextStream& out)
{
    AdditionLines lines(store, out);
    for (const QString& word : spellingWords(words)) {
        try {
            const LookupResult result = co_await DeepSeekClient(config).lookup(word);
            lines.added(word, addToPractice(store, result));
        } catch (const std::exception& error) {
            lines.lookupFailed(word, error);
        }
    }
    co_return lines.finish();
}

} // namespace glossivo::SelfTest
