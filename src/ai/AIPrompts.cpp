#include "ai/AIPrompts.h"

#include "ai/Characters.h"
#include "model/Affix.h"

namespace glossivo::AIPrompts {

namespace {

constexpr qsizetype contextLimit = 1500;
constexpr qsizetype queryLimit = 200;
constexpr qsizetype passageLimit = 4000;

// The explanation prompt continues with the affix catalogue and then this tail.
const char* const explainHead =
    R"PROMPT(You are an English tutor for a Chinese learner (about middle-school English level) who reads Reddit, forums and technical documentation.
The user selected an English word or phrase on screen. You also get the surrounding text, which may contain OCR mistakes or unrelated UI text — ignore the noise.
Reply with a json object only, with these keys:
"headword": dictionary form of the selection (lemma: "running" -> "run"); keep multi-word phrases as a phrase ("gave up on" -> "give up on"),
"phonetic": US IPA of the headword, like "/rɪˈlʌktənt/",
"pos": part of speech in this context: one of "n.", "v.", "adj.", "adv.", "prep.", "conj.", "pron.", "phrase", "idiom", "abbr.", "interj.",
"meaning_zh": the meaning IN THIS CONTEXT, short Simplified Chinese (at most 15 characters),
"definition_en": a very simple English definition using only common words (at most 15 words),
"register": one of "formal", "neutral", "casual", "slang", "technical",
"register_note_zh": one short Chinese sentence about how/where it is used (e.g. "网络俚语，相当于“说实话”"); empty string if register is neutral,
"sentence": the one sentence from the surrounding text that contains the selection, with OCR noise cleaned up. It must be a real, natural sentence. If the surrounding text is only UI text — usernames, labels, buttons, menu items, counters or numbers like "u/someone 703K karma" — or there is no usable sentence, write a short natural example sentence instead, in the same context (e.g. a Reddit-style sentence for a Reddit word),
"sentence_is_example": true if you wrote the sentence yourself, otherwise false,
"sentence_zh": natural Simplified Chinese translation of the sentence,
"surface_form": the selection exactly as it appears in the sentence (e.g. "ran", "has been running"),
"form_kind": which form of the headword the surface form is: one of "base", "third_person", "ing", "past", "past_participle", "plural", "comparative", "superlative"; use "base" when it is the dictionary form or none of these fits,
"inflections": an object with ALL standard forms of the headword for its part of speech — verbs: base, third_person, ing, past, past_participle; countable nouns: base, plural; gradable adjectives/adverbs: base, comparative, superlative (include "more X"/"most X" forms when that is how it compares); anything else: {}. For phrases inflect the main word ("give up on" → past "gave up on"),
"grammar": the main grammar point the surface form shows IN THIS SENTENCE, one of "present_simple", "present_continuous", "past_simple", "past_continuous", "present_perfect", "past_perfect", "future", "passive", "gerund", "infinitive", "modal", "imperative", "conditional", "comparative", "superlative", "plural", or "none" if nothing notable,
"grammar_note_zh": one short Chinese sentence explaining that grammar in this exact sentence, quoting the English words involved (e.g. "has been running：现在完成进行时，表示一直持续到现在"); empty string if grammar is "none",
"family_root": the simplest base word of the headword's word family (e.g. "decision" → "decide", "unhappiness" → "happy", "developer" → "develop"); the headword itself if it is already the base; for phrases use the main word,
"affixes": the DERIVATIONAL affixes that the headword itself (not the surface form) is built with — never count inflectional endings such as plural -s, -ed, -ing, or comparative -er / superlative -est ("faster" → headword "fast" → []); "-er" only means "a person or thing that does something" ("player"). Choose ONLY from this list: )PROMPT";
const char* const explainTail =
    R"PROMPT(; return [] if none apply (e.g. "unbelievable" → ["un-", "-able"], "run" → []))PROMPT";

const char* const lookupHead =
    R"PROMPT(You are an English tutor for a Chinese learner (about middle-school English level).
The user typed something into a dictionary search box. It can be:
- an English word or phrase;
- a name: a brand, app, product, song, band, film, place or person ("canva", "bohemian rhapsody");
- misspelled English — they often type names wrong ("Hotel Califonil" means "Hotel California");
- Chinese, meaning they want the English for it ("放弃" → "give up").
Do not use emoji anywhere.
Reply with a json object only, with these keys:
"headword": the correct English. Names keep their official spelling and capitalization ("claude" → "Claude", "bohemian rhapsody" → "Bohemian Rhapsody", "iphone" → "iPhone"). Ordinary words use the dictionary form in lowercase. For Chinese input, the most common natural English,
"corrected": true if the user typed English and you changed its spelling (capitalization alone does not count), otherwise false,
"phonetic": US IPA of the headword, like "/rɪˈlʌktənt/",
"pos": one of "n.", "v.", "adj.", "adv.", "prep.", "conj.", "pron.", "phrase", "idiom", "abbr.", "interj.", "name",
"meaning_zh": short Simplified Chinese meaning (at most 15 characters); for names say what it is ("Queen 乐队的歌", "在线设计工具"). Explain exactly what was typed: a single word that also appears in a famous name means the word itself ("bohemian" → "波西米亚的；放荡不羁的", not the song),
"definition_en": a very simple English definition using only common words (at most 15 words),
"about_zh": one or two short Chinese sentences: for names, what it is and why people know it; for ordinary words, when people use it,
"register": one of "formal", "neutral", "casual", "slang", "technical",
"register_note_zh": one short Chinese sentence about how/where it is used; empty string if register is neutral,
"alternatives": only for Chinese input: up to 3 OTHER common English ways to say it, each {"text": "...", "meaning_zh": "difference in short Chinese"}; otherwise [],
"sentence": a short natural example sentence that uses the headword,
"sentence_is_example": true,
"sentence_zh": natural Simplified Chinese translation of the sentence,
"inflections": an object with ALL standard forms of the headword — verbs: base, third_person, ing, past, past_participle; countable nouns: base, plural; gradable adjectives/adverbs: base, comparative, superlative; names and anything else: {},
"family_root": the simplest base word of the headword's word family; the headword itself for names,
"affixes": the derivational affixes the headword is built with, ONLY from this list: )PROMPT";
const char* const lookupTail = "; [] for names or if none apply";

