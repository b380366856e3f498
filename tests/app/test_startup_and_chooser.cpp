#include "app/About.h"
#include "app/ChooseDB.h"
#include "app/MorvelApp.h"
#include "common/ui/TestSheet.h"
#include "biomech/ui/BioMechPropertySheet.h"
#include "component/ui/ComponentPropertySheet.h"
#include "crashavoid/ui/TcaPropertySheet.h"
#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedDialogs.h"
#include "platform/CodeDb.h"
#include "platform/Messages.h"
#include "platform/ui/Screen.h"
#include "swg/ui/SWGPropertySheet.h"
#include "vehicle/ui/VehiclePropertySheet.h"

#include "SqliteFixture.h"
#include "TestUtil.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

// Runs each test in a folder of its own, with a desktop large enough unless the test says
// otherwise, and leaves no connection or sheet behind.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.path());
        platform::SetDesktopSize(QSize(1280, 1024));
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_oldCwd);
        platform::SetDesktopSize(std::nullopt);
        CMorvelV5App().ExitInstance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void CopySampleDb() { std::filesystem::copy_file(MORVEL_SAMPLE_DB, m_dir.file("ncodes.mdb")); }

    testutil::TempDir m_dir;
    std::filesystem::path m_oldCwd;
};

class MailCatcher : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { opened = url; }

public:
    QUrl opened;
};

// The test sheets that exist, shown or not, deleted only once the pending deletes have run.
int LiveSheets()
{
    int n = 0;
    for (QWidget* w : QApplication::allWidgets())
        n += qobject_cast<CTestSheet*>(w) != nullptr;
    return n;
}

int SheetPointersSet()
{
    return (g_pVehicleSheet != nullptr) + (g_pBioMechSheet != nullptr) + (g_pComponentSheet != nullptr) +
           (g_pTcaSheet != nullptr) + (g_pSwgSheet != nullptr);
}

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

} // namespace

TEST_F(StartupTest, NoDatabaseInTheWorkingFolderEndsEvenWhenOneIsOnThePath)
{
    testutil::TempDir onPath;
    std::filesystem::copy_file(MORVEL_SAMPLE_DB, onPath.file("ncodes.mdb"));
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (onPath.path().string() + ":" + oldPath).c_str(), 1);

    platform::MessageRecorder messages;
    platform::ScriptedDialogs dialogs;
    CMorvelV5App app;
    EXPECT_FALSE(app.InitInstance());
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(app.ExitInstance(), 1) << "a failed start ends with a non-zero status";

    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, "ncodes.mdb was not found in the path.");
    EXPECT_EQ(messages.last().caption, "Error");
    EXPECT_EQ(messages.last().icon(), MB_ICONERROR);
    EXPECT_EQ(dialogs.run(), 0);
    EXPECT_EQ(g_bCodeDbOpen, 0);
}

TEST_F(StartupTest, ScreenSmallerThan1024x768Ends)
{
    CopySampleDb();
    struct Case {
        QSize size;
        bool passes;
    };
    for (const Case& c : {Case {{1023, 768}, false}, Case {{1280, 720}, false}, Case {{1024, 768}, true}}) {
        platform::SetDesktopSize(c.size);
        platform::MessageRecorder messages;
        platform::ScriptedDialogs dialogs; // the chooser, when it runs, is cancelled at once
        CMorvelV5App app;
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(app.ExitInstance(), c.passes ? 0 : 1);
        if (c.passes) {
            EXPECT_EQ(messages.count(), 0);
            EXPECT_EQ(dialogs.run(), 1);
        } else {
            ASSERT_EQ(messages.count(), 1) << c.size.width() << "x" << c.size.height();
            EXPECT_EQ(messages.last().text, "Your screen resolution must be at least 1024x768 to use Morvel v5.0");
            EXPECT_EQ(messages.last().caption, "Error");
            EXPECT_EQ(dialogs.run(), 0);
        }
    }
}

TEST_F(StartupTest, AFileThatIsNotADatabaseShowsTheDescriptionAndEnds)
{
    testutil::WriteFile(m_dir.file("ncodes.mdb"), "Standard text, not an Access file\r\n");
    platform::MessageRecorder messages;
    platform::ScriptedDialogs dialogs;
    CMorvelV5App app;
    EXPECT_FALSE(app.InitInstance());
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().caption, "Vehicle Impact Data Morvel");
    EXPECT_NE(messages.last().text.find("Unrecognized database format"), std::string::npos);
    EXPECT_EQ(dialogs.run(), 0);
    EXPECT_EQ(g_bCodeDbOpen, 0);
    EXPECT_EQ(app.ExitInstance(), 1); // closes nothing after a failed start
    EXPECT_EQ(g_bCodeDbOpen, 0);
}

