// The calibration date of every instrumentation page, one piece on each: a typed date is judged
// as every date field judges it, and a date picked goes onto the channel shown.

#include "SheetHarness.h"

#include "biomech/ui/BioInstPage.h"
#include "component/ui/CompInstPage.h"
#include "platform/ui/DateTimeCtrl.h"
#include "vehicle/ui/VehInstPage.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

struct ChannelPage {
    const char* name;
    const sheettest::Kind& (*kind)();
    CPropertyPage& (*page)(CTestSheet&);
    CNEdit* (*date)(CTestSheet&);
    int picker;
    CStringArray& (*dates)(ITestFile&);
};

template <class Sheet, class Data, auto member> ChannelPage PageOfKind(const char* name)
{
    using Page = std::remove_reference_t<decltype(std::declval<Sheet&>().*member)>;
    return {name, sheettest::KindOf<Sheet>, sheettest::PageOf<member>,
            [](CTestSheet& sheet) { return (static_cast<Sheet&>(sheet).*member).Edit(Page::IDC_CALIBRATION_DATE); },
            Page::IDC_DATE_PICKER,
            [](ITestFile& data) -> CStringArray& { return dynamic_cast<Data&>(data).m_saInstCalibrationDate; }};
}

const ChannelPage kPages[] = {
    PageOfKind<CVehiclePropertySheet, CVehData, &CVehiclePropertySheet::m_InstPage>("Vehicle"),
    PageOfKind<CBioMechPropertySheet, CBioData, &CBioMechPropertySheet::m_InstPage>("Biomechanics"),
    PageOfKind<CComponentPropertySheet, CCompData, &CComponentPropertySheet::m_InstPage>("Component"),
};

// A case's parameter as gtest prints it.
void PrintTo(const ChannelPage& page, std::ostream* os) { *os << page.name; }

class CalibrationDateTest : public ::testing::TestWithParam<ChannelPage> {};

} // namespace

TEST_P(CalibrationDateTest, ATypedDateIsJudgedAsADateFieldAndAPickGoesOntoTheShownChannel)
{
    const ChannelPage& c = GetParam();
    sheettest::KindSheet s(c.kind());
    ASSERT_TRUE(s.db.open());
    ASSERT_TRUE(s.Load(s.WriteTest("t")));
    CPropertyPage& page = c.page(*s.sheet);
    ASSERT_TRUE(s.Visit(page));
    const int shown = dynamic_cast<CRecordPage&>(page).m_nRecordIndex;
    ASSERT_GE(shown, 1);
    CNEdit& date = *c.date(*s.sheet);

    const struct {
        const char* typed;
        bool valid;
    } typings[] = {
        {"05-MAR-2009", true}, {"05/MAR/2009", true}, {"3/4/2021", true}, {"", true},
        {"13/45/2001", false}, {"31-FEB-2009", false}, {"SOON", false},
    };
    for (const auto& t : typings) {
        s.Type(page, 1368, t.typed);
        EXPECT_EQ(date.IsValid(), t.valid) << t.typed;
    }

    page.Item<CDateTimeCtrl>(c.picker)->setDate(QDate(2009, 3, 5));
    EXPECT_EQ(date.GetText(), "05/MAR/2009");
    EXPECT_EQ(c.dates(s.Data())[shown], "05/MAR/2009");
}

INSTANTIATE_TEST_SUITE_P(Pages, CalibrationDateTest, ::testing::ValuesIn(kPages),
                         [](const ::testing::TestParamInfo<ChannelPage>& info) { return std::string(info.param.name); });
