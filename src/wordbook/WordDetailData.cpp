#include "wordbook/WordDetailData.h"

#include "model/FormKindName.h"
#include "model/FormSlots.h"
#include "model/Learning.h"
#include "wordbook/StageTitles.h"
#include "wordbook/WordSearch.h"

#include <QLocale>

namespace glossivo {

namespace {

const QString kDot = QStringLiteral(" · ");

} // namespace

QString shortDate(const QDateTime& time)
{
    return QLocale().toString(time.toLocalTime().date(), QLocale::ShortFormat);
}

StageBarData stageBarData(const WordEntry& entry, const AppConfig& config, const QDateTime& now)
{
    StageBarData bar;
    bar.stage = Learning::displayStage(entry, config, now);
    bar.title = stageTitle(bar.stage);
    bar.inLearning = bar.stage == DisplayStage::learning;
    const Stage stored = entry.stage.value_or(Stage::seen);
    // The due date means something only to a word the review schedules.
    if (entry.review && (stored == Stage::learning || stored == Stage::mastered))
        bar.due = QStringLiteral("下次复习：%1 · 复习过 %2 次")
                      .arg(shortDate(entry.review->due))
                      .arg(entry.review->reps);
    bar.leech = (entry.review ? entry.review->lapses : 0) >= config.leechThreshold;
    return bar;
}

FamilyData familyData(const WordEntry& entry, const QList<WordEntry>& members)
{
    FamilyData family;
    const QString root = entry.familyRoot.value_or(QString());
    const bool rootDiffers = !root.isEmpty() && root.toLower() != entry.headword.toLower();
    if (rootDiffers) family.root = QStringLiteral("词根 %1").arg(root);
    for (Affix affix : entry.affixes.value_or(QList<Affix>()))
        family.affixes.append(affixPromptForm(affix) + u' ' + affixMeaning(affix));
    for (const WordEntry& member : members)
        family.members.append({member.id, member.headword, member.meaningZh});
    family.shown = rootDiffers || !family.affixes.isEmpty() || !family.members.isEmpty();
    family.emptyText = QStringLiteral("生词本里还没有同一家的词。遇到 %1 家族的其他词并保存，"
                                      "就会出现在这里。")
                           .arg(rootDiffers ? root : entry.headword);
    return family;
}

WordDetailData wordDetailData(const WordEntry& entry, const QList<WordEntry>& members,
                              const AppConfig& config, const QDateTime& now)
{
    WordDetailData data;
    data.headword = entry.headword;
    data.phonetic = entry.phonetic;
    // Without a part of speech the meaning starts the line.
    data.meaning = (entry.pos + u' ' + entry.meaningZh).trimmed();
    for (const QString& note : {entry.definitionEn, entry.registerNoteZh})
        if (!note.isEmpty()) data.meaningNotes.append(note);
    data.counts = QStringLiteral("查过 %1 次 · 在 %2 天里遇到 · %3 保存")
                      .arg(entry.lookupCount)
                      .arg(Learning::days(entry).size())
                      .arg(shortDate(entry.createdAt));
    data.stageBar = stageBarData(entry, config, now);
    data.mnemonic = entry.mnemonic;

    const QList<FormSlot> shownSlots = formSlots(entry);
    if (shownSlots.size() >= 2) {
        qsizetype met = 0;
        for (const FormSlot& slot : shownSlots) {
            FormTileData tile{formKindName(slot.kind), slot.record.has_value(), {}, {}, {}};
            tile.help = QStringLiteral("在句子里遇到这种形式就会解锁");
            if (slot.record) {
                ++met;
                tile.form = slot.record->form;
                tile.count = QStringLiteral("遇到 %1 次").arg(slot.record->count);
                if (slot.record->sentence && !slot.record->sentence->isEmpty())
                    tile.help = *slot.record->sentence;
            }
            data.forms.append(tile);
        }
        data.formCount = QStringLiteral("%1/%2").arg(met).arg(shownSlots.size());
    }

    data.family = familyData(entry, members);

    for (const Example& example : entry.examples) {
        QStringList caption{example.meaningZh};
        if (example.isGenerated) caption.append(QStringLiteral("AI 例句"));
        caption.append(shortDate(example.addedAt));
        data.examples.append(
            {example.id, example.sentence, example.sentenceZh, caption.join(kDot),
             PageSource{example.sourceApp, example.sourceURL, example.sourceTitle}});
    }
    return data;
}

QList<AINote> filteredNotes(const QList<AINote>& notes, const QString& search)
{
    const QString query = WordSearch::query(search);
    if (query.isEmpty()) return notes;
    QList<AINote> shown;
    for (const AINote& note : notes)
        if (note.original.toLower().contains(query) || note.answer.toLower().contains(query))
            shown.append(note);
    return shown;
}

} // namespace glossivo
