#pragma once

#include <QAbstractListModel>
#include <QUuid>

#include <optional>

namespace glossivo {

class WordBookState;

// The words the word list shows, one row per word: the window's search and stage filter over
// the word book in stored order. It follows every change of the word book, the search and the
// filter by moving its rows in place, so that the view keeps its selection and scroll
// position. Rows hold positions in the word book and are checked against the word's id, so a
// paint between a change and the refresh shows nothing stale.
class WordListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        IdRole = Qt::UserRole,
        MeaningRole,
        StageRole,    // the shown stage now (int of DisplayStage)
        LearningRole, // the stored stage is learning: the icon is orange
        WantedRole,
        SpellRole,
        RegisterRole, // int of Register
        NotesRole,    // the word has at least one AI note
    };

    explicit WordListModel(WordBookState& state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The row of the word, when it is listed.
    std::optional<int> row(const QUuid& id) const;
    QUuid id(int row) const { return m_ids.value(row); }

    void refresh();

private:
    WordBookState& m_state;
    QList<qsizetype> m_positions;
    QList<QUuid> m_ids;
};

} // namespace glossivo
