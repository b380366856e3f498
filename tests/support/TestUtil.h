#pragma once
// Small helpers shared by the tests: a scratch folder, whole-file reads and writes, and the
// sections of a test file.

#include <filesystem>
#include <string>
#include <vector>

namespace testutil {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Points XDG_CACHE_HOME at a fresh folder for the object's life, so that converted code-table
// files land there and not in the user's cache.
class ScopedCacheHome {
public:
    ScopedCacheHome();
    ~ScopedCacheHome();
    ScopedCacheHome(const ScopedCacheHome&) = delete;
    ScopedCacheHome& operator=(const ScopedCacheHome&) = delete;
    const std::filesystem::path& path() const { return m_dir.path(); }

private:
    TempDir m_dir;
    bool m_had = false;
    std::string m_old;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
std::string DataPath(const std::string& name); // tests/data/<name>
std::string FixturePath(const std::string& name); // ../shared/fixtures/<name>, may not exist
long ResidentKilobytes(); // this process's resident size, for bounds on what a command may hold
bool UnderCi(); // the environment variable CI is set (and not empty)

// The record lines of `section` in a test file's bytes, none when it has no such section.
std::vector<std::string> SectionLines(const std::string& bytes, const std::string& section);
// A record line split at its pipes.
std::vector<std::string> Cells(const std::string& line);
// The bytes without `section`, its marker line included.
std::string WithoutSection(std::string bytes, const std::string& section);

} // namespace testutil

// Ends a test that needs a shared fixture (or the converter) which is absent: a skip on a
// developer's machine, a failure under CI, where a run with it skipped would pass untested.
#define SKIP_OR_FAIL_IF_ABSENT(present, what)                                                       \
    do {                                                                                            \
        if (!(present)) {                                                                           \
            if (testutil::UnderCi())                                                                \
                FAIL() << what << " absent, which CI must have";                                    \
            GTEST_SKIP() << what << " absent";                                                      \
        }                                                                                           \
    } while (false)
