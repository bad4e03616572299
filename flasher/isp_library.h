// The communication library libvexorisp.so, loaded by name from the programmer's directory, its
// functions resolved by name, and its notifications passed on to a handler (the dialog hands them
// to CIspExchange::OnIspNotify). The dialog loads it at start-up and releases it when it goes.
#pragma once

#include "flasher/flasher_api.h"

#include "comkit/types.h"
#include "flasher/isp_comm.h"
#include "flasher/message_sink.h"
#include "flasher/shared_library.h"
#include "vexorisp/vexorisp.h"

#include <functional>
#include <string>

extern FLASHER_API const char* const ISP_LIBRARY_FILE;    // "libvexorisp.so"
extern FLASHER_API const char* const MSG_ISP_LOAD_FAILED; // "cannot load vexorisp.dll!"

// The message number the library's notifications carry.
constexpr unsigned int WM_ISP_NOTIFY = 0x590;

class FLASHER_API CIspLibrary : public IIspComm {
public:
    // outcome above 0: answer holds that many bytes (valid during the call only).
    using NotifyHandler = std::function<void(int outcome, const BYTE* answer)>;

    CIspLibrary() = default;
    ~CIspLibrary() override;
    CIspLibrary(const CIspLibrary&) = delete;
    CIspLibrary& operator=(const CIspLibrary&) = delete;

    // The programmer's instance.
    static CIspLibrary& GetInstance();

    // Where Load looks; empty (the default) is the program's directory.
    void SetDirectory(const std::string& directory) { m_strDirectory = directory; }

    // Loads the library and resolves its functions (once; later calls answer the first result).
    // On failure shows MSG_ISP_LOAD_FAILED.
    BOOL Load(IMessageSink* messages);
    // Ends the library's use (line closed, nothing more notified) and unloads it.
    void Release();
    BOOL IsLoaded() const { return m_bLoaded ? TRUE : FALSE; }
    const std::string& GetPath() const { return m_library.GetPath(); }

    // Where notifications go; set it before OpenComm.
    void SetNotifyHandler(NotifyHandler handler) { m_handler = std::move(handler); }

    // OpenComm with this object as the sink and WM_ISP_NOTIFY: manual mode asks the
    // confirmation hook and opens the line; automatic mode registers only, and DirOpenComm opens.
    BOOL OpenComm(BOOL manual);
    BOOL DirOpenComm();
    // The library's own extras (see vexorisp.h).
    BOOL SetConfirm(VEXORISP_CONFIRM confirm, void* context);
    BOOL SetSettingsFile(const char* path);
    BOOL GetLine(VEXORISP_LINE& line);
    BOOL SetLine(const VEXORISP_LINE& line, BOOL save);
    // The library's trace hook; FALSE when the library has none (an older build).
    BOOL SetTrace(VEXORISP_TRACE trace, void* context);

    // IIspComm: the request functions (no-ops while not loaded).
    void SetModBusOption(int retries, int timeoutMs) override;
    bool HoldLineQuiet(int quietMs) override;
    void SetModBusSend(int slave, int function, int start, int count, const void* data, int flag) override;
    void SetModBusRW(int slave, int function, int answerRegisters, int readStart, int writeStart, int count,
                     const void* data, int flag) override;

private:
    struct FUNCTIONS {
        PFN_OPEN_COMM pfnOpenComm = nullptr;
        PFN_DIR_OPEN_COMM pfnDirOpenComm = nullptr;
        PFN_SET_MODBUS_OPTION pfnSetModBusOption = nullptr;
        PFN_SET_MODBUS_SEND pfnSetModBusSend = nullptr;
        PFN_SET_MODBUS_RW pfnSetModBusRW = nullptr;
        PFN_SET_COMM_CONFIRM pfnSetCommConfirm = nullptr;
        PFN_SET_COMM_FILE pfnSetCommFile = nullptr;
        PFN_GET_COMM_LINE pfnGetCommLine = nullptr;
        PFN_SET_COMM_LINE pfnSetCommLine = nullptr;
        PFN_CLOSE_COMM pfnCloseComm = nullptr;
        PFN_SET_COMM_TRACE pfnSetCommTrace = nullptr;     // optional
        PFN_SET_MODBUS_QUIET pfnSetModBusQuiet = nullptr; // optional
    };

    static void OnNotify(void* context, unsigned int message, int outcome, const unsigned char* answer);
    bool Resolve();

    CSharedLibrary m_library;
    std::string m_strDirectory;
    FUNCTIONS m_fn;
    NotifyHandler m_handler;
    bool m_bTried = false;
    bool m_bLoaded = false;
};
