// The port list by stable name against pseudo-terminals standing in for adapters, in fake
// /dev/serial/by-id and /dev folders, and the COM number a chosen device takes.
#include "vexorisp/serial_ports.h"

#include "tests/vexorisp/fake_serial_folders.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;

class SerialPorts : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fake.IsValid());
        root = fake.Root();
        folders.byId = fake.ById();
        folders.devices = fake.Devices();
        for (const char* name : {"ttyUSB0", "ttyUSB1", "ttyUSB10", "ttyACM0", "ttyS0"}) {
            fake.AddPtyDevice(name);
            ASSERT_FALSE(fake.LastPty().Device().empty());
            devices[name] = fake.LastPty().Device();
        }
        fake.AddStableName("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "ttyUSB1");
        fake.AddStableName("usb-Prolific_gone-if00-port0", "ttyUSB7"); // unplugged: dangles
        fake.AddDevice("ttyUSB2", "/nowhere");                         // dangles too
        fs::create_directories(root + "/dev/ttyX0");                   // not a port name
    }

    CFakeSerialFolders fake;
    std::string root;
    SERIAL_PORT_FOLDERS folders;
    std::map<std::string, std::string> devices; // name in dev/ -> its pseudo-terminal
};

TEST_F(SerialPorts, StableNamesFirstThenKernelNamesInNumberOrderEachDeviceOnce)
{
    const std::vector<SERIAL_PORT_ENTRY> ports = ListSerialPorts(folders);
    ASSERT_EQ(ports.size(), 5u);
    EXPECT_EQ(ports[0].path, folders.byId + "/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    EXPECT_EQ(ports[0].device, devices["ttyUSB1"]);
    EXPECT_TRUE(ports[0].stable);
    // No adapter words from the system for a pseudo-terminal: the by-id name's own.
    EXPECT_EQ(ports[0].description, "FTDI FT232R USB UART A50285BI");
    EXPECT_EQ(DescribeSerialPort(ports[0]),
              ports[0].path + " - FTDI FT232R USB UART A50285BI (" + devices["ttyUSB1"] + ")");
    // ttyUSB1 is reached through its stable name already; ttyUSB10 comes after ttyUSB0, not before.
    const std::string expected[] = {"ttyUSB0", "ttyUSB10", "ttyACM0", "ttyS0"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ports[i + 1].path, folders.devices + "/" + expected[i]);
        EXPECT_FALSE(ports[i + 1].stable);
        EXPECT_TRUE(ports[i + 1].permitted);
    }
    EXPECT_EQ(ports[4].device, devices["ttyS0"]);

    // The environment names the folders for every program.
    fake.SetEnvironment();
    const SERIAL_PORT_FOLDERS fromEnvironment = SERIAL_PORT_FOLDERS::FromEnvironment();
    ::unsetenv("ZQ_SERIAL_BY_ID");
    ::unsetenv("ZQ_SERIAL_DEV");
    EXPECT_EQ(fromEnvironment.byId, folders.byId);
    EXPECT_EQ(fromEnvironment.devices, folders.devices);
    EXPECT_EQ(SERIAL_PORT_FOLDERS::FromEnvironment().byId, "/dev/serial/by-id");
}

TEST_F(SerialPorts, APortTheUserMayNotOpenIsMarked)
{
    ASSERT_EQ(::chmod(devices["ttyACM0"].c_str(), 0600), 0);
    auto acmPermitted = [this] {
        for (const SERIAL_PORT_ENTRY& port : ListSerialPorts(folders))
            if (port.path == folders.devices + "/ttyACM0")
                return port.permitted ? 1 : 0;
        return 2;
    };
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(devices["ttyACM0"].c_str(), 0), 0);
        EXPECT_EQ(acmPermitted(), 0);
        return;
    }
    // root may open anything: ask as an ordinary user, who may still read the folders.
    ASSERT_EQ(::chmod(root.c_str(), 0755), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        ::_exit(acmPermitted());
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: shown as permitted, 2: not listed, 3: cannot become another user";
}

TEST_F(SerialPorts, AChosenDeviceKeepsItsNumberOrTakesTheCurrentOne)
{
    COMM_SETTINGS settings = GetDefaultCommSettings(); // COM1..COM8 = /dev/ttyUSB0..7
    settings.com = 3;
    settings.devices[5] = folders.devices + "/ttyUSB0";
    const std::string stable = folders.byId + "/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    // Named exactly by a line.
    EXPECT_EQ(ChooseComNumber(settings, "/dev/ttyUSB6"), 7);
    // Leading to the device of another line: that number, its line becomes the stable name.
    settings.devices[6] = folders.devices + "/ttyUSB1";
    EXPECT_EQ(ChooseComNumber(settings, stable), 6);
    // The current number's device is preferred when both lead there.
    settings.devices[3] = devices["ttyUSB1"];
    EXPECT_EQ(ChooseComNumber(settings, stable), 3);
    // Unknown, or not there: the current number.
    settings.com = 2;
    EXPECT_EQ(ChooseComNumber(settings, folders.devices + "/ttyACM0"), 2);
    EXPECT_EQ(ChooseComNumber(settings, "/dev/zq-not-there"), 2);

    // Stored as the programmer reads it: byte 0 and that number's line, every other byte kept.
    const std::string bytes = std::string(1, '\x01') + "baud=9600\r\nCOM2=/dev/ttyS1\r\n; kept\r\n";
    const std::string updated = UpdateCommSettingsPort(bytes, 2, stable);
    EXPECT_EQ(updated, std::string(1, '\x01') + "baud=9600\r\nCOM2=" + stable + "\r\n; kept\r\n");
    COMM_SETTINGS read;
    ASSERT_TRUE(ParseCommSettings(updated, read));
    EXPECT_EQ(read.GetLine().device, stable);
    EXPECT_EQ(read.baud, 9600);
}

} // namespace
