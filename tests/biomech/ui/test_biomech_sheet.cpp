#include "codes/CodeCheck.h"
#include "doubles/ScriptedDialogs.h"
#include "platform/ui/DateTimeCtrl.h"

#include "../../codes/ui/ChooseCode.h"
#include "SheetHarness.h"
#include "TestUtil.h"
#include "WidgetColors.h"

#include <QDate>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using sheettest::MenuItemEnabled;
using sheettest::Texts;
using sheettest::WithoutDate;
using testutil::ReadFile;
using testutil::WriteFile;
using S = CBioMechPropertySheet;

namespace {

const char* const kHs5 = "# Source: High Speed Video Data\r\n"
                         "# Date: <3/4/2021>\r\n"
                         "----- HSVD -----\r\n"
                         "1|B1234|0.001|FRONT VIEW|MAIN CAMERA\r\n"
                         "----- END -----\r\n";

using BioSheet = sheettest::BioMechSheet;

// The Occupant Type as the user changes it: typed on the test page and the page left.
void SetOccupantType(BioSheet& s, const char* type)
{
    s.Visit(S::kTest);
    s.sheet.m_TestPage.Edit(CBioMechTestPage::IDC_OCCUPANT_TYPE)->SetText(type);
    s.sheet.m_TestPage.Edit(CBioMechTestPage::IDC_OCCUPANT_TYPE)->SetValid(true);
}

} // namespace

TEST(BioMechSheetTest, LoadedTestsVisitedAndSavedToTheByte)
{
    for (const char* fixture : {"cadaver.mv5", "hybrid.mv5"}) {
        SCOPED_TRACE(fixture);
        BioSheet s;
        const std::string path = s.Copy(fixture, "t.mv5");
        const bool cameras = std::string(fixture) == "cadaver.mv5";
        if (cameras)
            WriteFile(s.dir.file("t.hs5"), kHs5);
        s.Load(path);
        ASSERT_FALSE(s.sheet.m_bUntouched);
        EXPECT_TRUE(s.sheet.m_bAllPagesValid) << "every page finds the fixture valid";
        EXPECT_EQ(s.sheet.m_bHsvdValid, cameras);
        EXPECT_TRUE(s.VisitEveryPage());
        const std::string out = s.dir.file("out.mv5");
        s.messages.clear();
        s.Save(out);
        EXPECT_EQ(s.messages.count(), 0) << Texts(s.messages);
        EXPECT_EQ(WithoutDate(ReadFile(out)), WithoutDate(ReadFile(path)));
        if (cameras) {
            EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("out.hs5"))), WithoutDate(kHs5));
        } else {
            EXPECT_FALSE(std::filesystem::exists(s.dir.file("out.hs5"))) << "no camera: no companion made";
        }
    }
}

