#include "card/SaveProgress.h"

#include "model/WordStore.h"

namespace glossivo {

SaveProgress saveProgress(const WordStore& words)
{
    if (words.isWaiting()) return SaveProgress::waiting;
    // Another document that failed (the learning log, say) is announced by the tray; the word
    // itself is on disk.
    if (words.failedDocuments().contains(QStringLiteral("words.json"))) return SaveProgress::failed;
    return SaveProgress::saved;
}

} // namespace glossivo
