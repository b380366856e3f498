#pragma once
// The GR record files whose lines name their own record (the curves of every kind's GR5 file, by
// curve number): each line is stored, through its section's table, at the record it names.

#include "common/GrLayout.h"
#include "common/Sections.h"

#include <algorithm>

struct NumberedGrImport {
    int taken = -1;  // as ReadGrRecords: the lines taken, -1 when the import stopped early
    int highest = 0; // the highest record stored, whatever the lines' order; 0 when none
    int last = 0;    // the record of the last line stored; 0 when none
};

// Element 0 of the record arrays holds no record: a line whose number is blank, zero or below
// is a damaged line, shown as the file's format error, and ends the import there (the records
// stored before it stay).
template <class D>
NumberedGrImport ImportNumberedGrRecords(D& data, const Section<D>& section, const GrLayout& layout,
                                         const CString& path, const char* formatName)
{
    NumberedGrImport result;
    result.taken = ReadGrRecords(path, layout, formatName, [&](const CString& line, int) {
        const int n = GrRecordNumber(section, layout, line);
        if (n < 1) {
            ShowGrFormatError(path, formatName);
            return false;
        }
        ImportRecordLine(data, section, layout, line, n);
        result.highest = std::max(result.highest, n);
        result.last = n;
        return true;
    });
    return result;
}
