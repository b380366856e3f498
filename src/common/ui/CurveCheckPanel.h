#pragma once
// The curve-check controls of an instrumentation page: the check and view buttons (one place,
// one shown), "Find next error", the hint line, and the colours of the First Point, Last Point
// and Time Increment fields while a channel disagrees with its curve file. Everything is told
// through the hint line; no message box is shown.
//
// The page hands over its controls, how to reach and show a channel, and its data object's
// curve-check members; the pages differ only in the style below.

#include "common/CurveReview.h"
#include "common/ui/NEdit.h"
#include "platform/ui/Colors.h"

#include <functional>

class CDlgControls;
class CRecordPage;

class CCurveCheckPanel {
public:
    // The hint line's texts, as the pages show them.
    static constexpr const char* kCheckModeHint = "Please click the left button to check curve related errors";
    static constexpr const char* kViewModeHint = "Please click the left button to view curve related data";
    static constexpr const char* kNoCurveFound = "No curve found!";
    static constexpr const char* kAllMatch =
        "Curve data is in proper format and matches Instrumentation Info. Congratulations!";
    static constexpr const char* kNoErrorInRecord = "No curve info error found in this record";
    static constexpr const char* kNoErrorsInRecords = "No curve related error found in Instrumentation records";
    static constexpr const char* kClickFindNext = "Click button: 'Find next error'";

    struct Style {
        // Colours of "No curve info error found in this record".
        COLORREF noErrorText = CNEdit::kRed;
        COLORREF noErrorBack = CNEdit::kLightGreen;
        // "No curve related error found in Instrumentation records" is put on normal colours.
        bool noErrorsOnNormal = true;
    };
    // Red on light green, the last finding on normal colours.
    static Style RedOnGreenStyle() { return {}; }
    // Black on silver grey, the hint line's colours left as they are.
    static Style GreyStyle() { return {CNEdit::kBlack, RGB(192, 192, 192), false}; }

    struct Controls {
        CNEdit* hint = nullptr;
        int checkButton = 0;
        int viewButton = 0;
        int findNextButton = 0;
        CNEdit* firstPoint = nullptr;
        CNEdit* lastPoint = nullptr;
        CNEdit* timeStep = nullptr;
    };

    struct Host {
        std::function<CurveCheckState()> state; // the data object's members; unbound without data
        std::function<int()> shownChannel;      // 1-based; 0: none
        std::function<void(int)> showChannel;   // make the channel current and load it
        // Keeps what is typed on the shown channel before the user's own step to another channel
        // or a reload (never on entering the page, whose controls may be stale).
        std::function<void()> saveShown;
        std::function<bool()> ready;            // false while the page fills its controls
        std::function<void()> writeControls;    // members into controls
    };

    // The host of a page that shows one channel a record: `ready` is the page's flag that is false
    // while it fills its controls.
    static Host RecordPageHost(CRecordPage& page, std::function<CurveCheckState()> state, const bool& ready);

    CCurveCheckPanel(CDlgControls& page, Controls controls, Host host, Style style);

    // Once the page has its controls: the three buttons run their commands, a change of a point
    // field rechecks the shown channel, and the hint line's whole text is its tip (a finding can
    // be longer than the line). The record list's selection stays the page's to connect.
    void Connect();
    // Dialog initialisation: check mode, "Find next error" hidden, a fresh check due.
    void OnInitDialog();
    // Check mode shows the check button; view mode the view button.
    void ShowCurveButtons(bool checkMode);
    void OnCheckCurve();
    void OnViewCurve();
    void OnFindNextError();
    // Shows the channel's finding. False only for a mismatch the user has to correct; a fault
    // of the curve file itself is shown but does not make the channel invalid.
    bool ShowRecordCurveError(int channel);
    // Shows the first finding at or after `start`: true when there is none.
    bool FindNextCurveError(int start);
    // After First Point, Last Point or Time Increment changed.
    void RecheckChannelCurve();
    void ShowCurveErrorText(int position);

    CCurveReview Review() const { return CCurveReview(m_host.state ? m_host.state() : CurveCheckState {}); }

private:
    void SetHint(const char* text);
    // A point field in normal colours when it agrees with the curve file, else invalid. A field
    // that fails its own check, or a disabled one, keeps its colours.
    static void PaintPoint(CNEdit* edit, bool agrees);

    CDlgControls& m_page;
    Controls m_controls;
    Host m_host;
    Style m_style;
};
