#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

namespace glossivo {

class WordStore;

// Brings the tray program's word book up to date when another Glossivo process (a command-line
// mode) changes it, so that the menu and the open windows show a word saved there at once
// rather than after the next change made here.
class WordBookWatcher : public QObject {
    Q_OBJECT

public:
    WordBookWatcher(WordStore& store, const QString& folder, QObject* parent = nullptr);

private:
    QFileSystemWatcher m_watcher;
    QTimer m_settle; // a write shows as several changes of the folder: one look after them
};

} // namespace glossivo
