// Selection by mouse on the design view: clicks with ctrl and shift, the rubber band, dragging and
// copy-dragging, and the register input order set by clicks. Design pixels relate to panel pixels
// through the screen's zoom z.
#include "controls/screen_base.h"

#include "controls/control_base.h"

#include <algorithm>
#include <cmath>

namespace {

// Design coordinates far beyond any surface are held here, so the conversions stay in range.
constexpr double COORD_LIMIT = 1e9;

// Truncation toward zero.
int Trunc(double v)
{
    if (std::isnan(v))
        return 0;
    return int(std::max(-COORD_LIMIT, std::min(COORD_LIMIT, v)));
}

// Adds 0.5 and truncates toward zero.
int Round(double v)
{
    return Trunc(v + 0.5);
}

// A zoom that can divide: a damaged record may hold 0, a negative value or NaN.
double UsableZoom(double zoom)
{
    return std::isfinite(zoom) && zoom > 0 ? zoom : CScreenBase::DEFAULT_ZOOM_RATE;
}

void Unite(QRect* invalid, const QRect& rect)
{
    if (invalid)
        *invalid = invalid->united(rect);
}

QRect FrameOf(const CControlBase* control)
{
    QRect frame;
    control->GetControlFrameRect(frame);
    return frame;
}

QRect RectOf(const CControlBase* control)
{
    QRect rect;
    control->GetControlRect(rect);
    return rect;
}

} // namespace

QPoint CScreenBase::DesignToScreen(const QPoint& point) const
{
    const double z = UsableZoom(m_dZoomRate);
    return QPoint(Round((point.x() - 1) / z) + 1, Round((point.y() - 1) / z) + 1);
}

void CScreenBase::PlaceFromRect(CControlBase* control, const QRect& rect) const
{
    const double z = UsableZoom(m_dZoomRate);
    control->SetX(Trunc((rect.x() - 1) / z));
    control->SetY(Trunc((rect.y() - 1) / z));
}

CControlBase* CScreenBase::HitControl(const QPoint& screenPoint, bool registersOnly) const
{
    for (ControlList::Node* n = m_listLayout.GetTail(); n; n = n->pPrev) {
        if (registersOnly && n->pItem->GetControlType() != CControlBase::CONTROL_REGISTER)
            continue;
        if (RectOf(n->pItem).contains(screenPoint))
            return n->pItem;
    }
    return nullptr;
}

CControlBase* CScreenBase::GetCurrentSelectControl() const
{
    return m_listSelected.GetCount() == 1 ? m_listSelected.GetHead()->pItem : nullptr;
}

int CScreenBase::GetSelectedControlIndex() const
{
    if (m_listSelected.IsEmpty())
        return -1;
    if (m_listSelected.GetCount() > 1)
        return -2;
    int index = 0;
    for (ControlList::Node* n = m_listLayout.GetHead(); n; n = n->pNext, ++index)
        if (n->pItem == m_listSelected.GetHead()->pItem)
            return index;
    return -1;
}

void CScreenBase::ResetMultiSelectedControlStatus(QRect* invalid)
{
    ControlList::Node* last = m_listSelected.GetTail();
    if (!last)
        return;
    if (m_listSelected.GetCount() == 1) {
        last->pItem->SetMultipleSelectedType(0);
        Unite(invalid, FrameOf(last->pItem));
        return;
    }
    last->pItem->SetMultipleSelectedType(1);
    last->pPrev->pItem->SetMultipleSelectedType(2);
    Unite(invalid, FrameOf(last->pItem));
    Unite(invalid, FrameOf(last->pPrev->pItem));
}

int CScreenBase::SetControlsAllNotSelected(QRect* invalid)
{
    const bool any = !m_listSelected.IsEmpty();
    for (ControlList::Node* n = m_listSelected.GetHead(); n; n = n->pNext) {
        n->pItem->SetSelected(0);
        n->pItem->SetMultipleSelectedType(0);
        Unite(invalid, FrameOf(n->pItem));
    }
    RemoveAll(m_listSelected);
    return any;
}

int CScreenBase::SelectControlByLayoutIndex(int index, QRect* invalid)
{
    ControlList::Node* n = m_listLayout.GetHead();
    for (int i = 0; n && i < index; ++i)
        n = n->pNext;
    if (!n || index < 0)
        return 0;
    CControlBase* control = n->pItem;
    QRect area;
    SetControlsAllNotSelected(&area);
    Unite(&area, FrameOf(control));
    control->SetSelected(1);
    control->SetMultipleSelectedType(0);
    m_listSelected.AddTail(control);
    Unite(invalid, area);
    return 1;
}

int CScreenBase::MouseDown(int ctrl, int shift, const QPoint& point, QRect* invalid)
{
    CControlBase* control = HitControl(DesignToScreen(point), false);
    if (!control)
        return 0;
    const bool wasSelected = control->GetSelected() != 0;
    bool select = true;
    bool listed = false;
    if (shift) {
        select = !wasSelected;
        listed = wasSelected;
    } else if (ctrl) {
        listed = wasSelected;
    } else if (wasSelected) {
        // The start of a drag of the current selection.
        Unite(invalid, FrameOf(control));
        return 1;
    } else {
        SetControlsAllNotSelected(invalid);
    }
    control->SetSelected(select);
    if (listed)
        RemoveFrom(m_listSelected, control);
    if (select)
        m_listSelected.AddTail(control);
    else
        control->SetMultipleSelectedType(0);
    Unite(invalid, FrameOf(control));
    ResetMultiSelectedControlStatus(invalid);
    return 1;
}

