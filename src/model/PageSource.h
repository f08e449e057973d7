#pragma once

#include <QString>

#include <optional>

namespace glossivo {

// Where a text was read: the front application, the page or document address and the window
// title. Any of them may be unknown.
struct PageSource {
    std::optional<QString> app;
    std::optional<QString> url;
    std::optional<QString> title;

    // The source key of an encounter: the file name of a file address, else the address's host
    // without one leading lower-case "www."; none without a parsable address or host.
    std::optional<QString> host() const;

    bool operator==(const PageSource&) const = default;
};

} // namespace glossivo
