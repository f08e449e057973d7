#include "app/ScreenTriggers.h"

#include "platform/PermissionSource.h"
#include "platform/qt/QtScreens.h"

namespace glossivo {

ScreenTriggers::ScreenTriggers(LookupCard& card, std::function<AppConfig()> config,
                               const PermissionSource& permissions,
                               std::function<QString(const QString&)> applicationName)
    : m_reader(m_backends.accessibility, m_backends.buffers, m_backends.clipboard,
               m_backends.windows),
      m_source(m_backends.windows, m_backends.accessibility, isOwnWindow,
               std::move(applicationName)),
      m_screen(m_reading.ocr(), [&permissions] { return permissions.screenRecording(); }),
      m_context(m_screen),
      m_controller(TriggerController::Services{m_backends.input, m_backends.windows, m_reader, card,
                                               config, isOwnWindow, &m_context, &m_screen,
                                               &m_regions, &QtScreens::inContentArea})
{
    // The engines rest until a lookup may come: the pointer moves to a word before a dwell or
    // a hover, and the hover key goes down a quarter second before its read. They start in
    // about that time, while a rest in the tray costs none of their memory.
    const auto reading = &m_reading;
    QObject::connect(&m_backends.input, &GlobalInput::pointerMoved, &m_backends.input,
                     [reading, config] {
                         const AppConfig now = config();
                         if (now.dwellLookup || now.optionHoverOCR) reading->prepare();
                     });
    QObject::connect(&m_backends.input, &GlobalInput::keyPressed, &m_backends.input,
                     [reading, config](const KeyEvent& event) {
                         if (event.modifier && config().optionHoverOCR) reading->prepare();
                     });
}

} // namespace glossivo
