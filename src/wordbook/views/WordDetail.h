#pragma once

#include "model/AppConfig.h"
#include "model/WordEntry.h"
#include "wordbook/views/PaneViews.h"

#include <QWidget>

class QScrollArea;

namespace glossivo {

class WordStore;

// The pane of one saved word: the headword with speech and register, the meaning, how often it
// was met, its stage bar, memory tip, forms met, word family, every example and every AI
// explanation. It keeps nothing: the window builds it again from the word book at every change,
// and a delete here goes through the word book's operations.
class WordDetail : public QWidget {
    Q_OBJECT

public:
    WordDetail(const WordEntry& entry, WordStore& store, const AppConfig& config,
               const QDateTime& now, const PaneViews& views, QWidget* parent = nullptr);

    QScrollArea* scrollArea() const { return m_pane; }

private:
    QScrollArea* m_pane = nullptr;
};

} // namespace glossivo
