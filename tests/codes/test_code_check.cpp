#include "codes/CodeCheck.h"

#include "CodesTestUtil.h"
#include "doubles/MessageRecorder.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

using codetest::Connection;
using codetest::Field;
using Outcome = CCodeCheck::Outcome;

namespace {

int Check(const char* text, const char* code, const char* tag)
{
    Field field {text};
    CCodeCheck().CheckCode(&field, code, tag);
    return field.valid;
}

} // namespace

TEST(CodeCheckTest, BlankFieldIsValidWithoutAnyQuery)
{
    Connection db("/nonexistent/ncodes.mdb");
    platform::MessageRecorder boxes;
    for (const char* text : {"", "   ", "\t "}) {
        Field field {text};
        CCodeCheck().CheckCode(&field, "NOSUCH", "VEHDB");
        EXPECT_EQ(field.valid, 1) << '"' << text << '"';
        field.valid = -1;
        CCodeCheck().CheckCodeBySql(&field, "no statement at all");
        EXPECT_EQ(field.valid, 1);
    }
    EXPECT_EQ(boxes.count(), 0);
}

TEST(CodeCheckTest, CodeIsLookedUpInItsGroupAndMatchedExactly)
{
    Connection db;
    ASSERT_TRUE(db.open());
    platform::MessageRecorder boxes;
    struct Case {
        const char* text;
        const char* code;
        const char* tag;
        int valid;
    };
    const Case cases[] = {
        {"VTB", "TSTCFN", "VEHDB", 1},
        {"  VTB  ", "TSTCFN", "VEHDB", 1}, // blanks around the text are trimmed
        {"vtb", "TSTCFN", "VEHDB", 0},     // the check's own match is case-sensitive
        {"VTBX", "TSTCFN", "VEHDB", 0},
        {"SLD", "TSTCFN", "BIODB", 1},
        {"SLD", "TSTCFN", "VEHDB", 0}, // a code of another group
        {"ROV", "TSTTYP", "VEHDB", 1}, // REFERENCE names both groups
        {"ROV", "TSTTYP", "COMDB", 1},
        {"ROV", "TSTTYP", "BIODB", 0},
        {"T1", "SENLOC", "FCW", 1}, // a configuration code as the tag
        {"T1", "SENLOC", "LDW", 0},
        {"12ABC", "VEHIP", "INTRUSIONDB", 1},
        {"G'S", "UNITS", "BIODB", 1},
        {"NCA", "TSTTYP", "TCADB", 1},
        {"XYZ", "TSTTYP", "TCADB", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Check(c.text, c.code, c.tag), c.valid) << c.text << " " << c.code << " " << c.tag;
    EXPECT_EQ(boxes.count(), 0);
}

TEST(CodeCheckTest, EveryDefaultAndFillCodeIsInTheSampleTables)
{
    Connection db;
    ASSERT_TRUE(db.open());
    platform::MessageRecorder boxes;
    const char* codes[][3] = {
        {"VTB", "TSTCFN", "VEHDB"}, {"VTV", "TSTCFN", "VEHDB"}, {"ITI", "TSTCFN", "VEHDB"}, {"PTV", "TSTCFN", "VEHDB"},
        {"DDA", "RECTYP", "VEHDB"}, {"UMB", "LINK", "VEHDB"},   {"NA", "BODY", "VEHDB"},    {"NAPP", "ENGINE", "VEHDB"},
        {"NA", "TRANSM", "VEHDB"},  {"NA", "STRSEP", "VEHDB"},  {"NAP", "COLMEC", "VEHDB"}, {"U", "MODIND", "VEHDB"},
        {"SEC", "UNITS", "VEHDB"},  {"AM", "DASTAT", "BIODB"},  {"P", "CHSTAT", "BIODB"},   {"NCA", "TSTTYP", "TCADB"},
        {"ROV", "TSTTYP", "COMDB"}, {"ROVV", "CRTEST", "COMDB"}, {"WD", "OCCTYP", "COMDB"}, {"VE", "CMPTYP", "COMDB"},
        {"ELEC", "ENGINE", "COMDB"}, {"AN", "OCCTYP", "BIODB"}, {"CD", "OCCTYP", "BIODB"},  {"HU", "OCCTYP", "BIODB"},
        {"FCW", "TSTCFN", "TCADB"}, {"MPH", "UNITS", "VEHDB"},  {"DPS", "UNITS", "SWGDB"},  {"SV", "SUBTYPE", "FCW"},
        {"32", "MAKE", "VEHDB"},    {"05", "MODEL", "VEHDB"}, // the pole a pole test fills in as vehicle 1
    };
    for (const auto& c : codes)
        EXPECT_EQ(Check(c[0], c[1], c[2]), 1) << c[0] << " " << c[1] << " " << c[2];
    EXPECT_EQ(boxes.count(), 0);
}

TEST(CodeCheckTest, NoRowsAndFailuresLeaveTheFieldAsItWas)
{
    Connection db;
    ASSERT_TRUE(db.open());
    platform::MessageRecorder boxes;

    Field field {"VTB"};
    field.valid = 1;
    CCodeCheck().CheckCode(&field, "TSTCFN", "NOGROUP");
    EXPECT_EQ(field.valid, 1);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "No Validation Data Found in the portable DB.\n\r"
                                 "SELECT TSTCFN FROM KAVRODB_TSTCFN WHERE REFERENCE LIKE '%NOGROUP%' ORDER BY TSTCFN");
    EXPECT_EQ(boxes.last().caption, kAppTitle);
    EXPECT_EQ(boxes.last().buttons(), MB_OK);

    boxes.clear();
    field.valid = 0;
    CCodeCheck().CheckCodeBySql(&field, "SELECT X FROM KAVRODB_NOSUCH");
    EXPECT_EQ(field.valid, 0);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_NE(boxes.last().text.find("KAVRODB_NOSUCH"), std::string::npos);

    // A code column the rows lack (the statement renames it) is raised by the rows, not the
    // provider: still told.
    boxes.clear();
    CCodeCheck().CheckCodeBySql(&field, "SELECT TSTCFN AS NOPE FROM KAVRODB_TSTCFN");
    EXPECT_EQ(field.valid, 0);
    EXPECT_EQ(boxes.count(), 1);

    // The next check runs normally.
    boxes.clear();
    EXPECT_EQ(Check("VTB", "TSTCFN", "VEHDB"), 1);
    EXPECT_EQ(boxes.count(), 0);
}

