#pragma once
// The high-speed video commands of every sheet that has the high-speed video page: its companion
// file loaded with a test or alone, saved with a test or alone, and its report alone.

#include "common/HighSpeedVideoData.h"
#include "common/ui/HsvdPage.h"
#include "common/ui/TestSheet.h"

#include <functional>

class CHsvdCommands {
public:
    // `pageIndex` is the page's tab; `refreshTestPage` shows the test reference again.
    CHsvdCommands(CTestSheet& sheet, CHsvdPage& page, CHighSpeedVideoData& data, int pageIndex,
                  std::function<void()> refreshTestPage)
        : m_sheet(sheet)
        , m_page(page)
        , m_data(data)
        , m_index(pageIndex)
        , m_refreshTestPage(std::move(refreshTestPage))
    {
    }

    // Reads the file; on success the page shows the last camera, the test page (when asked) and
    // the page itself are refreshed. A failed read changes no page.
    bool LoadCompanion(const CString& path, bool showError, bool refreshTestPage);
    // The data holds a camera and the page passes its check.
    bool IsValid();
    // Save Test's companion beside the test: written also without a camera (an empty section),
    // so an older file of the same name never brings back cameras the user deleted; cameras that
    // fail their check are told and nothing is written.
    bool SaveCompanion(const CString& base);

    // The menu commands; the load and the save tell the sheet whether the data is valid.
    void OnLoadOnly(bool& valid);
    void OnSaveOnly();
    void OnSaveReportOnly();

private:
    CTestSheet& m_sheet;
    CHsvdPage& m_page;
    CHighSpeedVideoData& m_data;
    int m_index;
    std::function<void()> m_refreshTestPage;
};
