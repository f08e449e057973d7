#include "platform/dbus/DesktopNotifications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QVariantMap>

namespace glossivo::DesktopNotifications {

namespace {

QDBusMessage serviceCall(const QString& method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                          QStringLiteral("/org/freedesktop/Notifications"),
                                          QStringLiteral("org.freedesktop.Notifications"), method);
}

QDBusMessage notifyCall(const QString& title, const QString& message)
{
    QDBusMessage notify = serviceCall(QStringLiteral("Notify"));
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

void post(const QString& title, const QString& message,
          std::function<void(std::optional<uint> id)> answered, std::chrono::milliseconds wait)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        // Later all the same, so that the caller sees one order of events whatever the desktop.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [answered] { answered(std::nullopt); },
            Qt::QueuedConnection);
        return;
    }
    // Kept by the application until the answer comes: a notice outlives what sent it.
    auto* watcher = new QDBusPendingCallWatcher(
        bus.asyncCall(notifyCall(title, message), int(wait.count())), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [answered](QDBusPendingCallWatcher* call) {
                         call->deleteLater();
                         const QDBusPendingReply<uint> reply = *call;
                         answered(reply.isError() ? std::nullopt
                                                  : std::optional<uint>(reply.value()));
                     });
}

void close(uint id)
{
    QDBusMessage closing = serviceCall(QStringLiteral("CloseNotification"));
    closing << id;
    QDBusConnection::sessionBus().send(closing);
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
