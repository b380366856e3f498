#include "common/ui/CurveCheckPanel.h"

#include "CurveChannels.h"
#include "TestUtil.h"
#include "doubles/ScriptedDialogs.h"
#include "platform/ui/PropertySheet.h"
#include "WidgetColors.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

enum { kHint = 1, kCheck, kView, kFindNext, kFirst, kLast, kStep };

const DlgTemplate kChannelPage {
    "Channels",
    300,
    120,
    "DejaVu Sans",
    8,
    false,
    {
        {kHint, DlgKind::Edit, "", 5, 5, 290, 12, DS_READONLY},
        {kCheck, DlgKind::Button, "Check Curve\nRelated Error", 5, 20, 60, 20, DS_MULTILINE},
        {kView, DlgKind::Button, "View Curve\nRelated Data", 5, 20, 60, 20, DS_MULTILINE},
        {kFindNext, DlgKind::Button, "Find next error", 70, 20, 60, 14},
        {kFirst, DlgKind::Edit, "", 5, 50, 50, 12},
        {kLast, DlgKind::Edit, "", 60, 50, 50, 12},
        {kStep, DlgKind::Edit, "", 115, 50, 50, 12},
    },
};

// The smallest instrumentation page: the four channels of CurveChannels.h, one shown at a time
// in its three point fields.
struct ChannelPage : CPropertyPage {
    int option = 0;
    bool checked = false;
    CString path = CString(testutil::DataPath("curves") + "/test.mv5");
    std::vector<CurveErrorRecord> errors;
    std::vector<int> index;
    int columns = 0;
    CStringArray first, last, step;
    int count = 4;
    int shown = 1;
    bool ready = true;
    int loads = 0;

    CNEdit hint, editFirst, editLast, editStep;
    CCurveCheckPanel panel {*this,
                            {&hint, kCheck, kView, kFindNext, &editFirst, &editLast, &editStep},
                            {[this] { return CurveCheckState {&option, &checked, &path, &errors, &index, &columns,
                                                              &first, &last, &step, &count, nullptr}; },
                             [this] { return shown; }, [this](int channel) { Show(channel); },
                             [this] { Save(); }, [this] { return ready; }, nullptr},
                            CCurveCheckPanel::RedOnGreenStyle()};

    ChannelPage() : CPropertyPage(&kChannelPage)
    {
        testutil::FillCurveChannels(first, last, step);
        EnsureCreated();
        show();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, kHint, hint);
        DDX_Control(pDX, kFirst, editFirst);
        DDX_Control(pDX, kLast, editLast);
        DDX_Control(pDX, kStep, editStep);
    }
    BOOL OnInitDialog() override
    {
        CPropertyPage::OnInitDialog();
        UpdateData(FALSE);
        editFirst.SetIntType(-500000, 0, true);
        editLast.SetIntType(1, 5000000, true);
        editStep.SetIntType(0, 999999, true);
        panel.OnInitDialog();
        for (CNEdit* e : {&editFirst, &editLast, &editStep})
            QObject::connect(e, &CNEdit::Changed, e, [this] { panel.RecheckChannelCurve(); });
        OnClicked(kCheck, [this] { panel.OnCheckCurve(); });
        OnClicked(kFindNext, [this] { panel.OnFindNextError(); });
        Show(shown);
        return TRUE;
    }
    void Show(int channel)
    {
        shown = channel;
        ready = false;
        editFirst.SetText(first.GetAt(channel));
        editLast.SetText(last.GetAt(channel));
        editStep.SetText(step.GetAt(channel));
        ready = true;
        ++loads;
    }
    void Save()
    {
        first.SetAtGrow(shown, editFirst.GetText());
        last.SetAtGrow(shown, editLast.GetText());
        step.SetAtGrow(shown, editStep.GetText());
    }
    void Click(int id) { QTest::mouseClick(Item<QPushButton>(id), Qt::LeftButton); }
    void Type(int id, const char* text)
    {
        Item<QLineEdit>(id)->clear();
        QTest::keyClicks(GetDlgItem(id), text);
    }
    QString Hint() { return Item<QLineEdit>(kHint)->text(); }
    bool Visible(int id) { return !GetDlgItem(id)->isHidden(); }
};

const COLORREF kInvalidBack = CNEdit::kYellow;

} // namespace

