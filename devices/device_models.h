// The panel models of the catalogue.
#pragma once

#include "devices/devices_api.h"

#include "devices/device_base.h"

// Device ID 100, 192 x 64 pixels.
class DEVICES_API CDeviceZenquorQMX200 : public CDeviceBase {
public:
    static constexpr UINT DEVICE_ID = 100;
    CDeviceZenquorQMX200();
};

// Device ID 101, 192 x 64 pixels; talks the free protocol through its second address map.
class DEVICES_API CDeviceZenquorQMX300 : public CDeviceBase {
public:
    static constexpr UINT DEVICE_ID = 101;
    CDeviceZenquorQMX300();
    // After the base behaviour, a PLC of ID 100 gets PLC ID offset 1.
    void SetPLC(CPLCBase* plc) override;
};
