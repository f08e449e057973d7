#pragma once

#include <QNetworkReply>

#include <memory>
#include <optional>

namespace glossivo {

namespace NetworkReply {

// Replies are deleted through the event loop: one may be deleted from inside its own signal.
struct DeleteLater {
    void operator()(QNetworkReply* reply) const { reply->deleteLater(); }
};
using Owned = std::unique_ptr<QNetworkReply, DeleteLater>;

// The status that decides how a finished reply is read: the HTTP status of any HTTP response,
// whatever error Qt made of it, 0 for a reply that is not an HTTP reply, none when no response
// came (no connection, time-out) or a 200 response was cut short, which the caller reports with
// the reply's own error text.
std::optional<int> actionableStatus(const QNetworkReply& reply);

} // namespace NetworkReply
} // namespace glossivo
