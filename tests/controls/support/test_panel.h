// Test doubles for control tests: a panel model with fixed answers, a screen on it, small known
// pixel tables for the screen's lookups, and a recorder standing in for a drop-down list.
#pragma once

#include "controls/attr_combo.h"
#include "controls/screen_base.h"

#include "devices/device_base.h"

#include <string>
#include <vector>

namespace ControlsTest {

// Every query a control makes answers from these fields. Address conversion adds 1000 (registers)
// or 2000 (coils) per kind position, so the kind used is visible in the result.
class CTestDevice : public CDeviceBase {
public:
    CTestDevice(UINT deviceID, UINT width, UINT height);

    std::string name = "TESTPANEL";
    UINT plcID = 100;
    int integerMax = 5;
    int floorMax = 4;
    int station = 1;
    int stationVisible = 1;
    int stationDisabled = 0;
    int registerDefIndex = 1;
    int coilDefIndex = 3;
    std::vector<std::string> registers{"4X", "D", "T", "C", "3X", "R", "W"};
    std::vector<std::string> coils{"0X", "X", "Y", "M", "S", "T", "C"};
    std::vector<std::string> keys{"F1", "F2", "F3", "F4"};

    void SetSize(UINT width, UINT height);
    void GetDeviceName(char* dest, int destSize) override;
    UINT GetPLCID() override { return plcID; }
    int GetRegisterIntegerMaxCount() override { return integerMax; }
    int GetRegisterFloorMaxCount() override { return floorMax; }
    int GetPLCStation() override { return station; }
    int GetPLCStationVisibled() override { return stationVisible; }
    int GetPLCStationDisabled() override { return stationDisabled; }
    int GetPLCRegisterDefIndex() override { return registerDefIndex; }
    int GetPLCCoilDefIndex() override { return coilDefIndex; }
    int GetPLCRegisterCollection(int* codes, char** names, DWORD* v1, DWORD* v2, int max) override;
    int GetPLCCoilCollection(int* codes, char** names, DWORD* v1, DWORD* v2, int max) override;
    DWORD ConvertPLCRegisterAddress(int kind, DWORD address) override { return address + 1000u * DWORD(kind); }
    DWORD ConvertPLCCoilAddress(int kind, DWORD address) override { return address + 2000u * DWORD(kind); }
    int GetDeviceAllKeyCollection(char** names, int* codes, int max) override;
};

// A screen on its own test device (128 x 64 unless told), zoom 1 and origin (0, 0).
struct CTestPanel {
    explicit CTestPanel(UINT width = 128, UINT height = 64, UINT deviceID = 100);
    CTestDevice device;
    CScreenBase screen;
};

// Pixel tables with a known, code-dependent pattern, installed while the object lives.
class CGlyphTables {
public:
    CGlyphTables();
    ~CGlyphTables();
    CGlyphTables(const CGlyphTables&) = delete;
    CGlyphTables& operator=(const CGlyphTables&) = delete;

    // Whether the glyph or image has its pixel at (column, row).
    static bool AsciiPixel(BYTE code, int column, int row);
    static bool ChinesePixel(WORD code, int column, int row);
    static bool LightPixel(int image, int column, int row);
    // The hand prefix (prefix = true) or the image of key `key`.
    static bool FunctionPixel(int key, bool prefix, int column, int row);
};

// Remembers what an attribute put into its drop-down list.
class CComboRecorder : public IAttrComboBox {
public:
    void ResetContent() override
    {
        items.clear();
        ++resets;
    }
    void AddString(const char* text) override { items.emplace_back(text); }
    void SetCurSel(int index) override { selected = index; }

    std::vector<std::string> items;
    int selected = -100;
    int resets = 0;
};

// A monochrome picture for expected drawings.
class CBitmap {
public:
    CBitmap(int width, int height) : m_w(width), m_h(height), m_on(size_t(width * height), 0) {}
    int Width() const { return m_w; }
    int Height() const { return m_h; }
    void Set(int x, int y, bool on = true)
    {
        if (x >= 0 && y >= 0 && x < m_w && y < m_h)
            m_on[size_t(y * m_w + x)] = on;
    }
    bool Get(int x, int y) const { return x >= 0 && y >= 0 && x < m_w && y < m_h && m_on[size_t(y * m_w + x)]; }
    void Invert()
    {
        for (auto& p : m_on)
            p = !p;
    }

private:
    int m_w, m_h;
    std::vector<char> m_on;
};

// The pixels a GBK text sets in the panel font of CGlyphTables, drawn at (x, y) of `bitmap`.
void DrawExpectedText(CBitmap& bitmap, const char* gbk, int x, int y);

} // namespace ControlsTest

#include "comkit/serialize.h"

namespace ControlsTest {

// Save(null) and Save(buffer) of an object, checked to agree.
inline std::vector<BYTE> SaveBytes(COM_INTERFACE_EX::ISerialize& object)
{
    const DWORD size = object.Save(nullptr, 0);
    std::vector<BYTE> bytes(size + 8, 0xEE);
    const DWORD written = object.Save(bytes.data(), size);
    bytes.resize(written == size ? size : 0);
    return bytes;
}

// The bytes of a little-endian record built field by field.
class CBytes {
public:
    CBytes& Dword(DWORD v)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(BYTE(v >> (8 * i)));
        return *this;
    }
    CBytes& Word(WORD v)
    {
        m_bytes.push_back(BYTE(v));
        m_bytes.push_back(BYTE(v >> 8));
        return *this;
    }
    CBytes& Zeros(int n)
    {
        m_bytes.insert(m_bytes.end(), size_t(n), 0);
        return *this;
    }
    CBytes& Text(const std::string& text)
    {
        Dword(DWORD(text.size()));
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        return *this;
    }
    CBytes& Append(const std::vector<BYTE>& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    const std::vector<BYTE>& Get() const { return m_bytes; }
    operator const std::vector<BYTE>&() const { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

} // namespace ControlsTest