TEST(CodeCheckTest, WithoutAnOpenConnectionTheFieldKeepsItsState)
{
    platform::MessageRecorder boxes;
    Field field {"VTB"};
    {
        // A connection that failed to open says so once per check.
        Connection db("/nonexistent/ncodes.mdb");
        CCodeCheck().CheckCode(&field, "TSTCFN", "VEHDB");
        EXPECT_EQ(field.valid, -1);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, "Operation is not allowed when the object is closed.");
    }
    // No connection object at all: nothing to tell.
    boxes.clear();
    auto saved = g_pCodeDbConnection;
    g_pCodeDbConnection.reset();
    CCodeCheck().CheckCode(&field, "TSTCFN", "VEHDB");
    g_pCodeDbConnection = saved;
    EXPECT_EQ(field.valid, -1);
    EXPECT_EQ(boxes.count(), 0);
}

TEST(CodeCheckTest, StatementCodeColumn)
{
    struct Case {
        const char* sql;
        const char* column; // nullptr: not found
    };
    const Case cases[] = {
        {"SELECT DISTINCT UNITS FROM SENATTCODE1 WHERE SENATT LIKE '%SK%' ORDER BY UNITS ", "UNITS"},
        {"SELECT DISTINCT SENLOC FROM SENATTCODE1 ", "SENLOC"},
        {"SELECT SENLOC, UNITS FROM SENATTCODE1", "SENLOC"},
        {"SELECT SENATT,SENLOC FROM SENATTCODE1", "SENATT"},
        {"   SELECT MODEL FROM KAVRODB_MODEL", "MODEL"},
        {"SELECTMODEL", nullptr},
        {"SELECT MODEL from KAVRODB_MODEL", nullptr}, // FROM is looked for in upper case only
        {"", nullptr},
        {",SELECT X FROM T", nullptr},
    };
    for (const Case& c : cases) {
        CString column;
        const bool ok = CCodeCheck::ColumnOfStatement(c.sql, column);
        EXPECT_EQ(ok, c.column != nullptr) << c.sql;
        if (ok && c.column) {
            EXPECT_EQ(column, c.column) << c.sql;
        }
    }
}

