#include "model/DocumentFile.h"
#include "support/DataFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace glossivo;
using glossivo::testing::DataFolder;

namespace {
mode_t modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(path.toLocal8Bit().constData(), &info) == 0 ? info.st_mode & 0777 : 0;
}
} // namespace

TEST(DocumentFileTest, replacesContentAndKeepsTheFilesMode)
{
    DataFolder folder;
    DocumentFile file(folder.path(QStringLiteral("words.json")));
    EXPECT_EQ(file.read(), std::nullopt);
    EXPECT_FALSE(file.isDamaged()); // missing is not damaged

    ASSERT_TRUE(file.write("[1]"));
    ASSERT_TRUE(QFile::setPermissions(folder.path(QStringLiteral("words.json")),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ReadGroup));
    ASSERT_TRUE(file.write("[2]"));
    EXPECT_EQ(file.read(), QByteArray("[2]"));
    EXPECT_EQ(modeOf(folder.path(QStringLiteral("words.json"))), 0640u);
    EXPECT_EQ(folder.files(), QStringList{QStringLiteral("words.json")});
}

TEST(DocumentFileTest, explicitModeHoldsFromTheStart)
{
    DataFolder folder;
    const mode_t oldMask = ::umask(0);
    DocumentFile file(folder.path(QStringLiteral("config.json")), 0600);
    const bool written = file.write("{}");
    ::umask(oldMask);
    ASSERT_TRUE(written);
    EXPECT_EQ(modeOf(folder.path(QStringLiteral("config.json"))), 0600u);
}

TEST(DocumentFileTest, damagedContentIsCopiedAsideOnceBeforeTheFirstWrite)
{
    DataFolder folder;
    folder.write(QStringLiteral("notes.json"), "[{broken");
    DocumentFile file(folder.path(QStringLiteral("notes.json")));
    ASSERT_EQ(file.read(), QByteArray("[{broken"));
    file.markDamaged();

    ASSERT_TRUE(file.write("[]"));
    ASSERT_TRUE(file.write("[1]"));
    const QStringList files = folder.files();
    ASSERT_EQ(files.size(), 2);
    EXPECT_TRUE(files[1].startsWith(QStringLiteral("notes.json.unreadable-")));
    EXPECT_EQ(folder.read(files[1]), QByteArray("[{broken"));
    EXPECT_EQ(folder.read(QStringLiteral("notes.json")), QByteArray("[1]"));
}

TEST(DocumentFileTest, somethingUnreadableIsNeverOverwritten)
{
    // A folder where the document should be cannot be read, nor copied aside.
    DataFolder folder;
    ASSERT_TRUE(QDir(folder.path(QString())).mkdir(QStringLiteral("words.json")));
    folder.write(QStringLiteral("words.json/kept"), "[precious]");
    DocumentFile file(folder.path(QStringLiteral("words.json")));
    EXPECT_EQ(file.read(), std::nullopt);
    EXPECT_TRUE(file.isDamaged());
    EXPECT_FALSE(file.write("[]"));
    EXPECT_TRUE(QFile::exists(folder.path(QStringLiteral("words.json/kept"))));
}

TEST(DocumentFileTest, aFailedWriteLeavesTheDocumentAsItWas)
{
    DataFolder folder;
    DocumentFile file(folder.path(QStringLiteral("missing-folder/words.json")));
    EXPECT_FALSE(file.write("[]"));
    EXPECT_TRUE(folder.files().isEmpty());
}
