#include "common/CurveCheck.h"

#include "common/Convert.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

CurveErrorRecord::CurveErrorRecord() { Reset(); }

CurveErrorRecord::CurveErrorRecord(const CurveErrorRecord& other) { Copy(other); }

CurveErrorRecord& CurveErrorRecord::operator=(const CurveErrorRecord& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

CurveErrorRecord::~CurveErrorRecord() = default;

void CurveErrorRecord::Reset()
{
    m_nErrorNo = 0;
    m_nCurveNo = 0;
    m_strCurveNo = "000";
    m_nCurveNfp = 999999;
    m_nCurveNlp = 0;
    m_nCurveDel = 0;
    m_nCurveTotal = 0;
    m_nTestNfp = 0;
    m_nTestNlp = 0;
    m_nTestDel = 0;
    m_nTestTotal = 0;
    m_bNfpOk = true;
    m_bNlpOk = true;
    m_bDelOk = true;
    m_bTotalOk = true;
    m_strNote.clear();
    m_strError.clear();
}

void CurveErrorRecord::Copy(const CurveErrorRecord& other)
{
    m_nErrorNo = other.m_nErrorNo;
    m_nCurveNo = other.m_nCurveNo;
    m_nCurveNfp = other.m_nCurveNfp;
    m_nCurveNlp = other.m_nCurveNlp;
    m_nCurveDel = other.m_nCurveDel;
    m_nCurveTotal = other.m_nCurveTotal;
    m_nTestNfp = other.m_nTestNfp;
    m_nTestNlp = other.m_nTestNlp;
    m_nTestDel = other.m_nTestDel;
    m_nTestTotal = other.m_nTestTotal;
    m_bNfpOk = other.m_bNfpOk;
    m_bNlpOk = other.m_bNlpOk;
    m_bDelOk = other.m_bDelOk;
    m_bTotalOk = other.m_bTotalOk;
    m_strNote = other.m_strNote;
    m_strError = other.m_strError;
    FormatCurveNumber();
}

void CurveErrorRecord::FormatCurveNumber()
{
    const std::string number = std::to_string(m_nCurveNo);
    if (m_nCurveNo < 10)
        m_strCurveNo = "00" + number;
    else if (m_nCurveNo < 100)
        m_strCurveNo = "0" + number;
    else
        m_strCurveNo = number;
}

namespace {

// A curve-file line is quoted in its error text; a line of megabytes is cut there, since
// nobody reads more of it in a list cell.
constexpr size_t kMaxQuotedLine = 1000;
// Only the first error of a file reaches its record; a file of garbage keeps no more than
// these so that its messages cannot outgrow the file itself many times over.
constexpr size_t kMaxFileErrors = 100;

// Curve files are read in pieces of this size.
constexpr size_t kReadPiece = 256 * 1024;
// A line longer than this is no point of a curve: it is judged bad unread.
constexpr size_t kMaxLine = 1024 * 1024;

int ClampToInt(long long v)
{
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

int ClampToInt(double v)
{
    if (!(v < 2147483647.0))
        return std::numeric_limits<int>::max();
    if (!(v > -2147483648.0))
        return std::numeric_limits<int>::min();
    return static_cast<int>(v); // truncates toward zero
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The value of a text that IsRealNumberView accepted.
double RealValue(std::string_view text)
{
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size())
        return value;
    // Out of range, or a form such as "-." that from_chars refuses: the C library decides.
    return StdToDouble(CString(text));
}

std::string HintNlp(long long nlp, long long totalLess1)
{
    return "Hint: NLP = " + std::to_string(nlp) + " or NLP - NFP = Total Point - 1 = " + std::to_string(totalLess1) +
           " where NLP = 'Last Point' and NFP = 'First Point'";
}

// Ends a value of the usual line: a blank, or the line's end (a CR is one only right before its LF).
bool EndsValue(const char* q) { return *q == ' ' || *q == '\t' || *q == '\n' || (*q == '\r' && q[1] == '\n'); }

// Steps over one value that IsRealNumberView accepts and the line's layout ends (`lf`: an LF known
// to follow); false for any other text, which the full rules then judge.
bool SkipRealNumber(const char*& q, const char* lf)
{
    const size_t length = RealNumberLength(std::string_view(q, static_cast<size_t>(lf - q)));
    if (length == 0)
        return false;
    q += length;
    return EndsValue(q);
}

struct CurveScan {
    long long points = 0;
    long long lines = 0;
    long long timeZeroMark = 9999999; // none
    double timeStep = -1.0;
};

enum class ReadResult { Read, Bad, TooLarge };

// What reading one curve file gives: its record and its number of values per line.
struct CurveRead {
    CurveErrorRecord record;
    int columns = 0;
};

// Reads curve files one after another, keeping for each its column count and its first error
// texts. One reader serves one thread; its piece buffer is reused from file to file.
class CurveFileReader {
public:
    explicit CurveFileReader(size_t keptErrors) : m_keptErrors(keptErrors) {}

    CurveRead Read(const std::string& path);
    std::vector<std::string>& Errors() { return m_errors; }

private:
    ReadResult Scan(const std::string& path, CurveErrorRecord& record);
    void ScanLines(const std::string& path, const char* p, const char* lastNl, CurveScan& scan);
    const char* ScanUsualLine(const char* p, const char* lastNl, CurveScan& scan);
    void ScanLine(const std::string& path, std::string_view line, CurveScan& scan);
    void CountPoint(std::string_view first, CurveScan& scan);
    void EndLine(const std::string& path, const std::string& line, bool overlong, CurveScan& scan);
    void AddLineError(const std::string& path, int lineNo, bool mixed, std::string_view line);

    size_t m_keptErrors;
    int m_columns = 0;
    std::vector<std::string> m_errors;
    std::string m_buffer;
};

CurveRead CurveFileReader::Read(const std::string& path)
{
    m_columns = 0;
    m_errors.clear();
    CurveRead read;
    CurveErrorRecord& record = read.record;
    const ReadResult result = Scan(path, record);
    read.columns = m_columns;
    if (result != ReadResult::Read) {
        record.m_nCurveTotal = 0;
        record.m_strError = result == ReadResult::TooLarge ? "Curve data file is larger than " +
                                                                  std::to_string(CCurveCheck::kMaxCurveFileSize >> 20) +
                                                                  " MB, not read"
                                                            : "Curve data file is bad or not exist";
        return read;
    }
    const std::string extension = FileExtension(path);
    record.m_nCurveNo = StdToInt(CString(extension));
    record.m_strCurveNo = extension;
    if (!m_errors.empty())
        record.m_strError = m_errors.front();
    return read;
}

// The file is read in pieces and each line judged as it completes, so that memory stays the same
// whatever the file's size. Only a plain file is read: a pipe or a device in the folder would
// wait for ever or never end.
ReadResult CurveFileReader::Scan(const std::string& path, CurveErrorRecord& record)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return ReadResult::Bad;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadResult::Bad;
    }
    if (static_cast<unsigned long long>(st.st_size) > CCurveCheck::kMaxCurveFileSize) {
        ::close(fd);
        return ReadResult::TooLarge;
    }
    CurveScan scan;
    m_buffer.resize(kReadPiece);
    std::string line;      // a line that runs on past the piece it began in
    bool overlong = false; // that line is past kMaxLine: only its start is kept, to be quoted
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, m_buffer.data(), m_buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        const char* p = m_buffer.data();
        const char* const end = p + n;
        while (p < end) {
            if (line.empty() && !overlong) {
                // The usual case: the lines that end in this piece are judged where they stand.
                const auto* lastNl = static_cast<const char*>(::memrchr(p, '\n', static_cast<size_t>(end - p)));
                if (lastNl) {
                    ScanLines(path, p, lastNl, scan);
                    p = lastNl + 1;
                    continue;
                }
            }
            const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            const char* stop = nl ? nl : end;
            if (!overlong)
                line.append(p, static_cast<size_t>(stop - p));
            if (line.size() > kMaxLine) {
                overlong = true;
                line.resize(kMaxQuotedLine + 1);
            }
            if (nl) {
                EndLine(path, line, overlong, scan);
                line.clear();
                overlong = false;
            }
            p = nl ? nl + 1 : end;
        }
    }
    ::close(fd);
    if (!line.empty() || overlong)
        EndLine(path, line, overlong, scan);
    if (!ok)
        return ReadResult::Bad;

    if (m_columns == 2) {
        record.m_nCurveNfp = ClampToInt(-scan.timeZeroMark);
        record.m_nCurveNlp = ClampToInt(scan.points - scan.timeZeroMark - 1);
        record.m_nCurveDel = ClampToInt(scan.timeStep * 1000000.0);
    }
    record.m_nCurveTotal = ClampToInt(scan.points);
    return ReadResult::Read;
}