TEST(CodeCheckTest, SensorStatementsCheckDependentFields)
{
    Connection db;
    ASSERT_TRUE(db.open());
    platform::MessageRecorder boxes;
    struct Case {
        CString sql;
        const char* text;
        int valid;
    };
    const Case cases[] = {
        {codesql::UnitsOfAttachment("SK"), "G'S", 1},
        {codesql::UnitsOfAttachment("SK"), "DPS", 1},
        {codesql::UnitsOfAttachment("SK"), "NWT", 0},
        {codesql::LocationsOfAttachmentAndUnit("SK", "G'S"), "HDB", 1},
        {codesql::LocationsOfAttachmentAndUnit("SK", "DPS"), "HD", 1},
        {codesql::LocationsOfAttachmentAndUnit("SK", "G'S"), "HD", 0},
        {codesql::SensorTypesOfUnit("G'S"), "AC", 1},
        {codesql::SensorTypesOfUnit("G'S"), "OT", 1}, // a type for every unit
        {codesql::SensorTypesOfUnit("G'S"), "LC", 0},
    };
    for (const Case& c : cases) {
        Field field {c.text};
        CCodeCheck().CheckCodeBySql(&field, c.sql);
        EXPECT_EQ(field.valid, c.valid) << c.sql.GetString() << " / " << c.text;
    }
    EXPECT_EQ(boxes.count(), 0);

    Field field {"X"};
    CCodeCheck().CheckCodeBySql(&field, "SELECTX");
    EXPECT_EQ(field.valid, -1);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "SQL statement error: code name not found.");
}

TEST(CodeCheckTest, PastedQuotesNeitherBreakNorChangeTheStatement)
{
    EXPECT_EQ(codesql::UnitsOfAttachment("O'X"),
              "SELECT DISTINCT UNITS FROM SENATTCODE1 WHERE SENATT LIKE '%O''X%' ORDER BY UNITS ");
    EXPECT_EQ(codesql::LocationsOfAttachmentAndUnit("SK", "G'S"),
              "SELECT DISTINCT SENLOC FROM SENATTCODE1 WHERE SENATT LIKE '%SK%' AND UNITS LIKE '%G''S%' ORDER BY SENLOC ");
    EXPECT_EQ(codesql::SensorTypesOfUnit("MPH"),
              "SELECT DISTINCT SENTYP FROM SENTYPCODE WHERE UNITS LIKE '%MPH%'OR UNITS LIKE '%ALL%' ORDER BY SENTYP");
    EXPECT_EQ(codesql::ModelsOfMake("FORD", "VEHDB", true),
              "SELECT MODEL,MODELD,MODEL_COMMENT FROM KAVRODB_MODEL WHERE MAKE LIKE '%FORD%' AND REFERENCE LIKE "
              "'%VEHDB%' ORDER BY MODEL");
    EXPECT_EQ(codesql::ModelsOfMake("FORD", "COMDB", false),
              "SELECT MODEL,MODELD,MODEL_COMMENT FROM KAVRODB_MODEL WHERE MAKE LIKE 'FORD%' AND REFERENCE LIKE "
              "'%COMDB%' ORDER BY MODEL");

    Connection db;
    ASSERT_TRUE(db.open());
    platform::MessageRecorder boxes;
    // A quote that would end the literal early and add a condition matches nothing instead.
    Field field {"VTB"};
    CCodeCheck().CheckCode(&field, "TSTCFN", "XX' OR '1'='1");
    EXPECT_EQ(field.valid, -1);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text.rfind("No Validation Data Found", 0), 0u);
}

