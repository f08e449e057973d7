#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace glossivo {

namespace {

constexpr int kWaitMilliseconds = 1000;
const QByteArray kReopen = "reopen\n";

} // namespace

QString SingleInstance::channelName(const QString& supportDir)
{
    const QByteArray folder = QDir(supportDir).absolutePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex();
    return QStringLiteral("glossivo-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash.left(16)));
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), m_name(std::move(name))
{}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    if (askRunning()) return false;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
    if (m_server->listen(m_name)) return true;
    // Nobody answered, so the socket was left behind by a start that ended without closing it.
    QLocalServer::removeServer(m_name);
    m_server->listen(m_name);
    return true;
}

void SingleInstance::release()
{
    if (m_server) m_server->close();
}

bool SingleInstance::askRunning() const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kWaitMilliseconds)) return false;
    socket.write(kReopen);
    socket.waitForBytesWritten(kWaitMilliseconds);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            if (socket->readLine() == kReopen) Q_EMIT reopenRequested();
            socket->disconnectFromServer();
        });
    }
}

} // namespace glossivo
