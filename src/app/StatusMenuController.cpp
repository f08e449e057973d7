#include "app/StatusMenuController.h"

#include "app/MenuBarWord.h"
#include "model/ConfigStore.h"
#include "model/WordStore.h"

namespace glossivo {

StatusMenuController::StatusMenuController(Services services) : m_services(std::move(services)) {}

void StatusMenuController::setHandler(MenuAction action, std::function<void()> handler)
{
    m_handlers.insert(action, std::move(handler));
}

QList<StatusMenuItem> StatusMenuController::open()
{
    StatusMenuInput input;
    input.config = m_services.config.config();
    input.word = m_services.menuBarWord.entry();
    if (input.word && !m_services.menuBarWord.glanced()) {
        m_services.menuBarWord.markGlanced();
        m_services.words.logEvent(QStringLiteral("glance"), input.word->headword);
    }
    input.wordCount = m_services.words.entries().size();
    input.dueCount = m_services.words.buildSession(0).size();
    input.learningCount = m_services.words.learningCount();
    input.spellCount = m_services.words.spellPracticeCount();
    input.journeyInstalled = m_services.journeyInstalled && m_services.journeyInstalled();
    input.front = m_services.front.frontmost();
    input.ownId = m_services.ownId;
    input.trusted = m_services.permissions.trusted();
    input.launchAtLogin = m_services.launchAtLogin.enabled();
    for (auto it = m_handlers.cbegin(); it != m_handlers.cend(); ++it)
        input.windows.insert(it.key());
    return buildStatusMenu(input);
}

void StatusMenuController::trigger(const StatusMenuItem& item)
{
    switch (item.action) {
    case MenuAction::none:
        return;
    case MenuAction::speakWord:
        if (const auto word = m_services.menuBarWord.entry(); word && m_services.speak)
            m_services.speak(word->headword);
        return;
    case MenuAction::nextWord:
        m_services.menuBarWord.next();
        return;
    case MenuAction::toggleMenuBarWord:
        flip(&AppConfig::menuBarWord);
        m_services.menuBarWord.next();
        return;
    case MenuAction::toggleAutoPopup:
        flip(&AppConfig::autoPopupOnSelect);
        return;
    case MenuAction::toggleDwell:
        flip(&AppConfig::dwellLookup);
        return;
    case MenuAction::toggleHover:
        flip(&AppConfig::optionHoverOCR);
        return;
    case MenuAction::toggleRegion:
        flip(&AppConfig::optionRegionTranslate);
        return;
    case MenuAction::toggleExcluded:
        toggleExcluded(item.data);
        return;
    case MenuAction::toggleLaunchAtLogin:
        m_services.launchAtLogin.setEnabled(!m_services.launchAtLogin.enabled());
        return;
    default:
        if (const auto handler = m_handlers.value(item.action)) handler();
        return;
    }
}

// The configuration is read whole at the click, so a change made meanwhile elsewhere stays.
void StatusMenuController::flip(bool AppConfig::*field)
{
    AppConfig config = m_services.config.config();
    config.*field = !(config.*field);
    m_services.config.setConfig(config);
}

void StatusMenuController::toggleExcluded(const QString& id)
{
    if (id.isEmpty()) return;
    AppConfig config = m_services.config.config();
    if (config.excludedBundleIDs.contains(id))
        config.excludedBundleIDs.removeAt(config.excludedBundleIDs.indexOf(id));
    else
        config.excludedBundleIDs.append(id);
    m_services.config.setConfig(config);
}

} // namespace glossivo
