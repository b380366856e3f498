// Saving over what a user's folder may hold: links, other users' files, folders that take no new
// file, pipes and devices; and saves killed at any moment.
#include "common/FileSet.h"
#include "common/HighSpeedVideoData.h"
#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"
#include "platform/StdioFile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;

namespace {

constexpr uid_t kOther = 65534; // nobody

bool Save(const std::string& path, const char* text, int* cause = nullptr)
{
    CFileException e;
    CStdioFile out;
    if (!out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite, &e)) {
        if (cause)
            *cause = e.m_cause;
        return false;
    }
    out.WriteString(text);
    const bool ok = out.Close();
    if (cause)
        *cause = out.GetLastCause();
    return ok;
}

// Runs `body` in a child process as another user (when the tests run as root; else as the
// user running them) and returns its result.
int InChild(uid_t uid, const std::function<int()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(uid) != 0 || ::setuid(uid) != 0))
            ::_exit(100);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

ino_t Inode(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

// The names in `folder` that begin with `prefix`, sorted.
std::vector<std::string> Names(const std::filesystem::path& folder, const std::string& prefix)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A test text of about `bytes` bytes ending in its END line; `mark` makes two texts differ.
std::string BigTestText(char mark, size_t bytes)
{
    std::string text = "----- MV5 -----\n----- TEST -----\n";
    for (int n = 1; text.size() < bytes; ++n)
        text += std::to_string(n) + "|" + std::string(70, mark) + "|12.5|01/02/2003\n";
    return text + "----- END -----\n";
}

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// What the next Load Test does first: loading a file of the folder finishes a commit a kill left.
void FinishLeftCommit(const std::string& path)
{
    filecommit::FinishInterrupted(path.c_str(), true);
}

struct KillCounts {
    int kills = 0;
    int old = 0;       // the file held the text before the killed save
    int fresh = 0;     // the file held the text of the killed save
    int recovered = 0; // the file was cut; the backup held the old text
    int backupsLeft = 0;
    size_t tempsLeft = 0;
};

// A child saves two large texts in turn into `path`, over and over, and is killed at random
// moments. After every kill the file must hold the old or the new text, or a backup the old
// one, named by the next load. The file is then mended as a user would and the backup removed.
KillCounts KillLoop(const std::filesystem::path& folder, const std::string& path, int kills, unsigned seed)
{
    const std::string raw[2] = {BigTestText('a', 400 << 10), BigTestText('b', 300 << 10)};
    const std::string stored[2] = {WithCrLf(raw[0]), WithCrLf(raw[1])};
    const std::string backupPrefix = std::filesystem::path(path).filename().string() + ".mv-backup";
    WriteFile(path, stored[0]);

    // Kills spread over a few saves' time, so that they land in every step of a save.
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 4; ++i)
        Save(path, raw[(i + 1) % 2].c_str());
    const auto perSave = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start) / 4;
    WriteFile(path, stored[0]);

    auto* started = static_cast<volatile int*>(
        ::mmap(nullptr, sizeof(int), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));

    // The saving children come from a small process forked now: forking this one, whose memory
    // grows under the sanitizers with every round, would cost more than the saves.
    int toMaker[2], fromMaker[2];
    if (::pipe(toMaker) != 0 || ::pipe(fromMaker) != 0)
        return {};
    std::cout.flush(); // nothing buffered to be written twice
    const pid_t maker = ::fork();
    if (maker == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::close(toMaker[1]);
        ::close(fromMaker[0]);
        int first = 0;
        while (::read(toMaker[0], &first, sizeof first) == sizeof first) {
            const pid_t saver = ::fork();
            if (saver == 0) {
                for (int k = 1; k < 100000; ++k) {
                    *started = k;
                    Save(path, raw[(first + k) % 2].c_str());
                }
                ::_exit(0);
            }
            (void)!::write(fromMaker[1], &saver, sizeof saver);
            ::waitpid(saver, nullptr, 0);
            (void)!::write(fromMaker[1], &saver, sizeof saver);
        }
        ::_exit(0);
    }

    std::mt19937 rng(seed);
    std::uniform_int_distribution<long> delay(0, 2 * perSave.count());
    KillCounts counts;
    int current = 0; // which text the file holds
    for (int round = 0; round < kills; ++round) {
        *started = 0;
        pid_t pid = 0;
        if (::write(toMaker[1], &current, sizeof current) != sizeof current ||
            ::read(fromMaker[0], &pid, sizeof pid) != sizeof pid) {
            ADD_FAILURE() << "no saving child";
            break;
        }
        // The delay runs from the second save's start: a child's first save is slow (its memory
        // is copied as it is touched), and kills would mostly land before its writes.
        const auto forked = std::chrono::steady_clock::now();
        while (*started < 2 && std::chrono::steady_clock::now() - forked < std::chrono::seconds(5))
            std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ::kill(pid, SIGKILL);
        (void)!::read(fromMaker[0], &pid, sizeof pid); // reaped
        ++counts.kills;

        const int k = *started;
        const int oldIndex = k == 0 ? current : (current + k - 1) % 2;
        const int newIndex = k == 0 ? current : (current + k) % 2;
        const std::string now = ReadFile(path);
        const std::vector<std::string> backups = Names(folder, backupPrefix);
        for (const std::string& backup : backups)
            EXPECT_EQ(ReadFile(folder / backup), stored[oldIndex]) << "an incomplete backup, round " << round;
        if (!backups.empty()) {
            ++counts.backupsLeft;
            platform::MessageRecorder recorder;
            CStdioFile in;
            EXPECT_TRUE(in.Open(path.c_str(), CFile::modeRead));
            EXPECT_EQ(recorder.count(), 1);
            EXPECT_NE(recorder.last().text.find((folder / backups.front()).string()), std::string::npos);
        }
        if (now == stored[newIndex] && k > 0) {
            ++counts.fresh;
            current = newIndex;
        } else if (now == stored[oldIndex]) {
            ++counts.old;
            current = oldIndex;
        } else {
            EXPECT_FALSE(backups.empty()) << "round " << round << ": the file was cut (" << now.size()
                                          << " bytes) and nothing holds the old text";
            ++counts.recovered;
            WriteFile(path, stored[oldIndex]); // in place, as the links stay
            current = oldIndex;
        }
        for (const std::string& backup : backups)
            std::filesystem::remove(folder / backup);
        if (::testing::Test::HasFailure())
            break;
    }
    for (const int fd : {toMaker[0], toMaker[1], fromMaker[0], fromMaker[1]})
        ::close(fd);
    ::waitpid(maker, nullptr, 0);
    ::munmap(const_cast<int*>(started), sizeof(int));
    counts.tempsLeft = Names(folder, ".mv-").size();
    return counts;
}

} // namespace

