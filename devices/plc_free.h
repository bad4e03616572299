// The free, Modbus-style protocol (PLC ID 100) and its two address maps.
#pragma once

#include "devices/devices_api.h"

#include "devices/plc_base.h"

// PLC ID offset 0 and 1 select the two maps of the panel models; any other offset maps every
// address to 0. Kinds are positions in the catalogue's kind tables.
class DEVICES_API CPLCFree : public CPLCBase {
public:
    static constexpr UINT PLC_ID = 100;

    CPLCFree();

    DWORD GetPLCRegisterRealData(int kind, DWORD address) override;
    DWORD GetPLCCoilRealData(int kind, DWORD address) override;

    virtual DWORD ConvertRegisterAddressOffset0(int kind, DWORD address);
    virtual DWORD ConvertCoilAddressOffset0(int kind, DWORD address);
    virtual DWORD ConvertRegisterAddressOffset1(int kind, DWORD address);
    virtual DWORD ConvertCoilAddressOffset1(int kind, DWORD address);
};
