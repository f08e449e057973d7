#pragma once

#include <QString>

#include <optional>

namespace glossivo {

// An application as the exclusion list knows it: its window class stands for the bundle
// identifier, and its name is what the user reads.
struct FrontApplication {
    QString id;
    QString name; // empty when the application has no name of its own

    bool operator==(const FrontApplication&) const = default;
};

// The application the user was working in: the last active window that is not ours. Opening
// the tray menu activates a panel or our own menu, so "active right now" would never name it.
class FrontApplicationSource {
public:
    virtual ~FrontApplicationSource() = default;
    // None when no foreign window has been active yet, or it has no window class.
    virtual std::optional<FrontApplication> frontmost() const = 0;
};

} // namespace glossivo
