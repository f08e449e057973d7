#include "selftest/SelfTest.h"

#include "model/JsonFields.h"
#include "model/SlotTrim.h"
#include "selftest/MergeSamples.h"
#include "sync/SyncMerge.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace glossivo::SelfTest {

namespace {

const QString kRun = QStringLiteral("run");
const QString kApple = QStringLiteral("Apple");
const QString kListSeparator = QStringLiteral(", ");

// The field checks of the report: each holds only when every earlier one held, so a later
// line that happens to look right cannot hide an earlier failure.
class Chain {
public:
    void require(bool holds) { m_holds = m_holds && holds; }
    bool holds() const { return m_holds; }

private:
    bool m_holds = true;
};

template <class T, class F> QStringList texts(const QList<T>& list, F text)
{
    QStringList result;
    for (const T& element : list)
        result.append(std::invoke(text, element));
    return result;
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("是") : QStringLiteral("否");
}

std::optional<WordEntry> firstNamed(const SyncBundle& bundle, const QString& headword)
{
    for (const WordEntry& entry : bundle.words)
        if (entry.headword == headword) return entry;
    return std::nullopt;
}

QString wholeNumber(double value)
{
    return QString::number(std::trunc(value), 'f', 0);
}

// Lines about the word both devices changed; an empty word stands in when the merge lost it.
void reportRun(const WordEntry& run, Chain& chain, QTextStream& out)
{
    out << QStringLiteral("run 例句：")
        << texts(run.examples, &Example::sentence).join(QStringLiteral(" | ")) << '\n';
    chain.require(run.examples.size() == 2);

    const ReviewState review = run.review.value_or(ReviewState{});
    out << QStringLiteral("run 复习：") << review.reps << QStringLiteral(" 次，稳定度 ")
        << wholeNumber(review.stability) << QStringLiteral("（用后复习的手机那边）") << '\n';
    chain.require(run.review && review.reps == 3);

    const bool learning = run.stage == Stage::learning;
    out << QStringLiteral("run 阶段：")
        << (learning ? QStringLiteral("在学") : QStringLiteral("不对"))
        << QStringLiteral("（电脑后改的）") << '\n';
    out << QStringLiteral("run 拼写等级：") << run.spellLevel.value_or(0)
        << QStringLiteral("，查过 ") << run.lookupCount << QStringLiteral(" 次") << '\n';
    chain.require(learning && run.spellLevel == 2 && run.lookupCount == 4);

    out << QStringLiteral("run 遇到的日子：")
        << run.encounterDays.value_or(QStringList()).join(kListSeparator)
        << QStringLiteral("；来源：") << run.sourceKeys.value_or(QStringList()).join(kListSeparator)
        << '\n';
    chain.require(run.encounterDays && run.encounterDays->size() == 3 && run.sourceKeys &&
                  run.sourceKeys->size() == 2);
}

void reportApple(const std::optional<WordEntry>& apple, Chain& chain, QTextStream& out)
{
    const QString idTail = apple ? Json::uuidText(apple->id).right(2) : QString();
    const qsizetype examples = apple ? apple->examples.size() : 0;
    const bool wanted = apple && apple->wantToLearn == true;
    out << QStringLiteral("apple 两台设备各存了一次：留下 ") << idTail << QStringLiteral("，例句 ")
        << examples << QStringLiteral(" 条，想学 ") << yesNo(wanted) << '\n';
    chain.require(apple && apple->id == MergeSamples::id("B2") && examples == 2 && wanted);
}

void reportWords(const SyncBundle& merged, Chain& chain, QTextStream& out)
{
    const QStringList headwords = texts(merged.words, &WordEntry::headword);
    out << QStringLiteral("词：") << headwords.join(kListSeparator) << '\n';
    chain.require(headwords == QStringList{QStringLiteral("cat"), kApple, kRun});
    reportRun(firstNamed(merged, kRun).value_or(WordEntry{}), chain, out);
    reportApple(firstNamed(merged, kApple), chain, out);
}

void reportRecords(const SyncBundle& merged, Chain& chain, QTextStream& out)
{
    out << QStringLiteral("语法：") << merged.grammar.size()
        << QStringLiteral(" 条（同一句只留一条）；删除记录 ") << merged.deleted.size()
        << QStringLiteral(" 条") << '\n';
    chain.require(merged.grammar.size() == 1 &&
                  merged.grammar.first().id == MergeSamples::id("F1") &&
                  merged.deleted.size() == 2);

    const ReviewStats stats = merged.stats.value_or(ReviewStats{});
    out << QStringLiteral("日志：") << merged.log.size() << QStringLiteral(" 行；今天复习 ")
        << stats.reviewed << QStringLiteral("，新词 ") << stats.newLearned << '\n';
    chain.require(merged.stats && merged.log.size() == 3 && stats.reviewed == 5 &&
                  stats.newLearned == 4);

    const auto& settings = merged.settings;
    out << QStringLiteral("复习设置：名额 ") << (settings ? settings->learningSlots : 0)
        << QStringLiteral("，每天新词 ") << (settings ? settings->dailyNewLimit : 0)
        << QStringLiteral("，每轮 ") << (settings ? settings->sessionSize : 0)
        << QStringLiteral(" 题（用手机上后改的）") << '\n';
    chain.require(settings && settings->learningSlots == 40 && settings->dailyNewLimit == 5 &&
                  !settings->recallOnLookup);
}

void reportOneSided(const SyncBundle& other, Chain& chain, QTextStream& out)
{
    const auto& settings = other.settings;
    out << QStringLiteral("只有一边改过设置：用改过的那边（名额 ")
        << (settings ? settings->learningSlots : 0) << QStringLiteral("）") << '\n';
    chain.require(settings && settings->learningSlots == 50);
}

void reportSlotTrim(Chain& chain, QTextStream& out)
{
    const QList<WordEntry> words = MergeSamples::slotTrimWords();
    QStringList names;
    for (const QUuid& id : SlotTrim::pick(words, 2)) {
        const auto found = std::find_if(words.begin(), words.end(),
                                        [&](const WordEntry& word) { return word.id == id; });
        if (found != words.end()) names.append(found->headword);
    }
    out << QStringLiteral("在学多出 2 个时放回：") << names.join(kListSeparator) << '\n';
    chain.require(names == QStringList{QStringLiteral("gamma"), QStringLiteral("beta")});
}

// Whether devices that merge in either order, or merge again, end with the same document.
bool reportConvergence(const Merge& merge, const SyncBundle& computer, const SyncBundle& phone,
                       const SyncBundle& merged, QTextStream& out)
{
    const QString hash = merged.hash();
    const bool sameOrder = merge(phone, computer).hash() == hash;
    const bool unchanged =
        merge(merged, computer).hash() == hash && merge(merged, merged).hash() == hash;
    out << QStringLiteral("先合谁都一样：") << yesNo(sameOrder)
        << QStringLiteral("；再合一次不变：") << yesNo(unchanged) << '\n';
    return sameOrder && unchanged;
}

} // namespace

bool runMerge(QTextStream& out)
{
    return checkMerge(SyncMerge::merge, out);
}

bool checkMerge(const Merge& merge, QTextStream& out)
{
    const SyncBundle computer = MergeSamples::computer();
    const SyncBundle phone = MergeSamples::phone();
    const SyncBundle merged = merge(computer, phone);

    Chain chain;
    reportWords(merged, chain, out);
    reportRecords(merged, chain, out);
    reportOneSided(merge(computer, SyncBundle{}), chain, out);
    reportSlotTrim(chain, out);
    const bool converges = reportConvergence(merge, computer, phone, merged, out);

    const bool passed = chain.holds() && converges;
    out << (passed ? QStringLiteral("OK 合并规则正常") : QStringLiteral("FAIL 合并规则不对"))
        << '\n';
    return passed;
}

} // namespace glossivo::SelfTest
