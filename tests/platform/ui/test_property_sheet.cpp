#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/PropertySheet.h"

#include "TestUtil.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

enum { IDC_NAME = 100, IDC_LIST, IDC_NEXT, IDC_DELETE, IDC_KEEP, IDC_PREV };

const DlgTemplate kRecordsPage {
    "Records",
    200,
    100,
    "DejaVu Sans",
    8,
    false,
    {
        {IDC_NAME, DlgKind::Edit, "", 4, 4, 80, 12},
        {IDC_LIST, DlgKind::ListBox, "", 100, 4, 40, 60},
        {IDC_NEXT, DlgKind::Button, ">", 4, 20, 20, 14},
        {IDC_DELETE, DlgKind::Button, "x", 30, 20, 20, 14},
        {IDC_KEEP, DlgKind::CheckBox, "Keep", 4, 40, 60, 10},
        {IDC_PREV, DlgKind::Button, "<", 56, 20, 20, 14},
    },
};

const DlgTemplate kPlainPage {"Plain", 200, 100, "DejaVu Sans", 8, false, {{IDC_NAME, DlgKind::Edit, "", 4, 4, 80, 12}}};

// Names, one per record; "bad" is an invalid name.
class NamesPage : public CRecordPage {
public:
    NamesPage() : CRecordPage(&kRecordsPage) { m_names.push_back(""); }
    std::vector<CString> m_names;
    int m_keep = 0;
    CListBox m_list;
    int m_activations = 0;
    const char* m_saveError = "Error: see NamesPage"; // null: refusals say nothing

    BOOL OnInitDialog() override
    {
        CRecordPage::OnInitDialog();
        OnClicked(IDC_NEXT, [this] { NextRecord(m_saveError); });
        OnClicked(IDC_PREV, [this] { PreviousRecord(m_saveError); });
        OnClicked(IDC_DELETE, [this] { DeleteRecord(); });
        OnSelChange(IDC_LIST, [this] { OnRecordListSelChange(m_list); });
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_LIST, m_list);
        DDX_Check(pDX, IDC_KEEP, m_keep);
    }
    BOOL OnSetActive() override
    {
        ++m_activations;
        LoadRecord();
        return CRecordPage::OnSetActive();
    }
    BOOL OnKillActive() override { return SaveAndValidateAll() ? CRecordPage::OnKillActive() : FALSE; }

    void LoadRecord() override
    {
        if (!HasWindow())
            return;
        RefreshRecordList(m_list);
        SetDlgItemText(IDC_NAME, m_nRecordIndex < static_cast<int>(m_names.size()) ? m_names[m_nRecordIndex] : "");
    }
    BOOL SaveRecord() override
    {
        if (!HasWindow())
            return TRUE;
        if (GetDlgItemText(IDC_NAME) == "nosave")
            return FALSE;
        m_names.resize(std::max<size_t>(m_names.size(), m_nRecordIndex + 1));
        m_names[m_nRecordIndex] = GetDlgItemText(IDC_NAME);
        return TRUE;
    }
    BOOL IsPageValid() override { return GetDlgItemText(IDC_NAME) != "bad"; }
    void NewRecord() override
    {
        UpdateData(TRUE);
        m_names.resize(m_nRecordIndex + 1);
        m_names[m_nRecordIndex] = m_keep ? m_names[m_nRecordIndex - 1] : CString();
    }
    void RemoveRecord(int index) override { m_names.erase(m_names.begin() + index); }

    void Type(const char* text)
    {
        Item<QLineEdit>(IDC_NAME)->setText(text);
    }
    void Click(int id) { QTest::mouseClick(Item<QPushButton>(id), Qt::LeftButton); }
};

class PlainPage : public CPropertyPage {
public:
    PlainPage() : CPropertyPage(&kPlainPage) {}
    int m_activations = 0;
    BOOL OnSetActive() override
    {
        ++m_activations;
        return CPropertyPage::OnSetActive();
    }
};

