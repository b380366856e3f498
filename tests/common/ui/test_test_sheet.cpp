#include "common/ui/PrintText.h"
#include "common/ui/TestSheet.h"
#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedFileDialogs.h"
#include "doubles/ScriptedPrintDialogs.h"
#include "platform/Messages.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/PrintDialog.h"

#include "TestUtil.h"
#include "SheetHarness.h"

#include <gtest/gtest.h>

#include <QMenu>

#include <filesystem>

#include <sys/stat.h>

namespace {

// Records the pieces and page breaks of a print.
struct RecordingTarget : CPrintTarget {
    int chars = 10;
    int lines = 3;
    int LineHeight() const override { return 12; }
    int CharsPerLine() const override { return chars; }
    int LinesPerPage() const override { return lines; }
    bool StartDoc(const CString& name) override
    {
        doc = name;
        return true;
    }
    void StartPage() override { pages.emplace_back(); }
    void EndPage() override { ++ended; }
    void TextOut(int x, int y, const CString& piece) override
    {
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, 12 * static_cast<int>(pages.back().size()));
        pages.back().push_back(piece.str());
    }
    void EndDoc() override { done = true; }
    CString doc;
    std::vector<std::vector<std::string>> pages;
    int ended = 0;
    bool done = false;
};

using sheettest::NoOwner;

// A page of no fields whose save fails when told to; it counts its saves.
struct SavingPage : CPropertyPage, ISheetPage {
    explicit SavingPage(const char* caption)
        : CPropertyPage(&m_template, caption)
        , m_template {caption, 509, 209, "DejaVu Sans", 8, false, {}}
    {
    }
    bool ValidatePage() override { return true; }
    void LoadPage() override {}
    BOOL SavePage() override
    {
        ++saves;
        return !fails;
    }
    bool fails = false;
    int saves = 0;
    DlgTemplate m_template;
};

struct ThreePageSheet : sheettest::ShellSheet {
    explicit ThreePageSheet(ISheetOwner* owner) : ShellSheet("Test", owner, 0, TestKind::Vehicle, "Exit?")
    {
        AddPages({{&a, &a}, {&b, &b}, {&c, &c}});
    }
    ~ThreePageSheet() override { ReleasePages(); }
    SavingPage a {"A"}, b {"B"}, c {"C"};
};

} // namespace

TEST(TestSheetTest, SaveAppendsTheExtensionUnlessExactlyThatOne)
{
    const struct {
        const char* chosen;
        const char* saved;
    } cases[] = {
        {"/tmp/t.mv5", "/tmp/t.mv5"},
        {"/tmp/t.MV5", "/tmp/t.MV5.mv5"},
        {"/tmp/t", "/tmp/t.mv5"},
        {"/tmp/t.txt", "/tmp/t.txt.mv5"},
        {"/tmp/a.b/t", "/tmp/a.b/t.mv5"},
    };
    for (const auto& c : cases) {
        platform::ScriptedFileDialogs dialogs;
        dialogs.answer(c.chosen);
        const auto path = CTestSheet::AskSaveFile("Export File", "MV5 File (*.mv5)|*.mv5||", "mv5");
        ASSERT_TRUE(path.has_value());
        EXPECT_EQ(*path, c.saved) << c.chosen;
        EXPECT_FALSE(dialogs.requests()[0].open);
        EXPECT_EQ(dialogs.requests()[0].title, "Export File");
    }
    platform::ScriptedFileDialogs dialogs;
    dialogs.cancel();
    EXPECT_FALSE(CTestSheet::AskSaveFile("Export File", "", "mv5").has_value());
}

TEST(TestSheetTest, LoadExtensionIsLowerCasedAndCompanionsDropFourCharacters)
{
    EXPECT_EQ(CTestSheet::LowerExtension("/d/T.MV5"), "mv5");
    EXPECT_EQ(CTestSheet::LowerExtension("/d.x/T"), "");
    EXPECT_EQ(CTestSheet::LowerExtension("/d/t.Gr1"), "gr1");
    EXPECT_EQ(CTestSheet::CompanionBase("/d/t.mv5  "), "/d/t");
    EXPECT_EQ(CTestSheet::CompanionBase("/d/t.MV5.mv5"), "/d/t.MV5");
    EXPECT_EQ(CTestSheet::CompanionBase("ab"), "");
}

