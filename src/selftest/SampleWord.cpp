#include "selftest/SampleWord.h"

namespace glossivo::SelfTest {

WordEntry sampleWord(const QString& headword, const QString& sentence)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    Example example;
    example.id = QUuid::createUuid();
    example.sentence = sentence;
    example.meaningZh = QStringLiteral("测试");
    example.addedAt = now;

    WordEntry word;
    word.id = QUuid::createUuid();
    word.headword = headword;
    word.meaningZh = QStringLiteral("测试");
    word.examples = {example};
    word.createdAt = now;
    word.lookupCount = 1;
    return word;
}

} // namespace glossivo::SelfTest
