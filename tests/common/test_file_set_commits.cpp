// A test and its companions put in place whole or not at all, on a folder of a real disk: the
// saving process killed at every step of its save, a step of the set that fails, a test with a
// second name, a second save while the first one runs, and a load that cannot finish what a kill
// left.
#include "common/FileSet.h"
#include "common/WholeFile.h"
#include "doubles/MessageRecorder.h"
#include "platform/StdioFile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <tuple>
#include <linux/magic.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::FileStep;
using testutil::ReadFile;
using testutil::WriteFile;

namespace {

// A scratch folder on a disk, not in memory: there a folder sync is real and renames are
// ordered as on a user's disk. The system's temporary folder where it is a disk, else the
// folder the tests run in (the build tree).
struct DiskDir {
    std::filesystem::path path;
    DiskDir()
    {
        struct statfs fs {};
        const std::filesystem::path base = ::statfs(std::filesystem::temp_directory_path().c_str(), &fs) == 0 &&
                                                   fs.f_type != TMPFS_MAGIC
                                               ? std::filesystem::temp_directory_path()
                                               : std::filesystem::current_path();
        std::string tmpl = (base / "morvel-set-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            throw std::runtime_error("mkdtemp failed");
        path = tmpl;
    }
    ~DiskDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

const char* const kExts[] = {"mv5", "hs5", "ip5"};
constexpr int kAbsent = -1;

// A set of three files in `folder`; the old set may lack its last file (the save makes it), and
// its test may have a second name in a folder beside it (a hard link).
struct Set {
    std::filesystem::path folder;
    bool oldHasLast = true;
    bool linked = false;

    std::string Alias() const { return (folder / "other" / "alias.mv5").string(); }

    std::string Path(int f) const { return (folder / (std::string("t.") + kExts[f])).string(); }
    static std::string Text(int set, int f)
    {
        // Large enough that a write takes several system calls.
        std::string text = (set ? "new " : "old ") + std::string(kExts[f]) + "\n";
        return text + std::string(100000 + 1000 * f, static_cast<char>('a' + 3 * set + f)) + "\n";
    }
    static std::string OnDisk(int set, int f)
    {
        std::string crlf;
        for (const char c : Text(set, f))
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return crlf;
    }

    void WriteOld() const
    {
        for (int f = 0; f < 3; ++f) {
            std::filesystem::remove(Path(f));
            if (f < 2 || oldHasLast)
                WriteFile(Path(f), OnDisk(0, f));
        }
        if (linked) {
            std::filesystem::create_directories(folder / "other");
            std::filesystem::remove(Alias());
            std::filesystem::create_hard_link(Path(0), Alias());
        }
    }
    // Saves the new set (or another, `which`) as the sheets do: whether it was put in place.
    bool SaveNew(CFileSet& set, int which = 1) const
    {
        for (int f = 0; f < 3; ++f)
            WriteWholeFile(Path(f).c_str(), [f, which](CStdioFile& file) { file.WriteString(Text(which, f).c_str()); });
        return set.Commit();
    }
    // What the next Load Test finds once its first open has finished what a kill left: 0 the old
    // set, 1 the new one, -1 files of both. Every file must be whole.
    int Held() const
    {
        filecommit::FinishInterrupted(Path(0).c_str(), true);
        int sets[3];
        for (int f = 0; f < 3; ++f) {
            if (!std::filesystem::exists(Path(f))) {
                sets[f] = f == 2 && !oldHasLast ? 0 : kAbsent;
            } else {
                const std::string now = ReadFile(Path(f));
                sets[f] = now == OnDisk(0, f) && (f < 2 || oldHasLast) ? 0 : now == OnDisk(1, f) ? 1 : kAbsent;
            }
            EXPECT_NE(sets[f], kAbsent) << Path(f) << " is missing or not whole";
        }
        if (linked) {
            // The second name keeps the file: it holds what the test holds.
            EXPECT_EQ(ReadFile(Alias()), ReadFile(Path(0)));
            EXPECT_EQ(std::filesystem::hard_link_count(Path(0)), 2u);
        }
        return sets[0] == sets[1] && sets[1] == sets[2] ? sets[0] : -1;
    }
    // What a commit leaves only while it runs: its records and the old files' second names.
    std::vector<std::string> CommitLeftovers() const
    {
        std::vector<std::string> left;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            for (const char* prefix : {".mv-commit", ".mv-undo"})
                if (name.rfind(prefix, 0) == 0)
                    left.push_back(name);
        }
        return left;
    }
};

constexpr int kKilled = 77;

struct Sweep {
    int kills = 0;
    int old = 0;
    int fresh = 0;
};

// The new set saved by a child that is killed at its `n`-th step, for n = 1, 2, ... until a child
// saves without reaching it; `fault` may fail steps too. After each kill, the next load sees one
// whole set and nothing of the commit is left.
Sweep KillAtEveryStep(const Set& files, const platform::FileStepHook& fault, bool expectSaved)
{
    Sweep sweep;
    for (int n = 1; n < 1000; ++n) {
        files.WriteOld();
        const pid_t pid = ::fork();
        if (pid == 0) {
            int steps = 0;
            platform::SetFileStepHook([&](FileStep step, const std::string& path) {
                if (++steps == n)
                    ::_exit(kKilled);
                return fault ? fault(step, path) : 0;
            });
            platform::MessageRecorder quiet;
            CFileSet set;
            ::_exit(files.SaveNew(set) ? 0 : 1);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status));
        const int code = WEXITSTATUS(status);
        const int held = files.Held();
        EXPECT_NE(held, -1) << "killed at step " << n << ": a set of old and new files";
        EXPECT_EQ(files.CommitLeftovers(), std::vector<std::string>{}) << "step " << n;
        if (code != kKilled) {
            EXPECT_EQ(code, expectSaved ? 0 : 1);
            EXPECT_EQ(held, expectSaved ? 1 : 0) << "a save that ran to its end";
            return sweep;
        }
        ++sweep.kills;
        (held == 1 ? sweep.fresh : sweep.old) += 1;
    }
    ADD_FAILURE() << "the save never ended";
    return sweep;
}

// The new set saved by a child killed at the `n`-th rename of its commit: whether it was.
bool KilledAtRename(const Set& files, int n)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        int renames = 0;
        platform::SetFileStepHook([&](FileStep step, const std::string&) {
            if (step == FileStep::Rename && ++renames == n)
                ::_exit(kKilled);
            return 0;
        });
        platform::MessageRecorder quiet;
        CFileSet set;
        files.SaveNew(set);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == kKilled;
}

} // namespace

