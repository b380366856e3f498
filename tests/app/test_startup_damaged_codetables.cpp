#include "app/MorvelApp.h"
#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedDialogs.h"
#include "platform/CodeDb.h"
#include "platform/Messages.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Screen.h"

#include "TestUtil.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sqlite3.h>
#include <sys/stat.h>

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
    SKIP_OR_FAIL_IF_ABSENT(std::filesystem::exists(testutil::FixturePath("damaged-codetables")),
                           "fixtures " << testutil::FixturePath("damaged-codetables"));
    testutil::TempDir dir;
    testutil::ScopedCacheHome cache;
    const auto oldCwd = std::filesystem::current_path();
    const auto oldLimits = CodeDbConnection::GetLimits();
    CodeDbConnection::GetLimits().conversionWall = std::chrono::seconds(20);
    CodeDbConnection::GetLimits().conversionMemory = 512ull << 20;
    std::filesystem::current_path(dir.path());
    platform::SetDesktopSize(QSize(1280, 1024));

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
    platform::SetDesktopSize(std::nullopt);
    CodeDbConnection::GetLimits() = oldLimits;
}

namespace {

// What a careless copy, a bad disk or another program leaves at the name of the kept conversion.
void DamageBytes(const std::string& kept)
{
    std::fstream file(kept, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(std::filesystem::file_size(kept) / 2));
    file.write(std::string(200, '\xA5').data(), 200);
}

void OtherDatabase(const std::string& kept)
{
    std::filesystem::remove(kept);
    sqlite3* db = nullptr;
    sqlite3_open(kept.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE DateTest (IDCol INTEGER); PRAGMA user_version = 1297481729;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void Pipe(const std::string& kept)
{
    std::filesystem::remove(kept);
    ::mkfifo(kept.c_str(), 0600);
}

void Folder(const std::string& kept)
{
    std::filesystem::remove(kept);
    std::filesystem::create_directory(kept);
}

} // namespace

// The kept conversion of an Access file is served only when it is whole and of this very file:
// whatever else stands at its name, start-up converts again and reaches the chooser with the
// Access file's own rows, without a message and without blocking.
TEST(StartupDamagedCodeTablesTest, AKeptConversionIsServedOnlyWhenSoundAndOfThisFile)
{
    const std::string fixture = testutil::FixturePath("jet/DateTestDatabase.mdb");
    SKIP_OR_FAIL_IF_ABSENT(std::filesystem::exists(fixture), "fixture " << fixture);
    testutil::TempDir dir;
    testutil::ScopedCacheHome cache;
    const auto oldCwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    platform::SetDesktopSize(QSize(1280, 1024));
    const std::string access = dir.file("ncodes.mdb");
    std::filesystem::copy_file(fixture, access);
    const auto folder = std::filesystem::path(cache.path()) / "morvel";

    // Starts the program; the chooser, once shown, reads the test table. Returns the boxes.
    std::string rows;
    const auto start = [&] {
        platform::MessageRecorder messages;
        platform::ScriptedDialogs dialogs;
        rows.clear();
        dialogs.then([&](CDialog& dlg) {
            auto rs = CodeDbExecute("SELECT COUNT(*) FROM DateTest");
            rows = rs->GetText(0).str();
            rs->Close();
            dlg.close();
        });
        EXPECT_FALSE(CMorvelV5App().InitInstance());
        CMorvelV5App().ExitInstance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return messages.texts();
    };
    const auto kept = [&] {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            names.push_back(e.path().string());
        return names;
    };
    EXPECT_TRUE(start().empty());
    EXPECT_EQ(rows, "6");
    ASSERT_EQ(kept().size(), 1u);
    const std::string conversion = kept()[0];

    const std::pair<const char*, void (*)(const std::string&)> spoiled[] = {
        {"damaged bytes", DamageBytes}, {"another database", OtherDatabase}, {"a pipe", Pipe}, {"a folder", Folder}};
    for (const auto& [what, spoil] : spoiled) {
        spoil(conversion);
        EXPECT_TRUE(start().empty()) << what;
        EXPECT_EQ(rows, "6") << what;
    }

    // The Access file rewritten with other bytes but its old size and time, to the nanosecond.
    std::filesystem::remove_all(folder);
    EXPECT_TRUE(start().empty());
    const std::string before = kept().at(0);
    struct stat st {};
    ASSERT_EQ(::stat(access.c_str(), &st), 0);
    {
        std::fstream file(access, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(st.st_size - 1));
        file.put('\x5A');
    }
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, access.c_str(), times, 0), 0);
    const auto texts = start();
    EXPECT_TRUE(texts.empty() || texts[0] == "The code-table database '" + access + "' is damaged and cannot be read.");
    if (texts.empty()) {
        EXPECT_FALSE(std::filesystem::exists(before)) << "the old file's conversion is still served";
    }

    std::filesystem::current_path(oldCwd);
    platform::SetDesktopSize(std::nullopt);
}
