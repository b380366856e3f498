#pragma once
// What the tests of the real sheets share: an owner that does nothing, a written file without
// its date line, the texts of the boxes shown, the tabs' captions and a menu item's graying; then
// the one table of kinds and the real sheet of a kind that every sheet test runs on.

#include "common/ui/TestSheet.h"
#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"
#include "platform/ui/SpinButton.h"

#include <QMenu>
#include <QStringList>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <string>
#include <vector>

namespace sheettest {

// An owner that opens no other sheet: it notes the kinds it is asked for.
struct NoOwner : ISheetOwner {
    std::vector<TestKind> opened;
    void OpenKind(TestKind kind) override { opened.push_back(kind); }
    void CloseAllSheets() override {}
    void ShowAbout() override {}
};

// The sheet shell alone, for the tests of what every sheet shares: it holds no test, so it has no
// file commands and no page to check.
struct ShellSheet : CTestSheet {
    using CTestSheet::CTestSheet;

protected:
    ITestFile* TestFile() override { return nullptr; }
    bool CheckPagesForSave() override { return false; }
};

// The second line of a written file holds today's date: it is left out.
inline std::string WithoutDate(std::string bytes)
{
    const auto first = bytes.find('\n');
    const auto second = first == std::string::npos ? first : bytes.find('\n', first + 1);
    if (second != std::string::npos)
        bytes.erase(first + 1, second - first);
    return bytes;
}

// Every box's text, each followed by a line break.
inline std::string Texts(const platform::MessageRecorder& messages)
{
    std::string all;
    for (const std::string& text : messages.texts())
        all += text + "\n";
    return all;
}

// The tabs' captions in order.
inline QStringList TabTexts(CTestSheet& sheet)
{
    QStringList tabs;
    for (int i = 0; i < sheet.Tabs()->count(); ++i)
        tabs << sheet.Tabs()->tabText(i);
    return tabs;
}

// A click on the arrow (Qt::UpArrow or Qt::DownArrow) of an up-down control.
inline void ClickSpinArrow(CSpinButtonCtrl& spin, Qt::ArrowType arrow)
{
    for (QToolButton* button : spin.findChildren<QToolButton*>())
        if (button->arrowType() == arrow)
            QTest::mouseClick(button, Qt::LeftButton);
}

// Whether a File menu item is enabled once the menu's graying has run.
inline bool MenuItemEnabled(CTestSheet& sheet, int id)
{
    QAction* action = sheet.MenuAction(id);
    auto* menu = qobject_cast<QMenu*>(action->parent());
    sheet.OnInitMenuPopup(menu, 0);
    return action->isEnabled();
}

} // namespace sheettest

// ---- The kinds: one table, and the real sheet of a kind with what its tests do on it ----

#include "biomech/ui/BioMechPropertySheet.h"
#include "biomech/ui/BioPages.h"
#include "common/ui/HsvdTestSheet.h"
#include "component/ui/CompTestPage.h"
#include "component/ui/ComponentPropertySheet.h"
#include "crashavoid/ui/TcaPages.h"
#include "crashavoid/ui/TcaPropertySheet.h"
#include "swg/ui/SWGPropertySheet.h"
#include "swg/ui/SWGTestPage.h"
#include "vehicle/ui/VehTestPage.h"
#include "vehicle/ui/VehiclePropertySheet.h"

#include "doubles/ScriptedFileDialogs.h"
#include "platform/ui/FileDialog.h"

#include "../codes/CodesTestUtil.h"
#include "TestUtil.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <typeinfo>
#include <string>
#include <vector>

