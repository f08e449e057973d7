#pragma once

#include "model/AINote.h"

#include <QAbstractListModel>

#include <optional>

namespace glossivo {

class WordBookState;

// The sentence notes the notes tab lists: the window's search over the word book's notes, in
// stored order. The display text is the passage; the question is a role of its own.
class NoteListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { IdRole = Qt::UserRole, QuestionRole };

    explicit NoteListModel(WordBookState& state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    std::optional<int> row(const QUuid& id) const;
    QUuid id(int row) const { return row >= 0 && row < m_notes.size() ? m_notes[row].id : QUuid(); }
    void refresh();

private:
    WordBookState& m_state;
    QList<AINote> m_notes;
};

} // namespace glossivo
