// The screen's pixel helpers drawing through the installed lookups: what lands on the surface is the
// tables' images, the right way round.
#include "comkit/gui_ex_dc.h"
#include "controls/screen_base.h"
#include "editor/pixel_resources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using COM_GUI_EX::CGUIEXDC;

constexpr DWORD WHITE = 0xFFFFFF;
constexpr DWORD BLACK = 0x000000;

class ScreenDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        CPixelResources::InstallScreenPixelFunctions();
        m_dc.Clear(WHITE);
    }

    // The surface's pixels in a box as rows of '#' (black) and '.' (anything else).
    std::string Box(int x, int y, int width, int height) const
    {
        std::string text;
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c)
                text += m_dc.GetPixel(x + c, y + r) == BLACK ? '#' : '.';
            text += '\n';
        }
        return text;
    }

    CGUIEXDC m_dc{64, 20};
};

TEST_F(ScreenDrawing, LampImagesAppearAsDrawnInTheirSource)
{
    CScreenBase::DrawLight(&m_dc, 0, 2, 1);
    EXPECT_EQ(Box(2, 1, 16, 4), "................\n"
                                ".....######.....\n"
                                "...##......##...\n"
                                "..#..........#..\n");
    CScreenBase::DrawLight(&m_dc, 3, 20, 0);
    EXPECT_EQ(Box(20, 14, 16, 2), ".##############.\n"
                                  "................\n");
    // No image 4: nothing drawn.
    m_dc.Clear(WHITE);
    CScreenBase::DrawLight(&m_dc, 4, 0, 0);
    EXPECT_EQ(Box(0, 0, 16, 16), Box(40, 0, 16, 16));
}

TEST_F(ScreenDrawing, FunctionKeyDrawsTheHandThenTheKey)
{
    CScreenBase::DrawFunction(&m_dc, 1, 0, 0, 0, 0, 0);
    EXPECT_EQ(Box(0, 0, 34, 2), "..................##############..\n"
                                ".....##..........#..............#.\n");
    // Key 0 is F1: "F" at columns 4-6 of the key, "1" at 8-10.
    EXPECT_EQ(Box(17, 5, 16, 5), "#...###..#.....#\n"
                                 "#...#...##.....#\n"
                                 "#...##...#.....#\n"
                                 "#...#....#.....#\n"
                                 "#...#...###....#\n");
}

TEST_F(ScreenDrawing, TextIsDrawnFromTheFontTable)
{
    // "A" then "中" (GBK D6 D0), 8 columns apart.
    CScreenBase::DrawStringPixel(&m_dc, "A\xD6\xD0", 0, 0, 0);
    const BYTE* font = CPixelResources::GetResource(CPixelResources::PIC_PIXEL_FONT);
    std::string expected;
    for (int r = 0; r < 12; ++r) {
        for (int c = 0; c < 8; ++c)
            expected += (font['A' * 16 + r] & (0x80 >> c)) ? '#' : '.';
        const long at = CPixelResources::GetChineseCharOffset(0xD0D6);
        const int word = font[at + 2 * r] << 8 | font[at + 2 * r + 1];
        for (int c = 0; c < 13; ++c)
            expected += (word & (0x8000 >> c)) ? '#' : '.';
        expected += '\n';
    }
    EXPECT_EQ(Box(0, 0, 21, 12), expected);
    EXPECT_NE(expected.find('#'), std::string::npos);
    // The ideograph's centre stroke crosses the first row.
    EXPECT_EQ(Box(8 + 5, 0, 1, 1), "#\n");
}

} // namespace