struct SmallSheet {
    NamesPage names;
    PlainPage plain;
    CPropertySheet sheet {"Small"};
    SmallSheet()
    {
        sheet.AddPage(&names);
        sheet.AddPage(&plain);
    }
    ~SmallSheet()
    {
        // The pages are members: take them out of the tab widget before it deletes them.
        for (int i = sheet.Tabs()->count() - 1; i >= 0; --i)
            sheet.Tabs()->removeTab(i);
        names.setParent(nullptr);
        plain.setParent(nullptr);
    }
};

} // namespace

TEST(PropertySheetTest, PagesAreCreatedOnFirstShowAndAnInvalidPageStaysInFront)
{
    SmallSheet s;
    EXPECT_FALSE(s.names.HasWindow());
    s.sheet.Create();
    EXPECT_TRUE(s.names.HasWindow());
    EXPECT_FALSE(s.plain.HasWindow());
    EXPECT_EQ(s.names.m_activations, 1);

    s.names.Click(IDC_NEXT);
    s.names.Type("bad");
    // The user picks the other tab: the page refuses and stays.
    s.sheet.Tabs()->setCurrentIndex(1);
    EXPECT_EQ(s.sheet.GetActiveIndex(), 0);
    EXPECT_EQ(s.sheet.Tabs()->currentIndex(), 0);
    EXPECT_FALSE(s.plain.HasWindow());
    EXPECT_FALSE(s.sheet.SetActivePage(1));

    s.names.Type("good");
    EXPECT_TRUE(s.sheet.SetActivePage(&s.plain));
    EXPECT_TRUE(s.plain.HasWindow());
    EXPECT_EQ(s.plain.m_activations, 1);
    EXPECT_EQ(s.names.m_names[1], "good");
    s.sheet.Tabs()->setCurrentIndex(0);
    EXPECT_EQ(s.names.m_activations, 2);
}

TEST(PropertySheetTest, RecordStepsListAndCheckBoxExchange)
{
    SmallSheet s;
    s.sheet.Create();
    NamesPage& p = s.names;
    p.Click(IDC_NEXT);
    p.Type("one");
    p.CheckDlgButton(IDC_KEEP, 1);
    p.Click(IDC_NEXT);
    EXPECT_EQ(p.m_keep, 1);
    EXPECT_EQ(p.GetDlgItemText(IDC_NAME), "one") << "retained from record 1";
    p.Type("two");
    p.CheckDlgButton(IDC_KEEP, 0);
    p.Click(IDC_NEXT);
    EXPECT_EQ(p.GetDlgItemText(IDC_NAME), "");
    EXPECT_EQ(p.m_list.GetCount(), 3);
    EXPECT_EQ(p.m_list.GetCurSel(), 2);

    // Picking a row saves the shown record first.
    p.Type("three");
    p.m_list.GetWindow()->setCurrentRow(0);
    EXPECT_EQ(p.m_nRecordIndex, 1);
    EXPECT_EQ(p.GetDlgItemText(IDC_NAME), "one");
    EXPECT_EQ(p.m_names[3], "three");

    // A record that cannot be saved keeps the selection and the record.
    platform::MessageRecorder boxes;
    p.Type("nosave");
    p.m_list.GetWindow()->setCurrentRow(2);
    EXPECT_EQ(p.m_nRecordIndex, 1);
    EXPECT_EQ(p.m_list.GetCurSel(), 0);
    p.Click(IDC_NEXT);
    EXPECT_EQ(p.m_nRecordIndex, 1);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "Error: see NamesPage");
    EXPECT_EQ(boxes.last().caption, kAppTitle);

    p.Type("one");
    p.Click(IDC_DELETE);
    EXPECT_EQ(p.m_nRecordCount, 2);
    EXPECT_EQ(p.m_nRecordIndex, 1);
    EXPECT_EQ(p.GetDlgItemText(IDC_NAME), "two");
    EXPECT_EQ(p.m_list.GetCount(), 2);
}

// ">" on the last record appends only once the shown record is saved.
TEST(PropertySheetTest, AddingNeedsTheShownRecordSaved)
{
    SmallSheet s;
    s.sheet.Create();
    NamesPage& p = s.names;
    platform::MessageRecorder boxes;
    p.Click(IDC_NEXT);
    p.Type("nosave");
    p.Click(IDC_NEXT);
    EXPECT_EQ(p.m_nRecordCount, 1) << "nothing appended";
    EXPECT_EQ(p.m_nRecordIndex, 1);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "Error: see NamesPage");
    p.Type("one");
    p.Click(IDC_NEXT);
    EXPECT_EQ(p.m_nRecordCount, 2);
    EXPECT_EQ(p.m_names[1], "one");
}

