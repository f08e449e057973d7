#pragma once

#include <QUrl>

#include <functional>

namespace glossivo {

// Only web addresses are handed to the desktop to open; anything else from outside (file,
// javascript, custom schemes) stays text.
inline bool isOpenableLink(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

// What opens an address on the desktop; views call it only for openable links.
using LinkOpener = std::function<void(const QUrl& url)>;

} // namespace glossivo
