#include "coach/CoachFacts.h"

#include "ai/Characters.h"
#include "coach/CoachText.h"
#include "coach/ConfigSecrets.h"
#include "coach/WordOrder.h"
#include "model/DayKey.h"
#include "model/Learning.h"
#include "model/WordStore.h"

#include <algorithm>
#include <array>
#include <set>

namespace glossivo {

namespace {

using Event = LearningLog::Event;

constexpr qint64 kTwoWeeks = 1209600;
constexpr qint64 kOneWeek = 604800;
constexpr qsizetype kNewWordsListed = 40;
constexpr qsizetype kMasteredListed = 40;
constexpr qsizetype kSpellingListed = 15;
constexpr qsizetype kSentenceCharacters = 110;

const QString kListSeparator = QStringLiteral(", ");
const QString kSpellingListLabel = QStringLiteral("常拼");

const std::array kRatingNames{QStringLiteral("again"), QStringLiteral("hard"),
                              QStringLiteral("good"), QStringLiteral("easy")};
const std::array kPartsOfDay{QStringLiteral("上午"), QStringLiteral("下午"), QStringLiteral("晚上"),
                             QStringLiteral("深夜")};

struct StageLabel {
    DisplayStage stage;
    const char* label;
};
constexpr std::array kStageLabels{
    StageLabel{DisplayStage::learning, "在学"}, StageLabel{DisplayStage::seen, "见过"},
    StageLabel{DisplayStage::resting, "休息"}, StageLabel{DisplayStage::mastered, "掌握"},
    StageLabel{DisplayStage::dormant, "沉睡"}};

QString number(qint64 value)
{
    return QString::number(value);
}

qsizetype countKind(const QList<Event>& events, const QStringList& kinds)
{
    return std::count_if(events.begin(), events.end(),
                         [&kinds](const Event& event) { return kinds.contains(event.kind); });
}

QList<Event> byTime(QList<Event> events)
{
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.time < b.time; });
    return events;
}

bool isRecalled(const std::optional<QString>& detail)
{
    return detail == QStringLiteral("good") || detail == QStringLiteral("easy");
}

QString headwords(const QList<WordEntry>& entries)
{
    QStringList words;
    for (const WordEntry& entry : entries)
        words.append(entry.headword);
    return words.join(kListSeparator);
}

QList<WordEntry> entriesWhere(const QList<WordEntry>& entries,
                              const std::function<bool(const WordEntry&)>& wanted)
{
    QList<WordEntry> chosen;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(chosen), wanted);
    return chosen;
}

// One build: the snapshot it reads and the values derived from it, with a method per block.
class Record {
public:
    Record(const QDateTime& now, const WordStore& store, const AppConfig& config,
           QList<Event> events)
        : m_now(now.toLocalTime()), m_store(store), m_entries(store.entries()), m_config(config),
          m_secrets(ConfigSecrets::of(config)), m_events(std::move(events)),
          m_todayKey(DayKey::of(now))
    {
        const QDateTime since14 = now.addSecs(-kTwoWeeks);
        for (const Event& event : m_events) {
            m_allDays.insert(DayKey::of(event.time));
            if (event.time < since14) continue;
            m_byDay[DayKey::of(event.time)].append(event);
            if (event.kind == QLatin1String("review") || event.kind == QLatin1String("recall"))
                m_reviewsByWord[event.word].append(event);
            if (event.kind == QLatin1String("spell")) m_spellsByWord[event.word].append(event);
        }
    }

    QStringList lines(int questionCount) const
    {
        QStringList lines{nowLine()};
        firstUse(lines);
        lastStudyDay(lines);
        places(lines);
        lastTwoWeeks(lines);
        newWords(lines);
        lines.append(totals());
        learningWords(lines);
        forgottenTwice(lines);
        recalledTwice(lines);
        leeches(lines);
        stageList(lines, Stage::resting, QStringLiteral("正在休息、暂时不考的词："), -1);
        stageList(lines, Stage::mastered, QStringLiteral("已经掌握的词："), kMasteredListed);
        spellingResults(lines);
        spellingList(lines);
        lines.append(today(questionCount));
        return lines;
    }

private:
    QString nowLine() const
    {
        const int hour = m_now.time().hour();
        return QStringLiteral("现在：") + m_todayKey + QStringLiteral(" 星期") +
               CoachText::weekday(m_now) + u' ' + CoachText::partOfDay(hour) + u' ' + number(hour) +
               QStringLiteral(" 点");
    }

