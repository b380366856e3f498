#include "platform/CodeDbAccess.h"

#include "platform/CodeDb.h"
#include "platform/CodeDbText.h"

#include <sqlite3.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using codedbtext::kConversionFormat;

bool IsExecutable(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

uint64_t Fnv1a(std::string_view text, uint64_t h = 0xcbf29ce484222325ull)
{
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    return h;
}

std::string Hex(uint64_t v)
{
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(v));
    return buf;
}

bool MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool IsOurConversion(const std::string& path)
{
    sqlite3* db = nullptr;
    bool ok = false;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            ok = sqlite3_column_int(stmt, 0) == kConversionFormat;
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return ok;
}

enum class Conversion { Done, Damaged, CannotWrite, NoConverter };

// Runs the converter in a child process under the limits; whatever the file does to it, the
// answer comes back within the wall time.
Conversion RunConverter(const std::string& converter, const std::string& in, const std::string& out)
{
    const CodeDbConnection::Limits limits = CodeDbConnection::GetLimits();
    // Everything the child needs is made before fork: after it, only async-signal-safe calls.
    std::vector<char*> argv = {const_cast<char*>(converter.c_str()), const_cast<char*>(in.c_str()),
                               const_cast<char*>(out.c_str()), nullptr};
    const pid_t pid = ::fork();
    if (pid < 0)
        return Conversion::Damaged;
    if (pid == 0) {
        const rlimit memory {limits.conversionMemory, limits.conversionMemory};
        const rlimit cpu {static_cast<rlim_t>(limits.conversionCpuSeconds), static_cast<rlim_t>(limits.conversionCpuSeconds + 1)};
        const rlimit none {0, 0};
        ::setrlimit(RLIMIT_AS, &memory);
        ::setrlimit(RLIMIT_CPU, &cpu);
        ::setrlimit(RLIMIT_CORE, &none);
        const int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
        }
        for (int fd = 3; fd < 1024; ++fd)
            ::close(fd);
        ::execv(converter.c_str(), argv.data());
        ::_exit(codedbtext::kCannotRun);
    }
    const auto deadline = std::chrono::steady_clock::now() + limits.conversionWall;
    int status = 0;
    for (;;) {
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid)
            break;
        if (r < 0 && errno != EINTR)
            return Conversion::Damaged;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return Conversion::Damaged;
        }
        ::usleep(2000);
    }
    if (!WIFEXITED(status))
        return Conversion::Damaged; // crashed, or killed by a limit
    switch (WEXITSTATUS(status)) {
    case codedbtext::kConverted:
        return Conversion::Done;
    case codedbtext::kCannotWrite:
        return Conversion::CannotWrite;
    case codedbtext::kCannotRun:
        return Conversion::NoConverter;
    default:
        return Conversion::Damaged;
    }
}

} // namespace

std::string AccessConverterPath()
{
    char self[4096];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
        std::string dir(self, static_cast<size_t>(n));
        dir = dir.substr(0, dir.rfind('/') + 1);
        if (IsExecutable(dir + "morvel-mdbconvert"))
            return dir + "morvel-mdbconvert";
    }
#ifdef MORVEL_ACCESS_CONVERTER
    if (IsExecutable(MORVEL_ACCESS_CONVERTER))
        return MORVEL_ACCESS_CONVERTER;
#endif
    return std::string();
}

std::string CodeDbCacheFolder()
{
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && xdg[0] == '/')
        return std::string(xdg) + "/morvel";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.cache/morvel";
    return std::string();
}

namespace codedbaccess {

bool Convert(const CString& path, Converted& out, CString& error)
{
    const CString damaged = "The code-table database '" + path + "' is damaged and cannot be read.";
    struct stat st {};
    char resolved[PATH_MAX];
    if (::stat(path.GetString(), &st) != 0 || !::realpath(path.GetString(), resolved)) {
        error = ("Could not find file '" + path + "'.");
        return false;
    }
    const std::string converter = AccessConverterPath();
    if (converter.empty()) {
        error = ("The code-table database '" + path + "' cannot be read: morvel-mdbconvert is missing.");
        return false;
    }
    // One conversion per file; a changed file (size or time) gets a new one in place of the old.
    const std::string folder = CodeDbCacheFolder();
    const std::string source = resolved;
    const std::string key = source + '\0' + std::to_string(st.st_size) + '\0' + std::to_string(st.st_mtim.tv_sec) +
                            '.' + std::to_string(st.st_mtim.tv_nsec) + '\0' + std::to_string(kConversionFormat);
    const std::string prefix = Hex(Fnv1a(source)) + "-";
    const bool cached = !folder.empty() && MakeFolders(folder);
    const std::string target = cached ? folder + "/" + prefix + Hex(Fnv1a(key)) + ".sqlite" : std::string();
    if (cached && IsOurConversion(target)) {
        out = {target, false};
        return true;
    }

    // Converted under a temporary name and renamed when complete: a conversion cut short by a
    // crash or a kill is never taken for a finished one. Without a cache folder the conversion
    // lives as long as the connection.
    std::string temp = (cached ? folder : std::string(P_tmpdir)) + "/" + prefix + "XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = ("The code-table database '" + path + "' cannot be converted: " + CString(temp) +
                           " cannot be written.");
        return false;
    }
    ::close(fd);
    ::unlink(temp.c_str()); // the converter creates it anew, and refuses a file that exists
    const Conversion result = RunConverter(converter, source, temp);
    if (result != Conversion::Done) {
        ::unlink(temp.c_str());
        if (result == Conversion::CannotWrite)
            error = ("The code-table database '" + path + "' cannot be converted: " +
                               CString(cached ? folder : temp) + " cannot be written.");
        else if (result == Conversion::NoConverter)
            error = ("The code-table database '" + path + "' cannot be read: " + CString(converter) +
                               " cannot be run.");
        else
            error = (damaged);
        return false;
    }
    if (!cached) {
        out = {temp, true};
        return true;
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        error = ("The code-table database '" + path + "' cannot be converted: " + CString(folder) +
                           " cannot be written.");
        return false;
    }
    // Conversions of this file before it changed are of no more use, nor are conversions left
    // unfinished by a program that was killed (long past the time any conversion may take).
    if (DIR* d = ::opendir(folder.c_str())) {
        const std::string mine = target.substr(folder.size() + 1);
        const time_t stale = ::time(nullptr) - 600;
        while (const dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name.rfind(prefix, 0) != 0 || name == mine)
                continue;
            struct stat old {};
            const std::string file = folder + "/" + name;
            if (name.size() == mine.size() || (::stat(file.c_str(), &old) == 0 && old.st_mtime < stale))
                ::unlink(file.c_str());
        }
        ::closedir(d);
    }
    out = {target, false};
    return true;
}

} // namespace codedbaccess