TEST(BioMechSheetTest, OccupantTypeOpensThePages)
{
    BioSheet s;
    s.Load(s.Copy("cadaver.mv5", "t.mv5"));
    struct Case {
        const char* type;
        bool dummy, bio, rib, anth, injury;
    };
    const Case cases[] = {
        {"H3", true, false, false, false, false}, {"AN", false, true, true, true, true},
        {"CD", false, true, true, true, true},    {"HU", false, true, false, true, false},
        {"", false, false, false, false, false},  {"cd", true, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        SetOccupantType(s, c.type);
        ASSERT_TRUE(s.Visit(S::kDummy));
        EXPECT_EQ(s.Enabled(s.sheet.m_DumPage, CBioDumPage::IDC_HIC), c.dummy);
        EXPECT_EQ(s.Enabled(s.sheet.m_DumPage, CBioDumPage::IDC_SEARCH_SEX), c.dummy);
        EXPECT_TRUE(s.Enabled(s.sheet.m_DumPage, CBioDumPage::IDC_SEX)) << "code edits keep their state";
        ASSERT_TRUE(s.Visit(S::kBioOccupant));
        EXPECT_EQ(s.Enabled(s.sheet.m_OccPage, CBioOccPage::IDC_AGE), c.bio);
        EXPECT_EQ(s.Enabled(s.sheet.m_OccPage, CBioOccPage::IDC_DATE_PICKER), c.bio);
        EXPECT_TRUE(s.Enabled(s.sheet.m_OccPage, CBioOccPage::IDC_SEARCH_BMC_UNITS));
        ASSERT_TRUE(s.Visit(S::kRib));
        EXPECT_EQ(s.Enabled(s.sheet.m_RibPage, CBioRibPage::IDC_RIB_LOCATION), c.rib);
        EXPECT_EQ(s.Enabled(s.sheet.m_RibPage, IDC_BIO_NEXT), c.rib);
        EXPECT_TRUE(s.Enabled(s.sheet.m_RibPage, CBioRibPage::IDC_SEARCH_LOCATION));
        ASSERT_TRUE(s.Visit(S::kAnthropometry));
        EXPECT_EQ(s.Enabled(s.sheet.m_AnthPage, CBioAnthPage::IDC_WRIST_CIRC), c.anth);
        ASSERT_TRUE(s.Visit(S::kInjury));
        EXPECT_EQ(s.Enabled(s.sheet.m_InjPage, CBioInjPage::IDC_SEARCH_AIS), c.injury);
        EXPECT_EQ(s.Enabled(s.sheet.m_InjPage, CBioInjPage::IDC_RECORD_LIST), c.injury);
    }
}

TEST(BioMechSheetTest, ClosedPageWithBadValuesCanBeLeftAndTheTestSaved)
{
    BioSheet s;
    const std::string path = s.Copy("cadaver.mv5", "t.mv5");
    s.Load(path);
    s.messages.clear();
    // A stored dummy value out of range on a cadaver test: the dummy page is closed.
    s.data.m_strDumHic = "10000";
    ASSERT_TRUE(s.Visit(S::kDummy));
    EXPECT_FALSE(s.sheet.m_DumPage.AllFieldsValid());
    EXPECT_TRUE(s.Visit(S::kTest)) << "a closed page never keeps the user";
    EXPECT_EQ(s.data.m_strDumHic, CString("10000")) << "its values are kept";
    s.Save(s.dir.file("out.mv5"));
    EXPECT_EQ(s.messages.count(), 0) << Texts(s.messages);
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("out.mv5"))), WithoutDate(ReadFile(path)))
        << "the dummy section is not written for a cadaver";

    // The same value on an open page keeps the user there.
    SetOccupantType(s, "H3");
    ASSERT_TRUE(s.Visit(S::kDummy));
    EXPECT_FALSE(s.Visit(S::kTest));
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kDummy);
}

TEST(BioMechSheetTest, ChestBandNextStopsAtTheFifthBand)
{
    BioSheet s;
    s.Load(s.Copy("cadaver.mv5", "t.mv5"));
    CBioCBandPage& band = s.sheet.m_CBandPage;
    ASSERT_TRUE(s.Visit(S::kChestBand));
    ASSERT_EQ(band.m_nRecordIndex, 1);
    for (int n = 2; n <= 5; ++n) {
        s.Click(band, IDC_BIO_NEXT);
        EXPECT_EQ(band.m_nRecordIndex, n);
    }
    s.Click(band, IDC_BIO_NEXT);
    EXPECT_EQ(band.m_nRecordIndex, 5);
    EXPECT_EQ(band.m_nRecordCount, 5);

    // Anterior Vertical Location: 0 and 10 valid, 11 not.
    for (const auto& [text, valid] : {std::pair {"0", true}, {"10", true}, {"11", false}}) {
        s.Type(band, CBioCBandPage::IDC_ANTERIOR_LOCATION, text);
        EXPECT_EQ(band.Edit(CBioCBandPage::IDC_ANTERIOR_LOCATION)->IsValid(), valid) << text;
    }
    s.Type(band, CBioCBandPage::IDC_ANTERIOR_LOCATION, "4");
    EXPECT_TRUE(s.Visit(S::kTest));
    EXPECT_EQ(s.data.m_nChestBandCount, 5);
}

