// One control on one screen: identity, six attribute groups, geometry kept inside the panel's
// screen, the PLC binding, drawing at the design view's zoom, copying and its record.
#pragma once

#include "controls/controls_api.h"

#include "controls/attributes.h"

#include "comkit/serialize.h"

#include <QRect>

#include <array>
#include <memory>
#include <string>
#include <vector>

class CScreenBase;

namespace COM_GUI_EX {
class CGUIEXDC;
}

class CONTROLS_API CControlBase : public COM_INTERFACE_EX::ISerialize, public COM_INTERFACE_EX::ICompile {
public:
    // Stored in the records; 1 and 7 are the static kinds, the others parameter controls.
    enum ControlsType {
        CONTROL_NONE = 0,
        CONTROL_STATIC_TEXT = 1,
        CONTROL_REGISTER = 2,
        CONTROL_LIGHT = 3,
        CONTROL_FUNCTION = 4,
        CONTROL_CURVE = 5,
        CONTROL_CTLBAR = 6,
        CONTROL_PICTURE = 7,
        CONTROL_ACTIVATE_TEXT = 8,
    };

    static constexpr int SELECTED_RECT_LEN = 6; // side of a selection handle
    static constexpr DWORD COL_SELECTED = 0x6E543F;
    static const char* const s_ControlDefFontName; // "新宋体"
    static const double s_ControlDefFontSize;

    // Takes its default position and PLC settings from the screen (which must not be null).
    explicit CControlBase(CScreenBase* screen);
    ~CControlBase() override;
    CControlBase(const CControlBase&) = delete;
    CControlBase& operator=(const CControlBase&) = delete;

    // Record: type, identifier, the six group records, name. A record that is cut, of another
    // control type, without the kind's attributes, or whose geometry does not lie inside the
    // screen's panel (GeometryFitsScreen) changes nothing; Load then returns the
    // bytes read before the cut, or 0 for a refused record, and LoadRecord returns false.
    DWORD Load(BYTE* buffer, DWORD size) override;
    DWORD Save(BYTE* buffer, DWORD size) override;
    DWORD Compile(BYTE* buffer, DWORD size) override;
    bool LoadRecord(COMMON_EX::CRecordReader& reader);
    DWORD GetRecordSize() const;
    void SaveRecord(COMMON_EX::CRecordWriter& writer) const;

    // ---- identity ----
    ControlsType GetControlType() const { return m_nType; }
    unsigned GetControlID() const { return m_uID; }
    void SetControlID(unsigned id) { m_uID = id; }
    CScreenBase* GetScreenPointer() const { return m_pScreen; }
    // The name; a control without one is named "[Control <identifier>]" from then on.
    const char* GetControlName();
    bool HasControlName() const { return m_bHasName; }
    // Stores a copy; null removes the name.
    virtual void SetControlName(const char* name);

    // ---- geometry (the layout checks apply; setters return 0 when refused) ----
    int SetX(int x) { return m_groups.layout->SetX(x); }
    int GetX() const { return m_groups.layout->GetX(); }
    int SetY(int y) { return m_groups.layout->SetY(y); }
    int GetY() const { return m_groups.layout->GetY(); }
    int SetWidth(int width) { return m_groups.layout->SetWidth(width); }
    int GetWidth() const { return m_groups.layout->GetWidth(); }
    int SetHeight(int height) { return m_groups.layout->SetHeight(height); }
    int GetHeight() const { return m_groups.layout->GetHeight(); }
    // Position in the design surface: the screen origin plus X (Y), held to the int range.
    int GetXInScreen() const;
    int GetYInScreen() const;
    // True when X, Y, width and height are non-negative and the rectangle lies inside the panel
    // (any size passes on a screen without a panel model).
    bool GeometryFitsScreen() const;
    // (XInScreen, YInScreen, width, height).
    void GetControlRect(QRect& rect) const;
    // The control rectangle grown by 6 left, up and right and by 12 down.
    void GetControlFrameRect(QRect& rect) const;

