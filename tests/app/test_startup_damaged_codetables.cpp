#include "app/MorvelApp.h"
#include "platform/CodeDb.h"
#include "platform/Messages.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Screen.h"

#include "TestUtil.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct Case {
    const char* file;
    bool damaged; // else the file opens and the chooser runs
};

} // namespace

// Whatever the code-table file holds, start-up ends in one message or reaches the chooser: the
// Access reader's crashes, loops and memory growth stay inside the converter.
TEST(StartupDamagedCodeTablesTest, EachFileEndsInOneMessageOrOpens)
{
    const Case cases[] = {
        {"jet-props-loop.mdb", true},           {"jet-truncated-148992.mdb", true},
        {"jet-null-usage-map.mdb", true},       {"jet-table-null-usage-map.mdb", true},
        {"jet-columns-null.mdb", true},         {"jet-coltostring-overread.mdb", true},
        {"jet-props-overread.mdb", true},
        {"jet-nonascii-like.mdb", false},       {"sqlite-infinite-view.mdb", false},
    };
    if (!std::filesystem::exists(testutil::FixturePath("damaged-codetables")))
        GTEST_SKIP() << "fixtures absent";
    testutil::TempDir dir;
    testutil::ScopedCacheHome cache;
    const auto oldCwd = std::filesystem::current_path();
    const auto oldLimits = CodeDbConnection::GetLimits();
    CodeDbConnection::GetLimits().conversionWall = std::chrono::seconds(20);
    CodeDbConnection::GetLimits().conversionMemory = 512ull << 20;
    std::filesystem::current_path(dir.path());
    platform::SetDesktopSizeForTesting(QSize(1280, 1024));

    for (const Case& c : cases) {
        std::filesystem::copy_file(testutil::FixturePath(std::string("damaged-codetables/") + c.file),
                                   dir.file("ncodes.mdb"), std::filesystem::copy_options::overwrite_existing);
        platform::MessageRecorder messages;
        platform::ScriptedDialogs dialogs;
        dialogs.then([](CDialog& dlg) { dlg.close(); });
        EXPECT_FALSE(CMorvelV5App().InitInstance()) << c.file;
        if (c.damaged) {
            ASSERT_EQ(messages.count(), 1) << c.file;
            EXPECT_EQ(messages.last().caption, "Vehicle Impact Data Morvel");
            EXPECT_EQ(messages.last().text,
                      "The code-table database '" + dir.file("ncodes.mdb") + "' is damaged and cannot be read.");
            EXPECT_EQ(dialogs.run(), 0) << c.file;
            EXPECT_EQ(g_bCodeDbOpen, 0);
        } else {
            EXPECT_EQ(dialogs.run(), 1) << c.file;
        }
        CMorvelV5App().ExitInstance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::filesystem::current_path(oldCwd);
    platform::SetDesktopSizeForTesting(std::nullopt);
    CodeDbConnection::GetLimits() = oldLimits;
}
