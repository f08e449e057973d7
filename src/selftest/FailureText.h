#pragma once

#include <QString>

#include <exception>

namespace glossivo::SelfTest {

// What a report prints for a failed request: the AI client's errors carry the sentence for the
// user (without the key) as their UTF-8 description.
inline QString failureText(const std::exception& error)
{
    return QString::fromUtf8(error.what());
}

// The line of a query whose request failed.
inline QString queryFailureLine(const QString& query, const std::exception& error)
{
    return QStringLiteral("「") + query + QStringLiteral("」出错：") + failureText(error) +
           QLatin1Char('\n');
}

// What a mode that changes data prints when a document could not be written.
inline QString writeFailureText(const QString& document, const QString& error)
{
    return QStringLiteral("保存失败：") + document + QStringLiteral("：") + error;
}

} // namespace glossivo::SelfTest