namespace sheettest {

// How a kind's sheet is made and reached, taken from the sheet's class (SheetWith).
struct KindSheetClass {
    std::function<std::unique_ptr<CTestSheet>(const char* caption, ISheetOwner*)> make;
    std::function<ITestFile&(CTestSheet&)> data;
    const std::type_info* type;
    bool hasCameras; // the sheet is one of those with cameras (CHsvdTestSheet)
};

template <class Sheet, class Data> KindSheetClass SheetWith(Data Sheet::*data)
{
    return {[](const char* caption, ISheetOwner* owner) -> std::unique_ptr<CTestSheet> {
                return std::make_unique<Sheet>(caption, owner);
            },
            [data](CTestSheet& sheet) -> ITestFile& { return static_cast<Sheet&>(sheet).*data; },
            &typeid(Sheet), std::is_base_of_v<CHsvdTestSheet, Sheet>};
}

// A version-4 TEST line of another separator count that the kind's reader still takes: how the
// valid version-4 test's line is changed, and the box its load shows ("": none).
struct OddTestLine {
    const char* name;
    std::function<void(std::string& line)> edit;
    const char* told;
};

// A kind: every fact of it that the shared sheet tests ask for. A row names each one (a fact left
// out does not compile, see Kinds()), so a kind added to the table is asked every question.
struct Kind {
    const char* name;     // the sheet's caption, in a failure's trace
    const char* caseName; // in the name of each case of a suite over the kinds
    KindSheetClass sheet;
    const char* fixture;   // a valid test under tests/data, in the kind's own folder
    const char* fixtureV4; // nullptr: the kind reads no version-4 file
    const char* gr;        // the GR file it imports first; nullptr: no GR import
    const char* kindName;  // as "File <path> is not a <kind> test." names it
    bool loadFailureIsImport; // every failed load is told "File import fails:" and the path instead
    // A test file that cannot be opened is told "File <path> cannot open", without the cause
    // (the crash-avoidance reader's own text), not "Can't open file ..." with it.
    bool openFailureNamesNoCause;
    // The test page (page 0): its Version Number and Title, and the test reference the valid test
    // shows there.
    int versionId;
    int titleId;
    int testReferenceId;
    const char* testReference;
    // Save Test on a sheet never loaded nor cleared: its boxes, each followed by a line break, and
    // whether it writes.
    const char* untouchedTells;
    bool untouchedWrites;
    // Whether Save Test writes a test without the kind's records (after Clear All Pages, or of its
    // TEST section alone): the biomechanics sheet wants an occupant, the component one a component.
    bool savesWithoutRecords;
    // Whether Save Test writes the valid version-4 test as loaded (its pages pass the checks).
    bool savesVersion4;
    // Whether a version-5 file without its TEST section is read and saved as it stands.
    bool readsWithoutTestSection;
    std::optional<OddTestLine> oddVersion4TestLine;
    int frontAfterSave; // the page in front after a valid test is saved from page 0
    // Whether Load Test leaves page 0 in front when it was there (a kind's checks after a load may
    // bring one of its pages forward).
    bool loadKeepsFirstPage;
    // Whether Load Test of a new test asks "Really clear all entries?" first (the component and
    // crash-avoidance sheets load without asking).
    bool loadAsksToClear;
    // Whether Undo All Pages and Redo All Pages are enabled on a new sheet.
    bool undoRedoOffered;
    // Whether the sheet offers Save Report (crash-avoidance tests have no report).
    bool savesReport;
    // The sections only this kind's test files have, by name ("OCCUPANT" for "----- OCCUPANT -----").
    std::vector<const char*> ownSections;
    // The stem of a test in the kind's folder with intrusion points in its ".ip5" beside it;
    // nullptr: the kind has no intrusion file.
    const char* intrusionTest;

