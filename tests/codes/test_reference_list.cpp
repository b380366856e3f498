#include "codes/ReferenceList.h"

#include "component/CompData.h"
#include "vehicle/VehData.h"

#include <gtest/gtest.h>

namespace {

struct Vehicles {
    CStringArray make, model, year, kavro, comments;
    Vehicles()
    {
        for (int i = 0; i <= 2; ++i) {
            const CString n(std::to_string(i));
            make.SetAtGrow(i, "MAKE" + n);
            model.SetAtGrow(i, "MODEL" + n);
            year.SetAtGrow(i, "200" + n);
            kavro.SetAtGrow(i, "K" + n);
            comments.SetAtGrow(i, "C" + n);
        }
    }
    CReferenceList::Sources sources() const { return {&make, &model, &year, &kavro, &comments}; }
};

} // namespace

TEST(ReferenceListTest, VehicleTestRowsFollowTheConfiguration)
{
    const Vehicles v;
    EXPECT_EQ(CReferenceList::Rows(0, VehicleCountOfConfig("VTB"), v.sources()),
              (std::vector<SearchRow> {{"0", "", "", "", "", "Neither a vehicle nor an impactor; e.g., a barrier."},
                                       {"1", "MAKE1", "MODEL1", "2001", "K1", "C1"}}));
    EXPECT_EQ(CReferenceList::Rows(0, VehicleCountOfConfig("VTV"), v.sources()),
              (std::vector<SearchRow> {{"1", "MAKE1", "MODEL1", "2001", "K1", "C1"},
                                       {"2", "MAKE2", "MODEL2", "2002", "K2", "C2"}}));
    EXPECT_EQ(CReferenceList::Rows(0, VehicleCountOfConfig("vtv"), v.sources()).size(), 2u); // one vehicle: case matters
    EXPECT_TRUE(CReferenceList::Rows(2, 2, v.sources()).empty());
    EXPECT_TRUE(CReferenceList::Rows(-1, 1, v.sources()).empty());
}

TEST(ReferenceListTest, ComponentTestListsRecordsZeroAndOne)
{
    CCompData comp;
    comp.m_saVehComments.SetAt(0, "a non-vehicle component");
    comp.m_saVehMake.SetAt(1, "FORD");
    const CStringArray before(comp.m_saVehMake);
    const auto rows = CReferenceList::Rows(
        1, 2, {&comp.m_saVehMake, &comp.m_saVehModel, &comp.m_saVehYear, &comp.m_saVehKavroNo, &comp.m_saVehComments});
    EXPECT_EQ(rows, (std::vector<SearchRow> {{"0", "", "", "", "", "a non-vehicle component"},
                                             {"1", "FORD", "", "", "", ""}}));
    EXPECT_EQ(comp.m_saVehMake, before);

    // Missing or short arrays read as empty texts.
    const auto sparse = CReferenceList::Rows(1, 1, {nullptr, nullptr, nullptr, nullptr, nullptr});
    EXPECT_EQ(sparse[1], (SearchRow {"1", "", "", "", "", ""}));

    EXPECT_EQ(CReferenceList::Columns(1)[4].heading, "KAVRO No.");
    EXPECT_EQ(CReferenceList::Columns(0)[4].heading, "KAVRO No");
    EXPECT_EQ(CReferenceList::Columns(0)[5].width, 260);
}
