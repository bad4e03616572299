#include "emulator/panel_display.h"

#include "emulator/panel_image.h"

#include "comkit/gbk.h"

#include <algorithm>

CPanelDisplay::CPanelDisplay(int width, int height)
    : m_nWidth(std::max(width, 0)), m_nHeight(std::max(height, 0)), m_pixels(size_t(m_nWidth) * size_t(m_nHeight))
{
}

void CPanelDisplay::Clear()
{
    std::fill(m_pixels.begin(), m_pixels.end(), 0);
}

bool CPanelDisplay::IsSet(int x, int y) const
{
    return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight && m_pixels[size_t(y) * m_nWidth + x];
}

void CPanelDisplay::Set(int x, int y, bool on)
{
    if (x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight)
        m_pixels[size_t(y) * m_nWidth + x] = on ? 1 : 0;
}

void CPanelDisplay::FillRectangle(int x, int y, int width, int height, bool on)
{
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            Set(x + c, y + r, on);
}

void CPanelDisplay::Merge(const CPanelDisplay& other, int x, int y)
{
    for (int r = 0; r < other.m_nHeight; ++r)
        for (int c = 0; c < other.m_nWidth; ++c)
            if (other.m_pixels[size_t(r) * other.m_nWidth + c])
                Set(x + c, y + r, true);
}

int CPanelDisplay::CountDifferences(const CPanelDisplay& other) const
{
    if (m_nWidth != other.m_nWidth || m_nHeight != other.m_nHeight)
        return std::max(m_nWidth * m_nHeight, other.m_nWidth * other.m_nHeight);
    int differences = 0;
    for (size_t i = 0; i < m_pixels.size(); ++i)
        differences += (m_pixels[i] != 0) != (other.m_pixels[i] != 0);
    return differences;
}

void CPanelDisplay::DrawText(const CPanelImage& image, const std::string& gbk, int x, int y, bool light)
{
    const char* p = gbk.c_str();
    const char* end = p + gbk.size();
    for (COMMON_EX::GBK_CHARACTER ch; (ch = COMMON_EX::GbkCharacterAt(p, end)).size; p += ch.size) {
        if (ch.IsDouble()) {
            if (const BYTE* g = image.DoubleGlyph(ch.DoubleCode()))
                for (int r = 0; r < CHAR_HEIGHT; ++r) {
                    const unsigned row = unsigned(g[2 * r]) << 8 | g[2 * r + 1];
                    for (int c = 0; c < DOUBLE_WIDTH; ++c)
                        if (row & (0x8000u >> c))
                            Set(x + c, y + r, !light);
                }
            x += DOUBLE_WIDTH;
        } else {
            if (const BYTE* g = image.SingleGlyph(ch.code))
                for (int r = 0; r < CHAR_HEIGHT; ++r)
                    for (int c = 0; c < ASCII_WIDTH; ++c)
                        if (g[r] & (0x80u >> c))
                            Set(x + c, y + r, !light);
            x += ASCII_WIDTH;
        }
    }
}

void CPanelDisplay::DrawSymbolRows(WORD (*row)(const CPanelImage&, int, int), const CPanelImage& image, int symbol,
                                   int x, int y, bool light)
{
    for (int r = 0; r < SYMBOL_SIZE; ++r) {
        const WORD bits = row(image, symbol, r);
        for (int c = 0; c < SYMBOL_SIZE; ++c)
            if (bits & (1u << c))
                Set(x + c, y + r, !light);
    }
}

void CPanelDisplay::DrawLight(const CPanelImage& image, int a, int x, int y)
{
    DrawSymbolRows([](const CPanelImage& i, int s, int r) { return i.LightRow(s, r); }, image, a, x, y, false);
}

void CPanelDisplay::DrawFunction(const CPanelImage& image, int key, bool prefix, int x, int y, bool light)
{
    const auto function = [](const CPanelImage& i, int s, int r) { return i.FunctionRow(s, r); };
    if (prefix) {
        DrawSymbolRows(function, image, -1, x, y, light);
        x += PREFIX_WIDTH;
    }
    DrawSymbolRows(function, image, key, x, y, light);
}

int CPanelDisplay::TextWidth(const std::string& gbk)
{
    int width = 0;
    const char* p = gbk.c_str();
    const char* end = p + gbk.size();
    for (COMMON_EX::GBK_CHARACTER c; (c = COMMON_EX::GbkCharacterAt(p, end)).size; p += c.size)
        width += c.IsDouble() ? DOUBLE_WIDTH : ASCII_WIDTH;
    return width;
}
