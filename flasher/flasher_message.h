// The programmer's numbered messages as a code with its numbers: they travel so to the view that
// shows them, which puts them into words there (library_messages.h), or takes their English text.
#pragma once

#include "flasher/flasher_api.h"

#include <string>

// The programming library's formats of its numbered messages, exactly as shown.
extern FLASHER_API const char* const FMT_ISP_ERROR;          // "An unexpectedly error!(%d)"
extern FLASHER_API const char* const FMT_ISP_CRC_ERROR;      // "Address: %d CRC error!"
extern FLASHER_API const char* const FMT_IMAGE_HEX_CONFLICT; // "HEX format error: two records give address
                                                             // 0x%04X different values"
extern FLASHER_API const char* const FMT_IMAGE_HEX_LINE;     // "HEX format error in line %d: %s"
extern FLASHER_API const char* const FMT_HEX_CONFLICT;       // "two records give address 0x%04X different values"
extern FLASHER_API const char* const FMT_ISP_UNCONFIRMED;    // "Program Finished, but %d blocks equal to an earlier
                                                             // block are not confirmed: ..."

// What a numbered message says; the numbers are the fields of FLASHER_MESSAGE named here.
enum FlasherMessageCode {
    FLASHER_MESSAGE_ISP_ERROR = 1,    // FMT_ISP_ERROR: a request failed, nNumber its outcome
    FLASHER_MESSAGE_CRC_ERROR = 2,    // FMT_ISP_CRC_ERROR: nNumber the panel address, in decimal
    FLASHER_MESSAGE_HEX_CONFLICT = 3, // FMT_IMAGE_HEX_CONFLICT: nNumber the address, as 0x%04X
    FLASHER_MESSAGE_HEX_LINE = 4,     // FMT_IMAGE_HEX_LINE: a refused HEX file, nNumber its line, the
                                      // reason pReason, or with nConflict >= 0 FMT_HEX_CONFLICT
    FLASHER_MESSAGE_UNCONFIRMED = 5,  // FMT_ISP_UNCONFIRMED: every answer right, nNumber blocks unconfirmed
};

struct FLASHER_API FLASHER_MESSAGE {
    FlasherMessageCode code = FLASHER_MESSAGE_ISP_ERROR;
    int nNumber = 0;
    // FLASHER_MESSAGE_HEX_LINE: one of the library's fixed texts (MSG_HEX_..., MSG_IMAGE_HEX_FORMAT);
    // null is taken for MSG_IMAGE_HEX_FORMAT. Unused by the other codes.
    const char* pReason = nullptr;
    // FLASHER_MESSAGE_HEX_LINE: the address two records disagree on, which is then the reason;
    // -1 for none. Unused by the other codes.
    int nConflict = -1;
};

// The message in English exactly as the programming library writes it (the text a view without a
// catalogue shows, and a record keeps): its format with the numbers filled in. An unknown code
// gives an empty text.
FLASHER_API std::string FlasherMessageText(const FLASHER_MESSAGE& message);

// An address of a HEX message as its formats write it: four or more upper-case hex digits ("00A0").
FLASHER_API std::string FlasherMessageAddress(int address);
