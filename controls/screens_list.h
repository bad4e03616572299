// The screens of one project in their order: the active screen, screen IDs, the panel model given
// to every screen, the project-file record, and the assembly of the download image's control,
// parameter and static text sections from the screens' compile passes.
#pragma once

#include "controls/controls_api.h"

#include "comkit/record_io.h"
#include "comkit/serialize.h"

#include <string>
#include <vector>

class CDeviceBase;
class CScreenBase;

class CONTROLS_API CScreensList : public COM_INTERFACE_EX::ISerialize, public COM_INTERFACE_EX::ICompile {
public:
    typedef COMMON_EX::CMNEXList<CScreenBase> ScreenList;

    // One plain screen (ID 0, no device, unnamed); next screen ID 1; no active screen. The
    // newest list is the one the screen-choice attributes offer (CAttributeEnum).
    CScreensList();
    ~CScreensList() override;
    CScreensList(const CScreensList&) = delete;
    CScreensList& operator=(const CScreensList&) = delete;

    // Stores the panel model (not owned) and gives it to every screen.
    void SetDependenceDevice(CDeviceBase* device);
    CDeviceBase* GetDependenceDevice() const { return m_pDependenceDevice; }

    // A new screen / a copy of `screen` (its controls with new IDs, no name), appended with the
    // next screen ID, the list's device and the first screen's zoom. Returns it (null for a
    // null screen to copy). The editor keeps the limit of 16 screens.
    CScreenBase* AddNewScreen();
    CScreenBase* CopyScreen(CScreenBase* screen);
    // Destroys the screen when it is in the list; then the last screen becomes the active one
    // (none when the list is empty).
    void RemoveScreen(CScreenBase* screen);
    // Removes the active screen; returns the pointer that was active (no longer a live screen),
    // null when none was.
    CScreenBase* RemoveCurrentActivateScreen();

    CScreenBase* GetFirstScreen() const;
    CScreenBase* GetLastScreen() const;
    void StartGetScreen() { m_pScreenCursor = m_listScreens.GetHead(); }
    CScreenBase* GetNextScreen();
    int GetScreenCount() const { return m_listScreens.GetCount(); }
    // The screen at a 0-based position, null past the end; the position of a screen, -1 if absent.
    CScreenBase* GetScreenAt(int index) const;
    int GetScreenIndex(const CScreenBase* screen) const;

    // The active screen and its position (-1 when it is not in the list).
    void SetActivateScreen(CScreenBase* screen);
    CScreenBase* GetActivateScreen() const { return m_pActivateScreen; }
    int GetActivateScreenIndex() const { return m_nActivateScreenIndex; }
    // The active screen's name; "" when no screen is active.
    const char* GetActivateScreenName();

    int GetNextScreenID() const { return m_nNextScreenID; }
    int GetControlsCount() const;
    int GetStaticControlsCount() const;
    // Kept for the project; neither saved nor compiled.
    int GetStartScreenIndex() const { return int(m_uStartScreenIndex); }
    void SetStartScreenIndex(int index) { m_uStartScreenIndex = unsigned(index); }
    // Re-reads the PLC kinds of every control of every screen.
    void AdjustControls();
    // The names (GBK) of all screens in order.
    void GetScreenNames(std::vector<std::string>& names) const;

    // Compile assembly; each returns the bytes written. Control and parameter data run three
    // passes (registers, lamps, the rest) over the screens in order, numbering screens from 1 and
    // resetting the control counters first; the static texts are one walk, and a null buffer
    // only measures (collecting the characters).
    DWORD GetCompileControlData(BYTE* buffer, DWORD size);
    DWORD GetCompileControlParameterData(BYTE* buffer, DWORD size);
    DWORD GetCompileStaticControlText(BYTE* buffer, DWORD size);

    // Record: screen count, the screen records, active screen index, next screen ID. Load
    // expects a new list, never reads past size, and does not restore the active screen.
    DWORD Load(BYTE* buffer, DWORD size) override;
    DWORD Save(BYTE* buffer, DWORD size) override;
    DWORD Compile(BYTE* buffer, DWORD size) override;
    // False when the record is damaged: cut, without screens, or with a screen that does not
    // load whole (reading stops there). The list then still holds at least one screen.
    bool LoadRecord(COMMON_EX::CRecordReader& reader);

private:
    void SetNewScreenAttribute(CScreenBase* screen);
    CScreenBase* AppendNew(CScreenBase* screen);
    void DestroyAllScreens();
    // One pass over all screens in order, screens numbered from 1.
    template <typename Produce>
    DWORD RunPasses(BYTE* buffer, DWORD size, Produce produce);
    static void ListScreenNames(CScreensList* list, std::vector<std::string>& names);

    CDeviceBase* m_pDependenceDevice = nullptr;
    ScreenList m_listScreens; // owning
    CScreenBase* m_pActivateScreen = nullptr;
    int m_nActivateScreenIndex = -1;
    int m_nNextScreenID = 1;
    ScreenList::Node* m_pScreenCursor = nullptr;
    unsigned m_uStartScreenIndex = 0;
};
