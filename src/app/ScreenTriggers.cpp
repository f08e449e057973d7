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
                                               std::move(config), isOwnWindow, &m_context,
                                               &m_screen, &m_regions, &QtScreens::inContentArea})
{}

} // namespace glossivo
