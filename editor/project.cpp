#include "editor/project.h"

#include "comkit/record_io.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"
#include "devices/device_base.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"
#include "editor/editor_strings.h"
#include "editor/pixel_resources.h"

#include <algorithm>
#include <cstring>
#include <memory>

using COMMON_EX::CRecordReader;
using COMMON_EX::CRecordWriter;

namespace {

const char* Magic()
{
    return CEditorStrings::Get(CEditorStrings::IDS_PROJECT_MAGIC);
}

const char* Maker()
{
    return CEditorStrings::Get(CEditorStrings::IDS_PROJECT_MAKER);
}

void WriteLE16(BYTE* p, WORD value)
{
    p[0] = static_cast<BYTE>(value);
    p[1] = static_cast<BYTE>(value >> 8);
}

} // namespace

CProject::CProject()
{
    static bool s_bPixelFunctionsInstalled = false;
    if (!s_bPixelFunctionsInstalled) {
        CPixelResources::InstallScreenPixelFunctions();
        s_bPixelFunctionsInstalled = true;
    }
}

CProject::~CProject()
{
    m_openScreens.clear();
    delete m_pScreensList;
    delete m_pDevice;
}

bool CProject::CheckSignature(const BYTE* data, DWORD size)
{
    BYTE head[HEADER_SIZE] = {};
    if (data)
        std::memcpy(head, data, std::min<DWORD>(size, HEADER_SIZE));
    return std::memcmp(head + MAGIC_OFFSET, Magic(), MAGIC_SIZE) == 0 &&
           std::memcmp(head + MAKER_OFFSET, Maker(), std::strlen(Maker())) == 0;
}

void CProject::WriteHeader(BYTE* data)
{
    std::memset(data, 0, HEADER_SIZE);
    std::memcpy(data + MAGIC_OFFSET, Magic(), MAGIC_SIZE);
    const double version = FORMAT_VERSION;
    static_assert(sizeof version == VERSION_SIZE, "the version is an 8-byte double");
    std::memcpy(data + VERSION_OFFSET, &version, VERSION_SIZE);
    std::memcpy(data + MAKER_OFFSET, Maker(), MAKER_SIZE);
}

DWORD CProject::Save(BYTE* buffer, DWORD size)
{
    if (!m_pDevice || !m_pScreensList)
        return 0;
    const DWORD deviceSize = m_pDevice->Save(nullptr, 0);
    if (deviceSize == 0) // a panel model without its PLC cannot be written
        return 0;
    const DWORD listSize = m_pScreensList->Save(nullptr, 0);
    const DWORD total = FIXED_SIZE + deviceSize + listSize;
    if (!buffer)
        return total;
    if (size < total)
        return 0;

    WriteHeader(buffer);
    CRecordWriter writer(buffer + HEADER_SIZE);
    if (m_pDevice->Save(writer.Current(), size - HEADER_SIZE) != deviceSize)
        return 0;
    writer.Skip(deviceSize);
    if (m_pScreensList->Save(writer.Current(), size - HEADER_SIZE - deviceSize) != listSize)
        return 0;
    writer.Skip(listSize);
    WriteLE16(writer.Current(), m_wBacklightDelay);
    writer.Skip(2);
    writer.WriteDWORD(m_dwChangeMarker);
    for (int page : m_nFunctionPages)
        writer.WriteInt(page);
    return total;
}

