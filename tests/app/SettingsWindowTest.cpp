#include "app/views/SettingsWindow.h"
#include "ai/AIError.h"
#include "app/SettingsState.h"
#include "model/ConfigStore.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeChatServer.h"
#include "support/FakeClock.h"
#include "support/FakePlatform.h"
#include "support/LayoutCheck.h"
#include "support/Snapshots.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace glossivo {
namespace {

using testing::DataFolder;
using testing::FakeChatServer;
using testing::FakeClock;
using testing::FakeLaunchAtLogin;
using testing::FakePermissionSource;
using testing::FakeReply;

class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        shown.reset();
        config = std::make_unique<ConfigStore>(folder.paths().config(), clock);
        words =
            std::make_unique<WordStore>(folder.paths(), clock, [this] { return config->config(); });
        state = std::make_unique<SettingsState>(
            *config, permissions, launch, [this](const QString& message, const QString& advice) {
                advised.append(message + "|" + advice);
            });
    }

    SettingsWindow& window(SettingsWindow::Actions actions = {})
    {
        if (!actions.applicationName)
            actions.applicationName = [](const QString& id) {
                return id == "konsole" ? QStringLiteral("Konsole") : QString();
            };
        if (actions.version.isEmpty()) actions.version = "1.4（12）";
        if (actions.dataFolder.isEmpty())
            actions.dataFolder = QDir::home().filePath(".local/share/Glossivo");
        shown = std::make_unique<SettingsWindow>(*state, *words, actions);
        shown->resize(520, 560);
        return *shown;
    }

    template <class T> T* child(const QString& name) const
    {
        T* found = shown->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    bool visible(const QString& name) const
    {
        return child<QWidget>(name)->isVisibleTo(shown.get());
    }

    void edit(const std::function<void(AppConfig&)>& change)
    {
        AppConfig changed = config->config();
        change(changed);
        config->setConfig(changed);
    }

    QJsonObject onDisk() const
    {
        return QJsonDocument::fromJson(folder.read("config.json")).object();
    }

    void step(const QString& stepper, const QString& button, int times = 1)
    {
        auto* press = child<QWidget>(stepper)->findChild<QToolButton*>(button);
        for (int i = 0; i < times; ++i)
            press->click();
    }
    QString stepperText(const QString& stepper) const
    {
        return child<QWidget>(stepper)->findChild<QLabel*>("label")->text();
    }

    // Runs the API test and waits for it to end.
    void runTest()
    {
        child<QPushButton>("testButton")->click();
        ASSERT_TRUE(FakeChatServer::waitFor([this] { return !state->testing(); }));
    }

    DataFolder folder;
    FakeClock clock;
    FakePermissionSource permissions;
    FakeLaunchAtLogin launch;
    QStringList advised;
    std::unique_ptr<ConfigStore> config;
    std::unique_ptr<WordStore> words;
    std::unique_ptr<SettingsState> state;
    std::unique_ptr<SettingsWindow> shown;
};

