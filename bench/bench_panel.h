// The panel model the benchmarks design for: model 100 with protocol 100 and its settings, read
// from the catalogues beside the program as a new project makes it.
#pragma once

#include "devices/device_base.h"
#include "devices/device_collection.h"
#include "devices/plc_base.h"
#include "devices/plc_collection.h"

#include <memory>

// Null when the catalogues are not found.
inline std::unique_ptr<CDeviceBase> CreateBenchPanel()
{
    std::unique_ptr<CDeviceBase> device(CDeviceCollection::GetInstance()->CreateDevice(UINT(100)));
    if (!device)
        return device;
    if (CPLCBase* plc = CPLCCollection::GetInstance()->CreatePLC(UINT(100))) {
        device->SetPLC(plc);
        CPLCCollection::GetInstance()->LoadPLCSettings(plc);
    }
    return device;
}
