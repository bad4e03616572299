#include "devices/device_base.h"

#include "comkit/init_setting.h"
#include "comkit/owned_text.h"
#include "comkit/record_io.h"
#include "devices/catalogue_limits.h"
#include "devices/device_collection.h"
#include "devices/plc_base.h"
#include "devices/plc_collection.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

using COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri;
using COMMON_EX::CRecordReader;
using COMMON_EX::CRecordWriter;

namespace {

// Values of a model's settings section are read into buffers of this size.
const DWORD VALUE_BUFFER_SIZE = 200;

} // namespace

CDeviceBase::CDeviceBase() : CDeviceBase(0, 0, 0)
{
}

CDeviceBase::CDeviceBase(UINT deviceID, UINT screenWidth, UINT screenHeight)
    : m_uDeviceID(deviceID), m_uScreenWidth(screenWidth), m_uScreenHeight(screenHeight)
{
    m_serialAttri.SetBaudrate(CHADEXSerialAttri::BAUDRATE_38400);
}

CDeviceBase::~CDeviceBase()
{
    delete m_pPLC;
    delete[] m_pKeys;
}

UINT CDeviceBase::GetDeviceID()
{
    return m_uDeviceID;
}
UINT CDeviceBase::GetScreenWidth()
{
    return m_uScreenWidth;
}
UINT CDeviceBase::GetScreenHeight()
{
    return m_uScreenHeight;
}
int CDeviceBase::GetRegisterIntegerMaxCount()
{
    return m_nRegisterIntegerMaxCount;
}
int CDeviceBase::GetRegisterFloorMaxCount()
{
    return m_nRegisterFloorMaxCount;
}
CHADEXSerialAttri* CDeviceBase::GetPLCSerialAttributes()
{
    return &m_serialAttri;
}

void CDeviceBase::GetDeviceName(char* dest, int destSize)
{
    const char* name = CDeviceCollection::GetInstance()->ConvertDeviceIDToDeviceName(m_uDeviceID);
    if (name && destSize > 0)
        COMMON_EX::CopyTextCut(dest, size_t(destSize), name);
}

void CDeviceBase::SetPLC(CPLCBase* plc)
{
    if (plc == m_pPLC)
        return;
    delete m_pPLC;
    m_pPLC = plc;
}

void CDeviceBase::SetPLCSerialAttributes(CHADEXSerialAttri* source)
{
    m_serialAttri.Copy(source);
}

UINT CDeviceBase::GetPLCID()
{
    return m_pPLC ? m_pPLC->GetPLCID() : 0;
}

void CDeviceBase::GetPLCName(char* dest, int destSize)
{
    if (m_pPLC)
        m_pPLC->GetPLCName(dest, destSize);
}

int CDeviceBase::GetPLCStation()
{
    return m_pPLC ? m_pPLC->GetPLCStation() : 0;
}
int CDeviceBase::GetPLCStationVisibled()
{
    return m_pPLC ? m_pPLC->GetPLCStationVisibled() : 0;
}
int CDeviceBase::GetPLCStationDisabled()
{
    return m_pPLC ? m_pPLC->GetPLCStationDisabled() : 0;
}
int CDeviceBase::GetPLCRegisterDefIndex()
{
    return m_pPLC ? m_pPLC->GetPLCRegisterDefIndex() : 0;
}
int CDeviceBase::GetPLCCoilDefIndex()
{
    return m_pPLC ? m_pPLC->GetPLCCoilDefIndex() : 0;
}

int CDeviceBase::GetPLCRegisterCollection(int* codes, char** names, DWORD* values1, DWORD* values2, int maxCount)
{
    return m_pPLC ? m_pPLC->GetPLCRegisterCollection(codes, names, values1, values2, maxCount) : 0;
}

int CDeviceBase::GetPLCCoilCollection(int* codes, char** names, DWORD* values1, DWORD* values2, int maxCount)
{
    return m_pPLC ? m_pPLC->GetPLCCoilCollection(codes, names, values1, values2, maxCount) : 0;
}

DWORD CDeviceBase::ConvertPLCRegisterAddress(int kind, DWORD address)
{
    return m_pPLC ? m_pPLC->GetPLCRegisterRealData(kind, address) : address;
}

DWORD CDeviceBase::ConvertPLCCoilAddress(int kind, DWORD address)
{
    return m_pPLC ? m_pPLC->GetPLCCoilRealData(kind, address) : address;
}

int CDeviceBase::GetDeviceAllKeyCollection(char** names, int* codes, int maxCount)
{
    if (!names)
        return m_nKeyCount;
    int n = m_nKeyCount < maxCount ? m_nKeyCount : maxCount;
    if (n < 0)
        n = 0;
    for (int i = 0; i < n; ++i) {
        if (names[i])
            std::memcpy(names[i], m_pKeys[i].name, KEY_NAME_SIZE);
        if (codes)
            codes[i] = m_pKeys[i].code;
    }
    return n;
}

DWORD CDeviceBase::Compile(BYTE* buffer, DWORD size)
{
    (void)buffer;
    (void)size;
    return 0;
}

