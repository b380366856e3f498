// What the four sheets with a high-speed video page share: a load never mixes tests or loses
// what the camera page shows, a saved test's companion never brings back deleted cameras.

#include "biomech/ui/BioMechPropertySheet.h"
#include "component/ui/ComponentPropertySheet.h"
#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedFileDialogs.h"
#include "swg/ui/SWGPropertySheet.h"
#include "vehicle/ui/VehiclePropertySheet.h"

#include "platform/Codec.h"
#include "platform/Messages.h"
#include "platform/ui/FileDialog.h"

#include "../../codes/CodesTestUtil.h"
#include "SheetHarness.h"
#include "TestUtil.h"
#include "WidgetColors.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

using testutil::ReadFile;
using testutil::WriteFile;

namespace {

using sheettest::kTwoCameras;

using sheettest::Kind;

// The shared harness's sheet of a camera kind.
struct KindSheet : sheettest::KindSheet {
    using sheettest::KindSheet::KindSheet;

    CHsvdTestSheet& Sheet() { return static_cast<CHsvdTestSheet&>(*sheet); }
    CHighSpeedVideoData& Data() { return *sheettest::KindSheet::Data().Cameras(); }
    int HsvdIndex() { return sheet->GetPageIndex(&Sheet().m_HsvdPage); }
    QString TestReferenceShown() { return sheet->Page(0)->Item<QLineEdit>(kind.testReferenceId)->text(); }
};

class HsvdTestSheetTest : public sheettest::KindTest {};

} // namespace

TEST_P(HsvdTestSheetTest, LoadWithTheCameraPageInFrontShowsTheLoadedTestReferenceOnTheTestPage)
{
    KindSheet s(kind);
    ASSERT_TRUE(s.db.open());
    ASSERT_TRUE(s.sheet->SetActivePage(s.HsvdIndex()));
    s.Run(ID_LOAD_TEST, s.WriteTest("t"));
    EXPECT_EQ(ToQString(s.Sheet().m_HsvdPage.GetDlgItemText(CHsvdPage::IDC_TEST_REFERENCE)), kind.testReference);
    s.sheet->SetActivePage(0);
    EXPECT_EQ(s.sheet->GetActiveIndex(), 0);
    EXPECT_EQ(s.TestReferenceShown(), kind.testReference);
    EXPECT_EQ(s.Data().m_strTestReference, kind.testReference);
}

TEST_P(HsvdTestSheetTest, SaveWithoutCameraEmptiesAnOlderCompanionAndMakesNoNewOne)
{
    KindSheet s(kind);
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.WriteTest("t", kTwoCameras));
    ASSERT_EQ(s.Data().CameraCount(), 2);
    // The user deletes both cameras, then saves over the test and to a new name.
    s.sheet->SetActivePage(s.HsvdIndex());
    for (int i = 0; i < 2; ++i)
        s.Sheet().m_HsvdPage.OnDeleteRecordButton();
    ASSERT_FALSE(s.Data().HasHsvd());
    s.sheet->SetActivePage(0);
    s.Run(ID_SAVE_TEST, s.dir.file("t.mv5"));
    const std::string companion = ReadFile(s.dir.file("t.hs5"));
    EXPECT_NE(companion.find("----- HSVD -----\r\n----- END -----\r\n"), std::string::npos) << companion;
    s.Run(ID_SAVE_TEST, s.dir.file("new.mv5"));
    EXPECT_TRUE(std::filesystem::exists(s.dir.file("new.mv5")));
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("new.hs5")));
    // Loaded again, the test has no camera.
    s.messages.clear();
    s.messages.setNextAnswer(IDYES);
    s.Run(ID_LOAD_TEST, s.dir.file("t.mv5"));
    EXPECT_EQ(s.Data().CameraCount(), 0);
    EXPECT_EQ(s.Naming("t.hs5"), 0) << sheettest::Texts(s.messages);
}

TEST_P(HsvdTestSheetTest, LoadedCamerasReplaceThoseHeld)
{
    KindSheet s(kind);
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.WriteTest("t"));
    s.Run(ID_LOAD_HSVD_ONLY, testutil::DataPath("hsvd/three.hs5"));
    ASSERT_EQ(s.Data().CameraCount(), 3);
    WriteFile(s.dir.file("two.hs5"), kTwoCameras);
    s.sheet->SetActivePage(s.HsvdIndex());
    s.Run(ID_LOAD_HSVD_ONLY, s.dir.file("two.hs5"));
    EXPECT_EQ(s.Data().CameraCount(), 2);
    EXPECT_EQ(s.Data().m_arrCommentary[2], "two");
    // The test's reference stays: the camera file's is taken only by a test without one.
    EXPECT_EQ(s.Data().m_strTestReference, kind.testReference);
    EXPECT_EQ(s.Sheet().m_HsvdPage.m_nRecordCount, 2);
    EXPECT_EQ(s.TestReferenceShown(), kind.testReference);
    // A file that cannot be opened is told and changes nothing.
    s.messages.clear();
    s.Run(ID_LOAD_HSVD_ONLY, s.dir.file("gone.hs5"));
    EXPECT_EQ(s.messages.count(), 1);
    EXPECT_EQ(s.Data().CameraCount(), 2);
}

