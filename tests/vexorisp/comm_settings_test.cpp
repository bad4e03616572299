// The settings file "MD_DLL.DFT": the COM byte in front, our text lines after it, and port
// updates that leave every other byte alone (the editor writes the first byte back the same way).
#include "vexorisp/comm_settings.h"

#include "comkit/file_size_limit.h"
#include "comkit/test_temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CommSettingsTest, DefaultFileIsCom1At38400EvenParity)
{
    std::string bytes = FormatCommSettings(GetDefaultCommSettings());
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[0], '\0');
    COMM_SETTINGS settings;
    settings.baud = 1;
    ASSERT_TRUE(ParseCommSettings(bytes, settings));
    VEXORISP_LINE line = settings.GetLine();
    EXPECT_EQ(line.com, 1);
    EXPECT_STREQ(line.device, "/dev/ttyUSB0");
    EXPECT_EQ(line.baud, 38400);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_EQ(line.parity, 'E');
    EXPECT_EQ(line.stopBits, 1);
    EXPECT_EQ(GetBitsPerChar(line), 11);
    // 137 bytes of 11 bits at 38400 baud.
    EXPECT_EQ(GetLineTimeMicros(line, 137), 137LL * 11 * 1000000 / 38400);
}

TEST(CommSettingsTest, FirstByteChoosesTheComNumberAndItsDevice)
{
    std::string bytes = std::string(1, '\x02') +
                        "\r\n; comment\r\nbaud = 115200\r\nParity=odd\r\n"
                        "stopbits=2\r\ndatabits=7\r\ncom3 = /dev/pts/7 \r\n#COM4=/dev/nothing\r\n";
    COMM_SETTINGS settings;
    ASSERT_TRUE(ParseCommSettings(bytes, settings));
    VEXORISP_LINE line = settings.GetLine();
    EXPECT_EQ(line.com, 3);
    EXPECT_STREQ(line.device, "/dev/pts/7");
    EXPECT_EQ(line.baud, 115200);
    EXPECT_EQ(line.parity, 'O');
    EXPECT_EQ(line.stopBits, 2);
    EXPECT_EQ(line.dataBits, 7);
    EXPECT_EQ(settings.GetDevicePath(4), "/dev/ttyUSB3");
    // The first byte is binary: a COM number whose byte is a line end or '#' still counts.
    EXPECT_TRUE(ParseCommSettings(std::string(1, '\n') + "COM11=/dev/ttyS4\n", settings));
    EXPECT_EQ(settings.com, 11);
    EXPECT_EQ(settings.GetDevicePath(11), "/dev/ttyS4");
    EXPECT_TRUE(ParseCommSettings(std::string(1, '\xFF'), settings));
    EXPECT_EQ(settings.com, 256);
}

TEST(CommSettingsTest, BadValuesKeepTheDefaults)
{
    COMM_SETTINGS settings;
    ASSERT_TRUE(ParseCommSettings(std::string(1, '\0') + "baud=fast\nbaud=-5\ndatabits=9\nparity=mark\n"
                                                         "stopbits=3\nCOM0=/dev/x\nCOMx=/dev/y\nnoequals\n",
                                  settings));
    EXPECT_EQ(settings.baud, 38400);
    EXPECT_EQ(settings.dataBits, 8);
    EXPECT_EQ(settings.parity, 'E');
    EXPECT_EQ(settings.stopBits, 1);
    EXPECT_TRUE(settings.devices.empty());
    EXPECT_FALSE(ParseCommSettings(std::string(), settings));
}

TEST(CommSettingsTest, PortUpdateRewritesOnlyItsByteAndLine)
{
    std::string original = std::string(1, '\0') + "; keep me\r\nbaud=9600\r\nCOM2=/dev/old\r\nextra=1\r\n";
    std::string updated = UpdateCommSettingsPort(original, 2, "/dev/pts/3");
    EXPECT_EQ(updated, std::string(1, '\x01') + "; keep me\r\nbaud=9600\r\nCOM2=/dev/pts/3\r\nextra=1\r\n");

    std::string appended = UpdateCommSettingsPort(original, 5, "/dev/ttyS9");
    EXPECT_EQ(appended, std::string(1, '\x04') + original.substr(1) + "COM5=/dev/ttyS9\n");

    COMM_SETTINGS settings;
    ASSERT_TRUE(ParseCommSettings(UpdateCommSettingsPort(std::string(), 3, "/dev/pts/9"), settings));
    EXPECT_EQ(settings.com, 3);
    EXPECT_EQ(settings.GetDevicePath(3), "/dev/pts/9");
    EXPECT_EQ(settings.baud, 38400);
}

TEST(CommSettingsTest, FormatAndParseRoundTrip)
{
    COMM_SETTINGS settings;
    settings.com = 12;
    settings.baud = 57600;
    settings.parity = 'N';
    settings.stopBits = 2;
    settings.devices[12] = "/dev/serial/by-id/usb-adapter";
    COMM_SETTINGS read;
    ASSERT_TRUE(ParseCommSettings(FormatCommSettings(settings), read));
    EXPECT_EQ(read.com, 12);
    EXPECT_EQ(read.baud, 57600);
    EXPECT_EQ(read.parity, 'N');
    EXPECT_EQ(read.stopBits, 2);
    EXPECT_EQ(read.devices, settings.devices);
}

TEST(CommSettingsTest, FailedWriteLeavesTheOldFile)
{
    CTestTempDir dir;
    const std::string path = dir.File("MD_DLL.DFT");
    const std::string old = FormatCommSettings(GetDefaultCommSettings());
    CTestTempDir::WriteBytes(path, old);
    {
        CFileSizeLimit full(8);
        EXPECT_FALSE(WriteCommSettingsFile(path, UpdateCommSettingsPort(old, 3, "/dev/pts/9")));
    }
    EXPECT_EQ(CTestTempDir::ReadBytes(path), old);
}

TEST(CommSettingsTest, PortUpdateReachesEveryLineOfItsComNumber)
{
    // Found by fuzzing: with COM3 listed twice the reader takes the last line, which the update
    // used to leave alone.
    const std::string bytes = std::string(1, '\0') + "COM3=/dev/ttyUSB2\nbaud=9600\r\nCOM3=/dev/pts/4\r\n";
    const std::string updated = UpdateCommSettingsPort(bytes, 3, "/dev/pts/9");
    EXPECT_EQ(updated, std::string(1, '\2') + "COM3=/dev/pts/9\nbaud=9600\r\nCOM3=/dev/pts/9\r\n");
    COMM_SETTINGS settings;
    ASSERT_TRUE(ParseCommSettings(updated, settings));
    EXPECT_STREQ(settings.GetLine().device, "/dev/pts/9");
}
