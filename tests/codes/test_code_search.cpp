#include "codes/CodeCheck.h"
#include "codes/CodeSearch.h"

#include "CodesTestUtil.h"
#include "doubles/MessageRecorder.h"

using codetest::Connection;

namespace {

std::vector<CString> Column(const std::vector<SearchRow>& rows, size_t c)
{
    std::vector<CString> out;
    for (const SearchRow& row : rows)
        out.push_back(c < row.size() ? row[c] : CString());
    return out;
}

std::vector<CString> Headings(const CCodeSearchList& list)
{
    std::vector<CString> out;
    for (const SearchColumn& column : list.Columns())
        out.push_back(column.heading);
    return out;
}

const SearchRow* RowOf(const CCodeSearchList& list, const char* code)
{
    for (const SearchRow& row : list.Rows())
        if (!row.empty() && row[0] == code)
            return &row;
    return nullptr;
}

class CodeSearchTest : public ::testing::Test {
protected:
    Connection db;
    platform::MessageRecorder boxes;
};

} // namespace

TEST_F(CodeSearchTest, CodeTableListsTheGroupInCodeOrder)
{
    ASSERT_TRUE(db.open());
    CCodeSearchList list("DUMSIZ", "BIODB", "", false);
    list.Fill();
    EXPECT_EQ(list.Caption(), "DUMSIZ Search");
    EXPECT_EQ(Headings(list), (std::vector<CString> {"Code", "Description", "Comments", "Code Name"}));
    EXPECT_EQ(list.Columns()[1].width, 300);
    EXPECT_EQ(Column(list.Rows(), 0),
              (std::vector<CString> {"05F", "12M", "3YR", "50M", "6YR", "95M", "CAD", "NA", "OT"}));
    EXPECT_EQ(list.Rows()[0], (SearchRow {"05F", "5th percentile female", "", "DUMSIZ"}));
    EXPECT_EQ(boxes.count(), 0);

    list.Choose(list.Rows()[3]);
    EXPECT_EQ(list.GetCode(), "50M");
    EXPECT_EQ(list.GetSecondColumn(), "50th percentile male");
    EXPECT_EQ(list.ChosenRow().GetAt(3), "DUMSIZ");
    EXPECT_EQ(list.ChosenRow().GetSize(), 4) << "no fifth column";
    list.ClearEntry();
    EXPECT_EQ(list.GetCode(), "");
}

TEST_F(CodeSearchTest, EmptyGroupSaysNoDataFetched)
{
    ASSERT_TRUE(db.open());
    CCodeSearchList list("DUMSIZ", "NOGROUP", "", false);
    list.Fill();
    EXPECT_TRUE(list.Rows().empty());
    EXPECT_EQ(list.Columns().size(), 4u);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "No Data Fetched.\n\r");
}

TEST_F(CodeSearchTest, CallersStatementRunsUnchanged)
{
    ASSERT_TRUE(db.open());
    CCodeSearchList models("MODEL", "", codesql::ModelsOfMake("D'AR", "VEHDB", true), false);
    models.Fill();
    EXPECT_EQ(models.Rows(), (std::vector<SearchRow> {{"01", "Landau", "", "MODEL"}}));
    CCodeSearchList byPrefix("MODEL", "", codesql::ModelsOfMake("HON", "COMDB", false), false);
    byPrefix.Fill();
    EXPECT_EQ(Column(byPrefix.Rows(), 0), (std::vector<CString> {"01", "02"}));

    CCodeSearchList attachments("SENATT", "",
                                "SELECT DISTINCT SENATT,SENATTD,SENATT_COMMENT FROM SENATTCODE1 ORDER BY SENATT", false);
    attachments.Fill();
    EXPECT_EQ(Column(attachments.Rows(), 0).front(), "CM");
    EXPECT_EQ(boxes.count(), 0);

    // A statement without the comment column: told once, not once per row; the cells stay empty.
    CCodeSearchList lacking("MODEL", "", "SELECT MODEL, MODELD FROM KAVRODB_MODEL ORDER BY MODEL", false);
    lacking.Fill();
    EXPECT_EQ(lacking.Rows().size(), 5000u);
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_EQ(lacking.Rows()[0][2], "");
}

