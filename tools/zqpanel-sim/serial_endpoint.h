// The simulator's end of the line: the master side of a new pseudo-terminal, or a serial device.
#pragma once

#include <memory>
#include <string>
#include <termios.h>

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

    // A pseudo-terminal whose programmer is gone without closing it (killed): when no other
    // process holds the peer open and its settings or exclusive use differ from a fresh one's,
    // puts the fresh settings back and ends the exclusive use, so the next programmer can open
    // it. True when it did; always false for a serial device.
    bool ReleaseAbandonedPeer();
    // True for a pseudo-terminal (ReleaseAbandonedPeer has something to do).
    bool CanBeAbandoned() const { return m_peerFd >= 0 && m_pFresh != nullptr; }
    int GetFd() const { return m_fd; }
    const std::string& GetPeerPath() const { return m_strPeerPath; }
    // Writes all of data; false on a write error.
    bool WriteAll(const unsigned char* data, std::size_t length);

private:
    int m_fd = -1;
    int m_peerFd = -1;
    std::unique_ptr<termios> m_pFresh; // the peer's settings as opened, for ReleaseAbandonedPeer
    std::string m_strPeerPath;
};
