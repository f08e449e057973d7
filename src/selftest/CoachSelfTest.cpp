#include "selftest/SelfTest.h"

#include "coach/CoachFacts.h"
#include "coach/ConfigSecrets.h"
#include "model/ConfigStore.h"
#include "model/Graphemes.h"

#include <algorithm>

namespace glossivo::SelfTest {

void runCoach(QTextStream& out)
{
    const CoachFacts& facts = CoachFacts::shared();
    const QString record = facts.build(Clock::system().now());
    const QString review = facts.todayReview(Clock::system().now());
    reportCoach(record, review, ConfigStore::shared().config(), out);
}

void reportCoach(const QString& record, const QString& todayReview, const AppConfig& config,
                 QTextStream& out)
{
    out << record << '\n';
    out << QStringLiteral("\n--- 今天的复习 ---\n") << todayReview << '\n';
    const QStringList secrets = ConfigSecrets::of(config);
    const bool leaks =
        std::any_of(secrets.begin(), secrets.end(),
                    [&record](const QString& secret) { return record.contains(secret); });
    if (leaks) {
        out << QStringLiteral("FAIL 记录里有密钥") << '\n';
        return;
    }
    out << QStringLiteral("OK ") << Graphemes::split(record).size()
        << QStringLiteral(" 字，没有密钥") << '\n';
}

} // namespace glossivo::SelfTest
