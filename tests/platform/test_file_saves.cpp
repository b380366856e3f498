// Saving over what a user's folder may hold: links, other users' files, folders that take no new
// file, pipes and devices.
#include "common/HighSpeedVideoData.h"
#include "platform/Messages.h"
#include "platform/StdioFile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
