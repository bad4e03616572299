// The library's C exports over one process-wide line.
#include "vexorisp/vexorisp.h"

#include "comkit/module_path.h"
#include "vexorisp/comm_line.h"
#include "vexorisp/comm_settings.h"

#include <cstring>
#include <memory>
#include <string>

namespace {

const char* const SETTINGS_FILE_NAME = "MD_DLL.DFT";

struct LIBRARY_STATE {
    std::unique_ptr<CCommLine> line;
    VEXORISP_CONFIRM pfnConfirm = nullptr;
    void* pConfirmContext = nullptr;
    std::string strSettingsFile; // empty: beside the library
    COMM_SETTINGS settings;
    bool bSettingsLoaded = false;
    int nRetries = 3;
    int nTimeoutMs = 200;
    VEXORISP_TRACE pfnTrace = nullptr;
    void* pTraceContext = nullptr;
};

LIBRARY_STATE& State()
{
    static LIBRARY_STATE state;
    return state;
}

std::string SettingsFilePath()
{
    LIBRARY_STATE& state = State();
    if (!state.strSettingsFile.empty())
        return state.strSettingsFile;
    return COMMON_EX::CombineBesideFile(COMMON_EX::GetModuleFilePath(reinterpret_cast<const void*>(&OpenComm)),
                                        SETTINGS_FILE_NAME);
}

void LoadSettings()
{
    LIBRARY_STATE& state = State();
    std::string bytes;
    COMM_SETTINGS settings;
    if (ReadCommSettingsFile(SettingsFilePath(), bytes))
        ParseCommSettings(bytes, settings);
    state.settings = settings;
    state.bSettingsLoaded = true;
}

COMM_SETTINGS& Settings()
{
    if (!State().bSettingsLoaded)
        LoadSettings();
    return State().settings;
}

bool IsValidLine(const VEXORISP_LINE& line)
{
    return line.com >= 1 && line.com <= 256 && line.device[0] != '\0' &&
           memchr(line.device, 0, VEXORISP_DEVICE_MAX) != nullptr && line.baud > 0 && line.dataBits >= 5 &&
           line.dataBits <= 8 && (line.parity == 'N' || line.parity == 'E' || line.parity == 'O') &&
           (line.stopBits == 1 || line.stopBits == 2);
}

bool SavePort(const VEXORISP_LINE& line)
{
    std::string bytes;
    std::string path = SettingsFilePath();
    ReadCommSettingsFile(path, bytes);
    return WriteCommSettingsFile(path, UpdateCommSettingsPort(bytes, line.com, line.device));
}

bool OpenLine()
{
    LIBRARY_STATE& state = State();
    return state.line && state.line->Open(Settings().GetLine());
}

int Submit(RTU_REQUEST request)
{
    LIBRARY_STATE& state = State();
    if (!state.line)
        return 0;
    bool framed = !request.frame.empty();
    state.line->Submit(std::move(request));
    return framed ? 1 : 0;
}

} // namespace

extern "C" {

int OpenComm(VEXORISP_SINK sink, void* context, unsigned int message, int manual)
{
    LIBRARY_STATE& state = State();
    if (!sink)
        return 0;
    if (!state.line) {
        state.line = std::make_unique<CCommLine>();
        state.line->SetOption(state.nRetries, state.nTimeoutMs);
        state.line->SetTrace(state.pfnTrace, state.pTraceContext);
    }
    state.line->SetSink(sink, context, message);
    LoadSettings();
    if (!manual)
        return 1;
    VEXORISP_LINE line = Settings().GetLine();
    if (state.pfnConfirm) {
        VEXORISP_LINE chosen = line;
        if (!state.pfnConfirm(state.pConfirmContext, &chosen))
            return state.line->IsOpen() ? 1 : 0;
        if (!IsValidLine(chosen))
            return 0;
        if (chosen.com != line.com || std::strcmp(chosen.device, line.device) != 0)
            SavePort(chosen);
        Settings().SetLine(chosen);
    }
    return OpenLine() ? 1 : 0;
}

int Dir_Open_Comm(void)
{
    return OpenLine() ? 1 : 0;
}

int Set_ModBus_Option(int retries, int timeoutMs)
{
    LIBRARY_STATE& state = State();
    if (retries < 0 || retries > 100 || timeoutMs < 1 || timeoutMs > 60000)
        return 0;
    state.nRetries = retries;
    state.nTimeoutMs = timeoutMs;
    if (state.line)
        state.line->SetOption(retries, timeoutMs);
    return 1;
}

int Set_ModBus_Quiet(int quietMs)
{
    LIBRARY_STATE& state = State();
    if (quietMs < 0 || quietMs > 60000 || !state.line || !state.line->IsOpen())
        return 0;
    state.line->HoldQuiet(quietMs);
    return 1;
}

int Set_ModBus_Send(int slave, int function, int start, int count, const void* data, int wordsInHostOrder)
{
    RTU_REQUEST request;
    if (function == RTU_FUNCTION_WRITE_REGISTERS)
        request = BuildWriteRegistersRequest(slave, start, count, data, wordsInHostOrder != 0);
    return Submit(std::move(request));
}

int Set_ModBus_RW(int slave, int function, int answerRegisters, int readStart, int writeStart, int count,
                  const void* data, int wordsInHostOrder)
{
    (void)readStart;
    (void)writeStart;
    RTU_REQUEST request;
    if (function == RTU_FUNCTION_BLOCK)
        request = BuildBlockRequest(slave, count, data, wordsInHostOrder != 0, answerRegisters);
    return Submit(std::move(request));
}

int Set_Comm_Confirm(VEXORISP_CONFIRM confirm, void* context)
{
    State().pfnConfirm = confirm;
    State().pConfirmContext = context;
    return 1;
}

int Set_Comm_File(const char* path)
{
    State().strSettingsFile = path ? path : "";
    LoadSettings();
    return 1;
}

int Get_Comm_Line(VEXORISP_LINE* line)
{
    if (!line)
        return 0;
    *line = Settings().GetLine();
    return 1;
}

int Set_Comm_Line(const VEXORISP_LINE* line, int save)
{
    if (!line || !IsValidLine(*line))
        return 0;
    Settings().SetLine(*line);
    return save ? (SavePort(*line) ? 1 : 0) : 1;
}

int Set_Comm_Trace(VEXORISP_TRACE trace, void* context)
{
    LIBRARY_STATE& state = State();
    state.pfnTrace = trace;
    state.pTraceContext = context;
    if (state.line)
        state.line->SetTrace(trace, context);
    return 1;
}

void Close_Comm(void)
{
    State().line.reset();
}

} // extern "C"
