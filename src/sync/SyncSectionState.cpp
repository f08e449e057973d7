#include "sync/SyncSectionState.h"

#include "model/ConfigStore.h"
#include "sync/SyncConfig.h"
#include "sync/SyncService.h"

#include <QPointer>

#include <cmath>

namespace glossivo {

SyncSectionState::SyncSectionState(ConfigStore& config, SyncService& sync, const Clock& clock,
                                   Clipboard clipboard, QObject* parent)
    : QObject(parent), m_config(config), m_sync(sync), m_clock(clock),
      m_clipboard(std::move(clipboard))
{
    QObject::connect(&m_config, &ConfigStore::configChanged, this, &SyncSectionState::changed);
    QObject::connect(&m_sync, &SyncService::changed, this, &SyncSectionState::changed);
}

std::optional<SyncLink> SyncSectionState::link() const
{
    return SyncLink::fromConfig(m_config.config());
}

QString SyncSectionState::notACodeMessage()
{
    return QStringLiteral("这不是同步码。同步码以 glossivo://sync? 开头");
}

QString SyncSectionState::connectLabel() const
{
    return m_connecting ? QStringLiteral("连接中…") : QStringLiteral("连接");
}

QString SyncSectionState::serverLine() const
{
    const std::optional<SyncLink> current = link();
    return QStringLiteral("已连接 ") + (current ? current->hostName() : QString());
}

QString SyncSectionState::syncLabel() const
{
    return m_sync.busy() ? QStringLiteral("正在同步…") : QStringLiteral("现在同步");
}

bool SyncSectionState::syncEnabled() const
{
    return !m_sync.busy();
}

QString SyncSectionState::status() const
{
    if (m_sync.busy()) return QStringLiteral("正在同步…");
    if (m_sync.lastError()) return *m_sync.lastError() + QStringLiteral("。会自动再试");
    const std::optional<QDateTime>& last = m_sync.lastSyncAt();
    if (!last) return QStringLiteral("还没同步过");
    const auto minutes = static_cast<qint64>(std::trunc(last->msecsTo(m_clock.now()) / 60'000.0));
    if (minutes <= 0) return QStringLiteral("上次同步：刚刚");
    if (minutes < 60) return QStringLiteral("上次同步：%1 分钟前").arg(minutes);
    return QStringLiteral("上次同步：") +
           last->toLocalTime().toString(QStringLiteral("M 月 d 日 HH:mm"));
}

// The colour follows the error alone, even while a new pass runs.
bool SyncSectionState::statusIsWarning() const
{
    return m_sync.lastError().has_value();
}

QString SyncSectionState::copyLabel() const
{
    return m_copied ? QStringLiteral("已复制") : QStringLiteral("复制同步码");
}

QString SyncSectionState::qrLabel() const
{
    return m_showQR ? QStringLiteral("隐藏二维码") : QStringLiteral("显示二维码");
}

void SyncSectionState::setInput(const QString& text)
{
    if (text == m_input) return;
    m_input = text;
    Q_EMIT changed();
}

void SyncSectionState::connect()
{
    if (!connectEnabled()) return;
    const std::optional<SyncLink> parsed = SyncLink::parse(m_input);
    if (!parsed) {
        m_message = notACodeMessage();
        Q_EMIT changed();
        return;
    }
    m_connecting = true;
    m_message.reset();
    Q_EMIT changed();
    check(this, *parsed);
}

QCoro::Task<> SyncSectionState::check(QPointer<SyncSectionState> self, SyncLink link)
{
    const std::optional<QString> problem = co_await SyncService::test(link);
    if (!self) co_return;
    if (problem) {
        self->m_message = problem;
        self->m_connecting = false;
        Q_EMIT self->changed();
        co_return;
    }
    SyncConfig::store(self->m_config, link);
    self->m_input.clear();
    Q_EMIT self->changed();
    co_await self->m_sync.syncNow();
    if (!self) co_return;
    self->m_connecting = false;
    Q_EMIT self->changed();
}

void SyncSectionState::syncNow()
{
    m_sync.syncNow();
}

void SyncSectionState::copyCode()
{
    const std::optional<SyncLink> current = link();
    if (!current) return;
    m_clipboard(current->text());
    m_copied = true;
    Q_EMIT changed();
}

void SyncSectionState::toggleQR()
{
    m_showQR = !m_showQR;
    Q_EMIT changed();
}

void SyncSectionState::disconnect()
{
    SyncConfig::clear(m_config);
}

} // namespace glossivo