TEST(FileSaveTest, LinksAreFollowedAndStayLinks)
{
    TempDir dir;
    const std::string target = dir.file("target.mv5");
    WriteFile(target, "old\r\n");
    std::filesystem::create_symlink("target.mv5", dir.file("link.mv5"));
    ASSERT_TRUE(Save(dir.file("link.mv5"), "new\n"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.mv5")));
    EXPECT_EQ(ReadFile(target), "new\r\n");

    // A dangling link: the file is made where it points.
    std::filesystem::create_symlink(dir.file("sub/made.mv5"), dir.file("dangling.mv5"));
    std::filesystem::create_directory(dir.file("sub"));
    ASSERT_TRUE(Save(dir.file("dangling.mv5"), "made\n"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("dangling.mv5")));
    EXPECT_EQ(ReadFile(dir.file("sub/made.mv5")), "made\r\n");

    // Hard links: the file is written in place, so every name keeps showing it.
    std::filesystem::create_hard_link(target, dir.file("hard.mv5"));
    ASSERT_TRUE(Save(target, "both\n"));
    EXPECT_EQ(ReadFile(dir.file("hard.mv5")), "both\r\n");
    EXPECT_EQ(Inode(target), Inode(dir.file("hard.mv5")));

    // No temporary file is left beside them.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 5);
}

TEST(FileSaveTest, ModeOwnerAndGroupAreKept)
{
    TempDir dir;
    const std::string path = dir.file("kept.mv5");
    WriteFile(path, "old\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), kOther, kOther), 0);
    }
    ASSERT_TRUE(Save(path, "new\n"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, kOther);
        EXPECT_EQ(st.st_gid, kOther);
    }
    EXPECT_EQ(ReadFile(path), "new\r\n");

    // A user who may write another user's file but not give a new file that owner writes it in
    // place: the owner stays.
    if (!root)
        GTEST_SKIP() << "needs a second user";
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    EXPECT_EQ(InChild(12345, [&] { return Save(path, "theirs\n") ? 0 : 1; }), 0);
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kOther);
    EXPECT_EQ(ReadFile(path), "theirs\r\n");
}

TEST(FileSaveTest, ALongNameSaves)
{
    TempDir dir;
    const std::string path = dir.file(std::string(246, 'n') + ".mv5"); // 250 characters
    ASSERT_TRUE(Save(path, "long\n"));
    EXPECT_EQ(ReadFile(path), "long\r\n");
    ASSERT_TRUE(Save(path, "again\n"));
    EXPECT_EQ(ReadFile(path), "again\r\n");
    // In place too: its backup's name must fit as well.
    std::filesystem::create_hard_link(path, dir.file("short.mv5"));
    ASSERT_TRUE(Save(path, "linked\n"));
    EXPECT_EQ(ReadFile(dir.file("short.mv5")), "linked\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(FileSaveTest, AWritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace)
{
    TempDir dir;
    const std::string folder = dir.file("locked");
    std::filesystem::create_directory(folder);
    const std::string path = folder + "/t.mv5";
    WriteFile(path, "old text\r\n");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), kOther, kOther), 0);
    }
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);

    EXPECT_EQ(InChild(kOther, [&] { return Save(path, "new\n") ? 0 : 1; }), 0);
    EXPECT_EQ(ReadFile(path), "new\r\n");

    // A write that fails half way (here: a file size limit) puts the old bytes back.
    EXPECT_EQ(InChild(kOther,
                      [&] {
                          std::signal(SIGXFSZ, SIG_IGN);
                          const rlimit small {8, 8};
                          ::setrlimit(RLIMIT_FSIZE, &small);
                          return Save(path, "far too long for the limit\n") ? 1 : 0;
                      }),
              0);
    EXPECT_EQ(ReadFile(path), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    ::chmod(folder.c_str(), 0755);
}

