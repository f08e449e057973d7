#include "review/ReviewViewState.h"

#include "model/Graphemes.h"
#include "model/WordStore.h"
#include "review/QuestionBadge.h"

namespace glossivo {

namespace {

using Screen = ReviewScreen;

constexpr qsizetype kNoteLength = 120;

QString noteExcerpt(const QString& answer)
{
    const QStringList characters = Graphemes::split(answer);
    if (characters.size() <= kNoteLength) return answer;
    return characters.mid(0, kNoteLength).join(QString()) + QStringLiteral("…");
}

Screen::Verdict verdictOf(std::optional<Rating> rating)
{
    if (rating == Rating::again) return Screen::Verdict::again;
    if (rating == Rating::hard) return Screen::Verdict::hard;
    return Screen::Verdict::good;
}

} // namespace

ReviewViewState::ReviewViewState(ReviewSession& session, WordStore& store, ConfigSource config,
                                 Speak speak, QObject* parent)
    : QObject(parent), m_session(session), m_store(store), m_config(std::move(config)),
      m_speak(std::move(speak))
{
    connect(&m_session, &ReviewSession::changed, this, &ReviewViewState::refresh);
    connect(&m_store, &WordStore::willChange, this, &ReviewViewState::refreshLater);
    m_screen = build();
}

QString ReviewViewState::prompt(const QuestionType& type)
{
    const auto line = [](const char* title, const char* instruction) {
        return QString::fromUtf8(title) + QStringLiteral(" · ") + QString::fromUtf8(instruction);
    };
    switch (type.spellMode().value_or(SpellMode::copy)) {
    case SpellMode::copy:
        if (type.isRecognize()) return QStringLiteral("它在这里是什么意思？先在心里想一想");
        return line("看一眼再写", "记住它的样子，消失后把它打出来");
    case SpellMode::fill:
        return line("补字母", "把空着的字母补上（打完整个词）");
    case SpellMode::chunks:
        return line("按块拼", "灰色的部分已经给你了，拼出空着的那块（打完整个词）");
    case SpellMode::full:
        return line("完整拼写", "看中文提示，把空填上");
    case SpellMode::dictation:
        return line("听写", "听发音，拼出这个词");
    }
    return {};
}

void ReviewViewState::reveal()
{
    m_session.reveal();
}

void ReviewViewState::rate(Rating rating)
{
    m_session.rate(rating);
}

void ReviewViewState::next()
{
    m_session.next();
}

void ReviewViewState::rest()
{
    m_session.restCurrentWord();
}

void ReviewViewState::speakHeadword()
{
    if (const ReviewQuestion* question = m_session.current(); question && m_speak)
        m_speak(question->entry.headword);
}

void ReviewViewState::setInput(const QString& text)
{
    m_session.setInput(text);
}

void ReviewViewState::setCopyInput(const QString& text)
{
    m_session.setCopyInput(text);
}

void ReviewViewState::submit()
{
    m_session.submit();
}

void ReviewViewState::giveLetter()
{
    m_session.giveLetter();
}

void ReviewViewState::giveUp()
{
    m_session.setInput(QString());
    m_session.submit();
}

void ReviewViewState::replay()
{
    if (const ReviewQuestion* question = m_session.current(); question && m_speak)
        m_speak(question->answer);
}

void ReviewViewState::hideWord(const QUuid& questionId)
{
    if (m_hiddenWords.contains(questionId)) return;
    m_hiddenWords.insert(questionId);
    refresh();
}

void ReviewViewState::learnMore()
{
    m_session.start(5);
}

void ReviewViewState::startAgain()
{
    m_session.isSpellingPractice() ? m_session.startSpelling() : m_session.start(0);
}

void ReviewViewState::close()
{
    emit closeRequested();
}

// The word book announces its changes before they land, so the screen is worked out once the
// event loop comes round, once for any number of changes.
void ReviewViewState::refreshLater()
{
    if (m_askingWordBook || m_refreshPending) return;
    m_refreshPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshPending = false;
            refresh();
        },
        Qt::QueuedConnection);
}

