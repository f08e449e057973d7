#include "input/SourceInfo.h"

#include "input/AccessibilityReader.h"
#include "input/WindowSystem.h"

namespace glossivo {

namespace {

bool isStoredAddress(const QString& address)
{
    return address.startsWith(QLatin1String("http://")) ||
           address.startsWith(QLatin1String("https://")) ||
           address.startsWith(QLatin1String("file://"));
}

} // namespace

SourceInfo::SourceInfo(WindowSystem& windows, AccessibilityReader& accessibility,
                       std::function<bool(quint64)> isOwnWindow,
                       std::function<QString(const QString&)> applicationName)
    : m_windows(windows), m_accessibility(accessibility), m_isOwnWindow(std::move(isOwnWindow)),
      m_applicationName(std::move(applicationName))
{}

PageSource SourceInfo::current()
{
    const std::optional<WindowInfo> active = m_windows.activeWindow();
    if (!active || (m_isOwnWindow && m_isOwnWindow(active->id))) return {};
    PageSource source;
    const QString name = m_applicationName ? m_applicationName(active->appId) : QString();
    if (!name.isEmpty())
        source.app = name;
    else if (!active->appId.isEmpty())
        source.app = active->appId;
    if (!active->title.isEmpty()) source.title = active->title;
    // Without a process id the accessibility tree cannot say which document is this window's.
    if (active->pid > 0) {
        const std::optional<QString> address = m_accessibility.documentAddress(active->pid);
        if (address && isStoredAddress(*address)) source.url = address;
    }
    return source;
}

} // namespace glossivo
