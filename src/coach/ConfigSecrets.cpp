#include "coach/ConfigSecrets.h"

namespace glossivo::ConfigSecrets {

QStringList of(const AppConfig& config)
{
    QStringList secrets;
    for (const QString& secret : {config.apiKey, config.syncToken, config.syncPin})
        if (!secret.isEmpty()) secrets.append(secret);
    return secrets;
}

QString masked(QString text, const QStringList& secrets)
{
    for (const QString& secret : secrets)
        text.replace(secret, QStringLiteral("***"));
    return text;
}

} // namespace glossivo::ConfigSecrets
