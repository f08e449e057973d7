#include "wordbook/NoteListModel.h"

#include "model/BidiControls.h"
#include "model/WordStore.h"
#include "wordbook/WordBookState.h"
#include "wordbook/WordDetailData.h"

namespace glossivo {

NoteListModel::NoteListModel(WordBookState& state, QObject* parent)
    : QAbstractListModel(parent), m_state(state)
{
    refresh();
}

int NoteListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_notes.size());
}

QVariant NoteListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_notes.size()) return {};
    const AINote& note = m_notes[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return BidiControls::removed(note.original);
    case Qt::AccessibleTextRole:
        return note.original + QStringLiteral("，") + note.question;
    case QuestionRole:
        return BidiControls::removed(note.question);
    case IdRole:
        return note.id;
    default:
        return {};
    }
}

std::optional<int> NoteListModel::row(const QUuid& id) const
{
    for (int row = 0; row < m_notes.size(); ++row)
        if (m_notes[row].id == id) return row;
    return std::nullopt;
}

void NoteListModel::refresh()
{
    QList<AINote> notes = filteredNotes(m_state.store().sentenceNotes(), m_state.search());
    if (notes == m_notes) return;
    beginResetModel();
    m_notes = std::move(notes);
    endResetModel();
}

} // namespace glossivo
