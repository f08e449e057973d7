#pragma once

namespace glossivo {

// Whether the application starts when the user logs in.
class LaunchAtLogin {
public:
    virtual ~LaunchAtLogin() = default;
    virtual bool enabled() const = 0;
    // Registers or unregisters, even when the state is already the wanted one; a failure is
    // logged, and the caller learns the outcome by reading enabled() again.
    virtual void setEnabled(bool on) = 0;
};

} // namespace glossivo