TEST_F(StartupTest, ChooserShowsBothVersionsAndItsCloseBoxEndsTheProgram)
{
    CopySampleDb();
    platform::MessageRecorder messages;
    platform::ScriptedDialogs dialogs;
    QString product, database, caption;
    bool curveBoxVisible = true;
    dialogs.then([&](CDialog& dlg) {
        caption = dlg.windowTitle();
        product = dlg.Item<QLabel>(IDC_PRODUCT_VERSION)->text();
        database = dlg.Item<QLabel>(IDC_DB_VERSION)->text();
        curveBoxVisible = dlg.GetDlgItem(IDC_CURVE_CHECK)->isVisible();
        EXPECT_EQ(g_bCodeDbOpen, 1);
        dlg.close(); // the caption close box
    });
    CMorvelV5App app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(caption, "Morvel v5 -- KAVRO R&D Test Data Entries with Automatic Validations");
    EXPECT_EQ(product, "5.17.11.9");
    EXPECT_EQ(database, "12");
    EXPECT_FALSE(curveBoxVisible);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(g_bCodeDbOpen, 0);
}

TEST_F(StartupTest, CurveCheckBoxTogglesTheChoiceAndItsText)
{
    CChooseDB chooser;
    chooser.EnsureCreated();
    EXPECT_EQ(chooser.m_nCheckCurves, 0);
    EXPECT_FALSE(chooser.IsDlgButtonChecked(IDC_CURVE_CHECK));
    const struct {
        int choice;
        const char* text;
    } clicks[] = {{1, "Take longer time to check curves"}, {0, "No curve check, may do it in Instrumentation page"},
                  {1, "Take longer time to check curves"}};
    for (const auto& click : clicks) {
        chooser.OnCurveCheckBox();
        EXPECT_EQ(chooser.m_nCheckCurves, click.choice);
        EXPECT_EQ(chooser.IsDlgButtonChecked(IDC_CURVE_CHECK), static_cast<UINT>(click.choice));
        EXPECT_EQ(chooser.GetDlgItemText(IDC_CURVE_CHECK), click.text);
    }
}

TEST_F(StartupTest, DatabaseVersionFollowsTheColumnTypeAndMissingRowsShowNothing)
{
    struct Case {
        const char* sql;
        const char* chooser;
        const char* about;
    };
    const Case cases[] = {
        {"CREATE TABLE DATABASE_VERSION (DATABASE_VERSION INTEGER); INSERT INTO DATABASE_VERSION VALUES (3), (12);",
         "12", "Database Version: 12"},
        {"CREATE TABLE DATABASE_VERSION (DATABASE_VERSION TEXT); INSERT INTO DATABASE_VERSION VALUES ('3'), ('12');",
         "3", "Database Version: 3"},
        {"CREATE TABLE DATABASE_VERSION (DATABASE_VERSION INTEGER);", "",
         "Database Version: No Database Version Table."},
        {"CREATE TABLE OTHER (X INTEGER);", "", "Database Version: No Database Version Table."},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string path = m_dir.file("db" + std::to_string(n++) + ".mdb");
        testutil::MakeSqliteDb(path, c.sql);
        platform::MessageRecorder messages;
        ASSERT_TRUE(CMorvelV5App().OpenCodeDatabase(path.c_str()));
        CChooseDB chooser;
        chooser.EnsureCreated();
        EXPECT_EQ(chooser.m_strDbVersion, c.chooser) << c.sql;
        EXPECT_EQ(chooser.Item<QLabel>(IDC_DB_VERSION)->text().toStdString(), c.chooser);
        CAbout about;
        about.EnsureCreated();
        EXPECT_EQ(about.Item<QLabel>(IDC_ABOUT_DB_VERSION)->text().toStdString(), c.about);
        EXPECT_EQ(about.Item<QLabel>(IDC_ABOUT_VERSION)->text(), "Version: 5.17.11.9");
        EXPECT_EQ(messages.count(), 0);
        CMorvelV5App().ExitInstance();
    }
    // No connection at all: the same as no row.
    CAbout about;
    about.EnsureCreated();
    EXPECT_EQ(about.Item<QLabel>(IDC_ABOUT_DB_VERSION)->text(), "Database Version: No Database Version Table.");
}

