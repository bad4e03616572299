// One screen of the panel project: its controls in creation, draw and selection order, its record,
// its share of the compile passes and the design view's editing operations; and the services a
// control asks of its screen: identifiers, default positions, the screen's origin and zoom in the
// design surface, the panel model's and PLC's answers, the selection and order marks, and the
// pixel helpers that paint the panel's own font, lamp and key bitmaps.
//
// Conventions for code that uses the screen:
// - Geometry is Qt's QPoint/QSize/QRect (see comkit/gui_ex_dc.h: QRect(x, y, w, h), exclusive right
//   edge x() + width(), never right()/bottom() as exclusive edges).
// - Texts are GBK bytes; CString arguments of the model are std::string holding GBK bytes.
// - Anything that draws takes a COM_GUI_EX::CGUIEXDC*, which stands for the device context.
// - PLC kind collections use DWORD (32-bit) value arrays, as the panel model does.
#pragma once

#include "controls/controls_api.h"

#include "comkit/record_io.h"
#include "comkit/serialize.h"
#include "comkit/types.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <memory>
#include <string>
#include <vector>

class CDeviceBase;
class CControlBase;

namespace COM_GUI_EX {
class CGUIEXDC;
}

class CONTROLS_API CScreenBase : public COM_INTERFACE_EX::ISerialize, public COM_INTERFACE_EX::ICompile {
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
    // The design view's zoom levels; a stored zoom outside them loads as DEFAULT_ZOOM_RATE.
    static constexpr double MIN_ZOOM_RATE = 1.0;
    static constexpr double MAX_ZOOM_RATE = 5.0;
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
    int GetPLCRegisterCollection(int* codes, char** names, DWORD* values1, DWORD* values2, int maxCount) const;
    int GetPLCRegisterDefIndex() const;
    int GetPLCCoilCollection(int* codes, char** names, DWORD* values1, DWORD* values2, int maxCount) const;
    int GetPLCCoilDefIndex() const;
    // The catalogue's address range of register kind `kind` (coil kind when coil), both ends
    // inclusive; false, leaving minimum and maximum alone, when the PLC has no such kind (or the
    // screen no panel model). The one source of the range for the pane and the project check.
    bool GetPLCAddressRange(bool coil, int kind, long long& minimum, long long& maximum) const;
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
    static void DrawFunction(COM_GUI_EX::CGUIEXDC* dc, int withPrefix, int disabled, int key, int x, int y, int lit);
    // A 16 x 16 image in `colour`.
    static void DrawPixel(COM_GUI_EX::CGUIEXDC* dc, const BYTE* bits, int x, int y, DWORD colour);

    // ================= the screen and its controls =================
    typedef COMMON_EX::CMNEXList<CControlBase> ControlList;
    typedef COMMON_EX::CMNEXList<QRect> RectList;

    static constexpr size_t MAX_SCREEN_NAME = 255;

    // ---- identity ----
    unsigned GetScreenID() const { return m_uScreenID; }
    void SetScreenID(unsigned id) { m_uScreenID = id; }
    // The name; a screen without one is named "Screen_<ID>" from then on.
    const char* GetScreenName();
    bool HasScreenName() const { return m_bHasName; }
    // A copy of at most 255 bytes; null leaves the screen unnamed.
    void SetScreenName(const char* name);

    // ---- controls ----
    // A new control of that type, selected alone (type 0) with a new ID, appended to the
    // selection, control and draw-order lists; null for an unknown type. The caller deselects
    // the previous selection first.
    CControlBase* AddControl(unsigned type);
    // Adds an existing control the same way (taking ownership); a new ID when newID is non-zero.
    // Returns the control's ID (0 for null).
    unsigned AddControl(CControlBase* control, int newID);
    CControlBase* GetControlByID(unsigned id) const;
    int GetControlCount() const { return m_listControls.GetCount(); }
    int GetCurrentSelectControlsCount() const { return m_listSelected.GetCount(); }
    // Controls of the static kinds (static text, picture).
    int GetStaticControlsCount() const;
    // Walk the draw order; GetNextControls returns null at the end.
    void StartGetControls() { m_pControlCursor = m_listLayout.GetHead(); }
    CControlBase* GetNextControls();
    // Snapshots: the draw order, the selection (last = primary), the creation order.
    std::vector<CControlBase*> GetLayoutControls() const { return Items(m_listLayout); }
    std::vector<CControlBase*> GetSelectedControls() const { return Items(m_listSelected); }
    std::vector<CControlBase*> GetCreatedControls() const { return Items(m_listControls); }
    // Re-reads the PLC kinds of every control (after the device or PLC changed).
    void AdjustControls();
    // A new screen on the same device holding a copy (new IDs) of every control, in the same
    // creation and draw order; no ID, name, selection, zoom or cursors.
    CScreenBase* Clone();

