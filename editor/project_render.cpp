#include "editor/project_render.h"

#include "comkit/gui_ex_dc.h"
#include "comkit/message_text.h"
#include "comkit/whole_file.h"
#include "controls/global_draw.h"
#include "controls/screen_base.h"
#include "editor/project_file.h"

#include <QBuffer>

QImage CProjectRender::RenderScreen(CScreenBase* screen, double zoom)
{
    COM_GUI_EX::CGUI_EX_Global::Start(); // the input-order badges draw text
    const double oldZoom = screen->GetScreenZoomRate();
    const int oldX = screen->GetScreenX(), oldY = screen->GetScreenY();
    screen->SetScreenZoomRate(zoom);
    screen->SetScreenX(0);
    screen->SetScreenY(0);
    COM_GUI_EX::CGUIEXDC surface(screen->GetDrawScreenWidth(), screen->GetDrawScreenHeight());
    surface.Clear(CGlobalDraw::GetInstance()->GetBackColor());
    screen->DrawControls(&surface);
    screen->SetScreenZoomRate(oldZoom);
    screen->SetScreenX(oldX);
    screen->SetScreenY(oldY);
    return surface.GetDC()->copy();
}

bool CProjectRender::WritePng(const QImage& image, const std::string& path, std::string& error)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        error = COMMON_EX::TrArgs("Files", QT_TRANSLATE_NOOP("Files", "cannot encode the image of %1 as PNG"), {path});
        return false;
    }
    return COMMON_EX::WriteWholeFile(path, png.constData(), static_cast<size_t>(png.size()), error);
}