DWORD CProject::Load(BYTE* buffer, DWORD size)
{
    // Any part that cannot be read whole makes the load return 0, never a count that could pass
    // for the length of a whole file.
    if (!buffer || size < HEADER_SIZE)
        return 0;
    CRecordReader reader(buffer, size);
    reader.Skip(HEADER_SIZE);

    DWORD deviceID = 0;
    if (!reader.PeekDWORD(deviceID))
        return 0;
    std::unique_ptr<CDeviceBase> device(CDeviceCollection::GetInstance()->CreateDevice(static_cast<UINT>(deviceID)));
    if (!device)
        return 0;
    // A nested record cut short still returns what it read, so each must prove it loaded whole:
    // the panel model by re-measuring itself, the screens list by its own check.
    const DWORD deviceSize = device->Load(reader.Current(), reader.Remaining());
    if (deviceSize == 0 || !device->GetPLC() || deviceSize != device->Save(nullptr, 0) || !reader.Skip(deviceSize))
        return 0;

    auto list = std::make_unique<CScreensList>();
    list->SetDependenceDevice(device.get());
    CRecordReader listReader(reader.Current(), reader.Remaining());
    BYTE trailer[TRAILER_SIZE];
    if (!list->LoadRecord(listReader) || !reader.Skip(listReader.Consumed()) ||
        !reader.ReadBytes(trailer, TRAILER_SIZE))
        return 0;

    m_openScreens.clear();
    delete m_pScreensList;
    delete m_pDevice;
    m_pDevice = device.release();
    m_pScreensList = list.release();
    m_wBacklightDelay = static_cast<WORD>(trailer[0] | trailer[1] << 8);
    m_dwChangeMarker = COMMON_EX::ReadLE32(trailer + 2);
    for (int i = 0; i < FUNCTION_PAGE_COUNT; ++i)
        m_nFunctionPages[i] = static_cast<int>(COMMON_EX::ReadLE32(trailer + 6 + 4 * i));
    return reader.Consumed();
}

std::unique_ptr<CDeviceBase> CProject::CreateDevice(const char* device, const char* plc,
                                                    COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri* serial)
{
    if (!device || !plc)
        return nullptr;
    std::unique_ptr<CDeviceBase> newDevice(CDeviceCollection::GetInstance()->CreateDevice(device));
    if (!newDevice)
        return nullptr;
    CPLCCollection* plcs = CPLCCollection::GetInstance();
    CPLCBase* newPLC = plcs->CreatePLC(plc);
    if (!newPLC)
        return nullptr;
    // The model is given its PLC first, so the model's PLC offset picks the settings section.
    newDevice->SetPLC(newPLC);
    plcs->LoadPLCSettings(newPLC);
    if (serial)
        newDevice->SetPLCSerialAttributes(serial);
    return newDevice;
}

int CProject::SetDeviceAndPLC(const char* device, const char* plc,
                              COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri* serial)
{
    // The old panel model stays until the new one is complete: the screens point at it.
    std::unique_ptr<CDeviceBase> newDevice = CreateDevice(device, plc, serial);
    if (!newDevice)
        return 0;
    if (!m_pScreensList)
        m_pScreensList = new CScreensList;
    m_pScreensList->SetDependenceDevice(newDevice.get());
    delete m_pDevice;
    m_pDevice = newDevice.release();
    return 1;
}

std::string CProject::GetDeviceName() const
{
    char name[CScreenBase::DEVICE_TEXT_LEN] = {};
    if (m_pDevice)
        m_pDevice->GetDeviceName(name, sizeof name);
    return name;
}

std::string CProject::GetPLCName() const
{
    char name[CScreenBase::DEVICE_TEXT_LEN] = {};
    if (m_pDevice)
        m_pDevice->GetPLCName(name, sizeof name);
    return name;
}

COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri* CProject::GetPLCSerialAttributes() const
{
    return m_pDevice ? m_pDevice->GetPLCSerialAttributes() : nullptr;
}

bool CProject::IsDeviceQMX200() const
{
    return m_pDevice && m_pDevice->GetDeviceID() == DEVICE_ID_QMX200;
}

CScreenBase* CProject::AddNewScreen()
{
    if (!m_pScreensList)
        return nullptr;
    return m_pScreensList->AddNewScreen();
}

CScreenBase* CProject::CopyScreen(CScreenBase* screen)
{
    if (!m_pScreensList || !screen)
        return nullptr;
    return m_pScreensList->CopyScreen(screen);
}

