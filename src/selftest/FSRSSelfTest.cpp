#include "selftest/SelfTest.h"

#include "model/FSRS.h"

#include <QStringList>

#include <initializer_list>

namespace glossivo::SelfTest {

namespace {

constexpr double kSecondsPerDay = 86400;
constexpr double kRetention = 0.9;

QString oneDecimal(double value)
{
    return QString::number(value, 'f', 1);
}

// One answer sequence from no state at the epoch, each answer given exactly when the previous
// one fell due, so that the printed day counts are the successive intervals.
void show(const QString& name, std::initializer_list<Rating> ratings, QTextStream& out)
{
    std::optional<ReviewState> state;
    QDateTime now = QDateTime::fromSecsSinceEpoch(0, Qt::UTC);
    QStringList entries;
    for (const Rating rating : ratings) {
        state = FSRS::review(state, rating, now, kRetention);
        const double days = static_cast<double>(now.secsTo(state->due)) / kSecondsPerDay;
        entries.append(ratingName(rating) + QStringLiteral("→") + oneDecimal(days) +
                       QStringLiteral("天(S=") + oneDecimal(state->stability) +
                       QStringLiteral(",D=") + oneDecimal(state->difficulty) +
                       QStringLiteral(",L") + QString::number(state->level) + QLatin1Char(')'));
        now = state->due;
    }
    out << name << QStringLiteral("：") << entries.join(QLatin1Char(' ')) << '\n';
}

} // namespace

void runFSRS(QTextStream& out)
{
    using enum Rating;
    show(QStringLiteral("一直答对"), {good, good, good, good, good}, out);
    show(QStringLiteral("开头很简单"), {easy, easy, good}, out);
    show(QStringLiteral("中间忘了"), {good, good, again, good, good}, out);
    show(QStringLiteral("总是费劲"), {hard, hard, hard, hard}, out);
}

} // namespace glossivo::SelfTest
