// Save Test and Save Report of every kind: a test and its companions are replaced together or
// not at all, and a save that writes nothing says why in one box.
#include "common/FileSet.h"
#include "platform/Messages.h"
#include "platform/StdioFile.h"

#include "SheetHarness.h"
#include "TestUtil.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using sheettest::KindSheet;
using sheettest::kTwoCameras;
using testutil::ReadFile;
using testutil::WriteFile;

namespace {

namespace fs = std::filesystem;

// The names in `folder`, sorted.
std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The kind's valid test loaded with two cameras and, where the kind has them, intrusion points.
void LoadWithCompanions(KindSheet& s)
{
    const std::string path = s.WriteTest("src", kTwoCameras);
    if (const char* stem = s.kind.intrusionTest) {
        WriteFile(path, ReadFile(s.Fixture(std::string(stem) + ".mv5")));
        WriteFile(s.dir.file("src.ip5"), ReadFile(s.Fixture(std::string(stem) + ".ip5")));
    }
    s.Run(ID_LOAD_TEST, path);
    s.messages.clear();
}

// The extensions of the files a save writes, in a folder of their own.
std::vector<std::string> MembersOf(KindSheet& s, int command, const char* ext)
{
    const fs::path probe = s.dir.path() / "probe";
    fs::create_directory(probe);
    s.Run(command, (probe / (std::string("t.") + ext)).string());
    EXPECT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
    std::vector<std::string> members;
    for (const std::string& name : Names(probe))
        members.push_back(name.substr(2));
    return members;
}

enum class Fault { DiskFull, NoPermission, Folder };

// A save run as a user the files' modes hold for: as root, the folders and files are given to
// "nobody" and the save runs under that user's ids.
void WithModesHeld(const std::vector<fs::path>& owned, const std::function<void()>& save)
{
    if (::geteuid() != 0) {
        save();
        return;
    }
    constexpr uid_t kNobody = 65534;
    for (const fs::path& path : owned)
        ASSERT_EQ(::lchown(path.c_str(), kNobody, kNobody), 0) << path;
    // The real ids too, which access() checks; the saved ones stay root's, to come back.
    ASSERT_EQ(::setresgid(kNobody, kNobody, 0), 0);
    ASSERT_EQ(::setresuid(kNobody, kNobody, 0), 0);
    save();
    ASSERT_EQ(::setresuid(0, 0, 0), 0);
    ASSERT_EQ(::setresgid(0, 0, 0), 0);
}

class SheetSaveSetTest : public sheettest::KindTest {};
class CameraSheetSaveSetTest : public sheettest::KindTest {};

} // namespace

