// The design views' rubber band and dragged outlines, pixel by pixel.
#include "editor/app/look/design_management.h"

#include "comkit/gui_ex_dc.h"

#include <gtest/gtest.h>

using COM_GUI_EX::CGUIEXDC;

TEST(DesignManagement, DraggedOutlineInvertsOnlyTheBorderAndTwiceRestores)
{
    CGUIEXDC dc(20, 20);
    dc.Clear(0xFFFFFF);
    dc.FillRectangle(0, 0, 5, 20, 0x123456);
    CGUIEXDC before(20, 20);
    before.CopyDC(&dc);

    CDesignManagement::DrawDraggedRect(&dc, QRect(2, 3, 10, 6));
    EXPECT_EQ(dc.GetPixel(2, 3), 0xFFFFFF ^ 0x123456); // corner over the dark stripe
    EXPECT_EQ(dc.GetPixel(11, 8), 0x000000u);          // opposite corner, white inverted
    EXPECT_EQ(dc.GetPixel(6, 5), 0xFFFFFFu);           // inside untouched
    EXPECT_EQ(dc.GetPixel(12, 8), 0xFFFFFFu);          // just outside untouched

    CDesignManagement::DrawDraggedRect(&dc, QRect(2, 3, 10, 6));
    EXPECT_EQ(*dc.GetDC(), *before.GetDC());

    // Partly outside the surface: clipped, no stray writes, still self-inverse.
    CDesignManagement::DrawDraggedRect(&dc, QRect(15, -4, 10, 10));
    EXPECT_EQ(dc.GetPixel(15, 0), 0x000000u);
    EXPECT_EQ(dc.GetPixel(19, 5), 0x000000u);
    CDesignManagement::DrawDraggedRect(&dc, QRect(15, -4, 10, 10));
    EXPECT_EQ(*dc.GetDC(), *before.GetDC());
    CDesignManagement::DrawDraggedRect(nullptr, QRect(0, 0, 4, 4));
}

TEST(DesignManagement, RubberBandTintsInsideAndOutlinesInBorderColour)
{
    CGUIEXDC dc(40, 40);
    dc.Clear(0xFFFFFF);
    CDesignManagement::DrawRubberBand(&dc, QRect(30, 30, -20, -20)); // dragged up-left
    const DWORD inside = dc.GetPixel(20, 20);
    EXPECT_NE(inside, 0xFFFFFFu);
    EXPECT_GT(inside & 0xFF, 0xD0u); // a light tint of the blue fill (red channel barely drops)
    EXPECT_EQ(dc.GetPixel(5, 5), 0xFFFFFFu);
    const DWORD border = dc.GetPixel(20, 10);
    EXPECT_LT(border & 0xFF, 0x40u); // dark outline
    CGUIEXDC blank(10, 10);
    blank.Clear(0xFFFFFF);
    CDesignManagement::DrawRubberBand(&blank, QRect(3, 3, 0, 5));
    EXPECT_EQ(blank.GetPixel(3, 3), 0xFFFFFFu);
}
