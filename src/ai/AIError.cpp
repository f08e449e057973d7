#include "ai/AIError.h"

#include "ai/Characters.h"

namespace glossivo {

namespace {

constexpr qsizetype bodyLimit = 200;

} // namespace

AIError::AIError(Kind kind, int status, const QString& body)
    : m_kind(kind), m_status(status), m_body(body)
{
    m_what = errorDescription().toUtf8();
}

AIError AIError::http(int status, const QString& body)
{
    return AIError(Kind::http, status, body);
}

AIError AIError::forStatus(int status, const QString& body)
{
    switch (status) {
    case 401:
        return unauthorized();
    case 402:
        return noBalance();
    default:
        return http(status, Characters::prefix(body, bodyLimit));
    }
}

QString AIError::errorDescription() const
{
    switch (m_kind) {
    case Kind::http:
        return QStringLiteral("DeepSeek 返回错误 ") + QString::number(m_status) +
               QStringLiteral("：") + m_body;
    case Kind::noKey:
        return QStringLiteral("还没有填 DeepSeek API key，请在设置里填写。");
    case Kind::unauthorized:
        return QStringLiteral("API key 不正确，请在设置里检查一下。");
    case Kind::noBalance:
        return QStringLiteral("DeepSeek 账户余额不足，请先充值。");
    case Kind::badResponse:
        return QStringLiteral("AI 返回的内容看不懂，再试一次吧。");
    }
    Q_UNREACHABLE();
}

} // namespace glossivo
