#pragma once
// The up-down control beside a number field: its two arrows propose a change of its position by
// +1 (up) or -1 (down). The owner hears of the proposal before the change (the "delta position"
// notification) and may refuse it; otherwise the position moves within the range.

#include <QWidget>

#include <functional>

class QToolButton;

class CSpinButtonCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CSpinButtonCtrl(QWidget* parent = nullptr);

    void SetRange(int lower, int upper);
    int GetLower() const { return m_lower; }
    int GetUpper() const { return m_upper; }
    void SetPos(int pos);
    void EnableWindow(bool enable) { setEnabled(enable); }

    // The proposal of one arrow; returns true to refuse the change.
    std::function<bool(int delta)> OnDeltaPos;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(int delta);

    QToolButton* m_up;
    QToolButton* m_down;
    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
};