tagDeviceKey CDeviceBase::CreateDeviceKeyByString(const char* row)
{
    tagDeviceKey key;
    std::memset(&key, 0, sizeof key);
    const char* tab = row ? std::strchr(row, '\t') : nullptr;
    if (!tab)
        return key;
    key.code = std::atoi(row);
    std::strncpy(key.name, tab + 1, KEY_NAME_SIZE - 1);
    return key;
}

void CDeviceBase::LoadSettings(CInitSetting& store)
{
    char section[64];
    std::snprintf(section, sizeof section, "Settings_Device_Item_%u", m_uDeviceID);
    using namespace CATALOGUE_LIMITS;
    m_nRegisterIntegerMaxCount = ReadBounded(store, section, "Register_Integer_Max_Count", MAX_DIGITS);
    m_nRegisterFloorMaxCount = ReadBounded(store, section, "Register_Floor_Max_Count", MAX_DIGITS);
    delete[] m_pKeys;
    m_pKeys = nullptr;
    m_nKeyCount = ReadBounded(store, section, "Counts", MAX_KEYS);
    if (m_nKeyCount == 0)
        return;
    m_pKeys = new tagDeviceKey[size_t(m_nKeyCount)];
    char key[64];
    char value[VALUE_BUFFER_SIZE];
    for (int i = 0; i < m_nKeyCount; ++i) {
        std::snprintf(key, sizeof key, "Key_Index_%d", i);
        store.GetValue(section, key, value, sizeof value, "0");
        m_pKeys[i] = CreateDeviceKeyByString(value);
    }
}

DWORD CDeviceBase::Save(BYTE* buffer, DWORD size)
{
    if (!m_pPLC)
        return 0;
    DWORD plcSize = m_pPLC->Save(nullptr, 0);
    int keys = m_nKeyCount > 0 ? m_nKeyCount : 0;
    DWORD need = 12 + CHADEXSerialAttri::RECORD_SIZE + plcSize + 4 + DWORD(keys) * KEY_SIZE;
    if (!buffer)
        return need;
    if (size < need)
        return 0;
    CRecordWriter w(buffer);
    w.WriteDWORD(m_uDeviceID);
    w.WriteDWORD(m_uScreenWidth);
    w.WriteDWORD(m_uScreenHeight);
    w.Skip(m_serialAttri.Save(w.Current(), size - w.Written()));
    w.Skip(m_pPLC->Save(w.Current(), size - w.Written()));
    w.WriteInt(keys);
    for (int i = 0; i < keys; ++i) {
        w.WriteInt(m_pKeys[i].code);
        w.WriteBytes(m_pKeys[i].name, KEY_NAME_SIZE);
    }
    return w.Written();
}

DWORD CDeviceBase::Load(BYTE* buffer, DWORD size)
{
    CRecordReader r(buffer, size);
    DWORD id, width, height;
    if (!r.ReadDWORD(id))
        return r.Consumed();
    m_uDeviceID = id;
    // A display beyond the largest panel is a damaged record: the load stops there, so the
    // record is refused as cut.
    if (!r.ReadDWORD(width) || width > CATALOGUE_LIMITS::MAX_SCREEN_SIDE)
        return r.Consumed();
    m_uScreenWidth = width;
    if (!r.ReadDWORD(height) || height > CATALOGUE_LIMITS::MAX_SCREEN_SIDE)
        return r.Consumed();
    m_uScreenHeight = height;
    if (!r.Skip(m_serialAttri.Load(r.Current(), r.Remaining())) || r.Consumed() < 12 + CHADEXSerialAttri::RECORD_SIZE)
        return r.Consumed();

    SetPLC(nullptr);
    DWORD plcID;
    if (!r.PeekDWORD(plcID))
        return r.Consumed();
    std::unique_ptr<CPLCBase> plc(CPLCCollection::GetInstance()->CreatePLC(plcID));
    if (!plc)
        return r.Consumed();
    DWORD plcBytes = plc->Load(r.Current(), r.Remaining());
    r.Skip(plcBytes);
    bool plcWhole = plcBytes == plc->Save(nullptr, 0);

    if (plcWhole) {
        int count;
        if (r.ReadCount(count, KEY_SIZE)) {
            std::unique_ptr<tagDeviceKey[]> keys(count > 0 ? new tagDeviceKey[size_t(count)] : nullptr);
            for (int i = 0; i < count; ++i) {
                const BYTE* p = r.Current();
                keys[i].code = INT(COMMON_EX::ReadLE32(p));
                std::memcpy(keys[i].name, p + 4, KEY_NAME_SIZE);
                keys[i].name[KEY_NAME_SIZE - 1] = 0;
                r.Skip(KEY_SIZE);
            }
            delete[] m_pKeys;
            m_pKeys = keys.release();
            m_nKeyCount = count;
        }
    }
    // Through the virtual setter, so a model can adjust the PLC it was given.
    SetPLC(plc.release());
    return r.Consumed();
}
