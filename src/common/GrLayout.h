#pragma once
// The fixed-column GR files of the older generation of tests: one line per record, every field
// at a fixed (start column, width), every data line of one exact length, '#' comment lines.
// Each test kind describes its GR files as layouts on this one mechanism and reads them with
// the two file shapes below.

#include "platform/CString.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

// A column layout: N (start, width) pairs as 16-bit words, then one word more, the required
// line length. Pair k is words 2k and 2k+1; start columns count from 0.
class GrLayout {
public:
    virtual ~GrLayout() = default;

    int PairCount() const { return static_cast<int>(m_words.size() / 2); }
    int LineLength() const { return m_words.empty() ? 0 : m_words.back(); }
    int Start(int pair) const;
    int Width(int pair) const;

    // The text at the pair's columns, the blanks that fill them kept. A pair outside the layout
    // gives the empty text; columns beyond the end of the line give what the line has.
    CString Cut(const CString& line, int pair) const;

protected:
    // The GR layouts are contiguous: the first pair starts at `firstStart`, each next pair where
    // the previous one ends, one pair per width.
    GrLayout(int firstStart, std::initializer_list<int> widths, int lineLength);
    // A layout whose pairs are not in column order: (start, width) per pair.
    GrLayout(std::initializer_list<std::pair<int, int>> pairs, int lineLength);

private:
    std::vector<int16_t> m_words;
};

// The two file shapes. Both open the file (the open-failure message on failure), pass over
// comment lines and check each data line's length against the layout; a line of another length
// gives "<path> is not in proper <formatName> format." under "ERROR". The line end (LF or
// CR LF) is never counted.

// A single-group file uses its first data line only. Returns 0 for an empty first line (no
// message), a failed open or a wrong length; otherwise `onLine`'s result.
int ReadGrSingleGroup(const CString& path, const GrLayout& layout, const char* formatName,
                      const std::function<int(const CString& line)>& onLine);

// "<path> is not in proper <format> format." under "ERROR".
void ShowGrFormatError(const CString& path, const char* formatName);

// A record file hands every data line to `onLine` with its running number (1, 2, ...);
// `onLine` returns false to stop the import (after its own message). Comment and empty lines
// at the end of the file end it as the end of the file does; an empty line with records after
// it has the wrong length. Returns the number of data lines taken when the file was
// read to its end, -1 when it stopped early or could not be opened; the lines taken before a
// stop stay stored.
//
// `maxRecords` above 0 ends the import, as the end of the file does, once that many lines are
// taken. `padFrom` above 0 pads a data line of at least that length, but shorter than the
// layout's, with blanks up to the layout's length before its length is checked.
int ReadGrRecords(const CString& path, const GrLayout& layout, const char* formatName,
                  const std::function<bool(const CString& line, int number)>& onLine, int maxRecords = 0,
                  int padFrom = 0);

// Clean-up of GR columns that hold numbers. Both trim the text, give the empty text for an empty
// one or one that does not begin with a digit or "-", and cut a trailing ".". A real-number text
// may further hold one "." and an exponent "E" or "e" directly followed by "+" or "-"; any other
// character makes it empty.
CString CleanIntegerField(CString text);
CString CleanRealField(CString text);
