#include "controls/global_draw.h"

CGlobalDraw CGlobalDraw::s_GlobalDraw;

CGlobalDraw* CGlobalDraw::GetInstance()
{
    return &s_GlobalDraw;
}

DWORD CGlobalDraw::GetBackColor() const
{
    switch (m_nBackColorIndex) {
    case BACK_GREEN: return 0x00FF00;
    case BACK_BLUE: return 0xFF3232;
    default: return 0xFFFFFF;
    }
}
