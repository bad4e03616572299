// Fake /dev and /dev/serial/by-id folders for tests: pseudo-terminals stand in for adapters, links
// in the folders name them as the kernel and udev would. Setting the environment points every
// program of the suite at the folders (ZQ_SERIAL_DEV, ZQ_SERIAL_BY_ID); the destructor unsets it.
#pragma once

#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A pseudo-terminal whose slave end is the "device"; the master stays open while it lives.
class CTestPty {
public:
    CTestPty()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
            m_device = ptsname(m_master);
    }
    ~CTestPty()
    {
        if (m_master >= 0)
            ::close(m_master);
    }
    CTestPty(const CTestPty&) = delete;
    CTestPty& operator=(const CTestPty&) = delete;
    const std::string& Device() const { return m_device; }

private:
    int m_master = -1;
    std::string m_device;
};

class CFakeSerialFolders {
public:
    CFakeSerialFolders() { std::filesystem::create_directories(ById()); }
    ~CFakeSerialFolders()
    {
        ::unsetenv("ZQ_SERIAL_BY_ID");
        ::unsetenv("ZQ_SERIAL_DEV");
    }
    bool IsValid() const { return m_dir.isValid(); }
    std::string Root() const { return m_dir.path().toStdString(); }
    std::string Devices() const { return Root() + "/dev"; }
    std::string ById() const { return Root() + "/dev/serial/by-id"; }

    // dev/<name> leading to target (a pty of ours, or anything); its full path.
    std::string AddDevice(const std::string& name, const std::string& target)
    {
        std::filesystem::create_symlink(target, Devices() + "/" + name);
        return Devices() + "/" + name;
    }
    // dev/<name> leading to a new pseudo-terminal; its full path.
    std::string AddPtyDevice(const std::string& name)
    {
        m_ptys.push_back(std::make_unique<CTestPty>());
        return AddDevice(name, m_ptys.back()->Device());
    }
    const CTestPty& LastPty() const { return *m_ptys.back(); }
    // dev/serial/by-id/<name> leading to dev/<deviceName> as udev makes it; its full path.
    std::string AddStableName(const std::string& name, const std::string& deviceName)
    {
        std::filesystem::create_symlink("../../" + deviceName, ById() + "/" + name);
        return ById() + "/" + name;
    }
    void SetEnvironment() const
    {
        ::setenv("ZQ_SERIAL_BY_ID", ById().c_str(), 1);
        ::setenv("ZQ_SERIAL_DEV", Devices().c_str(), 1);
    }

private:
    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<CTestPty>> m_ptys;
};