TEST(FileSetCommitTest, AKillAtAnyStepOfASavedSetLeavesTheOldSetOrTheNewOne)
{
    for (const auto& [oldHasLast, linked] : {std::pair {true, false}, {false, false}, {true, true}}) {
        SCOPED_TRACE(std::string(oldHasLast ? "over a whole old set" : "making the last file") +
                     (linked ? ", the test with a second name" : ""));
        DiskDir dir;
        const Set files {dir.path, oldHasLast, linked};
        // A file the set makes gets the mode of any new file, also where the umask lets the
        // group write it.
        const mode_t mask = ::umask(oldHasLast ? 022 : 002);
        const Sweep sweep = KillAtEveryStep(files, nullptr, true);
        ::umask(mask);
        if (!oldHasLast) {
            EXPECT_EQ(std::filesystem::status(files.Path(2)).permissions(),
                      static_cast<std::filesystem::perms>(0664));
        }
        // Kills while the files are written leave the old set; kills once the record is written,
        // the new one.
        EXPECT_GT(sweep.old, 3);
        EXPECT_GT(sweep.fresh, 3);
    }
}

TEST(FileSetCommitTest, ARenameThatFailsPutsBackWhatTheSetReplacedAlsoWhenKilledMeanwhile)
{
    for (int failing = 0; failing < 3; ++failing) {
        for (const bool oldHasLast : {true, false}) {
            SCOPED_TRACE(std::string("the rename of t.") + kExts[failing] + " fails" +
                         (oldHasLast ? "" : ", the last file is new"));
            DiskDir dir;
            const Set files {dir.path, oldHasLast};
            const std::string failed = files.Path(failing);
            auto fault = [failed](FileStep step, const std::string& path) {
                return step == FileStep::Rename && path == failed ? EIO : 0;
            };
            {
                files.WriteOld();
                platform::MessageRecorder messages;
                platform::SetFileStepHook(fault);
                CFileSet set;
                EXPECT_FALSE(files.SaveNew(set));
                platform::SetFileStepHook(nullptr);
                EXPECT_EQ(set.Failure(), CString("Can't open file " + failed + ", error = 10\n"));
                EXPECT_EQ(messages.count(), 0) << "the set's owner tells it";
                EXPECT_EQ(files.Held(), 0);
                EXPECT_EQ(files.CommitLeftovers(), std::vector<std::string>{});
                std::vector<std::string> temps;
                for (const auto& entry : std::filesystem::directory_iterator(dir.path))
                    if (entry.path().filename().string().rfind(".mv-", 0) == 0)
                        temps.push_back(entry.path().filename().string());
                EXPECT_EQ(temps, std::vector<std::string>{});
            }
            // A kill in the putting back: the next open finishes the commit its own way, with
            // no rename failing now, or puts back the rest. The last rename failing puts back the
            // most.
            if (failing == 2)
                KillAtEveryStep(files, fault, false);
        }
    }
}

