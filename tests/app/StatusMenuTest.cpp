#include "app/MenuBarWord.h"
#include "app/StatusMenuController.h"
#include "model/ConfigStore.h"
#include "model/JsonFields.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"
#include "support/FakePlatform.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>

namespace glossivo {
namespace {

using testing::DataFolder;
using testing::FakeClock;
using testing::FakeFrontApplication;
using testing::FakeLaunchAtLogin;
using testing::FakePermissionSource;

const QList<MenuAction> kWindows{MenuAction::showReview, MenuAction::showWords,
                                 MenuAction::showSpelling, MenuAction::showCoach,
                                 MenuAction::showAddWord};

class StatusMenu : public ::testing::Test {
protected:
    void open(const QList<WordEntry>& words = {}, bool allWindows = true)
    {
        if (!words.isEmpty())
            folder.write("words.json", QJsonDocument(Json::toArray(words)).toJson());
        config = std::make_unique<ConfigStore>(folder.paths().config(), clock);
        store =
            std::make_unique<WordStore>(folder.paths(), clock, [this] { return config->config(); });
        log = std::make_unique<LearningLog>(folder.paths().log(), clock);
        word = std::make_unique<MenuBarWord>(
            *store, *config, [](QList<QUuid>& ids) { std::sort(ids.begin(), ids.end()); });
        controller = std::make_unique<StatusMenuController>(
            StatusMenuController::Services{*config, *store, *word, permissions, front, launch,
                                           [this](const QString& text) { spoken.append(text); },
                                           [this] { return journey; }, QStringLiteral("Glossivo")});
        const QList<MenuAction> handled =
            allWindows ? kWindows + QList{MenuAction::showSettings, MenuAction::showJourney,
                                          MenuAction::quit}
                       : QList{MenuAction::showSettings, MenuAction::showJourney, MenuAction::quit};
        for (MenuAction action : handled)
            controller->setHandler(action, [this, action] { opened.append(action); });
    }

    void edit(const std::function<void(AppConfig&)>& change)
    {
        AppConfig changed = config->config();
        change(changed);
        config->setConfig(changed);
    }

    WordEntry learning(const QString& headword, const QString& phonetic = {}) const
    {
        WordEntry entry;
        entry.id = QUuid::createUuid();
        entry.headword = headword;
        entry.phonetic = phonetic;
        entry.meaningZh = QStringLiteral("不情愿的；勉强的");
        entry.createdAt = clock.now();
        entry.lookupCount = 1;
        entry.stage = Stage::learning;
        return entry;
    }

    // Titles in order, separators as "-".
    static QStringList titles(const QList<StatusMenuItem>& items)
    {
        QStringList list;
        for (const StatusMenuItem& item : items)
            list.append(item.separator ? QStringLiteral("-") : item.title);
        return list;
    }

    static StatusMenuItem find(const QList<StatusMenuItem>& items, const QString& title)
    {
        for (const StatusMenuItem& item : items)
            if (item.title == title) return item;
        ADD_FAILURE() << "no item " << title.toStdString();
        return {};
    }

    QJsonObject configOnDisk() const
    {
        return QJsonDocument::fromJson(folder.read("config.json")).object();
    }

    qsizetype glances() const
    {
        return QString::fromUtf8(folder.read("learning-log.jsonl")).count("\"glance\"");
    }

