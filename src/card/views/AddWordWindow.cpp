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
    connect(m_view, &AddWordView::heightNeeded, this, &AddWordWindow::fitTo);
}

void AddWordWindow::fitTo(int needed)
{
    const int target = qMax(kInitialSize.height(), needed);
    // The layout's minimum size makes the window grow; nothing makes it shrink by itself. A
    // height that is not the one last fitted was the user's own, and stays.
    if (height() > target && height() == m_fittedHeight) {
        // The window's own least height follows the view's only once its layout has run.
        layout()->activate();
        resize(width(), target);
    }
    m_fittedHeight = target;
}

} // namespace glossivo