TEST(FileSetCommitTest, AFileOfTheSetThatCannotBeWrittenOrKeptLeavesEveryOldFile)
{
    DiskDir dir;
    // A write that fails, or the copy of an old file that the commit keeps to put back.
    const std::tuple<FileStep, int, const char*> faults[] = {{FileStep::Sync, ENOSPC, "error = 13"},
                                                             {FileStep::KeepOld, EIO, "error = 10"}};
    for (const bool linked : {false, true}) {
        const Set files {dir.path, true, linked};
        for (const auto& [faultStep, err, cause] : faults) {
            for (int failing = 0; failing < 3; ++failing) {
                SCOPED_TRACE(std::string(kExts[failing]) + " fails at step " +
                             std::to_string(static_cast<int>(faultStep)) + (linked ? ", the test linked" : ""));
                files.WriteOld();
                const std::string failed = files.Path(failing);
                platform::MessageRecorder messages;
                platform::SetFileStepHook([failed, faultStep, err](FileStep step, const std::string& path) {
                    return step == faultStep && path == failed ? err : 0;
                });
                CFileSet set;
                EXPECT_FALSE(files.SaveNew(set));
                platform::SetFileStepHook(nullptr);
                EXPECT_EQ(set.Failure(), CString("Can't open file " + failed + ", " + cause + "\n"));
                EXPECT_FALSE(set.Changed());
                EXPECT_EQ(messages.count(), 0);
                EXPECT_EQ(files.Held(), 0);
            }
        }
    }
    const Set files {dir.path, true};
    // Without a set the writer tells the failure itself, as before.
    platform::MessageRecorder messages;
    std::filesystem::remove(files.Path(0));
    std::filesystem::create_directory(files.Path(0));
    EXPECT_FALSE(WriteWholeFile(files.Path(0).c_str(), [](CStdioFile& file) { file.WriteString("x\n"); }));
    EXPECT_EQ(messages.count(), 1);
}

// A file saved alone (a companion's "Only" command) takes the folder's commit lock too: while
// another program's commit holds it past the wait, nothing is written and one box says why; once
// it is free, the file is saved.
TEST(FileSetCommitTest, AFileSavedAloneWaitsForAnotherProgramsCommitAndSaysSo)
{
    DiskDir dir;
    const std::string path = (dir.path / "t.hs5").string();
    WriteFile(path, "old\r\n");
    const filecommit::LockWait wait = filecommit::SetLockWait({2, std::chrono::milliseconds(0)});
    // Another open of the folder is another holder of its lock, as another program's is.
    const int other = ::open(dir.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    auto save = [&] { return WriteWholeFile(path.c_str(), [](CStdioFile& file) { file.WriteString("new\n"); }); };
    {
        platform::MessageRecorder messages;
        EXPECT_FALSE(save());
        EXPECT_EQ(messages.texts(), std::vector<std::string> {"Another program is saving files in the folder " +
                                                              dir.path.string() + ".\nThe file " + path +
                                                              " was not saved."});
        EXPECT_EQ(ReadFile(path), "old\r\n");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1) << "no file left";
    }
    ::close(other);
    platform::MessageRecorder messages;
    EXPECT_TRUE(save());
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(ReadFile(path), "new\r\n");
    filecommit::SetLockWait(wait);
}

