// What a screen answers its controls: identifiers, the default-position cascade, the panel model's
// and PLC's queries, the marks, the panel pixel helpers and the background colour setting.
#include "controls/global_draw.h"
#include "controls/screen_base.h"

#include "comkit/gui_ex_dc.h"
#include "devices/device_base.h"
#include "devices/device_collection.h"
#include "devices/plc_base.h"
#include "devices/plc_collection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

using COM_GUI_EX::CGUIEXDC;

namespace {

constexpr DWORD WHITE = 0xFFFFFF;
constexpr DWORD BLACK = 0x000000;
constexpr DWORD GREY = 0x888888;

// A panel model with fixed answers, so each forwarded query can be told apart.
class ServicesTestDevice : public CDeviceBase {
public:
    ServicesTestDevice(UINT width, UINT height, UINT plcID) : m_w(width), m_h(height), m_plc(plcID) {}
    UINT GetScreenWidth() override { return m_w; }
    UINT GetScreenHeight() override { return m_h; }
    UINT GetPLCID() override { return m_plc; }
    void GetDeviceName(char* dest, int destSize) override
    {
        std::snprintf(dest, size_t(destSize), "PANEL-%d", destSize);
    }
    void GetPLCName(char* dest, int destSize) override { std::snprintf(dest, size_t(destSize), "PLC-%d", destSize); }
    int GetRegisterIntegerMaxCount() override { return 5; }
    int GetRegisterFloorMaxCount() override { return 4; }
    int GetPLCStation() override { return 7; }
    int GetPLCStationVisibled() override { return 1; }
    int GetPLCStationDisabled() override { return 1; }
    int GetPLCRegisterDefIndex() override { return 2; }
    int GetPLCCoilDefIndex() override { return 3; }
    int GetPLCRegisterCollection(int* codes, char** names, DWORD* v1, DWORD* v2, int max) override
    {
        return Kinds("R", codes, names, v1, v2, max);
    }
    int GetPLCCoilCollection(int* codes, char** names, DWORD* v1, DWORD* v2, int max) override
    {
        return Kinds("C", codes, names, v1, v2, max);
    }
    DWORD ConvertPLCRegisterAddress(int kind, DWORD address) override { return address + 1000u * DWORD(kind); }
    DWORD ConvertPLCCoilAddress(int kind, DWORD address) override { return address + 2000u * DWORD(kind); }
    int GetDeviceAllKeyCollection(char** names, int* codes, int max) override
    {
        if (!names)
            return 4;
        const int n = std::min(4, max);
        for (int i = 0; i < n; ++i) {
            std::snprintf(names[i], 20, "F%d", i + 1);
            codes[i] = 10 + i;
        }
        return n;
    }

private:
    static int Kinds(const char* prefix, int* codes, char** names, DWORD* v1, DWORD* v2, int max)
    {
        const int n = std::min(3, max);
        for (int i = 0; i < n; ++i) {
            codes[i] = i;
            std::snprintf(names[i], 20, "%s%d", prefix, i);
            v1[i] = DWORD(i);
            v2[i] = DWORD(100 + i);
        }
        return n;
    }

