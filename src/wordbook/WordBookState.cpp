#include "wordbook/WordBookState.h"

#include "model/WordStore.h"

namespace glossivo {

WordBookState::WordBookState(WordStore& store, ConfigSource config, const Clock& clock,
                             QObject* parent)
    : QObject(parent), m_store(store), m_config(std::move(config)), m_clock(clock)
{
    // The word book speaks before it changes: the window looks once the change is done.
    connect(&m_store, &WordStore::willChange, this, &WordBookState::storeChanged,
            Qt::QueuedConnection);
    connect(&m_store, &WordStore::writeFailed, this, &WordBookState::storeChanged,
            Qt::QueuedConnection);
    connect(&m_store, &WordStore::writeRecovered, this, &WordBookState::storeChanged,
            Qt::QueuedConnection);
}

void WordBookState::setTab(Tab tab)
{
    if (tab == m_tab) return;
    m_tab = tab;
    Q_EMIT tabChanged();
}

void WordBookState::setSearch(const QString& search)
{
    if (search == m_search) return;
    m_search = search;
    Q_EMIT searchChanged();
}

void WordBookState::setStageFilter(std::optional<DisplayStage> stage)
{
    if (stage == m_stageFilter) return;
    m_stageFilter = stage;
    Q_EMIT stageFilterChanged();
}

void WordBookState::setSelection(std::optional<QUuid> id)
{
    if (id == m_selection) return;
    m_selection = id;
    Q_EMIT selectionChanged();
}

void WordBookState::setGrammarSelection(std::optional<GrammarPoint> point)
{
    if (point == m_grammarSelection) return;
    m_grammarSelection = point;
    Q_EMIT selectionChanged();
}

void WordBookState::setAffixSelection(std::optional<Affix> affix)
{
    if (affix == m_affixSelection) return;
    m_affixSelection = affix;
    Q_EMIT selectionChanged();
}

void WordBookState::setNoteSelection(std::optional<QUuid> id)
{
    if (id == m_noteSelection) return;
    m_noteSelection = id;
    Q_EMIT selectionChanged();
}

std::optional<AINote> WordBookState::selectedNote() const
{
    if (!m_noteSelection) return std::nullopt;
    for (const AINote& note : m_store.sentenceNotes())
        if (note.id == *m_noteSelection) return note;
    return std::nullopt;
}

std::optional<WordEntry> WordBookState::selectedWord() const
{
    if (!m_selection) return std::nullopt;
    for (const WordEntry& entry : m_store.entries())
        if (entry.id == *m_selection) return entry;
    return std::nullopt;
}

QString WordBookState::searchPrompt() const
{
    return m_tab == Tab::notes ? QStringLiteral("搜索笔记") : QStringLiteral("搜索单词或中文");
}

QString WordBookState::placeholder() const
{
    switch (m_tab) {
    case Tab::words:
        return QStringLiteral("选一个词查看详情");
    case Tab::grammar:
        return QStringLiteral("选一个语法点查看");
    case Tab::affixes:
        return QStringLiteral("选一个词缀查看");
    case Tab::notes:
        return QStringLiteral("选一条笔记查看");
    }
    return {};
}

QString WordBookState::wordHeader() const
{
    return QStringLiteral("在学 %1/%2 · 共 %3 个")
        .arg(m_store.learningCount())
        .arg(config().learningSlots)
        .arg(m_store.entries().size());
}

QString WordBookState::writeError() const
{
    const QStringList failed = m_store.failedDocuments();
    if (failed.isEmpty()) return {};
    // Held back by another process's turn, the word book tries again by itself.
    const QString retry = m_store.isHeldBack()
                              ? QStringLiteral("改动还在，等那个进程用完单词本就会自动保存。")
                              : QStringLiteral("改动还在，下次有改动时会再保存一次。");
    return QStringLiteral("没能保存 %1：%2\n%3")
        .arg(failed.join(QStringLiteral("、")), m_store.writeError(failed.first()), retry);
}

void WordBookState::deleteWord(const QUuid& id)
{
    m_store.deleteWord(id);
}

} // namespace glossivo
