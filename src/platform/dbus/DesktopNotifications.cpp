#include "platform/dbus/DesktopNotifications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QGuiApplication>
#include <QVariantMap>

namespace glossivo::DesktopNotifications {

namespace {

QDBusMessage notifyCall(const QString& title, const QString& message)
{
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QGuiApplication::desktopFileName()},
        {QStringLiteral("urgency"), QVariant::fromValue(uchar(1))}, // normal
    };
    // Servers that understand markup in the body would read a "<" of a file name as a tag.
    notify << QStringLiteral("Glossivo") << uint(0) << QStringLiteral("glossivo") << title
           << message.toHtmlEscaped() << QStringList() << hints << -1;
    return notify;
}

} // namespace

void post(const QString& title, const QString& message, std::function<void(bool shown)> answered,
          std::chrono::milliseconds wait)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        // Later all the same, so that the caller sees one order of events whatever the desktop.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [answered] { answered(false); }, Qt::QueuedConnection);
        return;
    }
    // Kept by the application until the answer comes: a notice outlives what sent it.
    auto* watcher = new QDBusPendingCallWatcher(
        bus.asyncCall(notifyCall(title, message), int(wait.count())), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [answered](QDBusPendingCallWatcher* call) {
                         call->deleteLater();
                         answered(!call->isError());
                     });
}

bool send(const QString& title, const QString& message, std::chrono::milliseconds wait)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    const QDBusMessage reply =
        bus.call(notifyCall(title, message), QDBus::Block, int(wait.count()));
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace glossivo::DesktopNotifications
