#include "sync/SyncProtocol.h"

#include "sync/SyncError.h"

#include <QUrl>

#include <algorithm>

namespace glossivo::SyncProtocol {

namespace {

constexpr int timeoutMilliseconds = 60'000;

// A control character would end the header early and let the rest pass as headers of its own.
bool fitsInHeader(const QString& text)
{
    return std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

bool isVersionTrim(char c)
{
    return c == '"' || c == 'W' || c == '/';
}

} // namespace

QNetworkRequest request(const SyncLink& link, const QString& path)
{
    const QUrl url(link.server + path, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("https") || url.host().isEmpty())
        throw SyncError::address(link.server);
    // No such token can be right, and sent it would split the header.
    if (!fitsInHeader(link.token)) throw SyncError::http(401);
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMilliseconds);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    // A redirect would take the token elsewhere; it fails as an unexpected status instead.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setRawHeader("Authorization", "Bearer " + link.token.toUtf8());
    return request;
}

qint64 version(const QByteArray& etag)
{
    qsizetype start = 0;
    qsizetype end = etag.size();
    while (start < end && isVersionTrim(etag.at(start)))
        ++start;
    while (end > start && isVersionTrim(etag.at(end - 1)))
        --end;
    const QByteArray rest = etag.mid(start, end - start);
    const qsizetype digitsFrom = rest.startsWith('+') || rest.startsWith('-') ? 1 : 0;
    if (rest.size() == digitsFrom) return 0;
    if (!std::all_of(rest.begin() + digitsFrom, rest.end(),
                     [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    bool ok = false;
    const qint64 value = rest.toLongLong(&ok, 10);
    return ok ? value : 0;
}

QByteArray quoted(qint64 version)
{
    return '"' + QByteArray::number(version) + '"';
}

} // namespace glossivo::SyncProtocol
