#pragma once

#include <QtGlobal>

#include <functional>

namespace glossivo {

// Calls work(begin, end) for consecutive parts of [0, count) on several threads at once, and
// returns when all are done; a short list is one part, on the calling thread. The parts must only
// read what they share and write their own places. When parts throw, the exception of the first
// of them is rethrown: the error of the first failing element, as when they run one after the
// other.
void inParts(qsizetype count, const std::function<void(qsizetype begin, qsizetype end)>& work);

} // namespace glossivo