TEST(BioMechSheetTest, CodeChainNarrowsAgainstTheSampleTables)
{
    BioSheet s;
    s.Load(s.Copy("cadaver.mv5", "t.mv5"));
    s.messages.clear();
    CBioInstPage& inst = s.sheet.m_InstPage;
    ASSERT_TRUE(s.Visit(S::kInstrumentation));
    auto valid = [&](int id) { return inst.Edit(id)->IsValid(); };
    EXPECT_TRUE(valid(CBioInstPage::IDC_YUNITS));
    EXPECT_TRUE(valid(CBioInstPage::IDC_SENSOR_LOCATION));
    EXPECT_TRUE(s.Enabled(inst, CBioInstPage::IDC_SEARCH_YUNITS));
    EXPECT_TRUE(s.Enabled(inst, CBioInstPage::IDC_SEARCH_TYPE));

    // A channel whose units and location no longer fit its attachment.
    struct Case {
        const char* attachment;
        const char* units;
        const char* location;
        const char* type;
        bool unitsValid, locationValid, typeValid;
    };
    const Case cases[] = {
        {"SK", "DPS", "HD", "AR", true, true, true},
        {"FM", "NWT", "HDB", "AC", true, false, false},
        {"SK", "S", "HDB", "AC", false, true, true},
        {"SK", "G'S", "CHB", "LC", true, false, false},
        {"OT", "ALL", "OT", "OT", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attachment + std::string(" ") + c.units);
        s.data.m_saInstAttachment.SetAt(1, c.attachment);
        s.data.m_saInstYUnits.SetAt(1, c.units);
        s.data.m_saInstSensorLocation.SetAt(1, c.location);
        s.data.m_saInstSensorType.SetAt(1, c.type);
        inst.m_nRecordIndex = 1;
        inst.LoadRecord();
        EXPECT_EQ(valid(CBioInstPage::IDC_YUNITS), c.unitsValid);
        EXPECT_EQ(valid(CBioInstPage::IDC_SENSOR_LOCATION), c.locationValid);
        EXPECT_EQ(valid(CBioInstPage::IDC_SENSOR_TYPE), c.typeValid);
        EXPECT_EQ(s.Enabled(inst, CBioInstPage::IDC_SEARCH_LOCATION), c.unitsValid);
    }
    s.data.m_saInstSensorLocation.SetAt(1, "CHB");
    s.data.m_saInstAttachment.SetAt(1, "SK");
    s.data.m_saInstYUnits.SetAt(1, "G'S");
    inst.LoadRecord();
    EXPECT_FALSE(s.Visit(S::kTest)) << "a channel that does not fit its attachment keeps the user";
    EXPECT_EQ(s.messages.count(), 0) << Texts(s.messages);

    // Pasted texts reach the statements with their quotes doubled.
    EXPECT_NE(codesql::LocationsOfAttachmentAndUnit("S'K", "G'S").Find("S''K"), -1);
    EXPECT_NE(codesql::SensorTypeRowsOfUnit("G'S").Find("G''S"), -1);
}

