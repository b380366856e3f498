#include "platform/StdioFile.h"

#include "platform/Messages.h"
#include "platform/Path.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
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

// What collects the files this thread writes, while a set of them lives.
thread_local platform::FileCollector* t_collector = nullptr;

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

constexpr size_t kTempSuffixLength = 6;

bool IsTempName(std::string_view name) { return platform::IsOwnFileName(name, platform::kTempPrefix); }

// A new file "<prefix>" and six letters or digits in the folder `dirFd`, made only where no
// file of that name stands, readable by the owner alone and locked; its descriptor (its name in
// `name`), or -1 with errno.
int MakeLockedFileAt(int dirFd, std::string_view prefix, std::string& name)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static thread_local unsigned long long seed =
        static_cast<unsigned long long>(::getpid()) * 6364136223846793005ull ^ reinterpret_cast<uintptr_t>(&name);
    for (int attempt = 0; attempt < 100; ++attempt) {
        timespec now {};
        ::clock_gettime(CLOCK_REALTIME, &now);
        seed = seed * 6364136223846793005ull + 1442695040888963407ull + static_cast<unsigned long long>(now.tv_nsec);
        std::string candidate(prefix);
        unsigned long long bits = seed >> 16;
        for (size_t i = 0; i < kTempSuffixLength; ++i, bits /= 62)
            candidate += kLetters[bits % 62];
        const int fd = ::openat(dirFd, candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK) {
                // A file system without locks: no later save can take the file for a dead one.
                name = candidate;
                return fd;
            }
            ::close(fd); // another save is removing it as a dead save's
            continue;
        }
        // Between its making and the lock another save may have taken the unlocked file for a
        // dead save's and removed it: the file must still stand under its name.
        struct stat mine {}, named {};
        if (::fstat(fd, &mine) == 0 && ::fstatat(dirFd, candidate.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(mine, named)) {
            name = candidate;
            return fd;
        }
        ::close(fd);
    }
    errno = EAGAIN;
    return -1;
}

// A new temporary file in `folder`, locked; its descriptor, or -1 with errno.
int MakeLockedTemp(const std::string& folder, std::string& path)
{
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return -1;
    std::string name;
    const int fd = MakeLockedFileAt(dirFd, platform::kTempPrefix, name);
    const int err = errno;
    ::close(dirFd);
    if (fd >= 0)
        path = folder + "/" + name;
    errno = err;
    return fd;
}

// Whether a commit record stands in the folder: the temporary files it names are the only copy
// of a set's new files until it is finished, whether their save died or not.
bool IsRecordName(std::string_view name)
{
    return name.starts_with(platform::kCommitRecordPrefix) || name.starts_with(platform::kUndoRecordPrefix);
}

bool HasCommitRecord(int dirFd)
{
    std::vector<std::string> names;
    if (!platform::NamesInFolder(dirFd, names))
        return true; // unknown: nothing is removed
    return std::any_of(names.begin(), names.end(), [](const std::string& name) { return IsRecordName(name); });
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
    const bool recordStands = HasCommitRecord(dirFd);
    ::rewinddir(dir);
    if (recordStands) {
        ::closedir(dir);
        return;
    }
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
            ::fstatat(dirFd, name, &still, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, still))
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

