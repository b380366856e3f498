#pragma once
// Files that belong together (a test and its companion files), replaced together or not at all.
//
// While a set lives, every file this thread writes waits, synced and locked, under its temporary
// name (platform::FileCollector), and Commit() puts all of them in place once all are written. A
// file with other names (hard links) or of another owner, which a replacement would change, is
// held the same way and its new bytes are copied over its own during the commit. A file of the
// set that cannot be written is not told at once: the set keeps the first such failure, its
// caller tells it once, and Commit() then changes nothing. A set that ends without Commit()
// removes what it holds. Sets nest: the innermost one collects.
//
// One commit at a time in a folder: before a file of the set is opened, the set takes the
// folder's commit lock (a flock on the folder itself), waiting a few seconds at most for another
// program's commit; then it finishes there what an interrupted commit left.
//
// Commit() is one step, also when the program is killed or a rename fails: each old file is
// first kept as a copy under a temporary name (".mv-" and six letters); a commit record
// (".mv-commit-" and six letters, the user's alone) naming, by base name in its own folder, each
// member, its temporary file and its kept copy is written and synced; then the members are put
// in place, the folder is synced, and the copies and the record go. A step that fails puts back
// what was changed (the record is first renamed ".mv-undo-...", so that a kill then finishes the
// putting back). A commit that a kill interrupted is finished, forward or back, by the next
// load or save of a file in that folder. A record acts only on regular files of the set's own
// names in its folder, never through a link, and only when it and its files are the user's: any
// other is left alone. A record of the user's left alone is dropped once a later commit has put
// one of its members in place, so that it never puts an older save over a newer one.

#include "platform/CString.h"
#include "platform/StdioFile.h"

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

class CFileSet : private platform::FileCollector {
public:
    CFileSet();
    ~CFileSet() override;
    CFileSet(const CFileSet&) = delete;
    CFileSet& operator=(const CFileSet&) = delete;

    // Before a file of the set is opened: takes the commit lock of its folder and finishes what
    // an interrupted commit left there. False when another program's commit holds the folder
    // past the wait: the set keeps that as its failure.
    bool Enter(const CString& path);

    // Puts every file written into its place, all or none. False when a file of the set could
    // not be written or put in place; Failure() says which.
    bool Commit();

    // The first failure, as "Can't open file %s, error = %u\n" tells it (or that another program
    // is saving in the folder); where a failed commit could not undo itself, followed by the
    // files that now hold the new text. Empty while none failed.
    const CString& Failure() const { return m_failure; }
    // Whether a failed commit left files of the set changed (named in Failure()).
    bool Changed() const { return m_changed; }

    // A file that could not be written, kept by the set the thread writes into as its failure
    // (the first one only); false when no set lives, and the caller tells the failure itself.
    static bool NoteFailure(const char* path, const CFileException& error);
    // The set this thread writes into, if any.
    static CFileSet* Current();

private:
    struct Folder {
        std::string path;
        int fd;
        dev_t dev;
        ino_t ino;
    };
    void Take(platform::WrittenFile file) override;
    const Folder* LockFolder(const std::string& folder);
    void Discard();
    bool Fail(int err, const std::string& target);

    std::vector<platform::WrittenFile> m_held;
    std::deque<Folder> m_folders; // locked by this set, closed at its end (a deque: pointers stay)
    CString m_failure;
    bool m_changed = false;
    CFileSet* m_outer;
    platform::FileCollector* m_outerCollector;
};

namespace filecommit {

// Before a file is read: finishes in its folder what an interrupted commit left, unless a commit
// runs there now; never waits. For a load, one "Warning" box names
// the files of the test when an interrupted commit of it can be neither finished nor undone
// (a read-only folder, another user's record): they come from two saves.
void FinishInterrupted(const CString& path, bool load);

// A file written outside a set (a companion saved alone): `write` runs while this program holds
// the folder's commit lock, taken with the same bounded wait as a set's, after what a kill left
// there is finished; so no commit of another program puts its files over this one or takes it
// back. False, without `write`, and one "Error" box saying so, when another program's commit holds
// the folder past the wait; else what `write` gives.
bool WriteOutsideSet(const CString& path, const std::function<bool()>& write);

// How long a save waits for another program's commit in its folder: `tries` looks, `pause`
// apart (60 looks, 50 ms apart, unless a test shortens it). Gives the wait it replaces.
struct LockWait {
    int tries;
    std::chrono::milliseconds pause;
};
LockWait SetLockWait(LockWait wait);

struct Entry {
    std::string target; // the member
    std::string temp;   // its new text
    std::string old;    // its old text, kept; empty where the commit makes the member
    bool inPlace = false;
};
// A record's text and back; the reader accepts only base names of the set's own forms.
std::string EncodeRecord(const std::vector<Entry>& entries);
bool DecodeRecord(const std::string& text, std::vector<Entry>& entries);

} // namespace filecommit
