#include "common/ui/CurveCheckPanel.h"

#include "common/ui/CurveInfoError.h"
#include "platform/Codec.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/WaitCursor.h"

CCurveCheckPanel::Host CCurveCheckPanel::RecordPageHost(CRecordPage& page, std::function<CurveCheckState()> state,
                                                        const bool& ready)
{
    CRecordPage* p = &page;
    const bool* isReady = &ready;
    return {std::move(state), [p] { return p->m_nRecordIndex; },
            [p](int channel) {
                // A finding may name a channel deleted since the check.
                if (channel >= 1 && channel <= p->m_nRecordCount)
                    p->m_nRecordIndex = channel;
                p->LoadRecord();
            },
            [p] { p->SaveRecord(); }, [isReady] { return *isReady; }, [p] { p->UpdateData(FALSE); }};
}

CCurveCheckPanel::CCurveCheckPanel(CDlgControls& page, Controls controls, Host host, Style style)
    : m_page(page), m_controls(controls), m_host(std::move(host)), m_style(style)
{
}

void CCurveCheckPanel::SetHint(const char* text)
{
    if (m_controls.hint)
        m_controls.hint->SetText(text);
}

void CCurveCheckPanel::PaintPoint(CNEdit* edit, bool agrees)
{
    if (!edit)
        return;
    QWidget* w = edit->GetWidget();
    if (w && !w->isEnabled())
        return;
    if (!agrees)
        edit->ShowInvalidColors();
    else if (edit->IsValid())
        edit->ShowNormalColors();
}

void CCurveCheckPanel::Connect()
{
    m_page.OnClicked(m_controls.checkButton, [this] { OnCheckCurve(); });
    m_page.OnClicked(m_controls.viewButton, [this] { OnViewCurve(); });
    m_page.OnClicked(m_controls.findNextButton, [this] { OnFindNextError(); });
    for (CNEdit* edit : {m_controls.firstPoint, m_controls.lastPoint, m_controls.timeStep}) {
        if (edit)
            QObject::connect(edit, &CNEdit::Changed, edit, [this] { RecheckChannelCurve(); });
    }
    if (CNEdit* hint = m_controls.hint) {
        QObject::connect(hint, &CNEdit::Changed, hint, [hint] {
            if (QWidget* line = hint->GetWidget())
                line->setToolTip(ToQString(hint->GetText()));
        });
    }
}

void CCurveCheckPanel::OnInitDialog()
{
    m_page.ShowDlgItem(m_controls.findNextButton, false);
    ShowCurveButtons(true);
    CurveCheckState state = m_host.state ? m_host.state() : CurveCheckState {};
    if (state.checked)
        *state.checked = false;
}

void CCurveCheckPanel::ShowCurveButtons(bool checkMode)
{
    m_page.ShowDlgItem(m_controls.checkButton, checkMode);
    m_page.ShowDlgItem(m_controls.viewButton, !checkMode);
    SetHint(checkMode ? kCheckModeHint : kViewModeHint);
    if (m_controls.hint)
        m_controls.hint->ShowAltColors();
}

void CCurveCheckPanel::OnCheckCurve()
{
    const CurveCheckState state = m_host.state ? m_host.state() : CurveCheckState {};
    if (!state.IsBound())
        return;
    *state.option = 1;
    CCurveReview review(state);
    if (!*state.checked) {
        bool found;
        {
            CWaitCursor wait;
            found = review.RunCheck();
        }
        if (found) {
            m_page.ShowDlgItem(m_controls.findNextButton, false);
            ShowCurveButtons(false);
            ShowRecordCurveError(m_host.shownChannel());
        }
    }
    if (!review.HasFindings()) {
        SetHint(kNoCurveFound);
        if (m_controls.hint)
            m_controls.hint->ShowNormalColors();
    } else if (FindNextCurveError(0)) {
        SetHint(kAllMatch);
        if (m_controls.hint)
            m_controls.hint->ShowNormalColors();
    }
}

void CCurveCheckPanel::OnViewCurve()
{
    const CurveCheckState state = m_host.state ? m_host.state() : CurveCheckState {};
    CCurveReview review(state);
    if (!review.HasResult())
        return;
    if (!review.HasFindings()) {
        m_page.ShowDlgItem(m_controls.viewButton, false);
        return;
    }
    CCurveInfoError dlg;
    dlg.SetErrorList(state.errors);
    dlg.DoModal();
}

