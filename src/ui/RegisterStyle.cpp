#include "ui/RegisterStyle.h"

namespace glossivo {

std::optional<RegisterStyle> registerStyle(Register value)
{
    switch (value) {
    case Register::formal:
        return RegisterStyle{QStringLiteral("正式"), SystemColor::blue};
    case Register::casual:
        return RegisterStyle{QStringLiteral("口语"), SystemColor::green};
    case Register::slang:
        return RegisterStyle{QStringLiteral("俚语"), SystemColor::orange};
    case Register::technical:
        return RegisterStyle{QStringLiteral("技术"), SystemColor::purple};
    case Register::neutral:
        break;
    }
    return std::nullopt;
}

} // namespace glossivo
