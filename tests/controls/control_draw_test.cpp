// Controls drawn into a design surface: every pixel compared with a picture built from the known
// pixel tables, at zoom 1, 2.5 and 4, inverted, on white, green and blue backgrounds, with
// selection handles and the input-order badge.
#include "controls/control_creator.h"
#include "controls/control_function.h"
#include "controls/control_light.h"
#include "controls/control_register.h"
#include "controls/control_static_text.h"
#include "controls/global_draw.h"

#include "comkit/gui_ex_dc.h"

#include "support/test_panel.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ControlsTest;
using COM_GUI_EX::CGUIEXDC;

namespace {

constexpr DWORD WHITE = 0xFFFFFF;
constexpr DWORD BLACK = 0x000000;
constexpr DWORD GREY = 0x888888;

// What a control paints at (0, 0) of its own (width + 1) x (height + 1) surface.
struct Picture {
    int w, h;
    std::vector<DWORD> px;
    Picture(int width, int height) : w(width), h(height), px(size_t(width * height), WHITE) {}
    void Set(int x, int y, DWORD c)
    {
        if (x >= 0 && y >= 0 && x < w && y < h)
            px[size_t(y * w + x)] = c;
    }
    DWORD Get(int x, int y) const { return px[size_t(y * w + x)]; }
};

void PaintText(Picture& p, const char* text, bool inverted)
{
    CBitmap glyphs(p.w, p.h);
    DrawExpectedText(glyphs, text, 0, 0);
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            if (glyphs.Get(x, y))
                p.Set(x, y, inverted ? WHITE : BLACK);
}

void PaintImage(Picture& p, int x0, DWORD colour, bool (*pixel)(int, int, int), int image)
{
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (pixel(image, x, y))
                p.Set(x0 + x, y, colour);
}

bool Light(int image, int x, int y)
{
    return CGlyphTables::LightPixel(image, x, y);
}
bool Key(int key, int x, int y)
{
    return CGlyphTables::FunctionPixel(key, false, x, y);
}
bool Hand(int, int x, int y)
{
    return CGlyphTables::FunctionPixel(0, true, x, y);
}

// The expected own surface of a control, from the drawing rules of its kind.
Picture Expected(CControlBase& control)
{
    Picture p(control.GetWidth() + 1, control.GetHeight() + 1);
    const bool inverted = control.GetInvertColor();
    if (inverted && control.GetControlType() != CControlBase::CONTROL_LIGHT)
        for (int y = 0; y < control.GetHeight(); ++y)
            for (int x = 0; x < control.GetWidth(); ++x)
                p.Set(x, y, BLACK);
    if (auto* text = dynamic_cast<CControlStaticText*>(&control))
        PaintText(p, text->GetText(), inverted);
    if (auto* reg = dynamic_cast<CControlRegister*>(&control))
        PaintText(p, reg->GetSample(), inverted);
    if (auto* light = dynamic_cast<CControlLight*>(&control))
        PaintImage(p, 0, BLACK, Light, light->GetShape() * 2 + (inverted ? 1 : 0));
    if (auto* key = dynamic_cast<CControlFunction*>(&control)) {
        const DWORD colour = key->GetInvisible() ? GREY : inverted ? WHITE : BLACK;
        int x = 0;
        if (key->GetHand() && !key->GetInvisible()) {
            PaintImage(p, 0, colour, Hand, 0);
            x = 17;
        }
        PaintImage(p, x, colour, Key, key->GetKeyIndex());
    }
    return p;
}

// The surface expected after drawing `control` onto a surface of `back` at `zoom`: the own
// surface stretched by repeating pixels (ANDed, or inverted with black transparent on blue).
std::vector<DWORD> ExpectedTarget(CControlBase& control, int width, int height, DWORD back, double zoom, bool blue)
{
    std::vector<DWORD> target(size_t(width * height), back);
    const Picture p = Expected(control);
    const int zx = int(zoom * control.GetXInScreen()), zy = int(zoom * control.GetYInScreen());
    const int zw = int(zoom * p.w), zh = int(zoom * p.h);
    for (int j = 0; j < zh; ++j)
        for (int i = 0; i < zw; ++i) {
            const int x = zx + i, y = zy + j;
            if (x < 0 || y < 0 || x >= width || y >= height)
                continue;
            const DWORD src = p.Get(i * p.w / zw, j * p.h / zh);
            DWORD& dst = target[size_t(y * width + x)];
            if (!blue)
                dst &= src;
            else if ((~src & 0xFFFFFF) != BLACK)
                dst = ~src & 0xFFFFFF;
        }
    return target;
}

class ControlDraw : public ::testing::Test {
protected:
    static constexpr int W = 560, H = 290;
    CTestPanel panel{128, 64};
    CGlyphTables tables;

