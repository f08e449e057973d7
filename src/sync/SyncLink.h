#pragma once

#include "model/AppConfig.h"

#include <QString>

#include <optional>

namespace glossivo {

// Everything a device needs to reach the user's sync server, as carried by the sync code
// "glossivo://sync?server=…&token=…&pin=…": the server's https base address, the bearer token
// and the SHA-256 of the server's own certificate.
struct SyncLink {
    QString server; // https, without one trailing "/"
    QString token;  // at least 16 characters
    QString pin;    // 64 hexadecimal digits, lower case

    // The link in a sync code, wherever the code stands in the text and whatever follows it
    // after a blank or a line break; none for anything that is not a complete, valid code.
    // Never says why: callers show their own message.
    static std::optional<SyncLink> parse(const std::optional<QString>& text);
    // The link stored in the configuration, taken as it is; none when any value is empty.
    static std::optional<SyncLink> fromConfig(const AppConfig& config);

    // The sync code; parsing it gives this link back.
    QString text() const;
    // What the user knows the server by: the host of the address, or the whole text when the
    // address has no host.
    QString hostName() const;

    bool operator==(const SyncLink&) const = default;
};

} // namespace glossivo
