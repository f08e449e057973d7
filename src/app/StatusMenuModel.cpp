#include "app/StatusMenuModel.h"

#include "app/ModifierKeyLabel.h"

namespace glossivo {

namespace {

constexpr int kMeaningWidth = 24;

StatusMenuItem item(const QString& title, MenuAction action, const QString& symbol = {},
                    const QString& shortcut = {}, int indent = 0)
{
    StatusMenuItem made;
    made.title = title;
    made.action = action;
    made.symbol = symbol;
    made.shortcut = shortcut;
    made.indent = indent;
    return made;
}

StatusMenuItem toggle(const QString& title, bool on, MenuAction action)
{
    StatusMenuItem made = item(title, action);
    made.checked = on;
    return made;
}

class Builder {
public:
    explicit Builder(const StatusMenuInput& input) : m_input(input) {}

    // Lines that open a window go in only when that window exists; lines of the word block
    // stay, and open the word book when it exists.
    void add(StatusMenuItem line)
    {
        if (isWindow(line.action) && !m_input.windows.contains(line.action)) return;
        m_items.append(std::move(line));
    }
    void addInfo(StatusMenuItem line)
    {
        if (isWindow(line.action) && !m_input.windows.contains(line.action))
            line.action = MenuAction::none;
        m_items.append(std::move(line));
    }
    void separator()
    {
        if (!m_items.isEmpty() && !m_items.last().separator)
            m_items.append(StatusMenuItem::makeSeparator());
    }
    QList<StatusMenuItem> finish()
    {
        if (!m_items.isEmpty() && m_items.last().separator) m_items.removeLast();
        return m_items;
    }

private:
    static bool isWindow(MenuAction action)
    {
        return action == MenuAction::showReview || action == MenuAction::showWords ||
               action == MenuAction::showSpelling || action == MenuAction::showCoach ||
               action == MenuAction::showAddWord;
    }

    const StatusMenuInput& m_input;
    QList<StatusMenuItem> m_items;
};

void addWordBlock(Builder& menu, const WordEntry& word)
{
    StatusMenuItem wordLine =
        item(word.headword, MenuAction::speakWord, QStringLiteral("speaker.wave.2"));
    if (!word.phonetic.isEmpty()) wordLine.title += QStringLiteral("  ") + word.phonetic;
    wordLine.style = StatusMenuItem::Style::word;
    wordLine.bold = TextRange{0, word.headword.size()};
    wordLine.tooltip = QStringLiteral("朗读");
    menu.addInfo(wordLine);

    menu.addInfo(
        item(MenuBarWord::wrap(word.meaningZh, kMeaningWidth), MenuAction::showWords, {}, {}, 1));

    if (const auto sentence = MenuBarWord::sentenceTitle(word)) {
        StatusMenuItem line = item(sentence->text, MenuAction::showWords, {}, {}, 1);
        line.style = StatusMenuItem::Style::sentence;
        line.bold = sentence->bold;
        menu.addInfo(line);
    }
    menu.addInfo(item(QStringLiteral("换一个"), MenuAction::nextWord,
                      QStringLiteral("arrow.triangle.2.circlepath")));
    menu.separator();
}

void addFrontApplication(Builder& menu, const StatusMenuInput& input)
{
    const auto& front = input.front;
    if (!front || front->id.isEmpty() || front->id == input.ownId) return;
    const QString name = front->name.isEmpty() ? front->id : front->name;
    const bool excluded = input.config.excludedBundleIDs.contains(front->id);
    StatusMenuItem line =
        item(QStringLiteral("在「") + name +
                 (excluded ? QStringLiteral("」中恢复") : QStringLiteral("」中停用")),
             MenuAction::toggleExcluded);
    line.data = front->id;
    menu.add(line);
}

} // namespace

QList<StatusMenuItem> buildStatusMenu(const StatusMenuInput& input)
{
    const AppConfig& config = input.config;
    Builder menu(input);
    if (input.word) addWordBlock(menu, *input.word);

    if (input.dueCount > 0)
        menu.add(item(QStringLiteral("开始复习（%1 题）").arg(input.dueCount),
                      MenuAction::showReview, QStringLiteral("rectangle.stack"),
                      QStringLiteral("r")));
    else
        menu.add(item(QStringLiteral("现在没有要复习的"), MenuAction::showReview,
                      QStringLiteral("checkmark.circle"), QStringLiteral("r")));
    menu.add(item(QStringLiteral("在学 %1/%2").arg(input.learningCount).arg(config.learningSlots),
                  MenuAction::showWords, {}, {}, 1));
    menu.add(item(input.spellCount > 0
                      ? QStringLiteral("拼写练习（%1 个常拼）").arg(input.spellCount)
                      : QStringLiteral("拼写练习"),
                  MenuAction::showSpelling, QStringLiteral("character.cursor.ibeam")));
    menu.add(
        item(QStringLiteral("AI 教练"), MenuAction::showCoach, QStringLiteral("person.wave.2")));
    menu.separator();

    menu.add(item(QStringLiteral("生词本（%1 个）").arg(input.wordCount), MenuAction::showWords));
    menu.add(item(QStringLiteral("查词…"), MenuAction::showAddWord,
                  QStringLiteral("magnifyingglass"), QStringLiteral("n")));
    if (input.journeyInstalled)
        menu.add(item(QStringLiteral("成长档案"), MenuAction::showJourney,
                      QStringLiteral("book.pages")));
    menu.separator();

    menu.add(toggle(QStringLiteral("划选英文时自动弹出"), config.autoPopupOnSelect,
                    MenuAction::toggleAutoPopup));
    menu.add(toggle(QStringLiteral("鼠标停在英文上自动查词"), config.dwellLookup,
                    MenuAction::toggleDwell));
    menu.add(toggle(QStringLiteral("按住 ") + modifierKeyLabel(config.hoverKey) +
                        QStringLiteral(" 指着识别"),
                    config.optionHoverOCR, MenuAction::toggleHover));
    menu.add(toggle(QStringLiteral("连按两下 ") + modifierKeyLabel(config.regionKey) +
                        QStringLiteral(" 框选翻译"),
                    config.optionRegionTranslate, MenuAction::toggleRegion));
    menu.add(toggle(QStringLiteral("托盘显示在学的词"), config.menuBarWord,
                    MenuAction::toggleMenuBarWord));
    addFrontApplication(menu, input);

    if (!input.trusted) {
        menu.separator();
        menu.add(item(QStringLiteral("还没有打开辅助功能权限"), MenuAction::showSettings,
                      QStringLiteral("exclamationmark.triangle")));
    }
    menu.separator();
    menu.add(toggle(QStringLiteral("开机自动启动"), input.launchAtLogin,
                    MenuAction::toggleLaunchAtLogin));
    menu.add(item(QStringLiteral("设置…"), MenuAction::showSettings, {}, QStringLiteral(",")));
    menu.add(item(QStringLiteral("退出 Glossivo"), MenuAction::quit, {}, QStringLiteral("q")));
    return menu.finish();
}

} // namespace glossivo