TEST(BioMechSheetTest, SearchesNarrowTheChain)
{
    BioSheet s;
    s.Load(s.Copy("hybrid.mv5", "t.mv5"));
    s.messages.clear();
    CBioInstPage& inst = s.sheet.m_InstPage;
    ASSERT_TRUE(s.Visit(S::kInstrumentation));
    auto text = [&](int id) { return inst.Edit(id)->GetText(); };

    // A new attachment empties what it narrowed.
    platform::ScriptedDialogs dialogs;
    int rows = 0;
    dialogs.then([&](CDialog& dialog) { codetest::ChooseCode(dialog, "FM", &rows); });
    s.Click(inst, CBioInstPage::IDC_SEARCH_ATTACHMENT);
    EXPECT_EQ(rows, 12) << "every attachment of SENATTCODE1 once";
    EXPECT_EQ(text(CBioInstPage::IDC_ATTACHMENT), CString("FM"));
    for (int id : {CBioInstPage::IDC_YUNITS, CBioInstPage::IDC_SENSOR_LOCATION, CBioInstPage::IDC_SENSOR_TYPE,
                   CBioInstPage::IDC_AXIS})
        EXPECT_EQ(text(id), CString("")) << id;
    EXPECT_TRUE(s.Enabled(inst, CBioInstPage::IDC_SEARCH_YUNITS));
    EXPECT_FALSE(s.Enabled(inst, CBioInstPage::IDC_SEARCH_TYPE));

    // The types offered are those of the units, and those of every unit.
    inst.Edit(CBioInstPage::IDC_YUNITS)->SetText("NWT");
    s.sheet.m_InstPage.EnableDlgItem(CBioInstPage::IDC_SEARCH_TYPE, true);
    dialogs.then([&](CDialog& dialog) { codetest::ChooseCode(dialog, "LC", &rows); });
    s.Click(inst, CBioInstPage::IDC_SEARCH_TYPE);
    EXPECT_EQ(rows, 2) << "LC and OT";
    EXPECT_EQ(text(CBioInstPage::IDC_SENSOR_TYPE), CString("LC"));
    EXPECT_EQ(s.messages.count(), 0) << Texts(s.messages);
}

TEST(BioMechSheetTest, YUnitsSearchWantsAnAttachmentFirst)
{
    BioSheet s;
    s.Load(s.Copy("hybrid.mv5", "t.mv5"));
    s.messages.clear();
    CBioInstPage& inst = s.sheet.m_InstPage;
    ASSERT_TRUE(s.Visit(S::kInstrumentation));
    inst.Edit(CBioInstPage::IDC_ATTACHMENT)->SetText("");
    inst.OnSearchYUnits();
    ASSERT_EQ(s.messages.count(), 1);
    EXPECT_EQ(s.messages.last().text, CBioInstPage::kAttachmentFirst);
}

TEST(BioMechSheetTest, SaveWithoutOccupantAndClearAllPages)
{
    BioSheet s;
    s.Load(s.Copy("hybrid.mv5", "t.mv5"));
    s.messages.setNextAnswer(IDYES);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    EXPECT_TRUE(s.sheet.m_bCleared);
    EXPECT_EQ(s.data.m_strOccupantType, CString("CD"));
    EXPECT_EQ(s.data.m_strVersion, CString("B5"));
    EXPECT_EQ(s.data.m_nRestraintCount, 0);
    EXPECT_EQ(s.sheet.m_TestPage.Edit(CBioMechTestPage::IDC_TEST_DATE)->GetText(), CString(""));
    s.messages.clear();
    s.sheet.RunCommand(ID_SAVE_TEST);
    ASSERT_EQ(s.messages.count(), 1);
    EXPECT_EQ(s.messages.last().text, "Both bio-dummy and bio-occupant tables are empty.\nNo file output.");
}

TEST(BioMechSheetTest, FailedImportIsToldAndNotRefreshed)
{
    BioSheet s;
    WriteFile(s.dir.file("bad.grz"), "* comment only\r\n");
    s.Load(s.dir.file("bad.grz"));
    ASSERT_GE(s.messages.count(), 1);
    EXPECT_EQ(s.messages.last().text, "File import fails:\n\r" + s.dir.file("bad.grz"));
    EXPECT_EQ(s.data.m_nChestBandCount, 0);
}

// The hybrid test with the given channels (first|last|step) beside the curve files of the shared
// curve fixture.
std::string WriteCurveTest(BioSheet& s, std::initializer_list<const char*> points,
                           std::initializer_list<const char*> curves)
{
    std::string test = ReadFile(s.Fixture("hybrid.mv5"));
    const std::string channel = "|AC|HDB|SK|XG|SEC|G'S|1650|ENDEVCO|01-JAN-2001|2000|100|0|";
    std::string channels;
    int n = 0;
    for (const char* p : points)
        channels += std::to_string(++n) + channel + p + "|AM|P|CHANNEL\r\n";
    const auto from = test.find("1|AC|HDB");
    test.replace(from, test.find("----- END") - from, channels);
    test.replace(test.find("|0|1|H3|"), 8, "|0|" + std::to_string(n) + "|H3|");
    WriteFile(s.dir.file("t.mv5"), test);
    for (const char* ext : curves)
        WriteFile(s.dir.file(std::string("t.") + ext), ReadFile(testutil::DataPath(std::string("curves/test.") + ext)));
    return s.dir.file("t.mv5");
}

