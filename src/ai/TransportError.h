#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QString>

#include <exception>

namespace glossivo {

// The exchange never got a complete reply (no connection, time-out, a broken stream). Callers
// show the network layer's own message.
class TransportError : public std::exception {
public:
    TransportError(QNetworkReply::NetworkError code, const QString& message);

    QNetworkReply::NetworkError code() const { return m_code; }
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    QNetworkReply::NetworkError m_code;
    QString m_message;
    QByteArray m_what;
};

} // namespace glossivo
