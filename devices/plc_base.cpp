#include "devices/plc_base.h"

#include "comkit/init_setting.h"
#include "comkit/owned_text.h"
#include "comkit/record_io.h"
#include "devices/catalogue_limits.h"
#include "devices/plc_collection.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using COMMON_EX::CRecordReader;
using COMMON_EX::CRecordWriter;

namespace {

// Values of a protocol's section are read into buffers of this size.
const DWORD VALUE_BUFFER_SIZE = 255;

// Reads a kind table of count rows "<rowPattern>" 0, 1, ...
void ReadKinds(CInitSetting& store, const char* section, const char* countKey, const char* rowPattern,
               CPLCBase::PHYSICS_INFO*& table, int& count)
{
    delete[] table;
    table = nullptr;
    count = CATALOGUE_LIMITS::ReadBounded(store, section, countKey, CATALOGUE_LIMITS::MAX_KINDS);
    if (count == 0)
        return;
    table = new CPLCBase::PHYSICS_INFO[size_t(count)];
    char key[64];
    char value[VALUE_BUFFER_SIZE];
    for (int i = 0; i < count; ++i) {
        std::snprintf(key, sizeof key, rowPattern, i);
        store.GetValue(section, key, value, sizeof value, "0");
        table[i] = CPLCBase::CreatPLCPhysicsStructByString(value);
    }
}

int CopyKinds(const CPLCBase::PHYSICS_INFO* table, int count, int* codes, char** names, DWORD* values1, DWORD* values2,
              int maxCount)
{
    if (count <= 0)
        return count;
    int n = count < maxCount ? count : maxCount;
    if (n < 0)
        n = 0;
    for (int i = 0; i < n; ++i) {
        if (codes)
            codes[i] = table[i].code;
        if (names && names[i])
            std::memcpy(names[i], table[i].name, CPLCBase::PHYSICS_NAME_SIZE);
        if (values1)
            values1[i] = DWORD(table[i].value1);
        if (values2)
            values2[i] = DWORD(table[i].value2);
    }
    return n;
}

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '"' || c == ',';
}

// The first token of a column: leading separators skipped, up to the next separator.
std::string FirstToken(const std::string& column)
{
    size_t b = 0;
    while (b < column.size() && IsSeparator(column[b]))
        ++b;
    size_t e = b;
    while (e < column.size() && !IsSeparator(column[e]))
        ++e;
    return column.substr(b, e - b);
}

void WriteKind(CRecordWriter& w, const CPLCBase::PHYSICS_INFO& k)
{
    w.WriteInt(k.code);
    w.WriteBytes(k.name, CPLCBase::PHYSICS_NAME_SIZE);
    w.WriteInt(k.value1);
    w.WriteInt(k.value2);
}

void ReadKind(const BYTE* p, CPLCBase::PHYSICS_INFO& k)
{
    k.code = INT(COMMON_EX::ReadLE32(p));
    std::memcpy(k.name, p + 4, CPLCBase::PHYSICS_NAME_SIZE);
    k.name[CPLCBase::PHYSICS_NAME_SIZE - 1] = 0;
    k.value1 = INT(COMMON_EX::ReadLE32(p + 24));
    k.value2 = INT(COMMON_EX::ReadLE32(p + 28));
}

// A kind table (count and entries) read whole or not at all.
bool ReadKindTable(CRecordReader& r, CPLCBase::PHYSICS_INFO*& table, int& count)
{
    int n;
    if (!r.ReadCount(n, CPLCBase::PHYSICS_INFO_SIZE))
        return false;
    CPLCBase::PHYSICS_INFO* fresh = n > 0 ? new CPLCBase::PHYSICS_INFO[size_t(n)] : nullptr;
    for (int i = 0; i < n; ++i) {
        ReadKind(r.Current(), fresh[i]);
        r.Skip(CPLCBase::PHYSICS_INFO_SIZE);
    }
    delete[] table;
    table = fresh;
    count = n;
    return true;
}

} // namespace

CPLCBase::CPLCBase() : CPLCBase(0)
{
}

CPLCBase::CPLCBase(UINT plcID)
    : m_pszSectionPattern("Physics_Item_%d"), m_pszStationKey("PLC_Station"),
      m_pszStationVisibledKey("PLC_Station_Visibled"), m_pszStationDisabledKey("PLC_Station_Disabled"),
      m_pszRegisterCountKey("Register_Count"), m_pszRegisterRowPattern("Register_Index_%d"),
      m_pszRegisterRowFormat("%d\t%s\t%d\t%d"), m_pszRegisterDefIndexKey("Register_Def_Index"),
      m_pszCoilCountKey("Coil_Count"), m_pszCoilRowPattern("Coil_Index_%d"), m_pszCoilRowFormat("%d\t%s\t%d\t%d"),
      m_pszCoilDefIndexKey("Coil_Def_Index"), m_uPLCID(plcID)
{
}

CPLCBase::~CPLCBase()
{
    delete[] m_pszCompanyName;
    delete[] m_pRegisters;
    delete[] m_pCoils;
}

void CPLCBase::GetPLCName(char* dest, int destSize) const
{
    const char* name = CPLCCollection::GetInstance()->ConvertPLCIDToPLCName(m_uPLCID);
    if (name && destSize > 0)
        COMMON_EX::CopyTextCut(dest, size_t(destSize), name);
}

void CPLCBase::SetCompanyName(const char* name)
{
    COMMON_EX::AssignText(m_pszCompanyName, name);
}

