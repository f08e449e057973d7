#pragma once

#include "model/TextRange.h"
#include "model/WordEntry.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <QUuid>

#include <functional>
#include <optional>

namespace glossivo {

class ConfigStore;
class WordStore;

// The sentence line of the menu: the wrapped sentence and the stretch to show in bold.
struct SentenceTitle {
    QString text;
    std::optional<TextRange> bold;
    bool operator==(const SentenceTitle&) const = default;
};

// The word being learnt that stands in the menu bar. It goes through the learning words in
// shuffled cycles, so each comes up once per cycle, and moves on every twenty minutes, on
// request, and when the shown word stops being a learning word.
class MenuBarWord : public QObject {
    Q_OBJECT

public:
    // Puts the ids of a new cycle into the order in which they are shown.
    using Shuffle = std::function<void(QList<QUuid>&)>;

    MenuBarWord(const WordStore& store, const ConfigStore& config, Shuffle shuffle = randomOrder,
                QObject* parent = nullptr);

    static void randomOrder(QList<QUuid>& ids);

    // Starts the rotation and shows a word at once.
    void start();
    // Moves on to the next word of the cycle, starting a new cycle when this one is done.
    void next();

    // The shown word; none while the menu-bar word is switched off or the word is no longer a
    // learning word of the word book.
    std::optional<WordEntry> entry() const;
    const std::optional<QUuid>& current() const { return m_current; }
    // Whether the status menu has logged a glance at the current word.
    bool glanced() const { return m_glanced; }
    void markGlanced() { m_glanced = true; }

    // The sentence to show: the newest example met in reading, else the newest example at all.
    static std::optional<QString> sentence(const WordEntry& entry);
    // Fills lines greedily up to `width` characters (grapheme clusters), breaking at blanks and
    // cutting words longer than a line. A width below 1 counts as 1.
    static QString wrap(const QString& text, int width);
    // Where the word, or one of its forms, stands in the text: the longest form that matches as
    // a whole word (ignoring case, a blank matching any run of white space), else the stem of
    // the headword continued to the end of its word.
    static std::optional<TextRange> highlightRange(const WordEntry& entry, const QString& text);
    // The sentence wrapped for the menu, with the word marked for bold.
    static std::optional<SentenceTitle> sentenceTitle(const WordEntry& entry);
    // The headword as the menu bar shows it: whole up to 16 characters, else cut to 15 and "…".
    static QString statusTitle(const QString& headword);

Q_SIGNALS:
    // The current word changed (it may be the same word again).
    void changed();

private:
    void wordListChanged();
    QList<QUuid> eligibleIds() const;

    const WordStore& m_store;
    const ConfigStore& m_config;
    Shuffle m_shuffle;
    std::optional<QUuid> m_current;
    bool m_glanced = false;
    QList<QUuid> m_queue;
    QTimer m_timer;
};

} // namespace glossivo
