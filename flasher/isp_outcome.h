// Words for the outcomes of the communication library's requests and for how a programming run
// ended, for messages that name their cause (zqflash, the programmer's status line).
#pragma once

#include "flasher/flasher_api.h"

#include "flasher/isp_exchange.h"

#include <string>

// The outcome of one request as the notification carries it: above 0 "answer of N bytes"; -1 no
// answer in time; the library's error codes; a Modbus exception answer with its code and meaning;
// any other value "unknown outcome N". Never empty. In the user's language (the message
// translator the program installed), English as written without one.
FLASHER_API std::string DescribeIspOutcome(int outcome);

// How a run ended, in words ("programming finished", "a block arrived damaged (CRC error)", ...),
// in the user's language as DescribeIspOutcome.
FLASHER_API std::string DescribeIspResult(IspRunResult result);