    UINT m_w, m_h, m_plc;
};

// Small pixel tables: 'A' is a diagonal, GBK "中" (D6 D0) has columns 0 and 12 set in every row,
// plus bit 2 (a 14th column that must not be drawn). Everything else is unknown.
int TestAscii(BYTE code, BYTE* bits)
{
    if (code != 'A')
        return 0;
    for (int r = 0; r < 12; ++r)
        bits[r] = BYTE(0x80 >> (r % 8));
    return 1;
}

int TestChinese(WORD code, BYTE* bits)
{
    if (code != 0xD0D6)
        return 0;
    for (int r = 0; r < 12; ++r) {
        bits[2 * r] = 0x80;
        bits[2 * r + 1] = 0x0C;
    }
    return 1;
}

// Lamp image i: row 0 has columns 0 and 15, every other row column i.
int TestLight(int image, BYTE* bits)
{
    if (image < 0 || image > 3)
        return 0;
    bits[0] = 0x01;
    bits[1] = 0x80;
    for (int r = 1; r < 16; ++r) {
        bits[2 * r] = BYTE((1u << image) & 0xFF);
        bits[2 * r + 1] = BYTE((1u << image) >> 8);
    }
    return 1;
}

// Prefix: column 0 of every row. Key k: the whole row k.
int TestFunction(int key, BYTE* prefix, BYTE* image)
{
    if (key < 0 || key > 15)
        return 0;
    for (int r = 0; r < 16; ++r)
        prefix[2 * r] = 0x01;
    image[2 * key] = 0xFF;
    image[2 * key + 1] = 0xFF;
    return 1;
}

typedef std::set<std::pair<int, int>> PixelSet;

// Every pixel not `background` must be in `expected` with `colour`, and every expected one set.
void ExpectPixels(const CGUIEXDC& dc, const PixelSet& expected, DWORD colour, DWORD background)
{
    for (int y = 0; y < dc.GetSize().height(); ++y) {
        for (int x = 0; x < dc.GetSize().width(); ++x) {
            const bool want = expected.count({x, y}) != 0;
            EXPECT_EQ(dc.GetPixel(x, y), want ? colour : background) << "pixel " << x << "," << y;
        }
    }
}

std::unique_ptr<CGUIEXDC> Surface(int w, int h, DWORD colour)
{
    std::unique_ptr<CGUIEXDC> dc(new CGUIEXDC(w, h));
    dc->Clear(colour);
    return dc;
}

// Installs the small tables for one test and puts back whatever was installed before.
class PixelHelpersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_ascii = CScreenBase::s_GetAsciiCharPixel;
        m_chinese = CScreenBase::s_GetChineseCharPixel;
        m_light = CScreenBase::s_GetLightPixel;
        m_function = CScreenBase::s_GetFunctionPixel;
        Install(TestAscii, TestChinese, TestLight, TestFunction);
    }
    void TearDown() override { Install(m_ascii, m_chinese, m_light, m_function); }

    static void Install(CScreenBase::GetAsciiCharPixelFunc ascii, CScreenBase::GetChineseCharPixelFunc chinese,
                        CScreenBase::GetLightPixelFunc light, CScreenBase::GetFunctionPixelFunc function)
    {
        CScreenBase::s_GetAsciiCharPixel = ascii;
        CScreenBase::s_GetChineseCharPixel = chinese;
        CScreenBase::s_GetLightPixel = light;
        CScreenBase::s_GetFunctionPixel = function;
    }

private:
    CScreenBase::GetAsciiCharPixelFunc m_ascii = nullptr;
    CScreenBase::GetChineseCharPixelFunc m_chinese = nullptr;
    CScreenBase::GetLightPixelFunc m_light = nullptr;
    CScreenBase::GetFunctionPixelFunc m_function = nullptr;
};

PixelSet AsciiA(int x, int y)
{
    PixelSet s;
    for (int r = 0; r < 12; ++r)
        s.insert({x + r % 8, y + r});
    return s;
}

PixelSet ChineseZhong(int x, int y)
{
    PixelSet s;
    for (int r = 0; r < 12; ++r) {
        s.insert({x, y + r});
        s.insert({x + 12, y + r});
    }
    return s;
}

PixelSet Join(std::initializer_list<PixelSet> parts)
{
    PixelSet all;
    for (const PixelSet& p : parts)
        all.insert(p.begin(), p.end());
    return all;
}

} // namespace

TEST(ScreenServices, NewScreenStateAndControlIdentifiers)
{
    CScreenBase screen;
    EXPECT_DOUBLE_EQ(screen.GetScreenZoomRate(), 4.0);
    EXPECT_EQ(screen.GetScreenX(), 0);
    EXPECT_EQ(screen.GetScreenY(), 0);
    EXPECT_EQ(screen.GetDependenceDevice(), nullptr);
    EXPECT_EQ(screen.GetNewControlID(), 0);
    EXPECT_EQ(screen.GetNewControlID(), 1);
    EXPECT_EQ(screen.GetNewControlID(), 2);
    EXPECT_EQ(screen.GetNextControlID(), 3);
    int nx, ny, cx, ry;
    screen.GetDefPosCursor(nx, ny, cx, ry);
    EXPECT_EQ(std::vector<int>({nx, ny, cx, ry}), std::vector<int>({6, 6, 6, 6}));
}

