#include "app/ApplicationNames.h"
#include "app/AutostartFile.h"
#include "app/GrowthRecord.h"
#include "app/SettingsState.h"
#include "app/SingleInstance.h"
#include "app/Speaker.h"
#include "platform/x11/X11PermissionProbe.h"
#include "support/DataFolder.h"
#include "support/FakeChatServer.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace glossivo {
namespace {

using testing::DataFolder;
using testing::FakeChatServer;
using testing::FakeSpeechEngine;

TEST(Autostart, WritesAnEntryThatStartsThisProgramAndRemovesIt)
{
    QTemporaryDir home;
    QStringList logged;
    const QString path = home.filePath("config/autostart/glossivo.desktop");
    AutostartFile autostart(path, "/opt/My Apps/glossivo",
                            [&](const QString& line) { logged.append(line); });
    EXPECT_FALSE(autostart.enabled());
    autostart.setEnabled(true);
    EXPECT_TRUE(autostart.enabled());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(text.contains("\nExec=\"/opt/My Apps/glossivo\"\n"));
    EXPECT_TRUE(text.contains("\nIcon=glossivo\n"));
    autostart.setEnabled(true); // again: the same entry, no complaint
    autostart.setEnabled(false);
    EXPECT_FALSE(autostart.enabled());
    EXPECT_FALSE(QFile::exists(path));
    autostart.setEnabled(false);
    EXPECT_TRUE(logged.isEmpty());

    // Either key that desktops switch an entry off with, without removing it.
    for (const char* off : {"Hidden=true\n", "X-GNOME-Autostart-enabled = false\n"}) {
        QFile hidden(path);
        autostart.setEnabled(true);
        ASSERT_TRUE(hidden.open(QIODevice::Append));
        hidden.write(off);
        hidden.close();
        EXPECT_FALSE(autostart.enabled()) << off;
        autostart.setEnabled(false);
    }
}

TEST(Autostart, AFailureLogsTheLineAndChangesNothing)
{
    QTemporaryDir home;
    QFile blocker(home.filePath("autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    QStringList logged;
    AutostartFile autostart(home.filePath("autostart/glossivo.desktop"), "/usr/bin/glossivo",
                            [&](const QString& line) { logged.append(line); });
    autostart.setEnabled(true);
    EXPECT_FALSE(autostart.enabled());
    ASSERT_EQ(logged.size(), 1);
    EXPECT_TRUE(logged[0].startsWith("Glossivo: 设置开机启动失败 "));
    EXPECT_GT(logged[0].size(), QString("Glossivo: 设置开机启动失败 ").size());
}

TEST(Autostart, ExecArgumentsAreQuotedOnlyWhenNeeded)
{
    for (const auto& [path, expected] :
         {std::pair{"/usr/bin/glossivo", "/usr/bin/glossivo"},
          {"/home/li/my apps/glossivo", "\"/home/li/my apps/glossivo\""},
          {"/tmp/$x\"y`z\\w", "\"/tmp/\\$x\\\"y\\`z\\\\w\""},
          {"/tmp/100%/glossivo", "/tmp/100%%/glossivo"}})
        EXPECT_EQ(AutostartFile::execArgument(path), expected) << path;
}

TEST(SpeakerTest, StopsBeforeEverySpeechAndIsSilentWithoutAnEngine)
{
    QStringList calls;
    Speaker speaker(std::make_unique<FakeSpeechEngine>(calls));
    speaker.speak("reluctant");
    speaker.speak("meander");
    speaker.speak("");
    EXPECT_EQ(calls, (QStringList{"stop", "say reluctant", "stop", "say meander", "stop"}));
    Speaker silent(nullptr);
    silent.speak("anything"); // nothing to crash on
}

TEST(SingleInstanceTest, ALaterStartAsksTheFirstToReopenAndStepsAside)
{
    QTemporaryDir data;
    const QString name = SingleInstance::channelName(data.path());
    EXPECT_EQ(name, SingleInstance::channelName(data.path() + "/"));
    EXPECT_NE(name, SingleInstance::channelName(data.filePath("other")));
    SingleInstance first(name);
    ASSERT_TRUE(first.claim());
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);
    SingleInstance second(name);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(FakeChatServer::waitFor([&] { return reopen.count() == 1; }));

    // After a release (a relaunch) the next start becomes the first one.
    first.release();
    SingleInstance third(name);
    EXPECT_TRUE(third.claim());
}

class Growth : public ::testing::Test {
protected:
    Growth()
        : record(
              data, [this](const QUrl& url) { opened.append(url); },
              [this](const QString& message, const QString& advice) {
                  alerts.append(message + "|" + advice);
              })
    {}
    void writeScript(const QByteArray& body)
    {
        QDir().mkpath(record.folder() + "/程序");
        QFile script(record.script());
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(body);
    }
    bool waitDone(qsizetype count)
    {
        return FakeChatServer::waitFor([&] { return opened.size() + alerts.size() == count; });
    }

    QTemporaryDir root;
    QString data = root.filePath("data");
    QList<QUrl> opened;
    QStringList alerts;
    GrowthRecord record;
};

TEST_F(Growth, TheFolderLiesBesideTheDataFolder)
{
    EXPECT_EQ(GrowthRecord::folderFor("/tmp/a/data"), "/tmp/a/Glossivo 成长档案");
    EXPECT_EQ(GrowthRecord::folderFor("/tmp/a/data/"), "/tmp/a/Glossivo 成长档案");
    EXPECT_EQ(record.page(), root.filePath("Glossivo 成长档案/成长档案.html"));
}

TEST_F(Growth, TheScriptWritesThePageWhichIsThenOpened)
{
    EXPECT_FALSE(record.installed());
    writeScript("import pathlib, sys\n"
                "page = pathlib.Path(sys.argv[0]).parent.parent / '成长档案.html'\n"
                "print('noise'); print('more noise', file=sys.stderr)\n"
                "page.write_text('<html></html>')\n");
    EXPECT_TRUE(record.installed());
    record.show();
    ASSERT_TRUE(waitDone(1));
    EXPECT_EQ(opened, QList{QUrl::fromLocalFile(record.page())});
    EXPECT_TRUE(alerts.isEmpty());
}

TEST_F(Growth, AMissingPageAlertsWhateverTheScriptDid)
{
    writeScript("import sys\nsys.exit(3)\n");
    record.show();
    ASSERT_TRUE(waitDone(1));
    EXPECT_EQ(alerts,
              QStringList{
                  "成长档案还没装好|把 journey.py 放进「Glossivo 成长档案/程序」文件夹就会装好。"});

    record.setInterpreter(root.filePath("no-such-python"));
    record.show();
    ASSERT_TRUE(waitDone(2));
    EXPECT_EQ(alerts.size(), 2);

    // An old page is opened even when the script cannot run.
    QFile page(record.page());
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    record.show();
    ASSERT_TRUE(waitDone(3));
    EXPECT_EQ(opened.size(), 1);
}

TEST(ApplicationNamesTest, NamesComeFromDesktopEntriesPreferringChinese)
{
    QTemporaryDir first;
    QTemporaryDir second;
    const auto write = [](const QString& path, const QByteArray& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(first.filePath("org.gnome.Nautilus.desktop"),
          "[Desktop Entry]\nName=Files\nName[zh_CN]=文件\n[Desktop Action new]\nName=New\n");
    write(second.filePath("konsole.desktop"), "[Desktop Entry]\nType=Application\nName=Konsole\n");
    write(second.filePath("viewer.desktop"), "[Desktop Entry]\nName=Viewer.app\n");
    write(second.filePath("firefox.desktop"),
          "[Desktop Entry]\nName=Firefox\nStartupWMClass=Firefox-esr\n");
    const ApplicationNames names({first.path(), second.path()});
    EXPECT_EQ(names.displayName("org.gnome.Nautilus"), "文件");
    EXPECT_EQ(names.displayName("Konsole"), "Konsole"); // the class, found in lower case
    EXPECT_EQ(names.displayName("viewer"), "Viewer");
    EXPECT_EQ(names.displayName("Firefox-esr"), "Firefox"); // by the class its windows carry
    EXPECT_EQ(names.displayName("KeePassXC"), "");
    EXPECT_EQ(names.displayName("../konsole"), "");
}

TEST(PermissionProbe, OnlyAnX11SessionWithBothExtensionsIsTrusted)
{
    using Session = PermissionSource::Session;
    using Facts = X11PermissionProbe::Facts;
    struct Case {
        Facts facts;
        Session expected;
    };
    for (const Case& c : {Case{Facts{"x11", false, true, true, true}, Session::x11},
                          Case{Facts{"", false, true, true, true}, Session::x11},
                          Case{Facts{"x11", false, true, true, false}, Session::x11WithoutInput},
                          Case{Facts{"wayland", false, true, true, true}, Session::wayland},
                          Case{Facts{"", true, true, true, true}, Session::wayland},
                          Case{Facts{"x11", false, false, false, false}, Session::none}})
        EXPECT_EQ(X11PermissionProbe::decide(c.facts), c.expected);
    testing::FakePermissionSource fake(Session::x11WithoutInput);
    EXPECT_FALSE(fake.trusted());
    EXPECT_TRUE(fake.screenRecording());
}

TEST(Version, ShortVersionAndBuildWithQuestionMarksForWhatIsMissing)
{
    EXPECT_EQ(SettingsState::versionText("1.4", "12"), "1.4（12）");
    EXPECT_EQ(SettingsState::versionText("", ""), "?（?）");
}

} // namespace
} // namespace glossivo
