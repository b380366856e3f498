#include "common/TestFile.h"

#include "common/RecordLine.h"
#include "common/SectionReader.h"
#include "common/WholeFile.h"
#include "platform/StdioFile.h"
#include "platform/Path.h"

#include <algorithm>
#include <cctype>

TestFileResult NotOffered(const char* kind, const char* what)
{
    return TestFileResult::Failure(CString(kind) + " tests have no " + what + ".");
}

TestFileResult ReadTestOfKind(const CString& path, int version, const char* kind, char letter,
                              const std::vector<int>& v4Separators, const std::function<bool()>& read)
{
    bool found = false;
    const bool opened = ReadWholeFile(path, false, [&](CStdioFile& file) {
        ReadSection(file, SectionMarker("TEST"), [&](const SectionRecord& record) {
            // Version 4 puts a field in front of the version-5 layout: its Version Number is
            // field 1, which version 4 does not require; a letter there names the kind.
            CString field = GetFields(record.line, version == 5 ? 0 : 1, version == 5 ? 1 : 2);
            const char first = field.MakeUpper().GetAt(0);
            if (version == 5) {
                found = first == letter;
            } else {
                found = first == letter || !std::isalpha(static_cast<unsigned char>(first));
                found = found && std::find(v4Separators.begin(), v4Separators.end(), record.separators) !=
                                     v4Separators.end();
            }
            return false;
        });
    });
    if (!opened || found)
        return TestFileResult::Of(read());
    return TestFileResult::Failure(CString("File ") + PathForMessage(path) + " is not a " + kind + " test.");
}