TEST(TestSheetTest, PrintCutsLongLinesAndBreaksPages)
{
    testutil::TempDir dir;
    const std::string path = dir.file("t.mvr");
    // 9 characters per piece at most (characters per line less one); CR LF read as LF.
    testutil::WriteFile(path, "short\r\n0123456789ABCDEFGHIJ\r\nx\r\nlast");
    RecordingTarget target;
    ASSERT_TRUE(PrintTextFile(path.c_str(), target));
    EXPECT_EQ(target.doc, path.c_str());
    const std::vector<std::vector<std::string>> expected {
        {"short\n", "012345678", "9ABCDEFGH"},
        {"IJ\n", "x\n", "last"},
    };
    EXPECT_EQ(target.pages, expected);
    EXPECT_EQ(target.ended, 2);
    EXPECT_TRUE(target.done);

    RecordingTarget empty;
    testutil::WriteFile(path, "");
    ASSERT_TRUE(PrintTextFile(path.c_str(), empty));
    EXPECT_EQ(empty.pages.size(), 1u) << "a file of no lines prints one empty page";
    EXPECT_TRUE(empty.pages[0].empty());

    platform::MessageRecorder messages;
    RecordingTarget none;
    EXPECT_FALSE(PrintTextFile(dir.file("missing.mvr").c_str(), none));
    EXPECT_EQ(messages.last().text, "Can't open file " + dir.file("missing.mvr") + ", error = 2\n");
    EXPECT_EQ(messages.last().caption, kAppTitle);
    EXPECT_TRUE(none.pages.empty());

    // A pipe would block the print until something wrote to it; a folder has no text.
    const std::string pipe = dir.file("pipe.mvr");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string folder = dir.file("folder.mv5");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    for (const std::string& path : {pipe, folder}) {
        messages.clear();
        RecordingTarget refused;
        EXPECT_FALSE(PrintTextFile(path.c_str(), refused));
        ASSERT_EQ(messages.count(), 1) << path;
        EXPECT_EQ(messages.last().text,
                  "Can't open file " + path + ": it is a folder, pipe or device, not a plain file.\n");
        EXPECT_EQ(messages.last().caption, kAppTitle);
        EXPECT_TRUE(refused.doc.IsEmpty()) << path;
    }
}

TEST(TestSheetTest, PrintCommandWritesAPdfThroughThePrintDialog)
{
    testutil::TempDir dir;
    std::string text;
    for (int i = 0; i < 150; ++i)
        text += "LINE " + std::to_string(i) + "\r\n";
    testutil::WriteFile(dir.file("t.mv5"), text);
    NoOwner owner;
    sheettest::ShellSheet sheet("Test", &owner, 0, TestKind::Vehicle, "Exit?");
    platform::ScriptedFileDialogs files;
    platform::ScriptedPrintDialogs printers;
    files.answer(dir.file("t.mv5").c_str());
    printers.answerPdf(QString::fromStdString(dir.file("out.pdf")));
    sheet.PrintFileCommand();
    EXPECT_EQ(files.requests()[0].title, "Choose File To Print");
    EXPECT_EQ(printers.asked(), 1);
    const std::string pdf = testutil::ReadFile(dir.file("out.pdf"));
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    // 150 lines of a small font: three pages of the printer's A4 or Letter.
    EXPECT_NE(pdf.find("/Count 3"), std::string::npos);

    // Cancelled printer: nothing printed.
    files.answer(dir.file("t.mv5").c_str());
    printers.cancel();
    sheet.PrintFileCommand();
    EXPECT_EQ(printers.asked(), 2);
}

