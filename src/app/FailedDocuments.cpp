#include "app/FailedDocuments.h"

namespace glossivo {

namespace {

QString named(const QStringList& documents)
{
    return documents.join(QStringLiteral("、"));
}

} // namespace

void FailedDocuments::add(const QString& document, const QString& reason)
{
    for (auto& [known, documents] : m_groups) {
        if (known != reason) continue;
        if (!documents.contains(document)) documents.append(document);
        return;
    }
    m_groups.append({reason, {document}});
}

void FailedDocuments::remove(const QString& document)
{
    for (auto& [reason, documents] : m_groups)
        documents.removeAll(document);
    m_groups.removeIf([](const auto& group) { return group.second.isEmpty(); });
}

QStringList FailedDocuments::names() const
{
    QStringList all;
    for (const auto& [reason, documents] : m_groups)
        all += documents;
    return all;
}

QString FailedDocuments::documents() const
{
    return named(names());
}

QStringList FailedDocuments::reasons() const
{
    QStringList lines;
    for (const Group& group : groups())
        lines.append(m_groups.size() > 1 ? group.documents + QStringLiteral("：") + group.reason
                                         : group.reason);
    return lines;
}

QList<FailedDocuments::Group> FailedDocuments::groups() const
{
    QList<Group> groups;
    for (const auto& [reason, documents] : m_groups)
        groups.append({named(documents), reason});
    return groups;
}

} // namespace glossivo
