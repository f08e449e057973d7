#include "card/SaveProgress.h"

#include "card/SaveFailure.h"
#include "model/WordStore.h"

namespace glossivo {

namespace {

const QString kWords = QStringLiteral("words.json");

} // namespace

SaveProgress saveProgress(const WordStore& words)
{
    if (words.isWaiting()) return SaveProgress::waiting;
    // Another document that failed (the learning log, say) is announced by the tray; the word
    // itself is on disk.
    if (words.failedDocuments().contains(kWords)) return SaveProgress::failed;
    return SaveProgress::saved;
}

QString saveFailure(const WordStore& words)
{
    return SaveFailure::message(words.writeError(kWords));
}

} // namespace glossivo