TEST_F(StartupTest, AboutShowsItsPageAndClosesWithItsPageButton)
{
    platform::ScriptedDialogs dialogs;
    int result = 0;
    dialogs.then([&](CDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "About Morvel V5");
        auto* page = dlg.Item<QTextBrowser>(IDC_ABOUT_PAGE);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(page->toPlainText().contains("generates MV5 files"));
        EXPECT_TRUE(page->toPlainText().contains("Technical support"));
        EXPECT_EQ(page->viewport()->palette().color(QPalette::Base), page->palette().color(QPalette::Button));

        // A click goes to whatever the user sees at that place of the dialog.
        auto clickAt = [&](const QTextCursor& at) {
            const QPoint inDialog = page->viewport()->mapTo(&dlg, page->cursorRect(at).center());
            QWidget* hit = dlg.childAt(inDialog);
            ASSERT_EQ(hit, page->viewport()) << "covered by " << (hit ? hit->metaObject()->className() : "nothing");
            QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&dlg, inDialog));
        };
        // The support address goes to the mail program; then the page's OK closes.
        MailCatcher mail;
        QDesktopServices::setUrlHandler("mailto", &mail, "open");
        QTextCursor address = page->document()->find("@");
        ASSERT_FALSE(address.isNull());
        clickAt(address);
        QDesktopServices::unsetUrlHandler("mailto");
        EXPECT_EQ(mail.opened.scheme(), "mailto");
        EXPECT_EQ(dlg.GetModalResult(), -1);
        QTextCursor ok = page->document()->find("OK", 0, QTextDocument::FindCaseSensitively | QTextDocument::FindWholeWords);
        ASSERT_FALSE(ok.isNull());
        EXPECT_EQ(ok.charFormat().anchorHref(), "#ButtonOK");
        ok.setPosition(ok.selectionStart() + 1);

        // The notice and both versions are shown whole, one under the other, between the
        // purpose and the support lines; OK is below them and the dialog ends soon after it.
        const int okTop = page->viewport()->mapTo(&dlg, page->cursorRect(ok).topLeft()).y();
        const int purposeBottom = page->viewport()->mapTo(&dlg, page->cursorRect(page->document()->find("Guides")).bottomLeft()).y();
        const int supportTop = page->viewport()->mapTo(&dlg, page->cursorRect(address).topLeft()).y();
        int previousBottom = purposeBottom;
        for (int id : {IDC_ABOUT_NOTICE, IDC_ABOUT_VERSION, IDC_ABOUT_DB_VERSION}) {
            auto* label = dlg.Item<QLabel>(id);
            const QRect place = label->geometry();
            EXPECT_TRUE(label->isVisible());
            EXPECT_LE(label->sizeHint().width(), place.width()) << label->text().toStdString();
            EXPECT_TRUE(dlg.rect().contains(place)) << label->text().toStdString();
            EXPECT_GE(place.top(), previousBottom) << label->text().toStdString();
            previousBottom = place.bottom();
        }
        EXPECT_LT(previousBottom, supportTop);
        EXPECT_LT(previousBottom, okTop);
        EXPECT_LT(dlg.height() - okTop, 5 * page->fontMetrics().height()) << "no empty half below OK";
        clickAt(ok);
        result = dlg.GetModalResult();
    });
    CMorvelV5App::OnAppAbout();
    EXPECT_EQ(result, IDOK);
}

