// Every real the component test file writes rounded (the decimal rows of the rollover tables),
// on the screen that shows it: loaded from a file that holds more decimals than its row writes,
// or typed so, the field shows what Save Test then writes; and showing a loaded value stores
// nothing in its place.

#include "component/ui/RolloverVehicle.h"

#include "component/CompSections.h"

#include "doubles/ScriptedDialogs.h"

#include "SheetHarness.h"
#include "TestUtil.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using testutil::Cells;
using testutil::ReadFile;
using testutil::SectionLines;
using S = CComponentPropertySheet;
using V = CCompVehPage;
using R = CRolloverVehicleData;

namespace {

using CompSheet = sheettest::ComponentSheet;

// A real row of the file and the field that shows it.
struct RealField {
    const char* section; // the line it stands on
    int pos;             // its cell there
    int decimals;        // as the row writes it
    double R::*real;
    bool onPage;   // the vehicle page's; else the rollover dialog's
    int id;        // 0: no screen shows it
    bool typed;    // the user types it (else it is computed)
    std::string text; // a text of it with more decimals than the row writes, rounding up
};

std::string LongerText(const RealField& field)
{
    // 1 + pos % 9, then the row's decimals of 2 and "51": rounding the row's way gives a last 3.
    return std::to_string(1 + field.pos % 9) + "." + std::string(static_cast<size_t>(field.decimals), '2') + "51";
}

// The table, from the section tables: each decimal row with its screen field.
std::vector<RealField> RealFields()
{
    std::vector<RealField> fields;
    for (const auto& row : RolloverVehicleLineSection().fields) {
        if (row.kind == row.Decimal)
            fields.push_back({"VEHICLE", row.pos, row.decimals, row.real, true, V::RolloverRealId(row.real), true, {}});
    }
    for (const auto& row : RolloverSectionTable().fields) {
        if (row.kind != row.Decimal)
            continue;
        const auto rows = CRolloverVehicle::Rows();
        const auto shown = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r.real == row.real; });
        fields.push_back({"ROLLOVER", row.pos, row.decimals, row.real, false, shown == rows.end() ? 0 : shown->id,
                          shown != rows.end() && !(shown->style & DS_READONLY), {}});
    }
    for (RealField& field : fields)
        field.text = LongerText(field);
    return fields;
}

// The cell of `field` in a written test file.
std::string WrittenCell(const std::string& bytes, const RealField& field)
{
    const std::vector<std::string> lines = SectionLines(bytes, field.section);
    if (lines.size() != 1)
        return "<no single " + std::string(field.section) + " line>";
    const std::vector<std::string> cells = Cells(lines[0]);
    if (field.pos >= static_cast<int>(cells.size()))
        return "<no cell>";
    std::string cell = cells[static_cast<size_t>(field.pos)];
    if (!cell.empty() && cell.back() == ' ')
        cell.pop_back(); // a number's blank before its separator
    return cell;
}

// The rollover test with every real of the table as its longer text.
std::string WithLongerReals(CompSheet& s, const std::vector<RealField>& fields)
{
    const std::string bytes = ReadFile(s.Fixture("sheet/rollover.mv5"));
    std::string out = bytes;
    for (const char* section : {"VEHICLE", "ROLLOVER"}) {
        const std::string line = SectionLines(bytes, section).at(0);
        std::vector<std::string> cells = Cells(line);
        for (const RealField& field : fields) {
            if (std::string(field.section) == section)
                cells.at(static_cast<size_t>(field.pos)) = field.text + " ";
        }
        std::string changed;
        for (size_t i = 0; i < cells.size(); ++i)
            changed += (i ? "|" : "") + cells[i];
        out.replace(out.find(line), line.size(), changed);
    }
    const std::string path = s.dir.file("longer.mv5");
    testutil::WriteFile(path, out);
    return path;
}

void Leave(QLineEdit* line)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(line, &out);
}

} // namespace

// Every decimal row is shown by a field, and the texts of the table hold more decimals than the
// rows write.
TEST(CompLoadedRealsTest, EveryRealTheFileRoundsHasItsField)
{
    const std::vector<RealField> fields = RealFields();
    ASSERT_FALSE(fields.empty());
    for (const RealField& field : fields) {
        SCOPED_TRACE(std::string(field.section) + " cell " + std::to_string(field.pos));
        EXPECT_NE(field.id, 0) << "no screen shows it";
        EXPECT_NE(WrittenRealText(std::stod(field.text), field.decimals).str(), field.text);
    }
}