int CScreenBase::MouseUp(int ctrl, int shift, const QPoint& point, QRect* invalid)
{
    if (ctrl || shift)
        return 0;
    const QPoint at = DesignToScreen(point);
    for (CControlBase* control : Items(m_listSelected)) {
        Unite(invalid, FrameOf(control));
        control->SetMultipleSelectedType(0);
        if (!RectOf(control).contains(at)) {
            control->SetSelected(0);
            RemoveFrom(m_listSelected, control);
        }
    }
    return 1;
}

int CScreenBase::RightClicked(const QPoint& point)
{
    const QPoint at = DesignToScreen(point);
    for (ControlList::Node* n = m_listSelected.GetHead(); n; n = n->pNext)
        if (RectOf(n->pItem).contains(at))
            return 1;
    SetControlsAllNotSelected(nullptr);
    return 0;
}

int CScreenBase::SelectedCtlWithRectanglesChange(int shift, const QRect* band)
{
    if (!band)
        return m_listSelected.GetCount();
    const double z = UsableZoom(m_dZoomRate);
    auto convert = [z](int e) { return Trunc((e - 1) / z + 1); };
    // Edges of the band in either drag direction (right and bottom exclusive).
    const int x1 = band->x(), x2 = band->x() + band->width();
    const int y1 = band->y(), y2 = band->y() + band->height();
    const int left = convert(std::min(x1, x2)), right = convert(std::max(x1, x2));
    const int top = convert(std::min(y1, y2)), bottom = convert(std::max(y1, y2));
    const QRect area(left, top, right - left, bottom - top);

    const int before = m_listSelected.GetCount();
    if (!shift)
        SetControlsAllNotSelected(nullptr);
    else if (before > 0)
        m_listSelected.GetTail()->pItem->SetMultipleSelectedType(2);

    for (ControlList::Node* n = m_listLayout.GetHead(); n; n = n->pNext) {
        CControlBase* control = n->pItem;
        if (!RectOf(control).intersects(area))
            continue;
        if (shift && before > 0 && RemoveFrom(m_listSelected, control)) {
            control->SetSelected(0);
            control->SetMultipleSelectedType(0);
        } else {
            control->SetSelected(1);
            control->SetMultipleSelectedType(2);
            m_listSelected.AddTail(control);
        }
    }
    ResetMultiSelectedControlStatus(nullptr);
    return m_listSelected.GetCount();
}

int CScreenBase::GetSelectedCtlRectangles(RectList& rects, QRect* bound)
{
    const double z = UsableZoom(m_dZoomRate);
    RectList::Node* slot = rects.GetHead();
    QRect all;
    for (ControlList::Node* n = m_listSelected.GetHead(); n; n = n->pNext) {
        const QRect r = RectOf(n->pItem);
        const int left = Round(z * r.x()), top = Round(z * r.y());
        const QRect zoomed(left, top, Round(z * (r.x() + r.width())) - left, Round(z * (r.y() + r.height())) - top);
        if (!slot)
            rects.AddTail(new QRect(zoomed));
        else if (!slot->pItem)
            slot->pItem = new QRect(zoomed);
        else
            *slot->pItem = zoomed;
        if (slot)
            slot = slot->pNext;
        all = all.united(zoomed);
    }
    if (bound)
        *bound = all;
    return m_listSelected.GetCount();
}

int CScreenBase::SelectedCtlRectanglesChange(RectList& rects)
{
    int moved = 0;
    RectList::Node* slot = rects.GetHead();
    for (ControlList::Node* n = m_listSelected.GetHead(); n && slot; n = n->pNext, slot = slot->pNext)
        if (slot->pItem) {
            PlaceFromRect(n->pItem, *slot->pItem);
            ++moved;
        }
    return moved;
}

int CScreenBase::CopySelectedCtlToMovedRectanglesChange(RectList& rects)
{
    std::vector<CControlBase*> copies;
    RectList::Node* slot = rects.GetHead();
    for (ControlList::Node* n = m_listSelected.GetHead(); n && slot; n = n->pNext, slot = slot->pNext) {
        CControlBase* copy = slot->pItem ? n->pItem->Clone(this, 1) : nullptr;
        if (!copy)
            continue;
        PlaceFromRect(copy, *slot->pItem);
        copy->SetSelected(1);
        copy->SetMultipleSelectedType(slot->pNext ? 2 : 1);
        m_listControls.AddTail(copy);
        m_listLayout.AddTail(copy);
        copies.push_back(copy);
    }
    for (ControlList::Node* n = m_listSelected.GetHead(); n; n = n->pNext) {
        n->pItem->SetSelected(0);
        n->pItem->SetMultipleSelectedType(0);
    }
    RemoveAll(m_listSelected);
    for (CControlBase* copy : copies)
        m_listSelected.AddTail(copy);
    return int(copies.size());
}

int CScreenBase::ClickControlChangOrder(const QPoint& point, int& counter)
{
    CControlBase* clicked = HitControl(DesignToScreen(point), true);
    if (!clicked)
        return 0;
    std::vector<CControlBase*> order = Items(m_listLayout);
    const int k = std::max(counter, 0);
    CControlBase* atCounter = k < int(order.size()) ? order[size_t(k)] : nullptr;
    if (clicked != atCounter) {
        order.erase(std::find(order.begin(), order.end(), clicked));
        order.insert(order.begin() + std::min(k, int(order.size())), clicked);
        ReplaceLayout(order);
    }
    counter = k + 1;
    if (SetRegisterOrderNow(1) < counter)
        counter = 0;
    NumberLevelsByLayout();
    return 1;
}