TEST(BioMechSheetTest, CurveCheckOnTheInstrumentationPage)
{
    BioSheet s;
    s.Load(WriteCurveTest(s, {"-2|2|1000", "-2|3|1000", "0|9|1", "-2|2|1000"}, {"001", "002", "004", "009"}));
    ASSERT_EQ(s.data.m_nCurveCount, 4);

    CBioInstPage& inst = s.sheet.m_InstPage;
    ASSERT_TRUE(s.Visit(S::kInstrumentation));
    auto hint = [&] { return inst.Item<QLineEdit>(CBioInstPage::IDC_HINT)->text(); };
    EXPECT_TRUE(inst.GetDlgItem(CBioInstPage::IDC_CHECK_CURVE)->isVisible());
    s.Click(inst, CBioInstPage::IDC_CHECK_CURVE);
    EXPECT_EQ(inst.m_nRecordIndex, 2);
    EXPECT_TRUE(hint().startsWith("Hint: NLP = 2")) << hint().toStdString();
    EXPECT_FALSE(inst.ValidateAllRecords()) << "a mismatch stops Save Test";
    EXPECT_FALSE(s.Visit(S::kTest));

    // Corrected, the damaged curve file 4 and curve 9 without a channel are told, never block.
    s.Type(inst, CBioInstPage::IDC_LAST_POINT, "2");
    EXPECT_EQ(hint(), CCurveCheckPanel::kClickFindNext);
    EXPECT_TRUE(inst.ValidateAllRecords());
    EXPECT_TRUE(s.Visit(S::kTest));
    EXPECT_EQ(s.data.m_saInstLastPoint[2], CString("2"));
}

TEST(BioMechSheetTest, CurveCheckWithoutFindingsInBlackOnSilver)
{
    BioSheet s;
    s.Load(WriteCurveTest(s, {"-2|2|1000"}, {}));
    CBioInstPage& inst = s.sheet.m_InstPage;
    ASSERT_TRUE(s.Visit(S::kInstrumentation));
    s.Click(inst, CBioInstPage::IDC_CHECK_CURVE);
    EXPECT_EQ(inst.Item<QLineEdit>(CBioInstPage::IDC_HINT)->text(), CCurveCheckPanel::kNoCurveFound);
    EXPECT_TRUE(inst.AllFieldsValid()) << "a record without findings never blocks";
    EXPECT_EQ(inst.Item<QLineEdit>(CBioInstPage::IDC_HINT)->text(), CCurveCheckPanel::kNoErrorInRecord);
    // The vehicle page shows the same text red on light green.
    EXPECT_EQ(WidgetTextColor(inst.m_editHint.GetWidget()), CNEdit::kBlack);
    EXPECT_EQ(WidgetBackColor(inst.m_editHint.GetWidget()), RGB(192, 192, 192));
}