TEST(CodeCheckTest, TextComparesWithoutRegardToCaseInTheDatabase)
{
    codetest::SmallDb small(R"(
        CREATE TABLE KAVRODB_X (X TEXT COLLATE NOCASE, XD TEXT COLLATE NOCASE, X_COMMENT TEXT COLLATE NOCASE,
                                REFERENCE TEXT COLLATE NOCASE);
        INSERT INTO KAVRODB_X VALUES ('b', 'bee', NULL, 'vehdb'), ('A', 'ay', NULL, 'VEHDB'),
                                     ('C', 'cee', NULL, 'VEHDB'), ('a', 'small ay', NULL, 'VEHDB'),
                                     (NULL, 'no code', NULL, 'VEHDB'), ('  D  ', 'dee', NULL, 'VEHDB');
    )");
    Connection db(small.path());
    ASSERT_TRUE(db.open());
    platform::MessageRecorder boxes;

    const auto rows = [](const CString& sql) {
        int n = 0;
        for (auto rs = CodeDbExecute(sql); !rs->IsEOF(); rs->MoveNext())
            ++n;
        return n;
    };
    EXPECT_EQ(rows("SELECT X FROM KAVRODB_X WHERE X = 'B'"), 1);
    ASSERT_EQ(rows("SELECT DISTINCT X FROM KAVRODB_X WHERE X IS NOT NULL ORDER BY X"), 4);
    auto rs = CodeDbExecute("SELECT DISTINCT X FROM KAVRODB_X WHERE X IS NOT NULL ORDER BY X");
    rs->MoveNext();
    EXPECT_EQ(CString(rs->GetText("X")).CompareNoCase("A"), 0);

    // The lower-case tag and the NULL code row are read; the match itself is case-sensitive.
    EXPECT_EQ(Check("b", "X", "VEHDB"), 1);
    EXPECT_EQ(Check("B", "X", "VEHDB"), 0);
    EXPECT_EQ(Check("D", "X", "VEHDB"), 1);
    EXPECT_EQ(Check("C", "X", "vehdb"), 1);
    EXPECT_EQ(boxes.count(), 0);
}

TEST(CodeCheckTest, GenuineAccessFile)
{
    const std::string path = testutil::FixturePath("jet/DateTestDatabase.mdb");
    SKIP_OR_FAIL_IF_ABSENT(std::filesystem::exists(path), "fixture " << path);
    testutil::ScopedCacheHome cache;
    Connection db(path);
    ASSERT_TRUE(db.open());
    platform::MessageRecorder boxes;
    auto rs = CodeDbExecute("SELECT ShortTextCol FROM DateTest ORDER BY IDCol");
    ASSERT_FALSE(rs->IsEOF());
    const CString stored = rs->GetText("ShortTextCol");

    Field field {" " + stored + " "};
    CCodeCheck().CheckCodeBySql(&field, "SELECT ShortTextCol FROM DateTest ORDER BY ShortTextCol");
    EXPECT_EQ(field.valid, 1);
    field.text = stored + "x";
    CCodeCheck().CheckCodeBySql(&field, "SELECT DISTINCT ShortTextCol FROM DateTest");
    EXPECT_EQ(field.valid, 0);
    EXPECT_EQ(boxes.count(), 0);
}

TEST(CodeCheckTest, EveryGroupFindsCodesInEachOfItsTables)
{
    Connection db;
    ASSERT_TRUE(db.open());
    const struct {
        const char* tag;
        const char* tables;
    } groups[] = {
        {"VEHDB", "APLENG AXIS BARSHP BMPENG BODY CHSTAT CNTRC1 CNTRC2 CNTRH1 CNTRH2 CNTRL1 CNTRL2 COLMEC DASTAT DEPLOY "
                  "DETC DUMSIZ ENGINE LINK MAKE MODEL MODIND MTHCAL OCCLOC OCCSEX OCCTYP RECTYP RSTMNT RSTTYP SENATT "
                  "SENLOC SENTYP SEPOSN SILENG STRSEP TKCOND TKSURF TRANSM TSTCFN TSTPRF TSTTYP UNITS"},
        {"COMDB", "AXIS BODY CHSTAT CMPNT CMPTYP CONFIG CRTEST DASTAT DUMSIZ ENGINE MAKE MODIND OCCTYP SENATT SENTYP "
                  "TRANSM TSTDEV TSTPRF TSTTYP UNITS"},
        {"BIODB", "AIS AORPRE ASPECT AXIS BMCLOC BMCMETHOD BMCUNITS BOCCLOC BOCCSEX BODYRG BSEPOSN CERPRE CHSTAT DASTAT "
                  "DEPLOY DOCCLOC DOCCSEX DSEPOSN DUMSIZ LESION LINK MTHCAL OCCLOC OCCTYP PULPRE RECTYP RIBLOC RSTMNT "
                  "RSTTYP SENATT SYSORG TSTCFN TSTPRF UNITS"},
        {"TCADB", "CHANTYP SENTYP TKCOND TKSURF TRINO TSTCFN TSTPRF TSTTYP VEHTYP"},
        {"SWGDB", "AXIS CHSTAT DASTAT LINK RECTYP SENATT SENLOC SENTYP SIGSRC TSTPRF TSTTYP UNITS"},
        {"INTRUSIONDB", "VEHIP"},
        {"FCW", "SENLOC SENATT AXIS SUBTYPE"},
        {"LDW", "SENLOC SENATT AXIS SUBTYPE"},
        {"DRO", "SENLOC SENATT AXIS SUBTYPE"},
    };
    for (const auto& group : groups) {
        std::istringstream tables(group.tables);
        for (std::string table; tables >> table;) {
            auto rows = CodeDbExecute(codesql::CodesOfGroup(table.c_str(), group.tag));
            EXPECT_FALSE(rows->IsEOF()) << table << " has no code of " << group.tag;
        }
    }
}