void ReviewViewState::refresh()
{
    ReviewScreen screen = build();
    if (screen == m_screen) return;
    m_screen = std::move(screen);
    emit changed();
}

ReviewScreen ReviewViewState::build()
{
    Screen screen;
    const auto& queue = m_session.queue();
    const auto count = static_cast<int>(queue.size());
    const auto index = static_cast<int>(m_session.index());
    const ReviewPhase& phase = m_session.phase();
    const bool finished = phase.kind == ReviewPhase::Kind::finished;
    if (count > 0 && !finished) {
        screen.top = {true, std::min(index, count), count,
                      QStringLiteral("%1 / %2").arg(std::min(index + 1, count)).arg(count)};
    }
    switch (phase.kind) {
    case ReviewPhase::Kind::finished:
        m_hiddenWords.clear(); // no copy question of the round is on screen any more
        screen.content = Screen::Content::finished;
        screen.finished = finishedScreen();
        break;
    case ReviewPhase::Kind::empty:
        screen.content = Screen::Content::empty;
        screen.empty = emptyScreen();
        break;
    case ReviewPhase::Kind::asking:
    case ReviewPhase::Kind::revealed:
        if (const ReviewQuestion* question = m_session.current()) fillQuestion(screen, *question);
        break;
    }
    return screen;
}

void ReviewViewState::fillQuestion(ReviewScreen& screen, const ReviewQuestion& question)
{
    const ReviewPhase& phase = m_session.phase();
    screen.questionId = question.id;
    screen.badge = questionBadge(question.type);
    screen.prompt = prompt(question.type);
    screen.answer = answerBlock(question);
    screen.banner = banner();
    screen.expected = question.answer;
    screen.input = m_session.input();
    screen.copyInput = m_session.copyInput();
    if (const auto mode = question.type.spellMode()) {
        screen.content = Screen::Content::spelling;
        fillSpelling(screen, question, *mode);
        return;
    }
    screen.content = Screen::Content::recognition;
    screen.headword = question.entry.headword;
    screen.phonetic = question.entry.phonetic;
    screen.sentence = question.sentence;
    screen.sentenceTerms = {question.entry.headword};
    for (const FormRecord& record : question.entry.forms.value_or(QList<FormRecord>()))
        screen.sentenceTerms.append(record.form);
    screen.step = !phase.isRevealed() ? Screen::Step::asking
                  : phase.typed       ? Screen::Step::rated
                                      : Screen::Step::revealed;
}

void ReviewViewState::fillSpelling(ReviewScreen& screen, const ReviewQuestion& question,
                                   SpellMode mode)
{
    Screen::Clue& clue = screen.clue;
    clue.mode = mode;
    if (mode != SpellMode::dictation) clue.meaning = question.entry.meaningZh;
    switch (mode) {
    case SpellMode::copy:
        // The word to copy turns into dots at the first letter typed or given, and stays so.
        if (!m_session.input().isEmpty()) m_hiddenWords.insert(question.id);
        clue.dots = m_hiddenWords.contains(question.id);
        clue.word = clue.dots ? QString(Graphemes::split(question.answer).size(), QChar(0x2022))
                              : question.answer;
        break;
    case SpellMode::fill:
    case SpellMode::chunks:
        clue.word = question.scaffold.value_or(QString());
        break;
    case SpellMode::full: {
        clue.cloze = question.clozeSentence;
        if (const auto hint = question.formHint())
            clue.formHint = QStringLiteral("（") + *hint + QStringLiteral("）");
        const QStringList characters = Graphemes::split(question.answer);
        clue.letters =
            QStringLiteral("首字母 %1 · %2 个字母").arg(characters.value(0)).arg(characters.size());
        break;
    }
    case SpellMode::dictation:
        break;
    }

    const ReviewPhase& phase = m_session.phase();
    if (!phase.isRevealed()) return;
    Screen::Graded graded;
    graded.verdict = verdictOf(phase.rating);
    graded.showTyped = !m_session.input().isEmpty() && phase.rating != Rating::good;
    graded.message = phase.message;
    graded.typeAlong = phase.rating == Rating::again;
    graded.typeAlongPlaceholder =
        QStringLiteral("照着打一遍 ") + question.answer + QStringLiteral("（可以跳过）");
    screen.graded = graded;
}

