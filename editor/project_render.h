// A screen drawn as the design view draws it (background colour, every control in draw order at
// a zoom), into an image, and images written as PNG files.
#pragma once

#include "editor/editor_api.h"

#include <QImage>

#include <string>

class CScreenBase;

class EDITOR_API CProjectRender {
public:
    // The screen at `zoom` (> 0); the screen's own zoom and origin are restored afterwards.
    static QImage RenderScreen(CScreenBase* screen, double zoom);
    // Writes the image as PNG beside `path` and renames it over; false with the reason.
    static bool WritePng(const QImage& image, const std::string& path, std::string& error);
};
