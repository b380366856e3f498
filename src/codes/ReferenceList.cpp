#include "codes/ReferenceList.h"

#include <string>

namespace {

SearchRow RecordRow(int number, const CReferenceList::Sources& sources)
{
    SearchRow row {CString(std::to_string(number))};
    for (const CStringArray* source : sources)
        row.push_back(source ? source->GetAt(number) : CString());
    return row;
}

} // namespace

std::vector<SearchColumn> CReferenceList::Columns(int mode)
{
    return {{"VEHNO", 60, true},
            {"Maker", 60, true},
            {"Model", 60, true},
            {"Year", 60, true},
            {mode == ComponentTest ? "KAVRO No." : "KAVRO No", 90, false},
            {"Comment", 260, false}};
}

std::vector<SearchRow> CReferenceList::Rows(int mode, int vehicleCount, const Sources& sources)
{
    std::vector<SearchRow> rows;
    if (mode == VehicleTest) {
        if (vehicleCount == 1) {
            rows.push_back({"0", "", "", "", "", "Neither a vehicle nor an impactor; e.g., a barrier."});
            rows.push_back(RecordRow(1, sources));
        } else {
            for (int i = 1; i <= vehicleCount; ++i)
                rows.push_back(RecordRow(i, sources));
        }
    } else if (mode == ComponentTest) {
        rows.push_back(RecordRow(0, sources));
        rows.push_back(RecordRow(1, sources));
    }
    return rows;
}