    // Draws every control in draw order.
    void DrawControls(COM_GUI_EX::CGUIEXDC* target);

    // ---- compile: one pass of the screens list over this screen's draw order ----
    enum CompilePass { PASS_REGISTERS = 0, PASS_LIGHTS = 1, PASS_OTHERS = 2, PASS_COUNT = 3 };
    // Appends the control records of the pass's kinds; returns the bytes written.
    DWORD GetCompileControlData(BYTE* buffer, DWORD size, int pass);
    // Appends the parameter records of the pass's kinds (static kinds contribute nothing).
    DWORD GetCompileControlParameterData(BYTE* buffer, DWORD size, int pass);
    // Appends the static text records; a null buffer only measures (and collects characters).
    DWORD GetCompileStaticControlText(BYTE* buffer, DWORD size);

    // ---- record ----
    // ID, name, next control ID, zoom, the controls in creation order, the origin and the
    // default-position cursor. Saving first numbers the level indices by draw order, so a load
    // restores the draw order. Load expects a new screen and never reads past size.
    DWORD Load(BYTE* buffer, DWORD size) override;
    DWORD Save(BYTE* buffer, DWORD size) override;
    DWORD Compile(BYTE* buffer, DWORD size) override;
    // False when the record was cut or held a control that does not load (unknown type, refused
    // or cut record): reading stops there, as Load does.
    bool LoadRecord(COMMON_EX::CRecordReader& reader);
    // The draw order of controls listed in creation order: ascending level index; equal levels
    // keep the order the exchange of loading has always given them. O(n log n) when the levels
    // are distinct, as saving makes them.
    static std::vector<CControlBase*> DrawOrderByLevel(std::vector<CControlBase*> order);

    // ================= editing (the design view's mouse and commands) =================
    // Design points and rectangles are design-surface pixels; positions are panel pixels.

    // The only selected control, else null.
    CControlBase* GetCurrentSelectControl() const;
    // -1 nothing selected, -2 several, else the draw-order position of the selected control.
    int GetSelectedControlIndex() const;

    // Click selection with ctrl / shift; `invalid` collects the area to repaint (may be null).
    // 1 when a control was hit.
    int MouseDown(int ctrl, int shift, const QPoint& point, QRect* invalid);
    // A click without movement: keeps only the selected controls under the point. 0 with a
    // modifier, else 1.
    int MouseUp(int ctrl, int shift, const QPoint& point, QRect* invalid);
    // 1 when the point lies on a selected control; otherwise deselects everything and returns 0.
    int RightClicked(const QPoint& point);
    // Deselects everything, uniting the old frames into `invalid`; 1 when anything was selected.
    int SetControlsAllNotSelected(QRect* invalid);
    // Selects only the control at that draw-order position; 0 when there is none.
    int SelectControlByLayoutIndex(int index, QRect* invalid);

    // Drag: the zoomed rectangle of each selected control at the same position of `rects`
    // (entries are reused; missing ones are appended with new, and the caller deletes the
    // list's items); their union into `bound`. Returns the selection count.
    int GetSelectedCtlRectangles(RectList& rects, QRect* bound);
    // The i-th selected control takes its position from the i-th moved rectangle.
    int SelectedCtlRectanglesChange(RectList& rects);
    // Rubber band (design pixels); with shift it toggles against the current selection.
    // Returns the selection count.
    int SelectedCtlWithRectanglesChange(int shift, const QRect* band);
    // Copy-drag: copies of the selected controls placed from the rectangles become the selection.
    int CopySelectedCtlToMovedRectanglesChange(RectList& rects);

    void MoveSelectedControls(const QSize& offset);
    // Moves the selection as one block, keeping the controls' layout among themselves, to the
    // first place (the block's top-left corner scanned row by row over the panel, one pixel a
    // step) where none of them covers another control; true when it moved. The selection stays
    // where it is when it covers nothing already, when no such place exists or without a panel
    // model. Invisible function keys and empty rectangles cover nothing (as the project check
    // counts overlaps).
    bool PlaceSelectionWhereFree();
    // Alignment on the primary selection (the last selected control).
    void SetSelectedControlAlignLeft();
    void SetSelectedControlAlignRight();
    void SetSelectedControlAlignTop();
    void SetSelectedControlAlignBottom();
    void SetSelectedControlHorizontalCenter();
    void SetSelectedControlVerticalCenter();
    // Equal gaps between more than two selected controls; the outer ones stay.
    void SetSelectedControlHorizontalDSame();
    void SetSelectedControlVerticalDSame();
    void DeleteSelectedControls();
    void DeleteControlByID(unsigned id);

