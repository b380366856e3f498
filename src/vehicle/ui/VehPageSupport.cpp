#include "vehicle/ui/VehPageSupport.h"

#include "codes/ui/SearchReference.h"
#include "common/RecordLine.h"
#include "platform/ui/PropertySheet.h"
#include "vehicle/VehData.h"

FieldRule VehicleNumberRule(const CVehData& data)
{
    const int n = VehicleCountOfConfig(data.m_strConfiguration);
    return FieldRule::Int(n - 1, n, true, kVehicleNumberTip);
}

void ApplyVehicleNumberRule(CNEdit& field, const CVehData* data)
{
    if (!data)
        return;
    field.Apply(VehicleNumberRule(*data));
    field.OnChange();
}

const char* NewVehicleNumber(const CVehData& data) { return data.m_nVehicleCount == 2 ? "" : "1"; }

bool PickVehicleNumber(CVehData* data, CNEdit& field)
{
    if (IsEnterHeldDown() || !data)
        return false;
    SearchReference picker(data->m_strConfiguration);
    picker.SetRefArray1(&data->m_saVehMake);
    picker.SetRefArray2(&data->m_saVehModel);
    picker.SetRefArray3(&data->m_saVehYear);
    picker.SetRefArray4(&data->m_saVehKavroNo);
    picker.SetRefArray5(&data->m_saVehComments);
    picker.SetMode(0);
    if (picker.DoModal() != IDOK)
        return false;
    field.SetText(picker.GetSelection());
    field.SetValid(true);
    return true;
}

void AddVehicleRecordBox(std::vector<DlgItem>& items, const char* group, RecordControls controls)
{
    items.insert(items.end(), {
        {-1, DlgKind::GroupBox, group, 300, 4, 190, 124},
        {controls.list, DlgKind::ListBox, "", 310, 18, 80, 100},
        {controls.remove, DlgKind::Button, "x", 400, 18, 18, 14},
        {-1, DlgKind::Static, "Delete the\nSelected Record", 422, 18, 66, 20},
        {controls.next, DlgKind::Button, ">", 400, 44, 18, 14},
        {controls.retain, DlgKind::CheckBox, "Retain the Last\nRecord for the New", 400, 70, 86, 22},
    });
}
