#pragma once

#include <QString>

namespace glossivo {

class WordStore;

// Where a save made from the card or the add-word window stands with the disk. A window says
// "已保存" only once words.json holds the word; until then a change that another Glossivo
// process's turn holds back waits, and the word book writes it by itself when the turn ends.
enum class SaveProgress {
    saved,
    // Held back by another process's turn, for as long as that turn lasts: the word book goes on
    // trying by itself after its patience ran out, when it reports the write as failed.
    waiting,
    failed, // words.json could not be written: the change lives in memory only
};

// As the word book stands now, right after a save or at any saveStateChanged() after it.
SaveProgress saveProgress(const WordStore& words);

// What a window says of a save that failed: why words.json could not be written, as the word
// book tells it.
QString saveFailure(const WordStore& words);

// What a window says while its save waits.
inline QString waitingForAnotherProcess()
{
    return QStringLiteral("正在等另一个 Glossivo 进程用完单词本…");
}

} // namespace glossivo