TEST(CodeCheckTest, EachGroupIsReadOncePerConnection)
{
    codetest::SmallDb small(R"(
        CREATE TABLE KAVRODB_X (X TEXT, XD TEXT, X_COMMENT TEXT, REFERENCE TEXT);
        INSERT INTO KAVRODB_X VALUES ('A', 'ay', NULL, 'VEHDB');
    )");
    {
        Connection db(small.path());
        ASSERT_TRUE(db.open());
        EXPECT_EQ(Check("A", "X", "VEHDB"), 1);
        EXPECT_EQ(Check("B", "X", "VEHDB"), 0);
        // The code tables do not change while the program runs: the group read first answers.
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(small.path().c_str(), &raw), SQLITE_OK);
        sqlite3_exec(raw, "INSERT INTO KAVRODB_X VALUES ('B', 'bee', NULL, 'VEHDB')", nullptr, nullptr, nullptr);
        sqlite3_close(raw);
        EXPECT_EQ(Check("B", "X", "VEHDB"), 0);
    }
    Connection again(small.path());
    EXPECT_EQ(Check("B", "X", "VEHDB"), 1) << "a new connection reads the tables afresh";
}

// A hostile code-table file: each broken table is told once per command, naming it and the cause;
// the checks after it on that table are skipped (their fields left unchecked), and the command
// waits on it no longer than one statement's time, counted on a clock of the test's, so that the
// two million rows outlast it on any machine. The wall-time bound is for safety, not speed.
TEST(CodeCheckTest, AHostileTableIsToldOncePerCommandWithinOneStatementsTime)
{
    codetest::SmallDb hostile(R"(
        CREATE VIEW KAVRODB_MAKE AS WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c)
            SELECT 'M' || n AS MAKE, 'd' AS MAKED, '' AS MAKE_COMMENT, 'VEHDB' AS REFERENCE FROM c;
        CREATE TABLE KAVRODB_BODY AS WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c LIMIT 2000000)
            SELECT 'B' || n AS BODY, 'd' AS BODYD, '' AS BODY_COMMENT, 'VEHDB' AS REFERENCE FROM c;
        CREATE TABLE KAVRODB_AXIS (AXIS TEXT, AXISD TEXT, AXIS_COMMENT TEXT, REFERENCE TEXT);
        INSERT INTO KAVRODB_AXIS VALUES ('XG', 'x', '', 'VEHDB'), (printf('%.*c', 20000000, 'V'), 'long', '', 'VEHDB');
        CREATE TABLE KAVRODB_LINK (LINK TEXT, LINKD TEXT, LINK_COMMENT TEXT, REFERENCE TEXT);
        INSERT INTO KAVRODB_LINK VALUES ('1', 'one', '', 'VEHDB');
    )");
    const auto oldLimits = CodeDbConnection::GetLimits();
    const auto limit = std::chrono::milliseconds(1000);
    CodeDbConnection::GetLimits().statement = limit;
    codetest::SteppingClock clock;
    codetest::Connection db(hostile.path());
    ASSERT_TRUE(db.open());
    platform::MessageRecorder boxes;

    struct Case {
        const char* table;
        const char* cause;
    };
    const Case cases[] = {
        {"MAKE", "Query timeout expired"},   // endless rows
        {"BODY", "Query timeout expired"},   // a code not among two million rows
        {"AXIS", "string or blob too big"},  // a value of 20 MB
    };
    for (const Case& c : cases) {
        boxes.clear();
        const long rssBefore = testutil::ResidentKilobytes();
        const auto started = std::chrono::steady_clock::now();
        {
            platform::CodeDbCommandScope command;
            for (int i = 0; i < 15; ++i) {
                codetest::Field field {"NOT THERE", -1};
                CCodeCheck().CheckCode(&field, c.table, "VEHDB");
                EXPECT_NE(field.valid, 1) << c.table << " check " << i;
            }
            // Another table in the same command is checked as ever.
            EXPECT_EQ(Check("1", "LINK", "VEHDB"), 1);
        }
        const auto took = std::chrono::steady_clock::now() - started;
        const long grown = testutil::ResidentKilobytes() - rssBefore;
        std::printf("hostile %s: %lld ms, RSS growth %ld kB\n", c.table,
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()), grown);
        ASSERT_EQ(boxes.count(), 1) << c.table;
        EXPECT_EQ(boxes.last().text, "The code table 'KAVRODB_" + std::string(c.table) + "' cannot be read: " + c.cause);
        EXPECT_LT(took, std::chrono::seconds(60)) << c.table;
        EXPECT_LT(grown, 300L << 10) << c.table;
    }
    // The next command tells it again.
    boxes.clear();
    {
        platform::CodeDbCommandScope command;
        EXPECT_EQ(Check("NOT THERE", "MAKE", "VEHDB"), -1);
        EXPECT_EQ(Check("NOR THIS", "MAKE", "VEHDB"), -1);
    }
    EXPECT_EQ(boxes.count(), 1);
    CodeDbConnection::GetLimits() = oldLimits;
}

