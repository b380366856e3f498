#include "common/FileSet.h"

#include "platform/Messages.h"
#include "platform/Path.h"

#include <algorithm>
#include <cerrno>
#include <functional>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using filecommit::Entry;
using platform::FileStep;

namespace {

thread_local CFileSet* t_set = nullptr;

filecommit::LockWait g_lockWait {60, std::chrono::milliseconds(50)};

using platform::kTempPrefix;
constexpr std::string_view kCommitPrefix = platform::kCommitRecordPrefix;
constexpr std::string_view kUndoPrefix = platform::kUndoRecordPrefix;
constexpr size_t kSuffixLength = 6;
// Far more than a record of any set: a larger file of a record's name is not one of ours.
constexpr off_t kMaxRecordSize = 64 << 10;
constexpr char kRecordMagic[] = "MVSET2";

// The files a set holds: a test or a report and their companions.
constexpr std::string_view kMemberExtensions[] = {".mv5", ".hs5", ".ip5", ".mvr", ".hsr", ".ipr"};

// A member's name: a base name of a set's file that is not one of the program's own hidden files.
bool IsMemberName(std::string_view name)
{
    const bool ofSet = std::any_of(std::begin(kMemberExtensions), std::end(kMemberExtensions), [&](std::string_view ext) {
        return name.size() > ext.size() && name.substr(name.size() - ext.size()) == ext;
    });
    return ofSet && name.size() <= 255 && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos && name.substr(0, kTempPrefix.size()) != kTempPrefix;
}

std::string BaseOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Suffix(const std::string& name) { return name.substr(name.size() - kSuffixLength); }

bool Exists(int dirFd, const std::string& name)
{
    struct stat st {};
    return ::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

void SyncFolder(int dirFd, const std::string& folder)
{
    platform::FileStepFault(FileStep::FolderSync, folder);
    ::fsync(dirFd);
}

// A file the commit may act on: a regular file of one name (never a link), the user's or the
// member's owner's, that nobody else may write where the member itself does not let them.
bool MayTouch(int dirFd, const std::string& name, const struct stat* member)
{
    struct stat st {};
    if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    const mode_t othersMay = member ? member->st_mode & 022 : 0;
    return S_ISREG(st.st_mode) && st.st_nlink == 1 && (st.st_mode & 022 & ~othersMay) == 0 &&
           (st.st_uid == ::geteuid() || (member && st.st_uid == member->st_uid));
}

// Whether every file a record names may be acted on: nothing is done for a record that fails.
bool MayAct(int dirFd, const std::vector<Entry>& entries)
{
    for (const Entry& entry : entries) {
        struct stat member {};
        const bool there = ::fstatat(dirFd, entry.target.c_str(), &member, AT_SYMLINK_NOFOLLOW) == 0;
        if ((there && !S_ISREG(member.st_mode)) || (!there && errno != ENOENT) || (entry.inPlace && !there))
            return false;
        if (!MayTouch(dirFd, entry.temp, there ? &member : nullptr) ||
            (!entry.old.empty() && !MayTouch(dirFd, entry.old, there ? &member : nullptr)))
            return false;
    }
    return true;
}

// Opens the regular file `name` of the folder, never through a link, for `use`: 0, or the errno
// (EINVAL for what is not a plain file of a size a member may have).
int WithFileAt(int dirFd, const std::string& name, int flags, const std::function<bool(int fd)>& use)
{
    const int fd = ::openat(dirFd, name.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat st {};
    int err = 0;
    errno = 0;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<unsigned long long>(st.st_size) > CStdioFile::kMaxReadSize)
        err = EINVAL;
    else if (!use(fd))
        err = errno ? errno : EIO;
    ::close(fd);
    return err;
}

int ReadAt(int dirFd, const std::string& name, std::string& bytes)
{
    return WithFileAt(dirFd, name, O_RDONLY, [&bytes](int fd) { return platform::ReadWhole(fd, bytes); });
}

// Makes the member `name` hold `bytes` in place, synced.
int OverwriteAt(int dirFd, const std::string& name, const std::string& bytes)
{
    return WithFileAt(dirFd, name, O_WRONLY, [&bytes](int fd) { return platform::WriteWhole(fd, bytes); });
}

int CopyOver(int dirFd, const std::string& from, const std::string& to)
{
    std::string bytes;
    const int err = ReadAt(dirFd, from, bytes);
    return err ? err : OverwriteAt(dirFd, to, bytes);
}

// Puts in place every member not yet in place: 0, or the errno of the step that failed (its
// member in `failed`), which leaves the rest for the putting back.
int FinishForward(int dirFd, const std::string& folder, const std::vector<Entry>& entries, std::string& failed)
{
    for (const Entry& entry : entries) {
        if (!Exists(dirFd, entry.temp))
            continue; // put in place before a kill
        const std::string target = folder + "/" + entry.target;
        int err = platform::FileStepFault(FileStep::Rename, target);
        if (!err && entry.inPlace && (err = CopyOver(dirFd, entry.temp, entry.target)) == 0)
            ::unlinkat(dirFd, entry.temp.c_str(), 0);
        else if (!err && !entry.inPlace && ::renameat(dirFd, entry.temp.c_str(), dirFd, entry.target.c_str()) != 0)
            err = errno ? errno : EIO;
        else if (!err && entry.old.empty()) // made by the commit: now as any new file
            WithFileAt(dirFd, entry.target, O_RDONLY,
                       [](int fd) { return ::fchmod(fd, static_cast<mode_t>(platform::NewFileMode())) == 0; });
        if (err) {
            failed = target;
            return err;
        }
    }
    SyncFolder(dirFd, folder);
    return 0;
}

// Drops the kept copies, then the record.
void RemoveCommit(int dirFd, const std::string& folder, const std::vector<Entry>& entries, const std::string& record)
{
    for (const Entry& entry : entries) {
        if (!entry.old.empty()) {
            platform::FileStepFault(FileStep::Cleanup, folder + "/" + entry.old);
            ::unlinkat(dirFd, entry.old.c_str(), 0);
        }
    }
    platform::FileStepFault(FileStep::Cleanup, folder + "/" + record);
    ::unlinkat(dirFd, record.c_str(), 0);
    SyncFolder(dirFd, folder);
}

// Marks a record as one to put back, so that a kill from now on finishes the putting back: its
// name as such.
std::string MarkUndo(int dirFd, const std::string& folder, const std::string& record)
{
    if (record.substr(0, kUndoPrefix.size()) == kUndoPrefix ||
        platform::FileStepFault(FileStep::PutBack, folder + "/" + record) != 0)
        return record;
    const std::string undo = std::string(kUndoPrefix) + Suffix(record);
    return ::renameat(dirFd, record.c_str(), dirFd, undo.c_str()) == 0 ? undo : record;
}

// Puts back every old member the commit changed and removes the ones it made; each step may run
// again after a kill. The members it could not put back (none: the record goes).
std::vector<std::string> PutBack(int dirFd, const std::string& folder, const std::vector<Entry>& entries,
                                 const std::string& undo)
{
    SyncFolder(dirFd, folder);
    std::vector<std::string> left;
    for (const Entry& entry : entries) {
        const std::string target = folder + "/" + entry.target;
        const bool tempThere = Exists(dirFd, entry.temp);
        const bool oldThere = !entry.old.empty() && Exists(dirFd, entry.old);
        int err = platform::FileStepFault(FileStep::PutBack, target);
        if (!err && entry.inPlace && oldThere)
            err = CopyOver(dirFd, entry.old, entry.target);
        else if (!err && !entry.inPlace && oldThere && !tempThere &&
                 ::renameat(dirFd, entry.old.c_str(), dirFd, entry.target.c_str()) != 0)
            err = errno ? errno : EIO;
        else if (!err && entry.old.empty() && !tempThere && ::unlinkat(dirFd, entry.target.c_str(), 0) != 0 &&
                 errno != ENOENT)
            err = errno;
        if (err) {
            left.push_back(target);
            continue;
        }
        if (tempThere)
            ::unlinkat(dirFd, entry.temp.c_str(), 0);
        if (oldThere)
            ::unlinkat(dirFd, entry.old.c_str(), 0);
    }
    SyncFolder(dirFd, folder);
    if (left.empty()) {
        platform::FileStepFault(FileStep::Cleanup, folder + "/" + undo);
        ::unlinkat(dirFd, undo.c_str(), 0);
    }
    return left;
}

// A record of the folder, read without following a link or blocking on a pipe. `ours`: the
// user's alone, so that it may be acted on; `written`: when.
bool ReadRecord(int dirFd, const std::string& name, std::vector<Entry>& entries, bool& ours, timespec& written)
{
    const int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    std::string text;
    const bool read = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxRecordSize &&
                      platform::ReadWhole(fd, text) && text.size() <= static_cast<size_t>(kMaxRecordSize);
    ::close(fd);
    ours = read && st.st_uid == ::geteuid() && st.st_nlink == 1 && (st.st_mode & 022) == 0;
    written = st.st_mtim;
    return read && filecommit::DecodeRecord(text, entries);
}

std::vector<std::string> RecordNames(int dirFd)
{
    std::vector<std::string> names;
    platform::NamesInFolder(dirFd, names);
    std::erase_if(names, [](const std::string& name) {
        return !platform::IsOwnFileName(name, kCommitPrefix) && !platform::IsOwnFileName(name, kUndoPrefix);
    });
    std::sort(names.begin(), names.end());
    return names;
}

// Finishes, in the folder whose commit lock the caller holds, the commits a kill interrupted.
// The members of those that could not be finished nor undone whose set `lead` leads (its first
// member), or of all of them with an empty `lead`.
std::vector<std::string> FinishInFolder(int dirFd, const std::string& folder, const std::string& lead)
{
    std::vector<std::string> mixed;
    for (const std::string& name : RecordNames(dirFd)) {
        std::vector<Entry> entries;
        bool ours = false;
        timespec written {};
        if (!ReadRecord(dirFd, name, entries, ours, written))
            continue; // not a record of ours: left alone
        const bool acted = ours && MayAct(dirFd, entries);
        bool stuck = !acted;
        if (acted) {
            std::string failed;
            const bool undo = name.substr(0, kUndoPrefix.size()) == kUndoPrefix;
            if (!undo && FinishForward(dirFd, folder, entries, failed) == 0)
                RemoveCommit(dirFd, folder, entries, name);
            else
                stuck = !PutBack(dirFd, folder, entries, MarkUndo(dirFd, folder, name)).empty();
        }
        // A record left alone tells of a mix only until the test is saved again.
        struct stat leadFile {};
        const bool savedSince =
            !acted && ::fstatat(dirFd, entries.front().target.c_str(), &leadFile, AT_SYMLINK_NOFOLLOW) == 0 &&
            std::pair(leadFile.st_mtim.tv_sec, leadFile.st_mtim.tv_nsec) > std::pair(written.tv_sec, written.tv_nsec);
        if (stuck && !savedSince && (lead.empty() || entries.front().target == lead)) {
            for (const Entry& entry : entries) {
                if (Exists(dirFd, entry.target))
                    mixed.push_back(folder + "/" + entry.target);
            }
        }
    }
    return mixed;
}

// Once a commit has put its members in place, a record of the user's that was left alone (it
// could be neither finished nor undone) and names one of them is out of date: should it become
// one to act on later (its member made anew), it would put an older save's files over this one's.
// Its files are then dead temporaries, which the next save removes.
void RetireSuperseded(int dirFd, const std::string& folder, const std::vector<Entry>& saved)
{
    for (const std::string& name : RecordNames(dirFd)) {
        std::vector<Entry> entries;
        bool ours = false;
        timespec written {};
        if (!ReadRecord(dirFd, name, entries, ours, written) || !ours)
            continue;
        const bool names = std::any_of(entries.begin(), entries.end(), [&](const Entry& entry) {
            return std::any_of(saved.begin(), saved.end(), [&](const Entry& s) { return s.target == entry.target; });
        });
        if (names) {
            platform::FileStepFault(FileStep::Cleanup, folder + "/" + name);
            ::unlinkat(dirFd, name.c_str(), 0);
        }
    }
}

// Takes the folder's commit lock: false while another commit holds it after `tries` looks. A
// file system without locks lets every commit go.
bool TakeLock(int dirFd, int tries)
{
    for (int look = 0;; ++look) {
        if (::flock(dirFd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK)
            return true;
        if (look + 1 >= tries)
            return false;
        std::this_thread::sleep_for(g_lockWait.pause);
    }
}

int OpenFolder(const std::string& folder)
{
    return ::open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

std::string FolderOf(const CString& path)
{
    std::string target;
    if (platform::LinkTarget(path.str(), target) != 0)
        target = path.str();
    return platform::ParentFolder(target);
}

CString BusyFolderText(const std::string& folder)
{
    return "Another program is saving files in the folder " + PathForMessage(folder) + ".\n";
}

CString NamesText(const std::vector<std::string>& paths)
{
    CString text;
    for (const std::string& path : paths)
        text += PathForMessage(path) + "\n";
    return text;
}

} // namespace

filecommit::LockWait filecommit::SetLockWait(LockWait wait)
{
    const LockWait previous = g_lockWait;
    g_lockWait = {std::max(wait.tries, 1), wait.pause};
    return previous;
}

// Each value is written as its length, ':', its bytes and a line end, so that no name can break
// the record.
std::string filecommit::EncodeRecord(const std::vector<Entry>& entries)
{
    std::string out;
    auto put = [&out](std::string_view value) {
        out += std::to_string(value.size()) + ":";
        out += value;
        out += "\n";
    };
    put(kRecordMagic);
    put(std::to_string(entries.size()));
    for (const Entry& entry : entries) {
        put(entry.target);
        put(entry.temp);
        put(entry.old);
        put(entry.inPlace ? "P" : "R");
    }
    put("END");
    return out;
}

bool filecommit::DecodeRecord(const std::string& text, std::vector<Entry>& entries)
{
    size_t pos = 0;
    auto get = [&](std::string& value) {
        const size_t colon = text.find(':', pos);
        if (colon == std::string::npos || colon == pos || colon - pos > 5)
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
    std::string value;
    if (!get(value) || value != kRecordMagic || !get(value) || value.empty() || value.size() > 2 ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const size_t count = std::stoul(value);
    if (count == 0)
        return false;
    std::vector<Entry> read(count);
    std::vector<std::string> names;
    for (Entry& entry : read) {
        std::string how;
        if (!get(entry.target) || !get(entry.temp) || !get(entry.old) || !get(how))
            return false;
        if (!IsMemberName(entry.target) || !platform::IsOwnFileName(entry.temp, kTempPrefix) ||
            (!entry.old.empty() && !platform::IsOwnFileName(entry.old, kTempPrefix)) || (how != "P" && how != "R") ||
            (how == "P" && entry.old.empty()))
            return false;
        entry.inPlace = how == "P";
        names.push_back(entry.target);
        names.push_back(entry.temp);
        if (!entry.old.empty())
            names.push_back(entry.old);
    }
    // No name twice: one file is one step of the commit.
    std::sort(names.begin(), names.end());
    if (std::adjacent_find(names.begin(), names.end()) != names.end())
        return false;
    if (!get(value) || value != "END" || pos != text.size())
        return false;
    entries = std::move(read);
    return true;
}

void filecommit::FinishInterrupted(const CString& path, bool load)
{
    const std::string folder = FolderOf(path);
    const int dirFd = OpenFolder(folder);
    if (dirFd < 0)
        return;
    std::vector<std::string> mixed;
    // A commit that runs now is its program's: a load never waits for it.
    if (TakeLock(dirFd, 1)) {
        std::string target;
        if (platform::LinkTarget(path.str(), target) != 0)
            target = path.str();
        mixed = FinishInFolder(dirFd, folder, BaseOf(target));
    }
    ::close(dirFd);
    if (load && !mixed.empty()) {
        const CString text = "A save of these files was interrupted and can be neither finished nor undone, so "
                             "they come from two saves:\n" +
                             NamesText(mixed) + "Check them before you save the test again.";
        MessageBoxA(nullptr, text, "Warning", MB_OK | MB_ICONWARNING);
    }
}

bool filecommit::WriteOutsideSet(const CString& path, const std::function<bool()>& write)
{
    const std::string folder = FolderOf(path);
    const int dirFd = OpenFolder(folder);
    if (dirFd < 0)
        return write(); // the open of the file tells why
    if (!TakeLock(dirFd, g_lockWait.tries)) {
        ::close(dirFd);
        MessageBoxA(nullptr, BusyFolderText(folder) + "The file " + PathForMessage(path) + " was not saved.", "Error",
                    MB_OK);
        return false;
    }
    FinishInFolder(dirFd, folder, std::string());
    const bool written = write();
    ::close(dirFd); // the lock with it
    return written;
}

CFileSet::CFileSet() : m_outer(t_set), m_outerCollector(platform::SetFileCollector(this)) { t_set = this; }

CFileSet::~CFileSet()
{
    Discard();
    for (const Folder& folder : m_folders)
        ::close(folder.fd);
    platform::SetFileCollector(m_outerCollector);
    t_set = m_outer;
}

CFileSet* CFileSet::Current() { return t_set; }

void CFileSet::Take(platform::WrittenFile file) { m_held.push_back(std::move(file)); }

void CFileSet::Discard()
{
    for (const platform::WrittenFile& held : m_held) {
        ::unlink(held.temp.c_str());
        std::fclose(held.out);
    }
    m_held.clear();
}

bool CFileSet::NoteFailure(const char* path, const CFileException& error)
{
    if (!t_set)
        return false;
    if (t_set->m_failure.IsEmpty())
        t_set->m_failure = CantOpenFileText(path, error);
    return true;
}

const CFileSet::Folder* CFileSet::LockFolder(const std::string& path)
{
    const int fd = OpenFolder(path);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        if (fd >= 0)
            ::close(fd);
        return nullptr; // the open of the member tells why
    }
    // Held by this set or one it lies in: a second lock of the same folder would wait for it.
    for (const CFileSet* set = this; set; set = set->m_outer) {
        for (const Folder& folder : set->m_folders) {
            if (folder.dev == st.st_dev && folder.ino == st.st_ino) {
                ::close(fd);
                return &folder;
            }
        }
    }
    if (!TakeLock(fd, g_lockWait.tries)) {
        ::close(fd);
        if (m_failure.IsEmpty())
            m_failure = BusyFolderText(path);
        return nullptr;
    }
    FinishInFolder(fd, path, std::string());
    m_folders.push_back({path, fd, st.st_dev, st.st_ino});
    return &m_folders.back();
}

bool CFileSet::Enter(const CString& path)
{
    if (!m_failure.IsEmpty())
        return false;
    LockFolder(FolderOf(path));
    return m_failure.IsEmpty();
}

bool CFileSet::Fail(int err, const std::string& target)
{
    const auto held = std::find_if(m_held.begin(), m_held.end(),
                                   [&](const platform::WrittenFile& h) { return h.target == target; });
    const CString path = held == m_held.end() ? CString(target) : held->path;
    CFileException error;
    error.m_lOsError = err;
    error.m_cause = CFileException::CauseFromErrno(err, path.str());
    if (m_failure.IsEmpty())
        m_failure = CantOpenFileText(path.GetString(), error);
    Discard();
    return false;
}

bool CFileSet::Commit()
{
    if (!m_failure.IsEmpty() || m_held.empty()) {
        Discard();
        return m_failure.IsEmpty();
    }
    // The members by folder, each folder's commit lock held.
    struct Part {
        const Folder* folder;
        std::vector<Entry> entries;
        std::vector<std::string> targets; // full paths, as the writer resolved them
        std::vector<int> kept;            // the kept copies, locked until the commit ends
        std::string record;
        int recordFd = -1;
    };
    std::vector<Part> parts;
    for (const platform::WrittenFile& held : m_held) {
        const std::string folderPath = platform::ParentFolder(held.target);
        const Folder* folder = LockFolder(folderPath);
        if (!folder) {
            if (!m_failure.IsEmpty()) {
                Discard();
                return false;
            }
            return Fail(EACCES, held.target);
        }
        auto part = std::find_if(parts.begin(), parts.end(), [&](const Part& p) { return p.folder == folder; });
        if (part == parts.end()) {
            parts.push_back({folder, {}, {}, {}, {}, -1});
            part = parts.end() - 1;
        }
        part->entries.push_back({BaseOf(held.target), BaseOf(held.temp), {}, held.inPlace});
        part->targets.push_back(held.target);
    }
    auto release = [&parts](bool removeMade) {
        for (Part& part : parts) {
            for (size_t i = 0; i < part.entries.size(); ++i) {
                if (removeMade && !part.entries[i].old.empty())
                    ::unlinkat(part.folder->fd, part.entries[i].old.c_str(), 0);
            }
            for (const int fd : part.kept)
                ::close(fd);
            if (removeMade && part.recordFd >= 0)
                ::unlinkat(part.folder->fd, part.record.c_str(), 0);
            if (part.recordFd >= 0)
                ::close(part.recordFd);
        }
    };

    // Each old member kept whole, as a copy, before anything is changed: a member written in
    // place is then put back as surely as one replaced, and its other names keep their file.
    for (Part& part : parts) {
        const int dirFd = part.folder->fd;
        for (size_t i = 0; i < part.entries.size(); ++i) {
            Entry& entry = part.entries[i];
            struct stat st {};
            if (::fstatat(dirFd, entry.target.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) {
                entry.inPlace = false; // made by the commit
                continue;
            }
            std::string bytes;
            int err = platform::FileStepFault(FileStep::KeepOld, part.targets[i]);
            if (!err)
                err = ReadAt(dirFd, entry.target, bytes);
            int fd = -1;
            if (!err && (fd = platform::MakeLockedFileAt(dirFd, kTempPrefix, entry.old)) < 0)
                err = errno;
            if (fd >= 0) {
                part.kept.push_back(fd);
                if (!entry.inPlace) {
                    // Put back by a rename, the copy is to be the old file as the user saw it.
                    (void)::fchown(fd, st.st_uid, st.st_gid);
                    ::fchmod(fd, st.st_mode & 07777);
                }
                if (!platform::WriteWhole(fd, bytes))
                    err = errno ? errno : EIO;
            }
            if (err) {
                release(true);
                return Fail(err, part.targets[i]);
            }
        }
    }
    // The records, complete and synced under a temporary name before they are named as one.
    for (Part& part : parts) {
        const int dirFd = part.folder->fd;
        const std::string text = filecommit::EncodeRecord(part.entries);
        std::string temp;
        int err = platform::FileStepFault(FileStep::Record, part.folder->path + "/" + std::string(kCommitPrefix));
        if (!err && (part.recordFd = platform::MakeLockedFileAt(dirFd, kTempPrefix, temp)) < 0)
            err = errno;
        if (!err && !platform::WriteWhole(part.recordFd, text))
            err = errno ? errno : EIO;
        if (!err) {
            part.record = std::string(kCommitPrefix) + Suffix(temp);
            err = platform::RenameNoReplaceAt(dirFd, temp, part.record);
        }
        if (err) {
            if (!temp.empty())
                ::unlinkat(dirFd, temp.c_str(), 0);
            if (part.recordFd >= 0)
                ::close(part.recordFd);
            part.recordFd = -1;
            release(true);
            return Fail(err, part.targets.front());
        }
        SyncFolder(dirFd, part.folder->path);
    }
    // The members put in place; a step that fails puts back every folder's.
    std::string failed;
    int err = 0;
    for (const Part& part : parts) {
        if ((err = FinishForward(part.folder->fd, part.folder->path, part.entries, failed)) != 0)
            break;
    }
    if (!err) {
        for (const Part& part : parts) {
            RemoveCommit(part.folder->fd, part.folder->path, part.entries, part.record);
            RetireSuperseded(part.folder->fd, part.folder->path, part.entries);
        }
        release(false);
        for (const platform::WrittenFile& held : m_held)
            std::fclose(held.out);
        m_held.clear();
        return true;
    }
    for (Part& part : parts)
        part.record = MarkUndo(part.folder->fd, part.folder->path, part.record);
    std::vector<std::string> changed;
    for (const Part& part : parts) {
        const std::vector<std::string> left = PutBack(part.folder->fd, part.folder->path, part.entries, part.record);
        changed.insert(changed.end(), left.begin(), left.end());
    }
    release(false);
    Fail(err, failed);
    if (!changed.empty()) {
        m_changed = true;
        m_failure += "The save could not be undone: these files hold the new text, the others the old one:\n" +
                     NamesText(changed);
    }
    return false;
}
