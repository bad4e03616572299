#include "devices/plc_collection.h"

#include "devices/plc_free.h"

CPLCCollection CPLCCollection::PLCCollection;

CPLCCollection* CPLCCollection::GetInstance()
{
    return &PLCCollection;
}

CPLCCollection::CPLCCollection() : CCatalogue("PLC", "PLC_Item_%d", FILE_NAME)
{
}

CPLCBase* CPLCCollection::CreatePLC(const char* name)
{
    UINT id = ConvertPLCNameToPLCID(name);
    return id ? CreatePLC(id) : nullptr;
}

CPLCBase* CPLCCollection::CreatePLC(UINT id)
{
    if (id == CPLCFree::PLC_ID)
        return new CPLCFree;
    return nullptr;
}

void CPLCCollection::LoadPLCSettings(CPLCBase* plc)
{
    if (plc)
        plc->LoadSettings(Store());
}