    void SetUp() override { panel.screen.SetScreenX(3), panel.screen.SetScreenY(2); }
    void TearDown() override { CGlobalDraw::GetInstance()->SetBackColorIndex(0); }
    // Text needs the GUI application Start makes; ending it releases its font caches.
    static void TearDownTestSuite() { COM_GUI_EX::CGUI_EX_Global::End(); }

    // Draws at every zoom on every background and compares all pixels.
    void ExpectDrawnEverywhere(CControlBase& control)
    {
        for (double zoom : {1.0, 2.5, 4.0})
            for (int back : {CGlobalDraw::BACK_WHITE, CGlobalDraw::BACK_GREEN, CGlobalDraw::BACK_BLUE})
                ExpectDrawn(control, zoom, back);
    }

    void ExpectDrawn(CControlBase& control, double zoom, int backIndex)
    {
        panel.screen.SetScreenZoomRate(zoom);
        CGlobalDraw::GetInstance()->SetBackColorIndex(backIndex);
        const DWORD back = CGlobalDraw::GetInstance()->GetBackColor();
        CGUIEXDC target(W, H);
        target.Clear(back);
        control.Draw(&target);
        const std::vector<DWORD> expected =
            ExpectedTarget(control, W, H, back, zoom, backIndex == CGlobalDraw::BACK_BLUE);
        int wrong = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (target.GetPixel(x, y) != expected[size_t(y * W + x)] && wrong++ < 3)
                    ADD_FAILURE() << "type " << control.GetControlType() << " zoom " << zoom << " back " << backIndex
                                  << " at (" << x << ", " << y << "): " << std::hex << target.GetPixel(x, y)
                                  << " expected " << expected[size_t(y * W + x)];
        EXPECT_EQ(wrong, 0);
    }

