#include "model/FormKindName.h"

#include <array>

namespace glossivo {

QString formKindName(FormKind kind)
{
    static constexpr std::array names{"原形",     "第三人称单数", "-ing 形式", "过去式",
                                      "过去分词", "复数",         "比较级",    "最高级"};
    return QString::fromUtf8(names[static_cast<std::size_t>(kind)]);
}

} // namespace glossivo
