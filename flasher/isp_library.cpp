#include "flasher/isp_library.h"

const char* const ISP_LIBRARY_FILE = "libvexorisp.so";
const char* const MSG_ISP_LOAD_FAILED = "cannot load vexorisp.dll!";

namespace {

template <typename Function>
bool Lookup(const CSharedLibrary& library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(library.GetSymbol(name));
    return function != nullptr;
}

} // namespace

CIspLibrary::~CIspLibrary()
{
    Release();
}

CIspLibrary& CIspLibrary::GetInstance()
{
    static CIspLibrary instance;
    return instance;
}

BOOL CIspLibrary::Load(IMessageSink* messages)
{
    if (!m_bTried) {
        m_bTried = true;
        m_bLoaded = m_library.Open(m_strDirectory, ISP_LIBRARY_FILE) && Resolve();
        if (!m_bLoaded) {
            m_fn = FUNCTIONS();
            m_library.Close();
            if (messages != nullptr)
                messages->ShowMessage(MSG_ISP_LOAD_FAILED);
        }
    }
    return IsLoaded();
}

bool CIspLibrary::Resolve()
{
    // All ten or nothing: a library of another make would not know the sink convention.
    Lookup(m_library, "Set_Comm_Trace", m_fn.pfnSetCommTrace);
    Lookup(m_library, "Set_ModBus_Quiet", m_fn.pfnSetModBusQuiet);
    return Lookup(m_library, "OpenComm", m_fn.pfnOpenComm) && Lookup(m_library, "Dir_Open_Comm", m_fn.pfnDirOpenComm) &&
           Lookup(m_library, "Set_ModBus_Option", m_fn.pfnSetModBusOption) &&
           Lookup(m_library, "Set_ModBus_Send", m_fn.pfnSetModBusSend) &&
           Lookup(m_library, "Set_ModBus_RW", m_fn.pfnSetModBusRW) &&
           Lookup(m_library, "Set_Comm_Confirm", m_fn.pfnSetCommConfirm) &&
           Lookup(m_library, "Set_Comm_File", m_fn.pfnSetCommFile) &&
           Lookup(m_library, "Get_Comm_Line", m_fn.pfnGetCommLine) &&
           Lookup(m_library, "Set_Comm_Line", m_fn.pfnSetCommLine) &&
           Lookup(m_library, "Close_Comm", m_fn.pfnCloseComm);
}

void CIspLibrary::Release()
{
    if (m_bLoaded)
        m_fn.pfnCloseComm();
    m_fn = FUNCTIONS();
    m_library.Close();
    m_bLoaded = false;
    m_bTried = false;
}

void CIspLibrary::OnNotify(void* context, unsigned int message, int outcome, const unsigned char* answer)
{
    CIspLibrary* self = static_cast<CIspLibrary*>(context);
    if (message == WM_ISP_NOTIFY && self->m_handler)
        self->m_handler(outcome, answer);
}

BOOL CIspLibrary::OpenComm(BOOL manual)
{
    return m_bLoaded && m_fn.pfnOpenComm(&CIspLibrary::OnNotify, this, WM_ISP_NOTIFY, manual ? 1 : 0) ? TRUE : FALSE;
}

BOOL CIspLibrary::DirOpenComm()
{
    return m_bLoaded && m_fn.pfnDirOpenComm() ? TRUE : FALSE;
}

BOOL CIspLibrary::SetConfirm(VEXORISP_CONFIRM confirm, void* context)
{
    return m_bLoaded && m_fn.pfnSetCommConfirm(confirm, context) ? TRUE : FALSE;
}

BOOL CIspLibrary::SetSettingsFile(const char* path)
{
    return m_bLoaded && m_fn.pfnSetCommFile(path) ? TRUE : FALSE;
}

BOOL CIspLibrary::GetLine(VEXORISP_LINE& line)
{
    return m_bLoaded && m_fn.pfnGetCommLine(&line) ? TRUE : FALSE;
}

BOOL CIspLibrary::SetLine(const VEXORISP_LINE& line, BOOL save)
{
    return m_bLoaded && m_fn.pfnSetCommLine(&line, save ? 1 : 0) ? TRUE : FALSE;
}

BOOL CIspLibrary::SetTrace(VEXORISP_TRACE trace, void* context)
{
    return m_bLoaded && m_fn.pfnSetCommTrace && m_fn.pfnSetCommTrace(trace, context) ? TRUE : FALSE;
}

void CIspLibrary::SetModBusOption(int retries, int timeoutMs)
{
    if (m_bLoaded)
        m_fn.pfnSetModBusOption(retries, timeoutMs);
}

bool CIspLibrary::HoldLineQuiet(int quietMs)
{
    return m_bLoaded && m_fn.pfnSetModBusQuiet && m_fn.pfnSetModBusQuiet(quietMs) != 0;
}

void CIspLibrary::SetModBusSend(int slave, int function, int start, int count, const void* data, int flag)
{
    if (m_bLoaded)
        m_fn.pfnSetModBusSend(slave, function, start, count, data, flag);
}

void CIspLibrary::SetModBusRW(int slave, int function, int answerRegisters, int readStart, int writeStart, int count,
                              const void* data, int flag)
{
    if (m_bLoaded)
        m_fn.pfnSetModBusRW(slave, function, answerRegisters, readStart, writeStart, count, data, flag);
}