TEST_F(CodeSearchTest, FailedQueryIsToldAndListsNothing)
{
    ASSERT_TRUE(db.open());
    CCodeSearchList list("X", "", "SELECT X, XD, X_COMMENT FROM KAVRODB_NOSUCH", false);
    list.Fill();
    EXPECT_TRUE(list.Rows().empty());
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_NE(boxes.last().text.find("KAVRODB_NOSUCH"), std::string::npos);
}

TEST_F(CodeSearchTest, ChannelTypesShowFiveColumns)
{
    ASSERT_TRUE(db.open());
    CCodeSearchList list("CHANTYP", "TCADB", "", false);
    list.Fill();
    EXPECT_EQ(Headings(list), (std::vector<CString> {"Code", "Description", "Comments", "ISO IS", "UNITS"}));
    const SearchRow* row = RowOf(list, "AC");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(*row, (SearchRow {"AC", "Acceleration", "", "SI", "G'S"}));
    list.Choose({" AC ", "Acceleration ", "", "SI", " G'S"});
    EXPECT_EQ(list.GetCode(), "AC");
    EXPECT_EQ(list.ChosenRow().GetAt(3), "SI");
    EXPECT_EQ(list.ChosenRow().GetAt(4), "G'S");

    CCodeSearchList none("CHANTYP", "BIODB", "", false);
    none.Fill();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "No Data Fetched.\n\r");
}

TEST_F(CodeSearchTest, YUnitsOfAnAttachment)
{
    ASSERT_TRUE(db.open());
    CCodeSearchList list("UNITS", "SK", "BIO_YUNITS", false);
    list.Fill();
    EXPECT_EQ(Headings(list), (std::vector<CString> {"UNITS", "UNITSD", "MEASUREMENT_TYPE"}));
    ASSERT_EQ(list.Rows().size(), 2u);
    EXPECT_EQ(list.Rows()[0], (SearchRow {"DPS", "Degrees per second", "ANGULAR VELOCITY"}));
    EXPECT_EQ(list.Rows()[1][0], "G'S");

    list.Choose(list.Rows()[1]); // one row of the attachment has G'S
    EXPECT_EQ(list.GetCode(), "G'S");
    EXPECT_EQ(list.GetSecondColumn(), "HDB");
    list.Choose(list.Rows()[0]); // DPS stands in two rows
    EXPECT_EQ(list.GetSecondColumn(), "");
    EXPECT_EQ(boxes.count(), 0);

    // Units all outside the metric table: the three columns, no row.
    CCodeSearchList imperial("UNITS", "IN", "BIO_YUNITS", false);
    imperial.Fill();
    EXPECT_EQ(imperial.Columns().size(), 3u);
    EXPECT_TRUE(imperial.Rows().empty());

    CCodeSearchList unknown("UNITS", "Q'Q", "BIO_YUNITS", false);
    unknown.Fill();
    EXPECT_TRUE(unknown.Columns().empty());
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "No Data Catched.\n\rSELECT SENLOC, UNITS, SENATTD FROM SENATTCODE1 WHERE SENATT "
                                 "LIKE '%Q''Q%' ORDER BY UNITS ");
}

