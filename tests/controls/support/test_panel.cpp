#include "support/test_panel.h"

#include <algorithm>
#include <cstdio>

namespace ControlsTest {

namespace {

int CopyNames(const std::vector<std::string>& from, int* codes, char** names, DWORD* v1, DWORD* v2, int max)
{
    const int n = std::min(int(from.size()), max);
    for (int i = 0; i < n; ++i) {
        if (codes)
            codes[i] = i;
        std::snprintf(names[i], 20, "%s", from[size_t(i)].c_str());
        if (v1)
            v1[i] = 0;
        if (v2)
            v2[i] = 65535;
    }
    return n;
}

// Row patterns of the tables.
BYTE AsciiRow(BYTE code, int row)
{
    return BYTE(code * 7 + row * 29 + 1);
}
WORD ChineseRow(WORD code, int row)
{
    return WORD(code * 31 + row * 1237 + 5);
}
WORD ImageRow(int seed, int row)
{
    return WORD(seed * 97 + row * 4099 + 3);
}
constexpr int PREFIX_SEED = 1000;

int LookupAscii(BYTE code, BYTE* bits)
{
    for (int r = 0; r < 12; ++r)
        bits[r] = AsciiRow(code, r);
    return 1;
}

int LookupChinese(WORD code, BYTE* bits)
{
    for (int r = 0; r < 12; ++r) {
        bits[2 * r] = BYTE(ChineseRow(code, r) >> 8);
        bits[2 * r + 1] = BYTE(ChineseRow(code, r));
    }
    return 1;
}

void FillImage(int seed, BYTE* bits)
{
    for (int r = 0; r < 16; ++r) {
        bits[2 * r] = BYTE(ImageRow(seed, r));
        bits[2 * r + 1] = BYTE(ImageRow(seed, r) >> 8);
    }
}

int LookupLight(int image, BYTE* bits)
{
    FillImage(image, bits);
    return 1;
}

int LookupFunction(int key, BYTE* prefix, BYTE* image)
{
    FillImage(PREFIX_SEED, prefix);
    FillImage(key, image);
    return 1;
}

} // namespace

CTestDevice::CTestDevice(UINT deviceID, UINT width, UINT height) : CDeviceBase(deviceID, width, height)
{
}

void CTestDevice::SetSize(UINT width, UINT height)
{
    m_uScreenWidth = width;
    m_uScreenHeight = height;
}

void CTestDevice::GetDeviceName(char* dest, int destSize)
{
    if (dest && destSize > 0)
        std::snprintf(dest, size_t(destSize), "%s", name.c_str());
}

int CTestDevice::GetPLCRegisterCollection(int* codes, char** names, DWORD* v1, DWORD* v2, int max)
{
    return CopyNames(registers, codes, names, v1, v2, max);
}

int CTestDevice::GetPLCCoilCollection(int* codes, char** names, DWORD* v1, DWORD* v2, int max)
{
    return CopyNames(coils, codes, names, v1, v2, max);
}

int CTestDevice::GetDeviceAllKeyCollection(char** names, int* codes, int max)
{
    if (!names)
        return int(keys.size());
    return CopyNames(keys, codes, names, nullptr, nullptr, max);
}

CTestPanel::CTestPanel(UINT width, UINT height, UINT deviceID) : device(deviceID, width, height)
{
    screen.SetDependenceDevice(&device);
    screen.SetScreenZoomRate(1.0);
}

CGlyphTables::CGlyphTables()
{
    CScreenBase::s_GetAsciiCharPixel = LookupAscii;
    CScreenBase::s_GetChineseCharPixel = LookupChinese;
    CScreenBase::s_GetLightPixel = LookupLight;
    CScreenBase::s_GetFunctionPixel = LookupFunction;
}

CGlyphTables::~CGlyphTables()
{
    CScreenBase::s_GetAsciiCharPixel = nullptr;
    CScreenBase::s_GetChineseCharPixel = nullptr;
    CScreenBase::s_GetLightPixel = nullptr;
    CScreenBase::s_GetFunctionPixel = nullptr;
}

bool CGlyphTables::AsciiPixel(BYTE code, int column, int row)
{
    return column >= 0 && column < 8 && row >= 0 && row < 12 && (AsciiRow(code, row) >> (7 - column)) & 1;
}

bool CGlyphTables::ChinesePixel(WORD code, int column, int row)
{
    return column >= 0 && column < 13 && row >= 0 && row < 12 && (ChineseRow(code, row) >> (15 - column)) & 1;
}

bool CGlyphTables::LightPixel(int image, int column, int row)
{
    return column >= 0 && column < 16 && row >= 0 && row < 16 && (ImageRow(image, row) >> column) & 1;
}

bool CGlyphTables::FunctionPixel(int key, bool prefix, int column, int row)
{
    return LightPixel(prefix ? PREFIX_SEED : key, column, row);
}

void DrawExpectedText(CBitmap& bitmap, const char* gbk, int x, int y)
{
    for (const BYTE* p = reinterpret_cast<const BYTE*>(gbk); *p;) {
        if (*p > 0x7F && p[1]) {
            const WORD code = WORD(p[0] | (p[1] << 8));
            for (int r = 0; r < 12; ++r)
                for (int c = 0; c < 13; ++c)
                    if (CGlyphTables::ChinesePixel(code, c, r))
                        bitmap.Set(x + c, y + r);
            x += 13;
            p += 2;
        } else {
            for (int r = 0; r < 12; ++r)
                for (int c = 0; c < 8; ++c)
                    if (CGlyphTables::AsciiPixel(*p, c, r))
                        bitmap.Set(x + c, y + r);
            x += 8;
            ++p;
        }
    }
}

} // namespace ControlsTest