TEST(ScreenServices, DefaultPositionsCascadeAndRestartFurtherRightThenLower)
{
    ServicesTestDevice device(192, 64, 100);
    CScreenBase screen;
    screen.SetDependenceDevice(&device);
    std::vector<std::pair<int, int>> got;
    while (got.size() < 300 && (got.empty() || got.back() != std::make_pair(6, 18))) {
        int x = 0, y = 0;
        screen.GetControlDefPos(x, y);
        got.emplace_back(x, y);
    }
    // First diagonal: 6 .. 48 (54 would pass 64 - 12), then 12 further right from the top.
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(got[size_t(i)], std::make_pair(6 + 6 * i, 6 + 6 * i));
    EXPECT_EQ(got[8], std::make_pair(18, 6));
    EXPECT_EQ(got[9], std::make_pair(24, 12));
    // Near the right margin a column ends early: column 174 holds (174, 6) and (180, 12); the
    // next column (186) would pass 192 - 12, so the cascade restarts at column 6, row 18.
    ASSERT_EQ(got.back(), std::make_pair(6, 18));
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got[got.size() - 2], std::make_pair(180, 12));
    EXPECT_EQ(got[got.size() - 3], std::make_pair(174, 6));
    for (const auto& p : got) {
        EXPECT_LE(p.first, 180);
        EXPECT_LE(p.second, 52);
    }
    int x = 0, y = 0;
    screen.GetControlDefPos(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(12, 24));

    // The cursor round-trips (the screen record stores it).
    screen.SetDefPosCursor(30, 36, 42, 48);
    int nx, ny, cx, ry;
    screen.GetDefPosCursor(nx, ny, cx, ry);
    EXPECT_EQ(std::vector<int>({nx, ny, cx, ry}), std::vector<int>({30, 36, 42, 48}));
    screen.GetControlDefPos(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(30, 36));
}

TEST(ScreenServices, WithoutDeviceEveryQueryAnswersZero)
{
    CScreenBase screen;
    int codes[4] = {9, 9, 9, 9};
    char buf[4][20] = {"x", "x", "x", "x"};
    char* names[4] = {buf[0], buf[1], buf[2], buf[3]};
    DWORD v1[4] = {}, v2[4] = {};
    EXPECT_EQ(screen.GetScreenWidth(), 0);
    EXPECT_EQ(screen.GetScreenHeight(), 0);
    EXPECT_EQ(screen.GetDrawScreenWidth(), 0);
    EXPECT_EQ(screen.GetPLCStation(), 0);
    EXPECT_EQ(screen.GetPLCStationVisibled(), 0);
    EXPECT_EQ(screen.GetPLCStationDisabled(), 0);
    EXPECT_EQ(screen.GetPLCRegisterCollection(codes, names, v1, v2, 4), 0);
    EXPECT_EQ(screen.GetPLCCoilCollection(codes, names, v1, v2, 4), 0);
    EXPECT_EQ(screen.GetPLCRegisterDefIndex(), 0);
    EXPECT_EQ(screen.GetPLCCoilDefIndex(), 0);
    EXPECT_EQ(screen.GetRegisterIntegerMaxCount(), 0);
    EXPECT_EQ(screen.GetRegisterFloorMaxCount(), 0);
    EXPECT_EQ(screen.GetDeviceAllKeysCollection(names, codes, 4), 0);
    EXPECT_EQ(screen.IsPLCFree(), 0);
    EXPECT_EQ(screen.ConvertPLCRegisterAddress(2, 77), 77u);
    EXPECT_EQ(screen.ConvertPLCCoilAddress(2, 77), 77u);
    EXPECT_EQ(codes[0], 9);
    EXPECT_STREQ(buf[0], "x");
    std::string name = "old";
    screen.GetDeviceName(name);
    EXPECT_EQ(name, "");
    screen.GetPLCName(name);
    EXPECT_EQ(name, "");
    // The cascade still hands out positions.
    int x = -1, y = -1;
    screen.GetControlDefPos(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(6, 6));
}

