#include "emulator/panel_snapshot.h"

#include "editor/project_render.h"
#include "emulator/panel_display.h"

#include <QPainter>

namespace {

constexpr QRgb PIXEL_ON = 0xFF000000;
constexpr QRgb PIXEL_OFF = 0xFFFFFFFF;
constexpr QRgb LCD_ON = 0xFF1A2A12;
constexpr QRgb LCD_OFF = 0xFFB4D88C;
constexpr QRgb LCD_GRID = 0xFFA6CA80;
constexpr QRgb DIM_ON = 0xFF30382C;
constexpr QRgb DIM_OFF = 0xFF5C6A4C;
constexpr QRgb DIM_GRID = 0xFF566446;

} // namespace

QImage CPanelSnapshot::ToImage(const CPanelDisplay& display, int scale, bool dimmed)
{
    if (scale < 1)
        scale = 1;
    const bool plain = scale == 1;
    QImage image(display.GetWidth() * scale, display.GetHeight() * scale, QImage::Format_RGB32);
    image.fill(plain ? PIXEL_OFF : dimmed ? DIM_GRID : LCD_GRID);
    const int cell = scale >= 3 ? scale - 1 : scale;
    const QRgb on = plain ? PIXEL_ON : dimmed ? DIM_ON : LCD_ON;
    const QRgb off = plain ? PIXEL_OFF : dimmed ? DIM_OFF : LCD_OFF;
    for (int y = 0; y < display.GetHeight(); ++y)
        for (int x = 0; x < display.GetWidth(); ++x) {
            const QRgb colour = display.IsSet(x, y) ? on : off;
            for (int r = 0; r < cell; ++r) {
                QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y * scale + r)) + x * scale;
                for (int c = 0; c < cell; ++c)
                    line[c] = colour;
            }
        }
    return image;
}

bool CPanelSnapshot::WritePng(const CPanelDisplay& display, const std::string& path, std::string& error, int scale)
{
    return CProjectRender::WritePng(ToImage(display, scale), path, error);
}
