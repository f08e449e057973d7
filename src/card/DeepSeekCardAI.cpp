#include "card/DeepSeekCardAI.h"

#include "ai/DeepSeekClient.h"

namespace glossivo {

QCoro::Task<Explanation> DeepSeekCardAI::explain(const QString& selection,
                                                 const std::optional<QString>& context)
{
    return DeepSeekClient(m_config()).explain(selection, context);
}

QCoro::Task<Translation> DeepSeekCardAI::translate(const QString& passage)
{
    return DeepSeekClient(m_config()).translate(passage);
}

} // namespace glossivo