    // ---- appearance, selection, order ----
    void SetZoomOnce(int zoomOnce) { m_groups.display->SetZoomOnce(zoomOnce); }
    int GetZoomOnce() const { return m_groups.display->GetZoomOnce(); }
    void SetInvertColor(int invert) { m_groups.display->SetInvertColor(invert); }
    int GetInvertColor() const { return m_groups.display->GetInvertColor(); }
    void SetSelected(int selected) { m_groups.hide->SetSelected(selected); }
    int GetSelected() const { return m_groups.hide->GetSelected(); }
    void SetMultipleSelectedType(int type) { m_groups.hide->SetMultipleSelectedType(type); }
    int GetMultipleSelectedType() const { return m_groups.hide->GetMultipleSelectedType(); }
    void SetLevelIndex(int index) { m_groups.hide->SetLevelIndex(index); }
    int GetLevelIndex() const { return m_groups.hide->GetLevelIndex(); }
    // The input-order number (0 = none), drawn as a numbered badge.
    void SetDrawOrderID(int order);
    int GetDrawOrderID() const { return m_nDrawOrderID; }

    // ---- PLC binding ----
    void SetPLCStation(int station) { m_groups.data->SetPLCStation(station); }
    int GetPLCStation() const { return m_groups.data->GetPLCStation(); }
    void SetRegister(int index) { m_groups.data->SetRegister(index); }
    int GetRegister() const { return m_groups.data->GetRegister(); }
    void SetRegisterAddr(int address) { m_groups.data->SetRegisterAddr(address); }
    int GetRegisterAddr() const { return m_groups.data->GetRegisterAddr(); }
    void SetCoil(int index) { m_groups.data->SetCoil(index); }
    int GetCoil() const { return m_groups.data->GetCoil(); }
    void SetCoilAddr(int address) { m_groups.data->SetCoilAddr(address); }
    int GetCoilAddr() const { return m_groups.data->GetCoilAddr(); }
    // Re-reads the PLC's register and coil kinds (after the device or PLC changed), keeping each
    // kind whose name the new PLC also has; addresses stay.
    void AdjustAddress();

    // ---- attribute groups ----
    virtual CHideAttributes* GetHideAtttribute() const { return m_groups.hide.get(); }
    virtual CLayoutAttributes* GetLayoutAtttribute() const { return m_groups.layout.get(); }
    virtual CDisplayAttributes* GetDisplayAtttribute() const { return m_groups.display.get(); }
    virtual CCustomAttributes* GetCustomAtttribute() const { return m_groups.custom.get(); }
    virtual CDataAttributes* GetDataAtttribute() const { return m_groups.data.get(); }
    virtual COtherAttributes* GetOtherAtttribute() const { return m_groups.other.get(); }

    // ---- compile output (the download image's tables) ----
    // Numbering across one compile; the screens list resets the counters before its passes.
    static BYTE s_byCompileControlID;        // next control-table entry
    static BYTE s_byCompileParameterIndex;   // next parameter
    static BYTE s_byCompileLabelStringIndex; // last static text numbered (the first gets 1)
    static WORD s_wStaticTextLength;         // characters of all static texts compiled
    // Characters the static texts use, each once in order of first use. A double-byte value
    // is lead byte + trail byte * 256.
    static std::vector<BYTE> s_listASCII;
    static std::vector<WORD> s_listChinese;
    enum { COMPILE_CONTROL_SIZE = 16, COMPILE_PARAMETER_SIZE = 17, MAX_COMPILE_TEXT_CHARS = 255 };

    // Empties both character lists and sets the static text length to 0.
    static void ResetCompileCharacters();
    // Appends each character of a GBK text that the lists do not hold yet.
    static void CollectCompileCharacters(const char* text);
    // Number of characters of a GBK text (a double-byte character counts once).
    static int CountCompileCharacters(const char* text);

