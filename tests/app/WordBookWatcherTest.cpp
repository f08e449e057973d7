#include "app/WordBookWatcher.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace glossivo;
using glossivo::testing::DataFolder;
using glossivo::testing::FakeClock;

// The tray program shows a word that a command-line mode saved as soon as the folder changes,
// without a change of its own.
TEST(WordBookWatcher, AWordAnotherProcessSavedIsTakenInWhenTheFolderChanges)
{
    const DataFolder folder;
    const FakeClock clock;
    WordStore tray(folder.paths(), clock);
    const WordBookWatcher watcher(tray, folder.paths().supportDir());
    Explanation harbor;
    harbor.headword = QStringLiteral("harbor");
    WordStore(folder.paths(), clock).addSpellPractice(harbor);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tray.index("harbor").has_value(); }, 5000));
}