// Each file of the set that cannot be written (the disk full, no permission, a folder in its
// place) leaves every old file as it was, byte for byte, and one box names that file and says
// that nothing was saved.
TEST_P(CameraSheetSaveSetTest, AFileOfTheSetThatCannotBeWrittenLeavesTheOldSetAndOneBox)
{
    struct Command {
        int id;
        const char* ext;
        const char* notSaved;
    };
    const Command commands[] = {{ID_SAVE_TEST, "mv5", "The test was not saved."},
                                {ID_SAVE_REPORT, "mvr", "The report was not saved."}};
    const std::pair<Fault, const char*> faults[] = {
        {Fault::DiskFull, "disk full"}, {Fault::NoPermission, "no permission"}, {Fault::Folder, "a folder"}};
    {
        for (const Command& command : commands) {
            SCOPED_TRACE(std::string(kind.name) + ", " + command.ext);
            KindSheet s(kind);
            ASSERT_TRUE(s.db.open());
            LoadWithCompanions(s);
            const std::vector<std::string> members = MembersOf(s, command.id, command.ext);
            ASSERT_GE(members.size(), 2u) << "a set of companions";
            int round = 0;
            for (const std::string& member : members) {
                for (const auto& [fault, faultName] : faults) {
                    SCOPED_TRACE(member + ", " + faultName);
                    const fs::path folder = s.dir.path() / ("case" + std::to_string(++round));
                    fs::create_directory(folder);
                    std::vector<fs::path> owned {s.dir.path(), folder};
                    for (const std::string& other : members) {
                        owned.push_back(folder / ("t." + other));
                        WriteFile(owned.back().string(), "old " + other + "\r\n");
                    }
                    const std::string failing = (folder / ("t." + member)).string();
                    std::string cause = "error = 13";
                    if (fault == Fault::DiskFull) {
                        platform::SetFileStepHook([failing](platform::FileStep step, const std::string& path) {
                            return step == platform::FileStep::Write && path == failing ? ENOSPC : 0;
                        });
                    } else if (fault == Fault::NoPermission) {
                        fs::permissions(failing, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
                        cause = "error = 5";
                    } else {
                        fs::remove(failing);
                        fs::create_directory(failing);
                        owned.pop_back();
                    }
                    const std::vector<std::string> before = Names(folder);
                    s.messages.clear();
                    const std::string target = (folder / (std::string("t.") + command.ext)).string();
                    if (fault == Fault::NoPermission)
                        WithModesHeld(owned, [&] { s.Run(command.id, target); });
                    else
                        s.Run(command.id, target);
                    platform::SetFileStepHook(nullptr);

                    EXPECT_EQ(Names(folder), before) << "no file more, none less";
                    for (const std::string& other : members) {
                        const std::string path = (folder / ("t." + other)).string();
                        if (fault == Fault::Folder && other == member)
                            EXPECT_TRUE(fs::is_directory(path));
                        else
                            EXPECT_EQ(ReadFile(path), "old " + other + "\r\n") << path;
                    }
                    const std::string why = fault == Fault::Folder
                                                ? ": it is a folder, pipe or device, not a plain file.\n"
                                                : ", " + cause + "\n";
                    EXPECT_EQ(s.messages.texts(),
                              std::vector<std::string> {"Can't open file " + failing + why + command.notSaved});
                }
            }
        }
    }
}

// A field of the page in front a user types into (not the text part of a list or a date).
QLineEdit* TypedField(KindSheet& s)
{
    for (int page = 0; page < s.sheet->PageCount(); ++page) {
        s.Visit(page);
        for (QLineEdit* line : s.sheet->Page(page)->findChildren<QLineEdit*>()) {
            QObject* owner = line->parent();
            if (line->isVisible() && line->isEnabled() && !line->isReadOnly() && !qobject_cast<QComboBox*>(owner) &&
                !qobject_cast<QAbstractSpinBox*>(owner))
                return line;
        }
    }
    return nullptr;
}

// Every way Save Test or Save Report of a sheet that the user can run ends with nothing written
// shows one box. (An untouched sheet grays Save Test; a cancelled file dialog is the user's.)
TEST_P(SheetSaveSetTest, ASaveThatWritesNothingSaysWhy)
{
    {
        const bool hasReport = kind.savesReport;
        SCOPED_TRACE(kind.name);
        KindSheet s(kind);
        ASSERT_TRUE(s.db.open());
        ASSERT_EQ(s.sheet->HasCommand(ID_SAVE_REPORT), hasReport);
        // The command stops before its file dialog: none is asked for, no file is written.
        auto stops = [&](int command, const char* notSaved) {
            s.messages.clear();
            const size_t asked = s.files.requests().size();
            s.sheet->RunCommand(command);
            EXPECT_EQ(s.files.requests().size(), asked) << "a save that went on to its file dialog";
            const std::vector<std::string> onlySource {"src.hs5", "src.mv5"};
            EXPECT_EQ(Names(s.dir.path()), onlySource) << "nothing written";
            EXPECT_EQ(s.messages.count(), 1) << sheettest::Texts(s.messages);
            EXPECT_NE(sheettest::Texts(s.messages).find(notSaved), std::string::npos) << sheettest::Texts(s.messages);
        };
        const std::string src = s.WriteTest("src", kTwoCameras);


        // A field showing a character no test file can hold.
        s.Run(ID_LOAD_TEST, src);
        QLineEdit* field = TypedField(s);
        ASSERT_NE(field, nullptr);
        const QString kept = field->text();
        field->setText(kept + QString::fromUtf8("\u2192"));
        // (The SWG sheet grays Save Test while a field is not valid: the user cannot run it.)
        if (s.Enabled(ID_SAVE_TEST))
            stops(ID_SAVE_TEST, "The test was not saved.");
        if (hasReport)
            stops(ID_SAVE_REPORT, "The report was not saved.");
        // Mended, the test saves without a box.
        field->setText(kept);
        s.messages.clear();
        s.Run(ID_SAVE_TEST, s.dir.file("mended.mv5"));
        EXPECT_TRUE(fs::exists(s.dir.file("mended.mv5")));
        EXPECT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
        for (const char* ext : {".mv5", ".hs5"})
            fs::remove(s.dir.file(std::string("mended") + ext));

    }
}

// The component sheet offered a vehicle version-4 test whose TEST line is cut short: the file
// holds sections only vehicle tests have, so the load refuses it in one box and the test held
// stays whole; Save Test then writes it without a box.
TEST(SheetSaveSetTest, TheComponentSheetRefusesADamagedVehicleTestAndStillSaves)
{
    KindSheet s(sheettest::KindOf<CComponentPropertySheet>());
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.WriteTest("src"));
    std::string damaged = ReadFile(testutil::DataPath("vehicle/vtb_full.mv4"));
    const size_t line = damaged.find("T4321|V5|");
    damaged.erase(line + 40, damaged.find('\n', line) - line - 40);
    WriteFile(s.dir.file("damaged.mv4"), damaged);
    s.messages.clear();
    s.Run(ID_LOAD_TEST, s.dir.file("damaged.mv4"));
    EXPECT_EQ(sheettest::Texts(s.messages), "File " + s.dir.file("damaged.mv4") + " is not a Component test.\n");
    s.messages.clear();
    s.Run(ID_SAVE_TEST, s.dir.file("saved.mv5"));
    EXPECT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
    EXPECT_TRUE(fs::exists(s.dir.file("saved.mv5")));
}

