// The programmer's numbered messages in the library's own English.
#include "flasher/flasher_message.h"

#include "flasher/image_file.h"

#include <cstdio>

const char* const FMT_ISP_ERROR = "An unexpectedly error!(%d)";
const char* const FMT_ISP_CRC_ERROR = "Address: %d CRC error!";
const char* const FMT_IMAGE_HEX_CONFLICT = "HEX format error: two records give address 0x%04X different values";
const char* const FMT_IMAGE_HEX_LINE = "HEX format error in line %d: %s";
const char* const FMT_HEX_CONFLICT = "two records give address 0x%04X different values";
const char* const FMT_ISP_UNCONFIRMED =
    "Program Finished, but %d blocks equal to an earlier block are not confirmed: a late repeat of an answer could "
    "have passed for theirs. Program again with every block confirmed to be sure.";

std::string FlasherMessageText(const FLASHER_MESSAGE& message)
{
    char text[320];
    switch (message.code) {
    case FLASHER_MESSAGE_ISP_ERROR: std::snprintf(text, sizeof text, FMT_ISP_ERROR, message.nNumber); break;
    case FLASHER_MESSAGE_CRC_ERROR: std::snprintf(text, sizeof text, FMT_ISP_CRC_ERROR, message.nNumber); break;
    case FLASHER_MESSAGE_UNCONFIRMED: std::snprintf(text, sizeof text, FMT_ISP_UNCONFIRMED, message.nNumber); break;
    case FLASHER_MESSAGE_HEX_CONFLICT:
        std::snprintf(text, sizeof text, FMT_IMAGE_HEX_CONFLICT, unsigned(message.nNumber));
        break;
    case FLASHER_MESSAGE_HEX_LINE: {
        char conflict[64];
        const char* reason = message.pReason != nullptr ? message.pReason : MSG_IMAGE_HEX_FORMAT;
        if (message.nConflict >= 0) {
            std::snprintf(conflict, sizeof conflict, FMT_HEX_CONFLICT, unsigned(message.nConflict));
            reason = conflict;
        }
        std::snprintf(text, sizeof text, FMT_IMAGE_HEX_LINE, message.nNumber, reason);
        break;
    }
    default: return std::string();
    }
    return text;
}

std::string FlasherMessageAddress(int address)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04X", unsigned(address));
    return text;
}
