#pragma once
// A companion of a test: the cameras' .hs5 data file and .hsr report (CHighSpeedVideoData), the
// intrusion points' .ip5 and .ipr (CIntrusionData). A companion lies beside the test file or the
// test report under the same base name, holds one section of records that all carry the one test
// reference of the whole test, and is read and written whole through the section tables: the
// source line, the date line, the section, the end line.

#include "common/Sections.h"
#include "common/WholeFile.h"
#include "platform/CString.h"
#include "platform/StdioFile.h"

#include <functional>
#include <span>

class CCompanionData {
public:
    // The test reference of the whole test, on every record of the files.
    CString m_strTestReference;

    // What a companion read brings to the test reference of its test (`test`): the companion's,
    // and only when the test has none, so that a companion never overrules the test.
    void LendTestReference(CString& test) const;
};

// How one kind of companion is written: its first head line, the extensions of its data file
// and its report, its section, and the sections of each file.
template <class D> struct CompanionFormat {
    const char* source;
    const char* dataExt;
    const char* reportExt;
    const Section<D>* section;
    std::span<const FileSection<D>> data;
    std::span<const FileSection<D>> report;
};

// The file side of a companion class `D`, which names its format in `static const
// CompanionFormat<D>& Format()`.
template <class D> class CCompanionFile : public CCompanionData {
public:
    // The data file and the report beside a test whose path less its extension is `base`.
    static CString DataFileBeside(const CString& base) { return base + "." + D::Format().dataExt; }
    static CString ReportFileBeside(const CString& base) { return base + "." + D::Format().reportExt; }

protected:
    // The file's section read over the records held (records beyond its last are kept);
    // `beforeStore` (may be empty) runs before record n is stored. A failed open says so when
    // `showError` is set, and gives false.
    bool ReadCompanion(const CString& path, bool showError, const std::function<void(int n)>& beforeStore = {})
    {
        D& data = static_cast<D&>(*this);
        return ReadWholeFile(path, showError, [&](CStdioFile& file) {
            ReadRecords(data, file, *D::Format().section, 5, beforeStore);
        });
    }

    // The data file or the report (`report`): nothing at all while `written` is false, else the
    // head lines, the section (without records, its marker alone) and the end line.
    bool WriteCompanion(const CString& path, bool report, bool written = true)
    {
        if (!written)
            return false;
        D& data = static_cast<D&>(*this);
        const CompanionFormat<D>& format = D::Format();
        return WriteWholeFile(path, [&](CStdioFile& file) {
            file.WriteString(format.source);
            file.WriteString(DateCommentLine());
            if (report)
                ReportSections<D>(data, file, format.report);
            else
                WriteSections<D>(data, file, format.data);
            file.WriteString("----- END -----\n");
        });
    }
};
