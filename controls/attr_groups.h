// The six attribute groups every control owns. Each group creates its attributes in a fixed
// order, keeps typed pointers to them and re-binds those pointers by position after a load.
#pragma once

#include "controls/controls_api.h"

#include "controls/attr_list.h"
#include "controls/attribute_enum.h"
#include "controls/attribute_kinds.h"

// A group whose first attributes have fixed kinds. After a load whose record does not hold them
// (cut, unknown kind, other kinds in their places) the group returns to its fresh state, so its
// typed pointers always point at attributes of the right class.
class CONTROLS_API CTypedAttrList : public CAttrList {
public:
    // What a new group holds: its fixed attributes with their defaults, or nothing until a
    // LoadRecord fills it (a group made only to be loaded; its typed pointers are null until
    // then, and a load that does not bind them gives it its defaults as for any group).
    enum Content { WITH_DEFAULTS, EMPTY_FOR_LOAD };

    bool LoadRecord(COMMON_EX::CRecordReader& reader) override;

protected:
    using CAttrList::CAttrList;
    // Creates the fixed attributes with their defaults and binds them.
    virtual void CreateAttributes() = 0;
    // Binds the typed pointers to the attributes at their positions; false when one is missing
    // or of another class.
    virtual bool BindAttributes() = 0;
    // After a successful load.
    virtual void AfterLoad() {}

    template <class T>
    bool BindAt(T*& pointer, int index)
    {
        pointer = dynamic_cast<T*>(GetAttributeAt(index));
        return pointer != nullptr;
    }
};

class CONTROLS_API CHideAttributes : public CTypedAttrList {
public:
    // Positions of the hidden attributes, appended in this order by CreateAttributes; a kind
    // appends its own from POS_KIND_FIRST on.
    enum Position { POS_SELECTED, POS_MULTIPLE_SELECTED_TYPE, POS_LEVEL_INDEX, POS_KIND_FIRST };

    explicit CHideAttributes(CControlBase* parent, Content content = WITH_DEFAULTS);
    CAttrList* Clone(CControlBase* owner) const override;

    void SetSelected(int selected) { *m_pSelected = selected; }
    int GetSelected() const { return *m_pSelected; }
    // Stored as a 32-bit integer in a yes/no attribute.
    void SetMultipleSelectedType(int type);
    int GetMultipleSelectedType() const { return *m_pMultipleSelectedType; }
    void SetLevelIndex(int index) { *m_pLevelIndex = index; }
    int GetLevelIndex() const { return *m_pLevelIndex; }

protected:
    void CreateAttributes() override;
    bool BindAttributes() override;
    // A loaded control is never selected.
    void AfterLoad() override;

private:
    CAttributeBool* m_pSelected = nullptr;
    CAttributeBool* m_pMultipleSelectedType = nullptr;
    CAttributeInt* m_pLevelIndex = nullptr;
};

class CONTROLS_API CLayoutAttributes : public CTypedAttrList {
public:
    // Positions of the layout attributes, appended in this order by CreateAttributes.
    enum Position { POS_X, POS_Y, POS_WIDTH, POS_HEIGHT };

    explicit CLayoutAttributes(CControlBase* parent, Content content = WITH_DEFAULTS);
    CAttrList* Clone(CControlBase* owner) const override;

    // Each returns SetValue's result: 0 when the control refused the value.
    int SetX(int x) { return SetInt(m_pX, x); }
    int GetX() const { return *m_pX; }
    int SetY(int y) { return SetInt(m_pY, y); }
    int GetY() const { return *m_pY; }
    int SetWidth(int width) { return SetInt(m_pWidth, width); }
    int GetWidth() const { return *m_pWidth; }
    int SetHeight(int height) { return SetInt(m_pHeight, height); }
    int GetHeight() const { return *m_pHeight; }

    CAttributeInt* GetXAttribute() const { return m_pX; }
    CAttributeInt* GetYAttribute() const { return m_pY; }
    CAttributeInt* GetWidthAttribute() const { return m_pWidth; }
    CAttributeInt* GetHeightAttribute() const { return m_pHeight; }

protected:
    void CreateAttributes() override;
    bool BindAttributes() override;

private:
    static int SetInt(CAttributeInt* attribute, int value);

    CAttributeInt* m_pX = nullptr;
    CAttributeInt* m_pY = nullptr;
    CAttributeInt* m_pWidth = nullptr;
    CAttributeInt* m_pHeight = nullptr;
};

class CONTROLS_API CDisplayAttributes : public CTypedAttrList {
public:
    // Positions of the appearance attributes, appended in this order by CreateAttributes.
    enum Position { POS_ZOOM_ONCE, POS_INVERT_COLOR };

    explicit CDisplayAttributes(CControlBase* parent, Content content = WITH_DEFAULTS);
    CAttrList* Clone(CControlBase* owner) const override;

