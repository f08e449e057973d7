#include "model/PageSource.h"

#include <QRegularExpression>
#include <QUrl>

namespace glossivo {

namespace {

// The host exactly as written in the address: QUrl lower-cases it, but the source key keeps the
// letter case the page used.
QString hostAsWritten(const QString& url, const QString& normalisedHost)
{
    const qsizetype schemeEnd = url.indexOf(QLatin1String("://"));
    if (schemeEnd < 0) return normalisedHost;
    QStringView authority = QStringView(url).mid(schemeEnd + 3);
    const qsizetype end = authority.indexOf(QRegularExpression(QStringLiteral("[/?#]")));
    if (end >= 0) authority = authority.left(end);
    const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) authority = authority.mid(at + 1);
    if (!authority.startsWith(QLatin1Char('['))) {
        const qsizetype colon = authority.indexOf(QLatin1Char(':'));
        if (colon >= 0) authority = authority.left(colon);
    }
    return authority.compare(normalisedHost, Qt::CaseInsensitive) == 0 ? authority.toString()
                                                                       : normalisedHost;
}

} // namespace

std::optional<QString> PageSource::host() const
{
    if (!url) return std::nullopt;
    const QUrl address(*url, QUrl::StrictMode);
    if (!address.isValid() || address.scheme().isEmpty()) return std::nullopt;
    if (address.isLocalFile()) {
        QString path = address.path();
        while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        return name.isEmpty() ? std::optional<QString>(path) : std::optional<QString>(name);
    }
    QString host = address.host(QUrl::FullyEncoded);
    if (host.isEmpty()) return std::nullopt;
    host = hostAsWritten(*url, host);
    if (host.startsWith(QLatin1String("www."))) host.remove(0, 4);
    return host;
}

} // namespace glossivo
