#pragma once
// Reviewing a test's channels against its curve files: the full check of the folder, the walk
// from one finding to the next, and the recheck of one channel while its points are corrected.
// The vehicle, biomechanics and component instrumentation pages share it; each data object hands
// over its own members through CurveCheckState.
//
// Positions index the stored findings; channels are 1-based record numbers of the test. No
// operation reads outside the findings, the channel index or the channel arrays: a channel
// without a curve file, one added after the check, or a curve file that names no channel of the
// test simply has no counterpart.

#include "common/CurveCheck.h"
#include "platform/CString.h"

#include <string>
#include <vector>

// A data object's curve-check members and the channel values they are compared with.
struct CurveCheckState {
    int* option = nullptr;        // non-zero while checking is on for the loaded test
    bool* checked = nullptr;      // the checker ran with a result since the last load
    const CString* testFilePath = nullptr;
    std::vector<CurveErrorRecord>* errors = nullptr;
    std::vector<int>* channelIndex = nullptr; // channel -> position in errors, -1 for none
    int* columnCount = nullptr;   // data columns of the curve files, for a later recheck
    CStringArray* firstPoint = nullptr;
    CStringArray* lastPoint = nullptr;
    CStringArray* timeStep = nullptr;
    const int* channelCount = nullptr;
    bool* channelInfoMerged = nullptr; // optional

    bool IsBound() const
    {
        return option && checked && testFilePath && errors && channelIndex && columnCount && firstPoint &&
               lastPoint && timeStep && channelCount;
    }
};

// The state of a data object whose channels are InstrumentationArrays counted by m_nCurveCount;
// the option and the column count are the kind's own.
template <class Data> CurveCheckState ChannelCurveState(Data& d, int& option, int& columns)
{
    return CurveCheckState {&option,
                            &d.m_bCurvesChecked,
                            &d.m_strCurvePath,
                            &d.m_vCurveErrors,
                            &d.m_vCurveChannelIndex,
                            &columns,
                            &d.m_saInstFirstPoint,
                            &d.m_saInstLastPoint,
                            &d.m_saInstTimeIncrement,
                            &d.m_nCurveCount,
                            nullptr};
}

class CCurveReview {
public:
    // Shown for a curve file whose number is no channel of the test: nothing to compare it with,
    // and nothing in the test that editing could change.
    static constexpr const char* kNoChannelText = "No Instrumentation record for this curve";

    explicit CCurveReview(const CurveCheckState& state) : m_state(state) {}

    bool IsBound() const { return m_state.IsBound(); }
    bool IsOn() const { return IsBound() && *m_state.option != 0; }
    // Checking is on and a check has stored its findings.
    bool HasResult() const { return IsOn() && *m_state.checked; }
    bool HasFindings() const { return IsBound() && !m_state.errors->empty(); }
    int FindingCount() const { return IsBound() ? static_cast<int>(m_state.errors->size()) : 0; }

    // Empties the stored findings and checks every curve file beside the test file against the
    // channels. False when there is no curve file: nothing else is stored then, so the next
    // request scans again.
    bool RunCheck();

    // The finding of a channel's curve file; -1 when it has none.
    int PositionOf(int channel) const;
    const CurveErrorRecord* RecordAt(int position) const;
    // The channel a finding belongs to; 0 when its curve names no channel of the test.
    int ChannelOf(int position) const;

    // A finding worth showing: a mismatch with the channel or a fault of the curve file.
    static bool HasFinding(const CurveErrorRecord& record);
    // A mismatch the user can clear by editing the channel; only this makes a channel invalid.
    static bool IsMismatch(const CurveErrorRecord& record) { return !record.m_strNote.empty(); }
    // The mismatch, or the curve file's fault when there is no mismatch.
    static const std::string& FindingText(const CurveErrorRecord& record);

    // The first finding at or after `start`; -1 when none follows (or checking is off or has
    // not run).
    int FindNext(int start) const;
    // Where "Find next error" on a channel starts: at the channel's own finding, so a mismatch
    // still open is found again; past it when only the curve file's own fault is left, which no
    // editing clears; at the first finding for a channel without one.
    int FindNextStart(int channel) const;

    // Stores the three texts as the channel's first point, last point and time step and compares
    // them again with its curve file. The position of the recomputed finding; -1 when the
    // channel has no curve file, and nothing is recomputed.
    int Recheck(int channel, const CString& first, const CString& last, const CString& step);

private:
    CurveCheckState m_state;
};
