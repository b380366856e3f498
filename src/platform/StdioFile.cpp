#include "platform/StdioFile.h"

#include "platform/Messages.h"
#include "platform/Path.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The set the files this thread writes now belong to, if any.
thread_local CFileSet* t_fileSet = nullptr;

std::string ParentDir(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The file a path names once its links are followed, also when the last link dangles (the file
// is then made where it points). 0, or the errno of the failure.
int ResolveLinks(const std::string& path, std::string& out)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            out = current;
            return 0;
        }
        std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n < 0)
            return errno;
        if (static_cast<size_t>(n) >= link.size())
            return ENAMETOOLONG;
        link.resize(static_cast<size_t>(n));
        current = link.front() == '/' ? link : ParentDir(current) + "/" + link;
    }
    return ELOOP;
}

platform::FileStepHook& StepHook()
{
    static platform::FileStepHook hook;
    return hook;
}

// 0 to go on with the step, or the errno a test makes it fail with.
int StepFault(platform::FileStep step, const std::string& path)
{
    const platform::FileStepHook& hook = StepHook();
    return hook ? hook(step, path) : 0;
}

void SyncFolder(const std::string& path)
{
    StepFault(platform::FileStep::FolderSync, path);
    const int fd = ::open(ParentDir(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// --- Temporary files -------------------------------------------------------------------------
// A save writes ".mv-" and six letters or digits (mkstemp's) beside its file, and holds an
// exclusive flock on it for as long as it lives. A save that was killed leaves the file with its
// lock free, which is how a later save knows it may remove it.

constexpr char kTempPrefix[] = ".mv-";
constexpr size_t kTempSuffixLength = 6;

bool IsTempName(std::string_view name)
{
    const size_t prefix = sizeof kTempPrefix - 1;
    if (name.size() != prefix + kTempSuffixLength || name.substr(0, prefix) != kTempPrefix)
        return false;
    return std::all_of(name.begin() + prefix, name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// A new temporary file in `folder`, locked; its descriptor, or -1 with errno.
int MakeLockedTemp(const std::string& folder, std::string& path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = folder + "/" + kTempPrefix + std::string(kTempSuffixLength, 'X');
        const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK) {
                // A file system without locks: no later save can take the file for a dead one.
                path = temp;
                return fd;
            }
            ::close(fd); // another save is removing it as a dead save's
            continue;
        }
        // Between mkstemp and flock another save may have taken the unlocked file for a dead
        // save's and removed it: the file must still stand under its name.
        struct stat mine {}, named {};
        if (::fstat(fd, &mine) == 0 && ::lstat(temp.c_str(), &named) == 0 && SameFile(mine, named)) {
            path = temp;
            return fd;
        }
        ::close(fd);
    }
    errno = EAGAIN;
    return -1;
}

// One commit at a time in a folder: its record has a fixed name, so that an open finds an
// interrupted commit with a look at two names, not a read of the folder.
constexpr char kCommitName[] = ".mv-commit";
constexpr char kUndoName[] = ".mv-undo";
constexpr char kOldPrefix[] = ".mv-old-";

// Whether a commit record stands in `folder`: the temporary files it names are the only copy of
// a set's new files until it is finished, whether their save died or not.
bool Exists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool HasCommitRecord(const std::string& folder)
{
    return Exists(folder + "/" + kCommitName) || Exists(folder + "/" + kUndoName);
}

// Removes the temporary files of saves that died in `folder`: regular files of the program's
// own temporary name whose lock is free, unless a commit record may still need them. A link, a
// pipe, a device or a folder of that name is never opened or followed.
void RemoveDeadTemps(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (!IsTempName(name) || (entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN))
            continue;
        struct stat named {};
        if (::fstatat(dirFd, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode))
            continue;
        const int fd = ::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened {}, still {};
        // Removed under the lock, and only the file that was locked.
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dirFd, name, &still, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, still) &&
            !HasCommitRecord(folder))
            ::unlinkat(dirFd, name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

// --- Backups of in-place saves ---------------------------------------------------------------
// Before a file is written in place, what it held is saved complete beside it under
// "<name>.mv-backup" (or "<name>.mv-backup-2", ... while older ones are kept), locked while its
// save lives and removed when the save has ended. One found with its lock free is the only
// whole copy of the file from a save that was interrupted: it is named to the user and kept.

constexpr char kBackupSuffix[] = ".mv-backup";
constexpr size_t kNameMax = 255;
constexpr int kMaxBackups = 99;

// The backup name of a file named `name`: the name itself where it fits, else its start and a
// hash of the whole, so that a file whose name is near the limit still gets a backup.
std::string BackupStem(const std::string& name)
{
    const size_t room = kNameMax - (sizeof kBackupSuffix - 1) - 3; // "-NN"
    if (name.size() <= room)
        return name + kBackupSuffix;
    unsigned long long hash = 14695981039346656037ull;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", hash);
    return name.substr(0, room - 17) + "-" + hex + kBackupSuffix;
}

std::string BackupName(const std::string& stem, int number)
{
    return number == 1 ? stem : stem + "-" + std::to_string(number);
}

bool IsBackupName(std::string_view name, const std::string& stem)
{
    if (name.substr(0, stem.size()) != stem)
        return false;
    const std::string_view rest = name.substr(stem.size());
    return rest.empty() || (rest.size() > 1 && rest.front() == '-' &&
                            std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

// The backups of interrupted saves of `target` (links followed), newest first.
std::vector<std::string> LeftBackups(const std::string& target)
{
    const std::string folder = ParentDir(target);
    const std::string stem = BackupStem(BaseName(target));
    std::vector<std::pair<timespec, std::string>> found;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return {};
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (!IsBackupName(name, stem))
            continue;
        struct stat st {};
        if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        // A backup whose save still runs (in another window or program) is not a left one.
        const int fd = ::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        const bool live = fd >= 0 && ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        if (fd >= 0)
            ::close(fd);
        if (!live)
            found.emplace_back(st.st_mtim, folder + "/" + name);
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        if (a.first.tv_sec != b.first.tv_sec)
            return a.first.tv_sec > b.first.tv_sec;
        if (a.first.tv_nsec != b.first.tv_nsec)
            return a.first.tv_nsec > b.first.tv_nsec;
        return a.second < b.second;
    });
    std::vector<std::string> paths;
    for (auto& item : found)
        paths.push_back(std::move(item.second));
    return paths;
}

// One box naming the backups that interrupted saves left of `path`, if there are any.
void ShowLeftBackups(const std::string& path, const std::string& target)
{
    const std::vector<std::string> backups = LeftBackups(target);
    if (backups.empty())
        return;
    std::string text;
    if (backups.size() == 1) {
        text = backups.front() + " holds " + path +
               " as it was before a save that was interrupted. If " + path +
               " is incomplete, recover it from this copy. The copy is kept until you delete it.";
    } else {
        text = "These files hold " + path + " as it was before saves that were interrupted, the newest first:\n";
        for (const std::string& backup : backups)
            text += backup + "\n";
        text += "If " + path + " is incomplete, recover it from the newest copy. The copies are kept until you delete them.";
    }
    MessageBoxA(nullptr, text.c_str(), "Warning", MB_OK | MB_ICONWARNING);
}

// Renames `from` to `to` unless `to` exists: 0, or the errno (EEXIST when taken).
int RenameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    // A file system without the no-replace rename: a second name, then the first dropped.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP)
        return errno;
    // Nor hard links (FAT): a look first; only another save of the same file could race it.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0)
        return EEXIST;
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool WriteAllAt(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

bool ReadAllAt(int fd, std::string& out)
{
    out.clear();
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::pread(fd, chunk, sizeof chunk, static_cast<off_t>(out.size()));
        if (n > 0)
            out.append(chunk, static_cast<size_t>(n));
        else if (n == 0)
            return true;
        else if (errno != EINTR)
            return false;
    }
}

// Writes `old` complete and synced to a backup beside `target`, locked by the descriptor
// returned (-1 with errno on failure; nothing is left then but a temporary file that the next
// save removes).
int WriteBackup(const std::string& target, const std::string& old, const struct stat& st, std::string& backup)
{
    const std::string folder = ParentDir(target);
    std::string temp;
    const int fd = MakeLockedTemp(folder, temp);
    if (fd < 0)
        return -1;
    // Readable by whom the file was, no more.
    ::fchmod(fd, st.st_mode & 0666);
    (void)::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
    int err = 0;
    if (!WriteAll(fd, old) || ::fsync(fd) != 0) {
        err = errno ? errno : EIO;
    } else {
        // Named as a backup only once complete, so that no backup is ever a part of the file.
        const std::string stem = folder + "/" + BackupStem(BaseName(target));
        err = EEXIST;
        for (int number = 1; number <= kMaxBackups && err == EEXIST; ++number) {
            backup = BackupName(stem, number);
            err = RenameNoReplace(temp, backup);
        }
    }
    if (err) {
        ::unlink(temp.c_str());
        ::close(fd);
        backup.clear();
        errno = err;
        return -1;
    }
    SyncFolder(backup);
    return fd;
}

// --- Commits of file sets -------------------------------------------------------------------
// A commit record names, for each file of a set, its temporary file, the file it replaces and
// the second name that keeps the old file meanwhile (none where there was no file), and the
// records of the same commit in other folders. It is written whole under a temporary name and
// only then named ".mv-commit", so a record is never a part of one. Each value is written as
// its length, ':', its bytes and a line end, so that no file name can break it.

struct CommitEntry {
    std::string temp;
    std::string target;
    std::string old; // empty: the commit makes the file
};

struct CommitRecord {
    std::vector<std::string> records; // under their ".mv-commit" names
    std::vector<CommitEntry> entries;
};

constexpr char kRecordMagic[] = "MVCOMMIT1";

std::string EncodeRecord(const CommitRecord& record)
{
    std::string out;
    auto put = [&out](const std::string& value) { out += std::to_string(value.size()) + ":" + value + "\n"; };
    put(kRecordMagic);
    put(std::to_string(record.records.size()));
    for (const std::string& path : record.records)
        put(path);
    put(std::to_string(record.entries.size()));
    for (const CommitEntry& entry : record.entries) {
        put(entry.temp);
        put(entry.target);
        put(entry.old);
    }
    put("END");
    return out;
}

bool DecodeRecord(const std::string& text, CommitRecord& record)
{
    size_t pos = 0;
    auto get = [&](std::string& value) {
        const size_t colon = text.find(':', pos);
        if (colon == std::string::npos || colon == pos || colon - pos > 8)
            return false;
        size_t length = 0;
        for (size_t i = pos; i < colon; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return false;
            length = length * 10 + static_cast<size_t>(text[i] - '0');
        }
        if (length >= text.size() - colon - 1 || text[colon + 1 + length] != '\n')
            return false;
        value = text.substr(colon + 1, length);
        pos = colon + 2 + length;
        return true;
    };
    auto count = [&](size_t& n) {
        std::string value;
        if (!get(value) || value.empty() || value.size() > 4)
            return false;
        n = std::stoul(value);
        return true;
    };
    std::string value;
    size_t records = 0, entries = 0;
    if (!get(value) || value != kRecordMagic || !count(records))
        return false;
    record.records.resize(records);
    for (std::string& path : record.records) {
        if (!get(path))
            return false;
    }
    if (!count(entries))
        return false;
    record.entries.resize(entries);
    for (CommitEntry& entry : record.entries) {
        if (!get(entry.temp) || !get(entry.target) || !get(entry.old))
            return false;
    }
    return get(value) && value == "END" && pos == text.size();
}

std::string UndoName(const std::string& record) { return ParentDir(record) + "/" + kUndoName; }

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    return ::lstat(a.c_str(), &sa) == 0 && ::lstat(b.c_str(), &sb) == 0 && SameFile(sa, sb);
}

void SyncFolders(const CommitRecord& record)
{
    for (const std::string& path : record.records)
        SyncFolder(path);
}

void RemoveRecords(const CommitRecord& record)
{
    for (const std::string& path : record.records) {
        StepFault(platform::FileStep::Cleanup, path);
        ::unlink(path.c_str());
        ::unlink(UndoName(path).c_str());
    }
}

// Puts every file of the record in place that is not yet, syncs, then drops the old files' second
// names and the records. 0, or the errno of the rename that failed (`failed`: its file), which
// leaves everything for the putting back.
int FinishForward(const CommitRecord& record, std::string& failed)
{
    for (const CommitEntry& entry : record.entries) {
        if (!Exists(entry.temp))
            continue; // put in place before a kill
        int err = StepFault(platform::FileStep::Rename, entry.target);
        if (!err && std::rename(entry.temp.c_str(), entry.target.c_str()) != 0)
            err = errno ? errno : EIO;
        if (err) {
            failed = entry.target;
            return err;
        }
    }
    SyncFolders(record);
    for (const CommitEntry& entry : record.entries) {
        if (!entry.old.empty()) {
            StepFault(platform::FileStep::Cleanup, entry.old);
            ::unlink(entry.old.c_str());
        }
    }
    RemoveRecords(record);
    return 0;
}

// Puts back every old file the record's renames replaced and removes the new files it made.
// The records are first renamed as ones to put back, so that a kill now finishes that instead;
// each step may be run again after a kill. False when an old file could not be put back: the
// record then stays, with the old file under its second name, for the next try.
bool PutBack(const CommitRecord& record)
{
    for (const std::string& path : record.records) {
        if (Exists(path))
            ::rename(path.c_str(), UndoName(path).c_str());
    }
    SyncFolders(record);
    bool whole = true;
    for (const CommitEntry& entry : record.entries) {
        StepFault(platform::FileStep::PutBack, entry.target);
        const bool tempThere = Exists(entry.temp);
        if (!entry.old.empty() && Exists(entry.old)) {
            if (tempThere && SameFile(entry.old, entry.target))
                ::unlink(entry.old.c_str()); // never replaced
            else if (std::rename(entry.old.c_str(), entry.target.c_str()) != 0)
                whole = false;
        } else if (entry.old.empty() && !tempThere) {
            ::unlink(entry.target.c_str()); // made by the commit
        }
        if (tempThere)
            ::unlink(entry.temp.c_str());
    }
    SyncFolders(record);
    if (whole)
        RemoveRecords(record);
    return whole;
}

// Finishes, in `folder`, a commit that a kill interrupted: its record is free of a live commit's
// lock. With `wait`, a live commit is waited for. A record that cannot be read is left as it is.
void FinishCommits(const std::string& folder, bool wait = false)
{
    for (const char* name : {kCommitName, kUndoName}) {
        const std::string path = folder + "/" + name;
        struct stat named {};
        if (::lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode))
            continue;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {}, still {};
        std::string text;
        CommitRecord record;
        // Only the record that was locked, should the live commit have ended meanwhile.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size < (1 << 20) &&
            ::flock(fd, wait ? LOCK_EX : LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &still) == 0 &&
            SameFile(st, still) && ReadAllAt(fd, text) && DecodeRecord(text, record)) {
            std::string failed;
            if (std::string_view(name) == kUndoName || FinishForward(record, failed) != 0)
                PutBack(record);
        }
        ::close(fd);
    }
}

