#pragma once

#include "model/Example.h"
#include "model/Register.h"
#include "model/WordEntry.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace glossivo {

// The small pieces of Chinese text that the learning record is made of. Pure: they only read
// what they are given.
namespace CoachText {

// "again", "hard", "good" and "easy" (exactly) in Chinese; any other text unchanged, none empty.
QString ratingLabel(const std::optional<QString>& detail);
// Empty for a neutral word.
QString registerLabel(Register value);
// How a spelling attempt went, judged by how its detail ends.
QString spellResult(const std::optional<QString>& detail);
// A spelling attempt's detail with the rating names inside it put in Chinese.
QString spellDetail(const std::optional<QString>& detail);

// "日" to "六" for the local day of the time.
QString weekday(const QDateTime& time);
// The coach window's date line for the local day of the time: "5月3日 星期二", numbers without
// leading zeros.
QString dateLine(const QDateTime& time);
// "上午", "下午", "晚上" or "深夜" for an hour from 0 to 23.
QString partOfDay(int hour);

// Where the example was met: the site or file of its address, else its application, with the
// page title in corner brackets; empty when nothing is known.
QString place(const std::optional<Example>& example);
// A memory span: "不到 1 天", or whole days rounded half away from zero. Any size is written
// out in full: a huge stability from a file must not overflow an integer.
QString formatDays(double days);
// The one-line account of a word: meaning, register, reviews, memory span and spelling level.
QString describe(const WordEntry& entry);

} // namespace CoachText
} // namespace glossivo
