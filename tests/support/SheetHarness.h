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
#include "common/ui/HsvdTestSheet.h"
#include "component/ui/ComponentPropertySheet.h"
#include "crashavoid/ui/TcaPropertySheet.h"
#include "swg/ui/SWGPropertySheet.h"
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
#include <cctype>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <type_traits>
#include <typeinfo>
#include <string>
#include <vector>

namespace sheettest {

// A kind: its sheet, its test data, a valid test of each version (none: the kind reads no such
// file), the GR file it imports first, and the message a load of a file of no such test gives.
struct Kind {
    const char* name;
    std::function<std::unique_ptr<CTestSheet>(ISheetOwner*)> make;
    std::function<ITestFile&(CTestSheet&)> data;
    const char* fixture;   // under tests/data, in the kind's own folder
    const char* fixtureV4; // nullptr: no version 4
    const char* gr;        // nullptr: no GR import
    const char* kindName;  // as "File <path> is not a <kind> test." names it
    const std::type_info* sheetType = nullptr;
    bool hasCameras = false; // the sheet is one of those with cameras (CHsvdTestSheet)

    // A file of the kind's folder under tests/data (the folder of its valid test).
    std::string Fixture(const std::string& file) const
    {
        const std::string valid = fixture;
        return testutil::DataPath(valid.substr(0, valid.find('/') + 1) + file);
    }
};

template <class Sheet, class Data>
Kind MakeKind(const char* name, Data Sheet::*data, const char* fixture, const char* fixtureV4, const char* gr,
              const char* kindName)
{
    return {name,
            [name](ISheetOwner* owner) -> std::unique_ptr<CTestSheet> { return std::make_unique<Sheet>(name, owner); },
            [data](CTestSheet& sheet) -> ITestFile& { return static_cast<Sheet&>(sheet).*data; },
            fixture,
            fixtureV4,
            gr,
            kindName,
            &typeid(Sheet),
            std::is_base_of_v<CHsvdTestSheet, Sheet>};
}

// Every kind, a row each.
inline const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        MakeKind("Vehicle Data", &CVehiclePropertySheet::m_VehData, "vehicle/vtb_valid.mv5", "vehicle/vtb_full.mv4",
                 "vehicle/test.gr1", "Vehicle"),
        MakeKind("Biomechanics Data", &CBioMechPropertySheet::m_BioData, "biomech/cadaver.mv5", "biomech/bio.mv4",
                 "biomech/test.gr1", "Biomechanics"),
        MakeKind("Component Data", &CComponentPropertySheet::m_CompData, "component/sheet/comp.mv5",
                 "component/comp_full.mv4", "component/test.gr1", "Component"),
        MakeKind("Crash Avoidance Data", &CTcaPropertySheet::m_data, "crashavoid/full.mv5", nullptr, nullptr,
                 "Crash Avoidance"),
        MakeKind("SWG Data", &CSWGPropertySheet::m_SWGData, "swg/full.mv5", "swg/full.mv4", "swg/test.gr1", "SWG"),
    };
    return kinds;
}

// A kind's name as a test case's name ("Crash Avoidance" as "CrashAvoidance").
inline std::string CaseName(const Kind& kind)
{
    std::string name;
    for (const char* c = kind.kindName; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c)))
            name += *c;
    }
    return name;
}

// A kind as a failing case prints it.
inline void PrintTo(const Kind& kind, std::ostream* os) { *os << kind.name; }

// The name generator of a suite parameterised over Kinds(): each case named by its kind.
inline std::string KindCaseName(const ::testing::TestParamInfo<Kind>& info) { return CaseName(info.param); }

// The row of the kind whose sheet is `Sheet`.
template <class Sheet> const Kind& KindOf()
{
    const auto& kinds = Kinds();
    const auto row = std::find_if(kinds.begin(), kinds.end(), [](const Kind& k) { return *k.sheetType == typeid(Sheet); });
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
    if (std::string(kind.kindName) == "Biomechanics")
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
        , sheet(kind.make(&owner))
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

    ITestFile& Data() { return kind.data(*sheet); }
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
