// Drawing of a control into the screen's design surface.
#include "controls/control_base.h"

#include "controls/global_draw.h"
#include "controls/screen_base.h"

#include "comkit/gui_ex_dc.h"

#include <algorithm>
#include <string>

using COM_GUI_EX::CGUIEXDC;

namespace {

constexpr DWORD BLACK = 0x000000;
constexpr DWORD WHITE = 0xFFFFFF;
constexpr int MAX_DRAW_SIDE = 4096;

// Zoomed coordinates truncate toward zero. They are held to +-2^28, far outside any surface, so
// the sums of a few of them below never overflow.
constexpr double ZOOM_LIMIT = double(1 << 28);
int Zoom(double zoom, int v)
{
    const double zoomed = zoom * v;
    if (!(zoomed > -ZOOM_LIMIT)) // also NaN
        return -int(ZOOM_LIMIT);
    return zoomed < ZOOM_LIMIT ? int(zoomed) : int(ZOOM_LIMIT);
}

} // namespace

void CControlBase::Draw(CGUIEXDC* target)
{
    if (!target)
        return;
    const int x = GetXInScreen();
    const int y = GetYInScreen();
    // A loaded control always fits its panel (at most a few thousand pixels); the clamp keeps
    // a control of a screen without a panel model from asking for an unbounded surface.
    const int w = std::min(GetWidth(), MAX_DRAW_SIDE) + 1;
    const int h = std::min(GetHeight(), MAX_DRAW_SIDE) + 1;
    const double zoom = m_pScreen->GetScreenZoomRate();

    CGUIEXDC surface(target, w, h);
    surface.Clear(WHITE);
    PreviousDraw(&surface);
    DrawObject(&surface);
    AfterDraw(&surface);

    const int zx = Zoom(zoom, x), zy = Zoom(zoom, y);
    if (CGlobalDraw::GetInstance()->CheckBackColorBlue()) {
        CGUIEXDC inverted(target, w, h);
        inverted.Clear(WHITE);
        inverted.CopyInverted(&surface);
        target->StretchTransparent(zx, zy, Zoom(zoom, w), Zoom(zoom, h), &inverted, BLACK);
    } else {
        target->StretchAnd(zx, zy, Zoom(zoom, w), Zoom(zoom, h), &surface);
    }

    if (GetSelected())
        DrawSelectedHandles(target);
    if (m_nDrawOrderID > 0)
        DrawOrderIndex(target);
}

void CControlBase::PreviousDraw(CGUIEXDC* dc)
{
    if (GetInvertColor())
        dc->FillRectangle(0, 0, GetWidth(), GetHeight(), BLACK);
}

void CControlBase::DrawObject(CGUIEXDC*)
{
}

void CControlBase::AfterDraw(CGUIEXDC*)
{
}

void CControlBase::DrawSelectedHandles(CGUIEXDC* target)
{
    const CGUIEXDC* handles = m_pScreen->GetSelectedRectangle();
    if (!handles)
        return;
    const double zoom = m_pScreen->GetScreenZoomRate();
    const int n = SELECTED_RECT_LEN;
    const int zx = Zoom(zoom, GetXInScreen()), zy = Zoom(zoom, GetYInScreen());
    const int zw = Zoom(zoom, GetWidth()), zh = Zoom(zoom, GetHeight());
    const int mx = zx + ((zw - n) >> 1), my = zy + ((zh - n) >> 1);
    const int sx = GetMultipleSelectedType() < 2 ? 0 : n;
    const int spots[8][2] = {{zx - n, zy - n}, {mx, zy - n},      {zx + zw, zy - n}, {zx - n, my},
                             {zx + zw, my},    {zx - n, zy + zh}, {mx, zy + zh},     {zx + zw, zy + zh}};
    for (const auto& spot : spots)
        target->BitCopy(spot[0], spot[1], n, n, handles, sx, 0);
}

void CControlBase::DrawOrderIndex(CGUIEXDC* target)
{
    const CGUIEXDC* badge = m_pScreen->GetOrderIndexRectangle();
    if (!badge)
        return;
    const double zoom = m_pScreen->GetScreenZoomRate();
    const int bx = Zoom(zoom, GetXInScreen()) - 2, by = Zoom(zoom, GetYInScreen()) - 2;
    const int side = CScreenBase::ORDER_MARK_SIZE;
    target->BitCopy(bx, by, side, side, badge, 0, 0);
    const QRect box(bx, by, side, side);
    target->SetCurrentBrush(BLACK);
    target->DrawString(std::to_string(m_nDrawOrderID).c_str(), &box, 0);
}
