#include "CoachFixture.h"

#include "selftest/SelfTest.h"

using namespace glossivo;

namespace {

QString report(const QString& record, const AppConfig& config)
{
    QString text;
    QTextStream out(&text);
    SelfTest::reportCoach(record, "- apple：想起来了", config, out);
    out.flush();
    return text;
}

} // namespace

TEST(CoachReport, aRecordHoldingAnySecretFails)
{
    AppConfig config;
    EXPECT_EQ(report("记录 👍🏽", config), "记录 👍🏽\n\n--- 今天的复习 ---\n- "
                                                 "apple：想起来了\nOK 4 字，没有密钥\n");

    config.apiKey = "sk-report-8e21";
    config.syncToken = "token-report-5d";
    config.syncPin = QString(64, u'c');
    for (const QString& secret : {config.apiKey, config.syncToken, config.syncPin}) {
        EXPECT_TRUE(report("记录 " + secret, config).endsWith("\nFAIL 记录里有密钥\n"));
        EXPECT_TRUE(report("记录", config).endsWith("\nOK 2 字，没有密钥\n"));
    }
    // Only the record is searched, not today's list.
    EXPECT_TRUE(report("记录", config).contains("- apple"));
}
