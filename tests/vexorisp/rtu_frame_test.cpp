// CRC-16/MODBUS, request frames byte for byte, and the recognition of answers among noise.
#include "vexorisp/modbus_crc.h"
#include "vexorisp/rtu_frame.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Bytes = std::vector<BYTE>;

// Bit-by-bit reference of the reflected CRC with any initial value.
WORD ReferenceCrc(const Bytes& data, WORD init)
{
    unsigned crc = init;
    for (BYTE byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return static_cast<WORD>(crc);
}

Bytes WithCrc(Bytes frame)
{
    AppendFrameCrc(frame);
    return frame;
}

} // namespace

TEST(ModbusCrcTest, CheckValueAndSeededVariant)
{
    const char* check = "123456789";
    EXPECT_EQ(CalcModbusCrc(reinterpret_cast<const BYTE*>(check), 9), 0x4B37);
    // The classic read-holding-registers request, whose frame ends C5 CD.
    static constexpr BYTE read[] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x0A};
    static_assert(CalcModbusCrc(read, sizeof read) == 0xCDC5, "table built at compile time");
    Bytes header = {0x40, 0x03, 0x60, 0x80};
    EXPECT_EQ(CalcModbusCrc(header.data(), header.size(), 0x5AA5), ReferenceCrc(header, 0x5AA5));
    EXPECT_NE(CalcModbusCrc(header.data(), header.size(), 0x5AA5), CalcModbusCrc(header.data(), header.size()));
    EXPECT_EQ(CalcModbusCrc(nullptr, 0, 0x1234), 0x1234);
    for (unsigned seed : {0u, 0xFFFFu, 0xA55Au}) {
        Bytes data;
        for (int i = 0; i < 300; ++i)
            data.push_back(static_cast<BYTE>(i * 7 + seed));
        EXPECT_EQ(CalcModbusCrc(data.data(), data.size(), static_cast<WORD>(seed)),
                  ReferenceCrc(data, static_cast<WORD>(seed)));
    }
}

TEST(RtuFrameTest, FrameCrcTravelsLowByteFirst)
{
    Bytes frame = WithCrc({0x01, 0x03, 0x00, 0x00, 0x00, 0x0A});
    EXPECT_EQ(frame, (Bytes{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD}));
    EXPECT_TRUE(HasValidFrameCrc(frame.data(), frame.size()));
    frame[3] ^= 0x10;
    EXPECT_FALSE(HasValidFrameCrc(frame.data(), frame.size()));
    EXPECT_FALSE(HasValidFrameCrc(frame.data(), 2));
}

TEST(RtuFrameTest, WriteRegistersCarriesBytesOrBigEndianWords)
{
    const BYTE entry[14] = {4, 0, 1, 5, 'E', 'n', 't', 'r', 'y', '_', 'I', 'S', 'P', 0};
    RTU_REQUEST request = BuildWriteRegistersRequest(1, 0x25D8, 7, entry, false);
    Bytes head = {0x01, 0x10, 0x25, 0xD8, 0x00, 0x07, 14};
    Bytes expected = head;
    expected.insert(expected.end(), entry, entry + 14);
    EXPECT_EQ(request.frame, WithCrc(expected));
    EXPECT_EQ(request.answerLength, 8u);
    EXPECT_EQ(request.answerHead, (Bytes{0x01, 0x10, 0x25, 0xD8, 0x00, 0x07}));

    const WORD command = 0x0102;
    RTU_REQUEST write = BuildWriteRegistersRequest(255, 0, 1, &command, true);
    EXPECT_EQ(write.frame, WithCrc({0xFF, 0x10, 0x00, 0x00, 0x00, 0x01, 0x02, 0x01, 0x02}));
}

TEST(RtuFrameTest, BlockRequestAndItsAnswerShape)
{
    BYTE block[6] = {1, 3, 0x60, 0x80, 0xAA, 0x55};
    RTU_REQUEST request = BuildBlockRequest(255, 3, block, false, 1);
    EXPECT_EQ(request.frame, WithCrc({0xFF, 100, 6, 1, 3, 0x60, 0x80, 0xAA, 0x55}));
    EXPECT_EQ(request.answerHead, (Bytes{0xFF, 100, 2}));
    EXPECT_EQ(request.answerLength, 7u);
}

TEST(RtuFrameTest, RequestsThatCannotBeFramedAreEmpty)
{
    BYTE data[256] = {};
    EXPECT_TRUE(BuildWriteRegistersRequest(1, 0, 0, data, false).frame.empty());
    EXPECT_TRUE(BuildWriteRegistersRequest(1, 0, 124, data, false).frame.empty());
    EXPECT_FALSE(BuildWriteRegistersRequest(1, 0, 123, data, false).frame.empty());
    EXPECT_TRUE(BuildWriteRegistersRequest(256, 0, 1, data, false).frame.empty());
    EXPECT_TRUE(BuildWriteRegistersRequest(1, 0x10000, 1, data, false).frame.empty());
    EXPECT_TRUE(BuildWriteRegistersRequest(1, 0, 1, nullptr, false).frame.empty());
    EXPECT_TRUE(BuildBlockRequest(255, 128, data, false, 1).frame.empty());
    EXPECT_FALSE(BuildBlockRequest(255, 127, data, false, 1).frame.empty());
    EXPECT_TRUE(BuildBlockRequest(255, 1, data, false, 0).frame.empty());
}

TEST(RtuFrameTest, AnswersAreFoundBehindNoiseAndJudged)
{
    const WORD command = 1;
    RTU_REQUEST request = BuildWriteRegistersRequest(255, 0, 1, &command, true);
    Bytes answer = WithCrc({0xFF, 0x10, 0x00, 0x00, 0x00, 0x01});

    RTU_ANSWER_CHECK check = CheckAnswer(request, answer.data(), 5);
    EXPECT_EQ(check.status, RTU_ANSWER_INCOMPLETE);

    Bytes noisy = {0x00, 0x42, 0x10};
    noisy.insert(noisy.end(), answer.begin(), answer.end());
    check = CheckAnswer(request, noisy.data(), noisy.size());
    EXPECT_EQ(check.status, RTU_ANSWER_OK);
    EXPECT_EQ(check.skipped, 3u);
    EXPECT_EQ(check.length, 8u);

    Bytes corrupt = answer;
    corrupt.back() ^= 1;
    EXPECT_EQ(CheckAnswer(request, corrupt.data(), corrupt.size()).status, RTU_ANSWER_BAD_CRC);

    // A well-formed echo of another register answers some other request.
    Bytes other = WithCrc({0xFF, 0x10, 0x25, 0xD8, 0x00, 0x07});
    check = CheckAnswer(request, other.data(), other.size());
    EXPECT_EQ(check.status, RTU_ANSWER_FOREIGN);
    EXPECT_EQ(check.length, 8u);

    Bytes exception = WithCrc({0xFF, 0x90, 0x02});
    check = CheckAnswer(request, exception.data(), exception.size());
    EXPECT_EQ(check.status, RTU_ANSWER_EXCEPTION);
    EXPECT_EQ(check.exceptionCode, 2);
    EXPECT_EQ(check.length, 5u);
}
