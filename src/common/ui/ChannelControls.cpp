#include "common/ui/ChannelControls.h"

#include "platform/ui/PropertySheet.h"

CChannelControls::CChannelControls(CRecordPage& page, Ids ids, CCurveCheckPanel::Controls curveControls,
                                   std::function<CurveCheckState()> state, const bool& ready,
                                   CCurveCheckPanel::Style style)
    : date(page, ids.picker)
    , curves(page, curveControls, CCurveCheckPanel::RecordPageHost(page, std::move(state), ready), style)
    , m_page(page)
    , m_recordList(ids.recordList)
{
}

void CChannelControls::OnInitDialog(CNEdit& dateEdit, std::function<CStringArray*()> dates,
                                    std::function<void()> judge)
{
    date.Init(dateEdit, std::move(dates), m_page.m_nRecordIndex);
    curves.Connect();
    m_page.OnSelChange(m_recordList, [this, judge = std::move(judge)] {
        curves.ShowRecordCurveError(m_page.m_nRecordIndex);
        judge();
    });
    curves.OnInitDialog();
}
