#include "ai/NetworkReply.h"

namespace glossivo::NetworkReply {

namespace {

// Qt reports an HTTP error status as a reply error too; those come from the content or the
// server and leave the reply complete, unlike the connection errors below them.
bool isTransferError(QNetworkReply::NetworkError error)
{
    return error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

} // namespace

std::optional<int> actionableStatus(const QNetworkReply& reply)
{
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) {
        if (reply.error() != QNetworkReply::NoError) return std::nullopt;
        return 0;
    }
    const int code = status.toInt();
    if (code == 200 ? reply.error() != QNetworkReply::NoError : isTransferError(reply.error()))
        return std::nullopt;
    return code;
}

} // namespace glossivo::NetworkReply