// Writes the record in each of its folders, synced and locked by the descriptors it adds to
// `locks`: 0, or the errno (nothing is left then). A commit of another save in one of the
// folders is waited for; the folders are taken in the order of their names, so that two sets
// over the same folders cannot wait for each other.
int WriteRecords(const CommitRecord& record, std::vector<int>& locks)
{
    const std::string text = EncodeRecord(record);
    std::vector<std::string> paths = record.records;
    std::sort(paths.begin(), paths.end());
    std::vector<std::string> made;
    auto undo = [&](int err) {
        for (const std::string& path : made)
            ::unlink(path.c_str());
        for (const int fd : locks)
            ::close(fd);
        locks.clear();
        return err;
    };
    for (const std::string& path : paths) {
        std::string temp;
        const int fd = MakeLockedTemp(ParentDir(path), temp);
        if (fd < 0)
            return undo(errno);
        int err = StepFault(platform::FileStep::Record, path);
        if (!err && (!WriteAll(fd, text) || ::fsync(fd) != 0))
            err = errno ? errno : EIO;
        for (int attempt = 0; !err; ++attempt) {
            err = RenameNoReplace(temp, path);
            if (err != EEXIST || attempt == 100)
                break;
            FinishCommits(ParentDir(path), true);
            err = 0;
        }
        if (err) {
            ::unlink(temp.c_str());
            ::close(fd);
            return undo(err);
        }
        made.push_back(path);
        locks.push_back(fd);
    }
    return 0;
}