ReviewScreen::AnswerBlock ReviewViewState::answerBlock(const ReviewQuestion& question) const
{
    const WordEntry& entry = question.entry;
    Screen::AnswerBlock block;
    block.answer = question.answer;
    if (question.answer.toLower() != entry.headword.toLower())
        block.fromHeadword = QStringLiteral("← ") + entry.headword;
    block.phonetic = entry.phonetic;
    block.register_ = entry.register_;
    block.meaning = entry.pos + QLatin1Char(' ') + entry.meaningZh;
    if (question.type.isSpell()) block.sentence = question.sentence;
    if (question.sentenceZh && !question.sentenceZh->isEmpty())
        block.sentenceZh = question.sentenceZh;
    // The tip is read from the word book: it arrives a while after the word became a leech.
    const std::optional<WordEntry> live = m_session.liveEntry();
    if (live && live->mnemonic) {
        block.memoryTip = live->mnemonic;
    } else if (entry.notes && !entry.notes->isEmpty()) {
        block.note = noteExcerpt(entry.notes->last().answer);
    }
    return block;
}

ReviewScreen::Banner ReviewViewState::banner() const
{
    switch (m_session.lastOutcome()) {
    case ReviewOutcome::graduated:
        return Screen::Banner::graduated;
    case ReviewOutcome::becameLeech:
        return Screen::Banner::leech;
    case ReviewOutcome::normal:
        break;
    }
    const std::optional<WordEntry> live = m_session.liveEntry();
    const int lapses = live && live->review ? live->review->lapses : 0;
    return live && lapses >= m_config().leechThreshold ? Screen::Banner::restLink
                                                       : Screen::Banner::none;
}

ReviewScreen::Empty ReviewViewState::emptyScreen() const
{
    if (m_session.isSpellingPractice())
        return {
            Screen::EmptyKind::spelling, QStringLiteral("还没有常拼的词"),
            QStringLiteral("在「查词」窗口查一个词，点「加入常拼」。\n名字、品牌、歌名都可以。"),
            false};
    if (m_store.entries().isEmpty())
        return {Screen::EmptyKind::emptyBook, QStringLiteral("生词本还是空的"),
                QStringLiteral("去网页上查几个词并保存，再回来复习。"), false};
    const int learning = m_store.learningCount();
    const int total = m_config().learningSlots;
    return {Screen::EmptyKind::nothingDue, QStringLiteral("现在没有要复习的词"),
            QStringLiteral("在学 %1/%2 · 记忆最需要的是间隔，过一阵再来效果更好。")
                .arg(learning)
                .arg(total),
            learning < total};
}

ReviewScreen::Finished ReviewViewState::finishedScreen()
{
    Screen::Finished finished;
    const bool spelling = m_session.isSpellingPractice();
    finished.counter = spelling ? QStringLiteral("拼对 %1 次").arg(m_session.spelledRight())
                                : QStringLiteral("记住了 %1 个 · 还要再练 %2 个 · 拼对 %3 次")
                                      .arg(m_session.remembered())
                                      .arg(m_session.forgot())
                                      .arg(m_session.spelledRight());
    if (!m_session.spellLevelUps().isEmpty())
        finished.levelUps =
            QStringLiteral("拼写升级：") + m_session.spellLevelUps().join(QStringLiteral("、"));
    if (!m_session.graduatedWords().isEmpty())
        finished.graduated =
            QStringLiteral("毕业：") + m_session.graduatedWords().join(QStringLiteral("、"));
    finished.reassurance = !spelling;
    if (spelling) {
        finished.again = QStringLiteral("再练一轮");
    } else {
        // The round builder fills the learning slots as it looks, so it runs once per change of
        // what the window shows, never per paint; its own change does not ask again.
        m_askingWordBook = true;
        const bool more = !m_store.buildSession(0).isEmpty();
        m_askingWordBook = false;
        if (more) finished.again = QStringLiteral("再来一轮");
    }
    return finished;
}

} // namespace glossivo
