#include "sync/SyncState.h"

#include "model/AtomicFile.h"
#include "model/JsonFields.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>

#include <cmath>

namespace glossivo {

namespace {

qint64 versionField(const QJsonObject& object)
{
    const QJsonValue value = object.value(QLatin1String("version"));
    const double number = value.toDouble();
    if (!value.isDouble() || std::trunc(number) != number)
        throw JsonError("version: expected a whole number");
    return value.toInteger();
}

} // namespace

SyncState SyncState::fresh(const SyncLink& link)
{
    return {link.server, 0, {}, std::nullopt, codeOf(link)};
}

QString SyncState::codeOf(const SyncLink& link)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(link.text().toUtf8(), QCryptographicHash::Sha256).toHex());
}

std::optional<SyncState> SyncState::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject()) return std::nullopt;
    const QJsonObject object = document.object();
    try {
        return SyncState{Json::string(object, "server"), versionField(object),
                         Json::string(object, "hash"), Json::optionalDate(object, "lastSyncAt"),
                         Json::optionalString(object, "codeHash").value_or(QString())};
    } catch (const JsonError&) {
        return std::nullopt;
    }
}

SyncState SyncState::readFor(const QString& path, const SyncLink& link)
{
    const std::optional<SyncState> stored = read(path);
    if (!stored || stored->server != link.server || stored->code != codeOf(link))
        return fresh(link);
    return *stored;
}

bool SyncState::write(const QString& path) const
{
    QJsonObject object{{QStringLiteral("server"), server},
                       {QStringLiteral("version"), version},
                       {QStringLiteral("hash"), hash},
                       {QStringLiteral("codeHash"), code}};
    Json::putOptional(object, "lastSyncAt", lastSyncAt);
    return AtomicFile::write(path, QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace glossivo
