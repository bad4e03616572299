#include "flasher/cipher_library.h"

const char* const CIPHER_LIBRARY_FILE = "libvexorenc.so";
const char* const MSG_CIPHER_LOAD_FAILED = "cannot load vexorenc.dll!";

CCipherLibrary& CCipherLibrary::GetInstance()
{
    static CCipherLibrary instance;
    return instance;
}

BOOL CCipherLibrary::Load(IMessageSink* messages)
{
    if (!m_bTried) {
        m_bTried = true;
        if (m_library.Open(m_strDirectory, CIPHER_LIBRARY_FILE)) {
            m_pfnDesGo = reinterpret_cast<PFN_DES_GO>(m_library.GetSymbol("Des_Go"));
        }
        if (m_pfnDesGo == nullptr) {
            m_library.Close();
            if (messages != nullptr) {
                messages->ShowMessage(MSG_CIPHER_LOAD_FAILED);
            }
        }
    }
    return m_pfnDesGo != nullptr ? TRUE : FALSE;
}

void CCipherLibrary::Release()
{
    m_pfnDesGo = nullptr;
    m_library.Close();
    m_bTried = false;
}
