// The simulator's end of the line: the master side of a new pseudo-terminal, or a serial device.
#pragma once

#include <string>

class CSerialEndpoint {
public:
    CSerialEndpoint() = default;
    ~CSerialEndpoint();
    CSerialEndpoint(const CSerialEndpoint&) = delete;
    CSerialEndpoint& operator=(const CSerialEndpoint&) = delete;

    // A pseudo-terminal whose other end (GetPeerPath) the programmer opens. Its peer is held open
    // here too, so that the programmer closing and reopening it never hangs the line up.
    bool OpenPseudoTerminal(std::string& error);
    // A serial device in raw mode at baud with the given format.
    bool OpenDevice(const std::string& path, int baud, int dataBits, char parity, int stopBits, std::string& error);

    int GetFd() const { return m_fd; }
    const std::string& GetPeerPath() const { return m_strPeerPath; }
    // Writes all of data; false on a write error.
    bool WriteAll(const unsigned char* data, std::size_t length);

private:
    int m_fd = -1;
    int m_peerFd = -1;
    std::string m_strPeerPath;
};