TEST(ScreenServices, DeviceQueriesAreForwarded)
{
    ServicesTestDevice device(193, 64, 100);
    CScreenBase screen;
    screen.SetDependenceDevice(&device);
    EXPECT_EQ(screen.GetDependenceDevice(), &device);
    EXPECT_EQ(screen.GetScreenWidth(), 193);
    EXPECT_EQ(screen.GetScreenHeight(), 64);
    EXPECT_EQ(screen.GetDrawScreenWidth(), 772);
    screen.SetScreenZoomRate(2.5);
    EXPECT_EQ(screen.GetDrawScreenWidth(), 483); // 482.5 rounds up
    EXPECT_EQ(screen.GetDrawScreenHeight(), 160);
    screen.SetScreenZoomRate(1.3);
    EXPECT_EQ(screen.GetDrawScreenWidth(), 251); // 250.9
    EXPECT_EQ(screen.GetDrawScreenHeight(), 83); // 83.2

    std::string text;
    screen.GetDeviceName(text);
    EXPECT_EQ(text, "PANEL-260");
    screen.GetPLCName(text);
    EXPECT_EQ(text, "PLC-260");
    EXPECT_EQ(screen.IsPLCFree(), 1);
    ServicesTestDevice other(192, 64, 101);
    CScreenBase otherScreen;
    otherScreen.SetDependenceDevice(&other);
    EXPECT_EQ(otherScreen.IsPLCFree(), 0);

    EXPECT_EQ(screen.GetRegisterIntegerMaxCount(), 5);
    EXPECT_EQ(screen.GetRegisterFloorMaxCount(), 4);
    EXPECT_EQ(screen.GetPLCStation(), 7);
    EXPECT_EQ(screen.GetPLCStationVisibled(), 1);
    EXPECT_EQ(screen.GetPLCStationDisabled(), 1);
    EXPECT_EQ(screen.GetPLCRegisterDefIndex(), 2);
    EXPECT_EQ(screen.GetPLCCoilDefIndex(), 3);

    int codes[2] = {};
    char buf[2][20] = {};
    char* names[2] = {buf[0], buf[1]};
    DWORD v1[2] = {}, v2[2] = {};
    EXPECT_EQ(screen.GetPLCRegisterCollection(codes, names, v1, v2, 2), 2);
    EXPECT_STREQ(buf[1], "R1");
    EXPECT_EQ(v2[1], 101u);
    EXPECT_EQ(screen.GetPLCCoilCollection(codes, names, v1, v2, 2), 2);
    EXPECT_STREQ(buf[0], "C0");
    EXPECT_EQ(screen.GetDeviceAllKeysCollection(nullptr, nullptr, 0), 4);
    EXPECT_EQ(screen.GetDeviceAllKeysCollection(names, codes, 2), 2);
    EXPECT_STREQ(buf[1], "F2");
    EXPECT_EQ(codes[1], 11);
    EXPECT_EQ(screen.ConvertPLCRegisterAddress(2, 5), 2005u);
    EXPECT_EQ(screen.ConvertPLCCoilAddress(1, 5), 2005u);
}

TEST(ScreenServices, AnswersComeFromTheCataloguePanelAndProtocol)
{
    std::unique_ptr<CDeviceBase> device(CDeviceCollection::GetInstance()->CreateDevice(UINT(100)));
    ASSERT_NE(device, nullptr);
    CPLCBase* plc = CPLCCollection::GetInstance()->CreatePLC(UINT(100));
    ASSERT_NE(plc, nullptr);
    device->SetPLC(plc);
    CPLCCollection::GetInstance()->LoadPLCSettings(plc);
    CScreenBase screen;
    screen.SetDependenceDevice(device.get());

    EXPECT_EQ(screen.GetScreenWidth(), 192);
    EXPECT_EQ(screen.GetScreenHeight(), 64);
    EXPECT_EQ(screen.IsPLCFree(), 1);
    std::string name;
    screen.GetDeviceName(name);
    EXPECT_EQ(name, "QMX200");
    screen.GetPLCName(name);
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(screen.GetRegisterIntegerMaxCount(), 5);
    EXPECT_EQ(screen.GetDeviceAllKeysCollection(nullptr, nullptr, 0), device->GetKeyCount());

    int codes[50] = {};
    char buf[50][20] = {};
    char* names[50];
    for (int i = 0; i < 50; ++i)
        names[i] = buf[i];
    DWORD v1[50] = {}, v2[50] = {};
    const int kinds = screen.GetPLCRegisterCollection(codes, names, v1, v2, 50);
    EXPECT_EQ(kinds, plc->GetPLCRegisterCount());
    EXPECT_GT(kinds, 0);
    EXPECT_LT(screen.GetPLCRegisterDefIndex(), kinds);
    EXPECT_EQ(screen.GetPLCCoilCollection(codes, names, v1, v2, 50), plc->GetPLCCoilCount());
    EXPECT_EQ(screen.ConvertPLCCoilAddress(1, 17), device->ConvertPLCCoilAddress(1, 17));
}

