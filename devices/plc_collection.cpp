#include "devices/plc_collection.h"

#include "comkit/init_setting.h"
#include "comkit/module_path.h"
#include "devices/plc_free.h"

CPLCCollection CPLCCollection::PLCCollection;

CPLCCollection* CPLCCollection::GetInstance()
{
    return &PLCCollection;
}

CPLCCollection::CPLCCollection()
    : m_pStore(new CInitSetting(nullptr)), m_rows("PLC", "PLC_Item_%d")
{
    ReadCatalogue(COMMON_EX::GetProgramFilePath(FILE_NAME).c_str());
}

CPLCCollection::~CPLCCollection()
{
    delete m_pStore;
}

void CPLCCollection::ReadCatalogue(const char* iniPath)
{
    m_pStore->SetInitFilePath(iniPath);
    m_rows.Read(*m_pStore);
}

const char* CPLCCollection::GetCatalogueFile() const
{
    return m_pStore->GetInitFilePath();
}

void CPLCCollection::StartGetPLC()
{
    m_rows.StartGet();
}

int CPLCCollection::GetNextPLC(UINT& id, char* name, char* description)
{
    return m_rows.GetNext(id, name, description);
}

int CPLCCollection::GetPLCCount() const
{
    return m_rows.GetCount();
}

int CPLCCollection::GetLastSelectedIndex()
{
    return m_rows.GetLastSelectedIndex(*m_pStore);
}

void CPLCCollection::SetLastSelectedIndex(int index)
{
    m_rows.SetLastSelectedIndex(*m_pStore, index);
}

UINT CPLCCollection::ConvertPLCNameToPLCID(const char* name) const
{
    return m_rows.NameToID(name);
}

const char* CPLCCollection::ConvertPLCIDToPLCName(UINT id) const
{
    return m_rows.IDToName(id);
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
        plc->LoadSettings(*m_pStore);
}

void CPLCCollection::RegisterPLC(UINT id, const char* name, const char* description)
{
    m_rows.Register(*m_pStore, id, name, description);
}
