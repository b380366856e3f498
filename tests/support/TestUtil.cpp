#include "TestUtil.h"

#include <algorithm>
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

std::vector<std::string> SectionLines(const std::string& bytes, const std::string& section)
{
    std::vector<std::string> lines;
    const std::string marker = "----- " + section + " -----\r\n";
    size_t at = bytes.find(marker);
    if (at == std::string::npos)
        return lines;
    at += marker.size();
    while (at < bytes.size() && bytes.compare(at, 5, "-----") != 0) {
        const size_t end = std::min(bytes.find("\r\n", at), bytes.size());
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::vector<std::string> Cells(const std::string& line)
{
    std::vector<std::string> cells(1);
    for (char c : line) {
        if (c == '|')
            cells.emplace_back();
        else
            cells.back() += c;
    }
    return cells;
}

std::string WithoutSection(std::string bytes, const std::string& section)
{
    const std::string marker = "----- " + section + " -----";
    const size_t start = bytes.find(marker);
    if (start == std::string::npos)
        return bytes;
    const size_t end = bytes.find("-----", start + marker.size());
    bytes.erase(start, end - start);
    return bytes;
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
