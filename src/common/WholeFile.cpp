#include "common/WholeFile.h"

#include "common/FileSet.h"

#include "platform/Time.h"

CString DateCommentLine()
{
    const CTime now = CTime::GetCurrentTime();
    CString line;
    line.Format("# Date: <%d/%d/%d>\n", now.GetMonth(), now.GetDay(), now.GetYear());
    return line;
}

bool WriteWholeFile(const CString& path, const std::function<void(CStdioFile&)>& body)
{
    CStdioFile file;
    CFileException error;
    // A file of a set is told by the set's owner, once, with what its failure stopped.
    auto fail = [&path](const CFileException& e) {
        if (!CFileSet::NoteFailure(path, e))
            ShowCantOpenFile(path, e);
        return false;
    };
    auto write = [&] {
        if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText, &error))
            return fail(error);
        body(file);
        if (!file.Close()) {
            error.m_cause = file.GetLastCause();
            return fail(error);
        }
        return true;
    };
    // One commit at a time in the folder, and none left half done by a kill under this save.
    if (CFileSet* set = CFileSet::Current())
        return set->Enter(path) && write();
    return filecommit::WriteOutsideSet(path, write);
}

bool ReadWholeFile(const CString& path, bool showError, const std::function<void(CStdioFile&)>& body,
                   CFileException* error)
{
    filecommit::FinishInterrupted(path, true);
    CStdioFile file;
    CFileException cause;
    if (!file.Open(path, CFile::modeRead | CFile::typeText, &cause)) {
        if (showError)
            ShowCantOpenFile(path, cause);
        if (error)
            *error = cause;
        return false;
    }
    body(file);
    file.Close();
    return true;
}
