#include "common/ui/PrintText.h"
#include "common/ui/TestSheet.h"
#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedFileDialogs.h"
#include "doubles/ScriptedHelp.h"
#include "doubles/ScriptedPrintDialogs.h"
#include "platform/Messages.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Help.h"
#include "platform/ui/PrintDialog.h"

#include "SheetHarness.h"
#include "TestUtil.h"

#include <QComboBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using sheettest::NoOwner;
using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;

TEST(SheetHelpTest, ContentsOpensTheInstalledHelpOrSaysWhereItLooked)
{
    TempDir dir;
    const std::string index = dir.file("help \xC3\xA9/index.html");
    NoOwner owner;
    sheettest::ShellSheet sheet("Test", &owner, 0, TestKind::Vehicle, "Exit?");
    platform::MessageRecorder messages;
    {
        platform::ScriptedHelp help(QString::fromUtf8(index.c_str()));
        sheet.RunCommand(ID_HELP_FINDER);
        EXPECT_TRUE(help.opened().empty());
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().text, "The help for Morvel is not installed. It was looked for at\n" +
                                            dir.file("help \xE9/index.html"));
        EXPECT_EQ(messages.last().caption, kAppTitle);

        std::filesystem::create_directories(dir.path() / "help \xC3\xA9");
        WriteFile(index, "<html></html>");
        sheet.RunCommand(ID_HELP_FINDER);
        ASSERT_EQ(help.opened().size(), 1u);
        EXPECT_EQ(help.opened()[0], QUrl::fromLocalFile(QString::fromUtf8(index.c_str())));
        EXPECT_EQ(messages.count(), 1);
    }
    platform::ScriptedHelp noBrowser(QString::fromUtf8(index.c_str()), false);
    sheet.RunCommand(ID_HELP_FINDER);
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last().text, "The help could not be shown: no web browser opened\n" +
                                        dir.file("help \xE9/index.html"));
}

// A report in an accented folder printed into a PDF file; a PDF that cannot be written says so.
TEST(SheetPrintTest, ReportPrintsToAPdfAndAFailedPrintSaysWhy)
{
    TempDir dir;
    const std::filesystem::path folder = dir.path() / "Pr\xC3\xBC" "fung \xC3\xA9";
    std::filesystem::create_directories(folder);
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "REPORT LINE " + std::to_string(i) + "\r\n";
    const std::string report = (folder / "t.mvr").string();
    WriteFile(report, text);

    NoOwner owner;
    sheettest::ShellSheet sheet("Test", &owner, 0, TestKind::Vehicle, "Exit?");
    platform::MessageRecorder messages;
    platform::ScriptedFileDialogs files;
    platform::ScriptedPrintDialogs printers;
    const std::string pdf = (folder / "t.pdf").string();
    files.answer(QString::fromUtf8(report.c_str()));
    printers.answerPdf(QString::fromUtf8(pdf.c_str()));
    sheet.PrintFileCommand();
    EXPECT_EQ(messages.count(), 0) << messages.last().text;
    const std::string bytes = ReadFile(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_NE(bytes.find("/Count 2"), std::string::npos) << "100 lines: two pages";

    files.answer(QString::fromUtf8(report.c_str()));
    printers.answerPdf(QString::fromUtf8((folder / "no such folder" / "t.pdf").c_str()));
    sheet.PrintFileCommand();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, "Nothing was printed: the PDF file " +
                                        (dir.path() / "Pr\xFC" "fung \xE9" / "no such folder" / "t.pdf").string() +
                                        " could not be written.");
    EXPECT_EQ(messages.last().caption, kAppTitle);
}

// With no printer installed the dialog offers a PDF file instead of an empty list.
TEST(SheetPrintTest, WithoutPrintersTheDialogOffersAPdfFile)
{
    QPrinter printer(QPrinter::HighResolution);
    const std::unique_ptr<QPrintDialog> dialog = platform::MakeQtPrintDialog(printer, false);
    EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    dialog->show();
    bool offered = false;
    for (const QComboBox* box : dialog->findChildren<QComboBox*>()) {
        for (int i = 0; i < box->count(); ++i)
            offered = offered || box->itemText(i).contains("PDF");
    }
    EXPECT_TRUE(offered);
    dialog->hide();

    QPrinter withPrinters(QPrinter::HighResolution);
    EXPECT_FALSE(platform::MakeQtPrintDialog(withPrinters, true)->testOption(QAbstractPrintDialog::PrintToFile));
}