// "<" steps back after saving the shown record, and does nothing on the first; a record that
// cannot be saved keeps every button where it is, told only when the page gives a text.
TEST(PropertySheetTest, PreviousAndRefusalsWithAndWithoutABox)
{
    for (const char* error : {"Error: see NamesPage", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(error ? error : "silent");
        SmallSheet s;
        s.sheet.Create();
        NamesPage& p = s.names;
        p.m_saveError = error;
        platform::MessageRecorder boxes;
        p.Click(IDC_NEXT);
        p.Type("one");
        p.Click(IDC_PREV);
        EXPECT_EQ(p.m_nRecordIndex, 1) << "nothing before the first";
        p.Click(IDC_NEXT);
        p.Type("two");
        p.Click(IDC_PREV);
        EXPECT_EQ(p.m_nRecordIndex, 1);
        EXPECT_EQ(p.GetDlgItemText(IDC_NAME), "one");
        EXPECT_EQ(p.m_names[2], "two") << "saved before stepping back";

        p.Type("nosave");
        p.Click(IDC_NEXT); // within the records
        EXPECT_EQ(p.m_nRecordIndex, 1);
        EXPECT_EQ(p.GetDlgItemText(IDC_NAME), "nosave") << "the typed value stays in front";
        p.Type("one");
        p.Click(IDC_NEXT);
        p.Type("nosave");
        p.Click(IDC_NEXT); // after the last: nothing appended
        p.Click(IDC_PREV);
        EXPECT_EQ(p.m_nRecordIndex, 2);
        EXPECT_EQ(p.m_nRecordCount, 2);
        EXPECT_EQ(p.GetDlgItemText(IDC_NAME), "nosave");
        EXPECT_EQ(boxes.count(), error ? 3 : 0);
        if (error && boxes.count() > 0) {
            EXPECT_EQ(boxes.last().text, error);
        }
    }
}

// "x" shows the record before the removed one, or with m_bDeleteShowsNext the one that moved
// into its place; the first and the last record have only one neighbour.
TEST(PropertySheetTest, DeleteShowsTheChosenNeighbour)
{
    struct Case {
        bool showsNext;
        int removed;
        int shownAfter;
        const char* nameAfter;
    };
    const Case cases[] = {
        {false, 2, 1, "a"}, {true, 2, 2, "c"}, {false, 1, 1, "b"},
        {true, 1, 1, "b"},  {false, 3, 2, "b"}, {true, 3, 2, "b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "showsNext " << c.showsNext << ", removed " << c.removed);
        SmallSheet s;
        s.sheet.Create();
        NamesPage& p = s.names;
        p.m_bDeleteShowsNext = c.showsNext;
        for (const char* name : {"a", "b", "c"}) {
            p.Click(IDC_NEXT);
            p.Type(name);
        }
        p.m_list.GetWindow()->setCurrentRow(c.removed - 1);
        ASSERT_EQ(p.m_nRecordIndex, c.removed);
        p.Click(IDC_DELETE);
        EXPECT_EQ(p.m_nRecordCount, 2);
        EXPECT_EQ(p.m_nRecordIndex, c.shownAfter);
        EXPECT_EQ(p.GetDlgItemText(IDC_NAME), c.nameAfter);
    }
}

TEST(PropertySheetTest, ButtonsDoNothingWhileEnterIsHeldDown)
{
    SmallSheet s;
    s.sheet.Create();
    NamesPage& p = s.names;
    QLineEdit* edit = p.Item<QLineEdit>(IDC_NAME);
    QTest::keyPress(edit, Qt::Key_Return);
    EXPECT_TRUE(IsEnterHeldDown());
    p.Click(IDC_NEXT);
    EXPECT_EQ(p.m_nRecordCount, 0);
    QTest::keyRelease(edit, Qt::Key_Return);
    EXPECT_FALSE(IsEnterHeldDown());
    p.Click(IDC_NEXT);
    EXPECT_EQ(p.m_nRecordCount, 1);
    QTest::keyPress(edit, Qt::Key_Enter);
    p.Click(IDC_DELETE);
    EXPECT_EQ(p.m_nRecordCount, 1);
    QTest::keyRelease(edit, Qt::Key_Enter);
    p.Click(IDC_DELETE);
    EXPECT_EQ(p.m_nRecordCount, 0);
}

// The press that confirms a file dialog closes it, and its release is never seen: the buttons
// must not go on taking the key as held. The dialog is Qt's own, over a folder holding a file
// of another type than the chosen one, which a typed name must still open.
TEST(PropertySheetTest, ButtonsTakeClicksAfterAFileDialogConfirmedWithEnter)
{
    testutil::TempDir dir;
    testutil::WriteFile(dir.file("old.mv4"), "x");
    testutil::WriteFile(dir.file("new.mv5"), "x");
    SmallSheet s;
    s.sheet.Create();
    NamesPage& p = s.names;

    platform::FileDialogRequest request;
    request.title = "Load Test";
    request.filter = "MV5 File (*.mv5)|*.mv5|MV4 File (*.mv4)|*.mv4||";
    const std::unique_ptr<QFileDialog> dialog = platform::MakeQtFileDialog(request, nullptr);
    dialog->setDirectory(QString::fromStdString(dir.path().string()));
    dialog->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
    ASSERT_TRUE(name && buttons);
    QPushButton* open = buttons->button(QDialogButtonBox::Open);
    // The folder is listed in the background: wait for the file of the chosen type.
    auto* model = dialog->findChild<QFileSystemModel*>();
    ASSERT_TRUE(model);
    const QModelIndex folder = model->index(QString::fromStdString(dir.path().string()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(folder) >= 1; }, 5000));
    QTest::keyClicks(name, "old.mv4");
    // The dialog may take the typed name up on its next turn of the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return open->isEnabled(); }, 5000)) << "a typed .mv4 name under MV5 File";

    QTest::keyPress(name, Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->isHidden());
    EXPECT_EQ(QFileInfo(dialog->selectedFiles().value(0)).fileName(), "old.mv4");
    EXPECT_FALSE(IsEnterHeldDown());
    p.Click(IDC_NEXT);
    EXPECT_EQ(p.m_nRecordCount, 1);
}

TEST(PropertySheetTest, APageMadeOnItsFirstShowShowsItsControls)
{
    CPropertyPage first(&kPlainPage);
    CPropertyPage second(&kRecordsPage);
    {
        CPropertySheet sheet("Sheet");
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        sheet.Create();
        ASSERT_FALSE(second.HasWindow());
        sheet.Tabs()->setCurrentIndex(1);
        ASSERT_TRUE(second.HasWindow());
        EXPECT_TRUE(second.GetDlgItem(IDC_NAME)->isVisible());
        EXPECT_TRUE(second.GetDlgItem(IDC_LIST)->isVisible());
        for (int i = sheet.Tabs()->count() - 1; i >= 0; --i)
            sheet.Tabs()->removeTab(i);
        first.setParent(nullptr);
        second.setParent(nullptr);
    }
}

TEST(PropertySheetTest, TheSheetFitsItsLargestPageBeforeThatPageIsMade)
{
    const DlgTemplate large {"Large", 400, 300, "DejaVu Sans", 8, false, {{IDC_NAME, DlgKind::Edit, "", 4, 4, 80, 12}}};
    CPropertyPage first(&kPlainPage);
    CPropertyPage second(&large);
    {
        CPropertySheet sheet("Sheet");
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        sheet.Create();
        const QSize before = sheet.size();
        sheet.Tabs()->setCurrentIndex(1);
        EXPECT_EQ(sheet.size(), before);
        EXPECT_GE(second.width(), DialogUnits(TemplateFont(large)).x(400));
        for (int i = sheet.Tabs()->count() - 1; i >= 0; --i)
            sheet.Tabs()->removeTab(i);
        first.setParent(nullptr);
        second.setParent(nullptr);
    }
}