const char* const translationText =
    R"PROMPT(Translate the English text into natural Simplified Chinese for a Chinese learner of English.
Reply with a json object only, with these keys:
"translation_zh": the translation,
"key_terms": up to 4 words or phrases from the text that are most worth learning (skip very basic words), each as {"text": exactly as it appears in the text, "meaning_zh": short Chinese meaning in this context})PROMPT";

const char* const mnemonicText =
    R"PROMPT(你是一位懂 ADHD 的英语老师。学生是中文母语的成年人，英语初中水平，工作记忆弱，靠"关联"和"兴趣"记东西比靠重复有效得多。
下面这个词学生已经忘了好几次。请给出一个帮他记住的小办法，要求：
- 优先把它和学生已经认识的词、或者他常看的内容联系起来（下面会给你）
- 如果词根词缀能拆，就简单拆一下
- 再给一个很短、很有画面感的场景或句子
- 全部用简体中文，最多 3 行，每行以「联想：」「拆开：」「画面：」之一开头，不适用的行就省略，每行不超过 40 字，不要用 emoji
Reply with a json object only: {"tip_zh": "..."})PROMPT";

QString affixLine(const QList<Affix>& affixes)
{
    QStringList forms;
    for (Affix affix : affixes)
        forms.append(affixPromptForm(affix));
    return forms.join(QLatin1Char(' '));
}

} // namespace

const QString& explainPrompt()
{
    static const QString prompt =
        QString::fromUtf8(explainHead) + affixApiList() + QString::fromUtf8(explainTail);
    return prompt;
}

const QString& lookupPrompt()
{
    static const QString prompt =
        QString::fromUtf8(lookupHead) + affixApiList() + QString::fromUtf8(lookupTail);
    return prompt;
}

const QString& translationPrompt()
{
    static const QString prompt = QString::fromUtf8(translationText);
    return prompt;
}

const QString& mnemonicPrompt()
{
    static const QString prompt = QString::fromUtf8(mnemonicText);
    return prompt;
}

QString explainMessage(const QString& selection, const std::optional<QString>& context)
{
    const QString surrounding = context && !context->isEmpty()
                                    ? Characters::prefix(*context, contextLimit)
                                    : QStringLiteral("(none)");
    return QStringLiteral("Selection: ") + selection + QStringLiteral("\nSurrounding text: ") +
           surrounding;
}

QString lookupMessage(const QString& query)
{
    return QStringLiteral("Query: ") + Characters::prefix(query, queryLimit);
}

QString translationMessage(const QString& passage)
{
    return Characters::prefix(passage, passageLimit);
}

QString mnemonicMessage(const WordEntry& entry, const QStringList& knownWords,
                        const QStringList& interests)
{
    QString message = QStringLiteral("要记的词：") + entry.headword + QStringLiteral("（") +
                      entry.pos + QLatin1Char(' ') + entry.meaningZh + QStringLiteral("）");
    if (!entry.examples.isEmpty() && !entry.examples.last().sentence.isEmpty())
        message += QStringLiteral("\n他遇到它的句子：") + entry.examples.last().sentence;
    if (entry.familyRoot) message += QStringLiteral("\n词根：") + *entry.familyRoot;
    if (entry.affixes && !entry.affixes->isEmpty())
        message += QStringLiteral("\n词缀：") + affixLine(*entry.affixes);
    if (!knownWords.isEmpty())
        message += QStringLiteral("\n他已经掌握的词：") + knownWords.join(QStringLiteral(", "));
    if (!interests.isEmpty())
        message += QStringLiteral("\n他常看的网站和内容：") + interests.join(QStringLiteral("；"));
    return message;
}

} // namespace glossivo::AIPrompts
