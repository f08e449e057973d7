#include "input/ScreenContext.h"

#include "input/ScreenText.h"

#include <exception>

namespace glossivo {

bool ScreenContext::captureAllowed() const
{
    return m_screen.captureAllowed();
}

QCoro::Task<std::optional<QString>> ScreenContext::contextAround(ScreenOCR::Selection selection)
{
    std::optional<ScreenOCR::Result> result;
    try {
        result = co_await m_screen.recognizeSelection(std::move(selection));
    } catch (const std::exception&) {
        co_return std::nullopt;
    }
    if (!result) co_return std::nullopt;
    co_return result->context;
}

} // namespace glossivo
