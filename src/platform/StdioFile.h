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
//
// While a collector lives (a set of files, common/FileSet.h), Close() hands it each file written,
// synced and still locked under its temporary name, instead of putting it in place; a file that
// would be written in place keeps its new text there too, for the set to copy over it. Dead
// temporary files are kept while a commit record stands in their folder.

#include "platform/CString.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
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
    // 0, or the errno of the failure.
    int OpenForRead(UINT flags);
    int OpenForWrite();
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
    bool m_heldInPlace = false; // for a set: its temporary file is to be copied over the target
    int m_lastCause = CFileException::none;
};

namespace platform {
// The steps of a save, for tests that fail one or kill the program at one.
enum class FileStep { Write, Sync, Rename, FolderSync, Record, KeepOld, Cleanup, PutBack };
// Called before each step with the file it is about to touch; a non-zero errno fails the step as
// the system would. None outside tests.
using FileStepHook = std::function<int(FileStep step, const std::string& path)>;
void SetFileStepHook(FileStepHook hook);
// 0 to go on with the step, or the errno the hook fails it with.
int FileStepFault(FileStep step, const std::string& path);

// A file written and synced under its temporary name, waiting to be put in place with the other
// files of its set (common/FileSet.h).
struct WrittenFile {
    std::FILE* out;     // open: its lock holds until it is put in place
    std::string temp;   // the temporary file, beside the target
    std::string target; // the file to replace, links followed
    CString path;       // as the caller named it
    bool inPlace;       // its bytes go over the target's own (other names or another owner)
};
// What takes the files this thread writes instead of putting them in place at Close().
class FileCollector {
public:
    virtual ~FileCollector() = default;
    virtual void Take(WrittenFile file) = 0;
};
// Sets this thread's collector (none: files are put in place at Close()); the previous one.
FileCollector* SetFileCollector(FileCollector* collector);

// What the set's commit shares with the writer.
// The file `path` names, links followed (also a dangling last link): 0, or the errno.
int LinkTarget(const std::string& path, std::string& target);
std::string ParentFolder(const std::string& path);
// The mode of a new file: read and write for all less the umask.
unsigned NewFileMode();
// The program's own hidden files are a prefix and six letters or digits: a save's temporary file
// ".mv-XXXXXX", and a set's commit record ".mv-commit-XXXXXX" (".mv-undo-XXXXXX" while it puts
// back), under which dead temporary files are not removed.
inline constexpr std::string_view kTempPrefix = ".mv-";
inline constexpr std::string_view kCommitRecordPrefix = ".mv-commit-";
inline constexpr std::string_view kUndoRecordPrefix = ".mv-undo-";
// Whether `name` is `prefix` and six letters or digits.
bool IsOwnFileName(std::string_view name, std::string_view prefix);
// A new file named `prefix` and six letters or digits in the folder `dirFd`, the user's alone
// and locked: its descriptor and `name`, or -1 with errno.
int MakeLockedFileAt(int dirFd, std::string_view prefix, std::string& name);
// Renames `from` to `to` in the folder `dirFd` (AT_FDCWD: paths) unless `to` stands: 0, or the
// errno (EEXIST when taken).
int RenameNoReplaceAt(int dirFd, const std::string& from, const std::string& to);
// The names in the folder `dirFd`, read through a descriptor of its own; false when the folder
// cannot be read.
bool NamesInFolder(int dirFd, std::vector<std::string>& names);
// The whole of an open file; false on a read error.
bool ReadWhole(int fd, std::string& out);
// Makes the open file hold `bytes`, synced.
bool WriteWhole(int fd, const std::string& bytes);
} // namespace platform

// "Can't open file %s, error = %u\n" under "Error": the message of every reader and writer of
// the test-file family that cannot open its file. A file refused for its size says so instead.
void ShowCantOpenFile(const char* path, const CFileException& error);
// That message's text.
CString CantOpenFileText(const char* path, const CFileException& error);
