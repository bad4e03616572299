// One screen of the panel project. This header carries the services a control asks of its screen:
// identifiers, default positions, the screen's origin and zoom in the design surface, the panel
// model's and PLC's answers, the selection and order marks, and the pixel helpers that paint the
// panel's own font, lamp and key bitmaps.
//
// Conventions for code that uses the screen:
// - Geometry is Qt's QPoint/QSize/QRect (see comkit/gui_ex_dc.h: QRect(x, y, w, h), exclusive right
//   edge x() + width(), never right()/bottom() as exclusive edges).
// - Texts are GBK bytes; CString arguments of the model are std::string holding GBK bytes.
// - Anything that draws takes a COM_GUI_EX::CGUIEXDC*, which stands for the device context.
// - PLC kind collections use DWORD (32-bit) value arrays, as the panel model does.
#pragma once

#include "comkit/serialize.h"
#include "comkit/types.h"

#include <string>

class CDeviceBase;
class CControlBase;

namespace COM_GUI_EX {
class CGUIEXDC;
}

class CScreenBase : public COM_INTERFACE_EX::ISerialize, public COM_INTERFACE_EX::ICompile {
public:
    // Pixel lookups installed by the editor; each returns non-zero when it filled the buffer.
    // ASCII: 16-byte glyph (12 rows used, one byte per row, bit 7 = column 0).
    typedef int (*GetAsciiCharPixelFunc)(BYTE code, BYTE* bits);
    // Double-byte: 24-byte glyph (12 big-endian rows, bit 15 = column 0); low byte of code = lead byte.
    typedef int (*GetChineseCharPixelFunc)(WORD code, BYTE* bits);
    // Lamp: 32-byte 16x16 image (little-endian rows, bit 0 = column 0).
    typedef int (*GetLightPixelFunc)(int image, BYTE* bits);
    // Function key: 32-byte prefix (hand) image and 32-byte key image, laid out like a lamp.
    typedef int (*GetFunctionPixelFunc)(int key, BYTE* prefix, BYTE* image);

    static BYTE s_byScreenID; // screen being compiled, from 1
    static GetAsciiCharPixelFunc s_GetAsciiCharPixel;
    static GetChineseCharPixelFunc s_GetChineseCharPixel;
    static GetLightPixelFunc s_GetLightPixel;
    static GetFunctionPixelFunc s_GetFunctionPixel;

    // Sizes of the panel bitmaps and the marks.
    enum {
        CHAR_HEIGHT = 12,
        ASCII_CHAR_WIDTH = 8,
        CHINESE_CHAR_WIDTH = 13,
        ASCII_PIXEL_BYTES = 16,
        CHINESE_PIXEL_BYTES = 24,
        IMAGE_PIXEL_BYTES = 32,
        IMAGE_SIZE = 16,
        FUNCTION_PREFIX_WIDTH = 17,
        HANDLE_SIZE = 6,
        ORDER_MARK_SIZE = 20,
        DEVICE_TEXT_LEN = 260
    };
    static constexpr DWORD SELECTED_COLOR = 0x6E543F;
    static constexpr DWORD ORDER_MARK_BACK_COLOR = 0x53F003;
    static constexpr DWORD FUNCTION_DISABLED_COLOR = 0x888888;
    static constexpr UINT FREE_PLC_ID = 100;
    static constexpr double DEFAULT_ZOOM_RATE = 4.0;
    static constexpr int DEFAULT_POS_START = 6;
    static constexpr int DEFAULT_POS_STEP = 6;
    static constexpr int DEFAULT_POS_MARGIN = 12;

    CScreenBase();
    ~CScreenBase() override;
    CScreenBase(const CScreenBase&) = delete;
    CScreenBase& operator=(const CScreenBase&) = delete;

    // Zoom and origin of the screen in the design surface.
    void SetScreenZoomRate(double zoom) { m_dZoomRate = zoom; }
    double GetScreenZoomRate() const { return m_dZoomRate; }
    void SetScreenX(int x) { m_nScreenX = x; }
    int GetScreenX() const { return m_nScreenX; }
    void SetScreenY(int y) { m_nScreenY = y; }
    int GetScreenY() const { return m_nScreenY; }

    // Identifier for a new control (post-increment counter).
    int GetNewControlID() { return m_nNextControlID++; }
    int GetNextControlID() const { return m_nNextControlID; }
    void SetNextControlID(int id) { m_nNextControlID = id; }
    // Next position of the diagonal cascade of new controls.
    void GetControlDefPos(int& x, int& y);
    // The cascade state: next X, next Y, column X, row Y (saved with the screen).
    void GetDefPosCursor(int& nextX, int& nextY, int& columnX, int& rowY) const;
    void SetDefPosCursor(int nextX, int nextY, int columnX, int rowY);

