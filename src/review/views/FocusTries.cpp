#include "review/views/FocusTries.h"

#include <QWidget>

#include <array>

namespace glossivo {

namespace {

constexpr std::array<int, 4> kPauses{30, 120, 300, 600}; // milliseconds before each try

} // namespace

void FocusTries::start(QWidget* field)
{
    new FocusTries(field);
}

FocusTries::FocusTries(QWidget* field) : QObject(field), m_field(field)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &FocusTries::attempt);
    m_timer.start(kPauses[0]);
}

void FocusTries::attempt()
{
    if (m_field->hasFocus()) {
        deleteLater();
        return;
    }
    m_field->activateWindow();
    m_field->setFocus(Qt::OtherFocusReason);
    if (++m_tries < static_cast<int>(kPauses.size()))
        m_timer.start(kPauses[m_tries]);
    else
        deleteLater();
}

} // namespace glossivo
