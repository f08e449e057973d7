#include "selftest/OCRSelfTest.h"

namespace glossivo::SelfTest {

QStringList ocrSampleLines()
{
    return {QStringLiteral("Reddit asks: what is your most unpopular take?"),
            QStringLiteral("I was reluctant to post this, but here we go."),
            QStringLiteral("ngl the new update is kinda mid tbh.")};
}

QStringList ocrTargetWords()
{
    return {QStringLiteral("reluctant"), QStringLiteral("ngl"), QStringLiteral("unpopular")};
}

bool reportOCR(const std::optional<QList<ScreenOCR::Line>>& recognized,
               const QList<OCRTarget>& targets, QTextStream& out)
{
    if (!recognized) {
        out << QStringLiteral("FAIL: 无法识别图片") << '\n';
        return false;
    }
    bool allFound = true;
    for (const OCRTarget& target : targets) {
        const auto result = ScreenOCR::analyze(*recognized, target.point, true);
        const bool found = result && result->word && result->word->toLower() == target.word;
        allFound = allFound && found;
        out << (found ? QStringLiteral("OK  ") : QStringLiteral("FAIL")) << QStringLiteral(" 指着 ")
            << target.word << QStringLiteral(" → 识别为 ")
            << (result && result->word ? *result->word : QStringLiteral("nil"))
            << QStringLiteral("；语境：") << (result ? result->context : QString()) << '\n';
    }
    return allFound;
}

} // namespace glossivo::SelfTest