    DataFolder folder;
    FakeClock clock;
    FakePermissionSource permissions;
    FakeFrontApplication front;
    FakeLaunchAtLogin launch;
    bool journey = false;
    QStringList spoken;
    QList<MenuAction> opened;
    std::unique_ptr<ConfigStore> config;
    std::unique_ptr<WordStore> store;
    std::unique_ptr<LearningLog> log;
    std::unique_ptr<MenuBarWord> word;
    std::unique_ptr<StatusMenuController> controller;
};

TEST_F(StatusMenu, AnEmptyWordBookWithDefaultsShowsTheFixedItemsInOrder)
{
    open();
    const auto items = controller->open();
    EXPECT_EQ(titles(items),
              (QStringList{"现在没有要复习的", "在学 0/30", "拼写练习", "AI 教练", "-",
                           "生词本（0 个）", "查词…", "-", "划选英文时自动弹出",
                           "鼠标停在英文上自动查词", "按住 Alt 指着识别", "连按两下 Ctrl 框选翻译",
                           "托盘显示在学的词", "-", "开机自动启动", "设置…", "退出 Glossivo"}));
    const StatusMenuItem review = find(items, "现在没有要复习的");
    EXPECT_EQ(review.symbol, "checkmark.circle");
    EXPECT_EQ(review.shortcut, "r");
    EXPECT_EQ(review.action, MenuAction::showReview);
    EXPECT_EQ(find(items, "在学 0/30").indent, 1);
    EXPECT_EQ(find(items, "查词…").shortcut, "n");
    EXPECT_EQ(find(items, "设置…").shortcut, ",");
    EXPECT_EQ(find(items, "退出 Glossivo").shortcut, "q");
    EXPECT_EQ(find(items, "开机自动启动").checked, std::optional(false));
    for (const char* on :
         {"划选英文时自动弹出", "鼠标停在英文上自动查词", "按住 Alt 指着识别", "托盘显示在学的词"})
        EXPECT_EQ(find(items, on).checked, std::optional(true)) << on;
    EXPECT_FALSE(find(items, "设置…").checked.has_value());
    EXPECT_FALSE(folder.exists("learning-log.jsonl"));
}

TEST_F(StatusMenu, CountsComeFromTheWordBookAfterTheSlotsAreFilled)
{
    WordEntry spelled = learning("tenacious");
    spelled.spellPractice = true;
    open({learning("reluctant"), learning("meander"), spelled});
    edit([](AppConfig& c) {
        c.menuBarWord = false;
        c.learningSlots = 40;
    });
    const auto items = controller->open();
    EXPECT_EQ(titles(items).mid(0, 6),
              (QStringList{"开始复习（3 题）", "在学 3/40", "拼写练习（1 个常拼）", "AI 教练", "-",
                           "生词本（3 个）"}));
    EXPECT_EQ(find(items, "开始复习（3 题）").symbol, "rectangle.stack");
    EXPECT_EQ(find(items, "拼写练习（1 个常拼）").symbol, "character.cursor.ibeam");
}

TEST_F(StatusMenu, WarningsFrontApplicationJourneyAndKeysFollowTheState)
{
    open();
    permissions.value = PermissionSource::Session::wayland;
    journey = true;
    launch.on = true;
    front.value = FrontApplication{"konsole", ""};
    edit([](AppConfig& c) {
        c.hoverKey = ModifierKey::command;
        c.regionKey = ModifierKey::option;
        c.optionRegionTranslate = false;
    });
    const auto items = controller->open();
    const QStringList list = titles(items);
    EXPECT_EQ(list.mid(list.indexOf("查词…"), 2), (QStringList{"查词…", "成长档案"}));
    EXPECT_EQ(find(items, "成长档案").symbol, "book.pages");
    EXPECT_EQ(list.mid(list.indexOf("按住 Super 指着识别")),
              (QStringList{"按住 Super 指着识别", "连按两下 Alt 框选翻译", "托盘显示在学的词",
                           "在「konsole」中恢复", "-", "还没有打开辅助功能权限", "-",
                           "开机自动启动", "设置…", "退出 Glossivo"}));
    EXPECT_EQ(find(items, "连按两下 Alt 框选翻译").checked, std::optional(false));
    EXPECT_EQ(find(items, "开机自动启动").checked, std::optional(true));
    EXPECT_EQ(find(items, "还没有打开辅助功能权限").action, MenuAction::showSettings);
    EXPECT_EQ(find(items, "还没有打开辅助功能权限").symbol, "exclamationmark.triangle");
    EXPECT_EQ(find(items, "在「konsole」中恢复").data, "konsole");

    struct Case {
        std::optional<FrontApplication> front;
        QString expected; // empty: no item
    };
    for (const Case& c :
         {Case{FrontApplication{"firefox-esr", "Firefox ESR"}, "在「Firefox ESR」中停用"},
          Case{FrontApplication{"Glossivo", "Glossivo"}, ""},
          Case{FrontApplication{"", "Nameless"}, ""}, Case{std::nullopt, ""}}) {
        front.value = c.front;
        const QStringList shown = titles(controller->open());
        const auto row = std::find_if(shown.begin(), shown.end(),
                                      [](const QString& t) { return t.startsWith("在「"); });
        EXPECT_EQ(row == shown.end() ? QString() : *row, c.expected);
    }
}

TEST_F(StatusMenu, ItemsOfWindowsThatDoNotExistAreLeftOutWithoutStraySeparators)
{
    open({learning("reluctant")}, false);
    word->next();
    const auto items = controller->open();
    EXPECT_EQ(titles(items),
              (QStringList{"reluctant", "不情愿的；勉强的", "换一个", "-", "划选英文时自动弹出",
                           "鼠标停在英文上自动查词", "按住 Alt 指着识别", "连按两下 Ctrl 框选翻译",
                           "托盘显示在学的词", "-", "开机自动启动", "设置…", "退出 Glossivo"}));
    // The meaning line stays, but opens nothing while the word book window does not exist.
    EXPECT_EQ(items[1].action, MenuAction::none);
}

TEST_F(StatusMenu, TheWordBlockShowsTheWordAndLogsOneGlancePerWord)
{
    WordEntry first = learning("give up on", "/ɡɪv ʌp ɒn/");
    Example example;
    example.id = QUuid::createUuid();
    example.sentence = "Never give up\non your dreams, they said.";
    example.addedAt = clock.now();
    first.examples = {example};
    WordEntry second = learning("meander");
    open({first, second});
    word->next();
    const QUuid shown = *word->current();
    const auto items = controller->open();
    const WordEntry& current = shown == first.id ? first : second;
    ASSERT_EQ(items[0].style, StatusMenuItem::Style::word);
    EXPECT_EQ(items[0].bold, (TextRange{0, current.headword.size()}));
    EXPECT_EQ(items[0].symbol, "speaker.wave.2");
    EXPECT_EQ(items[0].tooltip, "朗读");
    EXPECT_EQ(items[0].action, MenuAction::speakWord);
    EXPECT_EQ(items[1].title, "不情愿的；勉强的");
    EXPECT_EQ(items[1].indent, 1);
    if (current.id == first.id) {
        EXPECT_EQ(items[0].title, "give up on  /ɡɪv ʌp ɒn/");
        EXPECT_EQ(items[2].style, StatusMenuItem::Style::sentence);
        EXPECT_EQ(items[2].title.mid(items[2].bold->location, items[2].bold->length),
                  "give up\non");
    } else {
        EXPECT_EQ(items[0].title, "meander");
    }
    controller->open();
    controller->open();
    EXPECT_EQ(glances(), 1);
    controller->trigger(find(items, "换一个"));
    EXPECT_NE(*word->current(), shown);
    controller->open();
    EXPECT_EQ(glances(), 2);
    controller->trigger(items[0]);
    EXPECT_EQ(spoken, QStringList{word->entry()->headword});
    // The meaning and the sentence open the word book.
    opened.clear();
    controller->trigger(items[1]);
    if (current.id == first.id) controller->trigger(items[2]);
    EXPECT_EQ(opened, QList<MenuAction>(current.id == first.id ? 2 : 1, MenuAction::showWords));
}

TEST_F(StatusMenu, EachToggleWritesTheConfigurationFile)
{
    open();
    struct Case {
        const char* title;
        const char* key;
    };
    const auto items = controller->open();
    for (const Case& c : {Case{"划选英文时自动弹出", "autoPopupOnSelect"},
                          Case{"鼠标停在英文上自动查词", "dwellLookup"},
                          Case{"按住 Alt 指着识别", "optionHoverOCR"},
                          Case{"连按两下 Ctrl 框选翻译", "optionRegionTranslate"},
                          Case{"托盘显示在学的词", "menuBarWord"}}) {
        controller->trigger(find(items, c.title));
        EXPECT_EQ(configOnDisk().value(c.key), QJsonValue(false)) << c.key;
        controller->trigger(find(items, c.title));
        EXPECT_EQ(configOnDisk().value(c.key), QJsonValue(true)) << c.key;
    }
}

TEST_F(StatusMenu, ExclusionToggleAddsAtTheEndAndRemovesOneCopy)
{
    open();
    edit([](AppConfig& c) { c.excludedBundleIDs = {"konsole", "Code", "konsole"}; });
    front.value = FrontApplication{"konsole", "Konsole"};
    controller->trigger(find(controller->open(), "在「Konsole」中恢复"));
    EXPECT_EQ(configOnDisk().value("excludedBundleIDs").toArray(), (QJsonArray{"Code", "konsole"}));
    EXPECT_TRUE(titles(controller->open()).contains("在「Konsole」中恢复"));
    front.value = FrontApplication{"firefox-esr", ""};
    controller->trigger(find(controller->open(), "在「firefox-esr」中停用"));
    EXPECT_EQ(configOnDisk().value("excludedBundleIDs").toArray(),
              (QJsonArray{"Code", "konsole", "firefox-esr"}));
}

TEST_F(StatusMenu, LaunchAtLoginOpenersAndQuitGoWhereTheyShould)
{
    open();
    auto items = controller->open();
    controller->trigger(find(items, "开机自动启动"));
    EXPECT_TRUE(launch.on);
    EXPECT_EQ(find(controller->open(), "开机自动启动").checked, std::optional(true));
    launch.fails = true;
    controller->trigger(find(items, "开机自动启动"));
    EXPECT_EQ(launch.calls, 2);
    EXPECT_EQ(find(controller->open(), "开机自动启动").checked, std::optional(true));

    for (const char* title : {"现在没有要复习的", "在学 0/30", "拼写练习", "AI 教练",
                              "生词本（0 个）", "查词…", "设置…", "退出 Glossivo"})
        controller->trigger(find(items, title));
    EXPECT_EQ(opened, (QList{MenuAction::showReview, MenuAction::showWords,
                             MenuAction::showSpelling, MenuAction::showCoach, MenuAction::showWords,
                             MenuAction::showAddWord, MenuAction::showSettings, MenuAction::quit}));
}

} // namespace
} // namespace glossivo
