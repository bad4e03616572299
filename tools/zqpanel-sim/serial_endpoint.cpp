#include "tools/zqpanel-sim/serial_endpoint.h"

#include "appkit/tool_cli.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool MakeRaw(int fd)
{
    termios attributes{};
    if (tcgetattr(fd, &attributes) != 0)
        return false;
    cfmakeraw(&attributes);
    attributes.c_cc[VMIN] = 1;
    attributes.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &attributes) == 0;
}

speed_t ToSpeed(int baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 921600: return B921600;
    default: return B0;
    }
}

// text (in the catalogue) with what in place of %1 and the system's words for errno in place of %2.
std::string ErrorText(const char* text, const std::string& what = std::string())
{
    const std::string reason = std::strerror(errno);
    return ZQ_CLI::TrArgs(text, {what, reason});
}

// True when a process other than this one has path open (its fds in /proc lead to it).
bool PeerHeldElsewhere(const std::string& path)
{
    const std::string self = std::to_string(getpid());
    DIR* processes = opendir("/proc");
    if (processes == nullptr)
        return true; // cannot tell: leave the line alone
    bool held = false;
    while (!held) {
        const dirent* process = readdir(processes);
        if (process == nullptr)
            break;
        if (process->d_name[0] < '0' || process->d_name[0] > '9' || self == process->d_name)
            continue;
        const std::string folder = std::string("/proc/") + process->d_name + "/fd";
        DIR* fds = opendir(folder.c_str());
        if (fds == nullptr)
            continue;
        while (const dirent* fd = readdir(fds)) {
            char target[256];
            const std::string link = folder + "/" + fd->d_name;
            const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
            if (n > 0 && path.compare(0, std::string::npos, target, static_cast<std::size_t>(n)) == 0) {
                held = true;
                break;
            }
        }
        closedir(fds);
    }
    closedir(processes);
    return held;
}

} // namespace

CSerialEndpoint::~CSerialEndpoint()
{
    if (m_peerFd >= 0)
        close(m_peerFd);
    if (m_fd >= 0)
        close(m_fd);
}

bool CSerialEndpoint::OpenPseudoTerminal(std::string& error)
{
    m_fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0 || grantpt(m_fd) != 0 || unlockpt(m_fd) != 0) {
        error = ErrorText(QT_TRANSLATE_NOOP("zqpanel-sim", "pseudo-terminal: %2"));
        return false;
    }
    char name[128];
    if (ptsname_r(m_fd, name, sizeof name) != 0) {
        error = ErrorText(QT_TRANSLATE_NOOP("zqpanel-sim", "ptsname: %2"));
        return false;
    }
    m_strPeerPath = name;
    m_peerFd = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_peerFd < 0 || !MakeRaw(m_peerFd) || !MakeRaw(m_fd)) {
        error = ErrorText(QT_TRANSLATE_NOOP("zqpanel-sim", "%1: %2"), name);
        return false;
    }
    m_pFresh = std::make_unique<termios>();
    if (tcgetattr(m_peerFd, m_pFresh.get()) != 0)
        m_pFresh.reset();
    return true;
}

bool CSerialEndpoint::ReleaseAbandonedPeer()
{
    if (m_peerFd < 0 || !m_pFresh)
        return false;
    termios now{};
    int exclusive = 0;
    if (tcgetattr(m_peerFd, &now) != 0)
        return false;
    ioctl(m_peerFd, TIOCGEXCL, &exclusive);
    const termios& fresh = *m_pFresh;
    const bool changed = now.c_iflag != fresh.c_iflag || now.c_oflag != fresh.c_oflag || now.c_cflag != fresh.c_cflag ||
                         now.c_lflag != fresh.c_lflag;
    if ((!changed && exclusive == 0) || PeerHeldElsewhere(m_strPeerPath))
        return false;
    tcsetattr(m_peerFd, TCSANOW, &fresh);
    ioctl(m_peerFd, TIOCNXCL);
    return true;
}

bool CSerialEndpoint::OpenDevice(const std::string& path, int baud, int dataBits, char parity, int stopBits,
                                 std::string& error)
{
    speed_t speed = ToSpeed(baud);
    if (speed == B0) {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-sim", "unsupported speed %1"), {std::to_string(baud)});
        return false;
    }
    m_fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios attributes{};
    if (m_fd < 0 || tcgetattr(m_fd, &attributes) != 0) {
        error = ErrorText(QT_TRANSLATE_NOOP("zqpanel-sim", "%1: %2"), path);
        return false;
    }
    cfmakeraw(&attributes);
    attributes.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    attributes.c_cflag |= CLOCAL | CREAD;
    attributes.c_cflag |= dataBits == 7 ? CS7 : dataBits == 6 ? CS6 : dataBits == 5 ? CS5 : CS8;
    if (parity != 'N')
        attributes.c_cflag |= PARENB | (parity == 'O' ? PARODD : 0);
    if (stopBits == 2)
        attributes.c_cflag |= CSTOPB;
    attributes.c_cc[VMIN] = 1;
    attributes.c_cc[VTIME] = 0;
    cfsetispeed(&attributes, speed);
    cfsetospeed(&attributes, speed);
    if (tcsetattr(m_fd, TCSANOW, &attributes) != 0) {
        error = ErrorText(QT_TRANSLATE_NOOP("zqpanel-sim", "%1: %2"), path);
        return false;
    }
    m_strPeerPath = path;
    return true;
}

bool CSerialEndpoint::WriteAll(const unsigned char* data, std::size_t length)
{
    while (length > 0) {
        ssize_t written = write(m_fd, data, length);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN)
                return false;
            pollfd waiting{m_fd, POLLOUT, 0};
            poll(&waiting, 1, 100);
            continue;
        }
        data += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}