// The lines from p through the LF at lastNl.
void CurveFileReader::ScanLines(const std::string& path, const char* p, const char* lastNl, CurveScan& scan)
{
    while (p <= lastNl) {
        const char* nl = ScanUsualLine(p, lastNl, scan);
        if (!nl) {
            nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(lastNl - p) + 1));
            ScanLine(path, std::string_view(p, static_cast<size_t>(nl - p)), scan);
        }
        p = nl + 1;
    }
}

// Nearly every line of a curve file is one or two numbers in the file's own layout: such a line is
// judged in one pass as ScanLine would judge it. The line runs to an LF known to follow; returns
// that LF, or nullptr, having changed nothing, for any other line.
const char* CurveFileReader::ScanUsualLine(const char* p, const char* lastNl, CurveScan& scan)
{
    const char* q = p;
    std::string_view first;
    int values = 0;
    for (;;) {
        while (*q == ' ' || *q == '\t')
            ++q;
        if (*q == '\n')
            break;
        if (*q == '\r' && q[1] == '\n') {
            ++q;
            break;
        }
        if (values == 2)
            return nullptr;
        const char* start = q;
        if (!SkipRealNumber(q, lastNl))
            return nullptr;
        if (values == 0)
            first = std::string_view(start, static_cast<size_t>(q - start));
        ++values;
    }
    if (values == 0)
        return q; // a blank line is passed over
    if (m_columns != 0 && values != m_columns)
        return nullptr;
    m_columns = values;
    ++scan.lines;
    CountPoint(first, scan);
    return q;
}