    // Panel model (not owned) and its answers; 0 / empty without a device.
    void SetDependenceDevice(CDeviceBase* device) { m_pDependenceDevice = device; }
    CDeviceBase* GetDependenceDevice() const { return m_pDependenceDevice; }
    int GetScreenWidth() const;
    int GetScreenHeight() const;
    // Panel size times zoom, halves rounded up.
    int GetDrawScreenWidth() const;
    int GetDrawScreenHeight() const;
    void GetDeviceName(std::string& name) const;
    void GetPLCName(std::string& name) const;
    int IsPLCFree() const; // the PLC is the one with identifier 100
    int GetRegisterIntegerMaxCount() const;
    int GetRegisterFloorMaxCount() const;
    // Key labels into `names` (20-byte buffers) and codes; null names asks for the count.
    int GetDeviceAllKeysCollection(char** names, int* codes, int maxCount) const;
    int GetPLCStation() const;
    int GetPLCStationVisibled() const;
    int GetPLCStationDisabled() const;
    // Kinds: codes, names (20-byte buffers), two values each; returns the number copied (<= max).
    int GetPLCRegisterCollection(int* codes, char** names, DWORD* values1, DWORD* values2,
                                 int maxCount) const;
    int GetPLCRegisterDefIndex() const;
    int GetPLCCoilCollection(int* codes, char** names, DWORD* values1, DWORD* values2,
                             int maxCount) const;
    int GetPLCCoilDefIndex() const;
    // Line address of a typed address; the address itself without a device.
    DWORD ConvertPLCRegisterAddress(int kind, DWORD address) const;
    DWORD ConvertPLCCoilAddress(int kind, DWORD address) const;

    // Marks. The handle image is 12 x 6: a filled square at x 0 and an outlined one at x 6. The
    // order image is a 20 x 20 badge. Create* replaces the image; Get* creates it on first use.
    void CreateSelectedRectangle(const COM_GUI_EX::CGUIEXDC* compatible);
    void CreateOrderIndexRectangle(const COM_GUI_EX::CGUIEXDC* compatible);
    COM_GUI_EX::CGUIEXDC* GetSelectedRectangle();
    COM_GUI_EX::CGUIEXDC* GetOrderIndexRectangle();

    // Panel pixel helpers. `white` / `lit` choose white (0xFFFFFF) over black. Without an
    // installed lookup nothing is drawn, but positions advance as usual.
    // Width of a GBK text: 8 per single-byte, 13 per double-byte character; an empty (or null)
    // text measures as one blank (8). Height is 12. Returns the width.
    static int GetStringLength(const char* text, int& width, int& height);
    static void DrawStringPixel(COM_GUI_EX::CGUIEXDC* dc, const char* text, int x, int y, int white);
    static void DrawChineseChar(COM_GUI_EX::CGUIEXDC* dc, const BYTE* bits, int x, int y, int white);
    static void DrawAsciiChar(COM_GUI_EX::CGUIEXDC* dc, const BYTE* bits, int x, int y, int white);
    static void DrawLight(COM_GUI_EX::CGUIEXDC* dc, int image, int x, int y);
    // Prefix (hand) at x and the key 17 further right when withPrefix and not disabled; grey when
    // disabled, else white when lit, else black.
    static void DrawFunction(COM_GUI_EX::CGUIEXDC* dc, int withPrefix, int disabled, int key, int x,
                             int y, int lit);
    // A 16 x 16 image in `colour`.
    static void DrawPixel(COM_GUI_EX::CGUIEXDC* dc, const BYTE* bits, int x, int y, DWORD colour);

    // Screen records, control lists and editing join this class later; until then a screen
    // saves and compiles to nothing.

private:
    // Members in the screen's declaration order (list members are inserted where marked).
    COM_GUI_EX::CGUIEXDC* m_pSelectedRect = nullptr;
    COM_GUI_EX::CGUIEXDC* m_pOrderIndexRect = nullptr;
    // screen ID and name
    int m_nNextControlID = 0;
    double m_dZoomRate = DEFAULT_ZOOM_RATE;
    CDeviceBase* m_pDependenceDevice = nullptr;
    // selection, draw-order and control lists
    int m_nScreenX = 0;
    int m_nScreenY = 0;
    int m_nNextX = DEFAULT_POS_START;
    int m_nNextY = DEFAULT_POS_START;
    int m_nColumnX = DEFAULT_POS_START;
    int m_nRowY = DEFAULT_POS_START;
};
