#pragma once

#include <QString>

namespace glossivo {

// The data folder and the location of every document in it.
class AppPaths {
public:
    explicit AppPaths(QString supportDir);

    // The process's data folder: GLOSSIVO_DATA_DIR when set and not empty, else the per-user
    // data location plus "Glossivo". Computed and prepared once, at first use: see prepare(),
    // and the temporary files of writes that a kill cut short are removed from it.
    static const AppPaths& shared();
    // Where the data folder lies for the given value of GLOSSIVO_DATA_DIR.
    static QString supportDirFor(const QString& environmentValue);
    // Creates the data folder for the given value of GLOSSIVO_DATA_DIR, for its owner alone.
    // The per-user one, which is ours alone, is tightened to that too when an earlier version
    // left it open to others; a folder that GLOSSIVO_DATA_DIR names and that already exists
    // keeps the access its owner gave it (its documents are the owner's alone all the same).
    static AppPaths prepare(const QString& environmentValue);

    const QString& supportDir() const { return m_supportDir; }
    QString config() const { return file("config.json"); }
    QString words() const { return file("words.json"); }
    QString notes() const { return file("notes.json"); }
    QString grammar() const { return file("grammar.json"); }
    QString affixes() const { return file("affixes.json"); }
    QString reviewStats() const { return file("review-stats.json"); }
    QString log() const { return file("learning-log.jsonl"); }
    QString deleted() const { return file("deleted.json"); }
    QString coach() const { return file("coach.json"); }
    QString syncState() const { return file("sync-state.json"); }
    // Locked while a process changes the word book (see FolderLock); never removed.
    QString wordBookLock() const { return file("word-book.lock"); }

private:
    QString file(const char* name) const;

    QString m_supportDir;
};

} // namespace glossivo
