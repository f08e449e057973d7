#include "sync/SyncError.h"

namespace glossivo {

SyncError::SyncError(Kind kind, int status, const QString& description)
    : m_kind(kind), m_status(status), m_what(description.toUtf8())
{}

SyncError SyncError::http(int status)
{
    return {Kind::http, status, QStringLiteral("HTTP status %1").arg(status)};
}

SyncError SyncError::busy()
{
    return {Kind::busy, 412, QStringLiteral("the upload was refused with 412 four times in a row")};
}

SyncError SyncError::certificate(const QString& detail)
{
    return {Kind::certificate, 0, detail};
}

SyncError SyncError::connection(const QString& detail)
{
    return {Kind::connection, 0, detail};
}

SyncError SyncError::address(const QString& server)
{
    return {Kind::address, 0,
            QStringLiteral("the server address \"%1\" is not an https address").arg(server)};
}

SyncError SyncError::encoding()
{
    return {Kind::encoding, 0, QStringLiteral("the merged document could not be encoded")};
}

SyncError SyncError::tooLarge(qint64 limit)
{
    return {Kind::tooLarge, 0,
            QStringLiteral("the reply went on past %1 bytes and was cut off").arg(limit)};
}

} // namespace glossivo