// A scratch folder in memory (tmpfs), where syncs cost nothing and kills spread over the writes;
// empty where there is none. On a disk most kills land in a sync.
struct MemoryDir {
    std::filesystem::path path;
    MemoryDir()
    {
        std::string tmpl = "/dev/shm/morvel-test-XXXXXX";
        if (::mkdtemp(tmpl.data()))
            path = tmpl;
    }
    ~MemoryDir()
    {
        std::error_code ec;
        if (!path.empty())
            std::filesystem::remove_all(path, ec);
    }
};

TEST(FileSaveTest, KilledSavesLeaveTheOldOrTheNewTextOrARecoverableBackup)
{
    TempDir disk;
    MemoryDir memory;
    struct Run {
        std::filesystem::path folder;
        const char* where;
        int kills;
    };
    // In place (the file has a second name) and by rename.
    for (const bool inPlace : {true, false}) {
        for (const Run& run : {Run{memory.path, "in memory", 100}, Run{disk.path(), "on disk", 25}}) {
            if (run.folder.empty())
                continue;
            const std::string how = std::string(inPlace ? "in place, " : "by rename, ") + run.where;
            SCOPED_TRACE(how);
            const std::filesystem::path folder = run.folder / (inPlace ? "in-place" : "rename");
            std::filesystem::create_directory(folder);
            const std::string path = (folder / "t.mv5").string();
            WriteFile(path, "");
            if (inPlace)
                std::filesystem::create_hard_link(path, folder / "other.mv5");
            const KillCounts counts = KillLoop(folder, path, run.kills, inPlace ? 17u : 29u);
            std::cout << "[ kill loop ] " << how << ": " << counts.kills << " kills, " << counts.old << " old, "
                      << counts.fresh << " new, " << counts.recovered << " cut but the old text in the backup; "
                      << counts.backupsLeft << " left a backup, " << counts.tempsLeft << " temporary files left\n";
            EXPECT_EQ(counts.kills, run.kills);
            if (inPlace) {
                EXPECT_EQ(Inode(path), Inode((folder / "other.mv5").string()));
            }

            // The next save takes away what the killed ones left.
            ASSERT_TRUE(Save(path, "last\n"));
            EXPECT_EQ(ReadFile(path), "last\r\n");
            EXPECT_EQ(Names(folder, ".mv-"), std::vector<std::string>{});
            EXPECT_EQ(Names(folder, "t.mv5.mv-backup"), std::vector<std::string>{});
        }
    }
}

