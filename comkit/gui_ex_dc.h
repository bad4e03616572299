// Off-screen drawing surface: screens, controls and design windows paint a whole picture here and
// hand it to the window in one copy.
//
// Geometry: Qt's QPoint, QSize and QRect throughout the suite. A QRect is built as
// QRect(x, y, width, height) and covers the pixels x .. x + width - 1; its exclusive right edge is
// x() + width(). Never use QRect::right()/bottom() as an exclusive edge (they are x + width - 1).
//
// Colours are COLORREF values: red in bits 0-7, green in bits 8-15, blue in bits 16-23.
#pragma once

#include "comkit/comkit_api.h"

#include "comkit/types.h"

#include <QFont>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QSize>

#include <string>

class QPainter;

namespace COM_GUI_EX {

class COMKIT_API CGUIEXDC {
public:
    // DrawString(text, rect, format) alignment bits: left, else right, else centred; top, else
    // bottom, else centred.
    enum StringFormat { FORMAT_LEFT = 1, FORMAT_RIGHT = 2, FORMAT_TOP = 4, FORMAT_BOTTOM = 8 };

    static constexpr DWORD CLR_INVALID = 0xFFFFFFFF;

    // A width x height surface (negative sizes count as 0) with undefined content; `target` only
    // says which surface the new one will be copied to and may be null.
    CGUIEXDC(const CGUIEXDC* target, int width, int height);
    CGUIEXDC(int width, int height);
    virtual ~CGUIEXDC();

    CGUIEXDC(const CGUIEXDC&) = delete;
    CGUIEXDC& operator=(const CGUIEXDC&) = delete;

    // The pixels, for callers that paint with QPainter themselves (format RGB32, 96 dpi).
    QImage* GetDC() { return &m_image; }
    const QImage* GetDC() const { return &m_image; }
    QSize GetSize() const { return m_size; }

    // Whole-surface copies at (0, 0): to a window's painter or another surface, and back.
    void CopyBack(QPainter* target) const;
    void CopyBack(CGUIEXDC* target) const;
    void CopyDC(const CGUIEXDC* source);
    // Recreates the pixels at the new size (content undefined).
    void SetSize(const CGUIEXDC* target, QSize size);

    // Single pixels; writes outside the surface are ignored, reads give CLR_INVALID.
    void SetPixel(int x, int y, DWORD colour);
    DWORD GetPixel(int x, int y) const;

    // Plain drawing, pixel-exact and clipped to the surface.
    void Clear(DWORD colour);
    void FillRectangle(const QRect* rect, DWORD colour);
    // Fills x .. x + width - 1 by y .. y + height - 1.
    void FillRectangle(int x, int y, int width, int height, DWORD colour);
    // A 1-pixel outline on the rectangle's own border pixels.
    void DrawRectangle(const QRect* rect, DWORD colour);
    void FrawRectangleWithBg(const QRect* rect, DWORD colour, DWORD backColour);
    // A 1-pixel line from (x1, y1) towards (x2, y2); the end point itself is not drawn.
    void DrawLine(int x1, int y1, int x2, int y2, DWORD colour);

    // Block transfers, clipped to both surfaces.
    // Source copy of source's (sx, sy, width, height) to (x, y).
    void BitCopy(int x, int y, int width, int height, const CGUIEXDC* source, int sx, int sy);
    // The whole source with its colours inverted, to (0, 0).
    void CopyInverted(const CGUIEXDC* source);
    // The whole source stretched onto (x, y, width, height), ANDed with what is there, so black
    // darkens and white leaves the surface. Enlarging repeats pixels; shrinking ANDs the source
    // pixels that fall onto one destination pixel.
    void StretchAnd(int x, int y, int width, int height, const CGUIEXDC* source);
    // The whole source stretched like StretchAnd but copied, skipping pixels of `transparent`.
    void StretchTransparent(int x, int y, int width, int height, const CGUIEXDC* source, DWORD transparent);

    // Smoothed drawing (anti-aliased, coordinates name pixel centres); opaque unless an alpha is given.
    void DrawRoundCornerRectangleQG(int x, int y, int width, int height, DWORD colour);
    void FillRoundCornerRectangleQG(int x, int y, int width, int height, DWORD colour);
    void DrawEllipseQG(int x, int y, int width, int height, DWORD colour);
    void FillEllipseQG(int x, int y, int width, int height, DWORD colour);
    // Angles in degrees, clockwise from the positive x axis.
    void DrawArcQG(int x, int y, int width, int height, float startAngle, float sweepAngle, DWORD colour);
    void DrawTransparentRectangleQG(const QRect* rect, DWORD colour, BYTE alpha);
    void FillTransparentRectangleQG(const QRect* rect, DWORD colour, BYTE alpha);
    void FrawTransparentRectangleWithBgQG(const QRect* rect, DWORD colour, DWORD backColour, BYTE alpha);
    // Corner radius of the rounded rectangles: min(width / 4, height / 4).
    static int RoundCornerRadius(int width, int height);

    // Text, GBK in. The named family when installed, else an installed CJK family. Text needs a
    // running Qt GUI application (CGUI_EX_Global::Start); without one nothing is drawn.
    void SetCurrentStringFont(const char* fontName, float size);
    void SetDefaultStringFont();
    void SetCurrentBrush(DWORD colour);
    void SetCurrentPen(DWORD colour, float width);
    void DrawString(const char* text, float x, float y);
    void DrawString(const char* text, const QRect* rect, int format);
    // The font text is drawn with (resolved on first use, since surfaces are made per control).
    const QFont& GetCurrentStringFont() const;

    // An image file (or Qt resource path) scaled into the rectangle; nothing when it cannot be read.
    void DrawImage(const char* fileName, int x, int y, int width, int height);
    void DrawImage(const QImage& image, int x, int y, int width, int height);

    static QRgb ToRgb(DWORD colour)
    {
        return 0xFF000000u | ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
    }
    static DWORD FromRgb(QRgb rgb) { return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16); }

private:
    void Allocate(QSize size);
    void FillSpan(int x, int y, int width, int height, QRgb rgb);
    void DrawStringFlags(const char* text, const QRectF& box, int flags);

    QImage m_image;
    QSize m_size;
    QPen m_pen;
    QColor m_brush;
    // Name (GBK) and size of the current font; m_font is built from them when text is drawn.
    std::string m_fontName;
    float m_fontSize = 0.0f;
    mutable QFont m_font;
    mutable bool m_bFontResolved = false;
};

// Process-wide helpers of the drawing surface.
class COMKIT_API CGUI_EX_Global {
public:
    // Makes sure a Qt GUI application exists (offscreen when no platform is set), so text and fonts
    // work in programs and tests without a window system. Idempotent.
    static void Start();
    // Destroys the application object Start made, if any.
    static void End();
    // Sets `font` to `fontName` (GBK, or the CJK fallback) at `size` points, regular.
    static void CreateCFontWithNameSize(QFont* font, const char* fontName, int size);
    // The installed family that text in `fontName` (GBK) is drawn with.
    static QString ResolveFontFamily(const char* fontName);
};

} // namespace COM_GUI_EX
