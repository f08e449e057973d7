#include "ai/TransportError.h"

namespace glossivo {

TransportError::TransportError(QNetworkReply::NetworkError code, const QString& message)
    : m_code(code), m_message(message), m_what(message.toUtf8())
{}

} // namespace glossivo
