// The commit record reader and the recovery that acts on a record: the input, its first byte
// choosing a record to finish or one to put back, lies as a record in a scratch folder that holds
// a set, temporary files, a link and a second name of files outside; victim files lie beside the
// folder. Finishing it must change nothing outside the folder, make no member a link, and leave
// no name there but the set's own (its hidden files, and names of a test's or report's files).
#include "common/FileSet.h"

#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& path, const std::string& bytes)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    ::chmod(path.c_str(), 0600);
}

// Each name under `root` outside `skip`, with its kind and bytes (a link by where it points).
std::map<std::string, std::string> Snapshot(const fs::path& root, const fs::path& skip)
{
    std::map<std::string, std::string> seen;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        if (it->path() == skip) {
            it.disable_recursion_pending();
            continue;
        }
        const fs::file_status st = fs::symlink_status(it->path());
        seen[it->path().string()] = fs::is_symlink(st)        ? "link " + fs::read_symlink(it->path()).string()
                                    : fs::is_regular_file(st) ? "file " + fuzz::ReadAll(it->path().string())
                                                              : "other";
    }
    return seen;
}

[[noreturn]] void Failed(const char* what)
{
    std::fprintf(stderr, "commit record: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    fuzz::QuietMessages();
    static const fs::path root = fs::temp_directory_path() / ("morvel-fuzz-commit-" + std::to_string(::getpid()));
    const fs::path set = root / "set", victims = root / "victims";
    fs::remove_all(root);
    fs::create_directories(set);
    fs::create_directories(victims);
    Write(root / "beside.mv5", "beside\r\n");
    Write(victims / "v1", "victim one\r\n");
    Write(victims / "v2", "victim two\r\n");
    for (const char* member : {"t.mv5", "t.hs5", "t.ip5"})
        Write(set / member, std::string("old ") + member + "\r\n");
    for (const char* temp : {".mv-aaaaaa", ".mv-bbbbbb", ".mv-cccccc"})
        Write(set / temp, std::string("new ") + temp + "\r\n");
    fs::create_symlink("../victims/v1", set / ".mv-link00");
    fs::create_hard_link(victims / "v2", set / ".mv-hard00");
    const bool undo = data[0] & 1;
    Write(set / (undo ? ".mv-undo-fuzz00" : ".mv-commit-fuzz00"),
          std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    const auto before = Snapshot(root, set);

    filecommit::FinishInterrupted((set / "t.mv5").c_str(), false);

    if (Snapshot(root, set) != before)
        Failed("a file outside the set's folder changed");
    for (const auto& entry : fs::directory_iterator(set)) {
        const std::string name = entry.path().filename().string();
        const bool link = fs::is_symlink(fs::symlink_status(entry.path()));
        if (link && name != ".mv-link00")
            Failed("a link under a name of the set");
        const std::string ext = name.size() > 4 ? name.substr(name.size() - 4) : std::string();
        if (name.rfind(".mv-", 0) != 0 && ext != ".mv5" && ext != ".hs5" && ext != ".ip5" && ext != ".mvr" &&
            ext != ".hsr" && ext != ".ipr")
            Failed("a name that is not the set's own");
    }
    fs::remove_all(root);
    return 0;
}
