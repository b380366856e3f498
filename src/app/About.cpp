#include "app/About.h"

#include "codes/DatabaseVersion.h"
#include "platform/Version.h"

#include <QFile>
#include <QTextBrowser>
#include <QUrl>

namespace {

QWidget* MakePage(QWidget* parent)
{
    auto* page = new QTextBrowser(parent);
    page->setOpenLinks(false);
    page->setFrameShape(QFrame::NoFrame);
    page->setAutoFillBackground(false);
    QFile html(":/about.html");
    if (html.open(QIODevice::ReadOnly))
        page->setHtml(QString::fromUtf8(html.readAll()));
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
        {IDC_ABOUT_NOTICE, DlgKind::Static, "Morvel is provided for KAVRO test data work.", 46, 89, 130, 8},
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
        connect(page, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { OnHtmlClick(url.fragment()); });
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