    void SetZoomOnce(int zoomOnce) { *m_pZoomOnce = zoomOnce; }
    int GetZoomOnce() const { return *m_pZoomOnce; }
    void SetInvertColor(int invert) { *m_pInvertColor = invert; }
    int GetInvertColor() const { return *m_pInvertColor; }
    void SetInvertColorReadonly(int readonly) { m_pInvertColor->SetReadonly(readonly); }
    int GetInvertColorReadonly() const { return m_pInvertColor->GetReadonly(); }

protected:
    void CreateAttributes() override;
    bool BindAttributes() override;

private:
    CAttributeBool* m_pZoomOnce = nullptr;
    CAttributeBool* m_pInvertColor = nullptr;
};

// The kinds append their own properties here.
class CONTROLS_API CCustomAttributes : public CAttrList {
public:
    explicit CCustomAttributes(CControlBase* parent);
    CAttrList* Clone(CControlBase* owner) const override;
};

class CONTROLS_API CDataAttributes : public CTypedAttrList {
public:
    static const char* const DATA_ATTR_LIST_NAME;          // "数据"
    static const char* const ATTR_PLC_STATION_NAME;        // "PLC站号"
    static const char* const ATTR_REGISTER_NAME;           // "寄存器号"
    static const char* const ATTR_REGISTER_ADDR_NAME;      // "寄存器地址"
    static const char* const ATTR_REGISTER_ADDR_REAL_NAME; // "寄存器MODBUS"
    static const char* const ATTR_COIL_NAME;               // "线圈号"
    static const char* const ATTR_COIL_ADDR_NAME;          // "线圈地址"
    static const char* const ATTR_COIL_ADDR_REAL_NAME;     // "线圈MODBUS"

    // Positions of the common data attributes, appended in this order by CreateAttributes; a
    // kind appends its own from POS_KIND_FIRST on.
    enum Position { POS_PLC_STATION, POS_REGISTER, POS_REGISTER_ADDR, POS_COIL, POS_COIL_ADDR, POS_KIND_FIRST };

    explicit CDataAttributes(CControlBase* parent, Content content = WITH_DEFAULTS);
    CAttrList* Clone(CControlBase* owner) const override;

    void SetPLCStation(int station) { *m_pPLCStation = station; }
    int GetPLCStation() const { return *m_pPLCStation; }
    void SetRegister(int index) { *m_pRegister = index; }
    int GetRegister() const { return *m_pRegister; }
    void SetRegisterAddr(int address) { *m_pRegisterAddr = address; }
    int GetRegisterAddr() const { return *m_pRegisterAddr; }
    void SetCoil(int index) { *m_pCoil = index; }
    int GetCoil() const { return *m_pCoil; }
    void SetCoilAddr(int address) { *m_pCoilAddr = address; }
    int GetCoilAddr() const { return *m_pCoilAddr; }

    void SetPLCStationVisible(int visible) { m_pPLCStation->SetVisible(visible); }
    int GetPLCStationVisible() const { return m_pPLCStation->GetVisible(); }
    void SetRegisterVisible(int visible) { m_pRegister->SetVisible(visible); }
    int GetRegisterVisible() const { return m_pRegister->GetVisible(); }
    void SetRegisterAddrVisible(int visible) { m_pRegisterAddr->SetVisible(visible); }
    int GetRegisterAddrVisible() const { return m_pRegisterAddr->GetVisible(); }
    void SetCoilVisible(int visible) { m_pCoil->SetVisible(visible); }
    int GetCoilVisible() const { return m_pCoil->GetVisible(); }
    void SetCoilAddrVisible(int visible) { m_pCoilAddr->SetVisible(visible); }
    int GetCoilAddrVisible() const { return m_pCoilAddr->GetVisible(); }

    CAttributeInt* GetPLCStationAttribute() const { return m_pPLCStation; }
    CAttributeEnum* GetRegisterAttribute() const { return m_pRegister; }
    CAttributeEnum* GetCoilAttribute() const { return m_pCoil; }
    CAttributeInt* GetRegisterAddrAttribute() const { return m_pRegisterAddr; }
    CAttributeInt* GetCoilAddrAttribute() const { return m_pCoilAddr; }

protected:
    void CreateAttributes() override;
    bool BindAttributes() override;

private:
    CAttributeInt* m_pPLCStation = nullptr;
    CAttributeEnum* m_pRegister = nullptr;
    CAttributeInt* m_pRegisterAddr = nullptr;
    CAttributeEnum* m_pCoil = nullptr;
    CAttributeInt* m_pCoilAddr = nullptr;
};

class CONTROLS_API COtherAttributes : public CAttrList {
public:
    explicit COtherAttributes(CControlBase* parent);
    CAttrList* Clone(CControlBase* owner) const override;
};
