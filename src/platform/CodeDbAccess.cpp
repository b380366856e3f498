#include "platform/CodeDbAccess.h"

#include "platform/CodeDbText.h"

#include <sqlite3.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <chrono>
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

// A digest of the file's content, so that a file rewritten with its old size and time is not
// taken for the one converted. Not cryptographic: four lanes of multiply and rotate over 8-byte
// words, read in large blocks, cost a few milliseconds for a code-table file of tens of MB.
bool ContentDigest(const std::string& path, uint64_t& digest)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    constexpr uint64_t kMul1 = 0x9E3779B185EBCA87ull, kMul2 = 0xC2B2AE3D27D4EB4Full;
    uint64_t lanes[4] = {kMul1, kMul2, ~kMul1, ~kMul2};
    uint64_t total = 0;
    std::vector<unsigned char> block(1 << 20);
    for (;;) {
        ssize_t n = ::read(fd, block.data(), block.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        total += static_cast<uint64_t>(n);
        // A short last block is padded with zeros; the length taken in at the end tells it apart.
        const size_t words = (static_cast<size_t>(n) + 7) / 8;
        std::fill(block.begin() + n, block.begin() + static_cast<std::ptrdiff_t>(words * 8), 0);
        for (size_t w = 0; w < words; ++w) {
            uint64_t v;
            std::memcpy(&v, block.data() + w * 8, 8);
            uint64_t& lane = lanes[w & 3];
            lane ^= v * kMul2;
            lane = ((lane << 31) | (lane >> 33)) * kMul1;
        }
    }
    ::close(fd);
    uint64_t h = total * kMul1;
    for (const uint64_t lane : lanes) {
        h ^= lane;
        h = ((h << 27) | (h >> 37)) * kMul1 + kMul2;
    }
    h ^= h >> 33;
    h *= kMul2;
    h ^= h >> 29;
    digest = h;
    return true;
}

// The tag a finished conversion carries beside its user_version: part of the source's digest, so
// that a conversion of another file copied over this one is not served in its place.
int32_t SourceTag(uint64_t digest) { return static_cast<int32_t>(static_cast<uint32_t>(digest >> 32) | 1u); }

// Only a regular file is opened as a conversion: a pipe, device or folder at its name would block
// the start or be no database at all. Checked without following a link or blocking on a pipe.
bool IsRegularFile(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}

// A kept conversion is served only when it is ours, of this very file, and whole: marked by the
// user_version and the source tag, and passing SQLite's quick integrity check (damaged bytes
// would otherwise fail every query for ever).
bool IsSoundConversion(const std::string& path, int32_t sourceTag, std::chrono::milliseconds wall)
{
    if (!IsRegularFile(path))
        return false;
    sqlite3* db = nullptr;
    bool ok = false;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        const auto pragma = [db](const char* sql, std::string& value) {
            sqlite3_stmt* stmt = nullptr;
            bool read = false;
            if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
                value = text ? text : "";
                read = true;
            }
            sqlite3_finalize(stmt);
            return read;
        };
        // The check reads every page: no longer than a conversion may take.
        auto deadline = std::chrono::steady_clock::now() + wall;
        sqlite3_progress_handler(
            db, 1000, [](void* d) { return std::chrono::steady_clock::now() < *static_cast<decltype(deadline)*>(d) ? 0 : 1; },
            &deadline);
        std::string version, tag, check;
        ok = pragma("PRAGMA user_version", version) && version == std::to_string(kConversionFormat) &&
             pragma("PRAGMA application_id", tag) && tag == std::to_string(sourceTag) &&
             pragma("PRAGMA quick_check(1)", check) && check == "ok";
    }
    sqlite3_close(db);
    return ok;
}

bool TagConversion(const std::string& path, int32_t sourceTag)
{
    sqlite3* db = nullptr;
    const bool ok = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
                    sqlite3_exec(db, ("PRAGMA journal_mode = OFF; PRAGMA application_id = " + std::to_string(sourceTag)).c_str(),
                                 nullptr, nullptr, nullptr) == SQLITE_OK;
    return sqlite3_close(db) == SQLITE_OK && ok;
}

