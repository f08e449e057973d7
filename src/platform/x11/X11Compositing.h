#pragma once

namespace glossivo::X11Compositing {

// Whether a compositing manager blends the windows of the X display, so that translucent
// windows show what lies under them. False without an X display.
bool isActive();

} // namespace glossivo::X11Compositing
