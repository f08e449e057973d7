#include "sync/SyncLink.h"

#include "model/Graphemes.h"

#include <QStringDecoder>
#include <QUrl>

#include <algorithm>

namespace glossivo {

namespace {

const QString& codePrefix()
{
    static const QString prefix = QStringLiteral("glossivo://sync?");
    return prefix;
}

// The code ends at the first blank or line break, so that text pasted after it is ignored.
QString firstWord(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    qsizetype end = start;
    while (end < text.size() && !text.at(end).isSpace())
        ++end;
    return text.mid(start, end - start);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Strict: a "%" without two hexadecimal digits or bytes that are not UTF-8 give none, and the
// caller keeps the text as it is. A "+" stays a "+".
std::optional<QString> percentDecoded(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray bytes;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        if (utf8.at(i) != '%') {
            bytes += utf8.at(i);
            continue;
        }
        if (i + 2 >= utf8.size()) return std::nullopt;
        const int high = hexDigit(utf8.at(i + 1));
        const int low = hexDigit(utf8.at(i + 2));
        if (high < 0 || low < 0) return std::nullopt;
        bytes += char(high * 16 + low);
        i += 2;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return decoded;
}

// "key=value" with "=" further on kept in the value; leading "=" are skipped, so "==k=v" is
// the key "k". None when either side is empty.
std::optional<std::pair<QString, QString>> keyAndValue(const QString& piece)
{
    qsizetype start = 0;
    while (start < piece.size() && piece.at(start) == u'=')
        ++start;
    const qsizetype equals = piece.indexOf(u'=', start);
    if (equals < 0 || equals + 1 >= piece.size()) return std::nullopt;
    const QString raw = piece.mid(equals + 1);
    return std::pair{piece.mid(start, equals - start), percentDecoded(raw).value_or(raw)};
}

// "https:///" is a URL, but not one of a server.
bool isHttpsAddress(const QString& server)
{
    const QUrl url(server, QUrl::StrictMode);
    return url.isValid() && server.startsWith(QLatin1String("https:")) &&
           url.scheme() == QLatin1String("https") && !url.host().isEmpty();
}

// The pin is compared with the certificate's hash in hexadecimal; anything else could never
// match, and would only fail later as a certificate that "does not match".
bool isHexPin(const QString& pin)
{
    return pin.size() == 64 && std::all_of(pin.begin(), pin.end(), [](QChar c) {
               return c.unicode() < 0x80 && hexDigit(char(c.unicode())) >= 0;
           });
}

QString percentEncoded(const QString& text)
{
    return QString::fromLatin1(text.toUtf8().toPercentEncoding("!$'()*+,-./:;@_~"));
}

} // namespace

std::optional<SyncLink> SyncLink::parse(const std::optional<QString>& text)
{
    if (!text) return std::nullopt;
    const qsizetype at = text->indexOf(codePrefix(), 0, Qt::CaseInsensitive);
    if (at < 0) return std::nullopt;
    const QString query = firstWord(text->mid(at + codePrefix().size()));

    std::optional<QString> server, token, pin;
    for (const QString& piece : query.split(u'&', Qt::SkipEmptyParts)) {
        const auto pair = keyAndValue(piece);
        if (!pair) continue;
        const auto& [key, value] = *pair;
        if (key == QLatin1String("server") && !server) server = value;
        if (key == QLatin1String("token") && !token) token = value;
        if (key == QLatin1String("pin") && !pin) pin = value;
    }
    if (!server || !token || !pin || !isHttpsAddress(*server)) return std::nullopt;
    if (Graphemes::split(*token).size() < 16 || !isHexPin(*pin)) return std::nullopt;
    if (server->endsWith(u'/')) server->chop(1);
    return SyncLink{*server, *token, pin->toLower()};
}

std::optional<SyncLink> SyncLink::fromConfig(const AppConfig& config)
{
    if (config.syncServer.isEmpty() || config.syncToken.isEmpty() || config.syncPin.isEmpty())
        return std::nullopt;
    return SyncLink{config.syncServer, config.syncToken, config.syncPin};
}

QString SyncLink::text() const
{
    // Reading removes one trailing "/"; a server that still ends in one gets it back here, so
    // that a code copied from device to device stays the same code.
    const QString written = server.endsWith(u'/') ? server + u'/' : server;
    return codePrefix() + QStringLiteral("server=") + percentEncoded(written) +
           QStringLiteral("&token=") + percentEncoded(token) + QStringLiteral("&pin=") + pin;
}

QString SyncLink::hostName() const
{
    const QUrl url(server);
    if (!url.isValid() || url.host().isEmpty()) return server;
    return url.host();
}

} // namespace glossivo
