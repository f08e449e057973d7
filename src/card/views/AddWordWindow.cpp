#include "card/views/AddWordWindow.h"

#include "card/views/AddWordView.h"

#include <QVBoxLayout>

namespace glossivo {

AddWordWindow::AddWordWindow(WordStore& words, AddWordState::ConfigSource config,
                             std::function<void(const QString&)> speak, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(words, std::move(config)),
      m_view(new AddWordView(m_state, std::move(speak), this))
{
    setObjectName(QStringLiteral("addWordWindow"));
    setWindowTitle(QStringLiteral("查词"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The view keeps its width; a wider window centres it.
    layout->addWidget(m_view, 0, Qt::AlignHCenter);
    resize(kInitialSize);
}

} // namespace glossivo
