#pragma once

#include <QtGlobal>

#include <optional>

namespace glossivo {

// Tells a double tap of the region key: a press alone released within 0.25 s, then a second
// press alone within 0.35 s of that release. The second press opens the region selector at
// once, without waiting for its release. Times are the events' own (milliseconds of the X
// server's clock), so the decision does not depend on how late the events are handled.
class RegionKeyTaps {
public:
    static constexpr qint64 kTapMs = 250;
    static constexpr qint64 kGapMs = 350;

    // At every change of the held modifiers: whether the region key is now held alone and
    // whether every modifier is released. True when this change completes a double tap.
    bool modifiersChanged(bool keyAlone, bool allReleased, qint64 timeMs);
    // A click or a typed key breaks a double tap.
    void reset();

private:
    std::optional<qint64> m_pressedAt;
    std::optional<qint64> m_lastTap;
};

} // namespace glossivo
