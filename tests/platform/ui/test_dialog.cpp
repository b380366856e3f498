#include "doubles/ScriptedDialogs.h"
#include "doubles/ScriptedFileDialogs.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBoxQt.h"
#include "platform/ui/Screen.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const DlgTemplate kNameDialog {
    "Name",
    120,
    40,
    "DejaVu Sans",
    8,
    false,
    {
        {-1, DlgKind::Static, "Name:", 4, 4, 30, 8},
        {100, DlgKind::Edit, "", 36, 4, 80, 12},
        {IDOK, DlgKind::DefButton, "OK", 4, 22, 50, 14},
        {IDCANCEL, DlgKind::Button, "Cancel", 60, 22, 50, 14},
        {101, DlgKind::CheckBox, "Keep", 4, 38, 50, 10},
    },
};

class NameDialog : public CDialog {
public:
    NameDialog()
        : CDialog(&kNameDialog)
    {
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        OnClicked(IDOK, [this] { OnOK(); });
        OnClicked(IDCANCEL, [this] { OnCancel(); });
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 100, m_name);
        DDX_Check(pDX, 101, m_keep);
    }
    CString m_name = "start";
    int m_keep = 1;
};

} // namespace

TEST(DialogTest, ScriptedModalRunTypesAndConfirms)
{
    platform::ScriptedDialogs script;
    script.then([](CDialog& dlg) {
        auto* edit = dlg.Item<QLineEdit>(100);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), "start");
        edit->clear();
        QTest::keyClicks(edit, "Crash");
        dlg.CheckDlgButton(101, 0);
        QTest::mouseClick(dlg.Item<QPushButton>(IDOK), Qt::LeftButton);
    });
    NameDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_name, "Crash");
    EXPECT_EQ(dlg.m_keep, 0);
    EXPECT_EQ(script.captions().front(), "Name");
}

TEST(DialogTest, UnscriptedModalRunIsCancelledAndKeepsMembers)
{
    platform::ScriptedDialogs script;
    NameDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_name, "start");
}

TEST(DialogTest, DialogEndedWhileSetUpIsNeverShown)
{
    class EndsAtOnce : public NameDialog {
    public:
        BOOL OnInitDialog() override
        {
            NameDialog::OnInitDialog();
            EndDialog(IDOK);
            return FALSE;
        }
    };
    EndsAtOnce dlg; // no script: the program's own modal run
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(dlg.isVisible());
}

TEST(DialogTest, ControlsAreLaidOutInDialogUnits)
{
    NameDialog dlg;
    dlg.EnsureCreated();
    const DialogUnits& du = dlg.Units();
    EXPECT_EQ(dlg.GetDlgItem(100)->geometry(), QRect(du.x(36), du.y(4), du.x(80), du.y(12)));
    EXPECT_EQ(dlg.GetDlgItem(999), nullptr);
}

// A title bar cuts a caption wider than its window short: the window widens to show it whole,
// its controls keeping to the middle, and a window wide enough keeps its size.
TEST(DialogTest, WindowIsWideEnoughForItsCaption)
{
    const DlgTemplate narrow {"A caption far longer than the few controls of its dialog need", 60, 30, "DejaVu Sans", 8,
                              false, {{-1, DlgKind::Static, "Name:", 4, 4, 30, 8},
                                      {IDOK, DlgKind::DefButton, "OK", 4, 14, 50, 14}}};
    for (const DlgTemplate* tmpl : {&narrow, &kNameDialog}) {
        CDialog dialog(tmpl);
        dialog.EnsureCreated();
        const int width = dialog.width();
        const int label = dialog.findChild<QLabel*>()->x();
        platform::ScriptedDialogs script;
        script.then([](CDialog& d) { d.EndDialog(IDCANCEL); });
        dialog.DoModal();
        const int wanted = platform::CaptionWidth(dialog.windowTitle());
        if (width >= wanted) {
            EXPECT_EQ(dialog.width(), width) << tmpl->caption;
            EXPECT_EQ(dialog.findChild<QLabel*>()->x(), label) << tmpl->caption;
        } else {
            EXPECT_EQ(dialog.width(), wanted) << tmpl->caption;
            EXPECT_EQ(dialog.findChild<QLabel*>()->x(), label + (wanted - width) / 2) << tmpl->caption;
        }
    }
    EXPECT_LT(DialogUnits(TemplateFont(narrow)).x(narrow.cx), platform::CaptionWidth(narrow.caption));
}

// The program's boxes: the caption whole above a short text, and each button answers as the
// framework's box does.
TEST(MessageBoxTest, QtBoxShowsItsCaptionWholeAndAnswers)
{
    const platform::MessageHandler previous = platform::SetMessageHandler(nullptr);
    platform::InstallQtMessageHandler();
    struct Press {
        UINT type;
        QMessageBox::StandardButton button;
        int answer;
    };
    for (const Press& press : {Press {MB_YESNO | MB_ICONQUESTION, QMessageBox::No, IDNO},
                               Press {MB_YESNO | MB_DEFBUTTON2, QMessageBox::Yes, IDYES},
                               Press {MB_OKCANCEL, QMessageBox::Cancel, IDCANCEL}, Press {MB_OK, QMessageBox::Ok, IDOK}}) {
        int width = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            width = box->width();
            box->button(press.button)->click();
        });
        EXPECT_EQ(AfxMessageBox("Really clear all entries?", press.type), press.answer);
        EXPECT_GE(width, platform::CaptionWidth(kAppTitle));
    }
    platform::SetMessageHandler(previous);
}

TEST(DialogTest, DigitsOnlyAndUpperCaseEditStyles)
{
    const DlgTemplate styled {"Styled", 120, 40, "DejaVu Sans", 8, false,
                              {{100, DlgKind::Edit, "", 4, 4, 80, 12, DS_NUMBER},
                               {101, DlgKind::Edit, "", 4, 20, 80, 12, DS_UPPERCASE}}};
    CDialog dlg(&styled);
    dlg.EnsureCreated();
    auto* digits = dlg.Item<QLineEdit>(100);
    auto* upper = dlg.Item<QLineEdit>(101);
    QTest::keyClicks(digits, "-12.5a7");
    EXPECT_EQ(digits->text(), "1257") << "only digits are typed";
    digits->setText("-3.5");
    EXPECT_EQ(digits->text(), "-3.5") << "a text the program sets is kept";
    QTest::keyClicks(upper, "ab c1");
    EXPECT_EQ(upper->text(), "AB C1");
    upper->setCursorPosition(1);
    QTest::keyClicks(upper, "x");
    EXPECT_EQ(upper->text(), "AXB C1");
    EXPECT_EQ(upper->cursorPosition(), 2) << "the caret stays where the letter went";
    upper->setText("Bullet vehicle");
    upper->end(false);
    QTest::keyClicks(upper, " x2");
    EXPECT_EQ(upper->text(), "Bullet vehicle X2") << "only what is typed is changed";
}

TEST(FileDialogTest, ScriptedAnswersAndTheRequestSeen)
{
    platform::ScriptedFileDialogs files;
    files.answer("/tmp/a/test.MV5");
    files.cancel();
    CFileDialog open(true, nullptr, nullptr, 0, "MV5 Tests (*.mv5)|*.mv5|All (*.*)|*.*||");
    open.SetTitle("Open Test");
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetFileExt(), "MV5");
    EXPECT_EQ(files.requests()[0].title, "Open Test");
    CFileDialog again(true);
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    const auto filters = platform::ParseFilter(files.requests()[0].filter);
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[1].first, "All (*.*)");
}
