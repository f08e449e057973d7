#pragma once

#include "model/GrammarEncounter.h"
#include "model/PageSource.h"
#include "wordbook/views/PaneViews.h"

#include <QWidget>

#include <functional>

namespace glossivo {

class WordStore;

// The pane of one grammar point: its name and whether it is unlocked, its explanation, and the
// sentences in which the learner met it that match the window's search, each with a delete
// button. Built afresh for every change of the word book.
class GrammarDetail : public QWidget {
    Q_OBJECT

public:
    // How a record's source is shown; the window gets it from the shell.
    using SourceView = PaneViews::SourceView;

    // `query` is the window's search, already trimmed and lowercased.
    GrammarDetail(GrammarPoint point, const QString& query, WordStore& store,
                  const SourceView& sourceView, QWidget* parent = nullptr);

private:
    QWidget* recordCard(const GrammarEncounter& record, WordStore& store,
                        const SourceView& sourceView);
};

} // namespace glossivo
