#pragma once

#include <QString>

namespace glossivo::bench {

// An answer as the coach writes them, with every kind of inline Markdown, Chinese and English,
// repeated with a counter until it holds this many bytes of UTF-8.
inline QString coachAnswer(qsizetype bytes)
{
    const QString paragraph = QStringLiteral(
        "**第 %1 段**：你这周查了 *reluctant* 三次，说明它还没记牢。试着用它造句，比如 "
        "`I was reluctant to leave.`，再看看 [词典](https://dictionary.example.com/%1) 里的"
        "例句。~~别只背中文意思~~，把 __搭配__ 一起记下来：reluctant to do sth.\n"
        "- 复习 *hesitant*、**unwilling**，它们意思相近 (但语气不同)。\n\n");
    QString text;
    for (int i = 0; text.size() * 2 < bytes; ++i)
        text += paragraph.arg(i);
    while (text.toUtf8().size() > bytes)
        text.chop(text.size() / 50 + 1);
    return text;
}

} // namespace glossivo::bench