TEST(BioMechSheetTest, OddLoadedTestShowsWhatIsThere)
{
    BioSheet s;
    // An unknown occupant type, counts beyond the records and odd codes: shown, coloured, no crash.
    std::string test = ReadFile(s.Fixture("cadaver.mv5"));
    test.replace(test.find("|2|CD|"), 6, "|9|ZZ|");
    test.replace(test.find("1|L4|"), 5, "1|QQ|");
    WriteFile(s.dir.file("t.mv5"), test);
    s.Load(s.dir.file("t.mv5"));
    ASSERT_FALSE(s.sheet.m_bUntouched);
    EXPECT_FALSE(s.sheet.m_bAllPagesValid) << "the occupant type is no code";
    EXPECT_FALSE(s.sheet.m_TestPage.Edit(CBioMechTestPage::IDC_OCCUPANT_TYPE)->IsValid());
    EXPECT_FALSE(s.Visit(S::kDummy)) << "the test page keeps the user until the type is a code";
    SetOccupantType(s, "H3");
    for (int index = S::kTest; index < S::kPageCount; ++index)
        EXPECT_TRUE(s.Visit(index)) << "page " << index << ": the bad rib is on a closed page";
    ASSERT_TRUE(s.Visit(S::kInstrumentation));
    for (int n = 0; n < 12; ++n)
        s.Click(s.sheet.m_InstPage, CBioInstPage::IDC_NEXTCURVE_BUTTON);
    EXPECT_LE(s.sheet.m_InstPage.m_nRecordIndex, s.sheet.m_InstPage.m_nRecordCount);
}

TEST(BioMechSheetTest, RecordPagesShowTheLoadedRecordOnTheirFirstVisit)
{
    BioSheet s;
    // A type that is no code keeps the user on the test page: the check after the load opens no
    // other page.
    std::string test = ReadFile(s.Fixture("cadaver.mv5"));
    test.replace(test.find("|2|CD|"), 6, "|2|ZZ|");
    WriteFile(s.dir.file("t.mv5"), test);
    s.Load(s.dir.file("t.mv5"));
    ASSERT_FALSE(s.sheet.m_bUntouched);
    SetOccupantType(s, "CD");
    CBioData& d = s.data;
    const struct {
        int index;
        CDataRecordPage<CBioData>& page;
        int count;
    } pages[] = {
        {S::kRib, s.sheet.m_RibPage, d.m_nRibCount},       {S::kRestraint, s.sheet.m_RestPage, d.m_nRestraintCount},
        {S::kInstrumentation, s.sheet.m_InstPage, d.m_nCurveCount},
        {S::kChestBand, s.sheet.m_CBandPage, d.m_nChestBandCount}, {S::kGauge, s.sheet.m_GaugePage, d.m_nGaugeCount},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.index);
        ASSERT_GT(p.count, 0);
        ASSERT_TRUE(s.Visit(p.index));
        EXPECT_EQ(p.page.m_nRecordIndex, p.count);
        EXPECT_EQ(p.page.m_listRecords.GetCurSel(), p.count - 1);
        for (const auto& field : p.page.Fields()) {
            if (field.array) {
                EXPECT_EQ(p.page.Edit(field.id)->GetText(), (d.*field.array)[p.count]) << field.id;
            }
        }
    }
}

TEST(BioMechSheetTest, MenuGrayingFollowsTheSheet)
{
    BioSheet s;
    EXPECT_FALSE(MenuItemEnabled(s.sheet, ID_SAVE_TEST)) << "a fresh sheet";
    EXPECT_FALSE(MenuItemEnabled(s.sheet, ID_SAVE_HSVD_ONLY));
    EXPECT_FALSE(MenuItemEnabled(s.sheet, ID_SAVE_HSVD_REPORT_ONLY));
    const std::string path = s.Copy("cadaver.mv5", "t.mv5");
    WriteFile(s.dir.file("t.hs5"), kHs5);
    s.Load(path);
    EXPECT_TRUE(MenuItemEnabled(s.sheet, ID_SAVE_TEST));
    EXPECT_TRUE(MenuItemEnabled(s.sheet, ID_SAVE_HSVD_ONLY));
    for (int id : {ID_LOAD_INTRUSION_ONLY, ID_SAVE_INTRUSION_ONLY, ID_SAVE_INTRUSION_REPORT_ONLY})
        EXPECT_FALSE(MenuItemEnabled(s.sheet, id));

    // Declining the clear of a second load leaves everything as it was.
    s.messages.setNextAnswer(IDNO);
    s.Load(s.Copy("hybrid.mv5", "u.mv5"));
    EXPECT_EQ(s.messages.last().text, "Really clear all entries?");
    EXPECT_EQ(s.data.m_strOccupantType, CString("CD"));
    EXPECT_EQ(s.data.m_nRibCount, 2);
}

