// Words for request outcomes and run results.
#include "flasher/isp_outcome.h"

#include "comkit/message_text.h"
#include "vexorisp/vexorisp.h"

namespace {

const char* const CONTEXT = "Flasher";

// Meanings of the Modbus exception codes (untranslated).
const char* ExceptionMeaning(int code)
{
    switch (code) {
    case 1: return QT_TRANSLATE_NOOP("Flasher", "illegal function");
    case 2: return QT_TRANSLATE_NOOP("Flasher", "illegal data address");
    case 3: return QT_TRANSLATE_NOOP("Flasher", "illegal data value");
    case 4: return QT_TRANSLATE_NOOP("Flasher", "slave device failure");
    case 5: return QT_TRANSLATE_NOOP("Flasher", "acknowledge");
    case 6: return QT_TRANSLATE_NOOP("Flasher", "slave device busy");
    case 8: return QT_TRANSLATE_NOOP("Flasher", "memory parity error");
    case 10: return QT_TRANSLATE_NOOP("Flasher", "gateway path unavailable");
    case 11: return QT_TRANSLATE_NOOP("Flasher", "gateway target device failed to respond");
    default: return QT_TRANSLATE_NOOP("Flasher", "unknown exception");
    }
}

// The words of an outcome that has no number in them (untranslated); null for the others.
const char* FixedOutcome(int outcome)
{
    switch (outcome) {
    case VEXORISP_NO_ANSWER: return QT_TRANSLATE_NOOP("Flasher", "no answer from the panel in time, after every retry");
    case VEXORISP_NOT_OPEN: return QT_TRANSLATE_NOOP("Flasher", "the serial line is not open");
    case VEXORISP_BAD_REQUEST:
        return QT_TRANSLATE_NOOP("Flasher", "the request cannot be framed (function, size or data)");
    case VEXORISP_LINE_ERROR: return QT_TRANSLATE_NOOP("Flasher", "the serial line failed while sending");
    default: return nullptr;
    }
}

} // namespace

std::string DescribeIspOutcome(int outcome)
{
    using COMMON_EX::TrArgs;
    if (outcome > 0)
        return TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Flasher", "answer of %1 bytes"), {std::to_string(outcome)});
    if (const char* fixed = FixedOutcome(outcome))
        return COMMON_EX::Tr(CONTEXT, fixed);
    const int code = VEXORISP_EXCEPTION_BASE - outcome;
    if (code >= 1 && code <= 255)
        return TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Flasher", "the panel refused the request: Modbus exception %1 (%2)"),
                      {std::to_string(code), COMMON_EX::Tr(CONTEXT, ExceptionMeaning(code))});
    return TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Flasher", "unknown outcome %1"), {std::to_string(outcome)});
}

namespace {

// The words of a run result (untranslated).
const char* ResultWords(IspRunResult result)
{
    switch (result) {
    case ISP_RESULT_NONE: return QT_TRANSLATE_NOOP("Flasher", "no run yet");
    case ISP_RESULT_RUNNING: return QT_TRANSLATE_NOOP("Flasher", "programming is under way");
    case ISP_RESULT_FINISHED:
        return QT_TRANSLATE_NOOP("Flasher", "programming finished: the panel confirmed every block");
    case ISP_RESULT_UNCONFIRMED:
        return QT_TRANSLATE_NOOP("Flasher", "programming finished, but blocks equal to an earlier block are not "
                                            "confirmed");
    case ISP_RESULT_EMPTY_IMAGE: return QT_TRANSLATE_NOOP("Flasher", "nothing was programmed: the image is empty");
    case ISP_RESULT_CRC_ERROR: return QT_TRANSLATE_NOOP("Flasher", "a block arrived damaged at the panel (CRC error)");
    case ISP_RESULT_FAILED:
        return QT_TRANSLATE_NOOP("Flasher", "a request failed after the panel's boot loader answered");
    case ISP_RESULT_STOPPED: return QT_TRANSLATE_NOOP("Flasher", "programming was stopped");
    case ISP_RESULT_REFUSED: return QT_TRANSLATE_NOOP("Flasher", "the run was refused before anything was sent");
    }
    return QT_TRANSLATE_NOOP("Flasher", "unknown result");
}

} // namespace

std::string DescribeIspResult(IspRunResult result)
{
    return COMMON_EX::Tr(CONTEXT, ResultWords(result));
}
