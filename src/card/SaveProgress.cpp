#include "card/SaveProgress.h"

#include "card/SaveFailure.h"
#include "model/WordStore.h"

namespace glossivo {

namespace {

const QString kWords = QStringLiteral("words.json");

} // namespace

SaveProgress saveProgress(const WordStore& words)
{
    if (words.isSaved()) return SaveProgress::saved;
    // Past its patience the word book counts a held-back write as failed, for the tray's notice,
    // yet still writes it as soon as the other process lets go: the window goes on waiting.
    if (words.isHeldBack()) return SaveProgress::waiting;
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
