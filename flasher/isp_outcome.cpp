// Words for request outcomes and run results.
#include "flasher/isp_outcome.h"

#include "vexorisp/vexorisp.h"

namespace {

// Meanings of the Modbus exception codes.
const char* ExceptionMeaning(int code)
{
    switch (code) {
    case 1: return "illegal function";
    case 2: return "illegal data address";
    case 3: return "illegal data value";
    case 4: return "slave device failure";
    case 5: return "acknowledge";
    case 6: return "slave device busy";
    case 8: return "memory parity error";
    case 10: return "gateway path unavailable";
    case 11: return "gateway target device failed to respond";
    default: return "unknown exception";
    }
}

} // namespace

std::string DescribeIspOutcome(int outcome)
{
    if (outcome > 0)
        return "answer of " + std::to_string(outcome) + " bytes";
    switch (outcome) {
    case VEXORISP_NO_ANSWER: return "no answer from the panel in time, after every retry";
    case VEXORISP_NOT_OPEN: return "the serial line is not open";
    case VEXORISP_BAD_REQUEST: return "the request cannot be framed (function, size or data)";
    case VEXORISP_LINE_ERROR: return "the serial line failed while sending";
    default: break;
    }
    const int code = VEXORISP_EXCEPTION_BASE - outcome;
    if (code >= 1 && code <= 255)
        return "the panel refused the request: Modbus exception " + std::to_string(code) + " (" +
               ExceptionMeaning(code) + ")";
    return "unknown outcome " + std::to_string(outcome);
}

const char* DescribeIspResult(IspRunResult result)
{
    switch (result) {
    case ISP_RESULT_NONE: return "no run yet";
    case ISP_RESULT_RUNNING: return "programming is under way";
    case ISP_RESULT_FINISHED: return "programming finished: the panel confirmed every block";
    case ISP_RESULT_EMPTY_IMAGE: return "nothing was programmed: the image is empty";
    case ISP_RESULT_CRC_ERROR: return "a block arrived damaged at the panel (CRC error)";
    case ISP_RESULT_FAILED: return "a request failed after the panel's boot loader answered";
    case ISP_RESULT_STOPPED: return "programming was stopped";
    case ISP_RESULT_REFUSED: return "the run was refused before anything was sent";
    }
    return "unknown result";
}
