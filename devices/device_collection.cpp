#include "devices/device_collection.h"

#include "comkit/init_setting.h"
#include "comkit/module_path.h"
#include "devices/device_models.h"

CDeviceCollection CDeviceCollection::deviceCollection;

CDeviceCollection* CDeviceCollection::GetInstance()
{
    return &deviceCollection;
}

CDeviceCollection::CDeviceCollection()
    : m_pStore(new CInitSetting(nullptr)), m_rows("Devices", "Device_Item_%d")
{
    ReadCatalogue(COMMON_EX::GetProgramFilePath(FILE_NAME).c_str());
}

CDeviceCollection::~CDeviceCollection()
{
    delete m_pStore;
}

void CDeviceCollection::ReadCatalogue(const char* iniPath)
{
    m_pStore->SetInitFilePath(iniPath);
    m_rows.Read(*m_pStore);
}

const char* CDeviceCollection::GetCatalogueFile() const
{
    return m_pStore->GetInitFilePath();
}

void CDeviceCollection::StartGetDevice()
{
    m_rows.StartGet();
}

int CDeviceCollection::GetNextDevice(UINT& id, char* name, char* description)
{
    return m_rows.GetNext(id, name, description);
}

int CDeviceCollection::GetDeviceCount() const
{
    return m_rows.GetCount();
}

int CDeviceCollection::GetLastSelectedIndex()
{
    return m_rows.GetLastSelectedIndex(*m_pStore);
}

void CDeviceCollection::SetLastSelectedIndex(int index)
{
    m_rows.SetLastSelectedIndex(*m_pStore, index);
}

UINT CDeviceCollection::ConvertDeviceNameToDeviceID(const char* name) const
{
    return m_rows.NameToID(name);
}

const char* CDeviceCollection::ConvertDeviceIDToDeviceName(UINT id) const
{
    return m_rows.IDToName(id);
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
        device->LoadSettings(*m_pStore);
    return device;
}

void CDeviceCollection::RegisterDevice(UINT id, const char* name, const char* description)
{
    m_rows.Register(*m_pStore, id, name, description);
}