// A test and its two companions saved as one set, two sets in turn, the saving child killed at
// random moments: once the next open has finished what a kill left, the files are the old set or
// the new one, each file whole, also after a kill among the renames that put the set in place.
TEST(FileSaveTest, AKilledSaveOfASetLeavesTheOldSetOrTheNewOne)
{
    TempDir disk;
    MemoryDir memory;
    const std::filesystem::path folder = memory.path.empty() ? std::filesystem::path(disk.path()) : memory.path;
    const std::string paths[3] = {(folder / "t.mv5").string(), (folder / "t.hs5").string(),
                                  (folder / "t.ip5").string()};
    std::string raw[2][3];
    for (int set = 0; set < 2; ++set) {
        for (int f = 0; f < 3; ++f)
            raw[set][f] = BigTestText(static_cast<char>('a' + 3 * set + f), (200 + 50 * f) << 10);
    }
    auto write = [&](int set) {
        for (int f = 0; f < 3; ++f)
            WriteFile(paths[f], WithCrLf(raw[set][f]));
    };
    // The set the three files hold; -1 when they are not one set. Each file must be whole.
    auto held = [&] {
        int sets[3];
        for (int f = 0; f < 3; ++f) {
            const std::string now = ReadFile(paths[f]);
            sets[f] = now == WithCrLf(raw[0][f]) ? 0 : now == WithCrLf(raw[1][f]) ? 1 : -2;
            EXPECT_NE(sets[f], -2) << paths[f] << " is not whole";
        }
        return sets[0] == sets[1] && sets[1] == sets[2] ? sets[0] : -1;
    };
    // state[0]: the save the child is in (1, 2, ...); state[1]: 1 while it puts its set in place.
    auto* state = static_cast<volatile int*>(
        ::mmap(nullptr, 2 * sizeof(int), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    auto saveSet = [&](int set) {
        CFileSet files;
        for (int f = 0; f < 3; ++f)
            Save(paths[f], raw[set][f].c_str());
        state[1] = 1;
        files.Commit();
        state[1] = 0;
    };
    write(0);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 4; ++i)
        saveSet((i + 1) % 2);
    const auto perSet = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start) / 4;
    write(0);

    std::mt19937 rng(35);
    std::uniform_int_distribution<long> delay(0, 2 * perSet.count());
    int current = 0, old = 0, fresh = 0, amongRenames = 0;
    for (int round = 0; round < 35; ++round) {
        state[0] = 0;
        state[1] = 0;
        std::cout.flush();
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (int k = 1; k < 100000; ++k) {
                state[0] = k;
                saveSet((current + k) % 2);
            }
            ::_exit(0);
        }
        const auto forked = std::chrono::steady_clock::now();
        while (state[0] < 2 && std::chrono::steady_clock::now() - forked < std::chrono::seconds(5))
            std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        const int k = state[0];
        amongRenames += state[1];
        FinishLeftCommit(paths[0]);
        const int now = held();
        ASSERT_NE(now, -1) << "round " << round << ": a set of old and new files";
        (now == (current + k) % 2 ? fresh : old) += 1;
        current = now;
    }
    std::cout << "[ kill loop ] sets: 35 kills, " << old << " old sets, " << fresh << " new sets, " << amongRenames
              << " killed among the renames\n";
    EXPECT_GT(old, 0);
    // The next save takes away what the killed ones left.
    saveSet(1);
    EXPECT_EQ(held(), 1);
    EXPECT_EQ(Names(folder, ".mv-"), std::vector<std::string> {});
    ::munmap(const_cast<int*>(state), 2 * sizeof(int));
}