bool CCurveCheckPanel::FindNextCurveError(int start)
{
    const CCurveReview review = Review();
    if (!review.HasResult())
        return false;
    const int position = review.FindNext(start);
    if (position < 0)
        return true;
    // A finding that names no channel is shown over the channel on screen.
    if (const int channel = review.ChannelOf(position); channel > 0)
        m_host.showChannel(channel);
    const CurveErrorRecord& record = *review.RecordAt(position);
    ShowCurveErrorText(position);
    PaintPoint(m_controls.firstPoint, record.m_bNfpOk);
    PaintPoint(m_controls.lastPoint, record.m_bNlpOk);
    PaintPoint(m_controls.timeStep, record.m_bDelOk);
    return false;
}

void CCurveCheckPanel::OnFindNextError()
{
    const CCurveReview review = Review();
    const int shown = m_host.shownChannel();
    if (m_host.saveShown)
        m_host.saveShown();
    if (review.IsOn() && FindNextCurveError(review.FindNextStart(shown))) {
        if (m_style.noErrorsOnNormal && m_controls.hint)
            m_controls.hint->ShowNormalColors();
        SetHint(kNoErrorsInRecords);
    }
    m_host.showChannel(m_host.shownChannel());
    m_page.ShowDlgItem(m_controls.findNextButton, false);
}

bool CCurveCheckPanel::ShowRecordCurveError(int channel)
{
    const CCurveReview review = Review();
    if (!review.IsOn())
        return true;
    if (!review.HasFindings()) {
        SetHint(kNoErrorInRecord);
        if (m_controls.hint)
            m_controls.hint->SetColors(m_style.noErrorText, m_style.noErrorBack);
        return true;
    }
    const int position = review.PositionOf(channel);
    const CurveErrorRecord* record = review.RecordAt(position);
    if (record && CCurveReview::HasFinding(*record)) {
        ShowCurveErrorText(position);
        PaintPoint(m_controls.firstPoint, record->m_bNfpOk);
        PaintPoint(m_controls.lastPoint, record->m_bNlpOk);
        PaintPoint(m_controls.timeStep, record->m_bDelOk);
        return !CCurveReview::IsMismatch(*record);
    }
    SetHint("");
    if (m_controls.hint)
        m_controls.hint->ShowNormalColors();
    PaintPoint(m_controls.firstPoint, true);
    PaintPoint(m_controls.lastPoint, true);
    PaintPoint(m_controls.timeStep, true);
    return true;
}

void CCurveCheckPanel::ShowCurveErrorText(int position)
{
    const CCurveReview review = Review();
    const CurveErrorRecord* record = review.RecordAt(position);
    const std::string text = record ? CCurveReview::FindingText(*record) : std::string();
    SetHint(text.c_str());
    if (!m_controls.hint)
        return;
    if (text.empty())
        m_controls.hint->ShowValidColors();
    else
        m_controls.hint->ShowInvalidColors();
}

void CCurveCheckPanel::RecheckChannelCurve()
{
    CCurveReview review = Review();
    if (!review.IsOn() || !m_host.ready() || !review.HasFindings())
        return;
    const int channel = m_host.shownChannel();
    auto text = [](const CNEdit* edit) { return edit ? edit->GetText() : CString(); };
    const int position =
        review.Recheck(channel, text(m_controls.firstPoint), text(m_controls.lastPoint), text(m_controls.timeStep));
    // A channel without a curve file has nothing to be compared with.
    if (position < 0)
        return;
    const CurveErrorRecord& record = *review.RecordAt(position);
    CNEdit* hint = m_controls.hint;
    if (!CCurveReview::IsMismatch(record)) {
        PaintPoint(m_controls.firstPoint, true);
        PaintPoint(m_controls.lastPoint, true);
        if (hint)
            hint->ShowNormalColors();
        m_page.ShowDlgItem(m_controls.findNextButton, true);
    } else if (hint) {
        if (hint->GetText().Find("Please click") >= 0)
            hint->ShowAltColors();
        else
            hint->ShowInvalidColors();
    }
    PaintPoint(m_controls.firstPoint, record.m_bNfpOk);
    PaintPoint(m_controls.lastPoint, record.m_bNlpOk);
    PaintPoint(m_controls.timeStep, record.m_bDelOk);
    const bool stillFaulty = !record.m_bNfpOk || !record.m_bNlpOk || !record.m_bDelOk;

    ShowCurveErrorText(position);
    if (hint && hint->GetText().IsEmpty() && channel < review.FindingCount()) {
        SetHint(kClickFindNext);
        hint->ShowAltColors();
    }
    if (m_host.writeControls)
        m_host.writeControls();
    if (m_host.saveShown)
        m_host.saveShown();
    if (stillFaulty)
        FindNextCurveError(position);
    m_host.showChannel(m_host.shownChannel());
}