// The folder of `path` as an absolute path, links followed, so that a record holds the same
// paths whichever folder the program that finishes it runs in.
std::string AbsoluteFolder(const std::string& path)
{
    char* real = ::realpath(ParentDir(path).c_str(), nullptr);
    if (!real)
        return ParentDir(path);
    std::string folder = real;
    std::free(real);
    return folder == "/" ? std::string() : folder;
}

} // namespace

int CFileException::CauseFromErrno(int err, const std::string& path)
{
    switch (err) {
    case 0:
        return none;
    case ENOENT:
        // A missing folder on the way is a bad path; a missing file in an existing folder is
        // a file not found.
        return IsDirectory(ParentDir(path)) ? fileNotFound : badPath;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return badPath;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case ENODEV: // not a plain file (a folder, pipe or device): see Open
        return accessDenied;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case ENOSPC:
    case EDQUOT:
        return diskFull;
    case EIO:
        return hardIO;
    default:
        return genericException;
    }
}

CStdioFile::CStdioFile() = default;

CStdioFile::~CStdioFile()
{
    if (IsOpen())
        Abort();
}

BOOL CStdioFile::Open(const char* path, UINT flags, CFileException* error)
{
    if (IsOpen())
        Abort();
    m_path = path ? path : "";
    m_reading = false;
    m_content.clear();
    m_pos = 0;
    m_writeFailed = false;
    m_lastCause = CFileException::none;

    auto fail = [&](int err) {
        m_lastCause = CFileException::CauseFromErrno(err, m_path.str());
        if (m_lastCause == CFileException::none)
            m_lastCause = CFileException::genericException;
        if (error) {
            error->m_cause = m_lastCause;
            error->m_lOsError = err;
            error->m_strFileName = m_path;
        }
        return FALSE;
    };

    const std::string p = m_path.str();
    if (p.empty())
        return fail(ENOENT);

    const bool writing = (flags & (modeWrite | modeReadWrite)) != 0;
    if (!writing) {
        // Before the file's own problems: what an interrupted save left of it.
        std::string target;
        const std::string& named = ResolveLinks(p, target) == 0 ? target : p;
        FinishCommits(ParentDir(named));
        ShowLeftBackups(p, named);
        // Only plain files: a pipe or a device named like a test file would block the program.
        struct stat st {};
        if (::stat(p.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            return fail(ENODEV);
        if (static_cast<unsigned long long>(st.st_size) > kMaxReadSize)
            return fail(EFBIG);
        std::FILE* in = std::fopen(p.c_str(), "rb");
        if (!in)
            return fail(errno);
        char buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
            m_content.append(buffer, n);
        const bool bad = std::ferror(in);
        std::fclose(in);
        if (bad) {
            m_content.clear();
            return fail(EIO);
        }
        // Text mode ends the text at a Ctrl-Z, as older files written on DOS and Windows expect.
        if (!(flags & typeBinary)) {
            const size_t eof = m_content.find('\x1a');
            if (eof != std::string::npos)
                m_content.resize(eof);
        }
        m_reading = true;
        m_cap = std::make_unique<platform::MessageCap>(p);
        return TRUE;
    }

    // Writing. A link is followed to the file it names, which is replaced in its own folder.
    std::string target;
    const int linkErr = ResolveLinks(p, target);
    if (linkErr)
        return fail(linkErr);
    const std::string folder = ParentDir(target);
    // Before the file is looked at: a set whose commit a kill interrupted is put in place whole.
    FinishCommits(folder);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    // A folder, a pipe or a device is not a test file: writing to it would hang or go nowhere.
    if (exists && !S_ISREG(st.st_mode))
        return fail(ENODEV);
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return fail(EACCES);
    m_target = target;
    m_inPlace = false;
    RemoveDeadTemps(folder);
    if (exists)
        ShowLeftBackups(p, target);

    // A short temporary name, so that a name near the length limit can still be saved.
    std::string temp;
    const int fd = MakeLockedTemp(folder, temp);
    if (fd < 0) {
        const int err = errno;
        // A writable file in a folder where nothing new can be made is written in place.
        if (!exists)
            return fail(err);
        return OpenInPlace(st) ? TRUE : fail(errno ? errno : EACCES);
    }
    if (exists) {
        ::fchmod(fd, st.st_mode & 07777);
        // The owner and group stay as they were where the program may set them; where it may
        // not, or where other names (hard links) share the file, a new file would change what
        // the user sees, so the file is written in place.
        if (::fchown(fd, st.st_uid, st.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
        struct stat made {};
        const bool same = ::fstat(fd, &made) == 0 && made.st_uid == st.st_uid && made.st_gid == st.st_gid &&
                          (made.st_mode & 07777) == (st.st_mode & 07777);
        if (!same || st.st_nlink > 1) {
            ::unlink(temp.c_str());
            ::close(fd);
            return OpenInPlace(st) ? TRUE : fail(errno ? errno : EACCES);
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    m_out = ::fdopen(fd, "wb");
    if (!m_out) {
        const int err = errno;
        ::unlink(temp.c_str());
        ::close(fd);
        return fail(err);
    }
    m_tempPath = temp;
    return TRUE;
}

bool CStdioFile::OpenInPlace(const struct stat& st)
{
    // The file is read at Close(), to be kept in a backup and put back should the new text not
    // all reach the disk; one too large to be held is refused now.
    errno = 0;
    if (static_cast<unsigned long long>(st.st_size) > kMaxReadSize) {
        errno = EFBIG;
        return false;
    }
    const int fd = ::open(m_target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    m_inPlaceFd = fd;
    m_inPlace = true;
    m_newBytes.clear();
    return true;
}

BOOL CStdioFile::ReadString(CString& line)
{
    if (!m_reading || m_pos >= m_content.size())
        return FALSE;
    // CR LF, LF and CR alone each end a line: a file saved by a program that ends its lines with
    // CR alone must not read as one line holding the whole test. CRs before an LF belong to its
    // line end, as CR CR LF is CR LF converted once more.
    const size_t end = m_content.find_first_of("\r\n", m_pos);
    if (end == std::string::npos) {
        line = CString(std::string_view(m_content).substr(m_pos));
        m_pos = m_content.size();
        return TRUE;
    }
    line = CString(std::string_view(m_content).substr(m_pos, end - m_pos));
    const size_t afterCrs = m_content.find_first_not_of('\r', end);
    m_pos = afterCrs != std::string::npos && m_content[afterCrs] == '\n' ? afterCrs + 1 : end + 1;
    return TRUE;
}

void CStdioFile::WriteString(const char* text)
{
    if (text)
        WriteBytes(text);
}

void CStdioFile::WriteString(const CString& text) { WriteBytes(text.str()); }

void CStdioFile::WriteBytes(std::string_view text)
{
    if (!m_inPlace && (!m_out || m_writeFailed))
        return;
    auto put = [&](const char* bytes, size_t len) {
        if (m_inPlace)
            m_newBytes.append(bytes, len);
        else if (len && std::fwrite(bytes, 1, len, m_out) != len)
            m_writeFailed = true;
    };
    size_t start = 0;
    while (start < text.size()) {
        const size_t nl = text.find('\n', start);
        put(text.data() + start, (nl == std::string_view::npos ? text.size() : nl) - start);
        if (nl == std::string_view::npos)
            break;
        put("\r\n", 2);
        start = nl + 1;
    }
    if (m_writeFailed)
        m_lastCause = CFileException::CauseFromErrno(errno, m_path.str());
}

bool CStdioFile::Close()
{
    if (m_reading) {
        m_reading = false;
        m_content.clear();
        m_pos = 0;
        m_cap.reset();
        return true;
    }
    if (m_inPlace)
        return CloseInPlace();
    if (!m_out)
        return true;
    bool ok = !m_writeFailed;
    int err = 0;
    if (ok && (err = StepFault(platform::FileStep::Write, m_target)) != 0)
        ok = false;
    if (ok && std::fflush(m_out) != 0) {
        ok = false;
        err = errno;
    }
    if (ok && (err = StepFault(platform::FileStep::Sync, m_target)) != 0)
        ok = false;
    if (ok && ::fsync(::fileno(m_out)) != 0) {
        ok = false;
        err = errno;
    }
    // A file of a set waits, synced and locked, until the set puts all of its files in place.
    if (ok && t_fileSet) {
        t_fileSet->m_held.push_back({m_out, m_tempPath, m_target, m_path});
        m_out = nullptr;
        m_tempPath.clear();
        return true;
    }
    // Renamed while its lock is held, so that no other save takes it for a dead one's. Once its
    // bytes are synced, closing it can lose nothing.
    if (ok && (err = StepFault(platform::FileStep::Rename, m_target)) != 0)
        ok = false;
    if (ok && std::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (ok)
        SyncFolder(m_target);
    else
        ::unlink(m_tempPath.c_str());
    std::fclose(m_out);
    m_out = nullptr;
    if (!ok) {
        if (err)
            m_lastCause = CFileException::CauseFromErrno(err, m_path.str());
        if (m_lastCause == CFileException::none)
            m_lastCause = CFileException::hardIO;
    }
    m_tempPath.clear();
    return ok;
}

CFileSet::CFileSet() : m_outer(t_fileSet) { t_fileSet = this; }

CFileSet::~CFileSet()
{
    Discard();
    t_fileSet = m_outer;
}

void CFileSet::Discard()
{
    for (const Held& held : m_held) {
        ::unlink(held.temp.c_str());
        std::fclose(held.out);
    }
    m_held.clear();
}

bool CFileSet::NoteFailure(const char* path, const CFileException& error)
{
    if (!t_fileSet)
        return false;
    if (t_fileSet->m_failure.IsEmpty())
        t_fileSet->m_failure = CantOpenFileText(path, error);
    return true;
}

bool CFileSet::Commit()
{
    if (!m_failure.IsEmpty() || m_held.empty()) {
        Discard();
        return m_failure.IsEmpty();
    }
    CommitRecord record;
    for (const Held& held : m_held) {
        const std::string folder = AbsoluteFolder(held.target);
        CommitEntry entry {folder + "/" + BaseName(held.temp), folder + "/" + BaseName(held.target), {}};
        struct stat st {};
        if (::lstat(entry.target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            entry.old = folder + "/" + kOldPrefix + BaseName(held.temp).substr(sizeof kTempPrefix - 1);
        const std::string name = folder + "/" + kCommitName;
        if (std::find(record.records.begin(), record.records.end(), name) == record.records.end())
            record.records.push_back(name);
        record.entries.push_back(std::move(entry));
    }
    auto failWith = [this](int err, const std::string& target) {
        const auto held = std::find_if(m_held.begin(), m_held.end(), [&](const Held& h) { return BaseName(h.target) == BaseName(target); });
        const CString path = held == m_held.end() ? CString(target) : held->path;
        CFileException error;
        error.m_lOsError = err;
        error.m_cause = CFileException::CauseFromErrno(err, path.str());
        m_failure = CantOpenFileText(path.GetString(), error);
        Discard();
        return false;
    };

    std::vector<int> locks;
    if (const int err = WriteRecords(record, locks))
        return failWith(err, record.entries.front().target);
    auto unlock = [&locks] {
        for (const int fd : locks)
            ::close(fd);
    };
    // The old files keep a second name until the commit is done, to be put back from. A file
    // system without hard links keeps none: a kill is still survived, a failed rename is not
    // undone there.
    for (const CommitEntry& entry : record.entries) {
        if (entry.old.empty())
            continue;
        ::unlink(entry.old.c_str());
        int err = StepFault(platform::FileStep::Link, entry.old);
        if (!err && ::link(entry.target.c_str(), entry.old.c_str()) != 0)
            err = errno;
        if (err && err != EPERM && err != ENOTSUP && err != EOPNOTSUPP && err != EMLINK) {
            for (const CommitEntry& made : record.entries) {
                if (!made.old.empty())
                    ::unlink(made.old.c_str());
            }
            RemoveRecords(record);
            unlock();
            return failWith(err, entry.target);
        }
    }
    SyncFolders(record);
    // Every rename while every lock is held: no other save takes one of them for a dead one's.
    std::string failed;
    const int err = FinishForward(record, failed);
    if (err)
        PutBack(record);
    unlock();
    if (err)
        return failWith(err, failed);
    for (const Held& held : m_held)
        std::fclose(held.out);
    m_held.clear();
    return true;
}

bool CStdioFile::CloseInPlace()
{
    // What the file held goes first, complete and synced, to a backup beside it; then the file
    // is written and synced; then the backup goes. A crash at any moment leaves the old or the
    // new text in the file, or the old one in the backup, which the next load names.
    std::string old;
    std::string backup;
    int backupFd = -1;
    struct stat st {};
    bool ok = !m_writeFailed && ::fstat(m_inPlaceFd, &st) == 0 && ReadAllAt(m_inPlaceFd, old);
    if (ok) {
        backupFd = WriteBackup(m_target, old, st, backup);
        // A folder that takes no new file holds no backup either: the file can only be written
        // as before, unguarded against a crash, its old text put back on a failed write.
        if (backupFd < 0 && errno != EACCES && errno != EPERM && errno != EROFS)
            ok = false;
    }
    bool written = false;
    if (ok) {
        ok = WriteAllAt(m_inPlaceFd, m_newBytes);
        written = true;
    }
    const int err = errno;
    bool keepBackup = false;
    // Whatever part of the new text reached the file, the old text goes back; should that fail
    // too, the backup is all that holds it, and stays.
    if (!ok && written && !WriteAllAt(m_inPlaceFd, old))
        keepBackup = true;
    if (backupFd >= 0) {
        if (!keepBackup) {
            ::unlink(backup.c_str());
            SyncFolder(backup);
        }
        ::close(backupFd);
    }
    if (!ok) {
        m_lastCause = CFileException::CauseFromErrno(err, m_path.str());
        if (m_lastCause == CFileException::none)
            m_lastCause = CFileException::hardIO;
    }
    ::close(m_inPlaceFd);
    m_inPlaceFd = -1;
    m_inPlace = false;
    std::string().swap(m_newBytes);
    return ok;
}

void CStdioFile::Abort()
{
    if (m_inPlace) {
        // Nothing has been written to the file yet: the new text waits for Close().
        ::close(m_inPlaceFd);
        m_inPlaceFd = -1;
        m_inPlace = false;
        std::string().swap(m_newBytes);
    }
    if (m_out) {
        ::unlink(m_tempPath.c_str());
        std::fclose(m_out);
        m_out = nullptr;
        m_tempPath.clear();
    }
    m_reading = false;
    m_content.clear();
    m_pos = 0;
    m_cap.reset();
}

CString CantOpenFileText(const char* path, const CFileException& error)
{
    const CString name = PathForMessage(path ? path : "");
    CString text;
    if (error.m_lOsError == EFBIG)
        text.Format("Can't open file %s: it is larger than %llu MB, more than any test file holds.\n", name.GetString(),
                    CStdioFile::kMaxReadSize >> 20);
    else if (error.m_lOsError == ENODEV)
        text.Format("Can't open file %s: it is a folder, pipe or device, not a plain file.\n", name.GetString());
    else
        text.Format("Can't open file %s, error = %u\n", name.GetString(), static_cast<unsigned>(error.m_cause));
    return text;
}

void platform::SetFileStepHook(FileStepHook hook) { StepHook() = std::move(hook); }

void ShowCantOpenFile(const char* path, const CFileException& error)
{
    MessageBoxA(nullptr, CantOpenFileText(path, error), "Error", MB_OK);
}
