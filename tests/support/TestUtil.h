#pragma once
// Small helpers shared by the tests: a scratch folder and whole-file reads and writes.

#include <filesystem>
#include <string>

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

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
std::string DataPath(const std::string& name); // tests/data/<name>
std::string FixturePath(const std::string& name); // ../shared/fixtures/<name>, may not exist

} // namespace testutil
