// One compile of a screens list into the download image's tables: the only place that resets
// and seeds the process-wide compile state and walks the passes in their order.
#pragma once

#include "controls/controls_api.h"

#include "comkit/types.h"

#include <string>
#include <vector>

class CScreensList;

// The numbering counters and the character lists live in CControlBase and CScreenBase (their
// names are fixed); a session owns their sequence. Every walk starts from the state it needs,
// so a size query before the compile, or a second compile, gives the same bytes.
class CONTROLS_API CCompileSession {
public:
    // `seeds`: GBK texts whose characters head the character lists, in this order (the
    // characters the panel's runtime needs of its own).
    CCompileSession(CScreensList& screens, std::vector<std::string> seeds);

    // The control numbering (control table entry, parameter, static text number) back to 0 and
    // the screen number to 1; the control and parameter walks start with it.
    static void ResetNumbering();

    // The static text records after seeding afresh: the character lists and the static text
    // length then hold the seeds and exactly this walk's texts. A null buffer only measures
    // (the lists are filled all the same). Returns the bytes written or measured.
    DWORD StaticTexts(BYTE* buffer, DWORD size);
    // The control records and the parameter records, three passes each (registers, lamps, the
    // rest) with the numbering reset first. Return the bytes written.
    DWORD ControlRecords(BYTE* buffer, DWORD size);
    DWORD ParameterRecords(BYTE* buffer, DWORD size);

    // The state StaticTexts left: characters in order of first use, and the characters of all
    // static texts (each text counted up to the panel's 255).
    const std::vector<WORD>& DoubleByteCharacters() const;
    const std::vector<BYTE>& SingleByteCharacters() const;
    WORD StaticTextLength() const;

private:
    // Empties the character lists and the static text length, then collects the seeds.
    void SeedCharacters();

    CScreensList& m_screens;
    std::vector<std::string> m_seeds;
};
