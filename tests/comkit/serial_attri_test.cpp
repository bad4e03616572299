#include "comkit/serial_attri.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri;

namespace {

std::string Field(const BYTE* record, int offset, int width)
{
    std::string f(reinterpret_cast<const char*>(record) + offset, size_t(width));
    return f.substr(0, f.find('\0'));
}

// The record's bytes after each field's text are zero.
bool PaddingIsZero(const BYTE* record)
{
    const int offsets[] = {0, 10, 20, 25, 30, 35, 40};
    for (int i = 0; i < 6; ++i) {
        int len = int(std::strlen(reinterpret_cast<const char*>(record) + offsets[i]));
        for (int j = offsets[i] + len; j < offsets[i + 1]; ++j)
            if (record[j])
                return false;
    }
    return true;
}

TEST(SerialAttri, NewObjectSavesDefaultRecord)
{
    CHADEXSerialAttri a;
    BYTE rec[40];
    std::memset(rec, 0xCC, sizeof rec);
    EXPECT_EQ(a.Save(nullptr, 0), 40u);
    ASSERT_EQ(a.Save(rec, sizeof rec), 40u);
    EXPECT_EQ(Field(rec, 0, 10), "COM1");
    EXPECT_EQ(Field(rec, 10, 10), "9600");
    EXPECT_EQ(Field(rec, 20, 5), "8");
    EXPECT_EQ(Field(rec, 25, 5), "0");
    EXPECT_EQ(Field(rec, 30, 5), "0");
    EXPECT_EQ(Field(rec, 35, 5), "0");
    EXPECT_TRUE(PaddingIsZero(rec));
}

TEST(SerialAttri, RoundTripOfEverySettingAndParityAtOffset25)
{
    CHADEXSerialAttri a;
    a.SetSerialName("/dev/tty1"); // 9 characters: the longest the record holds
    a.SetBaudrate(CHADEXSerialAttri::BAUDRATE_115200);
    a.SetDataBits(CHADEXSerialAttri::DATABITS_7);
    EXPECT_EQ(a.SetParity(CHADEXSerialAttri::PARITY_EVEN), CHADEXSerialAttri::PARITY_EVEN);
    a.SetStopBits(CHADEXSerialAttri::STOPBITS_TWO);
    a.SetHandshake(CHADEXSerialAttri::HANDSHAKE_XONXOFF);
    BYTE rec[40];
    ASSERT_EQ(a.Save(rec, sizeof rec), 40u);
    EXPECT_EQ(Field(rec, 25, 5), "2");

    CHADEXSerialAttri b;
    ASSERT_EQ(b.Load(rec, sizeof rec), 40u);
    EXPECT_STREQ(b.GetSerialName(), "/dev/tty1");
    EXPECT_EQ(b.GetBaudrate(), 115200);
    EXPECT_EQ(b.GetDataBits(), 7);
    EXPECT_EQ(b.GetParity(), 2);
    EXPECT_EQ(b.GetStopBits(), 2);
    EXPECT_EQ(b.GetHandshake(), 2);
}

TEST(SerialAttri, ValuesOutsideTheListsSurvive)
{
    CHADEXSerialAttri a;
    a.SetBaudrate(CHADEXSerialAttri::EBaudrate(12345));
    a.SetParity(CHADEXSerialAttri::EParity(7));
    a.SetDataBits(CHADEXSerialAttri::EDataBits(-1));
    BYTE rec[40];
    a.Save(rec, sizeof rec);
    CHADEXSerialAttri b;
    b.Load(rec, sizeof rec);
    EXPECT_EQ(b.GetBaudrate(), 12345);
    EXPECT_EQ(b.GetParity(), 7);
    EXPECT_EQ(b.GetDataBits(), -1);
}

TEST(SerialAttri, ShortBuffersChangeNothing)
{
    CHADEXSerialAttri a;
    a.SetSerialName("COM7");
    a.SetBaudrate(CHADEXSerialAttri::BAUDRATE_4800);
    BYTE rec[40];
    std::memset(rec, 0x5A, sizeof rec);
    EXPECT_EQ(a.Save(rec, 39), 0u);
    EXPECT_EQ(rec[0], 0x5A);

    CHADEXSerialAttri other;
    other.Save(rec, sizeof rec);
    EXPECT_EQ(a.Load(rec, 39), 0u);
    EXPECT_EQ(a.Load(nullptr, 40), 0u);
    EXPECT_STREQ(a.GetSerialName(), "COM7");
    EXPECT_EQ(a.GetBaudrate(), 4800);
}

TEST(SerialAttri, LongNamesAndUnterminatedFieldsStayInsideTheirFields)
{
    CHADEXSerialAttri a;
    a.SetSerialName("/dev/ttyUSB10");
    BYTE rec[40];
    a.Save(rec, sizeof rec);
    EXPECT_EQ(Field(rec, 0, 10), "/dev/ttyU");
    EXPECT_EQ(rec[9], 0);

    // Every byte of the record is a digit: each field is read up to its own end only.
    std::memset(rec, '1', sizeof rec);
    CHADEXSerialAttri b;
    ASSERT_EQ(b.Load(rec, sizeof rec), 40u);
    EXPECT_STREQ(b.GetSerialName(), "1111111111");
    EXPECT_EQ(b.GetDataBits(), 11111);
    EXPECT_EQ(b.GetHandshake(), 11111);
}

TEST(SerialAttri, CopyTakesAllSettingsAndAnAbsentNameAsCOM1)
{
    CHADEXSerialAttri src;
    src.SetBaudrate(CHADEXSerialAttri::BAUDRATE_19200);
    src.SetStopBits(CHADEXSerialAttri::STOPBITS_ONE_HALF);
    CHADEXSerialAttri dst;
    dst.SetSerialName("COM9");
    dst.Copy(&src);
    EXPECT_STREQ(dst.GetSerialName(), "COM1");
    EXPECT_EQ(dst.GetBaudrate(), 19200);
    EXPECT_EQ(dst.GetStopBits(), 1);
    dst.Copy(&dst);
    dst.Copy(nullptr);
    EXPECT_STREQ(dst.GetSerialName(), "COM1");
}

} // namespace
