#include "platform/dbus/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QVariantMap>

namespace glossivo::DesktopNotifications {

bool send(const QString& title, const QString& message, std::chrono::milliseconds wait)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
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
    // Blocking, so that the message is on the bus before the caller goes on (or ends).
    const QDBusMessage reply = bus.call(notify, QDBus::Block, int(wait.count()));
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace glossivo::DesktopNotifications
