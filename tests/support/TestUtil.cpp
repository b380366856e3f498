#include "TestUtil.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace testutil {

TempDir::TempDir()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "morvel-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = tmpl;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

ScopedCacheHome::ScopedCacheHome()
{
    if (const char* old = std::getenv("XDG_CACHE_HOME")) {
        m_had = true;
        m_old = old;
    }
    ::setenv("XDG_CACHE_HOME", m_dir.path().c_str(), 1);
}

ScopedCacheHome::~ScopedCacheHome()
{
    if (m_had)
        ::setenv("XDG_CACHE_HOME", m_old.c_str(), 1);
    else
        ::unsetenv("XDG_CACHE_HOME");
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string DataPath(const std::string& name) { return std::string(MORVEL_TEST_DATA_DIR) + "/" + name; }
std::string FixturePath(const std::string& name) { return std::string(MORVEL_FIXTURES_DIR) + "/" + name; }

bool UnderCi()
{
    const char* ci = std::getenv("CI");
    return ci && *ci;
}

long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

} // namespace testutil