    void firstUse(QStringList& lines) const
    {
        if (m_allDays.empty()) return;
        lines.append(QStringLiteral("第一次用 Glossivo 的记录：") + *m_allDays.begin() +
                     QStringLiteral("。有记录的日子一共 ") + number(qint64(m_allDays.size())) +
                     QStringLiteral(" 天"));
    }

    void lastStudyDay(QStringList& lines) const
    {
        const auto after = m_allDays.lower_bound(m_todayKey);
        if (after == m_allDays.begin()) return;
        const QString key = *std::prev(after);
        const std::optional<QDateTime> day = DayKey::parse(key);
        if (!day) return;
        const qint64 days = day->date().daysTo(m_now.date());
        lines.append(QStringLiteral("今天之前最近一次学习：") + key + QStringLiteral("（") +
                     number(days) + QStringLiteral(" 天前）"));
    }

    void places(QStringList& lines) const
    {
        QStringList labels;
        QSet<QString> taken;
        for (const QString& label : m_store.topInterests()) {
            if (label == kSpellingListLabel || taken.contains(label.toLower())) continue;
            taken.insert(label.toLower());
            labels.append(label);
        }
        if (labels.isEmpty()) return;
        lines.append(QStringLiteral("常看的地方和页面：") + labels.join(QStringLiteral("；")));
    }

    void lastTwoWeeks(QStringList& lines) const
    {
        if (m_byDay.empty()) return;
        lines.append(QStringLiteral("\n最近两周每天的记录（只列有活动的日子）："));
        for (const auto& [key, dayEvents] : m_byDay) {
            const QStringList parts = dayParts(dayEvents);
            if (parts.isEmpty()) continue;
            lines.append(QStringLiteral("- ") + key + QStringLiteral("（") + periods(dayEvents) +
                         QStringLiteral("）：") + parts.join(QStringLiteral("；")));
        }
    }

    static QStringList dayParts(const QList<Event>& dayEvents)
    {
        QStringList parts;
        if (const qsizetype saved = countKind(dayEvents, {"save"}))
            parts.append(QStringLiteral("存了 ") + number(saved) + QStringLiteral(" 个词"));
        if (const qsizetype lookups = countKind(dayEvents, {"lookup"}))
            parts.append(QStringLiteral("又查到已存的词 ") + number(lookups) +
                         QStringLiteral(" 次"));
        if (const qsizetype reviews = countKind(dayEvents, {"review", "recall"}))
            parts.append(QStringLiteral("复习 ") + number(reviews) + QStringLiteral(" 题（") +
                         ratings(dayEvents) + QStringLiteral("）"));
        if (const qsizetype spells = countKind(dayEvents, {"spell"}))
            parts.append(QStringLiteral("拼写 ") + number(spells) + QStringLiteral(" 次（拼对 ") +
                         number(rightSpellings(dayEvents)) + QStringLiteral("）"));
        if (const qsizetype glances = countKind(dayEvents, {"glance"}))
            parts.append(QStringLiteral("点开菜单栏的词看了 ") + number(glances) +
                         QStringLiteral(" 次"));
        QStringList graduated;
        for (const Event& event : dayEvents)
            if (event.kind == QLatin1String("graduate")) graduated.append(event.word);
        if (!graduated.isEmpty())
            parts.append(QStringLiteral("记牢毕业：") + graduated.join(kListSeparator));
        return parts;
    }

    // Every rating name that occurs, with its count; other details count only in the total.
    static QString ratings(const QList<Event>& dayEvents)
    {
        QStringList counted;
        for (const QString& name : kRatingNames) {
            const auto count =
                std::count_if(dayEvents.begin(), dayEvents.end(), [&](const Event& e) {
                    return (e.kind == QLatin1String("review") ||
                            e.kind == QLatin1String("recall")) &&
                           e.detail == name;
                });
            if (count > 0) counted.append(CoachText::ratingLabel(name) + u' ' + number(count));
        }
        return counted.join(QStringLiteral("、"));
    }

    static qsizetype rightSpellings(const QList<Event>& dayEvents)
    {
        return std::count_if(dayEvents.begin(), dayEvents.end(), [](const Event& e) {
            const QString detail = e.detail.value_or(QString());
            return e.kind == QLatin1String("spell") && (detail.endsWith(QLatin1String("good")) ||
                                                        detail.endsWith(QLatin1String("easy")));
        });
    }