int RenameNoReplaceAt(int dirFd, const std::string& from, const std::string& to)
{
    if (::renameat2(dirFd, from.c_str(), dirFd, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    // A file system without the no-replace rename: a second name, then the first dropped.
    if (::linkat(dirFd, from.c_str(), dirFd, to.c_str(), 0) == 0) {
        ::unlinkat(dirFd, from.c_str(), 0);
        return 0;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP)
        return errno;
    // Nor hard links (FAT): a look first; only another save of the same file could race it.
    struct stat st {};
    if (::fstatat(dirFd, to.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    return ::renameat(dirFd, from.c_str(), dirFd, to.c_str()) == 0 ? 0 : errno;
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
            err = RenameNoReplaceAt(AT_FDCWD, temp, backup);
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
    m_heldInPlace = false;
    m_lastCause = CFileException::none;
    const int err = m_path.IsEmpty() ? ENOENT
                    : (flags & (modeWrite | modeReadWrite)) != 0 ? OpenForWrite()
                                                                 : OpenForRead(flags);
    if (err == 0)
        return TRUE;
    m_lastCause = CFileException::CauseFromErrno(err, m_path.str());
    if (m_lastCause == CFileException::none)
        m_lastCause = CFileException::genericException;
    if (error) {
        error->m_cause = m_lastCause;
        error->m_lOsError = err;
        error->m_strFileName = m_path;
    }
    return FALSE;
}

int CStdioFile::OpenForRead(UINT flags)
{
    const std::string p = m_path.str();
    // Before the file's own problems: what an interrupted save left of it.
    std::string target;
    ShowLeftBackups(p, ResolveLinks(p, target) == 0 ? target : p);
    // Only plain files: a pipe or a device named like a test file would block the program.
    struct stat st {};
    if (::stat(p.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return ENODEV;
    if (static_cast<unsigned long long>(st.st_size) > kMaxReadSize)
        return EFBIG;
    std::FILE* in = std::fopen(p.c_str(), "rb");
    if (!in)
        return errno;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        m_content.append(buffer, n);
    const bool bad = std::ferror(in);
    std::fclose(in);
    if (bad) {
        m_content.clear();
        return EIO;
    }
    // Text mode ends the text at a Ctrl-Z, as older files written on DOS and Windows expect.
    if (!(flags & typeBinary)) {
        const size_t eof = m_content.find('\x1a');
        if (eof != std::string::npos)
            m_content.resize(eof);
    }
    m_reading = true;
    m_cap = std::make_unique<platform::MessageCap>(p);
    return 0;
}

int CStdioFile::OpenForWrite()
{
    const std::string p = m_path.str();
    // A link is followed to the file it names, which is replaced in its own folder.
    std::string target;
    if (const int linkErr = ResolveLinks(p, target))
        return linkErr;
    const std::string folder = ParentDir(target);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    // A folder, a pipe or a device is not a test file: writing to it would hang or go nowhere.
    if (exists && !S_ISREG(st.st_mode))
        return ENODEV;
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return EACCES;
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
            return err;
        return OpenInPlace(st) ? 0 : (errno ? errno : EACCES);
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
            if (t_collector) {
                // A file of a set keeps the new text in its temporary file, the user's alone,
                // and its set copies it over the file's own bytes with the rest of the set.
                ::fchown(fd, ::geteuid(), ::getegid());
                ::fchmod(fd, 0600);
                m_heldInPlace = true;
            } else {
                ::unlink(temp.c_str());
                ::close(fd);
                return OpenInPlace(st) ? 0 : (errno ? errno : EACCES);
            }
        }
    } else if (!t_collector) {
        // A new file of a set stays the user's alone until its commit puts it in place: a commit
        // record acts on no file that others may write.
        ::fchmod(fd, platform::NewFileMode());
    }
    m_out = ::fdopen(fd, "wb");
    if (!m_out) {
        const int err = errno;
        ::unlink(temp.c_str());
        ::close(fd);
        return err;
    }
    m_tempPath = temp;
    return 0;
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
    if (ok && t_collector) {
        t_collector->Take({m_out, m_tempPath, m_target, m_path, m_heldInPlace});
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

int platform::FileStepFault(FileStep step, const std::string& path) { return StepFault(step, path); }

platform::FileCollector* platform::SetFileCollector(FileCollector* collector)
{
    FileCollector* previous = t_collector;
    t_collector = collector;
    return previous;
}

unsigned platform::NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int platform::LinkTarget(const std::string& path, std::string& target) { return ResolveLinks(path, target); }

std::string platform::ParentFolder(const std::string& path) { return ParentDir(path); }

bool platform::IsOwnFileName(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + kTempSuffixLength || !name.starts_with(prefix))
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

int platform::RenameNoReplaceAt(int dirFd, const std::string& from, const std::string& to)
{
    return ::RenameNoReplaceAt(dirFd, from, to);
}

bool platform::NamesInFolder(int dirFd, std::vector<std::string>& names)
{
    names.clear();
    const int dup = ::dup(dirFd);
    DIR* dir = dup >= 0 ? ::fdopendir(dup) : nullptr;
    if (!dir) {
        if (dup >= 0)
            ::close(dup);
        return false;
    }
    ::rewinddir(dir); // the copy shares the folder's offset with its original
    while (const dirent* entry = ::readdir(dir))
        names.emplace_back(entry->d_name);
    ::closedir(dir);
    return true;
}

int platform::MakeLockedFileAt(int dirFd, std::string_view prefix, std::string& name)
{
    return ::MakeLockedFileAt(dirFd, prefix, name);
}

bool platform::ReadWhole(int fd, std::string& out) { return ReadAllAt(fd, out); }

bool platform::WriteWhole(int fd, const std::string& bytes) { return WriteAllAt(fd, bytes); }

void ShowCantOpenFile(const char* path, const CFileException& error)
{
    MessageBoxA(nullptr, CantOpenFileText(path, error), "Error", MB_OK);
}
