#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace glossivo {

// Documents that could not be written, by the reason they failed for, as one notice says them:
// a turn that could not have the word book's lock fails all of its documents for one reason, a
// full disk perhaps each for its own.
class FailedDocuments {
public:
    struct Group {
        QString documents; // "words.json、review-stats.json"
        QString reason;
    };

    void add(const QString& document, const QString& reason);
    // A document written again after all.
    void remove(const QString& document);
    bool isEmpty() const { return m_groups.isEmpty(); }

    // Every document, in the order they failed.
    QStringList names() const;
    // The same as a notice's title names them.
    QString documents() const;
    // A line for each reason, led by its documents when they failed for different ones.
    QStringList reasons() const;
    QList<Group> groups() const;

private:
    QList<std::pair<QString, QStringList>> m_groups; // reason -> its documents, in order
};

} // namespace glossivo
