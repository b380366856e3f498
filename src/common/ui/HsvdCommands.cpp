#include "common/ui/HsvdCommands.h"

#include "platform/Messages.h"

bool CHsvdCommands::LoadCompanion(const CString& path, bool showError, bool refreshTestPage)
{
    if (!m_data.LoadHsvdFile(path, showError))
        return false;
    m_page.m_nRecordCount = m_page.m_nRecordIndex = m_data.CameraCount();
    if (refreshTestPage && m_refreshTestPage)
        m_refreshTestPage();
    m_sheet.RefreshPage(m_index);
    return true;
}

bool CHsvdCommands::IsValid() { return m_data.HasHsvd() && m_sheet.CheckPage(m_index); }

bool CHsvdCommands::SaveCompanion(const CString& base)
{
    if (m_data.m_arrCameraNumber.GetSize() > 1 && !m_page.SaveAndValidateAll()) {
        AfxMessageBox("Illegal data found. No high-speed video file output.");
        return false;
    }
    return m_data.SaveHsvdCompanion(base + ".hs5");
}

void CHsvdCommands::OnLoadOnly(bool& valid)
{
    const auto path =
        CTestSheet::AskOpenFile("Open High-Speed Video File", "MV5 HSVD (*.hs5)|*.hs5|All Files (*.*)|*.*||");
    if (!path)
        return;
    LoadCompanion(*path, true, true);
    valid = IsValid();
}

void CHsvdCommands::OnSaveOnly()
{
    if (m_data.m_arrCameraNumber.GetSize() < 2)
        return;
    if (!m_page.SaveAndValidateAll()) {
        AfxMessageBox("Illegal data found. No file output.");
        return;
    }
    if (const auto path = CTestSheet::AskSaveFile("Export File", "MV5 HSVD (*.hs5)|*.hs5||", "hs5"))
        m_data.SaveHsvdData(*path);
}

void CHsvdCommands::OnSaveReportOnly()
{
    if (m_data.m_arrCameraNumber.GetSize() < 2)
        return;
    if (const auto path = CTestSheet::AskSaveFile("Report File", "MV5 HSVD (*.hsr)|*.hsr||", "hsr"))
        m_data.SaveHsvdReport(*path);
}
