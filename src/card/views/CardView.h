#pragma once

#include <QPointer>
#include <QWidget>

class QVBoxLayout;

namespace glossivo {

class CardController;
class CardModel;
class WordCard;

// The card for whatever the model holds, in the common frame: a translucent rounded panel
// with a hairline border. Its size is always its content's natural size.
class CardView : public QWidget {
    Q_OBJECT

public:
    CardView(CardModel& model, CardController& controller, QWidget* parent = nullptr);

    // The size the card takes for what it shows; empty while it shows nothing.
    QSize fittingSize() const;
    QWidget* content() const { return m_content; }
    // Square corners where nothing can show through the window's clear corners.
    void setRoundedCorners(bool rounded) { m_roundedCorners = rounded; }

    static constexpr qreal kCornerRadius = 12;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showState();
    void replaceContent(QWidget* content);

    CardModel& m_model;
    CardController& m_controller;
    QVBoxLayout* m_layout;
    QPointer<QWidget> m_content;
    // The word card stays while the lookup stays the same (headword and selection), so that
    // its open details stay open through a save or a recall answer.
    QPointer<WordCard> m_wordCard;
    QString m_wordIdentity;
    bool m_roundedCorners = true;
};

} // namespace glossivo
