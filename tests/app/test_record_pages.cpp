// The record pages of every kind, one table: what is typed on a page that holds no record becomes
// record 1 (and a page only visited adds none); ">" adds, "x" deletes, the list moves between
// records; leaving and saving keep the records; the written bytes show each step.

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
using testutil::SectionLines;
using testutil::WithoutSection;
using testutil::WriteFile;

namespace {

struct PageCase {
    const char* name;
    const sheettest::Kind& (*kind)();
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

using sheettest::KindOf;
using sheettest::PageOf;

const PageCase kCases[] = {
    {"VehicleOccupant", KindOf<CVehiclePropertySheet>, PageOf<&CVehiclePropertySheet::m_OccPage>,
     "vehicle/vtv_pages.mv5", "OCCUPANT", {"RESTRAINT", "INSTRUMENTATION"}, CVehOccPage::IDC_AGE, "35", CVehOccPage::IDC_DUMMY_MAKER,
     "ACME"},
    {"VehicleRestraint", KindOf<CVehiclePropertySheet>, PageOf<&CVehiclePropertySheet::m_RestPage>,
     "vehicle/vtv_pages.mv5", "RESTRAINT", {}, CVehRestPage::IDC_COMMENTS, "KNEE BOLSTER", 0, nullptr},
    {"BiomechanicsChestBand", KindOf<CBioMechPropertySheet>, PageOf<&CBioMechPropertySheet::m_CBandPage>,
     "biomech/hybrid.mv5", "CHEST BAND", {}, 1370, "250", 1380, "UPPER BAND"},
    {"BiomechanicsRestraint", KindOf<CBioMechPropertySheet>, PageOf<&CBioMechPropertySheet::m_RestPage>,
     "biomech/hybrid.mv5", "RESTRAINT", {}, CBioRestPage::IDC_COMMENTS, "LAP BELT", 0, nullptr},
    {"BiomechanicsInstrumentation", KindOf<CBioMechPropertySheet>, PageOf<&CBioMechPropertySheet::m_InstPage>,
     "biomech/hybrid.mv5", "INSTRUMENTATION", {}, CBioInstPage::IDC_COMMENTS, "SPARE", 0, nullptr},
    {"ComponentInstrumentation", KindOf<CComponentPropertySheet>, PageOf<&CComponentPropertySheet::m_InstPage>,
     "component/sheet/comp.mv5", "INSTRUMENTATION", {}, CCompInstPage::IDC_COMMENTS, "SPARE", 0, nullptr},
    {"SwgInstrumentation", KindOf<CSWGPropertySheet>, PageOf<&CSWGPropertySheet::m_InstPage>,
     "swg/full.mv5", "INSTRUMENTATION", {}, CSWGInstPage::IDC_COMMENTS, "SPARE", 0, nullptr},
    {"ComponentConfiguration", KindOf<CComponentPropertySheet>, PageOf<&CComponentPropertySheet::m_ConfPage>,
     "component/sheet/comp.mv5", "CONFIGURATION", {}, CCompConfPage::IDC_DEVICE_COMMENTS, "SLED",
     CCompConfPage::IDC_CONFIG_COMMENTS, "SEAT ONLY"},
};

class RecordPageTest : public ::testing::TestWithParam<PageCase> {
protected:
    std::unique_ptr<sheettest::KindSheet> s;

    CRecordPage& Page() { return static_cast<CRecordPage&>(GetParam().page(*s->sheet)); }
    QLineEdit* Line(int id) { return s->Line(Page(), id); }
    void Type(int id, const char* text) { s->Type(Page(), id, text); }
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
    // Save Test into a new file: its bytes less the date line, empty when nothing was written.
    std::string Save()
    {
        const std::string name = "out" + std::to_string(++m_saves) + ".mv5";
        s->Save(s->dir.file(name));
        return QFile::exists(QString::fromStdString(s->dir.file(name))) ? s->Written(name) : std::string();
    }
    bool Visit(CPropertyPage& page) { return s->Visit(page); }
    CPropertyPage& OtherPage() { return *s->sheet->Page(0); }

    void SetUp() override
    {
        s = std::make_unique<sheettest::KindSheet>(GetParam().kind());
        ASSERT_TRUE(s->db.open());
        std::string bytes = WithoutSection(ReadFile(DataPath(GetParam().fixture)), GetParam().section);
        for (const char* section : GetParam().alsoOut) {
            if (section)
                bytes = WithoutSection(bytes, section);
        }
        WriteFile(s->dir.file("in.mv5"), bytes);
        s->Load(s->dir.file("in.mv5"));
    }

private:
    int m_saves = 0;
};

TEST_P(RecordPageTest, TypingOnAPageWithoutRecordsIsRecordOneAndTheButtonsKeepTheRecords)
{
    const PageCase& c = GetParam();
    const std::string loaded = Save();
    ASSERT_FALSE(loaded.empty()) << sheettest::Texts(s->messages) << " in front: " << s->sheet->GetActiveIndex();
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
    // Nothing else changes (but the curve count, where the TEST line holds one).
    if (std::string(c.section) == "INSTRUMENTATION") {
        EXPECT_EQ(WithoutSection(WithoutSection(typed, c.section), "TEST"), WithoutSection(loaded, "TEST"));
    } else {
        EXPECT_EQ(WithoutSection(typed, c.section), loaded);
    }

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
