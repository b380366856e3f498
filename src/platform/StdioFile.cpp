#include "platform/StdioFile.h"

#include "platform/Messages.h"

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
    if (m_out)
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
        return TRUE;
    }

    // Writing: refuse what the user could not overwrite, then write beside the target.
    if (IsDirectory(p))
        return fail(EACCES);
    if (::access(p.c_str(), F_OK) == 0 && ::access(p.c_str(), W_OK) != 0)
        return fail(EACCES);
    std::string temp = p + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return fail(errno);
    struct stat st {};
    if (::stat(p.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
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

bool CStdioFile::Close()
{
    if (m_reading) {
        m_reading = false;
        m_content.clear();
        m_pos = 0;
        return true;
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
    if (ok && std::rename(m_tempPath.c_str(), m_path.str().c_str()) != 0) {
        ok = false;
        err = errno;
    }
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
    if (m_out) {
        std::fclose(m_out);
        m_out = nullptr;
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
    m_reading = false;
    m_content.clear();
    m_pos = 0;
}

void ShowCantOpenFile(const char* path, const CFileException& error)
{
    CString text;
    text.Format("Can't open file %s, error = %u\n", path ? path : "", static_cast<unsigned>(error.m_cause));
    MessageBoxA(nullptr, text, "Error", MB_OK);
}
