#include "codes/ui/SearchReference.h"
#include "common/ui/ListCtrlEx.h"
#include "component/CompData.h"
#include "doubles/ScriptedDialogs.h"
#include "vehicle/VehData.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

SearchReference& AsPicker(CDialog& dialog) { return dynamic_cast<SearchReference&>(dialog); }

void Press(CDialog& dialog, int id) { QTest::mouseClick(dialog.Item<QPushButton>(id), Qt::LeftButton); }

std::vector<CString> Numbers(CListCtrlEx* list)
{
    std::vector<CString> out;
    for (int i = 0; i < list->GetItemCount(); ++i)
        out.push_back(list->GetItemText(i, 0));
    return out;
}

// As the pages do: the five arrays of the test data and the mode.
template <class Data>
void HandOver(SearchReference& picker, Data& data, int mode)
{
    picker.SetRefArray1(&data.m_saVehMake);
    picker.SetRefArray2(&data.m_saVehModel);
    picker.SetRefArray3(&data.m_saVehYear);
    picker.SetRefArray4(&data.m_saVehKavroNo);
    picker.SetRefArray5(&data.m_saVehComments);
    picker.SetMode(mode);
}

} // namespace

TEST(SearchReferenceTest, OneVehicleTestListsTheBarrierRowAndTheVehicle)
{
    CVehData veh;
    veh.m_strConfiguration = "VTB";
    veh.m_saVehMake.SetAt(1, "FORD");
    platform::ScriptedDialogs script;
    SearchReference picker(VehicleCountOfConfig(veh.m_strConfiguration));
    HandOver(picker, veh, 0);
    script.then([](CDialog& dialog) {
        CListCtrlEx* list = AsPicker(dialog).GetList();
        EXPECT_EQ(dialog.windowTitle(), "VEHNO Selection");
        EXPECT_EQ(Numbers(list), (std::vector<CString> {"0", "1"}));
        EXPECT_EQ(list->GetItemText(0, 5), "Neither a vehicle nor an impactor; e.g., a barrier.");
        EXPECT_EQ(list->GetItemText(1, 1), "FORD");
        list->SelectItem(0);
        EXPECT_EQ(dialog.Item<QLineEdit>(SearchReference::IDC_CHOICE)->text(), "0");
        Press(dialog, IDOK);
    });
    EXPECT_EQ(picker.DoModal(), IDOK);
    EXPECT_EQ(picker.GetSelection(), "0");
}

TEST(SearchReferenceTest, TwoVehicleTestSortedByAHeading)
{
    CVehData veh;
    veh.m_strConfiguration = "VTV";
    platform::ScriptedDialogs script;
    SearchReference picker(VehicleCountOfConfig(veh.m_strConfiguration));
    HandOver(picker, veh, 0);
    script.then([](CDialog& dialog) {
        CListCtrlEx* list = AsPicker(dialog).GetList();
        EXPECT_EQ(Numbers(list), (std::vector<CString> {"1", "2"}));
        list->OnHeaderClick(0);
        list->OnHeaderClick(0);
        EXPECT_EQ(Numbers(list), (std::vector<CString> {"2", "1"}));
        list->SelectItem(0);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(picker.DoModal(), IDOK);
    EXPECT_EQ(picker.GetSelection(), "2");
}

TEST(SearchReferenceTest, ComponentTestListsRecordsZeroAndOne)
{
    CCompData comp;
    comp.m_saVehComments.SetAt(0, "a non-vehicle component");
    platform::ScriptedDialogs script;
    SearchReference picker;
    HandOver(picker, comp, 1);
    script.then([](CDialog& dialog) {
        CListCtrlEx* list = AsPicker(dialog).GetList();
        EXPECT_EQ(Numbers(list), (std::vector<CString> {"0", "1"}));
        EXPECT_EQ(list->GetItemText(0, 5), "a non-vehicle component");
        const QModelIndex index = list->model()->index(1, 0);
        const QPoint at = list->visualRect(index).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    });
    EXPECT_EQ(picker.DoModal(), IDOK);
    EXPECT_EQ(picker.GetSelection(), "1");
}

TEST(SearchReferenceTest, OkWithoutARowCancelsAndClearEntryEmpties)
{
    CVehData veh;
    platform::ScriptedDialogs script;
    {
        SearchReference picker(VehicleCountOfConfig(veh.m_strConfiguration));
        HandOver(picker, veh, 0);
        script.then([](CDialog& dialog) { Press(dialog, IDOK); });
        EXPECT_EQ(picker.DoModal(), IDCANCEL);
    }
    {
        SearchReference picker(VehicleCountOfConfig(veh.m_strConfiguration));
        HandOver(picker, veh, 0);
        script.then([](CDialog& dialog) {
            AsPicker(dialog).GetList()->SelectItem(1);
            Press(dialog, SearchReference::IDC_CLEAR_ENTRY);
        });
        EXPECT_EQ(picker.DoModal(), IDOK);
        EXPECT_EQ(picker.GetSelection(), "");
    }
    {
        SearchReference picker(VehicleCountOfConfig(veh.m_strConfiguration));
        HandOver(picker, veh, 0);
        picker.SetMode(5);
        script.then([](CDialog& dialog) {
            EXPECT_EQ(AsPicker(dialog).GetList()->GetItemCount(), 0);
            Press(dialog, IDOK);
        });
        EXPECT_EQ(picker.DoModal(), IDCANCEL);
    }
}
