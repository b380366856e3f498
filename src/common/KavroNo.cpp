#include "common/KavroNo.h"

#include "common/Convert.h"

#include <cstdlib>

namespace kavro {

const char* const kOfficeRows[kOfficeCount] = {
    "C\x96" "Compliance Testing",
    "D\x96" "Defects Investigation",
    "M\x96" "Rulemaking",
    "O\x96" "Manufacturer Optional Test",
    "P\x96" "Other Agency Office",
    "Q\x96" "Laboratory Re-test",
    "R\x96" "Research",
};

// Blanks as they stand: several names end in a blank and 0300 has none after the dash.
const char* const kMakerRows[kMakerCount] = {
    "0100 \x96 General Motors Corporation",
    "0200 \x96 Ford Motor Company ",
    "0300 \x96" "Chrysler Corporation/Fiat",
    "0400 \x96 American Motors/Renault",
    "0500 \x96 Imported Vehicles",
    "0600 \x96 Medium Trucks",
    "0700 \x96 Heavy Trucks",
    "0800 \x96 Commercial Buses",
    "0900 \x96 School Buses",
    "1000 \x96 Low Speed/Electric Vehicles",
    "1100 \x96 Trailers",
    "1200 \x96 Motorcycles/ Mopeds",
    "1300 \x96 Multistage/Altered Vehicles",
    "1400 \x96 Campers/Motorhomes",
    "4100 \x96 BMW",
    "4200 \x96 Hyundai/Kia",
    "4300 \x96 Mercedes-Benz",
    "4400 \x96 LandRover/Jaguar",
    "4500 \x96 N/A",
    "4600 \x96 N/A",
    "4700 \x96 N/A",
    "4800 \x96 N/A",
    "4900 \x96 N/A",
    "5100 \x96 Toyota",
    "5200 \x96 Nissan ",
    "5300 \x96 Honda ",
    "5400 \x96 Mazda ",
    "5500 \x96 Subaru ",
    "5600 \x96 Mitsubishi ",
    "5700 \x96 Isuzu ",
    "5800 \x96 Volkswagen ",
    "5900 \x96 Volvo ",
};

bool IsOfficeValid(const CString& number)
{
    switch (number.GetAt(0)) {
    case 'C': case 'D': case 'M': case 'O': case 'P': case 'Q': case 'R':
        return true;
    default:
        return false;
    }
}

int DecodeYearCode(char code)
{
    if (code >= '1' && code <= '9')
        return 2000 + (code - '0');
    if (code >= 'A' && code <= 'L')
        return 2010 + (code - 'A');
    return 0;
}

CString GetModelYear(const CString& number)
{
    if (number.GetLength() == 9) {
        const CString year = number.Mid(1, 4);
        return IsIntegerText(year) ? year : CString();
    }
    if (number.GetLength() == 6) {
        const int year = DecodeYearCode(number.GetAt(1));
        return year ? IntToCString(year) : CString();
    }
    return CString();
}

bool IsMakerAndOrderValid(const CString& number)
{
    const CString last4 = number.Right(4);
    if (last4.GetLength() != 4 || !IsIntegerText(last4))
        return false;
    const int maker = std::atoi(last4.Left(2));
    const bool makerOk = (maker >= 1 && maker <= 14) || (maker >= 41 && maker <= 49) || (maker >= 51 && maker <= 59);
    const CString order = last4.Right(2);
    return makerOk && IsIntegerText(order) && std::atoi(order) >= 0;
}

bool CheckNumber(const CString& number)
{
    return IsOfficeValid(number) && !GetModelYear(number).IsEmpty() && IsMakerAndOrderValid(number);
}

} // namespace kavro
