#pragma once

#include "card/WordCardData.h"

#include <QWidget>

class QVBoxLayout;

namespace glossivo {

class CardController;

// The explanation of a word in its sentence, with the word book's side of it: the save
// control, the recall check and what the lookup revealed.
class WordCard : public QWidget {
    Q_OBJECT

public:
    WordCard(const WordCardData& data, CardController& controller, QWidget* parent = nullptr);

    // Draws the card again for new data of the same lookup; the open details stay open.
    void setData(const WordCardData& data);
    bool isExpanded() const { return m_expanded; }

    static constexpr int kWidth = 340;

private:
    void rebuild();
    QWidget* header();
    QWidget* saveControl();
    QWidget* meaningRow();
    QWidget* recallPrompt();
    QWidget* recallResult();
    QWidget* sentenceBlock();
    QWidget* detailsToggle();

    WordCardData m_data;
    CardController& m_controller;
    QVBoxLayout* m_column;
    bool m_expanded = false;
};

} // namespace glossivo