// One line: its values are cut where they stand, and only a line in error is ever copied. A line
// is judged whole, however long: cut after some characters, a damaged value behind a good one
// would pass unseen.
void CurveFileReader::ScanLine(const std::string& path, std::string_view line, CurveScan& scan)
{
    std::string_view first, second;
    long long values = 0;
    const char* q = line.data();
    const char* const qEnd = q + (line.empty() || line.back() != '\r' ? line.size() : line.size() - 1);
    while (q < qEnd) {
        while (q < qEnd && IsBlank(*q))
            ++q;
        if (q == qEnd)
            break;
        const char* start = q;
        while (q < qEnd && !IsBlank(*q))
            ++q;
        if (values == 0)
            first = std::string_view(start, static_cast<size_t>(q - start));
        else if (values == 1)
            second = std::string_view(start, static_cast<size_t>(q - start));
        ++values;
    }
    if (values == 0)
        return;
    ++scan.lines;

    bool mixed = false;
    if (m_columns == 0)
        m_columns = ClampToInt(values);
    else if (values != m_columns)
        mixed = true;

    const bool valid = values == m_columns && (m_columns == 1 || m_columns == 2) && IsRealNumberView(first) &&
                       (m_columns == 1 || IsRealNumberView(second));
    if (!valid) {
        AddLineError(path, ClampToInt(scan.lines), mixed,
                     std::string_view(line.data(), static_cast<size_t>(qEnd - line.data())));
        return;
    }
    CountPoint(first, scan);
}

// A valid line whose first value is `first`.
void CurveFileReader::CountPoint(std::string_view first, CurveScan& scan)
{
    ++scan.points;
    if (m_columns == 2 && scan.timeStep == -1.0) {
        const double t = RealValue(first);
        if (std::fabs(t) < 0.000001)
            scan.timeZeroMark = scan.lines - 1;
        else if (scan.lines == scan.timeZeroMark + 2)
            scan.timeStep = t;
    }
}

void CurveFileReader::EndLine(const std::string& path, const std::string& line, bool overlong, CurveScan& scan)
{
    if (!overlong) {
        ScanLine(path, line, scan);
        return;
    }
    // A line of more than a megabyte is no point of a curve; it is quoted by its start.
    ++scan.lines;
    AddLineError(path, ClampToInt(scan.lines), false, line);
}

