#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

namespace glossivo::testing {

// The watcher that KDE's and GNOME's panels run on the session bus: tray icons register their
// StatusNotifierItem with it. Registered here, it makes Qt show the program's tray icon as such
// an item, which a test can then read back over the bus.
class StatusNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    // False when the bus or the name is not to be had.
    bool registerOn(QDBusConnection bus)
    {
        return bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                                  QDBusConnection::ExportAllContents) &&
               bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    }

    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

    QStringList items;

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service) { items.append(service); }
    void RegisterStatusNotifierHost(const QString&) {}
};

} // namespace glossivo::testing
