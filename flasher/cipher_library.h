// The cipher library libvexorenc.so, loaded by name from the programmer's directory once, and its
// Des_Go. The dialog loads it at start-up and releases it when it goes.
#pragma once

#include "flasher/flasher_api.h"

#include "cipher/vexorenc.h"
#include "comkit/types.h"
#include "flasher/message_sink.h"
#include "flasher/shared_library.h"

#include <string>

extern FLASHER_API const char* const CIPHER_LIBRARY_FILE;    // "libvexorenc.so"
extern FLASHER_API const char* const MSG_CIPHER_LOAD_FAILED; // "cannot load vexorenc.dll!"

class FLASHER_API CCipherLibrary {
public:
    static CCipherLibrary& GetInstance();

    // Where Load looks; empty (the default) is the program's directory. Takes effect at the next Load.
    void SetDirectory(const std::string& directory) { m_strDirectory = directory; }

    // Loads the library and looks up Des_Go. Only the first call after construction or Release
    // loads; later calls answer its result. On failure shows MSG_CIPHER_LOAD_FAILED; the
    // programmer goes on without the cipher.
    BOOL Load(IMessageSink* messages);
    void Release();

    // Des_Go of the loaded library; null when it is not loaded.
    PFN_DES_GO GetDesGo() const { return m_pfnDesGo; }
    const std::string& GetPath() const { return m_library.GetPath(); }

private:
    CCipherLibrary() = default;

    CSharedLibrary m_library;
    std::string m_strDirectory;
    PFN_DES_GO m_pfnDesGo = nullptr;
    bool m_bTried = false;
};
