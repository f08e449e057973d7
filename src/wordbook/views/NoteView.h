#pragma once

#include "model/AINote.h"
#include "wordbook/views/PaneViews.h"

#include <QWidget>

#include <functional>

namespace glossivo {

// One saved AI explanation: the question, the answer with its inline Markdown, the date and
// where it was asked. The notes tab shows the passage and its translation above it; a word's
// pane, where the word is the passage, leaves them out. The answer came from the AI service
// and is never read as HTML.
class NoteView : public QWidget {
    Q_OBJECT

public:
    NoteView(const AINote& note, bool showOriginal, std::function<void()> onDelete,
             const PaneViews& views, QWidget* parent = nullptr);
};

} // namespace glossivo
