#include "app/About.h"

#include "codes/DatabaseVersion.h"
#include "platform/Version.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>

#include <cmath>

namespace {

// The page is part of the program itself, so that it shows wherever the program runs.
const char* const kAboutPage = R"(<html>
<body id="CAbout">
<table width="100%">
<tr><td height="24"><b>Morvel edits, validates and generates MV5 files as defined in the KAVRO Crash Test Data Guides, as required by the Vehicle Crash Safety Research Act.</b></td></tr>
<tr><td height="87">&nbsp;<br>&nbsp;<br>&nbsp;<br>&nbsp;<br>&nbsp;</td></tr>
<tr><td height="60">Technical support: <a href="mailto:morvel-support@example.org">morvel-support@example.org</a><br>Developed for KAVRO by the Morvel developers.</td></tr>
</table>
<table align="center" width="100" border="1" cellspacing="0" cellpadding="3">
<tr><td align="center"><a id="ButtonOK" href="#ButtonOK">OK</a></td></tr>
</table>
</body>
</html>
)";

QWidget* MakePage(QWidget* parent)
{
    auto* page = new QTextBrowser(parent);
    page->setOpenLinks(false);
    page->setFrameShape(QFrame::NoFrame);
    // The dialog is sized to the page, so the page never scrolls.
    page->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    page->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The page sits on the button-face colour, as the dialog does.
    QPalette palette = page->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    page->setPalette(palette);
    page->setHtml(QString::fromUtf8(kAboutPage));
    return page;
}

const DlgTemplate kAboutTemplate {
    "About Morvel V5",
    361,
    234,
    "DejaVu Sans",
    8,
    false,
    {
        {IDC_ABOUT_PAGE, DlgKind::Custom, "", 7, 7, 347, 220, 0, MakePage},
        {-1, DlgKind::Picture, "", 14, 18, 53, 46},
        {IDC_ABOUT_NOTICE, DlgKind::Static, "Provided for KAVRO test data work.", 46, 89, 130, 8},
        {IDC_ABOUT_VERSION, DlgKind::Static, "Version  ", 46, 99, 100, 8},
        {IDC_ABOUT_DB_VERSION, DlgKind::Static, "Database Version  ", 46, 108, 100, 8},
        {-1, DlgKind::GroupBox, "", 7, 7, 347, 220},
    },
};

} // namespace

CAbout::CAbout(QWidget* parent)
    : CDialog(&kAboutTemplate, parent)
{
}

void CAbout::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_ABOUT_VERSION, m_strVersion); }

BOOL CAbout::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* page = Item<QTextBrowser>(IDC_ABOUT_PAGE)) {
        connect(page, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
            // The support address opens the user's mail program, as a mail link in a page does.
            if (url.scheme() == "mailto")
                QDesktopServices::openUrl(url);
            else
                OnHtmlClick(url.fragment());
        });
    }

    m_strVersion = "Version: ";
    m_strVersion += GetProductVersionText();
    SetDlgItemText(IDC_ABOUT_VERSION, m_strVersion);

    m_strDbVersion = "Database Version: ";
    SetDlgItemText(IDC_ABOUT_DB_VERSION, m_strDbVersion);
    CString version;
    if (QueryDatabaseVersion(version))
        m_strDbVersion += version;
    else
        m_strDbVersion += "No Database Version Table.";
    SetDlgItemText(IDC_ABOUT_DB_VERSION, m_strDbVersion);
    LayOutPage();
    return TRUE;
}

void CAbout::LayOutPage()
{
    auto* page = Item<QTextBrowser>(IDC_ABOUT_PAGE);
    auto* frame = findChild<QGroupBox*>();
    if (!page || !frame)
        return;
    // The frame lies under the page, inside which the page leaves room for it: a click on the
    // page's links and OK button reaches the page.
    const QRect inner = frame->contentsRect().translated(frame->pos()).adjusted(2, 2, -2, -2);
    const QMargins border(inner.left() - frame->x(), inner.top() - frame->y(),
                          frame->geometry().right() - inner.right(), frame->geometry().bottom() - inner.bottom());
    page->setGeometry(inner);
    page->raise();

    // The three lines of the notice and the versions stand over the page's empty middle row
    // (a blank line above and below them), found in the page's own layout so that they line up
    // with its text at any font size.
    QTextDocument* doc = page->document();
    doc->setTextWidth(inner.width());
    const int pageHeight = static_cast<int>(std::ceil(doc->size().height()));
    const int lines[] = {IDC_ABOUT_NOTICE, IDC_ABOUT_VERSION, IDC_ABOUT_DB_VERSION};
    QTextTable* table = nullptr;
    for (QTextFrame* child : doc->rootFrame()->childFrames()) {
        if ((table = qobject_cast<QTextTable*>(child)))
            break;
    }
    if (table && table->rows() > 1) {
        const QTextBlock spacer = table->cellAt(1, 0).firstCursorPosition().block();
        const QRectF box = doc->documentLayout()->blockBoundingRect(spacer);
        const QTextLayout* layout = spacer.layout();
        for (int i = 0; i < 3; ++i) {
            QWidget* label = GetDlgItem(lines[i]);
            if (!label)
                continue;
            const QTextLine line = layout->lineCount() > i + 1 ? layout->lineAt(i + 1) : QTextLine();
            const int lineHeight = line.isValid() ? static_cast<int>(std::ceil(line.height())) : label->height();
            const int top = static_cast<int>(box.top() + (line.isValid() ? line.y() : (i + 1) * lineHeight));
            const int left = static_cast<int>(box.left());
            label->setGeometry(inner.x() + left, inner.y() + top, inner.width() - 2 * left, lineHeight);
            label->raise();
        }
    }
    for (auto* label : findChildren<QLabel*>())
        label->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The dialog ends below the page: no empty half under the OK button.
    page->resize(inner.width(), pageHeight);
    frame->setGeometry(page->geometry().marginsAdded(border));
    resize(width(), frame->geometry().bottom() + 1 + Units().y(7));
}

void CAbout::OnHtmlClick(const QString& elementId)
{
    if (elementId == "ButtonOK")
        OnOK();
    else if (elementId == "ButtonCancel")
        OnCancel();
}