TEST(FileSaveTest, ASaveRemovesOnlyDeadSavesTemporaryFiles)
{
    TempDir dir;
    WriteFile(dir.file("victim"), "keep\n");
    WriteFile(dir.file(".mv-Ab3xY9"), "dead save"); // lock free: a save that died
    WriteFile(dir.file(".mv-L0cked"), "live save");
    const int live = ::open(dir.file(".mv-L0cked").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);
    std::filesystem::create_symlink(dir.file("victim"), dir.file(".mv-link01"));
    std::filesystem::create_directory(dir.file(".mv-dir001"));
    ASSERT_EQ(::mkfifo(dir.file(".mv-fifo01").c_str(), 0600), 0);
    for (const char* name : {".mv-short", "x.mv-Ab3xY9", ".mv-Ab3xY9.mv5", ".mv-Ab3_Y9"})
        WriteFile(dir.file(name), "not ours");

    ASSERT_TRUE(Save(dir.file("t.mv5"), "new\n"));
    ::close(live);
    EXPECT_EQ(Names(dir.path(), ""),
              (std::vector<std::string>{".mv-Ab3_Y9", ".mv-Ab3xY9.mv5", ".mv-L0cked", ".mv-dir001", ".mv-fifo01",
                                        ".mv-link01", ".mv-short", "t.mv5", "victim", "x.mv-Ab3xY9"}));
    EXPECT_EQ(ReadFile(dir.file("victim")), "keep\n");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file(".mv-link01")));

    // Its lock now free, the next save takes it too.
    ASSERT_TRUE(Save(dir.file("t.mv5"), "again\n"));
    EXPECT_FALSE(std::filesystem::exists(dir.file(".mv-L0cked")));
}

TEST(FileSaveTest, ABackupLeftByAnInterruptedSaveIsNamedAtLoadAndSaveAndKept)
{
    TempDir dir;
    const std::string path = dir.file("t.mv5");
    const std::string backup = path + ".mv-backup";
    WriteFile(path, "----- MV5 -----\r\n1|cut sh"); // cut by the interrupted save
    std::filesystem::create_hard_link(path, dir.file("other.mv5"));
    WriteFile(backup, "old\r\n");
    const std::string named = backup + " holds " + path + " as it was before a save that was interrupted. If " +
                              path + " is incomplete, recover it from this copy. The copy is kept until you delete it.";
    platform::MessageRecorder recorder;
    {
        CStdioFile in;
        ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead));
    }
    ASSERT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().text, named);
    EXPECT_EQ(recorder.last().caption, "Warning");

    // A save names it too, and keeps it: the save's own backup takes another name, and goes.
    recorder.clear();
    ASSERT_TRUE(Save(path, "newer\n"));
    ASSERT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().text, named);
    EXPECT_EQ(ReadFile(path), "newer\r\n");
    EXPECT_EQ(ReadFile(backup), "old\r\n");
    EXPECT_EQ(Names(dir.path(), ""), (std::vector<std::string>{"other.mv5", "t.mv5", "t.mv5.mv-backup"}));

    // Two of them: one box, the newest first.
    WriteFile(backup + "-2", "older\r\n");
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(backup + "-2", now - std::chrono::hours(1));
    std::filesystem::last_write_time(backup, now);
    recorder.clear();
    {
        CStdioFile in;
        ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead));
    }
    ASSERT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().text, "These files hold " + path +
                                        " as it was before saves that were interrupted, the newest first:\n" + backup +
                                        "\n" + backup + "-2\nIf " + path +
                                        " is incomplete, recover it from the newest copy. The copies are kept "
                                        "until you delete them.");

    // One whose save still runs (its lock is held) is not a left one.
    std::filesystem::remove(backup + "-2");
    const int live = ::open(backup.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);
    recorder.clear();
    {
        CStdioFile in;
        ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead));
    }
    ::close(live);
    EXPECT_EQ(recorder.count(), 0);
}