    // The 16-byte control record; returns 16. With a null buffer or less room nothing is
    // written, no counter moves, and the return is 16 or 0.
    DWORD GetCompileControlData(BYTE* out, DWORD size);
    // The 17-byte parameter record of a register, lamp or function key (trend, bar chart and
    // dynamic text write a record holding only their index, so the table stays aligned with the
    // control records); 0 for the static kinds. Room as above.
    DWORD GetCompileControlParameterData(BYTE* out, DWORD size);
    // A static text's record FF, N, then two bytes per character (2 + 2N bytes). Collects the
    // characters and adds N to s_wStaticTextLength, also for a size query (null out); 0 for
    // other kinds. A text longer than 255 characters is compiled as its first 255.
    DWORD GetCompileStaticControlText(BYTE* out, DWORD size);

    // Called by every attribute of the control after a change.
    void AttributesChanged() { RefreshDraw(); }
    int GetRedrawMark() const { return m_nRedraw; }
    int GetOrderRedrawMark() const { return m_nOrderRedraw; }
    void ClearRedrawMarks() { m_nRedraw = m_nOrderRedraw = 0; }

    // ---- drawing, copying, status ----
    // Draws the control black on white into an off-screen surface, then onto target at the
    // screen's zoom (ANDed, or white with black transparent on the blue background), with the
    // selection handles and the input-order badge.
    virtual void Draw(COM_GUI_EX::CGUIEXDC* target);
    // A control of the same class for `screen` with equal values; a new identifier from that
    // screen when newID is non-zero; no stored name. Null when screen is null.
    std::unique_ptr<CControlBase> CloneOwned(CScreenBase* screen, int newID);
    // The same, owned by the caller.
    virtual CControlBase* Clone(CScreenBase* screen, int newID);
    // Makes this control equal to source: identifier, name, type and values.
    virtual void CopyAttributes(CControlBase* source);
    // The kind's display name, with kind-specific additions.
    virtual void GetSelectedStatusString(std::string& status);

    // The layout callbacks (first argument the control).
    static int PreviousXChangeHandle(void* control, void* attribute, const CAttrValue* value);
    static int PreviousYChangeHandle(void* control, void* attribute, const CAttrValue* value);
    static int PreviousWidthChangeHandle(void* control, void* attribute, const CAttrValue* value);
    static int PreviousHeightChangeHandle(void* control, void* attribute, const CAttrValue* value);
    static void WidthChangedHandle(void* control, void* attribute, const CAttrValue* value);
    static void HeightChangedHandle(void* control, void* attribute, const CAttrValue* value);
    // The run of values an edit in the attribute pane may give one of the control's integer
    // attributes, when the control names it: for the register and coil addresses the catalogue
    // range of the kind now chosen (both ends inclusive). False for every other attribute and for
    // a kind the PLC does not have. The setters themselves stay open (a stored file, an import
    // and a kind change keep what they give, and the project check reports what lies outside).
    bool GetValidRange(const CAttributeBase* attribute, long long& first, long long& last) const;

protected:
    virtual void PreviousDraw(COM_GUI_EX::CGUIEXDC* dc);
    virtual void DrawObject(COM_GUI_EX::CGUIEXDC* dc);
    virtual void AfterDraw(COM_GUI_EX::CGUIEXDC* dc);
    void DrawSelectedHandles(COM_GUI_EX::CGUIEXDC* target);
    void DrawOrderIndex(COM_GUI_EX::CGUIEXDC* target);

    virtual void AddHideAtttribute(CAttributeBase* attribute) { m_groups.hide->AddAtttribute(attribute); }
    virtual void AddLayoutAtttribute(CAttributeBase* attribute) { m_groups.layout->AddAtttribute(attribute); }
    virtual void AddDisplayAtttribute(CAttributeBase* attribute) { m_groups.display->AddAtttribute(attribute); }
    virtual void AddCustomAtttribute(CAttributeBase* attribute) { m_groups.custom->AddAtttribute(attribute); }
    virtual void AddDataAtttribute(CAttributeBase* attribute) { m_groups.data->AddAtttribute(attribute); }
    virtual void AddOtherAtttribute(CAttributeBase* attribute) { m_groups.other->AddAtttribute(attribute); }
    // Appends a kind's own attribute to `group` (one of this control's) at the position the kind
    // names for it. The position must be the group's next one (checked in debug builds), so an
    // attribute appended elsewhere cannot shift the kind's attributes without notice.
    static void AppendAttributeAt(CAttrList* group, int position, CAttributeBase* attribute);
    // The attribute at a named position of `group` when it is of class T, else null.
    template <class T>
    static T* AttributeAt(const CAttrList* group, int position)
    {
        return dynamic_cast<T*>(group->GetAttributeAt(position));
    }

