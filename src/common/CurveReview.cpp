#include "common/CurveReview.h"

#include <algorithm>

namespace {

// The channel values as the test has them: elements 0 .. count, so that curve files numbered
// past the last channel find no stale value left behind in a longer array.
CStringArray Channels(const CStringArray& values, int count)
{
    CStringArray copy;
    copy.SetSize(count + 1);
    for (int i = 1; i <= count; ++i)
        copy[i] = values.GetAt(i);
    return copy;
}

} // namespace

bool CCurveReview::RunCheck()
{
    if (!IsBound())
        return false;
    m_state.errors->clear();
    CCurveCheck check(m_state.testFilePath->str());
    if (check.CheckCurveFiles() < 1)
        return false;
    const int count = std::max(0, *m_state.channelCount);
    CStringArray first = Channels(*m_state.firstPoint, count);
    CStringArray last = Channels(*m_state.lastPoint, count);
    CStringArray step = Channels(*m_state.timeStep, count);
    check.MergeChannelInfo(first, last, step);

    std::vector<CurveErrorRecord>& records = check.GetErrorRecords();
    for (CurveErrorRecord& record : records) {
        if ((record.m_nCurveNo < 1 || record.m_nCurveNo > count) && record.m_strError.empty())
            record.m_strError = kNoChannelText;
    }
    *m_state.columnCount = check.GetCheckCount();
    *m_state.errors = records;
    *m_state.channelIndex = check.GetChannelIndex();
    if (m_state.channelInfoMerged)
        *m_state.channelInfoMerged = check.HasChannelInfo();
    *m_state.checked = true;
    return true;
}

int CCurveReview::PositionOf(int channel) const
{
    if (!IsBound() || channel < 1 || channel >= static_cast<int>(m_state.channelIndex->size()))
        return -1;
    const int position = (*m_state.channelIndex)[static_cast<size_t>(channel)];
    return position < static_cast<int>(m_state.errors->size()) ? std::max(position, -1) : -1;
}

const CurveErrorRecord* CCurveReview::RecordAt(int position) const
{
    if (!IsBound() || position < 0 || position >= static_cast<int>(m_state.errors->size()))
        return nullptr;
    return &(*m_state.errors)[static_cast<size_t>(position)];
}

int CCurveReview::ChannelOf(int position) const
{
    const CurveErrorRecord* record = RecordAt(position);
    if (!record)
        return 0;
    // Only a channel that still points at this finding is its channel.
    return PositionOf(record->m_nCurveNo) == position ? record->m_nCurveNo : 0;
}

bool CCurveReview::HasFinding(const CurveErrorRecord& record)
{
    return !record.m_strNote.empty() || !record.m_strError.empty();
}

const std::string& CCurveReview::FindingText(const CurveErrorRecord& record)
{
    return record.m_strNote.empty() ? record.m_strError : record.m_strNote;
}

int CCurveReview::FindNext(int start) const
{
    if (!HasResult())
        return -1;
    const std::vector<CurveErrorRecord>& records = *m_state.errors;
    for (size_t i = static_cast<size_t>(std::max(start, 0)); i < records.size(); ++i) {
        if (HasFinding(records[i]))
            return static_cast<int>(i);
    }
    return -1;
}

int CCurveReview::FindNextStart(int channel) const
{
    const int position = PositionOf(channel);
    if (position < 0)
        return 0;
    return IsMismatch(*RecordAt(position)) ? position : position + 1;
}

int CCurveReview::Recheck(int channel, const CString& first, const CString& last, const CString& step)
{
    if (!IsBound() || channel < 1)
        return -1;
    m_state.firstPoint->SetAtGrow(channel, first);
    m_state.lastPoint->SetAtGrow(channel, last);
    m_state.timeStep->SetAtGrow(channel, step);
    const int position = PositionOf(channel);
    if (position < 0)
        return -1;
    CCurveCheck check;
    check.SetCheckCount(*m_state.columnCount);
    check.SetRecordChannelInfo(position, *m_state.errors, first, last, step);
    return position;
}