TEST(TestSheetTest, MenuGrayingFollowsTheKindsTable)
{
    NoOwner owner;
    sheettest::ShellSheet sheet("Test", &owner, 0, TestKind::Vehicle, "Exit?");
    bool saved = false;
    sheet.AddMenuRules({{ID_SAVE_TEST, [&] { return saved; }}});
    auto* file = qobject_cast<QMenu*>(sheet.MenuAction(ID_SAVE_TEST)->parent());
    ASSERT_NE(file, nullptr);
    sheet.OnInitMenuPopup(file, 0);
    EXPECT_FALSE(sheet.MenuAction(ID_SAVE_TEST)->isEnabled());
    EXPECT_TRUE(sheet.MenuAction(ID_LOAD_TEST)->isEnabled());
    saved = true;
    sheet.OnInitMenuPopup(file, 0);
    EXPECT_TRUE(sheet.MenuAction(ID_SAVE_TEST)->isEnabled());
    auto* edit = qobject_cast<QMenu*>(sheet.MenuAction(ID_UNDO_ALL_PAGES)->parent());
    sheet.OnInitMenuPopup(edit, 1);
    // The shell names no kind's commands: what the table leaves out is enabled.
    EXPECT_TRUE(sheet.MenuAction(ID_UNDO_ALL_PAGES)->isEnabled());
    EXPECT_TRUE(sheet.MenuAction(ID_REDO_ALL_PAGES)->isEnabled());
    EXPECT_TRUE(sheet.MenuAction(ID_CLEAR_ALL_PAGES)->isEnabled());
    // A later rule for the same item decides.
    sheet.AddMenuRules({{ID_SAVE_TEST, [] { return false; }}});
    sheet.OnInitMenuPopup(file, 0);
    EXPECT_FALSE(sheet.MenuAction(ID_SAVE_TEST)->isEnabled());
}

TEST(TestSheetTest, SavePagesStopsAtTheFirstFailingPageAndShowsIt)
{
    NoOwner owner;
    ThreePageSheet sheet(&owner);
    sheet.Create();
    EXPECT_TRUE(sheet.SavePages({0, 1, 2}));
    sheet.b.fails = true;
    EXPECT_FALSE(sheet.SavePages({2, 1, 0}));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_EQ(sheet.c.saves, 2);
    EXPECT_EQ(sheet.a.saves, 1); // never reached after the failure
}

// The boxes of Load Test and Save Test over each kind's valid tests: none, through a visit of
// every page, and the test saved comes back to the byte (a version-4 test as its version-5 twin).
TEST(TestSheetTest, EachKindsValidTestsLoadAndSaveWithoutABox)
{
    using sheettest::KindOf;
    const struct {
        const sheettest::Kind& (*kind)();
        const char* fixture; // in the kind's folder, its companions beside it
        const char* savedAs;
    } rows[] = {
        {KindOf<CVehiclePropertySheet>, "vtb_valid.mv5", "vtb_valid.mv5"},
        {KindOf<CVehiclePropertySheet>, "vtv_pages.mv5", "vtv_pages.mv5"},
        {KindOf<CBioMechPropertySheet>, "cadaver.mv5", "cadaver.mv5"},
        {KindOf<CBioMechPropertySheet>, "hybrid.mv5", "hybrid.mv5"},
        {KindOf<CComponentPropertySheet>, "sheet/comp.mv5", "sheet/comp.mv5"},
        {KindOf<CComponentPropertySheet>, "sheet/rollover.mv5", "sheet/rollover.mv5"},
        {KindOf<CTcaPropertySheet>, "full.mv5", "full.mv5"},
        {KindOf<CSWGPropertySheet>, "full.mv5", "full.mv5"},
        {KindOf<CSWGPropertySheet>, "full.mv4", "full.mv5"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind().name + std::string(" ") + row.fixture);
        sheettest::KindSheet s(row.kind());
        ASSERT_TRUE(s.db.open());
        s.Load(s.Fixture(row.fixture));
        ASSERT_FALSE(s.sheet->m_bUntouched);
        EXPECT_EQ(sheettest::Texts(s.messages), "");
        s.messages.clear();
        EXPECT_TRUE(s.VisitEveryPage());
        s.Save(s.dir.file("out.mv5"));
        EXPECT_EQ(sheettest::Texts(s.messages), "");
        EXPECT_EQ(s.Written("out.mv5"), sheettest::WithoutDate(testutil::ReadFile(s.Fixture(row.savedAs))));
    }
}