    virtual int InsidePreviousXChange(int x);
    virtual int InsidePreviousYChange(int y);
    virtual int InsidePreviousWidthChange(int width);
    virtual int InsidePreviousHeightChange(int height);
    virtual void InsideWidthChanged();
    virtual void InsideHeightChanged();

    // Attaches the callbacks to the attributes (at construction and after a load) and binds the
    // kind's pointers to its attributes by position; false when a kind attribute is missing or
    // of another class. Kinds call the base first.
    virtual bool BindAttributes();
    // Copies the kind's own values and then the common ones, in the kind's order (Clone and
    // CopyAttributes). The base copies the common values.
    virtual void CopyValuesFrom(CControlBase* source);
    // Width and height first, then position, so a valid source always fits; then appearance.
    void CopyGeometryAndAppearance(CControlBase* source);
    void CopyPLCValues(CControlBase* source);
    // True while CopyValuesFrom runs (edit-only checks stand aside).
    bool IsCopyingValues() const { return m_bCopyingValues; }

    // Makes the PLC station, register and coil attributes visible as the kinds need them; the
    // station only where the screen shows stations.
    void ShowPLCStation();
    void ShowRegister();
    void ShowCoil();

    // Width and height become the measured size of a panel text (layout checks apply).
    void FitToText(const char* text);

    // " [MODBUS 寄存器地址: <a> (0x<A>)]" or the same for the coil, with the converted address,
    // when the screen's PLC is the free protocol.
    void AppendRegisterStatus(std::string& status) const;
    void AppendCoilStatus(std::string& status) const;

    void RefreshDraw() { m_nRedraw = 1; }
    void RefreshOrderDraw() { m_nOrderRedraw = 1; }

    // The control a callback was given (attributes pass their CControlBase* as void*).
    template <class T = CControlBase>
    static T* ControlOf(void* control)
    {
        return static_cast<T*>(static_cast<CControlBase*>(control));
    }

    // Sets the type (kind constructors).
    void SetControlType(ControlsType type) { m_nType = type; }

private:
    // The six groups in record order.
    struct Groups {
        std::unique_ptr<CHideAttributes> hide;
        std::unique_ptr<CLayoutAttributes> layout;
        std::unique_ptr<CDisplayAttributes> display;
        std::unique_ptr<CCustomAttributes> custom;
        std::unique_ptr<CDataAttributes> data;
        std::unique_ptr<COtherAttributes> other;
    };
    enum LoadResult { LOAD_OK, LOAD_CUT, LOAD_REJECTED };
    LoadResult LoadFields(COMMON_EX::CRecordReader& reader);
    std::array<CAttrList*, 6> AllGroups() const;
    void FetchPLCKinds(bool coils, std::vector<std::string>& names) const;
    void FillDataFromScreen();
    // The six groups of a control: with their defaults, or empty for LoadGroups to fill.
    static Groups NewGroups(CControlBase* parent, CTypedAttrList::Content content = CTypedAttrList::WITH_DEFAULTS);
    static bool LoadGroups(Groups& groups, COMMON_EX::CRecordReader& reader);
    static int ValueOf(const CAttrValue* value) { return value ? value->GetInt32() : 0; }

    std::string m_strName;
    bool m_bHasName = false;
    ControlsType m_nType = CONTROL_NONE;
    unsigned m_uID = 0;
    CScreenBase* m_pScreen;
    int m_nDrawOrderID = 0;
    Groups m_groups;
    int m_nRedraw = 0;
    int m_nOrderRedraw = 0;
    bool m_bCopyingValues = false;
};
