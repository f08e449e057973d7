#include "app/MenuBarWord.h"

#include "model/BidiControls.h"
#include "model/ConfigStore.h"
#include "model/Graphemes.h"
#include "model/WordStore.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>

namespace glossivo {

namespace {

constexpr int kRotationSeconds = 1200;
constexpr int kSentenceWidth = 46;
constexpr qsizetype kStatusTitleLength = 16;
constexpr qsizetype kShortStem = 3;

qsizetype characterCount(const QString& text)
{
    return Graphemes::split(text).size();
}

std::optional<TextRange> firstMatch(const QString& pattern, const QString& text)
{
    const QRegularExpression expression(pattern,
                                        QRegularExpression::CaseInsensitiveOption |
                                            QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = expression.match(text);
    if (!match.hasMatch()) return std::nullopt;
    return TextRange{match.capturedStart(), match.capturedLength()};
}

// A form as a whole-word pattern in which each blank matches any run of white space, so a
// phrase is still found after wrapping put a line break into it.
QString formPattern(const QString& form)
{
    QStringList words = form.split(QLatin1Char(' '));
    for (QString& word : words)
        word = QRegularExpression::escape(word);
    return QStringLiteral("\\b") + words.join(QStringLiteral("\\s+")) + QStringLiteral("\\b");
}

// Headword, inflections and recorded forms, each once, longest first.
QStringList formCandidates(const WordEntry& entry)
{
    QStringList forms{entry.headword};
    if (entry.inflections) forms.append(entry.inflections->values());
    if (entry.forms)
        for (const FormRecord& record : *entry.forms)
            forms.append(record.form);
    forms.removeDuplicates();
    std::stable_sort(forms.begin(), forms.end(), [](const QString& a, const QString& b) {
        return characterCount(a) > characterCount(b);
    });
    return forms;
}

// "deprecate" also finds "Deprecated": the stem without a final "e", then any word characters.
std::optional<TextRange> stemMatch(const QString& headword, const QString& text)
{
    QString stem = headword.toLower();
    if (characterCount(stem) <= kShortStem || stem.contains(QLatin1Char(' '))) return std::nullopt;
    if (stem.endsWith(QLatin1Char('e'))) stem.chop(1);
    return firstMatch(
        QStringLiteral("\\b") + QRegularExpression::escape(stem) + QStringLiteral("\\w*"), text);
}

} // namespace

MenuBarWord::MenuBarWord(const WordStore& store, const ConfigStore& config, Shuffle shuffle,
                         QObject* parent)
    : QObject(parent), m_store(store), m_config(config), m_shuffle(std::move(shuffle))
{
    m_timer.setInterval(kRotationSeconds * 1000);
    connect(&m_timer, &QTimer::timeout, this, &MenuBarWord::next);
}

void MenuBarWord::randomOrder(QList<QUuid>& ids)
{
    std::shuffle(ids.begin(), ids.end(), *QRandomGenerator::global());
}

void MenuBarWord::start()
{
    m_timer.start();
    // Queued, so the handler sees the word list after the change has landed.
    connect(&m_store, &WordStore::willChange, this, &MenuBarWord::wordListChanged,
            Qt::QueuedConnection);
    QMetaObject::invokeMethod(this, &MenuBarWord::wordListChanged, Qt::QueuedConnection);
    next();
}

void MenuBarWord::wordListChanged()
{
    if (!entry()) next();
}

QList<QUuid> MenuBarWord::eligibleIds() const
{
    QList<QUuid> ids;
    for (const WordEntry& word : m_store.entries())
        if (word.stage == Stage::learning) ids.append(word.id);
    return ids;
}

void MenuBarWord::next()
{
    const QList<QUuid> eligible = eligibleIds();
    m_queue.removeIf([&](const QUuid& id) { return !eligible.contains(id); });
    if (m_queue.isEmpty()) {
        m_queue = eligible;
        m_shuffle(m_queue);
        // A new cycle never opens with the word that closed the last one, unless it is alone.
        if (m_queue.size() >= 2 && m_queue.first() == m_current) m_queue.swapItemsAt(0, 1);
    }
    m_current = m_queue.isEmpty() ? std::nullopt : std::optional(m_queue.takeFirst());
    m_glanced = false;
    Q_EMIT changed();
}

std::optional<WordEntry> MenuBarWord::entry() const
{
    if (!m_config.config().menuBarWord || !m_current) return std::nullopt;
    for (const WordEntry& word : m_store.entries())
        if (word.id == *m_current && word.stage == Stage::learning) return word;
    return std::nullopt;
}

std::optional<QString> MenuBarWord::sentence(const WordEntry& entry)
{
    QList<Example> candidates;
    for (const Example& example : entry.examples)
        if (!example.isGenerated) candidates.append(example);
    if (candidates.isEmpty()) candidates = entry.examples;
    if (candidates.isEmpty()) return std::nullopt;
    const Example* newest = &candidates.first();
    for (const Example& example : candidates)
        if (example.addedAt > newest->addedAt) newest = &example;
    return newest->sentence;
}

QString MenuBarWord::wrap(const QString& text, int width)
{
    // A line must hold at least one character, or cutting a long word would never end.
    const qsizetype lineWidth = std::max(width, 1);
    QStringList lines;
    QString line;
    qsizetype lineLength = 0;
    const auto endLine = [&] {
        if (line.isEmpty()) return;
        lines.append(line);
        line.clear();
        lineLength = 0;
    };
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QStringList rest = Graphemes::split(word);
        while (rest.size() > lineWidth) {
            endLine();
            lines.append(rest.mid(0, lineWidth).join(QString()));
            rest = rest.mid(lineWidth);
        }
        if (rest.isEmpty()) continue;
        if (!line.isEmpty() && lineLength + 1 + rest.size() > lineWidth) endLine();
        if (!line.isEmpty()) {
            line += QLatin1Char(' ');
            ++lineLength;
        }
        line += rest.join(QString());
        lineLength += rest.size();
    }
    endLine();
    return lines.join(QLatin1Char('\n'));
}

std::optional<TextRange> MenuBarWord::highlightRange(const WordEntry& entry, const QString& text)
{
    for (const QString& form : formCandidates(entry)) {
        if (form.isEmpty()) continue;
        if (auto range = firstMatch(formPattern(form), text)) return range;
    }
    return stemMatch(entry.headword, text);
}

std::optional<SentenceTitle> MenuBarWord::sentenceTitle(const WordEntry& entry)
{
    const auto text = sentence(entry);
    if (!text) return std::nullopt;
    const QString wrapped = wrap(*text, kSentenceWidth);
    return SentenceTitle{wrapped, highlightRange(entry, wrapped)};
}

QString MenuBarWord::statusTitle(const QString& word)
{
    const QString headword = BidiControls::removed(word);
    const QStringList characters = Graphemes::split(headword);
    if (characters.size() <= kStatusTitleLength) return headword;
    return characters.mid(0, kStatusTitleLength - 1).join(QString()) + QStringLiteral("…");
}

} // namespace glossivo
