#include "swg/SWGData.h"

#include "SWGTestSupport.h"

#include <gtest/gtest.h>

TEST(SwgDataTest, NewTestHoldsOneDefaultCurveAndNoCounts)
{
    CSWGData d;
    EXPECT_EQ(d.m_strVersion, "S5");
    EXPECT_EQ(d.m_nCurveCount, 0);
    EXPECT_EQ(d.m_nLastCurveNo, 0);
    EXPECT_EQ(d.CurvesInLists(), 1);
    using V = std::vector<std::string>;
    EXPECT_EQ(swgtest::Curve(d, 0), V(17, ""));
    EXPECT_EQ(swgtest::Curve(d, 1), (V {"", "5", "", "", "", "", "SEC", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_TRUE(d.IsTestSectionEmpty());
}

TEST(SwgDataTest, TestSectionIsEmptyUntilATextItCarriesIsSet)
{
    using D = CSWGData;
    for (CString D::*text : {&D::m_strVersion, &D::m_strTestDate, &D::m_strCertificationDate}) {
        CSWGData d;
        d.*text = "12-JAN-2010";
        d.m_nCurveCount = 4;
        EXPECT_TRUE(d.IsTestSectionEmpty());
    }
    const std::initializer_list<CString D::*> carried = {
        &D::m_strWaveGenSerialNo, &D::m_strTitle,       &D::m_strObjectives,   &D::m_strPerformer,
        &D::m_strContractNo,      &D::m_strTestReference, &D::m_strTestType,   &D::m_strAmbientTemp,
        &D::m_strRecorderType,    &D::m_strDataLinkType, &D::m_strTestComments};
    for (CString D::*text : carried) {
        CSWGData d;
        d.*text = " ";
        EXPECT_FALSE(d.IsTestSectionEmpty());
    }
}

TEST(SwgDataTest, CurvesInListsIsTheShortestList)
{
    CSWGData d;
    d.m_saInstLevel.SetAtGrow(6, "5");
    EXPECT_EQ(d.CurvesInLists(), 1);
    for (CSWGData::CurveList list : CSWGData::CurveLists())
        (d.*list).SetAtGrow(4, "x");
    EXPECT_EQ(d.CurvesInLists(), 4);
    d.m_saInstComments.RemoveAll();
    EXPECT_EQ(d.CurvesInLists(), 0);
}

TEST(SwgDataTest, ClearingKeepsTheVersionAndLeavesOneNewCurve)
{
    CSWGData d;
    d.m_strVersion = "S4";
    d.m_strTitle = "t";
    d.m_strTestReference = "R";
    d.m_strCertificationDate = "01-JAN-2000";
    d.m_nCurveCount = d.m_nLastCurveNo = 4;
    for (CSWGData::CurveList list : CSWGData::CurveLists())
        (d.*list).SetAtGrow(4, "x");
    d.m_arrCameraNumber.SetAtGrow(1, "1");
    d.ClearTest();
    EXPECT_EQ(d.m_strVersion, "S4");
    EXPECT_TRUE(d.IsTestSectionEmpty());
    EXPECT_EQ(d.m_strCertificationDate, "");
    EXPECT_EQ(d.m_nCurveCount, 0);
    EXPECT_EQ(d.m_nLastCurveNo, 0);
    using V = std::vector<std::string>;
    const V fresh {"", "5", "", "", "", "", "SEC", "", "", "", "", "", "", "", "", "", ""};
    EXPECT_EQ(swgtest::Curve(d, 0), fresh);
    EXPECT_EQ(swgtest::Curve(d, 1), fresh);
    EXPECT_EQ(d.CurvesInLists(), 1);
    EXPECT_EQ(d.CameraCount(), 1);
}
