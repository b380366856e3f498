#include "common/ui/PrintText.h"

#include "platform/Codec.h"
#include "platform/Messages.h"
#include "platform/Path.h"
#include "platform/StdioFile.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

// The file's text as a text-mode read gives it: CR LF read as LF.
bool ReadText(const CString& path, std::string& text, int& cause)
{
    // A pipe or device would block the print; a file larger than any test would take the memory.
    struct stat st {};
    if (::stat(path.GetString(), &st) == 0 &&
        (!S_ISREG(st.st_mode) || static_cast<unsigned long long>(st.st_size) > CStdioFile::kMaxReadSize)) {
        cause = 5;
        return false;
    }
    FILE* f = std::fopen(path.GetString(), "rb");
    if (!f) {
        cause = errno == ENOENT ? 2 : errno == EACCES ? 5 : 3;
        return false;
    }
    std::string raw;
    char buffer[65536];
    size_t n = 0;
    bool ok = true;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        raw.append(buffer, n);
    if (std::ferror(f))
        ok = false;
    std::fclose(f);
    if (!ok) {
        cause = 3; // a folder or an unreadable file
        return false;
    }
    text.clear();
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
            continue;
        text.push_back(raw[i]);
    }
    return true;
}

} // namespace

bool PrintTextFile(const CString& path, CPrintTarget& target)
{
    std::string text;
    int cause = 0;
    if (!ReadText(path, text, cause)) {
        CString message;
        message.Format("Can't open file %s, error = %u\n", PathForMessage(path).GetString(), static_cast<unsigned>(cause));
        AfxMessageBox(message);
        return false;
    }
    const int lineHeight = target.LineHeight();
    // A piece holds at least one character, however narrow the page.
    const size_t pieceMax = static_cast<size_t>(std::max(1, target.CharsPerLine() - 1));
    const int linesPerPage = std::max(1, target.LinesPerPage());
    if (!target.StartDoc(path))
        return false;
    target.StartPage();
    int line = 0;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = at;
        while (end < text.size() && end - at < pieceMax) {
            if (text[end++] == '\n')
                break;
        }
        if (line == linesPerPage) {
            target.EndPage();
            target.StartPage();
            line = 0;
        }
        target.TextOut(0, lineHeight * line, CString(text.substr(at, end - at)));
        ++line;
        at = end;
    }
    target.EndPage();
    target.EndDoc();
    return true;
}

CPrinterTarget::CPrinterTarget(QPrinter& printer)
    : m_printer(printer)
{
    QFont font(QStringLiteral("DejaVu Sans Mono"), 10);
    const QFontMetrics metrics(font, &printer);
    m_lineHeight = std::max(1, metrics.height() + metrics.leading());
    m_ascent = metrics.ascent();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    m_charsPerLine = std::max(2, page.width() / std::max(1, metrics.averageCharWidth()));
    m_linesPerPage = std::max(1, page.height() / m_lineHeight);
}

CPrinterTarget::~CPrinterTarget() = default;

bool CPrinterTarget::StartDoc(const CString& docName)
{
    m_printer.setDocName(PathToQString(docName));
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(&m_printer)) {
        m_painter.reset();
        ShowFailure();
        return false;
    }
    m_painter->setFont(QFont(QStringLiteral("DejaVu Sans Mono"), 10));
    m_firstPage = true;
    return true;
}

void CPrinterTarget::StartPage()
{
    // The painter opens the first page itself.
    if (!m_firstPage && m_painter)
        m_printer.newPage();
    m_firstPage = false;
}

void CPrinterTarget::EndPage() {}

void CPrinterTarget::TextOut(int x, int y, const CString& piece)
{
    if (!m_painter)
        return;
    QString line = ToQString(piece);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    m_painter->drawText(x, y + m_ascent, line);
}

void CPrinterTarget::EndDoc()
{
    if (!m_painter)
        return;
    const bool ended = m_painter->end();
    m_painter.reset();
    if (!ended || m_printer.printerState() == QPrinter::Error)
        ShowFailure();
}

void CPrinterTarget::ShowFailure() const
{
    const QString file = m_printer.outputFileName();
    const CString text = file.isEmpty()
                             ? CString("Nothing was printed: the printer ") + FromQString(m_printer.printerName()) +
                                   " did not take the print."
                             : CString("Nothing was printed: the PDF file ") + PathForMessage(PathFromQString(file)) +
                                   " could not be written.";
    AfxMessageBox(text);
}
