// The panel's runtime behaviour over a download image: the current screen, the values read from
// the PLC, function keys, register editing, function pages, the backlight and the link state.
// Time comes from the caller (milliseconds of a steady clock), so the model runs without a clock.
#pragma once

#include "emulator/emulator_api.h"

#include "comkit/types.h"
#include "emulator/panel_image.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

class CPanelDisplay;
class IPanelLink;

class EMULATOR_API CPanelRuntime {
public:
    // Starts on screen 1 with no value known, the link not yet tried and the backlight on.
    explicit CPanelRuntime(std::unique_ptr<CPanelImage> image);

    const CPanelImage& GetImage() const { return *m_pImage; }
    // The line to the PLC (not owned; may be null: every read and write then fails).
    void SetLink(IPanelLink* link) { m_pLink = link; }

    int GetCurrentScreen() const { return m_nScreen; }
    // Shows screen `screen` (1-based); false (nothing changes) outside the image's screens.
    // Leaving a screen ends an edit.
    bool ShowScreen(int screen);

    // One poll cycle: reads the registers and lamp coils the current screen shows, adjacent
    // addresses grouped. A failed request marks the link lost (and stops the cycle) and forgets
    // every value read so far, so each is shown again only from a fresh answer; a full cycle
    // marks the link working again. Returns whether the link works.
    bool Poll();
    bool IsLinkLost() const { return m_bLinkLost; }
    // The last link or key message ("" when none), for a status line.
    const std::string& GetMessage() const { return m_strMessage; }
    // Requests sent by the last Poll().
    int GetLastPollRequests() const { return m_nLastRequests; }

    // Keys (PANEL_KEYS numbers) at time `now`. A press while the display is dimmed only wakes it.
    void PressKey(int key, uint64_t now);
    void ReleaseKey(int key, uint64_t now);
    // Dims the display once the backlight delay has passed since the last key press.
    void Tick(uint64_t now);
    bool IsDimmed() const { return m_bDimmed; }

    // Register editing: the control edited (index into the image's controls, -1 when none), its
    // digits and the digit under the cursor.
    int GetEditControl() const { return m_nEdit; }
    const std::string& GetEditDigits() const { return m_strEditDigits; }
    int GetEditCursor() const { return m_nEditCursor; }

    // Last value read or written of a register or coil since the link was last lost; false when
    // not known.
    bool GetRegister(int station, int address, WORD& value) const;
    bool GetCoil(int station, int address, bool& on) const;

    // Draws the current screen into `display` (cleared first; a 192 x 64 surface).
    void Render(CPanelDisplay& display) const;

private:
    using KEY = std::pair<int, int>; // station, address

    bool LinkResult(bool ok);
    void FunctionKey(const PANEL_CONTROL& key, bool pressed);
    void StartEdit(int from);
    void EditKey(int key);
    void Enter();
    void DrawControl(CPanelDisplay& display, int index) const;

    std::unique_ptr<CPanelImage> m_pImage;
    IPanelLink* m_pLink = nullptr;
    int m_nScreen = 1;
    bool m_bLinkLost = false;
    std::string m_strMessage;
    int m_nLastRequests = 0;
    std::map<KEY, WORD> m_registers;
    std::map<KEY, bool> m_coils;
    uint64_t m_nLastKey = 0;
    bool m_bClockStarted = false;
    bool m_bDimmed = false;
    int m_nEdit = -1;
    std::string m_strEditDigits;
    int m_nEditCursor = 0;
};
