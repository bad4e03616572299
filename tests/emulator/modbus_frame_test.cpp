// The master's frames byte for byte, and which received bytes count as the answer to a request.
#include "emulator/modbus_frame.h"

#include <gtest/gtest.h>

using namespace MODBUS_FRAME;

namespace {

using BYTES = std::vector<uint8_t>;

VERDICT CheckOf(TRANSPORT transport, const BYTES& request, const BYTES& received, size_t& used, BYTES& pdu,
                uint16_t transaction = 7)
{
    return Check(transport, 1, transaction, request, received.data(), received.size(), used, pdu);
}

} // namespace

TEST(ModbusFrame, RequestsAreFramedForEachTransport)
{
    EXPECT_EQ(Frame(TRANSPORT::RTU, 1, 0, ReadPdu(3, 0, 10)), (BYTES{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD}));
    EXPECT_EQ(Frame(TRANSPORT::RTU, 1, 0, WritePdu(5, 10, 0xFF00)),
              (BYTES{0x01, 0x05, 0x00, 0x0A, 0xFF, 0x00, 0xAC, 0x38}));
    EXPECT_EQ(Frame(TRANSPORT::TCP, 17, 0x1234, ReadPdu(1, 2048, 3)),
              (BYTES{0x12, 0x34, 0x00, 0x00, 0x00, 0x06, 0x11, 0x01, 0x08, 0x00, 0x00, 0x03}));
}

TEST(ModbusFrame, OnlyTheAnswerToItsOwnRequestIsTaken)
{
    const BYTES read = ReadPdu(3, 100, 1);
    size_t used = 0;
    BYTES pdu;
    // RTU: 1234 in one register; byte by byte it stays incomplete until the CRC is in.
    const BYTES answer{0x01, 0x03, 0x02, 0x04, 0xD2, 0x3A, 0xD9};
    for (size_t n = 0; n < answer.size(); ++n)
        EXPECT_EQ(CheckOf(TRANSPORT::RTU, read, BYTES(answer.begin(), answer.begin() + long(n)), used, pdu),
                  VERDICT::INCOMPLETE)
            << n;
    BYTES more = answer;
    more.push_back(0x55);
    EXPECT_EQ(CheckOf(TRANSPORT::RTU, read, more, used, pdu), VERDICT::ANSWER);
    EXPECT_EQ(used, answer.size());
    EXPECT_EQ(pdu, (BYTES{0x03, 0x02, 0x04, 0xD2}));

    BYTES badCrc = answer;
    badCrc.back() ^= 1;
    EXPECT_EQ(CheckOf(TRANSPORT::RTU, read, badCrc, used, pdu), VERDICT::BROKEN);
    EXPECT_EQ(CheckOf(TRANSPORT::RTU, read, {0x02, 0x03}, used, pdu), VERDICT::BROKEN) << "another station";
    EXPECT_EQ(CheckOf(TRANSPORT::RTU, read, {0x01, 0x01}, used, pdu), VERDICT::BROKEN) << "another function";
    EXPECT_EQ(CheckOf(TRANSPORT::RTU, ReadPdu(3, 100, 2), answer, used, pdu), VERDICT::BROKEN)
        << "the answer of a one-register read for a two-register read";
    EXPECT_EQ(CheckOf(TRANSPORT::RTU, read, {0x01, 0x83, 0x02, 0xC0, 0xF1}, used, pdu), VERDICT::ANSWER);
    EXPECT_EQ(pdu, (BYTES{0x83, 0x02})) << "an exception answer is the request's answer";
    // A write is answered by its echo; the echo of another write is not its answer.
    const BYTES write = WritePdu(5, 10, 0xFF00);
    EXPECT_EQ(CheckOf(TRANSPORT::RTU, write, Frame(TRANSPORT::RTU, 1, 0, write), used, pdu), VERDICT::ANSWER);
    EXPECT_EQ(CheckOf(TRANSPORT::RTU, write, Frame(TRANSPORT::RTU, 1, 0, WritePdu(5, 11, 0xFF00)), used, pdu),
              VERDICT::BROKEN);

    // TCP: a frame of another transaction is skipped whole, the own one taken after it.
    const BYTES foreign{0x00, 0x06, 0x00, 0x00, 0x00, 0x05, 0x01, 0x03, 0x02, 0x04, 0x57};
    const BYTES own{0x00, 0x07, 0x00, 0x00, 0x00, 0x05, 0x01, 0x03, 0x02, 0x0D, 0x05};
    EXPECT_EQ(CheckOf(TRANSPORT::TCP, read, BYTES(foreign.begin(), foreign.end() - 1), used, pdu), VERDICT::INCOMPLETE);
    EXPECT_EQ(CheckOf(TRANSPORT::TCP, read, foreign, used, pdu), VERDICT::FOREIGN);
    EXPECT_EQ(used, foreign.size());
    EXPECT_EQ(CheckOf(TRANSPORT::TCP, read, own, used, pdu), VERDICT::ANSWER);
    EXPECT_EQ(pdu, (BYTES{0x03, 0x02, 0x0D, 0x05}));
    BYTES otherUnit = own;
    otherUnit[6] = 2;
    EXPECT_EQ(CheckOf(TRANSPORT::TCP, read, otherUnit, used, pdu), VERDICT::BROKEN);
    BYTES badProtocol = own;
    badProtocol[3] = 1;
    EXPECT_EQ(CheckOf(TRANSPORT::TCP, read, badProtocol, used, pdu), VERDICT::BROKEN);
    BYTES lying = own; // the header says 6 bytes follow, the PDU of a one-register answer has 4
    lying[5] = 6;
    lying.push_back(0);
    EXPECT_EQ(CheckOf(TRANSPORT::TCP, read, lying, used, pdu), VERDICT::BROKEN);
}

TEST(ModbusFrame, ASlaveKnowsWhereEachRequestEnds)
{
    const BYTES read = Frame(TRANSPORT::RTU, 1, 0, ReadPdu(3, 0, 10));
    EXPECT_EQ(RtuRequestLength(read.data(), 1), 0);
    EXPECT_EQ(RtuRequestLength(read.data(), read.size()), 8);
    const BYTES many{0x01, 0x10, 0x00, 0x64, 0x00, 0x02, 0x04};
    EXPECT_EQ(RtuRequestLength(many.data(), 6), 0) << "the byte count is not in yet";
    EXPECT_EQ(RtuRequestLength(many.data(), many.size()), 13);
    const BYTES identity{0x01, 0x11};
    EXPECT_EQ(RtuRequestLength(identity.data(), identity.size()), 4);
    const BYTES device{0x01, 0x2B, 0x0E};
    EXPECT_EQ(RtuRequestLength(device.data(), device.size()), -1) << "ends at the silence";
}
