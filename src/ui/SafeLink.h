#pragma once

#include <QUrl>

namespace glossivo {

// Only web addresses are handed to the desktop to open; anything else from outside (file,
// javascript, custom schemes) stays text.
inline bool isOpenableLink(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

} // namespace glossivo