TEST_F(CodeSearchTest, TwoStageAttachmentLookUpShowsTheLocation)
{
    ASSERT_TRUE(db.open());
    CCodeSearchList list("SENATT", "", codesql::AttachmentsOfUnit("NWT"), true);
    list.SetExtraKeys("SENATT", "SENLOC", "SENATTD", "SENATT_COMMENT");
    list.Fill();
    EXPECT_EQ(list.Caption(), "SENATT Search");
    EXPECT_EQ(Headings(list), (std::vector<CString> {"SENATT", "SENLOC", "SENATTD", "SENATT_COMMENT"}));
    // FM's location stands outside the BIODB group, SE's in no row at all.
    EXPECT_EQ(list.Rows(), (std::vector<SearchRow> {{"FM", "", "Femur load cell", ""}, {"SE", "", "Seat frame", ""}}));

    CCodeSearchList skull("SENATT", "", codesql::AttachmentsOfUnit("G'S"), true);
    skull.SetExtraKeys("SENATT", "SENLOC", "SENATTD", "SENATT_COMMENT");
    skull.Fill();
    const SearchRow* row = RowOf(skull, "SK");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ((*row)[1], "HDB ( Head (biomechanics) )");
    skull.Choose(*row);
    EXPECT_EQ(skull.GetCode(), "SK");
    EXPECT_EQ(skull.GetSecondColumn(), "HDB ");
    skull.Choose(list.Rows()[0]);
    EXPECT_EQ(skull.GetSecondColumn(), "");
    EXPECT_EQ(boxes.count(), 0);

    CCodeSearchList none("SENATT", "", codesql::AttachmentsOfUnit("XYZ"), true);
    none.SetExtraKeys("SENATT", "SENLOC", "SENATTD", "SENATT_COMMENT");
    none.Fill();
    EXPECT_TRUE(none.EndsAtOnce());
    EXPECT_EQ(none.GetCode(), "");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "No related SENLOC Data Found for this UNIT.\n\r" + codesql::AttachmentsOfUnit("XYZ"));
}

TEST_F(CodeSearchTest, ExternalCodeList)
{
    ASSERT_TRUE(db.open());
    CStringArray codes;
    codes.Add("03");
    codes.Add("OT");
    codes.Add("O'X");
    CCodeSearchList list("OCCLOC", "VEHDB", &codes);
    list.Fill();
    EXPECT_FALSE(list.FocusOnQuickSearch());
    EXPECT_EQ(Column(list.Rows(), 0), (std::vector<CString> {"03", "OT"}));
    EXPECT_EQ(boxes.count(), 0);

    CStringArray one;
    one.Add("A");
    CCodeSearchList none("OCCLOC", "NOGROUP", &one);
    none.Fill();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "No Data Retrieved.\n\rSELECT OCCLOC, OCCLOCD, OCCLOC_COMMENT FROM KAVRODB_OCCLOC "
                                 "WHERE REFERENCE LIKE '%NOGROUP%' AND OCCLOC IN ('A') ORDER BY OCCLOC");

    // Sensor locations of a configuration: the configuration's rows and the listed codes.
    CStringArray locations;
    locations.Add("01");
    CCodeSearchList ldw("SENLOC", "VEHDB", &locations);
    ldw.SetTestType("LDW");
    ldw.Fill();
    EXPECT_EQ(Column(ldw.Rows(), 0),
              (std::vector<CString> {"01", "BL", "BR", "DL", "DR", "NA", "OT", "SL", "SR"}));

    CStringArray empty;
    CCodeSearchList nothing("AXIS", "VEHDB", &empty);
    nothing.Fill();
    EXPECT_TRUE(nothing.Columns().empty());
    EXPECT_TRUE(nothing.Rows().empty());
}