TEST(BioMechSheetTest, GrImportsFillTheirPages)
{
    struct Case {
        const char* file;
        int CBioData::*count;
    };
    const Case cases[] = {
        {"test.gr1", nullptr},
        {"test.gr5", &CBioData::m_nCurveCount},
        {"bio.gr6", nullptr},
        {"test.gr7", nullptr},
        {"test.gr8", &CBioData::m_nInjuryCount},
        {"test.gry", &CBioData::m_nGaugeCount},
        {"test.grz", &CBioData::m_nChestBandCount},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        BioSheet s;
        s.Load(s.Fixture(c.file));
        for (const std::string& text : s.messages.texts())
            EXPECT_EQ(text.find("File import fails"), std::string::npos) << text;
        EXPECT_FALSE(s.sheet.m_bUntouched);
        if (c.count) {
            EXPECT_GT(s.data.*c.count, 0);
        }
    }
}

TEST(BioMechSheetTest, SaveReportWritesTheReport)
{
    BioSheet s;
    s.Load(s.Copy("bio.mv5", "t.mv5"));
    s.files.answer(s.dir.file("r").c_str());
    s.sheet.RunCommand(ID_SAVE_REPORT);
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("r.mvr"))), WithoutDate(ReadFile(s.Fixture("bio.mvr"))));
}

TEST(BioMechSheetTest, BoneMineralContentTooSmallToMeasureEmpties)
{
    BioSheet s;
    s.Load(s.Copy("cadaver.mv5", "t.mv5"));
    for (const auto& [stored, shown] : {std::pair {"0", ""}, {"0.0000001", ""}, {"-5", ""}, {"ABC", ""},
                                        {"0.000001", "0.000001"}, {"999999", "999999"}}) {
        SCOPED_TRACE(stored);
        s.data.m_strBioBmc = stored;
        s.data.m_strBioDeathDate = "12-jan-1999";
        ASSERT_TRUE(s.Visit(S::kBioOccupant));
        EXPECT_EQ(s.sheet.m_OccPage.Edit(CBioOccPage::IDC_BMC)->GetText(), CString(shown));
        EXPECT_EQ(s.data.m_strBioBmc, CString(shown)) << "emptied in the data on entering";
        EXPECT_EQ(s.data.m_strBioDeathDate, CString("12-JAN-1999"));
        ASSERT_TRUE(s.Visit(S::kTest));
    }
}

TEST(BioMechSheetTest, ClosedPagesAreCheckedBeforeTheFilesCarryTheirValues)
{
    // A human carries no ribs or injuries on screen, yet the files carry those sections: a bad
    // value there is named and its page opened until it is corrected or cleared.
    BioSheet s;
    const std::string in = s.Copy("cadaver.mv5", "t.mv5");
    s.Load(in);
    s.messages.clear();
    s.data.m_saRibMomentOfInertia.SetAt(1, "1000000");
    s.data.m_saInjAis90.SetAt(2, "-1");
    SetOccupantType(s, "HU");
    const std::string out = s.dir.file("out.mv5");
    const std::string tail = ". The page is open to correct or clear it. No file output.";
    CBioRibPage& rib = s.sheet.m_RibPage;
    CBioInjPage& inj = s.sheet.m_InjPage;

    s.sheet.RunCommand(ID_SAVE_TEST);
    ASSERT_EQ(s.messages.count(), 1);
    EXPECT_EQ(s.messages.last().text, "Illegal data found in Rib Moment of Inertia of record 1 of \"Rib Info\"" + tail);
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kRib);
    EXPECT_EQ(rib.m_nRecordIndex, 1);
    EXPECT_TRUE(s.Enabled(rib, 1371));
    EXPECT_EQ(WidgetBackColor(rib.Edit(1371)->GetWidget()), CNEdit::kYellow);
    EXPECT_FALSE(s.Visit(S::kTest)) << "open for correction, the page checks what it shows";
    s.Type(rib, 1371, "12");
    EXPECT_TRUE(s.Visit(S::kTest));
    ASSERT_TRUE(s.Visit(S::kRib));
    EXPECT_FALSE(s.Enabled(rib, 1371)) << "corrected, the Occupant Type closes the page again";

    s.messages.clear();
    s.sheet.RunCommand(ID_SAVE_REPORT);
    ASSERT_EQ(s.messages.count(), 1);
    EXPECT_EQ(s.messages.last().text,
              "Illegal data found in AIS 90 of record 2 of \"Occupant Injury Info\". The page is open to correct or "
              "clear it. No Report output.");
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kInjury);
    EXPECT_EQ(inj.m_nRecordIndex, 2);
    EXPECT_TRUE(s.Enabled(inj, CBioInjPage::IDC_AIS90));
    s.Type(inj, CBioInjPage::IDC_AIS90, "");
    EXPECT_TRUE(s.Visit(S::kTest));
    EXPECT_TRUE(s.files.requests().size() == 1) << "nothing asked for, nothing written";

    // Both corrected: the test is saved whole, ribs and injuries included.
    s.messages.clear();
    s.Save(out);
    EXPECT_EQ(s.messages.count(), 0) << Texts(s.messages);
    std::string expected = ReadFile(in);
    expected.replace(expected.find("|CD|"), 4, "|HU|");
    EXPECT_EQ(WithoutDate(ReadFile(out)), WithoutDate(expected));
}