    // Clipboard record: the caller's buffer size, tick count, K, then K control records in
    // selection order. A null buffer returns the size needed; too little room writes nothing
    // and returns 0. With cut the written controls leave the screen.
    static constexpr DWORD CLIPBOARD_HEADER_SIZE = 12;
    static constexpr int PASTE_STEP = 6;
    static const char* const CONTROLS_CLIPBOARD_FORMAT; // registered clipboard format name
    DWORD CopySelectedControlsCode(BYTE* buffer, DWORD size, int cut);
    // Pastes the record from its count on (offset 8 of the clipboard record), offset by
    // 6 * (pasteCount + 1); pasteCount becomes 0 when a control refused the offset. Only whole
    // records before an unknown, cut or refused one are pasted. Returns the controls pasted.
    int PasteControlsFromData(BYTE* data, DWORD size, DWORD& pasteCount);

    // Undo helpers: copies (same IDs and names) of the selected controls in selection order;
    // empty without a selection. The default-position cursor is left alone.
    std::vector<std::unique_ptr<CControlBase>> CopySelectedControls();
    // The same in an array of new[] (null when there is no selection); the caller owns the array
    // and the copies. Returns the count.
    int GetSelectedControlsCopy(int& count, CControlBase**& copies);
    // Swaps attributes between each copy and the control with its ID; returns the swaps made.
    int ModifyControls(int count, CControlBase** copies);
    // A copy of `control` for this screen with the same ID, values and stored name, made without
    // moving the default-position cursor of new controls; the caller owns it. Null for a null
    // control.
    CControlBase* CopyForUndo(CControlBase* control);

    // Register input order: numbers the registers in draw order (on) or clears the numbers.
    // Returns the number of registers.
    int SetRegisterOrderNow(int on);
    int GetRegisterOrderNow() const { return m_nRegisterOrderMode; }
    // Moves the register under the point to draw-order position `counter` and advances the
    // counter (back to 0 after the last register). 0 when no register was hit.
    int ClickControlChangOrder(const QPoint& point, int& counter);

private:
    static std::vector<CControlBase*> Items(const ControlList& list);
    static ControlList::Node* FindNode(const ControlList& list, const CControlBase* control);
    static bool RemoveFrom(ControlList& list, const CControlBase* control);
    static void RemoveAll(ControlList& list);
    void CreateTitleByDefaultID();
    // Removes a control from all three lists and deletes it.
    void DestroyControl(CControlBase* control);
    void DestroyAllControls();
    void ReplaceLayout(const std::vector<CControlBase*>& order);
    void NumberLevelsByLayout();
    DWORD GetRecordSize() const;
    void SaveRecord(COMMON_EX::CRecordWriter& writer) const;

    // Editing helpers.
    QPoint DesignToScreen(const QPoint& point) const;
    // Topmost control (last in draw order) containing a screen point; registers only on request.
    CControlBase* HitControl(const QPoint& screenPoint, bool registersOnly) const;
    void ResetMultiSelectedControlStatus(QRect* invalid);
    // Position from a dragged rectangle's left/top.
    void PlaceFromRect(CControlBase* control, const QRect& rect) const;
    // Inserts control into array[0..count) before the first entry with a greater X (Y).
    static void AddControlToArray(CControlBase* control, CControlBase** array, int& count, int byY);
    void EqualSpacing(bool vertical);

    // Members in the screen's declaration order.
    COM_GUI_EX::CGUIEXDC* m_pSelectedRect = nullptr;
    COM_GUI_EX::CGUIEXDC* m_pOrderIndexRect = nullptr;
    unsigned m_uScreenID = 0;
    std::string m_strName;
    bool m_bHasName = false;
    int m_nNextControlID = 0;
    double m_dZoomRate = DEFAULT_ZOOM_RATE;
    CDeviceBase* m_pDependenceDevice = nullptr;
    ControlList m_listSelected; // selection order, not owning
    ControlList m_listLayout;   // draw order, not owning
    ControlList m_listControls; // creation order, owning
    int m_nScreenX = 0;
    int m_nScreenY = 0;
    int m_nNextX = DEFAULT_POS_START;
    int m_nNextY = DEFAULT_POS_START;
    int m_nColumnX = DEFAULT_POS_START;
    int m_nRowY = DEFAULT_POS_START;
    ControlList::Node* m_pControlCursor = nullptr;
    int m_nRegisterOrderMode = 0;
};
