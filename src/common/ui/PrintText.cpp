#include "common/ui/PrintText.h"

#include "platform/Codec.h"
#include "platform/Messages.h"
#include "platform/Path.h"
#include "platform/StdioFile.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <string>

namespace {

// The file's text as a text-mode read gives it: CR LF read as LF. The file layer opens it, so a
// folder, pipe or device named like the file is refused as every reader refuses it, unread.
bool ReadText(const CString& path, std::string& text, CFileException& error)
{
    CStdioFile file;
    if (!file.Open(path.GetString(), CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary, &error))
        return false;
    const std::string& raw = file.Content();
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
    CFileException error;
    if (!ReadText(path, text, error)) {
        AfxMessageBox(CantOpenFileText(path.GetString(), error));
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