enum class Conversion { Done, Damaged, CannotWrite, NoConverter };

// Runs the converter in a child process under the limits; whatever the file does to it, the
// answer comes back within the wall time.
Conversion RunConverter(const std::string& converter, const std::string& in, const std::string& out,
                        const codedbaccess::ConversionLimits& limits)
{
    // Everything the child needs is made before fork: after it, only async-signal-safe calls.
    std::vector<char*> argv = {const_cast<char*>(converter.c_str()), const_cast<char*>(in.c_str()),
                               const_cast<char*>(out.c_str()), nullptr};
    const pid_t pid = ::fork();
    if (pid < 0)
        return Conversion::Damaged;
    if (pid == 0) {
        const rlimit memory {limits.conversionMemory, limits.conversionMemory};
        const rlimit cpu {static_cast<rlim_t>(limits.conversionCpuSeconds),
                          static_cast<rlim_t>(limits.conversionCpuSeconds + 1)};
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
        for (const char* place : {"", "../libexec/morvel/"}) {
            if (IsExecutable(dir + place + "morvel-mdbconvert"))
                return dir + place + "morvel-mdbconvert";
        }
    }
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

CString DeniedMessage(const CString& path)
{
    return "The Microsoft Jet database engine cannot open the file '" + path + "'.  You need permission to view its data.";
}

CString UnreachableMessage(const CString& path, int error)
{
    if (error == EACCES || error == EPERM)
        return DeniedMessage(path);
    return "Could not find file '" + path + "'.";
}

bool Convert(const CString& path, bool rebuild, const ConversionLimits& limits, Converted& out, CString& error)
{
    const CString damaged = "The code-table database '" + path + "' is damaged and cannot be read.";
    struct stat st {};
    char resolved[PATH_MAX];
    if (::stat(path.GetString(), &st) != 0 || !::realpath(path.GetString(), resolved)) {
        error = UnreachableMessage(path, errno);
        return false;
    }
    const std::string converter = AccessConverterPath();
    if (converter.empty()) {
        error = ("The code-table database '" + path + "' cannot be read: morvel-mdbconvert is missing.");
        return false;
    }
    // One conversion per file; a changed file (content, size or time) gets a new one in place of
    // the old.
    uint64_t digest = 0;
    if (!ContentDigest(resolved, digest)) {
        error = DeniedMessage(path);
        return false;
    }
    const std::string folder = CodeDbCacheFolder();
    const std::string source = resolved;
    const std::string key = source + '\0' + std::to_string(st.st_size) + '\0' + std::to_string(st.st_mtim.tv_sec) +
                            '.' + std::to_string(st.st_mtim.tv_nsec) + '\0' + Hex(digest) + '\0' +
                            std::to_string(kConversionFormat);
    const std::string prefix = Hex(Fnv1a(source)) + "-";
    const bool cached = !folder.empty() && MakeFolders(folder);
    const std::string target = cached ? folder + "/" + prefix + Hex(Fnv1a(key)) + ".sqlite" : std::string();
    const int32_t tag = SourceTag(digest);
    if (cached && !rebuild && IsSoundConversion(target, tag, limits.conversionWall)) {
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
    const Conversion result = RunConverter(converter, source, temp, limits);
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
    if (!TagConversion(temp, tag)) {
        ::unlink(temp.c_str());
        error = ("The code-table database '" + path + "' cannot be converted: " + CString(cached ? folder : temp) +
                 " cannot be written.");
        return false;
    }
    if (!cached) {
        out = {temp, true};
        return true;
    }
    // The damaged or foreign file (or whatever else stood at the name) gives way to the new one;
    // a folder there cannot, and the conversion then serves this run only.
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        out = {temp, true};
        return true;
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
