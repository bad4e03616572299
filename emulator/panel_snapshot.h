// Pictures of the panel's display: scaled images with a pixel-grid look, and PNG files of them.
#pragma once

#include "emulator/emulator_api.h"

#include <QImage>

#include <string>

class CPanelDisplay;

class EMULATOR_API CPanelSnapshot {
public:
    // The display at `scale` (>= 1) pixels per panel pixel; from a scale of 3 on, a one-pixel
    // gap between cells gives the grid look. A dimmed display is drawn in duller colours.
    static QImage ToImage(const CPanelDisplay& display, int scale, bool dimmed = false);
    // The display at scale 1 (set pixels black, clear ones white) as a PNG file written atomically;
    // false with the reason.
    static bool WritePng(const CPanelDisplay& display, const std::string& path, std::string& error, int scale = 1);
};