    // A file of the kind's folder under tests/data (the folder of its valid test).
    std::string Fixture(const std::string& file) const
    {
        const std::string valid = fixture;
        return testutil::DataPath(valid.substr(0, valid.find('/') + 1) + file);
    }
};

// A version-4 TEST line with the field after its `n`th separator doubled by a blank one.
inline std::function<void(std::string&)> BlankFieldAfter(int n)
{
    return [n](std::string& line) {
        size_t at = 0;
        for (int i = 0; i < n; ++i)
            at = line.find('|', at) + 1;
        line.insert(at, " |");
    };
}

// Every kind, a row each, every fact named: a fact missing from a row is an error here in any
// build, not only where warnings are errors.
#pragma GCC diagnostic push
#pragma GCC diagnostic error "-Wmissing-field-initializers"
inline const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        {.name = "Vehicle Data",
         .caseName = "Vehicle",
         .sheet = SheetWith(&CVehiclePropertySheet::m_VehData),
         .fixture = "vehicle/vtb_valid.mv5",
         .fixtureV4 = "vehicle/vtb_full.mv4",
         .gr = "vehicle/test.gr1",
         .kindName = "Vehicle",
         .loadFailureIsImport = false,
         .openFailureNamesNoCause = false,
         .versionId = CVehTestPage::IDC_VERSION,
         .titleId = CVehTestPage::IDC_TITLE,
         .testReferenceId = CVehTestPage::IDC_TEST_REFERENCE,
         .testReference = "T4321",
         .untouchedTells = "",
         .untouchedWrites = false,
         .savesWithoutRecords = true,
         .savesVersion4 = false,
         .readsWithoutTestSection = false,
         .oddVersion4TestLine = OddTestLine {"version-4 TEST line of 19",
                                             [](std::string& l) { l.erase(l.rfind('|')); },
                                             "This MV4 file has 19 | characters  of the TEST section, should have 20"},
         .frontAfterSave = 0,
         .loadKeepsFirstPage = false,
         .loadAsksToClear = true,
         .undoRedoOffered = false,
         .savesReport = true,
         .ownSections = {"BARRIER", "OCCUPANT"},
         .intrusionTest = "vtv_pages"},
        {.name = "Biomechanics Data",
         .caseName = "Biomechanics",
         .sheet = SheetWith(&CBioMechPropertySheet::m_BioData),
         .fixture = "biomech/cadaver.mv5",
         .fixtureV4 = "biomech/bio.mv4",
         .gr = "biomech/test.gr1",
         .kindName = "Biomechanics",
         .loadFailureIsImport = true,
         .openFailureNamesNoCause = false,
         .versionId = CBioMechTestPage::IDC_VERSION,
         .titleId = CBioMechTestPage::IDC_TITLE,
         .testReferenceId = CBioMechTestPage::IDC_TEST_REFERENCE,
         .testReference = "B1234",
         .untouchedTells = "Both bio-dummy and bio-occupant tables are empty.\nNo file output.\n",
         .untouchedWrites = false,
         .savesWithoutRecords = false,
         .savesVersion4 = false,
         .readsWithoutTestSection = false,
         .oddVersion4TestLine = std::nullopt,
         .frontAfterSave = CBioMechPropertySheet::kInstrumentation,
         .loadKeepsFirstPage = false,
         .loadAsksToClear = true,
         .undoRedoOffered = true,
         .savesReport = true,
         .ownSections = {"RIB", "BIO OCCUPANT", "OCCUPANT INJURY", "CHEST BAND GAUGE", "GAUGE", "DUMMY OCCUPANT",
                         "CHEST BAND", "ANTHROPOMETRY"},
         .intrusionTest = nullptr},
        {.name = "Component Data",
         .caseName = "Component",
         .sheet = SheetWith(&CComponentPropertySheet::m_CompData),
         .fixture = "component/sheet/comp.mv5",
         .fixtureV4 = "component/comp_full.mv4",
         .gr = "component/test.gr1",
         .kindName = "Component",
         .loadFailureIsImport = false,
         .openFailureNamesNoCause = false,
         .versionId = CCompTestPage::IDC_VERSION,
         .titleId = CCompTestPage::IDC_TITLE,
         .testReferenceId = CCompTestPage::IDC_TEST_REFERENCE,
         .testReference = "C4321",
         .untouchedTells = "",
         .untouchedWrites = false,
         .savesWithoutRecords = false,
         .savesVersion4 = false,
         .readsWithoutTestSection = false,
         // The long form: a field the reader passes over after the Test Type.
         .oddVersion4TestLine = OddTestLine {"version-4 TEST line of 12", BlankFieldAfter(9), ""},
         .frontAfterSave = 0,
         .loadKeepsFirstPage = false,
         .loadAsksToClear = false,
         .undoRedoOffered = false,
         .savesReport = true,
         .ownSections = {"COMPONENT", "CONFIGURATION"},
         .intrusionTest = nullptr},
        {.name = "Crash Avoidance Data",
         .caseName = "CrashAvoidance",
         .sheet = SheetWith(&CTcaPropertySheet::m_data),
         .fixture = "crashavoid/full.mv5",
         .fixtureV4 = nullptr,
         .gr = nullptr,
         .kindName = "Crash Avoidance",
         .loadFailureIsImport = false,
         .openFailureNamesNoCause = true,
         .versionId = CTcaTestPage::IDC_VERSION,
         .titleId = CTcaTestPage::IDC_TITLE,
         .testReferenceId = CTcaTestPage::IDC_REFERENCE,
         .testReference = "CA0042",
         .untouchedTells = "",
         .untouchedWrites = true,
         .savesWithoutRecords = true,
         .savesVersion4 = false,
         .readsWithoutTestSection = false,
         .oddVersion4TestLine = std::nullopt,
         .frontAfterSave = 0,
         .loadKeepsFirstPage = false,
         .loadAsksToClear = false,
         .undoRedoOffered = true,
         .savesReport = false,
         .ownSections = {"LOWER BEAM", "AMBER"},
         .intrusionTest = nullptr},
        {.name = "SWG Data",
         .caseName = "Swg",
         .sheet = SheetWith(&CSWGPropertySheet::m_SWGData),
         .fixture = "swg/full.mv5",
         .fixtureV4 = "swg/full.mv4",
         .gr = "swg/test.gr1",
         .kindName = "SWG",
         .loadFailureIsImport = false,
         .openFailureNamesNoCause = false,
         .versionId = CSWGTestPage::IDC_VERSION,
         .titleId = CSWGTestPage::IDC_TITLE,
         .testReferenceId = CSWGTestPage::IDC_TEST_REFERENCE,
         .testReference = "SWG0042",
         .untouchedTells = "",
         .untouchedWrites = true,
         .savesWithoutRecords = true,
         .savesVersion4 = true,
         .readsWithoutTestSection = true,
         .oddVersion4TestLine = OddTestLine {"version-4 TEST line of another count",
                                             [](std::string& l) { l += "|more"; },
                                             "This MV4 file has 16 | characters in the TEST section, should have 15."},
         .frontAfterSave = 0,
         .loadKeepsFirstPage = true,
         .loadAsksToClear = true,
         .undoRedoOffered = true,
         .savesReport = true,
         .ownSections = {},
         .intrusionTest = nullptr},
    };
    return kinds;
}
#pragma GCC diagnostic pop

