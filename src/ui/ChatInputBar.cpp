#include "ui/ChatInputBar.h"

#include "ui/ChatEntry.h"
#include "ui/ChipRow.h"
#include "ui/GlassPanel.h"

#include <QVBoxLayout>

namespace glossivo {

ChatInputBar::ChatInputBar(const QString& placeholder, int spacing, QWidget* parent)
    : QWidget(parent)
{
    auto* margins = new QVBoxLayout(this);
    margins->setContentsMargins(10, 10, 10, 10);
    auto* panel = new GlassPanel(14, this);
    panel->setObjectName(QStringLiteral("inputPanel"));
    margins->addWidget(panel);
    auto* stack = new QVBoxLayout(panel);
    stack->setContentsMargins(10, 10, 10, 10);
    stack->setSpacing(spacing);
    m_chips = new ChipRow(panel);
    stack->addWidget(m_chips);
    m_entry = new ChatEntry(placeholder, panel);
    stack->addWidget(m_entry);
}

} // namespace glossivo
