#pragma once
// The real vehicle sheet over the sample code tables for the record-page tests, its boxes and
// file dialogs scripted, with short names for its record pages.

#include "../../codes/CodesTestUtil.h"
#include "../../codes/ui/ChooseCode.h"
#include "codes/ui/Search.h"
#include "common/ui/ListCtrlEx.h"
#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedDialogs.h"
#include "doubles/ScriptedFileDialogs.h"
#include "platform/Messages.h"
#include "platform/ui/FileDialog.h"
#include "vehicle/ui/VehiclePropertySheet.h"

#include "SheetHarness.h"
#include "TestUtil.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace vehtest {

inline std::string Fixture(const std::string& name) { return testutil::DataPath("vehicle/" + name); }

using sheettest::WithoutDate;

using sheettest::NoOwner;

struct VehPages {
    codetest::Connection db;
    platform::MessageRecorder messages;
    platform::ScriptedFileDialogs files;
    NoOwner owner;
    CVehiclePropertySheet sheet {"Vehicle Data", &owner};
    CVehData& data = sheet.m_VehData;
    CPropertyPage& first = sheet.m_TestPage;
    CVehOccPage& occ = sheet.m_OccPage;
    CVehRestPage& rest = sheet.m_RestPage;
    CVehInstPage& inst = sheet.m_InstPage;
    CVehIntrPage& intr = sheet.m_IntrPage;

    VehPages() { sheet.Create(); }

    // Load Test with the test and its companions; true when the sheet took the test.
    bool Load(const std::string& path)
    {
        files.answer(CString(path));
        sheet.RunCommand(ID_LOAD_TEST);
        return !sheet.m_bUntouched && data.m_strCurvePath == CString(path);
    }
    void Save(const std::string& path)
    {
        files.answer(CString(path));
        sheet.RunCommand(ID_SAVE_TEST);
    }

    bool Visit(CPropertyPage& page) { return sheet.SetActivePage(&page) && sheet.GetActivePage() == &page; }
    // The test configuration as the user changes it: searched on the test page.
    void SetConfiguration(const char* configuration);

    static QLineEdit* Line(CPropertyPage& page, int id) { return page.Item<QLineEdit>(id); }
    static QString Text(CPropertyPage& page, int id) { return Line(page, id)->text(); }
    static void Type(CPropertyPage& page, int id, const char* text)
    {
        Line(page, id)->clear();
        QTest::keyClicks(Line(page, id), text);
    }
    static void Click(CPropertyPage& page, int id)
    {
        QTest::mouseClick(page.Item<QPushButton>(id), Qt::LeftButton);
    }
    static void Select(CPropertyPage& page, int listId, int record)
    {
        page.Item<QListWidget>(listId)->setCurrentRow(record - 1);
    }
    static bool Shown(CPropertyPage& page, int id) { return !page.GetDlgItem(id)->isHidden(); }
};

using codetest::ChooseCode;

inline void VehPages::SetConfiguration(const char* configuration)
{
    EXPECT_TRUE(Visit(first));
    platform::ScriptedDialogs dialogs;
    dialogs.then([configuration](CDialog& dialog) { ChooseCode(dialog, configuration); });
    Click(first, CVehTestPage::IDC_SEARCH_CONFIGURATION);
    EXPECT_EQ(data.m_strConfiguration, configuration);
}

} // namespace vehtest
