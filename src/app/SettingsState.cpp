#include "app/SettingsState.h"

#include "ai/AIError.h"
#include "ai/DeepSeekClient.h"
#include "ai/TransportError.h"
#include "model/ConfigStore.h"

#include <QDir>
#include <QLocale>

#include <cmath>

namespace glossivo {

namespace {

constexpr int kRefreshMilliseconds = 1000;

const QString kX11Needed = QStringLiteral("屏幕取词需要 X11 会话");

QString sessionAdvice(PermissionSource::Session session)
{
    switch (session) {
    case PermissionSource::Session::wayland:
        return QStringLiteral("Wayland 会话不让应用读取全局按键，也不能悄悄截屏。请注销，在登录界面"
                              "选择 X11（Xorg）会话后重新登录，再打开 Glossivo。");
    case PermissionSource::Session::x11WithoutInput:
        return QStringLiteral(
            "这个 X 服务器缺少 XInput2 或 XTest 扩展，读不到全局按键。请换用带这两个"
            "扩展的 X11 会话。");
    case PermissionSource::Session::none:
        return QStringLiteral("没有找到图形会话。请在 X11 桌面里打开 Glossivo。");
    case PermissionSource::Session::x11:
        break;
    }
    return QStringLiteral("X11 会话里不需要另外授权，已经可以用了。");
}

} // namespace

SettingsState::SettingsState(ConfigStore& config, const PermissionSource& permissions,
                             LaunchAtLogin& launchAtLogin, Advise advise, QObject* parent)
    : QObject(parent), m_config(config), m_permissions(permissions), m_launch(launchAtLogin),
      m_advise(std::move(advise))
{
    m_accessibility = m_permissions.trusted();
    m_screen = m_permissions.screenRecording();
    m_launchAtLogin = m_launch.enabled();
    m_timer.setInterval(kRefreshMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &SettingsState::refresh);
}

void SettingsState::edit(const std::function<void(AppConfig&)>& change)
{
    AppConfig config = m_config.config();
    change(config);
    m_config.setConfig(config);
}

bool SettingsState::canTest() const
{
    return !m_testing && !m_config.config().apiKey.isEmpty();
}

void SettingsState::setRefreshing(bool on)
{
    if (on) {
        // The menu may have switched the autostart entry while the window was hidden.
        const bool launch = m_launch.enabled();
        if (launch != m_launchAtLogin) {
            m_launchAtLogin = launch;
            Q_EMIT changed();
        }
        refresh();
        m_timer.start();
    } else {
        m_timer.stop();
    }
}

void SettingsState::refresh()
{
    const bool accessibility = m_permissions.trusted();
    const bool screen = m_permissions.screenRecording();
    if (accessibility == m_accessibility && screen == m_screen) return;
    m_accessibility = accessibility;
    m_screen = screen;
    Q_EMIT changed();
}

QString SettingsState::accessibilityDetail() const
{
    const QString detail = QStringLiteral("用来读取你选中的文字、知道你按了哪个键。");
    if (m_permissions.session() == PermissionSource::Session::wayland)
        return detail + kX11Needed + QStringLiteral("，Wayland 会话里用不了。");
    if (!m_accessibility) return detail + sessionAdvice(m_permissions.session());
    return detail + QStringLiteral("X11 会话本来就允许，不用另外打开。");
}

QString SettingsState::screenDetail() const
{
    const QString detail =
        QStringLiteral("用来识别图片、视频里选不中的文字。只截鼠标周围一小块，不会保存。");
    if (m_permissions.session() == PermissionSource::Session::wayland)
        return detail + QStringLiteral("Wayland 会话里不能悄悄截屏，需要 X11 会话。");
    if (m_screen) return detail + QStringLiteral("X11 会话本来就能截屏，不用另外打开。");
    return detail;
}

void SettingsState::adviseSession()
{
    if (m_advise) m_advise(kX11Needed, sessionAdvice(m_permissions.session()));
}

void SettingsState::requestAccessibility()
{
    adviseSession();
    refresh();
}

void SettingsState::requestScreen()
{
    m_screenRequested = true;
    Q_EMIT changed();
    adviseSession();
    refresh();
}

void SettingsState::setLaunchAtLogin(bool on)
{
    m_launch.setEnabled(on);
    m_launchAtLogin = m_launch.enabled();
    Q_EMIT changed();
}

void SettingsState::test()
{
    if (!canTest()) return;
    m_testing = true;
    m_testStatus.clear();
    Q_EMIT changed();
    runTest(this, m_config.config());
}

QCoro::Task<> SettingsState::runTest(QPointer<SettingsState> state, AppConfig config)
{
    bool ok = false;
    QString status;
    try {
        const Explanation explanation =
            co_await DeepSeekClient(std::move(config))
                .explain(QStringLiteral("reluctant"), QStringLiteral("I was reluctant to post "
                                                                     "this, but here we go."));
        ok = true;
        status = QStringLiteral("成功：reluctant = ") + explanation.meaningZh;
    } catch (const AIError& error) {
        status = error.errorDescription();
    } catch (const TransportError& error) {
        status = error.message();
    } catch (const std::exception& error) {
        status = QString::fromUtf8(error.what());
    }
    if (state) state->finishTest(ok, status);
}

void SettingsState::finishTest(bool ok, const QString& status)
{
    m_testOK = ok;
    m_testStatus = status;
    m_testing = false;
    Q_EMIT changed();
}

QList<SettingsState::ExcludedRow>
SettingsState::excludedRows(const std::function<QString(const QString&)>& namer) const
{
    QList<ExcludedRow> rows;
    QStringList listed;
    for (const QString& id : m_config.config().excludedBundleIDs) {
        // An application stored twice is still one application.
        if (listed.contains(id)) continue;
        listed.append(id);
        const QString name = namer ? namer(id) : QString();
        rows.append({id, name.isEmpty() ? id : name});
    }
    return rows;
}

void SettingsState::removeExcluded(const QString& id)
{
    edit([&](AppConfig& config) { config.excludedBundleIDs.removeAll(id); });
}

QString SettingsState::keyLocationText(const QString& dataFolder)
{
    const QString home = QDir::homePath();
    QString shown = QDir::cleanPath(dataFolder);
    if (shown == home || shown.startsWith(home + QLatin1Char('/')))
        shown = QLatin1Char('~') + shown.mid(home.size());
    return QStringLiteral("API key 只保存在这台电脑上：") + shown + QStringLiteral("/config.json");
}

QString SettingsState::dwellText(double seconds)
{
    const double rounded = std::round(seconds * 100.0) / 100.0;
    return QLocale().toString(rounded, 'f', QLocale::FloatingPointShortest) + QStringLiteral(" 秒");
}

int SettingsState::stepped(int value, int step, int minimum, int maximum)
{
    const long long moved = static_cast<long long>(value) + step;
    return static_cast<int>(std::clamp<long long>(moved, minimum, maximum));
}

QString SettingsState::versionText(const QString& shortVersion, const QString& build)
{
    const auto orUnknown = [](const QString& text) {
        return text.isEmpty() ? QStringLiteral("?") : text;
    };
    return orUnknown(shortVersion) + QStringLiteral("（") + orUnknown(build) + QStringLiteral("）");
}

bool SettingsState::sameKeyWarning(const AppConfig& config)
{
    return config.optionHoverOCR && config.optionRegionTranslate &&
           config.hoverKey == config.regionKey;
}

} // namespace glossivo