void CurveFileReader::AddLineError(const std::string& path, int lineNo, bool mixed, std::string_view line)
{
    if (m_errors.size() >= m_keptErrors)
        return;
    std::string quoted;
    bool cut = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = IsBlank(line[i]) ? ' ' : line[i];
        if (c == ' ' && (quoted.empty() || quoted.back() == ' '))
            continue;
        if (quoted.size() >= kMaxQuotedLine) {
            cut = true;
            break;
        }
        quoted += c;
    }
    while (!quoted.empty() && quoted.back() == ' ')
        quoted.pop_back();
    if (cut)
        quoted += "...";
    std::string text = "Curve error in " + path + ", point " + std::to_string(lineNo) + ": ";
    if (mixed)
        text += "Mess Y and A-Y format; ";
    text += quoted + " is not real number" + ". View curve errors, correct and reload this test";
    m_errors.push_back(std::move(text));
}

// Reads the curve files side by side, one reader per core, and hands back their results in the
// order of `paths` whatever order they finish in. Each reader holds one piece of one file at a
// time, so memory follows the number of cores, not the files. Only the first error text of each
// file is kept: no more reaches its record. A fault in any reader reaches the caller once all
// have stopped.
std::vector<CurveRead> ReadSideBySide(const std::vector<std::string>& paths, unsigned readers)
{
    std::vector<CurveRead> reads(paths.size());
    std::vector<std::exception_ptr> faults(paths.size());
    std::atomic<size_t> next {0};
    std::atomic<bool> failed {false};
    const auto work = [&]() noexcept {
        CurveFileReader reader(1);
        for (size_t i = next++; i < paths.size() && !failed; i = next++) {
            try {
                reads[i] = reader.Read(paths[i]);
            } catch (...) {
                faults[i] = std::current_exception();
                failed = true;
            }
        }
    };
    std::vector<std::thread> threads;
    const size_t helpers = std::min<size_t>(std::max(readers, 1u), paths.size()) - (paths.empty() ? 0 : 1);
    threads.reserve(helpers);
    for (size_t t = 0; t < helpers; ++t) {
        try {
            threads.emplace_back(work);
        } catch (...) {
            break; // no more threads to be had: those started and this one share the files
        }
    }
    work();
    for (std::thread& thread : threads)
        thread.join();
    for (const std::exception_ptr& fault : faults) {
        if (fault)
            std::rethrow_exception(fault);
    }
    return reads;
}

} // namespace

CCurveCheck::CCurveCheck() = default;

CCurveCheck::CCurveCheck(std::string path) : m_strPath(std::move(path)) {}

CCurveCheck::~CCurveCheck() = default;

int CCurveCheck::CheckCurveFiles()
{
    if (m_strPath.empty())
        return 0;
    m_arrFiles.clear();
    ListCurveFolder(m_strPath, m_arrFiles);
    std::vector<std::string> curves;
    for (CString& entry : m_arrFiles) {
        entry.Trim();
        const CString extension(FileExtension(entry.str()));
        if (IsIntegerText(extension) && StdToInt(extension) >= 1)
            curves.push_back(entry.str());
    }
    const std::vector<CurveRead> reads = ReadSideBySide(curves, std::thread::hardware_concurrency());
    // The comparison judges every record by one column count. A damaged or empty file at the end
    // of the folder must not decide it for all the good files before it.
    int lastFormat = 0;
    m_vRecords.reserve(m_vRecords.size() + reads.size());
    for (const CurveRead& read : reads) {
        m_vRecords.push_back(read.record);
        m_nColumns = read.columns;
        if (m_nColumns == 1 || m_nColumns == 2)
            lastFormat = m_nColumns;
    }
    if (m_nColumns != 1 && m_nColumns != 2 && lastFormat != 0)
        m_nColumns = lastFormat;
    m_vFileErrors.clear();
    return static_cast<int>(m_vRecords.size());
}

void CCurveCheck::ListCurveFolder(std::string path, std::vector<CString>& list)
{
    size_t slash = path.rfind('\\');
    if (slash == std::string::npos)
        slash = path.rfind('/');
    if (slash == std::string::npos)
        return;
    ListFiles(path.substr(0, slash + 1), list);
}