TEST_F(CodeSearchTest, RecordListsAreSortedAndPrunedOnCopies)
{
    CStringArray veh, comp, code, comment;
    const char* rows[][4] = {
        {"1", "2", "AB", "first"}, {" 1 ", "10", "SB", "x"}, {"1", "2", "AB", "same but another comment"},
        {"0", "1", "SE", ""},      {"1", "3", "DR", "a"},     {"1", "3", "DR", "b"},
    };
    for (const auto& r : rows) {
        veh.Add(r[0]);
        comp.Add(r[1]);
        code.Add(r[2]);
        comment.Add(r[3]);
    }
    const CStringArray vehBefore(veh), compBefore(comp), commentBefore(comment);

    CCodeSearchList list("ListCompCompData", &veh, &comp, &code, &comment);
    list.Fill();
    EXPECT_EQ(list.Caption(), "VEHNO and COMPNO Search");
    EXPECT_EQ(Headings(list), (std::vector<CString> {"Vehicle #", "Component #", "Component Code", "Component Comment"}));
    EXPECT_TRUE(list.Columns()[0].centred);
    EXPECT_FALSE(list.Columns()[3].centred);
    EXPECT_EQ(list.Rows(), (std::vector<SearchRow> {{"0", "1", "SE", ""},
                                                    {"1", "10", "SB", "x"},
                                                    {"1", "2", "AB", "first"},
                                                    {"1", "3", "DR", "a"}}));
    EXPECT_EQ(veh, vehBefore);
    EXPECT_EQ(comp, compBefore);
    EXPECT_EQ(comment, commentBefore);

    // A click and OK take the component number; OK takes the selected row's.
    EXPECT_EQ(list.Rows()[1][list.ClickColumn()], "10");
    list.Choose(list.Rows()[3]);
    EXPECT_EQ(list.GetCode(), "3");

    CCodeSearchList conf("ListCompInstConfData", &veh, &comp, &code, &comment);
    conf.Fill();
    EXPECT_EQ(conf.Caption(), "VEHNO, COMPNO and CONFNO Search");
    EXPECT_EQ(conf.ClickColumn(), 2);
    conf.Choose(conf.Rows()[0]);
    EXPECT_EQ(conf.GetCode(), "SE");

    CCodeSearchList other("SomethingElse", &veh, nullptr, nullptr, nullptr);
    other.Fill();
    EXPECT_TRUE(other.Rows().empty());
    EXPECT_TRUE(other.Columns().empty());
}

TEST_F(CodeSearchTest, QuickSearchFindsTheFirstRowByCodePrefix)
{
    CCodeSearchList list("DUMSIZ", "BIODB", "", false);
    const std::vector<CString> shown {"05F", "DUB", "DUMA", "du", "DUMB"};
    struct Step {
        const char* typed;
        int row;
    };
    const Step steps[] = {
        {"du", 1},    // any case
        {" DU ", -1}, // the same text again: no new search
        {"DUM", 2},
        {"DUMBO", -1}, // a shorter code never matches a longer text
        {"", -1},      // empty: nothing
        {"DUMBO", -1}, // the last search is kept across the empty text
        {"0", 0},
    };
    for (const Step& s : steps)
        EXPECT_EQ(list.QuickSearch(s.typed, shown), s.row) << s.typed;
}

TEST_F(CodeSearchTest, EveryCodeTableOfTheSampleFindsCodesForItsGroups)
{
    ASSERT_TRUE(db.open());
    auto tables = CodeDbExecute("SELECT name FROM sqlite_master WHERE name LIKE 'KAVRODB_%' ORDER BY name");
    int count = 0;
    for (; !tables->IsEOF(); tables->MoveNext(), ++count) {
        const CString code = tables->GetText("name").Mid(8);
        auto refs = CodeDbExecute("SELECT DISTINCT REFERENCE FROM KAVRODB_" + code);
        ASSERT_FALSE(refs->IsEOF()) << code.GetString();
        CString reference = refs->GetText("REFERENCE");
        const int blank = reference.Find(' ');
        const CString tag = blank < 0 ? reference : reference.Left(blank);
        CCodeSearchList list(code, tag, "", false);
        list.Fill();
        EXPECT_FALSE(list.Rows().empty()) << code.GetString() << " " << tag.GetString();
    }
    EXPECT_EQ(count, 71);
    EXPECT_EQ(boxes.count(), 0);
}
