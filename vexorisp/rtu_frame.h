// Master side of the Modbus RTU framing: request frames and the recognition of their answers.
#pragma once

#include "comkit/types.h"

#include <cstddef>
#include <vector>

constexpr BYTE RTU_FUNCTION_WRITE_REGISTERS = 16;
constexpr BYTE RTU_FUNCTION_BLOCK = 100;
constexpr BYTE RTU_EXCEPTION_FLAG = 0x80;
constexpr int RTU_WRITE_REGISTERS_MAX = 123;
constexpr int RTU_BLOCK_REGISTERS_MAX = 127;
constexpr std::size_t RTU_CRC_SIZE = 2;
constexpr std::size_t RTU_EXCEPTION_SIZE = 5;
constexpr std::size_t RTU_FRAME_MAX = 256;

// A request frame and what its answer must look like.
struct RTU_REQUEST {
    std::vector<BYTE> frame;      // CRC included; empty when the request cannot be framed
    std::vector<BYTE> answerHead; // leading bytes a matching answer carries
    std::size_t answerLength = 0; // whole answer frame, CRC included
};

// Appends the frame CRC, low byte first.
void AppendFrameCrc(std::vector<BYTE>& frame);
// True when the last two bytes are the CRC of the bytes before them.
bool HasValidFrameCrc(const BYTE* frame, std::size_t length);

// Register data: count registers from data, either bytes in their order or host-order words sent
// high byte first.
std::vector<BYTE> GetRegisterBytes(const void* data, int count, bool wordsInHostOrder);

// Frames function 16 (write multiple registers). An empty frame when the arguments do not fit.
RTU_REQUEST BuildWriteRegistersRequest(int slave, int start, int count, const void* data, bool wordsInHostOrder);
// Frames function 100 (block of count registers, answered by answerRegisters registers).
RTU_REQUEST BuildBlockRequest(int slave, int count, const void* data, bool wordsInHostOrder, int answerRegisters);

enum RtuAnswerStatus {
    RTU_ANSWER_INCOMPLETE, // more bytes needed
    RTU_ANSWER_OK,         // a matching answer of RTU_REQUEST::answerLength bytes
    RTU_ANSWER_BAD_CRC,    // a frame of the expected size whose CRC is wrong
    RTU_ANSWER_FOREIGN,    // a well-formed frame that answers some other request
    RTU_ANSWER_EXCEPTION,  // a Modbus exception answer; code in exceptionCode
};

struct RTU_ANSWER_CHECK {
    RtuAnswerStatus status = RTU_ANSWER_INCOMPLETE;
    std::size_t skipped = 0; // leading bytes dropped before the frame (noise)
    std::size_t length = 0;  // bytes of the frame itself (after skipped)
    BYTE exceptionCode = 0;
};

// Looks for the answer of request at the start of received bytes. Bytes that cannot begin an
// answer (wrong slave or function) are counted in skipped.
RTU_ANSWER_CHECK CheckAnswer(const RTU_REQUEST& request, const BYTE* received, std::size_t length);