INSTANTIATE_TEST_SUITE_P(Kinds, SheetSaveSetTest, sheettest::EveryKind(), sheettest::KindCaseName);
INSTANTIATE_TEST_SUITE_P(Kinds, CameraSheetSaveSetTest, sheettest::CameraKinds(), sheettest::KindCaseName);

namespace {

// The bytes of each regular file in `folder`, by name; a link, a pipe or a folder by its kind.
std::map<std::string, std::string> Contents(const fs::path& folder)
{
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const fs::file_status st = fs::symlink_status(entry.path());
        contents[entry.path().filename().string()] =
            fs::is_regular_file(st) ? ReadFile(entry.path().string()) : fs::is_symlink(st) ? "<link>" : "<other>";
    }
    return contents;
}

struct HostileRecord {
    const char* name;
    // Lays the record out in the test's folder, beside victims in a folder of their own.
    std::function<void(const fs::path& folder, const fs::path& victims)> lay;
    bool folderLocked = false; // another program holds the folder's commit lock meanwhile
};

void WriteRecord(const fs::path& path, const std::vector<filecommit::Entry>& entries)
{
    WriteFile(path.string(), filecommit::EncodeRecord(entries));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
}

constexpr uid_t kNobody = 65534;

} // namespace

// Commit records the program did not write, or may not act on, beside a test: Load Test and Save
// Test of the test leave every file outside its folder as it was, byte for byte, keep the test
// (the load) or save it whole (the save), show one box at most, and never wait for long.
TEST(SheetSaveSetTest, HostileCommitRecordsTouchNothingOutsideTheSet)
{
    KindSheet s(sheettest::KindOf<CVehiclePropertySheet>());
    ASSERT_TRUE(s.db.open());
    const fs::path folder = s.dir.path() / "f", victims = s.dir.path() / "victims", clean = s.dir.path() / "clean";
    const std::string victim = (victims / "victim.mv5").string();
    auto evilTemp = [](const fs::path& f) { WriteFile((f / ".mv-aaaaaa").string(), "evil\r\n"); };
    using filecommit::Entry;
    const HostileRecord rows[] = {
        {"a member outside, by its absolute path",
         [&](const fs::path& f, const fs::path&) {
             evilTemp(f);
             WriteRecord(f / ".mv-commit-abs001", {{victim, ".mv-aaaaaa", "", false}});
         }},
        {"a member outside, by ../",
         [&](const fs::path& f, const fs::path&) {
             evilTemp(f);
             WriteRecord(f / ".mv-commit-rel001", {{"../victims/victim.mv5", ".mv-aaaaaa", "", false}});
         }},
        {"a temporary outside", [&](const fs::path& f, const fs::path&) {
             WriteRecord(f / ".mv-commit-tmp001", {{"t.mv5", "../victims/victim.mv5", "", false}});
         }},
        {"a kept file outside, to put back", [&](const fs::path& f, const fs::path&) {
             WriteRecord(f / ".mv-undo-old001", {{"t.mv5", ".mv-aaaaaa", victim, false}});
         }},
        {"an undo record that would remove a member, the record a link",
         [&](const fs::path& f, const fs::path& v) {
             WriteRecord(v / "record", {{"t.hs5", ".mv-aaaaaa", "", false}});
             fs::create_symlink(v / "record", f / ".mv-undo-link01");
         }},
        {"a temporary that is a link", [&](const fs::path& f, const fs::path&) {
             fs::create_symlink(victim, f / ".mv-aaaaaa");
             WriteRecord(f / ".mv-commit-lnk002", {{"t.mv5", ".mv-aaaaaa", "", false}});
         }},
        {"a kept file that is a link", [&](const fs::path& f, const fs::path&) {
             fs::create_symlink(victim, f / ".mv-bbbbbb");
             WriteRecord(f / ".mv-undo-lnk003", {{"t.mv5", ".mv-aaaaaa", ".mv-bbbbbb", false}});
         }},
        {"another user's undo record, in a folder all may write", [&](const fs::path& f, const fs::path&) {
             fs::permissions(f, fs::perms::all | fs::perms::sticky_bit);
             WriteRecord(f / ".mv-undo-usr001", {{"t.hs5", ".mv-aaaaaa", "", false}});
             ASSERT_EQ(::lchown((f / ".mv-undo-usr001").c_str(), kNobody, kNobody), 0);
         }},
        {"another user's temporary, in a folder all may write", [&](const fs::path& f, const fs::path&) {
             fs::permissions(f, fs::perms::all | fs::perms::sticky_bit);
             evilTemp(f);
             ASSERT_EQ(::lchown((f / ".mv-aaaaaa").c_str(), kNobody, kNobody), 0);
             WriteRecord(f / ".mv-commit-usr002", {{"t.mv5", ".mv-aaaaaa", "", false}});
         }},
        {"a damaged record", [&](const fs::path& f, const fs::path&) {
             WriteFile((f / ".mv-commit-bad001").string(), "6:MVSET2\n1:1\n5:t.mv5\ngarbage");
         }},
        {"a huge record", [&](const fs::path& f, const fs::path&) {
             evilTemp(f);
             WriteFile((f / ".mv-commit-big001").string(),
                       filecommit::EncodeRecord({{"t.mv5", ".mv-aaaaaa", "", false}}) + std::string(2 << 20, '\n'));
         }},
        {"a pipe as the record", [&](const fs::path& f, const fs::path&) {
             ASSERT_EQ(::mkfifo((f / ".mv-commit-fifo01").c_str(), 0600), 0);
         }},
        {"a record held locked", [&](const fs::path& f, const fs::path&) {
             WriteFile((f / ".mv-commit-lck001").string(), "held");
         }},
        {"the folder's commit lock held by another program", [&](const fs::path&, const fs::path&) {}, true},
    };
    const filecommit::LockWait wait = filecommit::SetLockWait({1, std::chrono::milliseconds(0)});
    // What a save of the test writes, in a folder of its own.
    fs::create_directories(folder);
    fs::create_directories(clean);
    auto layTest = [&] {
        WriteFile((folder / "t.mv5").string(), ReadFile(testutil::DataPath(s.kind.fixture)));
        WriteFile((folder / "t.hs5").string(), kTwoCameras);
    };
    layTest();
    s.Run(ID_LOAD_TEST, (folder / "t.mv5").string());
    s.Run(ID_SAVE_TEST, (clean / "t.mv5").string());
    const auto saved = Contents(clean);
    ASSERT_EQ(saved.size(), 3u) << "the test and its two companions";

    for (const HostileRecord& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(folder);
        fs::remove_all(victims);
        fs::create_directories(folder);
        fs::create_directories(victims);
        fs::permissions(victims, fs::perms::owner_all);
        WriteFile(victim, "victim\r\n");
        WriteFile((victims / "secret").string(), "secret\r\n");
        layTest();
        if ((std::string(row.name).find("another user") != std::string::npos) && ::geteuid() != 0) {
            std::cout << "[ note ] not root: \"" << row.name << "\" needs another user's files\n";
            continue;
        }
        row.lay(folder, victims);
        // Left by a save of an hour ago.
        for (const auto& entry : fs::directory_iterator(folder)) {
            const timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
            ::utimensat(AT_FDCWD, entry.path().c_str(), hourAgo, AT_SYMLINK_NOFOLLOW);
        }
        const auto victimsBefore = Contents(victims);
        const auto setBefore = Contents(folder);
        int locker = -1;
        if (row.folderLocked) {
            locker = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
            ASSERT_EQ(::flock(locker, LOCK_EX), 0);
        }

        s.messages.clear();
        s.Run(ID_LOAD_TEST, (folder / "t.mv5").string());
        const std::vector<std::string> shown = sheettest::Without(s.messages.texts(), {"Really clear all entries?"});
        EXPECT_LE(shown.size(), 1u) << sheettest::Texts(s.messages);
        EXPECT_EQ(Contents(victims), victimsBefore);
        for (const char* member : {"t.mv5", "t.hs5"})
            EXPECT_EQ(Contents(folder)[member], setBefore.at(member)) << member;

        s.messages.clear();
        s.Run(ID_SAVE_TEST, (folder / "t.mv5").string());
        EXPECT_EQ(Contents(victims), victimsBefore);
        const auto after = Contents(folder);
        if (row.folderLocked) {
            EXPECT_EQ(after, setBefore) << "the old set as it was";
            EXPECT_EQ(s.messages.texts(), std::vector<std::string> {"Another program is saving files in the folder " +
                                                                    folder.string() + ".\nThe test was not saved."});
            ::close(locker);
        } else {
            EXPECT_LE(s.messages.count(), 1) << sheettest::Texts(s.messages);
            for (const auto& [member, bytes] : saved)
                EXPECT_EQ(after.count(member) ? after.at(member) : "<none>", bytes) << member << " saved";
            // Saved since, the test is no longer told to come from two saves.
            s.messages.clear();
            s.Run(ID_LOAD_TEST, (folder / "t.mv5").string());
            EXPECT_EQ(sheettest::Without(s.messages.texts(), {"Really clear all entries?"}), std::vector<std::string> {});
        }
    }
    filecommit::SetLockWait(wait);
}

// A failed save that cannot put back one of the files it replaced: its one box names the file that
// holds the new text, and does not claim that the test was not saved.
TEST(SheetSaveSetTest, ASaveThatCannotBeUndoneNamesTheFilesWithTheNewText)
{
    KindSheet s(sheettest::KindOf<CVehiclePropertySheet>());
    ASSERT_TRUE(s.db.open());
    LoadWithCompanions(s);
    const std::string test = s.dir.file("t.mv5"), last = s.dir.file("t.ip5");
    s.Run(ID_SAVE_TEST, test);
    ASSERT_TRUE(fs::exists(last));
    platform::SetFileStepHook([&](platform::FileStep step, const std::string& path) {
        return (step == platform::FileStep::Rename && path == last) ||
                       (step == platform::FileStep::PutBack && path == test)
                   ? EIO
                   : 0;
    });
    s.messages.clear();
    s.Run(ID_SAVE_TEST, test);
    platform::SetFileStepHook(nullptr);
    EXPECT_EQ(s.messages.texts(), std::vector<std::string> {"Can't open file " + last +
                                                            ", error = 10\nThe save could not be undone: these files "
                                                            "hold the new text, the others the old one:\n" +
                                                            test + "\n"});
}
