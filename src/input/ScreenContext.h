#pragma once

#include "input/ContextRecognizer.h"

namespace glossivo {

class ScreenText;

// The sentence of a word selected without one, read from the lines on the screen around the
// pointer. A failed capture only loses the context: the word is still looked up.
class ScreenContext : public ContextRecognizer {
public:
    // `screen` is borrowed and must outlive this object and the calls it runs.
    explicit ScreenContext(ScreenText& screen) : m_screen(screen) {}

    bool captureAllowed() const override;
    QCoro::Task<std::optional<QString>> contextAround(ScreenOCR::Selection selection) override;

private:
    ScreenText& m_screen;
};

} // namespace glossivo
