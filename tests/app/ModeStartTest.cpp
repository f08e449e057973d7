#include "ProgramRun.h"

#include <QDir>
#include <QTcpServer>

#include <gtest/gtest.h>

using namespace glossivo::testing;

// A command-line mode starts as the tray does: the temporary files of writes that a kill cut
// short go, an unreadable word book is set aside and the mode says where, and Qt's own messages
// read in Chinese.
TEST(ModeStart, ModesClearCutWritesTellOfASetAsideWordBookAndSpeakChinese)
{
    const DataFolder folder;
    folder.write("words.json", "[{broken");
    folder.write("sync-state.json.tmp-aB3xQ9", "{");
    folder.write("coach.json.tmp-Zz09Yy", "[");
    const ProgramOutcome synced = runIn(folder, {"--sync-now"});
    EXPECT_EQ(synced.out, "同步好了：0 个词\n");
    EXPECT_EQ(synced.status, 0);
    const QStringList copies =
        QDir(folder.path(QString())).entryList({QStringLiteral("words.json.unreadable-*")});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(folder.read(copies[0]), "[{broken");
    EXPECT_EQ(synced.err, "Glossivo 读不了 words.json\n这次先按空的打开。原来的内容原样存在：\n" +
                              folder.path(copies[0]) + "\n");
    EXPECT_FALSE(folder.exists("sync-state.json.tmp-aB3xQ9"));
    EXPECT_FALSE(folder.exists("coach.json.tmp-Zz09Yy"));

    QTcpServer probe; // a port that was just free: nothing listens there
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const QString closed = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
    probe.close();
    folder.write("config.json",
                 R"({"apiKey":"sk-mode-start","baseURL":")" + closed.toUtf8() + R"("})");
    const ProgramOutcome added = runIn(folder, {"--add-spelling", "harbor"});
    EXPECT_EQ(added.out, "「harbor」出错：连接被拒绝\n");
}
