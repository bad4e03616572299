// The group stack of the attribute pane for one control.
#include "controls/dsp/dsp_control.h"

#include "controls/control_base.h"
#include "controls/dsp/dsp_attr_list.h"

#include <QFocusEvent>

QPointer<QWidget> CDspControl::s_lpFocusControl;

CDspControl::CDspControl(CControlBase* control, QRect* rect, UINT id, QWidget* parent)
    : CDspWnd(parent), m_pControl(control)
{
    s_lpFocusControl = nullptr;
    setFocusPolicy(Qt::ClickFocus);
    const QRect place = rect ? *rect : QRect();
    Create(QRect(place.x(), place.y(), place.width(), 0), parent, id);
    resize(width(), BuildStack(place.width()));
    if (rect)
        rect->setBottom(y() + height() - 1);
}

void CDspControl::ChangeDisplayControl(CControlBase* control)
{
    m_pControl = control;
    RecreateControl();
}

std::array<CAttrList*, CDspControl::GROUP_COUNT> CDspControl::GroupsOf(CControlBase* control) const
{
    if (!control)
        return {};
    return {control->GetLayoutAtttribute(), control->GetDisplayAtttribute(), control->GetCustomAtttribute(),
            control->GetDataAtttribute(), control->GetOtherAtttribute()};
}

int CDspControl::BuildStack(int width)
{
    const std::array<CAttrList*, GROUP_COUNT> groups = GroupsOf(m_pControl);
    int y = 0;
    for (int i = 0; i < GROUP_COUNT; ++i) {
        QRect place(0, y, width, 0);
        if (!m_pControl) {
            // Nothing is shown: the windows let go of the old control's attributes.
            if (m_groups[i]) {
                m_groups[i]->ChangeAttributesList(nullptr, &place);
                m_groups[i]->hide();
            }
            continue;
        }
        if (m_groups[i]) {
            m_groups[i]->ChangeAttributesList(groups[i], &place);
            m_groups[i]->show();
        } else {
            m_groups[i] = new CDspAttrList(groups[i], &place, m_uNextGroupID++, this);
            Listen(m_groups[i]);
        }
        y += m_groups[i]->height();
    }
    return y;
}

void CDspControl::RecreateControl()
{
    setUpdatesEnabled(false);
    resize(width(), BuildStack(width()));
    setUpdatesEnabled(true);
}

void CDspControl::OnAttributeChanged(int first, int second)
{
    emit AttributeChanged(first, second);
    if (first == 1)
        RecreateControl();
}

void CDspControl::focusInEvent(QFocusEvent* event)
{
    QWidget* editor = s_lpFocusControl.data();
    if (editor && editor->isVisible() && editor->isEnabled())
        editor->setFocus(event->reason());
}