void CProject::RemoveScreen(CScreenBase* screen)
{
    if (!m_pScreensList)
        return;
    ForgetOpenScreen(screen);
    m_pScreensList->RemoveScreen(screen);
}

CScreenBase* CProject::RemoveCurrentActivateScreen()
{
    if (!m_pScreensList)
        return nullptr;
    ForgetOpenScreen(m_pScreensList->GetActivateScreen());
    return m_pScreensList->RemoveCurrentActivateScreen();
}

CScreenBase* CProject::GetFirstScreen() const
{
    return m_pScreensList ? m_pScreensList->GetFirstScreen() : nullptr;
}

CScreenBase* CProject::GetLastScreen() const
{
    return m_pScreensList ? m_pScreensList->GetLastScreen() : nullptr;
}

CScreenBase* CProject::GetNextScreenWithoutWindow()
{
    if (!m_pScreensList)
        return nullptr;
    m_pScreensList->StartGetScreen();
    while (CScreenBase* screen = m_pScreensList->GetNextScreen()) {
        if (std::find(m_openScreens.begin(), m_openScreens.end(), screen) == m_openScreens.end()) {
            m_openScreens.push_back(screen);
            return screen;
        }
    }
    return nullptr;
}

void CProject::ForgetOpenScreen(CScreenBase* screen)
{
    m_openScreens.remove(screen);
}

int CProject::GetScreenCount() const
{
    return m_pScreensList ? m_pScreensList->GetScreenCount() : 0;
}

void CProject::SetActivateScreen(CScreenBase* screen)
{
    if (m_pScreensList)
        m_pScreensList->SetActivateScreen(screen);
}

CScreenBase* CProject::GetActivateScreen() const
{
    return m_pScreensList ? m_pScreensList->GetActivateScreen() : nullptr;
}

int CProject::GetActivateScreenIndex() const
{
    return m_pScreensList ? m_pScreensList->GetActivateScreenIndex() : -1;
}

std::string CProject::GetActivateScreenName() const
{
    return m_pScreensList ? std::string(m_pScreensList->GetActivateScreenName()) : std::string();
}

int CProject::GetControlsCount() const
{
    return m_pScreensList ? m_pScreensList->GetControlsCount() : 0;
}

int CProject::GetStaticControlsCount() const
{
    return m_pScreensList ? m_pScreensList->GetStaticControlsCount() : 0;
}

double CProject::GetScreenZoomRate() const
{
    CScreenBase* first = GetFirstScreen();
    return first ? first->GetScreenZoomRate() : 0.0;
}

void CProject::SetScreenZoomRate(double zoom)
{
    if (!m_pScreensList)
        return;
    m_pScreensList->StartGetScreen();
    while (CScreenBase* screen = m_pScreensList->GetNextScreen())
        screen->SetScreenZoomRate(zoom);
}

int CProject::GetStartScreenIndex() const
{
    return m_pScreensList ? m_pScreensList->GetStartScreenIndex() : 0;
}

void CProject::SetStartScreenIndex(int index)
{
    if (m_pScreensList)
        m_pScreensList->SetStartScreenIndex(index);
}

void CProject::AdjustControls()
{
    if (m_pScreensList)
        m_pScreensList->AdjustControls();
}

CScreenBase* CProject::GetScreenByNumber(int number) const
{
    return m_pScreensList && number >= 1 ? m_pScreensList->GetScreenAt(number - 1) : nullptr;
}

int CProject::GetFunctionPage(int page) const
{
    return page >= 0 && page < FUNCTION_PAGE_COUNT ? m_nFunctionPages[page] : 0;
}

void CProject::SetFunctionPage(int page, int screenNumber)
{
    if (page >= 0 && page < FUNCTION_PAGE_COUNT)
        m_nFunctionPages[page] = screenNumber;
}
