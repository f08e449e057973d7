#include "sync/SyncCommands.h"

#include "model/ConfigStore.h"
#include "model/WordStore.h"
#include "sync/SyncConfig.h"
#include "sync/SyncLink.h"
#include "sync/SyncService.h"

namespace glossivo::SyncCommands {

namespace {

// GCC 12 cannot compile QStringLiteral inside a coroutine, so the lines are built outside.
QString syncedLine(const WordStore& store)
{
    return QStringLiteral("同步好了：%1 个词\n").arg(store.entries().size());
}

QString failedLines(const SyncService& service)
{
    return QStringLiteral("同步失败：") + service.lastError().value_or(QString()) + u'\n' +
           service.lastErrorDetail().value_or(QString()) + u'\n';
}

// The server has the merged word book, but this device's disk does not.
QString unsavedLines(const WordStore& store)
{
    QString lines;
    for (const QString& document : store.failedDocuments())
        lines += QStringLiteral("同步了，但没能保存：") + document + u'：' +
                 store.writeError(document) + u'\n';
    return lines;
}

QString badCodeLine()
{
    return QStringLiteral("同步码格式不对\n");
}

QString unsavedLine(const QString& error)
{
    return QStringLiteral("没能保存同步码：config.json：") + error + u'\n';
}

QString connectedLine(const SyncLink& link)
{
    return QStringLiteral("已连接 ") + link.hostName() + u'\n';
}

} // namespace

QCoro::Task<int> syncNow(SyncService& service, const WordStore& store, QTextStream& out)
{
    const bool synced = co_await service.syncNow();
    if (synced && !store.failedDocuments().isEmpty()) {
        out << unsavedLines(store);
        co_return 1;
    }
    out << (synced ? syncedLine(store) : failedLines(service));
    co_return synced ? 0 : 1;
}

QCoro::Task<int> connect(QString code, ConfigStore& config, QTextStream& out)
{
    const std::optional<SyncLink> link = SyncLink::parse(code);
    if (!link) {
        out << badCodeLine();
        co_return 1;
    }
    const std::optional<QString> problem = co_await SyncService::test(*link);
    if (problem) {
        out << *problem << '\n';
        co_return 1;
    }
    SyncConfig::store(config, *link);
    // A code that is not on disk is gone at the next start: that is no connection.
    if (const std::optional<QString> error = config.writeError()) {
        out << unsavedLine(*error);
        co_return 1;
    }
    out << connectedLine(*link);
    co_return 0;
}

} // namespace glossivo::SyncCommands
