#include "devices/device_models.h"

#include "devices/plc_base.h"

CDeviceZenquorQMX200::CDeviceZenquorQMX200() : CDeviceBase(DEVICE_ID, 192, 64)
{
}

CDeviceZenquorQMX300::CDeviceZenquorQMX300() : CDeviceBase(DEVICE_ID, 192, 64)
{
}

void CDeviceZenquorQMX300::SetPLC(CPLCBase* plc)
{
    CDeviceBase::SetPLC(plc);
    if (plc && plc->GetPLCID() == 100)
        plc->SetPLCIDOffset(1);
}
