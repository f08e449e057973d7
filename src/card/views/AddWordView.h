#pragma once

#include "ai/LookupResult.h"
#include "ui/Glyphs.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace glossivo {

class AddWordState;
class BusyIndicator;
class GrowingTextField;
class PlainLabel;

// The content of the add-word window: the word field, the optional sentence field, the query
// button with the confirmation, the error or the wait of a save, and the answer with its
// buttons. It draws the state and hands every action to it.
class AddWordView : public QWidget {
    Q_OBJECT

public:
    AddWordView(AddWordState& state, std::function<void(const QString&)> speak,
                QWidget* parent = nullptr);

    static constexpr int kWidth = 460;
    static constexpr int kMinimumHeight = 200;

Q_SIGNALS:
    // The height the content needs now, after it grew or shrank.
    void heightNeeded(int height);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildForm();
    // The fields, the button row and the error, from the state.
    void refresh();
    // The divider, the answer and its buttons, from the state.
    void rebuildResult();
    QWidget* preview(const LookupResult& result);
    // The headword with its phonetic, speak button and register badge.
    QWidget* header(const Explanation& explanation);
    // The buttons for the shown answer, which the state saves.
    QWidget* actions();
    // A symbol before a text that wraps.
    QWidget* notice(Glyph glyph, const QString& text, const QColor& colour, const char* name);
    // The view is as tall as its content needs at its width, and never shorter than the least.
    void fitHeight();

    AddWordState& m_state;
    std::function<void(const QString&)> m_speak;
    QVBoxLayout* m_column = nullptr;
    QLineEdit* m_wordField = nullptr;
    GrowingTextField* m_sentenceField = nullptr;
    QPushButton* m_queryButton = nullptr;
    BusyIndicator* m_busy = nullptr;
    QToolButton* m_addSentence = nullptr;
    QWidget* m_savedSlot = nullptr;
    QString m_savedShown;
    PlainLabel* m_error = nullptr;
    PlainLabel* m_waitingNote = nullptr;
    QWidget* m_resultBlock = nullptr;
};

} // namespace glossivo