TEST(ScreenServices, SelectionHandlesAndOrderBadge)
{
    CScreenBase screen;
    CGUIEXDC* handles = screen.GetSelectedRectangle();
    ASSERT_NE(handles, nullptr);
    EXPECT_EQ(screen.GetSelectedRectangle(), handles);
    EXPECT_EQ(handles->GetSize(), QSize(12, 6));
    const DWORD sel = CScreenBase::SELECTED_COLOR;
    EXPECT_EQ(sel, 0x6E543Fu);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool filled = x < 6;
            const bool border = x == 6 || x == 11 || y == 0 || y == 5;
            EXPECT_EQ(handles->GetPixel(x, y), filled || border ? sel : WHITE) << x << "," << y;
        }
    }

    CGUIEXDC* badge = screen.GetOrderIndexRectangle();
    ASSERT_NE(badge, nullptr);
    EXPECT_EQ(badge->GetSize(), QSize(20, 20));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool border = x == 0 || x == 19 || y == 0 || y == 19;
            EXPECT_EQ(badge->GetPixel(x, y), border ? BLACK : 0x53F003u) << x << "," << y;
        }
    }

    // Creating again replaces the image.
    handles->Clear(BLACK);
    screen.CreateSelectedRectangle(badge);
    EXPECT_EQ(screen.GetSelectedRectangle()->GetPixel(8, 2), WHITE);
}

TEST(ScreenServices, StringLengthCountsDoubleByteCharacters)
{
    int w = 0, h = 0;
    // Two GBK characters and one ASCII character.
    EXPECT_EQ(CScreenBase::GetStringLength("\xD6\xD0\xCE\xC4Z", w, h), 34);
    EXPECT_EQ(w, 34);
    EXPECT_EQ(h, 12);
    EXPECT_EQ(CScreenBase::GetStringLength("ABC", w, h), 24);
    EXPECT_EQ(CScreenBase::GetStringLength("", w, h), 8);
    EXPECT_EQ(h, 12);
    EXPECT_EQ(CScreenBase::GetStringLength(nullptr, w, h), 8);
    // A lead byte cut off by the terminator is one character; nothing past the end is read.
    const char cut[] = {'A', char(0xD6), 0};
    EXPECT_EQ(CScreenBase::GetStringLength(cut, w, h), 21);
}

TEST_F(PixelHelpersTest, TextDrawsTheGlyphBitsAndAdvances)
{
    auto dc = Surface(40, 16, WHITE);
    // "A中A" at (1, 2): A at 1, the double-byte character at 9, A at 22.
    CScreenBase::DrawStringPixel(dc.get(),
                                 "A\xD6\xD0"
                                 "A",
                                 1, 2, 0);
    ExpectPixels(*dc, Join({AsciiA(1, 2), ChineseZhong(9, 2), AsciiA(22, 2)}), BLACK, WHITE);

    // White on black; an unknown character draws nothing but still takes its place.
    auto inverted = Surface(40, 16, BLACK);
    CScreenBase::DrawStringPixel(inverted.get(), "BA\xCE\xC4", 0, 3, 1);
    ExpectPixels(*inverted, AsciiA(8, 3), WHITE, BLACK);

    // Clipped at the surface edges.
    auto small = Surface(10, 6, WHITE);
    CScreenBase::DrawStringPixel(small.get(), "AA", -4, -3, 0);
    PixelSet clipped;
    for (const auto& p : Join({AsciiA(-4, -3), AsciiA(4, -3)}))
        if (p.first >= 0 && p.first < 10 && p.second >= 0 && p.second < 6)
            clipped.insert(p);
    ExpectPixels(*small, clipped, BLACK, WHITE);
}

TEST_F(PixelHelpersTest, SingleGlyphsUseTheirRowLayouts)
{
    BYTE ascii[16] = {};
    ascii[0] = 0x81;  // columns 0 and 7
    ascii[11] = 0x10; // column 3 of the last row
    ascii[12] = 0xFF; // row 12 is not part of the glyph
    auto dc = Surface(10, 14, WHITE);
    CScreenBase::DrawAsciiChar(dc.get(), ascii, 1, 0, 0);
    ExpectPixels(*dc, {{1, 0}, {8, 0}, {4, 11}}, BLACK, WHITE);

    BYTE chinese[24] = {};
    chinese[0] = 0x80;  // row 0, bit 15: column 0
    chinese[1] = 0x08;  // row 0, bit 3: column 12
    chinese[22] = 0x01; // row 11, bit 8: column 7
    chinese[23] = 0x07; // bits 2..0: beyond column 12
    auto wide = Surface(16, 13, WHITE);
    CScreenBase::DrawChineseChar(wide.get(), chinese, 0, 0, 0);
    ExpectPixels(*wide, {{0, 0}, {12, 0}, {7, 11}}, BLACK, WHITE);

    BYTE image[32] = {};
    image[0] = 0x01; // row 0, bit 0: column 0
    image[3] = 0x80; // row 1, bit 15: column 15
    image[30] = 0x00;
    image[31] = 0x01; // row 15, bit 8: column 8
    auto pic = Surface(18, 18, WHITE);
    CScreenBase::DrawPixel(pic.get(), image, 1, 1, 0x123456);
    ExpectPixels(*pic, {{1, 1}, {16, 2}, {9, 16}}, 0x123456, WHITE);
}