TEST(FileSaveTest, APipeOrADeviceIsRefusedWithTheCauseCode)
{
    TempDir dir;
    const std::string fifo = dir.file("pipe.mv5");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(fifo, dir.file("to-pipe.mv5"));
    for (const std::string& path : {fifo, dir.file("to-pipe.mv5"), std::string("/dev/null")}) {
        int cause = 0;
        EXPECT_FALSE(Save(path, "x\n", &cause)) << path;
        EXPECT_EQ(cause, CFileException::accessDenied) << path;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(FileSaveTest, AFileLargerThanAnyTestIsRefusedUnread)
{
    TempDir dir;
    const std::string path = dir.file("huge.mv5");
    WriteFile(path, "----- MV5 -----\r\n");
    std::filesystem::resize_file(path, 100ull << 30); // sparse: costs no disk
    CFileException e;
    CStdioFile in;
    EXPECT_FALSE(in.Open(path.c_str(), CFile::modeRead, &e));
    platform::MessageRecorder recorder;
    ShowCantOpenFile(path.c_str(), e);
    ASSERT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().text,
              "Can't open file " + path + ": it is larger than 256 MB, more than any test file holds.\n");

    // Through a reader: the one message, nothing read, no abort.
    recorder.clear();
    CHighSpeedVideoData data;
    EXPECT_FALSE(data.LoadHsvdFile(path.c_str(), true));
    ASSERT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().caption, "Error");
    EXPECT_NE(recorder.last().text.find("larger than 256 MB"), std::string::npos);
}

TEST(MessageCapTest, AFileShowsTenProblemsThenHowManyMore)
{
    TempDir dir;
    const std::string path = dir.file("bad.mv5");
    WriteFile(path, "x\n");
    platform::MessageRecorder recorder;
    recorder.setNextAnswer(IDOK);
    {
        CStdioFile in;
        ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead));
        for (int i = 1; i <= 25; ++i)
            MessageBoxA(nullptr, ("problem " + std::to_string(i)).c_str(), "Error", MB_OK);
        // A question is always asked, and does not count.
        recorder.setNextAnswer(IDNO);
        EXPECT_EQ(MessageBoxA(nullptr, "Go on?", "Warning", MB_YESNO), IDNO);
        // A second file read meanwhile has a count of its own.
        const std::string other = dir.file("other.hs5");
        WriteFile(other, "y\n");
        CStdioFile second;
        ASSERT_TRUE(second.Open(other.c_str(), CFile::modeRead));
        MessageBoxA(nullptr, "other problem", "Error", MB_OK);
        EXPECT_TRUE(in.Close()); // the first file ends before the second
        MessageBoxA(nullptr, "other problem 2", "Error", MB_OK);
    }
    const auto texts = recorder.texts();
    ASSERT_EQ(texts.size(), 14u);
    EXPECT_EQ(texts[9], "problem 10");
    EXPECT_EQ(texts[10], "Go on?");
    EXPECT_EQ(texts[11], "other problem");
    EXPECT_EQ(texts[12], "15 more problems were found in " + path + ".");
    EXPECT_EQ(texts[13], "other problem 2");
}

TEST(MessageCapTest, AReaderOfHundredsOfBadLinesKeepsItsDataAndShowsElevenBoxes)
{
    TempDir dir;
    const std::string path = dir.file("bad.hs5");
    std::string text = "----- HSVD -----\n1|R|1.5|v|c\n";
    for (int i = 0; i < 300; ++i)
        text += "bad|line\n";
    text += "2|R|2|w|d\n----- END -----\n";
    WriteFile(path, text);
    platform::MessageRecorder recorder;
    CHighSpeedVideoData data;
    ASSERT_TRUE(data.LoadHsvdFile(path.c_str(), true));
    EXPECT_EQ(data.CameraCount(), 302); // the lines are kept as read, as before
    ASSERT_EQ(recorder.count(), 11);
    EXPECT_EQ(recorder.last().text, "290 more problems were found in " + path + ".");
    EXPECT_EQ(recorder.last().caption, "Error");
}
