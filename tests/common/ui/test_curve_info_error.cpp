#include "common/ui/CurveInfoError.h"
#include "doubles/ScriptedDialogs.h"

#include <QFontMetrics>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::vector<CurveErrorRecord> Records()
{
    std::vector<CurveErrorRecord> records(3);
    // A one-column file compared with the test file.
    records[0].m_nCurveNo = 1;
    records[0].m_nTestNlp = 998;
    records[0].m_nTestTotal = 999;
    records[0].m_nCurveNlp = 999;
    records[0].m_nCurveTotal = 1000;
    records[0].m_strNote = "Hint: NLP = 999";
    // A two-column file with points before time zero.
    records[1].m_nCurveNo = 12;
    records[1].m_nCurveNfp = -2;
    records[1].m_nCurveNlp = 0;
    records[1].m_nCurveDel = 1000;
    records[1].m_nTestNfp = -2;
    records[1].m_nTestDel = 100;
    // An unreadable file.
    records[2].m_strError = "Curve data file is bad or not exist";
    return records;
}

QStringList Row(CListCtrlEx* list, int row)
{
    QStringList cells;
    for (int c = 0; c < list->GetColumnCount(); ++c)
        cells << QString::fromLatin1(list->GetItemText(row, c).GetString());
    return cells;
}

} // namespace

TEST(CurveInfoErrorTest, ListsEveryRecordAndEnterKeepsItOpen)
{
    std::vector<CurveErrorRecord> records = Records();
    platform::ScriptedDialogs script;
    script.then([](CDialog& dialog) {
        auto& dlg = static_cast<CCurveInfoError&>(dialog);
        CListCtrlEx* list = dlg.m_listErrors;
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->GetColumnCount(), 11);
        ASSERT_EQ(list->GetItemCount(), 3);
        const QStringList headings {"curno",     "nfp(mv5)",   "nfp(curve)",   "nlp(mv5)", "nlp(curve)", "total(mv5)",
                                    "total(curve)", "del(mv5)", "del(curve)"};
        const QFontMetrics fm(list->font());
        for (int c = 0; c < headings.size(); ++c) {
            EXPECT_EQ(list->model()->headerData(c, Qt::Horizontal).toString(), headings[c]);
            EXPECT_EQ(list->columnWidth(c), fm.horizontalAdvance(headings[c]) + 15);
        }
        const QString note = list->model()->headerData(9, Qt::Horizontal).toString();
        EXPECT_EQ(note, QString(32, ' ') + "Note" + QString(32, ' '));
        EXPECT_EQ(list->model()->headerData(10, Qt::Horizontal).toString().size(), 68);
        EXPECT_EQ(Row(list, 0), (QStringList {"1", "0", "-", "998", "999", "999", "1000", "0", "-", "Hint: NLP = 999", ""}));
        EXPECT_EQ(Row(list, 1), (QStringList {"12", "-2", "-2", "0", "-", "0", "0", "100", "1000", "", ""}));
        EXPECT_EQ(Row(list, 2), (QStringList {"0", "0", "-", "0", "-", "0", "0", "0", "-", "",
                                              "Curve data file is bad or not exist"}));

        QTest::keyClick(&dlg, Qt::Key_Return);
        EXPECT_LT(dlg.GetModalResult(), 0) << "Enter does not close the list";
        dlg.close();
        EXPECT_EQ(dlg.GetModalResult(), IDCANCEL);
    });
    CCurveInfoError dlg;
    dlg.SetErrorList(&records);
    dlg.DoModal();
    EXPECT_EQ(dlg.windowTitle(),
              "Numbers of First (nfp), Last (nlp), Time-Interval (delt) & Total point in Mv5 INST and its curve");

    // Filling again shows the same rows under the same columns.
    dlg.FillList();
    EXPECT_EQ(dlg.m_listErrors->GetColumnCount(), 11);
    EXPECT_EQ(dlg.m_listErrors->GetItemCount(), 3);
}