TEST_F(PixelHelpersTest, LampsAndFunctionKeys)
{
    auto lamp = Surface(20, 18, WHITE);
    CScreenBase::DrawLight(lamp.get(), 3, 2, 1);
    PixelSet lit = {{2, 1}, {17, 1}};
    for (int r = 1; r < 16; ++r)
        lit.insert({2 + 3, 1 + r});
    ExpectPixels(*lamp, lit, BLACK, WHITE);

    // Hand at x, key 17 further right; key 2 is its row 2.
    auto key = Surface(40, 16, WHITE);
    CScreenBase::DrawFunction(key.get(), 1, 0, 2, 1, 0, 0);
    PixelSet keyPixels;
    for (int r = 0; r < 16; ++r)
        keyPixels.insert({1, r});
    for (int c = 0; c < 16; ++c)
        keyPixels.insert({18 + c, 2});
    ExpectPixels(*key, keyPixels, BLACK, WHITE);

    // Disabled: grey, no hand, the key at x.
    auto disabled = Surface(40, 16, WHITE);
    CScreenBase::DrawFunction(disabled.get(), 1, 1, 0, 3, 0, 1);
    PixelSet row0;
    for (int c = 0; c < 16; ++c)
        row0.insert({3 + c, 0});
    ExpectPixels(*disabled, row0, GREY, WHITE);

    // Lit without the hand: white on black.
    auto lit2 = Surface(40, 16, BLACK);
    CScreenBase::DrawFunction(lit2.get(), 0, 0, 0, 3, 0, 1);
    ExpectPixels(*lit2, row0, WHITE, BLACK);

    // A lookup that fails draws nothing.
    auto none = Surface(40, 16, WHITE);
    CScreenBase::DrawFunction(none.get(), 1, 0, 99, 0, 0, 0);
    CScreenBase::DrawLight(none.get(), 9, 0, 0);
    ExpectPixels(*none, {}, BLACK, WHITE);
}

TEST_F(PixelHelpersTest, WithoutLookupsNothingIsDrawnAndNothingCrashes)
{
    Install(nullptr, nullptr, nullptr, nullptr);
    auto dc = Surface(30, 20, WHITE);
    CScreenBase::DrawStringPixel(dc.get(), "A\xD6\xD0", 0, 0, 0);
    CScreenBase::DrawLight(dc.get(), 0, 0, 0);
    CScreenBase::DrawFunction(dc.get(), 1, 0, 0, 0, 0, 0);
    CScreenBase::DrawStringPixel(nullptr, "A", 0, 0, 0);
    CScreenBase::DrawStringPixel(dc.get(), nullptr, 0, 0, 0);
    ExpectPixels(*dc, {}, BLACK, WHITE);
}

TEST(GlobalDraw, BackgroundColourByIndex)
{
    CGlobalDraw* global = CGlobalDraw::GetInstance();
    ASSERT_EQ(global, CGlobalDraw::GetInstance());
    const int saved = global->GetBackColorIndex();
    global->SetBackColorIndex(1);
    EXPECT_EQ(global->GetBackColor(), 0x00FF00u);
    EXPECT_FALSE(global->CheckBackColorBlue());
    global->SetBackColorIndex(2);
    EXPECT_EQ(global->GetBackColor(), 0xFF3232u);
    EXPECT_TRUE(global->CheckBackColorBlue());
    CGlobalDraw copy(*global);
    EXPECT_TRUE(copy.CheckBackColorBlue());
    global->SetBackColorIndex(5);
    EXPECT_EQ(global->GetBackColor(), 0xFFFFFFu);
    copy = *global;
    EXPECT_FALSE(copy.CheckBackColorBlue());
    global->SetBackColorIndex(0);
    EXPECT_EQ(global->GetBackColor(), 0xFFFFFFu);
    global->SetBackColorIndex(saved);
}
