#pragma once
// What the tests of the real sheets share: an owner that does nothing, a written file without
// its date line, the texts of the boxes shown, the tabs' captions and a menu item's graying.

#include "common/ui/TestSheet.h"
#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"

#include <QMenu>
#include <QStringList>
#include <QTabWidget>

#include <string>

namespace sheettest {

struct NoOwner : ISheetOwner {
    void OpenKind(TestKind) override {}
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

// Whether a File menu item is enabled once the menu's graying has run.
inline bool MenuItemEnabled(CTestSheet& sheet, int id)
{
    QAction* action = sheet.MenuAction(id);
    auto* menu = qobject_cast<QMenu*>(action->parent());
    sheet.OnInitMenuPopup(menu, 0);
    return action->isEnabled();
}

} // namespace sheettest

// ---- One kind's real sheet, for the tests that run a command over every kind ----

#include "doubles/ScriptedFileDialogs.h"
#include "platform/ui/FileDialog.h"

#include "../codes/CodesTestUtil.h"
#include "TestUtil.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sheettest {

// A kind: its sheet, its test data, a valid test of each version (none: the kind reads no such
// file), the GR file it imports first, and the message a load of a file of no such test gives.
struct Kind {
    const char* name;
    std::function<std::unique_ptr<CTestSheet>(ISheetOwner*)> make;
    std::function<ITestFile&(CTestSheet&)> data;
    const char* fixture;   // under tests/data
    const char* fixtureV4; // nullptr: no version 4
    const char* gr;        // nullptr: no GR import
    const char* kindName;  // as "File <path> is not a <kind> test." names it
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
            kindName};
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

// The real sheet of a kind over the sample code tables, its boxes and file dialogs scripted.
struct KindSheet {
    explicit KindSheet(const Kind& kind)
        : kind(kind)
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
    // The kind's valid test under `name`, with `companion` as its .hs5 (none when empty).
    std::string WriteTest(const std::string& name, const char* companion = "")
    {
        testutil::WriteFile(dir.file(name + ".mv5"), testutil::ReadFile(testutil::DataPath(kind.fixture)));
        if (*companion)
            testutil::WriteFile(dir.file(name + ".hs5"), companion);
        return dir.file(name + ".mv5");
    }
    void Run(int command, const std::string& path)
    {
        files.answer(path.c_str());
        sheet->RunCommand(command);
    }
    // The bytes of a written file, its date line left out.
    std::string Written(const std::string& name) { return WithoutDate(testutil::ReadFile(dir.file(name))); }
};

} // namespace sheettest
