// The editor's look in one place: the fonts of labels and dialogs, the colours of the design
// views, the styling of caption and plain labels, and the rubber band and dragged outlines.
#pragma once

#include "comkit/types.h"

#include <QFont>
#include <QRect>

class QLabel;
class QWidget;

namespace COM_GUI_EX {
class CGUIEXDC;
}

class CDesignManagement {
public:
    // Colours (COLORREF: red in the low byte).
    static constexpr DWORD COLOR_FACE = 0xC8D0D4; // solid brush of panels
    static constexpr DWORD COLOR_LINE = 0x000000; // one-pixel pen
    static constexpr DWORD COLOR_WHITE = 0xFFFFFF;
    static constexpr DWORD COLOR_GREY = 0x666666;
    static constexpr DWORD COLOR_BAND_FILL = 0x990000;   // rubber band fill ...
    static constexpr BYTE BAND_FILL_ALPHA = 32;          // ... at this opacity
    static constexpr DWORD COLOR_BAND_BORDER = 0x6A240A; // rubber band outline ...
    static constexpr BYTE BAND_BORDER_ALPHA = 255;       // ... opaque
    // Offset of a caption label's text from its left edge, in pixels.
    static constexpr int CAPTION_TEXT_INDENT = 20;

    // The process's object, made on first use; Release deletes it (at exit), a later
    // GetInstance makes a new one.
    static CDesignManagement* GetInstance();
    static void Release();

    // Label font "黑体" 12 pt, window font "新宋体" 10 pt, small font "新宋体" 9 pt; where the
    // named family is not installed an installed CJK family stands in.
    const QFont& GetLabelFont() const { return m_labelFont; }
    const QFont& GetWindowFont() const { return m_windowFont; }
    const QFont& GetSmallFont() const { return m_smallFont; }

    // A bar's or dialog's caption: label font, text left and vertically centred, indented by
    // CAPTION_TEXT_INDENT, a shaded background, no border. Null is ignored.
    void StyleCaptionLabel(QLabel* label) const;
    // A plain label: label font, text left and vertically centred, the face colour behind,
    // no border. Null is ignored.
    void StylePlainLabel(QLabel* label) const;
    // The label font on any widget (buttons, boxes with several styles). Null is ignored.
    void SetLabelFont(QWidget* widget) const;

    // The rubber band: `band` filled with the band fill at its opacity and outlined with the
    // band border. Empty rectangles (after normalising) and a null surface draw nothing.
    static void DrawRubberBand(COM_GUI_EX::CGUIEXDC* dc, const QRect& band);
    // A dragged control's outline: the pixels on the rectangle's border are inverted (no fill),
    // so drawing the same outline twice restores the surface. Clipped to the surface.
    static void DrawDraggedRect(COM_GUI_EX::CGUIEXDC* dc, const QRect& rect);

    // QColor of a COLORREF, for widgets.
    static QColor ToColor(DWORD colour);

private:
    CDesignManagement();

    QFont m_labelFont;
    QFont m_windowFont;
    QFont m_smallFont;
};
