#include "vexorisp/rtu_frame.h"

#include "vexorisp/modbus_crc.h"

#include <algorithm>

void AppendFrameCrc(std::vector<BYTE>& frame)
{
    WORD crc = CalcModbusCrc(frame.data(), frame.size());
    frame.push_back(static_cast<BYTE>(crc & 0xFF));
    frame.push_back(static_cast<BYTE>(crc >> 8));
}

bool HasValidFrameCrc(const BYTE* frame, std::size_t length)
{
    if (length < RTU_CRC_SIZE + 1)
        return false;
    WORD crc = CalcModbusCrc(frame, length - RTU_CRC_SIZE);
    return frame[length - 2] == (crc & 0xFF) && frame[length - 1] == (crc >> 8);
}

std::vector<BYTE> GetRegisterBytes(const void* data, int count, bool wordsInHostOrder)
{
    std::vector<BYTE> bytes;
    bytes.reserve(static_cast<std::size_t>(count) * 2);
    if (wordsInHostOrder) {
        const WORD* words = static_cast<const WORD*>(data);
        for (int i = 0; i < count; ++i) {
            bytes.push_back(static_cast<BYTE>(words[i] >> 8));
            bytes.push_back(static_cast<BYTE>(words[i] & 0xFF));
        }
    } else {
        const BYTE* source = static_cast<const BYTE*>(data);
        bytes.assign(source, source + static_cast<std::size_t>(count) * 2);
    }
    return bytes;
}

RTU_REQUEST BuildWriteRegistersRequest(int slave, int start, int count, const void* data, bool wordsInHostOrder)
{
    RTU_REQUEST request;
    if (!data || slave < 0 || slave > 255 || start < 0 || start > 0xFFFF || count < 1 ||
        count > RTU_WRITE_REGISTERS_MAX)
        return request;
    BYTE head[] = {static_cast<BYTE>(slave),        RTU_FUNCTION_WRITE_REGISTERS,  static_cast<BYTE>(start >> 8),
                   static_cast<BYTE>(start & 0xFF), static_cast<BYTE>(count >> 8), static_cast<BYTE>(count & 0xFF)};
    request.frame.assign(head, head + sizeof head);
    request.frame.push_back(static_cast<BYTE>(count * 2));
    std::vector<BYTE> registers = GetRegisterBytes(data, count, wordsInHostOrder);
    request.frame.insert(request.frame.end(), registers.begin(), registers.end());
    AppendFrameCrc(request.frame);
    request.answerHead.assign(head, head + sizeof head);
    request.answerLength = sizeof head + RTU_CRC_SIZE;
    return request;
}

RTU_REQUEST BuildBlockRequest(int slave, int count, const void* data, bool wordsInHostOrder, int answerRegisters)
{
    RTU_REQUEST request;
    if (!data || slave < 0 || slave > 255 || count < 1 || count > RTU_BLOCK_REGISTERS_MAX || answerRegisters < 1 ||
        answerRegisters > RTU_BLOCK_REGISTERS_MAX)
        return request;
    request.frame = {static_cast<BYTE>(slave), RTU_FUNCTION_BLOCK, static_cast<BYTE>(count * 2)};
    std::vector<BYTE> registers = GetRegisterBytes(data, count, wordsInHostOrder);
    request.frame.insert(request.frame.end(), registers.begin(), registers.end());
    AppendFrameCrc(request.frame);
    request.answerHead = {static_cast<BYTE>(slave), RTU_FUNCTION_BLOCK, static_cast<BYTE>(answerRegisters * 2)};
    request.answerLength = 3 + static_cast<std::size_t>(answerRegisters) * 2 + RTU_CRC_SIZE;
    return request;
}

RTU_ANSWER_CHECK CheckAnswer(const RTU_REQUEST& request, const BYTE* received, std::size_t length)
{
    RTU_ANSWER_CHECK check;
    const BYTE slave = request.answerHead[0];
    const BYTE function = request.answerHead[1];
    std::size_t& at = check.skipped;
    for (; at < length; ++at) {
        if (received[at] != slave)
            continue;
        if (at + 1 >= length)
            return check;
        BYTE answerFunction = received[at + 1];
        std::size_t frameLength = 0;
        if (answerFunction == function)
            frameLength = request.answerLength;
        else if (answerFunction == (function | RTU_EXCEPTION_FLAG))
            frameLength = RTU_EXCEPTION_SIZE;
        else
            continue;
        if (at + frameLength > length)
            return check;
        const BYTE* frame = received + at;
        check.length = frameLength;
        if (!HasValidFrameCrc(frame, frameLength))
            check.status = RTU_ANSWER_BAD_CRC;
        else if (answerFunction != function) {
            check.status = RTU_ANSWER_EXCEPTION;
            check.exceptionCode = frame[2];
        } else if (!std::equal(request.answerHead.begin(), request.answerHead.end(), frame))
            check.status = RTU_ANSWER_FOREIGN;
        else
            check.status = RTU_ANSWER_OK;
        return check;
    }
    return check;
}
