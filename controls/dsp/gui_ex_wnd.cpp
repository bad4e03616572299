// Painting contract of the owner-drawn design windows.
#include "controls/dsp/gui_ex_wnd.h"

#include <QPainter>

namespace COM_GUI_EX {

CGUIEXWnd::CGUIEXWnd(QWidget* parent) : QWidget(parent)
{
    // The surface covers every pixel, so the background is never erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CGUIEXWnd::Create(const QRect& rect, QWidget* parent, UINT id)
{
    if (!parent)
        return false;
    if (parentWidget() != parent)
        setParent(parent);
    m_uID = id;
    setGeometry(rect);
    show();
    return true;
}

void CGUIEXWnd::DrawWnd(CGUIEXDC*, const QRect&)
{
}

void CGUIEXWnd::paintEvent(QPaintEvent*)
{
    const QRect client = rect();
    CGUIEXDC dc(client.width(), client.height());
    dc.Clear(0xFFFFFF);
    DrawWnd(&dc, client);
    QPainter painter(this);
    dc.CopyBack(&painter);
}

} // namespace COM_GUI_EX
