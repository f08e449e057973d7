#pragma once

#include "model/AINote.h"
#include "model/AppConfig.h"
#include "model/DisplayStage.h"
#include "model/PageSource.h"
#include "model/WordEntry.h"

#include <QDateTime>
#include <QList>
#include <QStringList>

#include <optional>

namespace glossivo {

// What each section of a saved word's pane shows, worked out from the entry alone so that the
// widgets only place it. Built afresh at every redraw; nothing is kept.

struct StageBarData {
    DisplayStage stage = DisplayStage::seen;
    QString title;
    bool inLearning = false; // drawn in orange
    QString due;             // "下次复习：… · 复习过 N 次"; empty when not shown
    bool leech = false;
};

struct FormTileData {
    QString name;
    bool met = false;
    QString form;  // met forms only
    QString count; // "遇到 N 次", met forms only
    QString help;
};

struct FamilyMemberData {
    QUuid id;
    QString headword;
    QString meaning;
};

struct FamilyData {
    bool shown = false;
    QString root; // "词根 …", empty when the root is the word itself
    QStringList affixes;
    QList<FamilyMemberData> members;
    QString emptyText; // shown when there are no members
};

struct ExampleData {
    QUuid id;
    QString sentence;
    QString sentenceZh;
    QString caption;
    PageSource source;
};

struct WordDetailData {
    QString headword;
    QString phonetic;
    QString meaning;          // part of speech, a space, the Chinese meaning
    QStringList meaningNotes; // the English definition and the register note, when written
    QString counts;
    StageBarData stageBar;
    std::optional<QString> mnemonic;
    QString formCount;         // "met/all"
    QList<FormTileData> forms; // none when the word has fewer than two forms
    FamilyData family;
    QList<ExampleData> examples;
};

// A date as the word book writes it: the locale's short date, without a time.
QString shortDate(const QDateTime& time);

StageBarData stageBarData(const WordEntry& entry, const AppConfig& config, const QDateTime& now);
// `members` are the other saved words of the word's family, in the word book's order.
FamilyData familyData(const WordEntry& entry, const QList<WordEntry>& members);
WordDetailData wordDetailData(const WordEntry& entry, const QList<WordEntry>& members,
                              const AppConfig& config, const QDateTime& now);

// The sentence notes the notes tab lists for the window's search text: all of them for a
// blank search, else those whose passage or answer contains it, in any letter case.
QList<AINote> filteredNotes(const QList<AINote>& notes, const QString& search);

} // namespace glossivo
