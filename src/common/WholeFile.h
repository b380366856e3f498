#pragma once
// A file of the test-file family read or written whole, and the date line in the head of every
// file written.

#include "platform/CString.h"
#include "platform/StdioFile.h"

#include <functional>

// Creates `path` and lets `body` write it; the file is put in place only when all of it was
// written. The folder's commit lock is taken first, within a set by the set (CFileSet::Enter),
// outside one for the write alone (filecommit::WriteOutsideSet, which says so in a box when another
// program's commit holds it past the wait). A failed open, write or close
// shows "Can't open file %s, error = %u\n" with the cause code (kept by the live CFileSet
// instead, whose owner tells it) and gives false, leaving an older file of that name untouched.
bool WriteWholeFile(const CString& path, const std::function<void(CStdioFile&)>& body);

// Opens `path` for reading and lets `body` read it, once what an interrupted commit left in its
// folder is finished (filecommit::FinishInterrupted: a test whose files come from two saves is
// named in one box). A failed open shows "Can't open file %s,
// error = %u\n" with the cause code when `showError` is set, gives the cause in `error` when one
// is asked for, and gives false.
bool ReadWholeFile(const CString& path, bool showError, const std::function<void(CStdioFile&)>& body,
                   CFileException* error = nullptr);

// "# Date: <month/day/year>\n" of the local date now, without leading zeros: the second head
// line of every written file of the test-file family.
CString DateCommentLine();
