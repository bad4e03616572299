#include "emulator/modbus_frame.h"

#include <algorithm>

namespace MODBUS_FRAME {

namespace {

constexpr size_t MBAP_SIZE = 7; // transaction, protocol, length, unit
constexpr size_t MAX_PDU = 253;

// The size of the answer PDU `request` asks for (without exceptions); 0 when not one of ours.
size_t AnswerSize(const std::vector<uint8_t>& request)
{
    if (request.size() != 5)
        return 0;
    const int count = request[3] << 8 | request[4];
    switch (request[0]) {
    case 1: return 2 + size_t((count + 7) / 8);
    case 3: return 2 + size_t(count) * 2;
    case 5:
    case 6: return 5;
    default: return 0;
    }
}

// Checks an answer PDU that is complete as far as `have` bytes go: BROKEN as soon as a byte
// differs from what the request allows, INCOMPLETE while fitting and short of `need`.
VERDICT CheckPdu(const std::vector<uint8_t>& request, const uint8_t* pdu, size_t have, size_t& need)
{
    need = 1;
    if (have < 1)
        return VERDICT::INCOMPLETE;
    const uint8_t function = request.empty() ? 0 : request[0];
    if (pdu[0] == (function | 0x80)) {
        need = 2;
        return have < need ? VERDICT::INCOMPLETE : VERDICT::ANSWER;
    }
    const size_t size = AnswerSize(request);
    if (pdu[0] != function || size == 0)
        return VERDICT::BROKEN;
    need = size;
    if (function == 1 || function == 3) {
        if (have >= 2 && pdu[1] != size - 2)
            return VERDICT::BROKEN;
    } else {
        for (size_t i = 1; i < have && i < size; ++i)
            if (pdu[i] != request[i])
                return VERDICT::BROKEN; // a write is answered by its echo
    }
    return have < need ? VERDICT::INCOMPLETE : VERDICT::ANSWER;
}

} // namespace

uint16_t Crc16(const uint8_t* data, size_t size)
{
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
    }
    return crc;
}

std::vector<uint8_t> Frame(TRANSPORT transport, int station, uint16_t transaction, const std::vector<uint8_t>& pdu)
{
    std::vector<uint8_t> frame;
    if (transport == TRANSPORT::TCP) {
        const size_t length = pdu.size() + 1;
        frame = {uint8_t(transaction >> 8), uint8_t(transaction), 0, 0, uint8_t(length >> 8), uint8_t(length)};
    }
    frame.push_back(uint8_t(station));
    frame.insert(frame.end(), pdu.begin(), pdu.end());
    if (transport == TRANSPORT::RTU) {
        const uint16_t crc = Crc16(frame.data(), frame.size());
        frame.push_back(uint8_t(crc));
        frame.push_back(uint8_t(crc >> 8));
    }
    return frame;
}

std::vector<uint8_t> ReadPdu(int function, int address, int count)
{
    return {uint8_t(function), uint8_t(address >> 8), uint8_t(address), uint8_t(count >> 8), uint8_t(count)};
}

std::vector<uint8_t> WritePdu(int function, int address, uint16_t value)
{
    return {uint8_t(function), uint8_t(address >> 8), uint8_t(address), uint8_t(value >> 8), uint8_t(value)};
}

VERDICT Check(TRANSPORT transport, int station, uint16_t transaction, const std::vector<uint8_t>& request,
              const uint8_t* data, size_t size, size_t& used, std::vector<uint8_t>& pdu)
{
    used = 0;
    size_t need = 0;
    if (transport == TRANSPORT::TCP) {
        if (size < MBAP_SIZE)
            return VERDICT::INCOMPLETE;
        const size_t length = size_t(data[4] << 8 | data[5]);
        if (data[2] != 0 || data[3] != 0 || length < 2 || length > MAX_PDU + 1)
            return VERDICT::BROKEN; // no frame boundary to find again on this stream
        const size_t whole = 6 + length;
        if ((data[0] << 8 | data[1]) != transaction) {
            if (size < whole)
                return VERDICT::INCOMPLETE;
            used = whole;
            return VERDICT::FOREIGN;
        }
        if (data[6] != station)
            return VERDICT::BROKEN;
        const size_t have = std::min(size, whole) - MBAP_SIZE;
        const VERDICT verdict = CheckPdu(request, data + MBAP_SIZE, have, need);
        if (verdict == VERDICT::BROKEN)
            return VERDICT::BROKEN;
        if (size < whole)
            return VERDICT::INCOMPLETE;
        if (verdict != VERDICT::ANSWER || need != length - 1)
            return VERDICT::BROKEN; // the header's length and the PDU disagree
        used = whole;
        pdu.assign(data + MBAP_SIZE, data + whole);
        return VERDICT::ANSWER;
    }
    if (size < 1)
        return VERDICT::INCOMPLETE;
    if (data[0] != station)
        return VERDICT::BROKEN;
    const VERDICT verdict = CheckPdu(request, data + 1, size - 1, need);
    if (verdict != VERDICT::ANSWER)
        return verdict;
    const size_t whole = 1 + need + 2;
    if (size < whole)
        return VERDICT::INCOMPLETE;
    const uint16_t crc = Crc16(data, whole - 2);
    if (data[whole - 2] != uint8_t(crc) || data[whole - 1] != uint8_t(crc >> 8))
        return VERDICT::BROKEN;
    used = whole;
    pdu.assign(data + 1, data + whole - 2);
    return VERDICT::ANSWER;
}

int RtuRequestLength(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const auto counted = [&](size_t at, int fixed) { return size <= at ? 0 : fixed + data[at]; };
    switch (data[1]) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 8: return 8; // station, function, two words, CRC
    case 7:
    case 11:
    case 12:
    case 17: return 4; // station, function, CRC
    case 15:
    case 16: return counted(6, 9); // station, function, address, count, byte count, data, CRC
    case 20:
    case 21: return counted(2, 5);   // station, function, byte count, data, CRC
    case 22: return 10;              // station, function, address, AND mask, OR mask, CRC
    case 23: return counted(10, 13); // read address and count, write address, count, byte count, data
    case 24: return 6;               // station, function, FIFO address, CRC
    default: return -1;
    }
}

} // namespace MODBUS_FRAME
