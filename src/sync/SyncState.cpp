#include "sync/SyncState.h"

#include "model/AtomicFile.h"
#include "model/JsonFields.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

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

constexpr qsizetype kKeySize = 32;

QString keyPath(const QString& statePath)
{
    return QFileInfo(statePath).dir().filePath(QStringLiteral("sync-state.key"));
}

std::optional<QByteArray> readKey(const QString& statePath)
{
    QFile file(keyPath(statePath));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray key = file.read(kKeySize + 1);
    if (key.size() != kKeySize) return std::nullopt;
    return key;
}

// A new key makes every state written with an old one count as another code's, which only costs
// the next pass a full download.
std::optional<QByteArray> keyForWriting(const QString& statePath)
{
    if (auto key = readKey(statePath)) return key;
    QByteArray key(kKeySize, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(key.data()),
                                          kKeySize / sizeof(quint32));
    if (!AtomicFile::write(keyPath(statePath), key)) return std::nullopt;
    return key;
}

QString keyed(const QString& code, const QByteArray& key)
{
    return QString::fromLatin1(
        QMessageAuthenticationCode::hash(code.toLatin1(), key, QCryptographicHash::Sha256).toHex());
}

struct Stored {
    SyncState state;
    QString keyedCode;
};

std::optional<Stored> readStored(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject()) return std::nullopt;
    const QJsonObject object = document.object();
    try {
        return Stored{SyncState{Json::string(object, "server"), versionField(object),
                                Json::string(object, "hash"),
                                Json::optionalDate(object, "lastSyncAt"), QString()},
                      Json::optionalString(object, "codeHash").value_or(QString())};
    } catch (const JsonError&) {
        return std::nullopt;
    }
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
    const std::optional<Stored> stored = readStored(path);
    if (!stored) return std::nullopt;
    return stored->state;
}

SyncState SyncState::readFor(const QString& path, const SyncLink& link)
{
    const std::optional<Stored> stored = readStored(path);
    const std::optional<QByteArray> key = stored ? readKey(path) : std::nullopt;
    const QString code = codeOf(link);
    if (!key || stored->state.server != link.server || stored->keyedCode != keyed(code, *key))
        return fresh(link);
    SyncState state = stored->state;
    state.code = code;
    return state;
}

bool SyncState::write(const QString& path) const
{
    const std::optional<QByteArray> key = keyForWriting(path);
    if (!key) return false;
    QJsonObject object{{QStringLiteral("server"), server},
                       {QStringLiteral("version"), version},
                       {QStringLiteral("hash"), hash},
                       {QStringLiteral("codeHash"), keyed(code, *key)}};
    Json::putOptional(object, "lastSyncAt", lastSyncAt);
    return AtomicFile::write(path, QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace glossivo