TEST(BioMechSheetTest, ClearAllPagesKeepsTheLastCurveCheckAndUndoRedoDoNothing)
{
    BioSheet s;
    s.Load(s.Copy("cadaver.mv5", "t.mv5"));
    s.messages.clear();
    s.data.m_vCurveErrors.emplace_back();
    s.data.m_vCurveChannelIndex = {-1, 0};
    s.data.m_bCurvesChecked = true;
    s.data.m_nCurveCheckCount = 2;
    for (int id : {ID_UNDO_ALL_PAGES, ID_REDO_ALL_PAGES}) {
        EXPECT_TRUE(MenuItemEnabled(s.sheet, id)) << id;
        s.sheet.RunCommand(id);
    }
    EXPECT_EQ(s.data.m_nRibCount, 2);
    EXPECT_EQ(s.messages.count(), 0);

    s.messages.setNextAnswer(IDYES);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    ASSERT_TRUE(s.sheet.m_bCleared);
    EXPECT_EQ(s.data.m_nRibCount, 0);
    EXPECT_EQ(s.data.m_strCurvePath, CString(s.dir.file("t.mv5")));
    EXPECT_EQ(s.data.m_vCurveErrors.size(), 1u);
    EXPECT_EQ(s.data.m_vCurveChannelIndex, (std::vector<int> {-1, 0}));
    EXPECT_TRUE(s.data.m_bCurvesChecked);
    EXPECT_EQ(s.data.m_nCurveCheckCount, 2);
}

// A calibration date picker shows its channel's date, and none where no channel is: never the
// date of the test held before.
TEST(BioMechSheetTest, CalibrationPickerShowsTheShownChannelsDateOrNone)
{
    BioSheet s;
    s.Load(s.Copy("hybrid.mv5", "curves.mv5"));
    ASSERT_TRUE(s.Visit(S::kInstrumentation));
    auto* picker = s.sheet.m_InstPage.findChild<CDateTimeCtrl*>();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->date(), QDate(2001, 1, 1));

    WriteFile(s.dir.file("none.mv5"), testutil::WithoutSection(ReadFile(s.Fixture("hybrid.mv5")), "INSTRUMENTATION"));
    for (int shown : {S::kInstrumentation, S::kTest}) {
        ASSERT_TRUE(s.Visit(shown));
        s.Load(s.dir.file("none.mv5"));
        ASSERT_TRUE(s.Visit(S::kInstrumentation));
        EXPECT_EQ(s.data.m_nCurveCount, 0);
        EXPECT_EQ(picker->text().trimmed(), "") << "shown " << shown;
        s.Load(s.dir.file("curves.mv5"));
    }
}
