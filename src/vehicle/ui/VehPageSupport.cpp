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
