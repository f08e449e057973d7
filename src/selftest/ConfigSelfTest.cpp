#include "selftest/SelfTest.h"

#include "app/ModifierKeyLabel.h"
#include "model/AppConfig.h"
#include "model/JsonFields.h"

#include <QJsonDocument>

#include <array>
#include <optional>

namespace glossivo::SelfTest {

namespace {

const QString kSampleKey = QStringLiteral("sk-qvzx");

struct Sample {
    QString label;
    QByteArray text;
};

std::optional<AppConfig> decode(const QByteArray& text)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    try {
        return AppConfig::fromJson(document.object());
    } catch (const JsonError&) {
        return std::nullopt;
    }
}

QString flag(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// The shortest text that reads back as the same number, always with a decimal point.
QString decimal(double value)
{
    QString text = QString::number(value, 'f', QLocale::FloatingPointShortest);
    if (!text.contains(QLatin1Char('.'))) text += QStringLiteral(".0");
    return text;
}

QString describe(const AppConfig& config)
{
    return QStringLiteral("key 保留=") + flag(config.apiKey == kSampleKey) +
           QStringLiteral(" 停住查词=") + flag(config.dwellLookup) + QLatin1Char(' ') +
           decimal(config.dwellSeconds) + QStringLiteral(" 秒 按住=") +
           modifierKeyLabel(config.hoverKey) + QLatin1Char('(') + flag(config.optionHoverOCR) +
           QStringLiteral(") 连按=") + modifierKeyLabel(config.regionKey);
}

} // namespace

void runConfig(QTextStream& out)
{
    const std::array<Sample, 2> samples{{
        {QStringLiteral("旧版设置文件"), R"({"apiKey":"sk-qvzx","optionHoverOCR":false})"},
        {QStringLiteral("键名写坏了"),
         R"({"apiKey":"sk-qvzx","hoverKey":"fn","regionKey":"control","dwellSeconds":1.5})"},
    }};
    for (const Sample& sample : samples) {
        const auto config = decode(sample.text);
        out << sample.label << QStringLiteral("：")
            << (config ? describe(*config) : QStringLiteral("读取失败")) << '\n';
    }
}

} // namespace glossivo::SelfTest