// The kinds as the parameters of a suite, each case named by its kind:
//     INSTANTIATE_TEST_SUITE_P(Kinds, Suite, sheettest::EveryKind(), sheettest::KindCaseName);
// A parameter is the kind's row in Kinds() itself.
inline std::vector<const Kind*> KindRows(bool (*taken)(const Kind&) = nullptr)
{
    std::vector<const Kind*> rows;
    for (const Kind& kind : Kinds()) {
        if (!taken || taken(kind))
            rows.push_back(&kind);
    }
    return rows;
}
inline auto EveryKind() { return ::testing::ValuesIn(KindRows()); }
// The kinds whose sheet has cameras.
inline auto CameraKinds()
{
    return ::testing::ValuesIn(KindRows([](const Kind& kind) { return kind.sheet.hasCameras; }));
}
// The kinds whose sheet offers Save Report.
inline auto ReportKinds()
{
    return ::testing::ValuesIn(KindRows([](const Kind& kind) { return kind.savesReport; }));
}
inline std::string KindCaseName(const ::testing::TestParamInfo<const Kind*>& info) { return info.param->caseName; }
// A case's parameter as gtest prints it: the kind's name, not the row's address.
inline void PrintTo(const Kind* kind, std::ostream* os) { *os << kind->caseName; }

// A suite over the kinds: `kind` is the case's row.
class KindTest : public ::testing::TestWithParam<const Kind*> {
protected:
    const Kind& kind = *GetParam();
};

// The row of the kind whose sheet is `Sheet`.
template <class Sheet> const Kind& KindOf()
{
    const auto& kinds = Kinds();
    const auto row = std::find_if(kinds.begin(), kinds.end(), [](const Kind& k) { return *k.sheet.type == typeid(Sheet); });
    if (row == kinds.end())
        throw std::logic_error("no kind of this sheet");
    return *row;
}