TEST_F(StartupTest, SwitchingKindsKeepsExactlyOneSheetAndExitEndsTheChooser)
{
    CopySampleDb();
    ASSERT_TRUE(CMorvelV5App().OpenCodeDatabase(m_dir.file("ncodes.mdb").c_str()));
    CChooseDB chooser;
    chooser.EnsureCreated();
    chooser.show();

    QTest::mouseClick(chooser.Item<QPushButton>(IDC_VEHICLE_DATABASE), Qt::LeftButton);
    FlushDeletes();
    ASSERT_NE(g_pVehicleSheet, nullptr);
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(g_pVehicleSheet->windowTitle(), "Vehicle Data");
    EXPECT_TRUE(g_pVehicleSheet->MenuAction(ID_VEHICLE_DATABASE)->isChecked());

    platform::MessageRecorder messages;
    // Declined: nothing changes.
    messages.setNextAnswer(IDNO);
    g_pVehicleSheet->RunCommand(ID_COMPONENT_DATABASE);
    FlushDeletes();
    EXPECT_NE(g_pVehicleSheet, nullptr);
    EXPECT_EQ(messages.last().text, "Exit Vehicle Data Screens?");
    EXPECT_EQ(messages.last().caption, "Warning");

    struct Step {
        int command;
        const char* question;
    };
    // Vehicle -> Component -> Biomechanics -> SWG -> Crash Avoidance -> Vehicle.
    const Step steps[] = {
        {ID_COMPONENT_DATABASE, "Exit Vehicle Data Screens?"},
        {ID_BIOMECHANICS_DATABASE, "Exit Component Data Screens?"},
        {ID_SWG_DATABASE, "Exit Biomechanics Data Screens?"},
        {ID_CRASH_AVOIDANCE_DATABASE, "Exit SWG Data Screens?"},
        {ID_VEHICLE_DATABASE, "Exit TCA Data Screens?"},
    };
    CTestSheet* current = g_pVehicleSheet;
    for (const Step& s : steps) {
        messages.setNextAnswer(IDYES);
        current->RunCommand(s.command);
        FlushDeletes();
        EXPECT_EQ(messages.last().text, s.question);
        EXPECT_EQ(SheetPointersSet(), 1);
        EXPECT_EQ(LiveSheets(), 1);
        current = g_pVehicleSheet ? static_cast<CTestSheet*>(g_pVehicleSheet)
                  : g_pBioMechSheet ? static_cast<CTestSheet*>(g_pBioMechSheet)
                  : g_pComponentSheet ? static_cast<CTestSheet*>(g_pComponentSheet)
                  : g_pTcaSheet ? static_cast<CTestSheet*>(g_pTcaSheet)
                                : static_cast<CTestSheet*>(g_pSwgSheet);
    }
    ASSERT_NE(g_pVehicleSheet, nullptr);

    // The sheet's own kind does nothing.
    const int asked = messages.count();
    g_pVehicleSheet->RunCommand(ID_VEHICLE_DATABASE);
    EXPECT_EQ(messages.count(), asked);

    // Exit declined, then confirmed.
    messages.setNextAnswer(IDNO);
    g_pVehicleSheet->RunCommand(ID_SHEET_EXIT);
    EXPECT_NE(g_pVehicleSheet, nullptr);
    EXPECT_EQ(messages.last().text, "Really exit Morvel?");
    messages.setNextAnswer(IDYES);
    g_pVehicleSheet->close(); // the close box asks the same
    FlushDeletes();
    EXPECT_EQ(SheetPointersSet(), 0);
    EXPECT_EQ(LiveSheets(), 0);
    EXPECT_EQ(chooser.GetModalResult(), IDOK);
}

#include "test_startup_and_chooser.moc"

TEST_F(StartupTest, SwitchingKindsLeavesNoSheetOrPageBehind)
{
    CopySampleDb();
    ASSERT_TRUE(CMorvelV5App().OpenCodeDatabase(m_dir.file("ncodes.mdb").c_str()));
    CChooseDB chooser;
    chooser.EnsureCreated();
    platform::MessageRecorder messages;
    chooser.OpenKind(TestKind::Vehicle);
    FlushDeletes();
    auto switchTwice = [&] {
        messages.setNextAnswer(IDYES);
        g_pVehicleSheet->RunCommand(ID_COMPONENT_DATABASE);
        FlushDeletes();
        messages.setNextAnswer(IDYES);
        g_pComponentSheet->RunCommand(ID_VEHICLE_DATABASE);
        FlushDeletes();
    };
    switchTwice();
    const qsizetype widgets = QApplication::allWidgets().size();
    for (int i = 0; i < 10; ++i)
        switchTwice();
    EXPECT_EQ(LiveSheets(), 1);
    EXPECT_EQ(QApplication::allWidgets().size(), widgets) << "every widget of a switched-away sheet is deleted";
    chooser.CloseAllSheets();
    FlushDeletes();
    EXPECT_EQ(LiveSheets(), 0);
}