TEST(CurveCheckPanelTest, ChecksAndCorrectsALastPointUntilTheFindingClears)
{
    ChannelPage p;
    EXPECT_EQ(p.Hint(), CCurveCheckPanel::kCheckModeHint);
    EXPECT_TRUE(p.Visible(kCheck));
    EXPECT_FALSE(p.Visible(kView));
    EXPECT_FALSE(p.Visible(kFindNext));

    p.Click(kCheck);
    EXPECT_EQ(p.option, 1);
    EXPECT_TRUE(p.checked);
    EXPECT_FALSE(p.Visible(kCheck));
    EXPECT_TRUE(p.Visible(kView));
    // The first finding: channel 2's last point.
    EXPECT_EQ(p.shown, 2);
    EXPECT_TRUE(p.Hint().startsWith("Hint: NLP = 2"));
    EXPECT_EQ(WidgetBackColor(p.hint.GetWidget()), kInvalidBack);
    EXPECT_EQ(WidgetBackColor(p.editLast.GetWidget()), kInvalidBack);
    EXPECT_EQ(WidgetBackColor(p.editFirst.GetWidget()), CNEdit::kWhite);
    EXPECT_FALSE(p.panel.ShowRecordCurveError(2)) << "a mismatch makes the channel invalid";

    p.Type(kLast, "4");
    EXPECT_TRUE(p.Hint().startsWith("Hint: NLP = 2"));
    EXPECT_EQ(WidgetBackColor(p.editLast.GetWidget()), kInvalidBack);
    EXPECT_FALSE(p.Visible(kFindNext));

    p.Type(kLast, "2");
    EXPECT_EQ(p.last[2], "2");
    EXPECT_EQ(p.Hint(), CCurveCheckPanel::kClickFindNext);
    EXPECT_EQ(WidgetBackColor(p.hint.GetWidget()), CNEdit::kLightGreen);
    EXPECT_EQ(WidgetBackColor(p.editLast.GetWidget()), CNEdit::kWhite);
    EXPECT_TRUE(p.Visible(kFindNext));
    EXPECT_TRUE(p.panel.ShowRecordCurveError(2));
}

TEST(CurveCheckPanelTest, FindNextErrorStepsAcrossChannelsAndFromOneWithoutCurveFile)
{
    ChannelPage p;
    p.Click(kCheck);
    ASSERT_EQ(p.shown, 2);
    p.Type(kLast, "2");

    // From channel 2, now clean, to channel 4's damaged curve file: shown, yet not invalid.
    p.Click(kFindNext);
    EXPECT_EQ(p.shown, 4);
    EXPECT_TRUE(p.Hint().contains("x 7 is not real number"));
    EXPECT_FALSE(p.Visible(kFindNext));
    EXPECT_TRUE(p.panel.ShowRecordCurveError(4)) << "a curve file's own fault never blocks";

    // From channel 4 past its own finding to curve 9, which names no channel: the shown
    // channel stays.
    p.panel.OnFindNextError();
    EXPECT_EQ(p.shown, 4);
    EXPECT_EQ(p.Hint(), CCurveReview::kNoChannelText);

    // Channel 3 has no curve file: the search starts at the first finding, channel 2 again once
    // it disagrees.
    p.Show(3);
    EXPECT_TRUE(p.panel.ShowRecordCurveError(3));
    EXPECT_EQ(p.Hint(), "");
    p.Type(kLast, "1"); // no curve to compare with: nothing recomputed
    EXPECT_EQ(p.last[3], "1");
    EXPECT_EQ(p.errors.size(), 4u);
    p.last[2] = "3";
    p.checked = false;
    p.Click(kCheck);
    p.Show(3);
    p.panel.OnFindNextError();
    EXPECT_EQ(p.shown, 2);

    // Only clean channels and no damaged or unmatched curve: nothing left to find.
    p.Type(kLast, "2");
    p.errors.resize(2);
    p.panel.OnFindNextError();
    EXPECT_EQ(p.Hint(), CCurveCheckPanel::kNoErrorsInRecords);
    EXPECT_EQ(WidgetBackColor(p.hint.GetWidget()), CNEdit::kWhite);
    EXPECT_TRUE(p.panel.FindNextCurveError(0));
}

TEST(CurveCheckPanelTest, NoCurveFilesAndAllCurvesMatching)
{
    testutil::TempDir dir;
    ChannelPage p;
    p.path = CString(dir.file("test.mv5"));
    p.Click(kCheck);
    EXPECT_EQ(p.Hint(), CCurveCheckPanel::kNoCurveFound);
    EXPECT_FALSE(p.checked);
    EXPECT_TRUE(p.Visible(kCheck)) << "still check mode: the next press scans again";
    EXPECT_TRUE(p.panel.ShowRecordCurveError(1));
    EXPECT_EQ(p.Hint(), CCurveCheckPanel::kNoErrorInRecord);
    EXPECT_EQ(WidgetBackColor(p.hint.GetWidget()), CNEdit::kLightGreen);

    testutil::WriteFile(dir.file("test.001"), testutil::ReadFile(testutil::DataPath("curves/test.001")));
    p.Click(kCheck);
    EXPECT_TRUE(p.checked);
    EXPECT_EQ(p.Hint(), CCurveCheckPanel::kAllMatch);
    EXPECT_TRUE(p.Visible(kView));
    platform::ScriptedDialogs dialogs;
    dialogs.then([](CDialog& dlg) { dlg.EndDialog(IDOK); });
    p.panel.OnViewCurve();
    ASSERT_EQ(dialogs.run(), 1);
    EXPECT_TRUE(dialogs.captions()[0].startsWith("Numbers of First (nfp)"));

    p.option = 0;
    EXPECT_TRUE(p.panel.ShowRecordCurveError(2)) << "checking off";
    EXPECT_FALSE(p.panel.FindNextCurveError(0));
}
