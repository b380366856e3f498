#include "vehicle/ui/VehPageSupport.h"

#include "codes/ui/SearchReference.h"
#include "common/ui/PageLayout.h"
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
    SearchReference picker(VehicleCountOfConfig(data->m_strConfiguration));
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

namespace {

constexpr BoxItem kVehicleRecordBox[] = {
    {BoxPart::Group, 0, 0, 190, 124},
    {BoxPart::List, 10, 14, 80, 100},
    {BoxPart::Remove, 100, 14, 18, 14},
    {BoxPart::RemoveText, 122, 14, 66, 20},
    {BoxPart::Next, 100, 40, 18, 14},
    {BoxPart::Retain, 100, 66, 86, 22},
};

} // namespace

void AddVehicleRecordBox(std::vector<DlgItem>& items, const char* group, RecordControls controls)
{
    AddRecordIndex(items, 300, 4, group, controls, nullptr, kVehicleRecordBox);
}
