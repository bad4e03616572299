// The project: everything downloaded to one panel. It owns the panel model (with its PLC protocol
// and serial settings) and the screens list, and keeps the panel-wide settings. It saves itself as
// a ".ZQE" file image and compiles itself into the download image.
#pragma once

#include "editor/editor_api.h"

#include "comkit/serial_attri.h"
#include "comkit/serialize.h"

#include <list>
#include <memory>
#include <string>

class CCompileSession;
class CDeviceBase;
class CScreenBase;
class CScreensList;

// File image: 50-byte header, device record, screens-list record, backlight delay (u16), change
// marker (u32), four function pages (i32), little-endian; 72 + D + L bytes in all.
class EDITOR_API CProject : public COM_INTERFACE_EX::ISerialize, public COM_INTERFACE_EX::ICompile {
public:
    enum : DWORD {
        HEADER_SIZE = 50,
        MAGIC_OFFSET = 0,
        MAGIC_SIZE = 3,
        VERSION_OFFSET = 3,
        VERSION_SIZE = 8,
        MAKER_OFFSET = 11,
        MAKER_SIZE = 36,
        RESERVED_OFFSET = 47,
        TRAILER_SIZE = 22, // backlight, change marker, four function pages
        FIXED_SIZE = HEADER_SIZE + TRAILER_SIZE,
    };
    static constexpr double FORMAT_VERSION = 1.0;
    static constexpr WORD BACKLIGHT_ALWAYS_ON = 0xFFFF;
    static constexpr int FUNCTION_PAGE_COUNT = 4;
    static constexpr int MAX_SCREENS = 16;
    static constexpr int MAX_CONTROLS = 255;
    static constexpr UINT DEVICE_ID_QMX200 = 100;

    // Download precondition and image limit (CheckCompile).
    enum COMPILE_CHECK { COMPILE_OK = 0, COMPILE_REFUSED = 1, COMPILE_TOO_LARGE = 2 };

    // An empty project. The first project of the process installs the pixel lookups.
    CProject();
    ~CProject() override;
    CProject(const CProject&) = delete;
    CProject& operator=(const CProject&) = delete;

    // The 50-byte header check: magic and maker text; version bytes and bytes 47-49 are not
    // compared. Fewer than 50 bytes count as zeros beyond `size`.
    static bool CheckSignature(const BYTE* data, DWORD size);
    // Writes the 50-byte header.
    static void WriteHeader(BYTE* data);

    // Null buffer: 72 + D + L. Otherwise writes the file image when `size` holds it and returns its
    // length; 0 (nothing written) without a device or screens list or with too little room.
    DWORD Save(BYTE* buffer, DWORD size) override;
    // Reads a file image (header skipped, not checked); returns the bytes consumed, which equals
    // `size` only for a whole, undamaged file. Never reads past `size`.
    DWORD Load(BYTE* buffer, DWORD size) override;
    // Null buffer: the image size T (which may be 65,536 or more: see CheckCompile). Otherwise
    // zero-fills `size` bytes and writes the image; 0 when the image does not fit `size` or
    // cannot be represented.
    DWORD Compile(BYTE* buffer, DWORD size) override;

    // The download precondition (at least one parameter control, at most 255 controls) and the
    // 16-bit image limit; the reason's text in `message` (UTF-8) when not COMPILE_OK.
    COMPILE_CHECK CheckCompile(std::string* message = nullptr);

    // ---- device and PLC ----
    // Replaces the panel model by the catalogue's `device` talking `plc` with `serial`; keeps the
    // screens (creating the list the first time). 0 when the device or the PLC is unknown, the
    // project then unchanged.
    int SetDeviceAndPLC(const char* device, const char* plc, COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri* serial);
    // A new panel model from the catalogues, as SetDeviceAndPLC makes it; null when the device
    // or the PLC is unknown.
    static std::unique_ptr<CDeviceBase> CreateDevice(const char* device, const char* plc,
                                                     COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri* serial);
    CDeviceBase* GetDevice() const { return m_pDevice; }
    // Catalogue names; empty without a device.
    std::string GetDeviceName() const;
    std::string GetPLCName() const;
    // Null without a device.
    COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri* GetPLCSerialAttributes() const;
    // The panel model that is powered off and on around a download.
    bool IsDeviceQMX200() const;

    // ---- screens (nothing / 0 / null without a screens list) ----
    CScreensList* GetScreensList() const { return m_pScreensList; }
    CScreenBase* AddNewScreen();
    CScreenBase* CopyScreen(CScreenBase* screen);
    void RemoveScreen(CScreenBase* screen);
    // Removes the active screen (and forgets its window); returns the pointer that was active.
    CScreenBase* RemoveCurrentActivateScreen();
    CScreenBase* GetFirstScreen() const;
    CScreenBase* GetLastScreen() const;
    // The first screen without a design window, which is then counted as having one.
    CScreenBase* GetNextScreenWithoutWindow();
    void ForgetOpenScreen(CScreenBase* screen);
    int GetScreenCount() const;
    void SetActivateScreen(CScreenBase* screen);
    CScreenBase* GetActivateScreen() const;
    int GetActivateScreenIndex() const;
    std::string GetActivateScreenName() const;
    int GetControlsCount() const;
    int GetStaticControlsCount() const;
    double GetScreenZoomRate() const;
    void SetScreenZoomRate(double zoom);
    int GetStartScreenIndex() const;
    void SetStartScreenIndex(int index);
    void AdjustControls();
    // The k-th screen (1-based, list order), null when there is none.
    CScreenBase* GetScreenByNumber(int number) const;

    // ---- panel settings ----
    DWORD GetChangeMarker() const { return m_dwChangeMarker; }
    void SetChangeMarker(DWORD marker) { m_dwChangeMarker = marker; }
    WORD GetBacklightDelay() const { return m_wBacklightDelay; }
    void SetBacklightDelay(WORD delay) { m_wBacklightDelay = delay; }
    // page 0-3; 0 = not used, k = the k-th screen. Out-of-range pages read 0 and are not stored.
    int GetFunctionPage(int page) const;
    void SetFunctionPage(int page, int screenNumber);

private:
    // Writes the image into a buffer of at least its size (Compile checks), through the
    // session Compile measured it with; returns the image length.
    DWORD CompileImage(CCompileSession& session, BYTE* buffer, DWORD size);

    WORD m_wBacklightDelay = BACKLIGHT_ALWAYS_ON;
    int m_nFunctionPages[FUNCTION_PAGE_COUNT] = {0, 0, 0, 0};
    CDeviceBase* m_pDevice = nullptr;
    CScreensList* m_pScreensList = nullptr;
    DWORD m_dwChangeMarker = 1;
    std::list<CScreenBase*> m_openScreens; // screens with a design window, not owned
};