// A page of a kind's sheet from the sheet: PageOf<&CVehiclePropertySheet::m_OccPage>.
template <class> struct MemberOf;
template <class Class, class Member> struct MemberOf<Member Class::*> {
    using Owner = Class;
};
template <auto page> CPropertyPage& PageOf(CTestSheet& sheet)
{
    return static_cast<typename MemberOf<decltype(page)>::Owner&>(sheet).*page;
}

// The one box a sheet of the kind shows when it refuses the file at `path` as no test of its kind.
inline std::string Refusal(const Kind& kind, const std::string& path)
{
    if (kind.loadFailureIsImport)
        return "File import fails:\n\r" + path;
    return "File " + path + " is not a " + kind.kindName + " test.";
}

// A camera file of two cameras, for the tests that load a test with its .hs5.
inline constexpr const char* kTwoCameras = "# Source: High Speed Video Data\r\n"
                                "# Date: <3/4/2021>\r\n"
                                "----- HSVD -----\r\n"
                                "1|R2|0.25|Left|one\r\n"
                                "2|R2|0.5|Right|two\r\n"
                                "----- END -----\r\n";

// The real sheet of a kind over the code tables (the sample ones unless named), its boxes and
// file dialogs scripted, a scratch folder beside it.
struct KindSheet {
    explicit KindSheet(const Kind& kind, const std::string& codeTables = MORVEL_SAMPLE_DB)
        : kind(kind)
        , db(codeTables)
        , sheet(kind.sheet.make(kind.name, &owner))
    {
        sheet->Create();
    }

    const Kind& kind;
    codetest::Connection db;
    platform::MessageRecorder messages;
    platform::ScriptedFileDialogs files;
    NoOwner owner;
    testutil::TempDir dir;
    std::unique_ptr<CTestSheet> sheet;

    ITestFile& Data() { return kind.sheet.data(*sheet); }
    std::string Fixture(const std::string& file) const { return kind.Fixture(file); }
    // A file of the kind's folder copied into the scratch folder as `name`: its path.
    std::string Copy(const std::string& fixture, const std::string& name)
    {
        testutil::WriteFile(dir.file(name), testutil::ReadFile(Fixture(fixture)));
        return dir.file(name);
    }
    // The kind's valid test under `name`, with `companion` as its .hs5 (none when empty).
    std::string WriteTest(const std::string& name, const char* companion = "")
    {
        testutil::WriteFile(dir.file(name + ".mv5"), testutil::ReadFile(testutil::DataPath(kind.fixture)));
        if (*companion)
            testutil::WriteFile(dir.file(name + ".hs5"), companion);
        return dir.file(name + ".mv5");
    }
    // A command that asks for a file, given `path`.
    void Run(int command, const std::string& path)
    {
        files.answer(path.c_str());
        sheet->RunCommand(command);
    }
    // Load Test with the test and its companions: whether the sheet took that test.
    bool Load(const std::string& path)
    {
        Run(ID_LOAD_TEST, path);
        const CurveCheckMembers* check = Data().CurveCheck();
        return !sheet->m_bUntouched && (!check || check->m_strCurvePath == CString(path));
    }
    void Save(const std::string& path) { Run(ID_SAVE_TEST, path); }
    // The bytes of a written file, its date line left out.
    std::string Written(const std::string& name) { return WithoutDate(testutil::ReadFile(dir.file(name))); }

    // The page brought to the front, and whether it is there (a page may keep the user).
    bool Visit(int index) { return sheet->SetActivePage(index) && sheet->GetActiveIndex() == index; }
    bool Visit(CPropertyPage& page) { return sheet->SetActivePage(&page) && sheet->GetActivePage() == &page; }
    // Every page in turn, then the first again: whether each came to the front.
    bool VisitEveryPage()
    {
        bool all = true;
        for (int index = 0; index < sheet->PageCount(); ++index)
            all = Visit(index) && all;
        return Visit(0) && all;
    }

    // How many boxes showed `text`.
    int Told(const std::string& text) const
    {
        const std::vector<std::string> texts = messages.texts();
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }

    // How many boxes named `part` in their text.
    int Naming(const std::string& part) const
    {
        const std::vector<std::string> texts = messages.texts();
        return static_cast<int>(std::count_if(texts.begin(), texts.end(),
                                              [&part](const std::string& text) { return text.find(part) != std::string::npos; }));
    }

    // A menu item's state once the menu's graying has run.
    bool Enabled(int command) { return MenuItemEnabled(*sheet, command); }
    // A control's state on its page.
    static bool Enabled(CPropertyPage& page, int id) { return page.GetDlgItem(id)->isEnabled(); }
    static bool Shown(CPropertyPage& page, int id) { return !page.GetDlgItem(id)->isHidden(); }
    static QLineEdit* Line(CPropertyPage& page, int id) { return page.Item<QLineEdit>(id); }
    static QString Text(CPropertyPage& page, int id) { return Line(page, id)->text(); }
    static void Type(QLineEdit* line, const char* text)
    {
        line->clear();
        QTest::keyClicks(line, text);
    }
    static void Type(CPropertyPage& page, int id, const char* text) { Type(Line(page, id), text); }
    static void Click(CPropertyPage& page, int id)
    {
        QTest::mouseClick(page.Item<QAbstractButton>(id), Qt::LeftButton);
    }
    // The record list shows record `record` (from 1).
    static void Select(CPropertyPage& page, int listId, int record)
    {
        page.Item<QListWidget>(listId)->setCurrentRow(record - 1);
    }
};

// Save Test and, where the kind has one, Save Report under `name`: the files written, dates
// left out.
inline std::vector<std::string> SaveAll(KindSheet& s, const std::string& name)
{
    s.Run(ID_SAVE_TEST, s.dir.file(name + ".mv5"));
    std::vector<std::string> written;
    const bool report = s.sheet->HasCommand(ID_SAVE_REPORT);
    if (report)
        s.Run(ID_SAVE_REPORT, s.dir.file(name + ".mvr"));
    for (const char* ext : {".mv5", ".hs5", ".mvr", ".hsr"}) {
        const std::string path = s.dir.file(name + ext);
        written.push_back(std::filesystem::exists(path) ? s.Written(name + ext) : std::string("(none)"));
    }
    return written;
}

// The boxes Load Test shows over the kind's valid test on a sheet of its own (asserted once, in
// TestSheetTest.EachKindsValidTestsLoadAndSaveWithoutABox). A test of another behaviour of a load
// takes them out of the boxes it asserts (`Without`), so that they are followed in one place.
inline std::vector<std::string> BoxesOfAValidLoad(const Kind& kind)
{
    KindSheet s(kind);
    if (!s.db.open())
        return {};
    s.Run(ID_LOAD_TEST, s.WriteTest("valid"));
    return s.messages.texts();
}

// The texts less one of each of `boxes`.
inline std::vector<std::string> Without(std::vector<std::string> texts, const std::vector<std::string>& boxes)
{
    for (const std::string& box : boxes) {
        const auto found = std::find(texts.begin(), texts.end(), box);
        if (found != texts.end())
            texts.erase(found);
    }
    return texts;
}

// A kind's sheet for the tests of that kind: `sheet` and `data` are the typed sheet and test (the
// harness's own `sheet` pointer stays reachable as KindSheet::sheet).
template <class Sheet, class TestData> struct KindSheetOf : KindSheet {
    explicit KindSheetOf(const std::string& codeTables = MORVEL_SAMPLE_DB)
        : KindSheet(KindOf<Sheet>(), codeTables)
    {
    }

    Sheet& sheet = static_cast<Sheet&>(*KindSheet::sheet);
    TestData& data = dynamic_cast<TestData&>(KindSheet::Data());
};

using VehicleSheet = KindSheetOf<CVehiclePropertySheet, CVehData>;
using BioMechSheet = KindSheetOf<CBioMechPropertySheet, CBioData>;
using ComponentSheet = KindSheetOf<CComponentPropertySheet, CCompData>;
using TcaSheet = KindSheetOf<CTcaPropertySheet, CTcaData>;
using SwgSheet = KindSheetOf<CSWGPropertySheet, CSWGData>;

} // namespace sheettest