// A second save of the set while the first one is held up at any of its steps stops at once,
// before it writes anything, and says that another program is saving there; the first one then
// ends with its whole set.
TEST(FileSetCommitTest, ASecondSaveDuringASaveOfTheSetStopsBeforeItWritesAnything)
{
    DiskDir dir;
    const Set files {dir.path, true, true};
    const filecommit::LockWait wait = filecommit::SetLockWait({1, std::chrono::milliseconds(0)});
    for (int n = 1; n < 1000; ++n) {
        SCOPED_TRACE("the first save held at step " + std::to_string(n));
        files.WriteOld();
        int heldUp[2], go[2];
        ASSERT_EQ(::pipe(heldUp), 0);
        ASSERT_EQ(::pipe(go), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            int steps = 0;
            platform::SetFileStepHook([&](FileStep, const std::string&) {
                if (++steps == n) {
                    char c = 'h';
                    if (::write(heldUp[1], &c, 1) != 1 || ::read(go[0], &c, 1) != 1)
                        ::_exit(2);
                }
                return 0;
            });
            platform::MessageRecorder quiet;
            CFileSet set;
            ::_exit(files.SaveNew(set) ? 0 : 1);
        }
        ::close(heldUp[1]);
        ::close(go[0]);
        char c = 0;
        const bool reached = ::read(heldUp[0], &c, 1) == 1;
        if (reached) {
            platform::MessageRecorder messages;
            CFileSet second;
            EXPECT_FALSE(files.SaveNew(second, 2));
            EXPECT_EQ(second.Failure(), CString("Another program is saving files in the folder " + dir.path.string() + ".\n"));
            EXPECT_FALSE(second.Changed());
            EXPECT_EQ(messages.count(), 0) << "the set's owner tells it";
        }
        if (reached) {
            c = 'g';
            EXPECT_EQ(::write(go[1], &c, 1), 1);
        }
        ::close(go[1]);
        ::close(heldUp[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the first save ends, saved";
        EXPECT_EQ(files.Held(), 1);
        if (!reached)
            break;
    }
    filecommit::SetLockWait(wait);
}

// A commit killed after its first rename, in a folder that then takes no change (a read-only
// folder, failed here through the step seam): the load shows one box naming the files of the
// test, which come from two saves; once the folder takes changes again, the load finishes the
// commit without a word.
TEST(FileSetCommitTest, ALoadThatCannotFinishAnInterruptedCommitNamesTheFilesInOneBox)
{
    DiskDir dir;
    const Set files {dir.path, true};
    files.WriteOld();
    ASSERT_TRUE(KilledAtRename(files, 2));
    {
        platform::MessageRecorder messages;
        platform::SetFileStepHook([](FileStep step, const std::string&) {
            return step == FileStep::Rename || step == FileStep::PutBack ? EROFS : 0;
        });
        EXPECT_TRUE(ReadWholeFile(files.Path(0).c_str(), false, [](CStdioFile&) {}));
        EXPECT_TRUE(ReadWholeFile(files.Path(1).c_str(), false, [](CStdioFile&) {})) << "a companion: no box";
        platform::SetFileStepHook(nullptr);
        EXPECT_EQ(messages.texts(),
                  std::vector<std::string> {"A save of these files was interrupted and can be neither finished nor "
                                            "undone, so they come from two saves:\n" +
                                            files.Path(0) + "\n" + files.Path(1) + "\n" + files.Path(2) +
                                            "\nCheck them before you save the test again."});
    }
    platform::MessageRecorder messages;
    EXPECT_EQ(files.Held(), 1);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(files.CommitLeftovers(), std::vector<std::string> {});
}

// A put-back that fails after a failed rename leaves files with the new text: the failure names
// them, and the set does not claim that nothing was saved.
TEST(FileSetCommitTest, APutBackThatFailsNamesTheFilesThatHoldTheNewText)
{
    DiskDir dir;
    const Set files {dir.path, true, true};
    files.WriteOld();
    const std::string test = files.Path(0), last = files.Path(2);
    platform::SetFileStepHook([&](FileStep step, const std::string& path) {
        return (step == FileStep::Rename && path == last) || (step == FileStep::PutBack && path == test) ? EIO : 0;
    });
    platform::MessageRecorder messages;
    CFileSet set;
    EXPECT_FALSE(files.SaveNew(set));
    platform::SetFileStepHook(nullptr);
    EXPECT_TRUE(set.Changed());
    EXPECT_EQ(set.Failure(), CString("Can't open file " + last + ", error = 10\nThe save could not be undone: these "
                                     "files hold the new text, the others the old one:\n" + test + "\n"));
    EXPECT_EQ(ReadFile(test), Set::OnDisk(1, 0));
    EXPECT_EQ(ReadFile(files.Alias()), Set::OnDisk(1, 0)) << "written in place: its second name too";
    EXPECT_EQ(ReadFile(files.Path(1)), Set::OnDisk(0, 1));
    EXPECT_EQ(messages.count(), 0);
}

// A commit killed once its record was written, whose test (written in place, for its second
// name) is then gone: its record can be neither finished nor undone, and a later save makes the
// set anew. That record must not act once the test stands again: a load would put the older
// save's files over the newer one's.
TEST(FileSetCommitTest, ARecordLeftAloneDoesNotActOverALaterSave)
{
    DiskDir dir;
    const Set files {dir.path, true, true};
    files.WriteOld();
    ASSERT_TRUE(KilledAtRename(files, 1));
    ASSERT_EQ(files.CommitLeftovers().size(), 1u);
    std::filesystem::remove(files.Path(0));
    platform::MessageRecorder messages;
    {
        CFileSet set;
        EXPECT_TRUE(files.SaveNew(set, 2));
    }
    filecommit::FinishInterrupted(files.Path(0).c_str(), true);
    for (int f = 0; f < 3; ++f) {
        std::string crlf;
        for (const char c : Set::Text(2, f))
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        EXPECT_TRUE(ReadFile(files.Path(f)) == crlf) << files.Path(f) << " does not hold the later save";
    }
    EXPECT_EQ(messages.count(), 0);
}
