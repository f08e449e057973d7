#include "coach/CoachText.h"

#include "ai/Characters.h"
#include "model/PageSource.h"
#include "model/SpellMode.h"

#include <array>
#include <cmath>
#include <limits>

namespace glossivo::CoachText {

namespace {

constexpr qsizetype kTitleCharacters = 50;

struct Label {
    const char* key;
    const char* text;
};

constexpr std::array kRatings{Label{"again", "没想起来"}, Label{"hard", "费劲想起"},
                              Label{"good", "想起来了"}, Label{"easy", "太简单"}};

// Replaced in this order, so a detail holding several names is read the same way every time.
constexpr std::array kSpellResults{Label{"again", "拼错"}, Label{"hard", "有小错"},
                                   Label{"good", "拼对"}, Label{"easy", "拼对"}};

} // namespace

QString ratingLabel(const std::optional<QString>& detail)
{
    if (!detail) return {};
    for (const Label& rating : kRatings)
        if (*detail == QLatin1String(rating.key)) return QString::fromUtf8(rating.text);
    return *detail;
}

QString registerLabel(Register value)
{
    switch (value) {
    case Register::formal:
        return QStringLiteral("正式");
    case Register::neutral:
        return {};
    case Register::casual:
        return QStringLiteral("口语");
    case Register::slang:
        return QStringLiteral("俚语");
    case Register::technical:
        return QStringLiteral("技术");
    }
    return {};
}

QString spellResult(const std::optional<QString>& detail)
{
    const QString text = detail.value_or(QString());
    if (text.endsWith(QLatin1String("again"))) return QStringLiteral("拼错");
    if (text.endsWith(QLatin1String("hard"))) return QStringLiteral("有小错");
    return QStringLiteral("拼对");
}

QString spellDetail(const std::optional<QString>& detail)
{
    QString text = detail.value_or(QString());
    for (const Label& result : kSpellResults)
        text.replace(QLatin1String(result.key), QString::fromUtf8(result.text));
    return text;
}

QString weekday(const QDateTime& time)
{
    // Qt counts Monday as 1 and Sunday as 7.
    static constexpr std::array labels{"一", "二", "三", "四", "五", "六", "日"};
    const int day = time.toLocalTime().date().dayOfWeek();
    return QString::fromUtf8(labels[static_cast<std::size_t>(day - 1)]);
}

QString dateLine(const QDateTime& time)
{
    const QDate day = time.toLocalTime().date();
    return QStringLiteral("%1月%2日 星期%3").arg(day.month()).arg(day.day()).arg(weekday(time));
}

QString partOfDay(int hour)
{
    if (hour >= 5 && hour <= 11) return QStringLiteral("上午");
    if (hour >= 12 && hour <= 17) return QStringLiteral("下午");
    if (hour >= 18 && hour <= 22) return QStringLiteral("晚上");
    return QStringLiteral("深夜");
}

QString place(const std::optional<Example>& example)
{
    if (!example) return {};
    const PageSource source{std::nullopt, example->sourceURL, std::nullopt};
    const QString base = source.host().value_or(example->sourceApp.value_or(QString()));
    const QString title =
        Characters::prefix(example->sourceTitle.value_or(QString()), kTitleCharacters);
    if (title.isEmpty()) return base;
    return base + QStringLiteral("「") + title + QStringLiteral("」");
}

QString formatDays(double days)
{
    if (!(days >= 1.0)) return QStringLiteral("不到 1 天");
    if (!std::isfinite(days)) days = std::numeric_limits<double>::max();
    return QString::number(std::round(days), 'f', 0) + QStringLiteral(" 天");
}

QString describe(const WordEntry& entry)
{
    QString line = entry.headword + QStringLiteral("（") + entry.meaningZh;
    if (entry.register_ != Register::neutral)
        line += QStringLiteral("，") + registerLabel(entry.register_);
    line += QStringLiteral("）");
    if (!entry.review) {
        line += QStringLiteral("：还没复习过");
    } else {
        line += QStringLiteral("：复习 ") + QString::number(entry.review->reps) +
                QStringLiteral(" 次，忘 ") + QString::number(entry.review->lapses) +
                QStringLiteral(" 次，现在大约能记 ") + formatDays(entry.review->stability);
    }
    // Slang words are never practised for spelling.
    if (entry.register_ != Register::slang)
        line += QStringLiteral("，拼写练到「") +
                spellModeName(spellModeForLevel(entry.spellLevel.value_or(0))) +
                QStringLiteral("」");
    return line;
}

} // namespace glossivo::CoachText
