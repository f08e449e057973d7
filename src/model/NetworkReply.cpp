#include "model/NetworkReply.h"

namespace glossivo::NetworkReply {

std::optional<int> actionableStatus(const QNetworkReply& reply)
{
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) {
        if (reply.error() != QNetworkReply::NoError) return std::nullopt;
        return 0;
    }
    // Qt maps some statuses to errors of its own (407 to a proxy error, a redirect without a
    // target to a protocol error); whatever it calls them, the service answered. Only a success
    // whose transfer failed is incomplete.
    const int code = status.toInt();
    if (code == 200 && reply.error() != QNetworkReply::NoError) return std::nullopt;
    return code;
}

} // namespace glossivo::NetworkReply
