#pragma once

#include <QAbstractListModel>

#include <optional>

namespace glossivo {

class WordStore;

// The sidebar lists of the grammar and the affix tab: the whole catalogue, every point or affix
// whether met or not, under section headers that count the unlocked ones. The search does not
// reach them. A header is a row of its own that cannot be selected.
class CatalogueModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum class Kind { grammar, affixes };
    enum Role {
        HeaderRole = Qt::UserRole, // the row is a section header
        CaseRole,                  // the point's or affix's place in the catalogue
        CountRole,                 // its records; 0 while locked
        DetailRole,                // the affix's meaning beside its form
    };

    CatalogueModel(Kind kind, WordStore& store, QObject* parent = nullptr);

    Kind kind() const { return m_kind; }
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The row of a catalogue case, and the case of a row (none for a header).
    int row(int catalogueCase) const;
    std::optional<int> catalogueCase(int row) const;

    // Recounts the records; the rows stay where they are.
    void refresh();

private:
    QString label(int catalogueCase) const;
    QString header(int row) const;

    Kind m_kind;
    WordStore& m_store;
    QList<int> m_counts;
    int m_unlocked = 0;
};

} // namespace glossivo