// Loaded: every field shows what Save Test writes, after the page and the dialog showed the test;
// the values the user types are held as the file gave them, unrounded, and a save writes their
// lines as it writes them when no page showed them (the component page makes the vehicle's
// component weight of the total weight, which this file does not keep in step).
TEST(CompLoadedRealsTest, ALoadedRealShowsWhatSaveTestWrites)
{
    const std::vector<RealField> fields = RealFields();
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    const std::string path = WithLongerReals(s, fields);
    s.Run(ID_LOAD_TEST, path);
    s.messages.clear();
    ASSERT_TRUE(s.data.WriteTest(s.dir.file("unshown.mv5").c_str())) << "the test as read, no page shown";
    ASSERT_EQ(s.data.m_strTestType, "ROV");
    ASSERT_TRUE(s.Visit(S::kVehicle));
    std::map<int, QString> shown;
    for (const RealField& field : fields) {
        if (field.onPage)
            shown[field.id] = s.Text(s.sheet.m_VehPage, field.id);
    }
    ASSERT_TRUE(s.VisitEveryPage());
    s.Run(ID_SAVE_TEST, s.dir.file("pages.mv5"));
    for (const char* section : {"VEHICLE", "ROLLOVER"}) {
        EXPECT_EQ(SectionLines(s.Written("pages.mv5"), section), SectionLines(s.Written("unshown.mv5"), section))
            << "showing the pages changed what is saved";
    }

    ASSERT_TRUE(s.Visit(S::kVehicle));
    platform::ScriptedDialogs dialogs;
    dialogs.then([&](CDialog& dialog) {
        for (const RealField& field : fields) {
            if (!field.onPage)
                shown[field.id] = dialog.Item<QLineEdit>(field.id)->text();
        }
        dynamic_cast<CRolloverVehicle&>(dialog).OnBnClickedOk();
    });
    s.Click(s.sheet.m_VehPage, V::IDC_MORE_INFO);
    s.Run(ID_SAVE_TEST, s.dir.file("out.mv5"));
    EXPECT_EQ(s.messages.count(), 0) << s.messages.texts().front();

    const std::string saved = ReadFile(s.dir.file("out.mv5"));
    const R& r = s.data.m_RolloverVehicleData;
    for (const RealField& field : fields) {
        SCOPED_TRACE(std::string(field.section) + " cell " + std::to_string(field.pos) + " " + field.text);
        EXPECT_EQ(shown[field.id].toStdString(), WrittenCell(saved, field));
        if (field.typed) {
            EXPECT_EQ(r.*field.real, std::stod(field.text)) << "the loaded value is kept as it was";
            EXPECT_EQ(WrittenCell(saved, field), WrittenRealText(std::stod(field.text), field.decimals).str());
        }
    }
}

// Typed with more decimals than the row writes and left: the field shows what Save Test writes.
TEST(CompLoadedRealsTest, ATypedRealShowsWhatSaveTestWrites)
{
    const std::vector<RealField> fields = RealFields();
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/rollover.mv5", "r.mv5"));
    s.messages.clear();
    ASSERT_TRUE(s.Visit(S::kVehicle));
    std::map<int, QString> shown;
    for (const RealField& field : fields) {
        if (!field.onPage || !field.typed)
            continue;
        QLineEdit* line = s.Line(s.sheet.m_VehPage, field.id);
        s.Type(line, field.text.c_str());
        Leave(line);
        shown[field.id] = line->text();
    }
    platform::ScriptedDialogs dialogs;
    dialogs.then([&](CDialog& dialog) {
        for (const RealField& field : fields) {
            if (field.onPage || !field.typed)
                continue;
            QLineEdit* line = dialog.Item<QLineEdit>(field.id);
            line->selectAll();
            QTest::keyClicks(line, QString::fromStdString(field.text));
            Leave(line);
            shown[field.id] = line->text();
        }
        dynamic_cast<CRolloverVehicle&>(dialog).OnBnClickedOk();
        // The computed values follow what was typed: shown as they are written too.
        for (const RealField& field : fields) {
            if (!field.typed)
                shown[field.id] = dialog.Item<QLineEdit>(field.id)->text();
        }
    });
    s.Click(s.sheet.m_VehPage, V::IDC_MORE_INFO);
    s.Run(ID_SAVE_TEST, s.dir.file("out.mv5"));
    EXPECT_EQ(s.messages.count(), 0) << s.messages.texts().front();

    const std::string saved = ReadFile(s.dir.file("out.mv5"));
    for (const RealField& field : fields) {
        SCOPED_TRACE(std::string(field.section) + " cell " + std::to_string(field.pos) + " " + field.text);
        EXPECT_EQ(shown[field.id].toStdString(), WrittenCell(saved, field));
        if (field.typed) {
            EXPECT_EQ(WrittenCell(saved, field), WrittenRealText(std::stod(field.text), field.decimals).str());
        }
    }
    EXPECT_EQ(s.Text(s.sheet.m_VehPage, V::IDC_DISPLACEMENT).toStdString(),
              WrittenCell(saved, fields.front())) << "the page shown again after the save";
}
