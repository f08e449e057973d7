#pragma once

#include "platform/DesktopSurface.h"

namespace glossivo::testing {

// A desktop without a compositing manager, as the test desktop is, whose pictures are blank.
class FakeDesktopSurface final : public DesktopSurface {
public:
    bool compositing() const override { return false; }
    QPixmap picture(const QRect&) const override { return {}; }
};

} // namespace glossivo::testing