    static QString periods(const QList<Event>& dayEvents)
    {
        QSet<QString> met;
        for (const Event& event : dayEvents)
            met.insert(CoachText::partOfDay(event.time.toLocalTime().time().hour()));
        QStringList ordered;
        for (const QString& part : kPartsOfDay)
            if (met.contains(part)) ordered.append(part);
        return ordered.join(QStringLiteral("、"));
    }

    void newWords(QStringList& lines) const
    {
        const QDateTime since7 = m_now.addSecs(-kOneWeek);
        QList<WordEntry> recent =
            entriesWhere(m_entries, [&](const WordEntry& e) { return e.createdAt >= since7; });
        if (recent.isEmpty()) return;
        std::stable_sort(recent.begin(), recent.end(), [](const WordEntry& a, const WordEntry& b) {
            return a.createdAt > b.createdAt;
        });
        lines.append(QStringLiteral("\n最近 7 天新存的词（新的在前），后面是在哪里遇到的、原句："));
        for (const WordEntry& entry : recent.mid(0, kNewWordsListed))
            lines.append(newWord(entry));
    }

    // The example that stands for the word, with any secret masked before its texts are cut,
    // so that no part of one survives the cut.
    std::optional<Example> shownExample(const WordEntry& entry) const
    {
        std::optional<Example> example = CoachFacts::sentence(entry);
        if (!example) return example;
        example->sentence = ConfigSecrets::masked(example->sentence, m_secrets);
        for (std::optional<QString>* text :
             {&example->sourceApp, &example->sourceURL, &example->sourceTitle})
            if (*text) **text = ConfigSecrets::masked(**text, m_secrets);
        return example;
    }

    QString newWord(const WordEntry& entry) const
    {
        QString line = QStringLiteral("- ") + DayKey::of(entry.createdAt) + u' ' + entry.headword +
                       QStringLiteral("（") + entry.pos + u' ' + entry.meaningZh;
        if (entry.register_ != Register::neutral)
            line += QStringLiteral("，") + CoachText::registerLabel(entry.register_);
        line += QStringLiteral("）");
        const std::optional<Example> example = shownExample(entry);
        const QString place = CoachText::place(example);
        if (!place.isEmpty()) line += QStringLiteral(" 来自 ") + place;
        // A sentence the AI wrote says nothing about what the learner reads.
        if (example && !example->sentence.isEmpty() && !example->isGenerated)
            line +=
                QStringLiteral("：") + Characters::prefix(example->sentence, kSentenceCharacters);
        return line;
    }

    QString totals() const
    {
        QStringList counts;
        for (const StageLabel& stage : kStageLabels) {
            const auto count =
                std::count_if(m_entries.begin(), m_entries.end(), [&](const WordEntry& e) {
                    return Learning::displayStage(e, m_config, m_now) == stage.stage;
                });
            counts.append(QString::fromUtf8(stage.label) + u' ' + number(count));
        }
        return QStringLiteral("\n单词本一共 ") + number(m_entries.size()) +
               QStringLiteral(" 个词：") + counts.join(QStringLiteral("、")) +
               QStringLiteral("。「在学」名额 ") + number(m_config.learningSlots) +
               QStringLiteral(" 个（只有在学和掌握的词会复习）");
    }

    void learningWords(QStringList& lines) const
    {
        QList<WordEntry> learning =
            entriesWhere(m_entries, [](const WordEntry& e) { return e.stage == Stage::learning; });
        if (learning.isEmpty()) return;
        std::stable_sort(
            learning.begin(), learning.end(), [](const WordEntry& a, const WordEntry& b) {
                return (a.review ? a.review->reps : 0) > (b.review ? b.review->reps : 0);
            });
        lines.append(QStringLiteral("「在学」的词："));
        for (const WordEntry& entry : learning)
            lines.append(QStringLiteral("- ") + CoachText::describe(entry));
    }

    void forgottenTwice(QStringList& lines) const
    {
        QStringList found;
        for (const auto& [word, events] : m_reviewsByWord) {
            const auto forgotten = std::count_if(events.begin(), events.end(), [](const Event& e) {
                return e.detail == QStringLiteral("again");
            });
            if (forgotten >= 2) found.append(forgottenLine(word, events));
        }
        if (found.isEmpty()) return;
        lines.append(QStringLiteral("\n最近两周忘过两次以上的词："));
        lines.append(found);
    }

