// A test and its companions put in place whole or not at all: the saving process killed at every
// step of its save, and a rename of the set that fails, on a folder of a real disk.
#include "common/FileSet.h"
#include "common/WholeFile.h"
#include "doubles/MessageRecorder.h"
#include "platform/StdioFile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <linux/magic.h>
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

// A set of three files in `folder`; the old set may lack its last file (the save makes it).
struct Set {
    std::filesystem::path folder;
    bool oldHasLast = true;

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
            if (f < 2 || oldHasLast)
                WriteFile(Path(f), OnDisk(0, f));
            else
                std::filesystem::remove(Path(f));
        }
    }
    // Saves the new set as the sheets do: whether it was put in place.
    bool SaveNew(CFileSet& set) const
    {
        for (int f = 0; f < 3; ++f)
            WriteWholeFile(Path(f).c_str(), [f](CStdioFile& file) { file.WriteString(Text(1, f).c_str()); });
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

} // namespace

TEST(FileSetCommitTest, AKillAtAnyStepOfASavedSetLeavesTheOldSetOrTheNewOne)
{
    for (const bool oldHasLast : {true, false}) {
        SCOPED_TRACE(oldHasLast ? "over a whole old set" : "making the last file");
        DiskDir dir;
        const Set files {dir.path, oldHasLast};
        const Sweep sweep = KillAtEveryStep(files, nullptr, true);
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

TEST(FileSetCommitTest, AFileOfTheSetThatCannotBeWrittenLeavesEveryOldFile)
{
    DiskDir dir;
    const Set files {dir.path, true};
    for (int failing = 0; failing < 3; ++failing) {
        SCOPED_TRACE(kExts[failing]);
        files.WriteOld();
        const std::string failed = files.Path(failing);
        platform::MessageRecorder messages;
        platform::SetFileStepHook([failed](FileStep step, const std::string& path) {
            return step == FileStep::Sync && path == failed ? ENOSPC : 0;
        });
        CFileSet set;
        EXPECT_FALSE(files.SaveNew(set));
        platform::SetFileStepHook(nullptr);
        EXPECT_EQ(set.Failure(), CString("Can't open file " + failed + ", error = 13\n"));
        EXPECT_EQ(messages.count(), 0);
        EXPECT_EQ(files.Held(), 0);
    }
    // Without a set the writer tells the failure itself, as before.
    platform::MessageRecorder messages;
    std::filesystem::remove(files.Path(0));
    std::filesystem::create_directory(files.Path(0));
    EXPECT_FALSE(WriteWholeFile(files.Path(0).c_str(), [](CStdioFile& file) { file.WriteString("x\n"); }));
    EXPECT_EQ(messages.count(), 1);
}
