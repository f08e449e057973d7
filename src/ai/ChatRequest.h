#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QString>

namespace glossivo {

// A chat-completion request ready to be sent, with the key it carries.
struct ChatRequest {
    QNetworkRequest request;
    QByteArray body;
    QString apiKey;

    // The text with every occurrence of the key masked: a server or proxy may echo the key in
    // an error body, and error bodies are shown to the user. A key shorter than eight characters
    // is no real key, and masking it would garble ordinary words, so it is left alone.
    QString masked(const QString& text) const;
};

} // namespace glossivo
