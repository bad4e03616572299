#include "devices/plc_free.h"

CPLCFree::CPLCFree() : CPLCBase(PLC_ID)
{
}

DWORD CPLCFree::GetPLCRegisterRealData(int kind, DWORD address)
{
    switch (GetPLCIDOffset()) {
    case 0: return ConvertRegisterAddressOffset0(kind, address);
    case 1: return ConvertRegisterAddressOffset1(kind, address);
    default: return 0;
    }
}

DWORD CPLCFree::GetPLCCoilRealData(int kind, DWORD address)
{
    switch (GetPLCIDOffset()) {
    case 0: return ConvertCoilAddressOffset0(kind, address);
    case 1: return ConvertCoilAddressOffset1(kind, address);
    default: return 0;
    }
}

DWORD CPLCFree::ConvertRegisterAddressOffset0(int kind, DWORD address)
{
    switch (kind) {
    case 1: return address >= 8000 ? address - 4160 : address;
    case 2: return address + 3271;
    case 3: return address < 200 ? address + 3528 : 2 * address + 3328;
    default: return address;
    }
}

DWORD CPLCFree::ConvertCoilAddressOffset0(int kind, DWORD address)
{
    switch (kind) {
    case 1: return ConvertO2D(address);
    case 2: return ConvertO2D(address) + 256;
    case 3: return address + 2048;
    case 4: return address + 1024;
    case 5: return address + 512;
    case 6: return address + 768;
    default: return address;
    }
}

DWORD CPLCFree::ConvertRegisterAddressOffset1(int kind, DWORD address)
{
    switch (kind) {
    case 0: return address < 200 ? address : 2 * address - 144;
    case 1: return address < 8000 ? address + 1536 : address - 7488;
    case 2: return address + 768;
    default: return address;
    }
}

DWORD CPLCFree::ConvertCoilAddressOffset1(int kind, DWORD address)
{
    switch (kind) {
    case 0: return address >= 8000 ? address - 4416 : address;
    case 1: return ConvertO2D(address) + 3072;
    case 2: return address + 3840;
    case 3: return address + 4096;
    case 4: return ConvertO2D(address) + 4608;
    case 5: return address + 5120;
    default: return address;
    }
}