void CCurveCheck::ListFiles(std::string folder, std::vector<CString>& list)
{
    list.clear();
    if (folder.empty() || (folder.back() != '\\' && folder.back() != '/'))
        folder += '/';
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        bool isDir = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat st {};
            isDir = ::stat((folder + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        }
        if (!isDir)
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    list.reserve(names.size());
    for (const std::string& name : names)
        list.emplace_back(folder + name);
}

void CCurveCheck::ReadCurveFile(std::string path)
{
    CurveFileReader reader(kMaxFileErrors);
    const CurveRead read = reader.Read(path);
    m_nColumns = read.columns;
    m_vFileErrors = std::move(reader.Errors());
    m_vRecords.push_back(read.record);
}

void CCurveCheck::MergeChannelInfo(CStringArray& first, CStringArray& last, CStringArray& step)
{
    // -1 marks a channel without a curve file; 0 would name the first record.
    m_vChannelIndex.assign(static_cast<size_t>(first.GetSize()), -1);
    m_bChannelInfo = true;
    for (size_t i = 0; i < m_vRecords.size(); ++i) {
        const int c = m_vRecords[i].m_nCurveNo;
        // Curve 0 is an unreadable file, and a curve beyond the test's channels has nothing to
        // be compared with: both keep what the reading found.
        if (c < 1 || c >= first.GetSize())
            continue;
        m_vChannelIndex[static_cast<size_t>(c)] = static_cast<int>(i);
        SetRecordChannelInfo(static_cast<int>(i), m_vRecords, first[c], last[c], step[c]);
    }
}

void CCurveCheck::SetRecordChannelInfo(int index, std::vector<CurveErrorRecord>& records, CString first, CString last,
                                       CString step)
{
    if (index < 0 || static_cast<size_t>(index) >= records.size())
        return;
    CurveErrorRecord& r = records[static_cast<size_t>(index)];
    r.m_nTestNfp = StdToInt(first);
    r.m_nTestNlp = StdToInt(last);
    r.m_nTestDel = StdToInt(step);
    CompareRecord(index, records);
}

void CCurveCheck::CompareRecord(int index, std::vector<CurveErrorRecord>& records)
{
    if (index < 0 || static_cast<size_t>(index) >= records.size())
        return;
    CurveErrorRecord& r = records[static_cast<size_t>(index)];
    // In 64 bits: point numbers typed by the user may sit at the ends of the int range.
    const long long testNfp = r.m_nTestNfp;
    const long long testNlp = r.m_nTestNlp;
    const long long total = r.m_nCurveTotal;
    r.m_nTestTotal = ClampToInt(testNlp - testNfp + 1);

    if (m_nColumns == 1) {
        const long long nlp = total + testNfp - 1;
        r.m_nCurveNlp = ClampToInt(nlp);
        const bool agree = total == testNlp - testNfp + 1;
        r.m_bNfpOk = r.m_bNlpOk = r.m_bTotalOk = agree;
        r.m_strNote = agree ? std::string() : HintNlp(nlp, total - 1);
        return;
    }

    const long long nlp = total + r.m_nCurveNfp - 1;
    r.m_nCurveNlp = ClampToInt(nlp);
    if (testNlp - testNfp == total - 1) {
        r.m_bNfpOk = r.m_bNlpOk = r.m_bTotalOk = true;
        r.m_strNote.clear();
    } else {
        r.m_bNfpOk = r.m_nCurveNfp == r.m_nTestNfp;
        r.m_bNlpOk = nlp == testNlp;
        r.m_bTotalOk = total == testNlp - testNfp + 1;
    }
    r.m_bDelOk = r.m_nCurveDel == r.m_nTestDel;
    if (!r.m_bDelOk)
        r.m_strNote = "Hint: replacing 'Time Step' =" + std::to_string(r.m_nTestDel) + " with " +
                      std::to_string(r.m_nCurveDel);
    if (!r.m_bNfpOk || !r.m_bNlpOk || !r.m_bTotalOk)
        r.m_strNote = HintNlp(nlp, total - 1);
}
