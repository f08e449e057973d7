#pragma once

namespace glossivo {

// What the screen triggers can count on in this desktop session. Reading "trusted" from the
// session rather than from a grant: on X11 there is nothing for the user to allow, and under
// Wayland no grant would give global input.
class PermissionSource {
public:
    enum class Session {
        x11,             // XInput2 and XTest: global input, synthesized keys and screen grabs
        x11WithoutInput, // an X server that lacks XInput2 or XTest: grabs only
        wayland,         // no global input and no silent screen grab
        none,            // no display at all
    };

    virtual ~PermissionSource() = default;
    virtual Session session() const = 0;

    // The screen-input backend can work: the counterpart of accessibility trust.
    bool trusted() const { return session() == Session::x11; }
    // A screen grab of this session works.
    bool screenRecording() const
    {
        return session() == Session::x11 || session() == Session::x11WithoutInput;
    }
};

} // namespace glossivo
