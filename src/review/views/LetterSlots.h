#pragma once

#include <QWidget>

namespace glossivo {

class FlowLayout;

// A typed spelling answer against the expected word, one monospaced slot per character: green
// where it matches, red where it does not, grey where nothing is typed yet.
class LetterSlots : public QWidget {
    Q_OBJECT

public:
    explicit LetterSlots(QWidget* parent = nullptr);

    void setAnswer(const QString& answer);
    void setTyped(const QString& typed);

private:
    void rebuild();

    QString m_answer;
    QString m_typed;
    FlowLayout* m_row;
};

} // namespace glossivo
