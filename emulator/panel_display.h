// A monochrome pixel surface of the panel's display and the drawing of text, lamps and function
// keys from the image's own glyphs and symbol tables.
#pragma once

#include "emulator/emulator_api.h"

#include "comkit/types.h"

#include <string>
#include <vector>

class CPanelImage;

class EMULATOR_API CPanelDisplay {
public:
    static constexpr int WIDTH = 192;
    static constexpr int HEIGHT = 64;
    static constexpr int ASCII_WIDTH = 8;
    static constexpr int DOUBLE_WIDTH = 13;
    static constexpr int CHAR_HEIGHT = 12;
    static constexpr int SYMBOL_SIZE = 16;
    static constexpr int PREFIX_WIDTH = 17;

    // A clear surface; sizes below 1 give an empty one.
    CPanelDisplay(int width = WIDTH, int height = HEIGHT);

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    void Clear();
    // Pixels outside the surface read as clear and are not written.
    bool IsSet(int x, int y) const;
    void Set(int x, int y, bool on);
    void FillRectangle(int x, int y, int width, int height, bool on);
    // Sets every pixel of `other` that is set, placed at (x, y).
    void Merge(const CPanelDisplay& other, int x, int y);
    // Number of pixels that differ; surfaces of different sizes differ everywhere.
    int CountDifferences(const CPanelDisplay& other) const;

    // GBK text from the image's glyphs: 13 columns for a double-byte character, 8 for a single
    // one, 12 rows; `light` draws clear pixels (text on an inverted field). A character without a
    // glyph in the image leaves its cell untouched.
    void DrawText(const CPanelImage& image, const std::string& gbk, int x, int y, bool light);
    // Lamp image a (0-3) in set pixels.
    void DrawLight(const CPanelImage& image, int a, int x, int y);
    // Function-key image `key`, after the prefix image when `prefix`.
    void DrawFunction(const CPanelImage& image, int key, bool prefix, int x, int y, bool light);

    // Width in pixels of a GBK text as DrawText places it.
    static int TextWidth(const std::string& gbk);

private:
    void DrawSymbolRows(WORD (*)(const CPanelImage&, int, int), const CPanelImage&, int, int, int, bool);

    int m_nWidth, m_nHeight;
    std::vector<BYTE> m_pixels;
};
