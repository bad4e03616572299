// The values a simulated PLC holds over time, from script statements:
//   register ADDRESS VALUE             a holding register set once
//   coil ADDRESS 0|1                   a coil set once
//   ramp ADDRESS FROM TO STEP PERIOD   the register steps from FROM by STEP every PERIOD ms,
//                                      starting again at FROM after passing TO
//   toggle ADDRESS PERIOD              the coil changes every PERIOD ms
// Blank lines and lines starting with '#' are ignored. Addresses are line addresses (0-65535).
// Numbers are decimal ("0100" is 100) or hex with 0x ("0x64"); nothing else is taken.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CPlcScript {
public:
    struct STATEMENT {
        enum Kind { REGISTER, COIL, RAMP, TOGGLE } kind = REGISTER;
        int address = 0;
        long value = 0;  // REGISTER and COIL; FROM of RAMP
        long to = 0;     // RAMP
        long step = 1;   // RAMP
        long period = 0; // RAMP and TOGGLE, milliseconds (> 0)
    };

    // Adds one statement; false with the reason (the statement is left out).
    bool Add(const std::string& line, std::string& error);
    // Adds every line of `text`; false at the first bad line, the reason naming its number.
    bool AddText(const std::string& text, const std::string& origin, std::string& error);

    // Writes what the statements set at `elapsed` ms after the start. Constants are written only
    // when `first`, so values the master writes later stay; ramps and toggles own their address.
    void Apply(uint64_t elapsed, bool first, uint16_t* registers, uint8_t* coils) const;

    const std::vector<STATEMENT>& GetStatements() const { return m_statements; }

private:
    std::vector<STATEMENT> m_statements;
};
