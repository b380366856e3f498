#pragma once
// Text files as the program's files are stored: written lines end in CR LF, reading takes CR LF,
// LF or CR alone as a line end (CRs before an LF are part of it) and drops it. A written file replaces the old one whole or not at all, also when the
// program is killed or the machine stops: the text goes to a temporary file beside it (".mv-"
// and six letters, locked while its save lives), synced, which Close() renames into place only
// when every byte was written; the folder is synced after. Every save removes from its folder
// the temporary files of saves that died (their lock is free).
//
// A symbolic link is followed: the file it names is replaced, in its own folder, and keeps its
// mode, owner and group. Where a new file could not keep them (another user's file), where the
// file has other names (hard links, which a replacement would part from it), or where the folder
// lets no new file be made, the file is written in place instead: its old text first goes,
// complete and synced, to "<name>.mv-backup" beside it, which is removed once the new text is
// synced; the old bytes are put back if the new ones cannot all be written. A backup left by an
// interrupted save is named to the user in a box at every load and save of the file, and kept.
// Where the folder takes no new file there can be no backup: such a file is written in place
// unguarded, as the only way to save it. A pipe, device or folder at the path is refused.

#include "platform/CString.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct stat;
namespace platform {
class MessageCap;
}

using UINT = unsigned int;
using BOOL = int;

class CFileException {
public:
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };
    int m_cause = none;
    long m_lOsError = 0;
    CString m_strFileName;

    // The framework's cause code for an errno value.
    static int CauseFromErrno(int err, const std::string& path);
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
};

class CStdioFile : public CFile {
public:
    // Out of line, as the destructor: the message cap is complete only in StdioFile.cpp.
    CStdioFile();
    ~CStdioFile();
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // Opens for reading (the whole file is taken in at once) or for writing (modeCreate |
    // modeWrite). On failure fills `error` with the cause code and returns FALSE. While a file is
    // open for reading, the problems shown about it are capped (platform::MessageCap).
    BOOL Open(const char* path, UINT flags, CFileException* error = nullptr);

    // Next line without its line end; FALSE at the end of the file.
    BOOL ReadString(CString& line);
    void SeekToBegin() { m_pos = 0; }

    // Writes the text, each "\n" as CR LF. The CString form writes every byte of the value, a
    // NUL included, so that no byte of a value can cut a line short.
    void WriteString(const char* text);
    void WriteString(const CString& text);

    // Ends the file. For a written file: true only when all text reached the disk and the file
    // stands under its name; on false the previous file, if any, is untouched.
    bool Close();
    // Drops a written file without touching the previous one.
    void Abort();

    bool IsOpen() const { return m_reading || m_out != nullptr || m_inPlace; }
    // The cause code of the last failure (open, write or close).
    int GetLastCause() const { return m_lastCause; }

    // The whole content of a file opened for reading.
    const std::string& Content() const { return m_content; }

    // Larger than any test, report or GR file can be: refused rather than read, so that a huge
    // file given by mistake cannot take the program's memory.
    static constexpr unsigned long long kMaxReadSize = 256ull << 20;

private:
    void WriteBytes(std::string_view text);
    bool OpenInPlace(const struct stat& st);
    bool CloseInPlace();

    CString m_path;
    bool m_reading = false;
    std::string m_content;
    size_t m_pos = 0;
    std::unique_ptr<platform::MessageCap> m_cap; // while reading: the file's boxes are capped

    std::FILE* m_out = nullptr;
    std::string m_tempPath;
    std::string m_target; // the file written: the path with its links followed
    bool m_inPlace = false;
    int m_inPlaceFd = -1;
    std::string m_newBytes; // in place: what the file is to hold
    bool m_writeFailed = false;
    int m_lastCause = CFileException::none;
};

// Files that belong together (a test and its companion files), replaced together or not at all.
// While a set lives, every file this thread writes by replacement is synced under its temporary
// name at Close(), still locked, and put in place only by Commit(), once all of them are written.
// A file of the set that cannot be written is not told at once: the set keeps the first such
// failure, its caller tells it once, with what it stopped, and Commit() then puts nothing in
// place. A set that ends without Commit() removes what it holds. Sets nest: the innermost one
// collects. A file written in place (see above) is not held back: it has no temporary file to
// wait in.
//
// Commit() is one step, also when the program is killed or a rename fails: a commit record
// (".mv-commit" in the folder of each file of the set, one commit at a time in a folder, locked
// while its commit runs) is written and synced, naming each temporary file, the file it replaces
// and a second name (".mv-old-" and six letters) that keeps the old file until the commit is
// done; then the renames, one folder sync, and the record and the old files' second names go. A
// rename that fails puts back what was replaced (the record is first renamed ".mv-undo", so that
// a kill then finishes the putting back). Whatever next opens a file of that folder, to read or
// to write, first finishes a commit that a kill left: a kill at any moment leaves the whole old
// set or the whole new one.
class CFileSet {
public:
    CFileSet();
    ~CFileSet();
    CFileSet(const CFileSet&) = delete;
    CFileSet& operator=(const CFileSet&) = delete;

    // Puts every file written into its place, all or none. False, and nothing replaced, when a
    // file of the set could not be written or could not be put in place; Failure() says which.
    bool Commit();

    // The first file of the set that could not be written or put in place, as "Can't open file
    // %s, error = %u\n" tells it; empty while none failed.
    const CString& Failure() const { return m_failure; }

    // A file that could not be written, kept by the set the thread writes into as its failure
    // (the first one only); false when no set lives, and the caller tells the failure itself.
    static bool NoteFailure(const char* path, const CFileException& error);

private:
    friend class CStdioFile;
    struct Held {
        std::FILE* out; // open, so that its lock holds until the rename
        std::string temp;
        std::string target;
        CString path;
    };
    void Discard();
    std::vector<Held> m_held;
    CString m_failure;
    CFileSet* m_outer;
};

namespace platform {
// The steps of a save, for tests that fail one or kill the program at one.
enum class FileStep { Write, Sync, Rename, FolderSync, Record, Link, Cleanup, PutBack };
// Called before each step with the file it is about to touch; a non-zero errno fails the step as
// the system would. None outside tests.
using FileStepHook = std::function<int(FileStep step, const std::string& path)>;
void SetFileStepHook(FileStepHook hook);
} // namespace platform

// "Can't open file %s, error = %u\n" under "Error": the message of every reader and writer of
// the test-file family that cannot open its file. A file refused for its size says so instead.
void ShowCantOpenFile(const char* path, const CFileException& error);
// That message's text.
CString CantOpenFileText(const char* path, const CFileException& error);
