#include "platform/ui/SpinButton.h"

#include "platform/ui/Dialog.h"

#include <QToolButton>

#include <algorithm>

CSpinButtonCtrl::CSpinButtonCtrl(QWidget* parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down})
        b->setFocusPolicy(Qt::NoFocus);
    connect(m_up, &QToolButton::clicked, this, platform::AsUserAction([this] { Step(+1); }));
    connect(m_down, &QToolButton::clicked, this, platform::AsUserAction([this] { Step(-1); }));
}

void CSpinButtonCtrl::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    SetPos(m_pos);
}

void CSpinButtonCtrl::SetPos(int pos) { m_pos = std::clamp(pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper)); }

void CSpinButtonCtrl::Step(int delta)
{
    // The proposal is told also at the end of the range, where the position then stays.
    if (OnDeltaPos && OnDeltaPos(delta))
        return;
    SetPos(m_pos + delta);
}

void CSpinButtonCtrl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}
