#include "app/About.h"

#include "codes/DatabaseVersion.h"
#include "platform/Version.h"

#include <QDesktopServices>
#include <QPalette>
#include <QTextBrowser>
#include <QUrl>

namespace {

// The page is part of the program itself, so that it shows wherever the program runs.
const char* const kAboutPage = R"(<html>
<body id="CAbout">
<table width="100%">
<tr><td height="24"><b>Morvel edits, validates and generates MV5 files as defined in the KAVRO Crash Test Data Guides, as required by the Vehicle Crash Safety Research Act.</b></td></tr>
<tr><td height="87">&nbsp;</td></tr>
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
        page->lower();
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
    return TRUE;
}

void CAbout::OnHtmlClick(const QString& elementId)
{
    if (elementId == "ButtonOK")
        OnOK();
    else if (elementId == "ButtonCancel")
        OnCancel();
}
