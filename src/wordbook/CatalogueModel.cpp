#include "wordbook/CatalogueModel.h"

#include "model/WordStore.h"

#include "wordbook/WordSearch.h"
#include <algorithm>

namespace glossivo {

namespace {

constexpr int kPrefixes = 12;

} // namespace

CatalogueModel::CatalogueModel(Kind kind, WordStore& store, QObject* parent)
    : QAbstractListModel(parent), m_kind(kind), m_store(store)
{
    refresh();
}

// Grammar: one header, then the sixteen points. Affixes: the prefix header, the twelve
// prefixes, the suffix header, the eighteen suffixes.
int CatalogueModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    return m_kind == Kind::grammar ? int(enumCount<GrammarPoint>()) + 1
                                   : int(enumCount<Affix>()) + 2;
}

int CatalogueModel::row(int catalogueCase) const
{
    if (m_kind == Kind::grammar) return catalogueCase + 1;
    return catalogueCase < kPrefixes ? catalogueCase + 1 : catalogueCase + 2;
}

std::optional<int> CatalogueModel::catalogueCase(int row) const
{
    if (row <= 0 || row >= rowCount()) return std::nullopt;
    if (m_kind == Kind::grammar) return row - 1;
    if (row <= kPrefixes) return row - 1;
    if (row == kPrefixes + 1) return std::nullopt;
    return row - 2;
}

QString CatalogueModel::label(int catalogueCase) const
{
    return m_kind == Kind::grammar ? grammarLabel(GrammarPoint(catalogueCase))
                                   : affixPromptForm(Affix(catalogueCase));
}

QString CatalogueModel::header(int row) const
{
    if (m_kind == Kind::grammar)
        return QStringLiteral("已解锁 %1/%2").arg(m_unlocked).arg(enumCount<GrammarPoint>());
    // The count of the whole catalogue stands on the prefix section; the suffix header has none.
    if (row == 0)
        return QStringLiteral("已解锁 %1/%2 · 前缀").arg(m_unlocked).arg(enumCount<Affix>());
    return QStringLiteral("后缀");
}

QVariant CatalogueModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const std::optional<int> item = catalogueCase(index.row());
    if (!item) {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return header(index.row());
        if (role == HeaderRole) return true;
        return {};
    }
    const int count = m_counts.value(*item);
    switch (role) {
    case Qt::DisplayRole:
        return label(*item);
    case Qt::AccessibleTextRole: {
        QString text = label(*item);
        if (m_kind == Kind::affixes) text += QStringLiteral("，") + affixMeaning(Affix(*item));
        return text +
               (count > 0 ? QStringLiteral("，已解锁，%1").arg(count) : QStringLiteral("，未解锁"));
    }
    case HeaderRole:
        return false;
    case CaseRole:
        return *item;
    case CountRole:
        return count;
    case DetailRole:
        return m_kind == Kind::affixes ? affixMeaning(Affix(*item)) : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags CatalogueModel::flags(const QModelIndex& index) const
{
    if (!catalogueCase(index.row())) return Qt::ItemIsEnabled;
    return QAbstractListModel::flags(index);
}

void CatalogueModel::refresh()
{
    m_counts = m_kind == Kind::grammar ? WordSearch::countsByPoint(m_store.grammarEncounters())
                                       : WordSearch::countsByAffix(m_store.affixEncounters());
    m_unlocked =
        int(std::count_if(m_counts.cbegin(), m_counts.cend(), [](int count) { return count > 0; }));
    Q_EMIT dataChanged(index(0), index(rowCount() - 1));
}

} // namespace glossivo
