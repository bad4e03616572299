// Process-wide drawing settings of the design views: the screens' background colour.
#pragma once

#include "controls/controls_api.h"

#include "comkit/types.h"

class CONTROLS_API CGlobalDraw {
public:
    enum { BACK_WHITE = 0, BACK_GREEN = 1, BACK_BLUE = 2 };

    CGlobalDraw() = default;
    CGlobalDraw(const CGlobalDraw& other) = default;
    CGlobalDraw& operator=(const CGlobalDraw& other) = default;

    static CGlobalDraw* GetInstance();

    void SetBackColorIndex(int index) { m_nBackColorIndex = index; }
    int GetBackColorIndex() const { return m_nBackColorIndex; }
    // COLORREF of the index: green for 1, blue for 2, white otherwise.
    DWORD GetBackColor() const;
    // Controls draw white on the blue background.
    bool CheckBackColorBlue() const { return m_nBackColorIndex == BACK_BLUE; }

private:
    static CGlobalDraw s_GlobalDraw;

    int m_nBackColorIndex = BACK_WHITE;
};
