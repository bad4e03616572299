// A panel model: display size, keys, digit limits, serial line and the PLC protocol it talks.
#pragma once

#include "devices/devices_api.h"

#include "comkit/serial_attri.h"
#include "comkit/serialize.h"

class CInitSetting;
class CPLCBase;

// One key of the panel, stored byte for byte in the device record.
struct DEVICES_API tagDeviceKey {
    INT code;      // key code (first column of the catalogue row)
    char name[20]; // label, at most 19 bytes, zero-filled
};
static_assert(sizeof(tagDeviceKey) == 24, "tagDeviceKey is a 24-byte record");

// Record: device ID, screen width, screen height, serial attributes (40 bytes), PLC record,
// key count and 24-byte keys, little-endian. The digit limits are not in the record.
// Screens and controls ask the panel model, never the PLC object, about the PLC.
class DEVICES_API CDeviceBase : public COM_INTERFACE_EX::ISerialize, public COM_INTERFACE_EX::ICompile {
public:
    static constexpr int KEY_SIZE = 24;
    static constexpr int KEY_NAME_SIZE = 20;

    CDeviceBase();
    ~CDeviceBase() override;
    CDeviceBase(const CDeviceBase&) = delete;
    CDeviceBase& operator=(const CDeviceBase&) = delete;

    // A record cut short (or naming an unknown PLC) stops at the last whole field; the returned
    // count then differs from Save(nullptr, 0), which is how a caller tells a damaged record.
    DWORD Load(BYTE* buffer, DWORD size) override;
    // Null buffer: the record size. Without a PLC object, or with less room than the record
    // needs, writes nothing and returns 0.
    DWORD Save(BYTE* buffer, DWORD size) override;

    virtual UINT GetDeviceID();
    // The catalogue name of the device ID, cut to destSize - 1 bytes; dest unchanged when unknown.
    virtual void GetDeviceName(char* dest, int destSize);
    // Deletes the PLC object held so far and takes ownership of plc (may be null).
    virtual void SetPLC(CPLCBase* plc);
    // Copies the settings of source (null is ignored).
    virtual void SetPLCSerialAttributes(COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri* source);
    // Forwarded to the PLC object; 0 (dest unchanged for GetPLCName) without one.
    virtual UINT GetPLCID();
    virtual void GetPLCName(char* dest, int destSize);
    virtual int GetRegisterIntegerMaxCount();
    virtual int GetRegisterFloorMaxCount();
    virtual int GetPLCStation();
    virtual int GetPLCStationVisibled();
    virtual int GetPLCStationDisabled();
    virtual int GetPLCRegisterCollection(int* codes, char** names, DWORD* values1, DWORD* values2, int maxCount);
    virtual int GetPLCRegisterDefIndex();
    virtual int GetPLCCoilCollection(int* codes, char** names, DWORD* values1, DWORD* values2, int maxCount);
    virtual int GetPLCCoilDefIndex();
    // The PLC object's line address; address unchanged without a PLC object.
    virtual DWORD ConvertPLCRegisterAddress(int kind, DWORD address);
    virtual DWORD ConvertPLCCoilAddress(int kind, DWORD address);
    // The held settings; they stay owned by the panel model.
    virtual COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri* GetPLCSerialAttributes();
    virtual UINT GetScreenWidth();
    virtual UINT GetScreenHeight();
    // names null: the key count. Otherwise copies label (into buffers of at least 20 bytes) and
    // code of the first min(count, maxCount) keys and returns the number copied.
    virtual int GetDeviceAllKeyCollection(char** names, int* codes, int maxCount);

    DWORD Compile(BYTE* buffer, DWORD size) override;

    // The PLC object held (owned by the panel model), or null.
    CPLCBase* GetPLC() const { return m_pPLC; }
    int GetKeyCount() const { return m_nKeyCount; }

    // Reads "Settings_Device_Item_<device ID>": digit limits and keys.
    void LoadSettings(CInitSetting& store);

    // Parses one key row "code<TAB>label" (all zero without a TAB).
    static tagDeviceKey CreateDeviceKeyByString(const char* row);

protected:
    CDeviceBase(UINT deviceID, UINT screenWidth, UINT screenHeight);

    UINT m_uDeviceID = 0;
    UINT m_uScreenWidth = 0;
    UINT m_uScreenHeight = 0;
    COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri m_serialAttri;
    CPLCBase* m_pPLC = nullptr;
    int m_nRegisterIntegerMaxCount = 0;
    int m_nRegisterFloorMaxCount = 0;
    tagDeviceKey* m_pKeys = nullptr;
    int m_nKeyCount = 0;
};
