#include "doubles/MessageRecorder.h"
#include "platform/CString.h"
#include "platform/Codec.h"
#include "platform/Messages.h"
#include "platform/StdioFile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;

TEST(CStringTest, SlicesClampInsteadOfReadingPast)
{
    const CString s("abcdef");
    EXPECT_EQ(s.Left(10), "abcdef");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Mid(4), "ef");
    EXPECT_EQ(s.Mid(10), "");
    EXPECT_EQ(s.Mid(-3, 2), "ab");
    EXPECT_EQ(s.GetAt(99), '\0');
    EXPECT_EQ(s.Find("cd"), 2);
    EXPECT_EQ(s.Find('z'), -1);
    CString t("  a b \t");
    EXPECT_EQ(t.Trim(), "a b");
    EXPECT_EQ(t.Trim(), "a b");
    CString blank(" \t ");
    EXPECT_EQ(blank.Trim(), "");
    CString nul(std::string("a\0", 2));
    EXPECT_EQ(nul.Trim().GetLength(), 2) << "a NUL byte is no white space";
    CString u("x\x96y");
    EXPECT_EQ(u.MakeUpper(), "X\x96Y");
}

TEST(CStringArrayTest, OutsideReadsAreEmptyAndWritesGrow)
{
    CStringArray a;
    EXPECT_EQ(a.GetAt(5), "");
    a.SetAtGrow(3, "c");
    EXPECT_EQ(a.GetSize(), 4);
    a[6] = "x";
    EXPECT_EQ(a.GetSize(), 7);
    a.RemoveAt(0, 100);
    EXPECT_EQ(a.GetSize(), 0);
    a.SetAt(-1, "ignored");
    EXPECT_EQ(a.GetSize(), 0);
}

TEST(CodecTest, EnDashSurvivesTheRoundTrip)
{
    const CString dash("A\x96Z");
    const QString shown = ToQString(dash);
    EXPECT_EQ(shown, QString::fromUtf8("A\u2013Z"));
    EXPECT_EQ(FromQString(shown), dash);
    for (int b = 1; b < 256; ++b) {
        const CString one(static_cast<char>(b), 1);
        EXPECT_EQ(FromQString(ToQString(one)), one) << b;
        EXPECT_TRUE(FitsCodePage(ToQString(one))) << b;
    }
}

TEST(StdioFileTest, WritesCrLfAndReadsEitherLineEnd)
{
    TempDir dir;
    const std::string path = dir.file("t.txt");
    CStdioFile out;
    ASSERT_TRUE(out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    out.WriteString("one\ntwo\n");
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadFile(path), "one\r\ntwo\r\n");

    // CR LF, LF and CR alone each end one line; CRs before an LF are part of its line end.
    const struct {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb\nc", {"a", "b", "c"}},
        {"a\rb\rc\r", {"a", "b", "c"}},
        {"a\r\rb\n\nc", {"a", "", "b", "", "c"}},
        {"a\r\r\nb\n\r", {"a", "b", ""}},
        {"a\r\r\r\n\r\nb\r\r", {"a", "", "b", ""}},
        {"\r", {""}},
        {"", {}},
    };
    for (const auto& c : cases) {
        WriteFile(path, c.bytes);
        CStdioFile in;
        ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead | CFile::typeText));
        CString line;
        std::vector<std::string> lines;
        while (in.ReadString(line))
            lines.push_back(line.str());
        EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.bytes);
        in.SeekToBegin();
        EXPECT_EQ(in.ReadString(line), !c.lines.empty());
        if (!c.lines.empty()) {
            EXPECT_EQ(line.str(), c.lines.front());
        }
    }
}

TEST(StdioFileTest, AValueHoldingANulByteDoesNotCutItsLineShort)
{
    TempDir dir;
    const std::string path = dir.file("nul.txt");
    CStdioFile out;
    ASSERT_TRUE(out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    out.WriteString(CString(std::string("a\0b|\n", 5)));
    out.WriteString(CString("next\n"));
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadFile(path), std::string("a\0b|\r\nnext\r\n", 12));
}

TEST(StdioFileTest, OpenFailuresGiveTheCauseCode)
{
    TempDir dir;
    CFileException e;
    CStdioFile f;
    EXPECT_FALSE(f.Open(dir.file("missing.mv5").c_str(), CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(f.Open(dir.file("nodir/x.mv5").c_str(), CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::badPath);
    EXPECT_FALSE(f.Open(dir.file("nodir/x.mv5").c_str(), CFile::modeCreate | CFile::modeWrite, &e));
    EXPECT_EQ(e.m_cause, CFileException::badPath);
    EXPECT_FALSE(f.Open(dir.path().c_str(), CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::accessDenied);
    ASSERT_EQ(::mkfifo(dir.file("pipe.mv5").c_str(), 0600), 0);
    EXPECT_FALSE(f.Open(dir.file("pipe.mv5").c_str(), CFile::modeRead, &e)); // would block
    EXPECT_EQ(e.m_cause, CFileException::accessDenied);

    platform::MessageRecorder recorder;
    ShowCantOpenFile("/x/y.mv5", e);
    ASSERT_EQ(recorder.count(), 1);
    // Not the cause's number: a pipe is not a file that access could be granted to.
    EXPECT_EQ(recorder.last().text, "Can't open file /x/y.mv5: it is a folder, pipe or device, not a plain file.\n");
    EXPECT_EQ(recorder.last().caption, "Error");
}

TEST(StdioFileTest, AnUnfinishedWriteLeavesThePreviousFile)
{
    TempDir dir;
    const std::string path = dir.file("keep.mv5");
    WriteFile(path, "old\r\n");
    {
        CStdioFile out;
        ASSERT_TRUE(out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        out.WriteString("half");
        // destroyed without Close: abandoned
    }
    EXPECT_EQ(ReadFile(path), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(StdioFileTest, AFolderRemovedWhileWritingIsAFailureNotASuccess)
{
    TempDir dir;
    const std::string path = dir.file("t.mv5");
    CStdioFile out;
    ASSERT_TRUE(out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    out.WriteString("data\n");
    std::filesystem::remove_all(dir.path());
    EXPECT_FALSE(out.Close());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(MessagesTest, RecorderKeepsCaptionTextIconAndAnswers)
{
    platform::MessageRecorder recorder;
    recorder.setNextAnswer(IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Really exit Morvel?", "Warning", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox("Code MDB connetion fails!"), IDOK);
    ASSERT_EQ(recorder.count(), 2);
    EXPECT_EQ(recorder.messages()[1].caption, "Vehicle Impact Data Morvel");
    EXPECT_EQ(recorder.messages()[0].buttons(), MB_YESNO);
}
