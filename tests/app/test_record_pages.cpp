// The record pages of every kind, one table: what is typed on a page that holds no record becomes
// record 1 (and a page only visited adds none); ">" adds, "x" deletes, the list moves between
// records; leaving and saving keep the records; the written bytes show each step.

#include "biomech/ui/BioMechPropertySheet.h"
#include "component/ui/ComponentPropertySheet.h"
#include "vehicle/ui/VehiclePropertySheet.h"

#include "platform/Messages.h"
#include "platform/ui/FileDialog.h"

#include "../codes/CodesTestUtil.h"
#include "SheetHarness.h"
#include "TestUtil.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

using testutil::DataPath;
using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;

namespace {

// The lines of `section` taken out of a test file (its marker line too).
std::string WithoutSection(std::string bytes, const std::string& section)
{
    const std::string marker = "----- " + section + " -----";
    const size_t start = bytes.find(marker);
    if (start == std::string::npos)
        return bytes;
    const size_t end = bytes.find("-----", start + marker.size());
    bytes.erase(start, end - start);
    return bytes;
}

// The record lines of `section` in a test file.
std::vector<std::string> SectionLines(const std::string& bytes, const std::string& section)
{
    std::vector<std::string> lines;
    const std::string marker = "----- " + section + " -----\r\n";
    size_t at = bytes.find(marker);
    if (at == std::string::npos)
        return lines;
    at += marker.size();
    while (at < bytes.size() && bytes.compare(at, 5, "-----") != 0) {
        const size_t end = bytes.find("\r\n", at);
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

struct PageCase {
    const char* name;
    std::unique_ptr<CTestSheet> (*make)(ISheetOwner*);
    CPropertyPage& (*page)(CTestSheet&);
    const char* fixture; // tests/data/<fixture>, loaded with `section` taken out
    const char* section;
    std::array<const char*, 2> alsoOut; // sections whose records need the page's, taken out too
    int field;           // typed into
    const char* typed;
    int otherField;      // a second field typed into, or 0
    const char* otherTyped;
};

void PrintTo(const PageCase& c, std::ostream* out) { *out << c.name; }

template <class Sheet> std::unique_ptr<CTestSheet> Make(ISheetOwner* owner)
{
    return std::make_unique<Sheet>("Record pages", owner);
}

const PageCase kCases[] = {
    {"VehicleOccupant", Make<CVehiclePropertySheet>,
     [](CTestSheet& s) -> CPropertyPage& { return static_cast<CVehiclePropertySheet&>(s).m_OccPage; },
     "vehicle/vtv_pages.mv5", "OCCUPANT", {"RESTRAINT", "INSTRUMENTATION"}, CVehOccPage::IDC_AGE, "35", CVehOccPage::IDC_DUMMY_MAKER,
     "ACME"},
    {"VehicleRestraint", Make<CVehiclePropertySheet>,
     [](CTestSheet& s) -> CPropertyPage& { return static_cast<CVehiclePropertySheet&>(s).m_RestPage; },
     "vehicle/vtv_pages.mv5", "RESTRAINT", {}, CVehRestPage::IDC_COMMENTS, "KNEE BOLSTER", 0, nullptr},
    {"BiomechanicsChestBand", Make<CBioMechPropertySheet>,
     [](CTestSheet& s) -> CPropertyPage& { return static_cast<CBioMechPropertySheet&>(s).m_CBandPage; },
     "biomech/hybrid.mv5", "CHEST BAND", {}, 1370, "250", 1380, "UPPER BAND"},
    {"BiomechanicsRestraint", Make<CBioMechPropertySheet>,
     [](CTestSheet& s) -> CPropertyPage& { return static_cast<CBioMechPropertySheet&>(s).m_RestPage; },
     "biomech/hybrid.mv5", "RESTRAINT", {}, CBioRestPage::IDC_COMMENTS, "LAP BELT", 0, nullptr},
    {"ComponentConfiguration", Make<CComponentPropertySheet>,
     [](CTestSheet& s) -> CPropertyPage& { return static_cast<CComponentPropertySheet&>(s).m_ConfPage; },
     "component/sheet/comp.mv5", "CONFIGURATION", {}, CCompConfPage::IDC_DEVICE_COMMENTS, "SLED",
     CCompConfPage::IDC_CONFIG_COMMENTS, "SEAT ONLY"},
};

class RecordPageTest : public ::testing::TestWithParam<PageCase> {
protected:
    codetest::Connection db;
    platform::MessageRecorder messages;
    platform::ScriptedFileDialogs files;
    sheettest::NoOwner owner;
    TempDir dir;
    std::unique_ptr<CTestSheet> sheet;

    CRecordPage& Page() { return static_cast<CRecordPage&>(GetParam().page(*sheet)); }
    QLineEdit* Line(int id) { return Page().Item<QLineEdit>(id); }
    void Type(int id, const char* text)
    {
        Line(id)->clear();
        QTest::keyClicks(Line(id), QString::fromLatin1(text));
    }
    void Click(const char* caption)
    {
        for (QPushButton* button : Page().findChildren<QPushButton*>()) {
            if (button->text() == caption) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        ADD_FAILURE() << "no button " << caption;
    }
    QListWidget* List() { return Page().findChild<QListWidget*>(); }
    void Load(const std::string& bytes)
    {
        WriteFile(dir.file("in.mv5"), bytes);
        files.answer(dir.file("in.mv5").c_str());
        sheet->RunCommand(ID_LOAD_TEST);
    }
    // Save Test into a new file: its bytes less the date line, empty when nothing was written.
    std::string Save()
    {
        const std::string path = dir.file("out" + std::to_string(++m_saves) + ".mv5");
        files.answer(path.c_str());
        sheet->RunCommand(ID_SAVE_TEST);
        return QFile::exists(QString::fromStdString(path)) ? sheettest::WithoutDate(ReadFile(path)) : std::string();
    }
    bool Visit(CPropertyPage& page) { return sheet->SetActivePage(&page) && sheet->GetActivePage() == &page; }
    CPropertyPage& OtherPage() { return *sheet->Page(0); }

    void SetUp() override
    {
        ASSERT_TRUE(db.open());
        sheet = GetParam().make(&owner);
        sheet->Create();
        std::string bytes = WithoutSection(ReadFile(DataPath(GetParam().fixture)), GetParam().section);
        for (const char* section : GetParam().alsoOut) {
            if (section)
                bytes = WithoutSection(bytes, section);
        }
        Load(bytes);
    }

private:
    int m_saves = 0;
};

TEST_P(RecordPageTest, TypingOnAPageWithoutRecordsIsRecordOneAndTheButtonsKeepTheRecords)
{
    const PageCase& c = GetParam();
    const std::string loaded = Save();
    ASSERT_FALSE(loaded.empty()) << sheettest::Texts(messages) << " in front: " << sheet->GetActiveIndex();
    ASSERT_TRUE(Visit(Page()));
    EXPECT_EQ(Page().m_nRecordCount, 0);
    ASSERT_TRUE(Visit(OtherPage()));
    EXPECT_EQ(Save(), loaded) << "a page merely visited adds no record";

    // Typed, left for another page and back: the text stays and the save holds it as record 1.
    ASSERT_TRUE(Visit(Page()));
    Type(c.field, c.typed);
    if (c.otherField)
        Type(c.otherField, c.otherTyped);
    ASSERT_TRUE(Visit(OtherPage()));
    ASSERT_TRUE(Visit(Page()));
    EXPECT_EQ(Line(c.field)->text(), c.typed);
    EXPECT_EQ(Page().m_nRecordCount, 1);
    EXPECT_EQ(List()->count(), 1);
    const std::string typed = Save();
    const std::vector<std::string> lines = SectionLines(typed, c.section);
    ASSERT_EQ(lines.size(), 1u) << typed;
    EXPECT_NE(lines[0].find(c.typed), std::string::npos) << lines[0];
    if (c.otherField) {
        EXPECT_NE(lines[0].find(c.otherTyped), std::string::npos) << lines[0];
    }
    EXPECT_EQ(WithoutSection(typed, c.section), loaded) << "nothing else changes";

    // ">" adds record 2 (empty), the list moves back to record 1 and "x" deletes record 2.
    ASSERT_TRUE(Visit(Page()));
    Click(">");
    EXPECT_EQ(Page().m_nRecordCount, 2);
    EXPECT_EQ(Page().m_nRecordIndex, 2);
    EXPECT_EQ(Line(c.field)->text(), "");
    List()->setCurrentRow(0);
    EXPECT_EQ(Page().m_nRecordIndex, 1);
    EXPECT_EQ(Line(c.field)->text(), c.typed);
    List()->setCurrentRow(1);
    Click("x");
    EXPECT_EQ(Page().m_nRecordCount, 1);
    EXPECT_EQ(Line(c.field)->text(), c.typed);
    EXPECT_EQ(Save(), typed);

    // "x" on the last record leaves none; typing again makes record 1 again, also saved from the
    // page in front.
    ASSERT_TRUE(Visit(Page()));
    Click("x");
    EXPECT_EQ(Page().m_nRecordCount, 0);
    EXPECT_EQ(Save(), loaded);
    ASSERT_TRUE(Visit(Page()));
    Type(c.field, c.typed);
    if (c.otherField)
        Type(c.otherField, c.otherTyped);
    EXPECT_EQ(Save(), typed);
    EXPECT_EQ(Page().m_nRecordCount, 1);

    // ">" on a page without records whose fields were typed into shows the typing as record 1.
    ASSERT_TRUE(Visit(Page()));
    Click("x");
    Type(c.field, c.typed);
    Click(">");
    EXPECT_EQ(Page().m_nRecordCount, 1);
    EXPECT_EQ(Page().m_nRecordIndex, 1);
    EXPECT_EQ(Line(c.field)->text(), c.typed);
}

INSTANTIATE_TEST_SUITE_P(Kinds, RecordPageTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

} // namespace
