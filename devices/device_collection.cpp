#include "devices/device_collection.h"

#include "devices/device_models.h"

CDeviceCollection CDeviceCollection::deviceCollection;

CDeviceCollection* CDeviceCollection::GetInstance()
{
    return &deviceCollection;
}

CDeviceCollection::CDeviceCollection() : CCatalogue("Devices", "Device_Item_%d", FILE_NAME)
{
}

CDeviceBase* CDeviceCollection::CreateDevice(const char* name)
{
    UINT id = ConvertDeviceNameToDeviceID(name);
    return id ? CreateDevice(id) : nullptr;
}

CDeviceBase* CDeviceCollection::CreateDevice(UINT id)
{
    CDeviceBase* device = nullptr;
    if (id == CDeviceZenquorQMX200::DEVICE_ID)
        device = new CDeviceZenquorQMX200;
    else if (id == CDeviceZenquorQMX300::DEVICE_ID)
        device = new CDeviceZenquorQMX300;
    if (device)
        device->LoadSettings(Store());
    return device;
}