TEST_P(HsvdTestSheetTest, AFailedLoadLeavesTheTestHeldAsItWas)
{
    KindSheet s(kind);
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.WriteTest("t", kTwoCameras));
    ASSERT_EQ(s.Data().CameraCount(), 2);
    s.sheet->SetActivePage(0);
    // A file that cannot be read (a folder), beside a companion of its own, and a file that
    // is not there: the clear is agreed to, yet nothing is cleared or mixed in.
    std::filesystem::create_directory(s.dir.file("folder.mv5"));
    WriteFile(s.dir.file("folder.hs5"), ReadFile(testutil::DataPath("hsvd/three.hs5")));
    for (const char* name : {"folder.mv5", "gone.mv4", "gone.gr1", "gone.gr5"}) {
        SCOPED_TRACE(name);
        s.messages.clear();
        s.messages.setNextAnswer(IDYES);
        s.Run(ID_LOAD_TEST, s.dir.file(name));
        EXPECT_GE(s.messages.count(), 1);
        EXPECT_EQ(s.Data().CameraCount(), 2);
        EXPECT_EQ(s.Data().m_strTestReference, kind.testReference);
        EXPECT_EQ(s.TestReferenceShown(), kind.testReference);
    }
    // Declining the clear reads nothing either (the component sheet loads without asking:
    // its Undo takes a load back).
    if (!kind.loadAsksToClear)
        return;
    s.messages.setNextAnswer(IDNO);
    s.Run(ID_LOAD_TEST, s.WriteTest("other"));
    EXPECT_EQ(s.Data().m_strTestReference, kind.testReference);
    EXPECT_EQ(s.Data().CameraCount(), 2);
}

TEST_P(HsvdTestSheetTest, CamerasAloneAreWrittenOnlyOnceEveryCameraPasses)
{
    KindSheet s(kind);
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.WriteTest("t", kTwoCameras));
    ASSERT_TRUE(s.sheet->SetActivePage(s.HsvdIndex()));
    CHsvdPage& page = s.Sheet().m_HsvdPage;
    ASSERT_EQ(page.m_nRecordIndex, 2);
    auto* scale = page.Item<QLineEdit>(CHsvdPage::IDC_SCALE_FACTOR);
    scale->clear();
    QTest::keyClicks(scale, "20000");
    s.sheet->SetActivePage(0);
    ASSERT_EQ(s.sheet->GetActiveIndex(), s.HsvdIndex()) << "the camera page keeps a bad camera";

    const size_t asked = s.files.requests().size();
    for (int command : {ID_SAVE_HSVD_ONLY, ID_SAVE_HSVD_REPORT_ONLY}) {
        s.messages.clear();
        s.sheet->RunCommand(command);
        ASSERT_EQ(s.messages.count(), 1) << command;
        EXPECT_EQ(s.messages.last().text, "Illegal data found. No file output.");
        EXPECT_EQ(s.sheet->GetActiveIndex(), s.HsvdIndex());
        EXPECT_EQ(page.m_nRecordIndex, 2);
        EXPECT_EQ(WidgetBackColor(page.Edit(CHsvdPage::IDC_SCALE_FACTOR)->GetWidget()), CNEdit::kYellow);
    }
    EXPECT_EQ(s.files.requests().size(), asked) << "no file asked for";

    scale->clear();
    QTest::keyClicks(scale, "0.75");
    s.messages.clear();
    s.Run(ID_SAVE_HSVD_REPORT_ONLY, s.dir.file("only.hsr"));
    s.Run(ID_SAVE_HSVD_ONLY, s.dir.file("only.hs5"));
    EXPECT_EQ(s.messages.count(), 0);
    EXPECT_NE(ReadFile(s.dir.file("only.hs5")).find("|0.75|Right|two"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(s.dir.file("only.hsr")));
}

TEST_P(HsvdTestSheetTest, UndoAndRedoAreOfferedWhereTheKindHasThem)
{
    // The biomechanics and SWG sheets leave them enabled doing nothing; the vehicle sheet has
    // none; the component sheet offers them while its stacks hold a test.
    KindSheet s(kind);
    for (int id : {ID_UNDO_ALL_PAGES, ID_REDO_ALL_PAGES})
        EXPECT_EQ(sheettest::MenuItemEnabled(*s.sheet, id), kind.undoRedoOffered) << id;
}

INSTANTIATE_TEST_SUITE_P(Kinds, HsvdTestSheetTest, sheettest::CameraKinds(), sheettest::KindCaseName);
