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

} // namespace glossivo::SelfTest
