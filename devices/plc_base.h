// A PLC protocol: station settings, register and coil kinds, and address conversion.
#pragma once

#include "devices/devices_api.h"

#include "comkit/serialize.h"

class CInitSetting;

// Record: PLC ID, company name (length + text), register kinds (count + 32-byte entries),
// coil kinds (count + 32-byte entries), all little-endian. Station settings and default indices
// are not in the record: Load takes them from the catalogue file.
class DEVICES_API CPLCBase : public COM_INTERFACE_EX::ISerialize, public COM_INTERFACE_EX::ICompile {
public:
    // One register or coil kind, stored byte for byte in the record.
    struct PHYSICS_INFO {
        INT code;      // first column of the catalogue row
        char name[20]; // display name, at most 19 bytes, zero-filled
        INT value1;    // third column
        INT value2;    // fourth column
    };
    static constexpr int PHYSICS_INFO_SIZE = 32;
    static constexpr int PHYSICS_NAME_SIZE = 20;

    CPLCBase();
    ~CPLCBase() override;
    CPLCBase(const CPLCBase&) = delete;
    CPLCBase& operator=(const CPLCBase&) = delete;

    // A record cut short stops at the last whole field; the returned count then differs from
    // Save(nullptr, 0), which is how a caller tells a damaged record.
    DWORD Load(BYTE* buffer, DWORD size) override;
    // Null buffer: the record size. With less room than that, writes nothing and returns 0.
    DWORD Save(BYTE* buffer, DWORD size) override;
    // Line address of address in the kind at position kind; unchanged here.
    virtual DWORD GetPLCRegisterRealData(int kind, DWORD address);
    virtual DWORD GetPLCCoilRealData(int kind, DWORD address);
    DWORD Compile(BYTE* buffer, DWORD size) override;

    UINT GetPLCID() const { return m_uPLCID; }
    int GetPLCIDOffset() const { return m_nPLCIDOffset; }
    void SetPLCIDOffset(int offset) { m_nPLCIDOffset = offset; }

    // The catalogue name of the PLC ID, cut to destSize - 1 bytes; dest unchanged when unknown.
    void GetPLCName(char* dest, int destSize) const;

    const char* GetCompanyName() const { return m_pszCompanyName; }
    void SetCompanyName(const char* name);

    int GetPLCStation() const { return m_nStation; }
    int GetPLCStationVisibled() const { return m_nStationVisibled; }
    int GetPLCStationDisabled() const { return m_nStationDisabled; }
    int GetPLCRegisterDefIndex() const { return m_nRegisterDefIndex; }
    int GetPLCCoilDefIndex() const { return m_nCoilDefIndex; }

    // Copies code, name (into buffers of at least 20 bytes), value1 and value2 of the first
    // min(count, maxCount) kinds; returns the number copied (the stored count when there is none).
    // Null arrays are skipped.
    int GetPLCRegisterCollection(int* codes, char** names, DWORD* values1, DWORD* values2, int maxCount) const;
    int GetPLCCoilCollection(int* codes, char** names, DWORD* values1, DWORD* values2, int maxCount) const;
    int GetPLCRegisterCount() const { return m_nRegisterCount; }
    int GetPLCCoilCount() const { return m_nCoilCount; }

    // Reads the "Physics_Item_<PLC ID + offset>" section: station settings, kinds, default indices.
    void LoadSettings(CInitSetting& store);

    // Parses one kind row "code<TAB>name<TAB>value1<TAB>value2" (all zero unless exactly 4 columns).
    static PHYSICS_INFO CreatPLCPhysicsStructByString(const char* row);

    // Radix helpers: an address typed in binary, octal or hexadecimal is held as the number whose
    // decimal digits are the typed digits.
    static DWORD ConvertB2D(DWORD value);
    static DWORD ConvertO2D(DWORD value);
    static DWORD ConvertH2D(DWORD value);
    static DWORD ConvertD2B(DWORD value);
    static DWORD ConvertD2O(DWORD value);
    static DWORD ConvertD2H(DWORD value);

protected:
    explicit CPLCBase(UINT plcID);

    // INI key names and row formats of the protocol's catalogue section.
    const char* m_pszSectionPattern;
    const char* m_pszStationKey;
    const char* m_pszStationVisibledKey;
    const char* m_pszStationDisabledKey;
    const char* m_pszRegisterCountKey;
    const char* m_pszRegisterRowPattern;
    const char* m_pszRegisterRowFormat;
    const char* m_pszRegisterDefIndexKey;
    const char* m_pszCoilCountKey;
    const char* m_pszCoilRowPattern;
    const char* m_pszCoilRowFormat;
    const char* m_pszCoilDefIndexKey;

    UINT m_uPLCID = 0;
    int m_nPLCIDOffset = 0;
    char* m_pszCompanyName = nullptr;
    int m_nStation = 0;
    int m_nStationVisibled = 0;
    int m_nStationDisabled = 0;
    PHYSICS_INFO* m_pRegisters = nullptr;
    int m_nRegisterCount = 0;
    int m_nRegisterDefIndex = 0;
    PHYSICS_INFO* m_pCoils = nullptr;
    int m_nCoilCount = 0;
    int m_nCoilDefIndex = 0;
};

static_assert(sizeof(CPLCBase::PHYSICS_INFO) == CPLCBase::PHYSICS_INFO_SIZE, "PHYSICS_INFO is a 32-byte record");