    template <class T>
    std::unique_ptr<T> Make(unsigned type)
    {
        return std::unique_ptr<T>(static_cast<T*>(CControlCreator::Create(type, &panel.screen)));
    }
};

TEST_F(ControlDraw, StaticTextPlainAndInverted)
{
    auto text = Make<CControlStaticText>(CControlBase::CONTROL_STATIC_TEXT);
    text->SetText("A\xD6\xD0g"); // one double-byte character between two single-byte ones
    text->SetX(40);
    text->SetY(20);
    ExpectDrawnEverywhere(*text);
    text->SetInvertColor(1);
    ExpectDrawnEverywhere(*text);
}

TEST_F(ControlDraw, RegisterSample)
{
    auto reg = Make<CControlRegister>(CControlBase::CONTROL_REGISTER);
    reg->SetIntegerDigits(3);
    reg->SetDecimalDigits(1);
    reg->SetX(88);
    reg->SetY(52);
    ExpectDrawnEverywhere(*reg);
    reg->SetInvertColor(1);
    ExpectDrawn(*reg, 2.5, CGlobalDraw::BACK_WHITE);
}

TEST_F(ControlDraw, LampImagesByShapeAndInversion)
{
    auto light = Make<CControlLight>(CControlBase::CONTROL_LIGHT);
    light->SetX(0);
    light->SetY(0);
    for (int shape = 0; shape < 2; ++shape)
        for (int inverted = 0; inverted < 2; ++inverted) {
            light->SetShape(shape);
            light->SetInvertColor(inverted);
            ExpectDrawnEverywhere(*light);
        }
}

TEST_F(ControlDraw, FunctionKeyWithHandInvisibleAndInverted)
{
    auto key = Make<CControlFunction>(CControlBase::CONTROL_FUNCTION);
    key->SetKeyIndex(2);
    key->SetX(95);
    key->SetY(48);
    ExpectDrawnEverywhere(*key);
    key->SetInvertColor(1);
    ExpectDrawnEverywhere(*key);
    key->SetHand(0);
    ExpectDrawn(*key, 4.0, CGlobalDraw::BACK_GREEN);
    key->SetInvisible(1); // grey key alone, inversion off
    ExpectDrawnEverywhere(*key);
}

TEST_F(ControlDraw, WithoutPixelTablesOnlyTheInversionShows)
{
    CScreenBase::s_GetAsciiCharPixel = nullptr;
    CScreenBase::s_GetChineseCharPixel = nullptr;
    auto text = Make<CControlStaticText>(CControlBase::CONTROL_STATIC_TEXT);
    text->SetInvertColor(1);
    panel.screen.SetScreenZoomRate(1.0);
    CGUIEXDC target(W, H);
    target.Clear(WHITE);
    text->Draw(&target);
    const int x = 3 + text->GetX(), y = 2 + text->GetY();
    EXPECT_EQ(target.GetPixel(x, y), BLACK);
    EXPECT_EQ(target.GetPixel(x + 51, y + 11), BLACK);
    EXPECT_EQ(target.GetPixel(x + 52, y), WHITE);
    EXPECT_EQ(target.GetPixel(x, y + 12), WHITE);
}

TEST_F(ControlDraw, KindsWithoutPictureLeaveTheSurface)
{
    for (unsigned type = 5; type <= 8; ++type) {
        std::unique_ptr<CControlBase> control(CControlCreator::Create(type, &panel.screen));
        control->SetInvertColor(1);
        ExpectDrawn(*control, 4.0, CGlobalDraw::BACK_WHITE);
    }
    auto text = Make<CControlStaticText>(CControlBase::CONTROL_STATIC_TEXT);
    text->Draw(nullptr);
}

TEST_F(ControlDraw, SelectionHandlesSurroundTheZoomedControl)
{
    auto light = Make<CControlLight>(CControlBase::CONTROL_LIGHT);
    light->SetX(30);
    light->SetY(20);
    const double zoom = 2.5;
    panel.screen.SetScreenZoomRate(zoom);
    const int zx = int(zoom * 33), zy = int(zoom * 22), zw = int(zoom * 16), zh = int(zoom * 16);
    const int mx = zx + ((zw - 6) >> 1), my = zy + ((zh - 6) >> 1);
    const int spots[8][2] = {{zx - 6, zy - 6}, {mx, zy - 6},      {zx + zw, zy - 6}, {zx - 6, my},
                             {zx + zw, my},    {zx - 6, zy + zh}, {mx, zy + zh},     {zx + zw, zy + zh}};
    for (int type : {0, 1, 2}) {
        light->SetSelected(1);
        light->SetMultipleSelectedType(type);
        CGUIEXDC target(W, H);
        target.Clear(WHITE);
        light->Draw(&target);
        const CGUIEXDC* handles = panel.screen.GetSelectedRectangle();
        ASSERT_NE(handles, nullptr);
        const int sx = type < 2 ? 0 : 6;
        for (const auto& spot : spots)
            for (int dy = 0; dy < 6; ++dy)
                for (int dx = 0; dx < 6; ++dx)
                    ASSERT_EQ(target.GetPixel(spot[0] + dx, spot[1] + dy), handles->GetPixel(sx + dx, dy))
                        << "type " << type << " spot " << spot[0] << "," << spot[1];
        // The filled square for a single or primary selection, the outlined one otherwise.
        EXPECT_EQ(target.GetPixel(mx + 2, zy - 4), type < 2 ? CControlBase::COL_SELECTED : WHITE);
    }
    light->SetSelected(0);
    CGUIEXDC target(W, H);
    target.Clear(WHITE);
    light->Draw(&target);
    EXPECT_EQ(target.GetPixel(zx - 6, zy - 6), WHITE);
}

TEST_F(ControlDraw, OrderBadgeSitsTwoPixelsOutsideTheTopLeftCorner)
{
    COM_GUI_EX::CGUI_EX_Global::Start();
    auto reg = Make<CControlRegister>(CControlBase::CONTROL_REGISTER);
    reg->SetX(40);
    reg->SetY(30);
    reg->SetDrawOrderID(3);
    const double zoom = 4.0;
    panel.screen.SetScreenZoomRate(zoom);
    CGUIEXDC target(W, H);
    target.Clear(WHITE);
    reg->Draw(&target);
    const int bx = int(zoom * 43) - 2, by = int(zoom * 32) - 2;
    const CGUIEXDC* badge = panel.screen.GetOrderIndexRectangle();
    ASSERT_NE(badge, nullptr);
    // The frame is the badge image's; the inside shows the badge colour around a drawn digit.
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(target.GetPixel(bx + i, by), badge->GetPixel(i, 0));
        EXPECT_EQ(target.GetPixel(bx, by + i), badge->GetPixel(0, i));
        EXPECT_EQ(target.GetPixel(bx + i, by + 19), badge->GetPixel(i, 19));
        EXPECT_EQ(target.GetPixel(bx + 19, by + i), badge->GetPixel(19, i));
    }
    EXPECT_EQ(target.GetPixel(bx + 1, by + 1), 0x53F003u);
    int digit = 0;
    for (int y = 2; y < 18; ++y)
        for (int x = 2; x < 18; ++x)
            digit += target.GetPixel(bx + x, by + y) != 0x53F003u;
    EXPECT_GT(digit, 0);
    EXPECT_EQ(target.GetPixel(bx - 1, by - 1), WHITE);

    reg->SetDrawOrderID(0);
    CGUIEXDC plain(W, H);
    plain.Clear(WHITE);
    reg->Draw(&plain);
    EXPECT_EQ(plain.GetPixel(bx + 1, by + 1), WHITE);
}

} // namespace
