#include "platform/StdioFile.h"

#include "platform/Messages.h"
#include "platform/Path.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ParentDir(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

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
        // Only plain files: a pipe or a device named like a test file would block the program.
        struct stat st {};
        if (::stat(p.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            return fail(EACCES);
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
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    // A folder, a pipe or a device is not a test file: writing to it would hang or go nowhere.
    if (exists && !S_ISREG(st.st_mode))
        return fail(EACCES);
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return fail(EACCES);
    m_target = target;
    m_inPlace = false;

    // A short temporary name, so that a name near the length limit can still be saved.
    std::string temp = ParentDir(target) + "/.mv-XXXXXX";
    const int fd = ::mkstemp(temp.data());
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
            ::close(fd);
            ::unlink(temp.c_str());
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
        ::close(fd);
        ::unlink(temp.c_str());
        return fail(err);
    }
    m_tempPath = temp;
    return TRUE;
}

bool CStdioFile::OpenInPlace(const struct stat& st)
{
    // The old bytes are kept to be put back should the new ones not all reach the disk.
    errno = 0;
    if (static_cast<unsigned long long>(st.st_size) > kMaxReadSize) {
        errno = EFBIG;
        return false;
    }
    const int fd = ::open(m_target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    std::string old;
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) {
            old.append(chunk, static_cast<size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            const int err = errno;
            ::close(fd);
            errno = err;
            return false;
        }
    }
    m_inPlaceFd = fd;
    m_oldBytes = std::move(old);
    m_inPlace = true;
    m_newBytes.clear();
    return true;
}

BOOL CStdioFile::ReadString(CString& line)
{
    if (!m_reading || m_pos >= m_content.size())
        return FALSE;
    const size_t nl = m_content.find('\n', m_pos);
    const size_t end = nl == std::string::npos ? m_content.size() : nl;
    size_t stop = end;
    if (stop > m_pos && m_content[stop - 1] == '\r')
        --stop;
    line = CString(std::string_view(m_content).substr(m_pos, stop - m_pos));
    m_pos = nl == std::string::npos ? m_content.size() : nl + 1;
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
    if (m_inPlace) {
        for (const char c : text) {
            if (c == '\n')
                m_newBytes += '\r';
            m_newBytes += c;
        }
        return;
    }
    if (!m_out || m_writeFailed)
        return;
    size_t start = 0;
    while (start < text.size()) {
        const size_t nl = text.find('\n', start);
        const size_t len = (nl == std::string_view::npos ? text.size() : nl) - start;
        if (len && std::fwrite(text.data() + start, 1, len, m_out) != len)
            m_writeFailed = true;
        if (nl == std::string_view::npos)
            break;
        if (std::fwrite("\r\n", 1, 2, m_out) != 2)
            m_writeFailed = true;
        start = nl + 1;
    }
    if (m_writeFailed)
        m_lastCause = CFileException::CauseFromErrno(errno, m_path.str());
}

namespace {

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

void SyncFolder(const std::string& path)
{
    const int fd = ::open(ParentDir(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool CStdioFile::Close()
{
    if (m_reading) {
        m_reading = false;
        m_content.clear();
        m_pos = 0;
        m_cap.reset();
        return true;
    }
    if (m_inPlace) {
        bool ok = !m_writeFailed && WriteAllAt(m_inPlaceFd, m_newBytes);
        const int err = errno;
        if (!ok) {
            // Whatever part of the new text reached the file, the old text goes back.
            (void)WriteAllAt(m_inPlaceFd, m_oldBytes);
            m_lastCause = CFileException::CauseFromErrno(err, m_path.str());
            if (m_lastCause == CFileException::none)
                m_lastCause = CFileException::hardIO;
        }
        ::close(m_inPlaceFd);
        m_inPlaceFd = -1;
        m_inPlace = false;
        std::string().swap(m_oldBytes);
        std::string().swap(m_newBytes);
        return ok;
    }
    if (!m_out)
        return true;
    bool ok = !m_writeFailed;
    int err = 0;
    if (std::fflush(m_out) != 0) {
        ok = false;
        err = errno;
    }
    if (ok && ::fsync(::fileno(m_out)) != 0) {
        ok = false;
        err = errno;
    }
    if (std::fclose(m_out) != 0 && ok) {
        ok = false;
        err = errno;
    }
    m_out = nullptr;
    if (ok && std::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (ok)
        SyncFolder(m_target);
    if (!ok) {
        ::unlink(m_tempPath.c_str());
        if (err)
            m_lastCause = CFileException::CauseFromErrno(err, m_path.str());
        if (m_lastCause == CFileException::none)
            m_lastCause = CFileException::hardIO;
    }
    m_tempPath.clear();
    return ok;
}

void CStdioFile::Abort()
{
    if (m_inPlace) {
        // Nothing has been written to the file yet: the new text waits for Close().
        ::close(m_inPlaceFd);
        m_inPlaceFd = -1;
        m_inPlace = false;
        std::string().swap(m_oldBytes);
        std::string().swap(m_newBytes);
    }
    if (m_out) {
        std::fclose(m_out);
        m_out = nullptr;
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
    m_reading = false;
    m_content.clear();
    m_pos = 0;
    m_cap.reset();
}

void ShowCantOpenFile(const char* path, const CFileException& error)
{
    const CString name = PathForMessage(path ? path : "");
    CString text;
    if (error.m_lOsError == EFBIG)
        text.Format("Can't open file %s: it is larger than %llu MB, more than any test file holds.\n", name.GetString(),
                    CStdioFile::kMaxReadSize >> 20);
    else
        text.Format("Can't open file %s, error = %u\n", name.GetString(), static_cast<unsigned>(error.m_cause));
    MessageBoxA(nullptr, text, "Error", MB_OK);
}
