#pragma once

#include "card/CardAI.h"
#include "model/AppConfig.h"

#include <functional>

namespace glossivo {

// The card's requests through the chat-completion client, each with the configuration as it
// stands when the request starts.
class DeepSeekCardAI final : public CardAI {
public:
    explicit DeepSeekCardAI(std::function<AppConfig()> config) : m_config(std::move(config)) {}

    QCoro::Task<Explanation> explain(const QString& selection,
                                     const std::optional<QString>& context) override;
    QCoro::Task<Translation> translate(const QString& passage) override;

private:
    std::function<AppConfig()> m_config;
};

} // namespace glossivo
