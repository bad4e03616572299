// One running emulated panel: the runtime over an image, its line to the PLC and the clock that
// paces polling and the backlight. Shared by the window and the headless script runner.
#pragma once

#include "emulator/modbus_link.h"
#include "emulator/panel_display.h"
#include "emulator/panel_runtime.h"

#include <cstdint>
#include <memory>
#include <string>

class CPanelSession {
public:
    struct OPTIONS {
        std::string image;   // ".vxg" or ".ZQE"
        bool serial = false; // RTU on `line.device`; else TCP
        CModbusLink::SERIAL line;
        // With `serial`: a project's own settings of its line to the PLC replace those of `line`
        // (its device stays); refused when the project's settings are none Modbus RTU has. An
        // image file keeps `line`.
        bool lineFromProject = false;
        std::string host = "127.0.0.1";
        int port = 1502;
        int pollMs = 100;    // between the starts of two poll cycles
        int timeoutMs = 500; // answer time-out of one request
    };

    // Null with the reason when the image cannot be loaded or the line cannot be set up.
    static std::unique_ptr<CPanelSession> Open(const OPTIONS& options, std::string& error);

    CPanelRuntime& Runtime() { return *m_pRuntime; }
    const CPanelRuntime& Runtime() const { return *m_pRuntime; }
    const CModbusLink& Link() const { return *m_pLink; }
    const OPTIONS& Options() const { return m_options; }

    // Milliseconds of a steady clock since the session opened.
    uint64_t Now() const;
    // Polls when the poll period has passed (or at once when `force`), then runs the backlight
    // clock; true when a poll ran.
    bool Step(bool force = false);
    // Duration of the last poll cycle in milliseconds.
    int LastPollMs() const { return m_nLastPollMs; }
    void Press(int key) { m_pRuntime->PressKey(key, Now()); }
    void Release(int key) { m_pRuntime->ReleaseKey(key, Now()); }
    // The current screen drawn.
    CPanelDisplay Display() const;
    // "TCP 127.0.0.1:1502 ok, poll 100 ms (2 requests, 3 ms), screen 1 of 3" and the last message.
    std::string Status() const;

private:
    CPanelSession() = default;

    OPTIONS m_options;
    std::unique_ptr<CModbusLink> m_pLink;
    std::unique_ptr<CPanelRuntime> m_pRuntime;
    uint64_t m_nStart = 0;
    uint64_t m_nLastPoll = 0;
    bool m_bPolled = false;
    int m_nLastPollMs = 0;
};
