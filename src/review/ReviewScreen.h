#pragma once

#include "model/Rating.h"
#include "model/Register.h"
#include "model/SpellMode.h"

#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

namespace glossivo {

// Everything the review window shows at one moment, worked out from the session and the word
// book, so that the widgets only copy it onto the screen.
struct ReviewScreen {
    enum class Content { nothing, empty, finished, recognition, spelling };
    // A recognition question waits for the reveal, for its rating, or (rated with a graduation
    // or a new leech) for the learner to go on.
    enum class Step { asking, revealed, rated };
    enum class Banner { none, graduated, leech, restLink };
    enum class EmptyKind { spelling, emptyBook, nothingDue };
    enum class Verdict { again, hard, good };

    struct TopBar {
        bool shown = false;
        int done = 0; // the progress bar's value
        int total = 0;
        QString counter;
        bool operator==(const TopBar&) const = default;
    };

    struct AnswerBlock {
        QString answer;
        QString fromHeadword; // "← headword" when the answer is another form; else empty
        QString phonetic;
        Register register_ = Register::neutral;
        QString meaning;                 // part of speech and meaning
        std::optional<QString> sentence; // spelling questions only, the answer emphasised
        std::optional<QString> sentenceZh;
        std::optional<QString> memoryTip; // shown before the note; may be empty
        std::optional<QString> note;      // the latest AI note, cut to 120 characters
        bool operator==(const AnswerBlock&) const = default;
    };

    // The clue of a spelling question.
    struct Clue {
        SpellMode mode = SpellMode::copy;
        QString word; // copy: the word or its dots; fill and chunks: the scaffold
        bool dots = false;
        QString meaning; // empty in dictation
        std::optional<QString> cloze;
        std::optional<QString> formHint; // already in its brackets
        QString letters;                 // full: the first letter and the count
        bool operator==(const Clue&) const = default;
    };

    struct Graded {
        Verdict verdict = Verdict::good;
        bool showTyped = false; // the typed answer's letter slots in the verdict row
        std::optional<QString> message;
        bool typeAlong = false;
        QString typeAlongPlaceholder;
        bool operator==(const Graded&) const = default;
    };

    struct Empty {
        EmptyKind kind = EmptyKind::nothingDue;
        QString title;
        QString text;
        bool offerMore = false; // else the "slots are full" line, in the nothing-due variant
        bool operator==(const Empty&) const = default;
    };

    struct Finished {
        QString counter;
        std::optional<QString> levelUps;
        std::optional<QString> graduated;
        bool reassurance = false;
        std::optional<QString> again; // the label of the button that starts another round
        bool operator==(const Finished&) const = default;
    };

    TopBar top;
    Content content = Content::nothing;

    // The question, for recognition and spelling.
    QUuid questionId;
    QString badge;
    QString prompt;
    QString headword;
    QString phonetic;
    std::optional<QString> sentence;
    QStringList sentenceTerms;
    Step step = Step::asking;
    AnswerBlock answer;
    Banner banner = Banner::none;
    Clue clue;
    QString expected; // the answer the letter slots compare with
    QString input;
    QString copyInput;
    std::optional<Graded> graded; // a spelling answer after grading

    Empty empty;
    Finished finished;

    bool operator==(const ReviewScreen&) const = default;
};

} // namespace glossivo
