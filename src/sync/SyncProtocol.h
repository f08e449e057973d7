#pragma once

#include "sync/SyncLink.h"

#include <QByteArray>
#include <QNetworkRequest>

namespace glossivo::SyncProtocol {

// A request for a path of the sync server ("/v1/bundle", "/v1/ping") with the bearer token and
// a 60-second time-out. Throws SyncError before anything is sent when the stored address is not
// an https address with a host, or when the token could not travel in a header.
QNetworkRequest request(const SyncLink& link, const QString& path);

// The bundle version an ETag names: quotes, "W" and "/" around it are dropped, so "12", "\"12\""
// and W/"12" all give 12; anything that is not a decimal number gives 0.
qint64 version(const QByteArray& etag);
// The version as If-None-Match and If-Match carry it: in double quotes.
QByteArray quoted(qint64 version);

} // namespace glossivo::SyncProtocol