// The failures of one action come in one box at its end, after the boxes the action showed
// itself: a single table in its own words, several listed in the order met and cut after ten
// with the number left out. Nested scopes are the outer one's action; outside any action a
// failure is told at once.
TEST(CodeCheckTest, AnActionTellsItsFailedTablesInOneBoxAtItsEnd)
{
    codetest::SmallDb tables(R"(
        CREATE TABLE KAVRODB_LINK (LINK TEXT, LINKD TEXT, LINK_COMMENT TEXT, REFERENCE TEXT);
        INSERT INTO KAVRODB_LINK VALUES ('1', 'one', '', 'VEHDB');
    )");
    Connection db(tables.path());
    ASSERT_TRUE(db.open());
    platform::MessageRecorder boxes;
    const auto missing = [](int i) {
        return "The Microsoft Jet database engine cannot find the input table or query 'KAVRODB_T" + std::to_string(i) +
               "'.  Make sure it exists and that its name is spelled correctly.";
    };
    const auto listed = [&](int count) {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text.append("\n").append(missing(i));
        return text;
    };
    struct Case {
        int tables;
        std::string told;
    };
    const Case cases[] = {
        {1, missing(1)},
        {2, "These code tables cannot be read:\n" + listed(2)},
        {10, "These code tables cannot be read:\n" + listed(10)},
        {11, "These code tables cannot be read:\n" + listed(10) + "\n... and 1 more table."},
        {13, "These code tables cannot be read:\n" + listed(10) + "\n... and 3 more tables."},
    };
    for (const Case& c : cases) {
        boxes.clear();
        {
            platform::CodeDbCommandScope action;
            for (int i = 1; i <= c.tables; ++i) {
                platform::CodeDbCommandScope inner; // a page shown within the command
                const std::string table = std::string("T").append(std::to_string(i));
                EXPECT_EQ(Check("A", table.c_str(), "VEHDB"), -1);
                EXPECT_EQ(Check("B", table.c_str(), "VEHDB"), -1);
                EXPECT_EQ(Check("1", "LINK", "VEHDB"), 1);
            }
            AfxMessageBox("A question of the command's own.", MB_YESNO);
            EXPECT_EQ(boxes.count(), 1) << "nothing told before the action ends";
        }
        ASSERT_EQ(boxes.count(), 2) << c.tables;
        EXPECT_EQ(boxes.messages()[1].text, c.told);
        EXPECT_EQ(boxes.messages()[1].buttons(), static_cast<UINT>(MB_OK));
    }
    boxes.clear();
    EXPECT_EQ(Check("A", "T1", "VEHDB"), -1);
    EXPECT_EQ(Check("A", "T2", "VEHDB"), -1);
    ASSERT_EQ(boxes.count(), 2) << "outside an action each failure is told at once";
    EXPECT_EQ(boxes.messages()[0].text, missing(1));
}
