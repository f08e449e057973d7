#include "app/WordBookWatcher.h"

#include "model/WordStore.h"

namespace glossivo {

WordBookWatcher::WordBookWatcher(WordStore& store, const QString& folder, QObject* parent)
    : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(200);
    // This program's own writes change the folder too; the look then finds nothing new, at the
    // cost of a few stat calls.
    connect(&m_settle, &QTimer::timeout, this, [&store] { store.refresh(); });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle,
            qOverload<>(&QTimer::start));
    m_watcher.addPath(folder);
}

} // namespace glossivo
