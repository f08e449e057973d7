#include "wordbook/WordListModel.h"

#include "model/BidiControls.h"
#include "model/Learning.h"
#include "model/WordStore.h"
#include "wordbook/StageTitles.h"
#include "wordbook/WordBookState.h"
#include "wordbook/WordSearch.h"

#include <QHash>

namespace glossivo {

WordListModel::WordListModel(WordBookState& state, QObject* parent)
    : QAbstractListModel(parent), m_state(state)
{
    connect(&m_state, &WordBookState::storeChanged, this, &WordListModel::refresh);
    connect(&m_state, &WordBookState::searchChanged, this, &WordListModel::refresh);
    connect(&m_state, &WordBookState::stageFilterChanged, this, &WordListModel::refresh);
    refresh();
}

int WordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_positions.size());
}

QVariant WordListModel::data(const QModelIndex& index, int role) const
{
    const QList<WordEntry>& entries = m_state.store().entries();
    if (!index.isValid() || index.row() >= m_positions.size()) return {};
    const qsizetype position = m_positions.at(index.row());
    if (position >= entries.size() || entries.at(position).id != m_ids.at(index.row())) return {};
    const WordEntry& entry = entries.at(position);
    const auto stage = [&] {
        return Learning::displayStage(entry, m_state.config(), m_state.now());
    };
    switch (role) {
    case Qt::DisplayRole:
        return BidiControls::removed(entry.headword);
    case Qt::AccessibleTextRole:
        return entry.headword + QStringLiteral("，") + stageTitle(stage()) + QStringLiteral("，") +
               entry.meaningZh;
    case Qt::ToolTipRole:
        return stageTitle(stage());
    case IdRole:
        return entry.id;
    case MeaningRole:
        return BidiControls::removed(entry.meaningZh);
    case StageRole:
        return int(stage());
    case LearningRole:
        return entry.stage == Stage::learning;
    case WantedRole:
        return entry.wantToLearn.value_or(false);
    case SpellRole:
        return entry.spellPractice.value_or(false);
    case RegisterRole:
        return int(entry.register_);
    case NotesRole:
        return entry.notes && !entry.notes->isEmpty();
    default:
        return {};
    }
}

std::optional<int> WordListModel::row(const QUuid& id) const
{
    const qsizetype found = m_ids.indexOf(id);
    if (found < 0) return std::nullopt;
    return int(found);
}

void WordListModel::refresh()
{
    const QList<WordEntry>& entries = m_state.store().entries();
    QList<qsizetype> positions = WordSearch::words(entries, m_state.search(), m_state.stageFilter(),
                                                   m_state.config(), m_state.now());
    QList<QUuid> ids;
    ids.reserve(positions.size());
    for (qsizetype position : positions)
        ids.append(entries.at(position).id);
    if (ids == m_ids) {
        // Same words, same order: only what a row shows may have changed.
        m_positions = std::move(positions);
        if (!m_ids.isEmpty()) Q_EMIT dataChanged(index(0), index(int(m_ids.size()) - 1));
        return;
    }
    // The rows move in place rather than being reset, so that the view keeps the selected word
    // and the scroll position where they still exist.
    Q_EMIT layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    if (!before.isEmpty()) {
        QHash<QUuid, int> rows;
        rows.reserve(ids.size());
        for (int i = int(ids.size()) - 1; i >= 0; --i)
            rows.insert(ids.at(i), i);
        for (const QModelIndex& old : before) {
            const int row = rows.value(m_ids.value(old.row()), -1);
            after.append(row < 0 ? QModelIndex() : createIndex(row, 0));
        }
    }
    m_positions = std::move(positions);
    m_ids = std::move(ids);
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
}

} // namespace glossivo