int CPLCBase::GetPLCRegisterCollection(int* codes, char** names, DWORD* values1, DWORD* values2, int maxCount) const
{
    return CopyKinds(m_pRegisters, m_nRegisterCount, codes, names, values1, values2, maxCount);
}

int CPLCBase::GetPLCCoilCollection(int* codes, char** names, DWORD* values1, DWORD* values2, int maxCount) const
{
    return CopyKinds(m_pCoils, m_nCoilCount, codes, names, values1, values2, maxCount);
}

DWORD CPLCBase::GetPLCRegisterRealData(int kind, DWORD address)
{
    (void)kind;
    return address;
}

DWORD CPLCBase::GetPLCCoilRealData(int kind, DWORD address)
{
    (void)kind;
    return address;
}

DWORD CPLCBase::Compile(BYTE* buffer, DWORD size)
{
    (void)buffer;
    (void)size;
    return 0;
}

void CPLCBase::LoadSettings(CInitSetting& store)
{
    char section[64];
    std::snprintf(section, sizeof section, m_pszSectionPattern, int(m_uPLCID) + m_nPLCIDOffset);
    m_nStation = store.GetInt(section, m_pszStationKey);
    m_nStationVisibled = store.GetInt(section, m_pszStationVisibledKey);
    m_nStationDisabled = store.GetInt(section, m_pszStationDisabledKey);
    ReadKinds(store, section, m_pszRegisterCountKey, m_pszRegisterRowPattern, m_pRegisters, m_nRegisterCount);
    m_nRegisterDefIndex = store.GetInt(section, m_pszRegisterDefIndexKey);
    ReadKinds(store, section, m_pszCoilCountKey, m_pszCoilRowPattern, m_pCoils, m_nCoilCount);
    m_nCoilDefIndex = store.GetInt(section, m_pszCoilDefIndexKey);
}

CPLCBase::PHYSICS_INFO CPLCBase::CreatPLCPhysicsStructByString(const char* row)
{
    PHYSICS_INFO info;
    std::memset(&info, 0, sizeof info);
    if (!row)
        return info;
    std::vector<std::string> columns;
    const char* start = row;
    for (;;) {
        const char* tab = std::strchr(start, '\t');
        columns.push_back(FirstToken(std::string(start, tab ? size_t(tab - start) : std::strlen(start))));
        if (!tab)
            break;
        start = tab + 1;
    }
    if (columns.size() != 4)
        return info;
    info.code = std::atoi(columns[0].c_str());
    std::strncpy(info.name, columns[1].c_str(), PHYSICS_NAME_SIZE - 1);
    info.value1 = std::atoi(columns[2].c_str());
    info.value2 = std::atoi(columns[3].c_str());
    return info;
}

DWORD CPLCBase::Save(BYTE* buffer, DWORD size)
{
    int regs = m_nRegisterCount > 0 ? m_nRegisterCount : 0;
    int coils = m_nCoilCount > 0 ? m_nCoilCount : 0;
    DWORD need = 4 + CRecordWriter::StringSize(m_pszCompanyName) + 4 + DWORD(regs) * PHYSICS_INFO_SIZE + 4 +
                 DWORD(coils) * PHYSICS_INFO_SIZE;
    if (!buffer)
        return need;
    if (size < need)
        return 0;
    CRecordWriter w(buffer);
    w.WriteDWORD(m_uPLCID);
    w.WriteString(m_pszCompanyName);
    w.WriteInt(regs);
    for (int i = 0; i < regs; ++i)
        WriteKind(w, m_pRegisters[i]);
    w.WriteInt(coils);
    for (int i = 0; i < coils; ++i)
        WriteKind(w, m_pCoils[i]);
    return w.Written();
}

DWORD CPLCBase::Load(BYTE* buffer, DWORD size)
{
    CRecordReader r(buffer, size);
    DWORD id;
    if (!r.ReadDWORD(id))
        return r.Consumed();
    m_uPLCID = id;
    if (!r.ReadString(m_pszCompanyName))
        return r.Consumed();
    // Station settings and default indices are not in the record: they come from the catalogue.
    CPLCCollection::GetInstance()->LoadPLCSettings(this);
    if (!ReadKindTable(r, m_pRegisters, m_nRegisterCount))
        return r.Consumed();
    ReadKindTable(r, m_pCoils, m_nCoilCount);
    return r.Consumed();
}

// Each digit of value's decimal form is a digit of the given base.
static DWORD DigitsAsBase(DWORD value, DWORD base)
{
    DWORD result = 0, weight = 1;
    while (value) {
        result += (value % 10) * weight;
        weight *= base;
        value /= 10;
    }
    return result;
}

// value printed with format and read back as a decimal number (up to the first non-digit).
static DWORD PrintedAsDecimal(const char* format, DWORD value)
{
    char text[40];
    std::snprintf(text, sizeof text, format, value);
    return DWORD(std::strtoul(text, nullptr, 10));
}

DWORD CPLCBase::ConvertB2D(DWORD value)
{
    return DigitsAsBase(value, 2);
}
DWORD CPLCBase::ConvertO2D(DWORD value)
{
    return DigitsAsBase(value, 8);
}
DWORD CPLCBase::ConvertH2D(DWORD value)
{
    return DigitsAsBase(value, 16);
}
DWORD CPLCBase::ConvertD2B(DWORD value)
{
    return PrintedAsDecimal("%u", value);
}
DWORD CPLCBase::ConvertD2O(DWORD value)
{
    return PrintedAsDecimal("%o", value);
}
DWORD CPLCBase::ConvertD2H(DWORD value)
{
    return PrintedAsDecimal("%X", value);
}