TEST_F(Settings, SwitchesPickersAndFieldsWriteTheirKeys)
{
    window();
    struct Switch {
        const char* name;
        const char* key;
    };
    for (const Switch& s :
         {Switch{"dwellSwitch", "dwellLookup"}, Switch{"autoPopupSwitch", "autoPopupOnSelect"},
          Switch{"hoverSwitch", "optionHoverOCR"}, Switch{"regionSwitch", "optionRegionTranslate"},
          Switch{"recallSwitch", "recallOnLookup"}}) {
        auto* toggle = child<QCheckBox>(s.name);
        EXPECT_TRUE(toggle->isChecked()) << s.name;
        toggle->click();
        EXPECT_EQ(onDisk().value(s.key), QJsonValue(false)) << s.key;
        toggle->click();
        EXPECT_EQ(onDisk().value(s.key), QJsonValue(true)) << s.key;
    }

    auto* hover = child<QComboBox>("hoverKeyPicker");
    EXPECT_EQ(hover->currentText(), "Alt");
    EXPECT_EQ(hover->count(), 4);
    EXPECT_EQ(hover->itemText(3), "Shift");
    hover->setCurrentIndex(2);
    Q_EMIT hover->activated(2);
    EXPECT_EQ(onDisk().value("hoverKey"), "control");
    auto* region = child<QComboBox>("regionKeyPicker");
    EXPECT_EQ(region->currentText(), "Ctrl");
    region->setCurrentIndex(3);
    Q_EMIT region->activated(3);
    EXPECT_EQ(onDisk().value("regionKey"), "shift");

    struct Field {
        const char* name;
        const char* key;
        const char* typed;
    };
    for (const Field& f :
         {Field{"apiKeyField", "apiKey", "sk-123"}, Field{"baseURLField", "baseURL", "/v2"},
          Field{"modelField", "model", "-x"}}) {
        const QString before = onDisk().value(f.key).toString();
        auto* edit = child<QLineEdit>(f.name);
        edit->setFocus();
        edit->end(false);
        QTest::keyClicks(edit, f.typed);
        EXPECT_EQ(onDisk().value(f.key).toString(), before + f.typed) << f.key;
    }
    EXPECT_EQ(child<QLineEdit>("apiKeyField")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(child<QLineEdit>("apiKeyField")->placeholderText(), "sk-…");
    EXPECT_EQ(child<QLabel>("versionLabel")->text(), "1.4（12）");
}

TEST_F(Settings, TheDwellSliderRunsFromHalfASecondToTwoAndAHalfInQuarters)
{
    window();
    auto* slider = child<QSlider>("dwellSlider");
    EXPECT_EQ(child<QLabel>("dwellValue")->text(), "1 秒");
    slider->setValue(1);
    EXPECT_EQ(onDisk().value("dwellSeconds").toDouble(), 0.75);
    EXPECT_EQ(child<QLabel>("dwellValue")->text(), "0.75 秒");
    slider->setValue(slider->maximum());
    EXPECT_EQ(onDisk().value("dwellSeconds").toDouble(), 2.5);
    slider->setValue(slider->minimum());
    EXPECT_EQ(child<QLabel>("dwellValue")->text(), "0.5 秒");

    for (const auto& [seconds, text] : {std::pair{0.5, "0.5 秒"},
                                        {1.0, "1 秒"},
                                        {1.25, "1.25 秒"},
                                        {0.75, "0.75 秒"},
                                        {2.0, "2 秒"}})
        EXPECT_EQ(SettingsState::dwellText(seconds), text);
}

TEST_F(Settings, SteppersMoveByTheirStepAndStayInTheirRange)
{
    window();
    EXPECT_EQ(stepperText("learningSlotsStepper"), "「在学」名额：30 个");
    step("learningSlotsStepper", "plus", 20);
    EXPECT_EQ(onDisk().value("learningSlots").toInt(), 150);
    EXPECT_FALSE(
        child<QWidget>("learningSlotsStepper")->findChild<QToolButton*>("plus")->isEnabled());
    step("learningSlotsStepper", "minus", 20);
    EXPECT_EQ(onDisk().value("learningSlots").toInt(), 10);

    struct Stepper {
        const char* name;
        const char* key;
        const char* button;
        int expected;
        const char* text;
    };
    for (const Stepper& s :
         {Stepper{"dailyNewLimitStepper", "dailyNewLimit", "plus", 9, "每天最多补进 9 个新词"},
          Stepper{"sessionSizeStepper", "sessionSize", "minus", 10, "每轮最多 10 题"},
          Stepper{"graduateDaysStepper", "graduateDays", "plus", 37, "记牢 37 天以上算掌握"},
          Stepper{"leechThresholdStepper", "leechThreshold", "minus", 3, "错 3 次算难啃的词"},
          Stepper{"dormantDaysStepper", "dormantDays", "minus", 23,
                  "「见过」的词 23 天没再遇到就沉睡"}}) {
        step(s.name, s.button);
        EXPECT_EQ(onDisk().value(s.key).toInt(), s.expected) << s.key;
        EXPECT_EQ(stepperText(s.name), s.text);
    }
    // A hand-edited value outside the range comes back inside at the first press.
    edit([](AppConfig& c) { c.sessionSize = 500; });
    step("sessionSizeStepper", "minus");
    EXPECT_EQ(onDisk().value("sessionSize").toInt(), 50);
    EXPECT_EQ(SettingsState::stepped(INT_MAX, 10, 10, 150), 150);
}

TEST_F(Settings, RowsAndWarningsShowOnlyWhenTheirConditionsHold)
{
    window();
    // A double tap of Alt conflicts with no other program here: no warning names one.
    EXPECT_EQ(shown->findChild<QWidget*>("claudeWarning"), nullptr);
    EXPECT_FALSE(visible("sameKeyWarning"));
    child<QCheckBox>("dwellSwitch")->click();
    EXPECT_FALSE(visible("dwellSlider"));
    EXPECT_FALSE(visible("hoverKeyPicker") && false);

    struct Case {
        bool hover, region;
        ModifierKey hoverKey, regionKey;
        bool same;
    };
    for (const Case& c : {Case{true, true, ModifierKey::option, ModifierKey::option, true},
                          Case{true, true, ModifierKey::control, ModifierKey::control, true},
                          Case{false, true, ModifierKey::control, ModifierKey::control, false},
                          Case{true, true, ModifierKey::option, ModifierKey::command, false},
                          Case{true, false, ModifierKey::option, ModifierKey::option, false}}) {
        edit([&](AppConfig& config) {
            config.optionHoverOCR = c.hover;
            config.optionRegionTranslate = c.region;
            config.hoverKey = c.hoverKey;
            config.regionKey = c.regionKey;
        });
        EXPECT_EQ(visible("sameKeyWarning"), c.same);
        EXPECT_EQ(visible("hoverKeyPicker"), c.hover);
        EXPECT_EQ(visible("regionKeyPicker"), c.region);
    }
    edit([](AppConfig& c) {
        c.dwellLookup = true;
        c.dwellSeconds = 1.25;
    });
    EXPECT_TRUE(visible("dwellSlider"));
    EXPECT_EQ(child<QLabel>("dwellValue")->text(), "1.25 秒");
}

TEST_F(Settings, ExcludedApplicationsAreListedByNameAndRemovedWithEveryCopy)
{
    edit([](AppConfig& c) { c.excludedBundleIDs = {"konsole", "Unknown.App", "konsole"}; });
    window();
    EXPECT_TRUE(child<QWidget>("excluded:Unknown.App"));
    const QList<SettingsState::ExcludedRow> rows = state->excludedRows(
        [](const QString& id) { return id == "konsole" ? QStringLiteral("Konsole") : QString(); });
    EXPECT_EQ(rows, (QList<SettingsState::ExcludedRow>{{"konsole", "Konsole"},
                                                       {"Unknown.App", "Unknown.App"}}));
    child<QPushButton>("remove:konsole")->click();
    EXPECT_EQ(onDisk().value("excludedBundleIDs").toVariant().toStringList(),
              QStringList{"Unknown.App"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(shown->findChild<QWidget*>("excluded:konsole"), nullptr);
    child<QPushButton>("remove:Unknown.App")->click();
    EXPECT_TRUE(onDisk().value("excludedBundleIDs").toArray().isEmpty());
}

TEST_F(Settings, TheWordBookGroupCountsWordsAndOffersOnlyWindowsThatExist)
{
    window();
    EXPECT_EQ(child<QLabel>("wordCountLabel")->text(), "已保存 0 个词");
    EXPECT_EQ(shown->findChild<QPushButton*>("addWordButton"), nullptr);
    int opened = 0;
    SettingsWindow::Actions actions;
    actions.showAddWord = [&] { ++opened; };
    actions.showWords = [&] { opened += 10; };
    window(actions);
    child<QPushButton>("addWordButton")->click();
    child<QPushButton>("openWordsButton")->click();
    EXPECT_EQ(opened, 11);
}

TEST_F(Settings, PermissionRowsFollowTheSessionAndTheScreenRequestShowsTheRestartRow)
{
    permissions.value = PermissionSource::Session::wayland;
    SetUp();
    window();
    const auto row = [this](const char* name) { return child<QWidget>(name); };
    EXPECT_TRUE(
        row("accessibilityRow")->findChild<QPushButton*>("request")->isVisibleTo(shown.get()));
    EXPECT_TRUE(row("accessibilityRow")->findChild<QLabel*>("detail")->text().contains("X11 会话"));
    EXPECT_TRUE(row("screenRow")->findChild<QLabel*>("detail")->text().contains("X11 会话"));
    EXPECT_FALSE(visible("restartRow"));
    row("screenRow")->findChild<QPushButton*>("request")->click();
    EXPECT_TRUE(state->screenRequested());
    EXPECT_TRUE(visible("restartRow"));
    ASSERT_EQ(advised.size(), 1);
    EXPECT_TRUE(advised[0].startsWith("屏幕取词需要 X11 会话|"));

    permissions.value = PermissionSource::Session::x11;
    state->refresh();
    EXPECT_FALSE(visible("restartRow"));
    EXPECT_TRUE(row("screenRow")->findChild<QWidget*>("granted")->isVisibleTo(shown.get()));
    EXPECT_FALSE(row("screenRow")->findChild<QPushButton*>("request")->isVisibleTo(shown.get()));
    EXPECT_EQ(row("accessibilityRow")->findChild<QLabel*>("detail")->text(),
              "用来读取你选中的文字、知道你按了哪个键。X11 会话本来就允许，不用另外打开。");
}

TEST_F(Settings, LaunchAtLoginSwitchShowsTheStateAsItReallyIs)
{
    window();
    auto* toggle = child<QCheckBox>("launchAtLoginSwitch");
    toggle->click();
    EXPECT_TRUE(launch.on);
    EXPECT_TRUE(toggle->isChecked());
    launch.fails = true;
    toggle->click();
    EXPECT_EQ(launch.calls, 2);
    EXPECT_TRUE(toggle->isChecked());

    // The menu switched it off while the window was hidden: shown again, the window says so.
    shown->show();
    shown->hide();
    launch.on = false;
    shown->show();
    EXPECT_FALSE(toggle->isChecked());
    shown->hide();
}

TEST_F(Settings, TheKeyIsSaidToBeWhereTheDataFolderIs)
{
    SettingsWindow::Actions actions;
    actions.dataFolder = QDir::home().filePath(".local/share/Other");
    window(actions);
    EXPECT_TRUE(shown->findChild<QLabel*>("keyLocation")
                    ->text()
                    .endsWith("：~/.local/share/Other/config.json"));
    EXPECT_EQ(SettingsState::keyLocationText(QStringLiteral("/srv/glossivo")),
              "API key 只保存在这台电脑上：/srv/glossivo/config.json");
}

TEST_F(Settings, TheApiTestShowsSuccessAndEachFailure)
{
    FakeChatServer server;
    edit([&](AppConfig& c) { c.baseURL = server.baseURL(); });
    window();
    auto* button = child<QPushButton>("testButton");
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->text(), "测试一下");
    EXPECT_TRUE(child<QLabel>("testStatus")->text().isEmpty());
    EXPECT_FALSE(visible("testSymbol"));

    edit([](AppConfig& c) { c.apiKey = "   "; });
    EXPECT_TRUE(button->isEnabled());
    runTest();
    EXPECT_EQ(child<QLabel>("testStatus")->text(), AIError::noKey().errorDescription());
    EXPECT_EQ(state->testOK(), std::optional(false));
    EXPECT_TRUE(server.requests().isEmpty());

    edit([](AppConfig& c) { c.apiKey = "sk-test"; });
    server.enqueue(FakeReply::chatContent(
        R"({"headword":"reluctant","meaningZh":"不情愿的","meaningInContext":"不太愿意"})"));
    button->click();
    EXPECT_EQ(button->text(), "测试中…");
    EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(visible("testSymbol")); // the last result stays while the next test runs
    ASSERT_TRUE(FakeChatServer::waitFor([this] { return !state->testing(); }));
    EXPECT_EQ(child<QLabel>("testStatus")->text(), "成功：reluctant = 不情愿的");
    EXPECT_EQ(state->testOK(), std::optional(true));
    EXPECT_EQ(button->text(), "测试一下");
    const QJsonObject sent = server.requests().last().json();
    EXPECT_TRUE(QJsonDocument(sent).toJson().contains("reluctant"));

    struct Failure {
        FakeReply reply;
        QString expected;
    };
    for (const Failure& f :
         {Failure{FakeReply::text(401, "{}"), AIError::unauthorized().errorDescription()},
          Failure{FakeReply::text(402, "{}"), AIError::noBalance().errorDescription()},
          Failure{FakeReply::text(503, "busy"), AIError::http(503, "busy").errorDescription()},
          Failure{FakeReply::chatContent("not json"), AIError::badResponse().errorDescription()}}) {
        server.enqueue(f.reply);
        runTest();
        EXPECT_EQ(child<QLabel>("testStatus")->text(), f.expected);
        EXPECT_EQ(state->testOK(), std::optional(false));
    }

    // Nobody listens there: the network layer's own message.
    edit([](AppConfig& c) { c.baseURL = "http://127.0.0.1:9"; });
    runTest();
    EXPECT_FALSE(child<QLabel>("testStatus")->text().isEmpty());
    EXPECT_EQ(state->testOK(), std::optional(false));
}

// Pictures for review, not golden files: build/snapshots/settings/<state>.png.
TEST_F(Settings, Snapshots)
{
    const QString folderPath = test::snapshotFolder(QStringLiteral("settings"));
    struct Shot {
        const char* name;
        std::function<void()> prepare;
    };
    FakeChatServer server;
    for (const Shot& shot :
         {Shot{"defaults", [] {}}, Shot{"wayland-tested", [&] {
                                            permissions.value = PermissionSource::Session::wayland;
                                            SetUp();
                                            edit([&](AppConfig& c) {
                                                c.apiKey = "sk-test";
                                                c.baseURL = server.baseURL();
                                                c.regionKey = ModifierKey::option;
                                                c.hoverKey = ModifierKey::option;
                                                c.excludedBundleIDs = {"konsole", "KeePassXC"};
                                            });
                                            server.enqueue(FakeReply::text(401, "{}"));
                                        }}}) {
        shot.prepare();
        window();
        if (state->canTest()) runTest();
        if (permissions.value != PermissionSource::Session::x11)
            child<QWidget>("screenRow")->findChild<QPushButton*>("request")->click();
        child<QToolButton>("keyAdvancedToggle")->click();
        shown->show();
        for (int page = 0; page < 3; ++page) {
            auto* scroll = shown->findChild<QScrollArea*>();
            scroll->verticalScrollBar()->setValue(page * 520);
            const QImage image = shown->grab().toImage();
            EXPECT_FALSE(image.isNull());
            EXPECT_EQ(test::layoutFaults(shown.get()), "");
            image.save(QDir(folderPath)
                           .filePath(QStringLiteral("%1-%2.png").arg(shot.name).arg(page + 1)));
        }
        shown->hide();
    }
}

} // namespace
} // namespace glossivo
