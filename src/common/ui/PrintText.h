#pragma once
// Printing a text file as the sheets do: fixed line height, pieces of at most characters-per-line
// less one characters (a piece ends after a line end), each drawn at x 0 one line below the
// last, a new page when the page's lines are used up. The paging runs over a target, so tests
// see every piece and page break; the program's target is a QPrinter.

#include "platform/CString.h"

#include <QPrinter>

#include <memory>

class QPainter;

class CPrintTarget {
public:
    virtual ~CPrintTarget() = default;
    virtual int LineHeight() const = 0;   // text height plus external leading
    virtual int CharsPerLine() const = 0; // page width / average character width
    virtual int LinesPerPage() const = 0; // page height / line height
    virtual bool StartDoc(const CString& docName) = 0;
    virtual void StartPage() = 0;
    virtual void EndPage() = 0;
    virtual void TextOut(int x, int y, const CString& piece) = 0;
    virtual void EndDoc() = 0;
};

// Prints the file at `path`; false with the "Can't open file" message (application caption)
// when it cannot be read. A file of no lines prints one empty page.
bool PrintTextFile(const CString& path, CPrintTarget& target);

// The target over a printer (a real one or a PDF file). A printer or file that takes no print
// gets one box saying so.
class CPrinterTarget : public CPrintTarget {
public:
    explicit CPrinterTarget(QPrinter& printer);
    ~CPrinterTarget() override;
    int LineHeight() const override { return m_lineHeight; }
    int CharsPerLine() const override { return m_charsPerLine; }
    int LinesPerPage() const override { return m_linesPerPage; }
    bool StartDoc(const CString& docName) override;
    void StartPage() override;
    void EndPage() override;
    void TextOut(int x, int y, const CString& piece) override;
    void EndDoc() override;

private:
    void ShowFailure() const;

    QPrinter& m_printer;
    std::unique_ptr<QPainter> m_painter;
    int m_lineHeight = 1;
    int m_charsPerLine = 80;
    int m_linesPerPage = 60;
    int m_ascent = 0;
    bool m_firstPage = true;
};