    QString forgottenLine(const QString& word, const QList<Event>& events) const
    {
        QStringList labels;
        for (const Event& event : byTime(events))
            labels.append(CoachText::ratingLabel(event.detail));
        QString line =
            QStringLiteral("- ") + word + QStringLiteral("：") + labels.join(QStringLiteral(" → "));
        const std::optional<qsizetype> index = m_store.index(word);
        if (!index || *index >= m_entries.size()) return line;
        const WordEntry& entry = m_entries.at(*index);
        line += QStringLiteral("。意思：") + entry.meaningZh;
        if (const std::optional<Example> example = shownExample(entry))
            line += QStringLiteral("。原句：") +
                    Characters::prefix(example->sentence, kSentenceCharacters);
        if (entry.mnemonic)
            line += QStringLiteral("。已经给过的联想：") +
                    QString(*entry.mnemonic).replace(u'\n', u' ');
        return line;
    }

    void recalledTwice(QStringList& lines) const
    {
        QStringList words;
        for (const auto& [word, events] : m_reviewsByWord) {
            const QList<Event> ordered = byTime(events);
            if (ordered.size() >= 2 && isRecalled(ordered.at(ordered.size() - 1).detail) &&
                isRecalled(ordered.at(ordered.size() - 2).detail))
                words.append(word);
        }
        if (words.isEmpty()) return;
        lines.append(QStringLiteral("最近两次都想起来了的词：") + words.join(kListSeparator));
    }

    void leeches(QStringList& lines) const
    {
        const int threshold = m_config.leechThreshold;
        const QList<WordEntry> leeches = entriesWhere(m_entries, [threshold](const WordEntry& e) {
            return (e.review ? e.review->lapses : 0) >= threshold && e.stage != Stage::mastered;
        });
        if (leeches.isEmpty()) return;
        lines.append(QStringLiteral("难啃的词（忘了 ") + number(threshold) +
                     QStringLiteral(" 次以上）：") + headwords(leeches));
    }

    // limit -1 lists them all.
    void stageList(QStringList& lines, Stage stage, const QString& heading, qsizetype limit) const
    {
        const QList<WordEntry> words =
            entriesWhere(m_entries, [stage](const WordEntry& e) { return e.stage == stage; });
        if (words.isEmpty()) return;
        lines.append(heading + headwords(words.mid(0, limit)));
    }

    void spellingResults(QStringList& lines) const
    {
        if (m_spellsByWord.empty()) return;
        lines.append(QStringLiteral("最近两周每个词的拼写结果（按时间先后）："));
        for (const auto& [word, events] : m_spellsByWord) {
            QStringList results;
            for (const Event& event : byTime(events))
                results.append(CoachText::spellResult(event.detail));
            lines.append(QStringLiteral("- ") + word + QStringLiteral("：") +
                         results.join(QStringLiteral(" → ")));
        }
    }

    void spellingList(QStringList& lines) const
    {
        const int count = m_store.spellPracticeCount();
        if (count <= 0) return;
        const QList<WordEntry> listed =
            entriesWhere(m_entries, [](const WordEntry& e) { return e.spellPractice == true; });
        lines.append(QStringLiteral("「常拼」（想练拼写的名字、品牌等）有 ") + number(count) +
                     QStringLiteral(" 个：") + headwords(listed.mid(0, kSpellingListed)));
    }

    QString today(int questionCount) const
    {
        const auto day = m_byDay.find(m_todayKey);
        const qsizetype answered =
            day == m_byDay.end() ? 0 : countKind(day->second, {"review", "recall"});
        return QStringLiteral("\n今天已经复习了 ") + number(answered) +
               QStringLiteral(" 题。现在打开复习，这一轮有 ") + number(questionCount) +
               QStringLiteral(" 题，每题大约 15～20 秒");
    }

    QDateTime m_now;
    const WordStore& m_store;
    QList<WordEntry> m_entries;
    AppConfig m_config;
    QStringList m_secrets;
    QList<Event> m_events;
    QString m_todayKey;
    std::set<QString> m_allDays; // day keys are ASCII: plain order is calendar order
    std::map<QString, QList<Event>> m_byDay;
    ByWord<QList<Event>> m_reviewsByWord;
    ByWord<QList<Event>> m_spellsByWord;
};

} // namespace

QString CoachFacts::build(const QDateTime& now) const
{
    const AppConfig config = m_config();
    const Record record(now, m_store, config, events());
    // Headwords, titles and mnemonics are the learner's own texts and could hold anything.
    const QString text = record.lines(todayQuestionCount(now)).join(QLatin1Char('\n'));
    return ConfigSecrets::masked(text, ConfigSecrets::of(config));
}

} // namespace glossivo
