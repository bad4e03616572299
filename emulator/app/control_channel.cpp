// Reading the editor's requests from standard input.
#include "emulator/app/control_channel.h"

#include "appkit/tool_cli.h"

#include <QSocketNotifier>

#include <unistd.h>

#include <cerrno>
#include <sstream>

namespace {

constexpr long long MAX_CONTENT = 16 * 1024 * 1024;

std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    std::istringstream in(line);
    while (in >> word)
        words.push_back(word);
    return words;
}

bool Whole(const std::string& text, long long low, long long high, long long& value)
{
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoll(text);
    return value >= low && value <= high;
}

} // namespace

CControlChannel::CControlChannel(int fd) : m_fd(fd)
{
}

bool CControlChannel::Fill()
{
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(m_fd, chunk, sizeof chunk);
        if (got > 0) {
            m_buffer.append(chunk, std::size_t(got));
            return true;
        }
        if (got < 0 && errno == EINTR)
            continue;
        return false;
    }
}

bool CControlChannel::TakeLine(std::string& line)
{
    const std::size_t end = m_buffer.find('\n');
    if (end == std::string::npos)
        return false;
    line = m_buffer.substr(0, end);
    m_buffer.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool CControlChannel::ReadRequest(CONTROL_REQUEST& request, std::string& error)
{
    bool haveProject = false;
    std::string line;
    for (;;) {
        while (!TakeLine(line))
            if (!Fill()) {
                error = QT_TRANSLATE_NOOP("zqpanel-run", "--control: the input ended before \"start\"");
                return false;
            }
        const std::vector<std::string> words = Words(line);
        if (!words.empty() && words[0] == "project" && words.size() >= 2) {
            long long size = 0;
            if (!Whole(words[1], 1, MAX_CONTENT, size)) {
                error =
                    ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "--control: bad project size \"%1\""), {words[1]});
                return false;
            }
            const std::size_t name = line.find(words[1]) + words[1].size() + 1;
            request.name = name < line.size() ? line.substr(name) : std::string();
            while (m_buffer.size() < std::size_t(size))
                if (!Fill()) {
                    error = QT_TRANSLATE_NOOP("zqpanel-run", "--control: the input ended inside the project");
                    return false;
                }
            request.content.assign(m_buffer.begin(), m_buffer.begin() + size);
            m_buffer.erase(0, std::size_t(size));
            haveProject = true;
            continue;
        }
        if (line == "start" && haveProject)
            return true;
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "--control: unexpected line \"%1\""), {line});
        return false;
    }
}

void CControlChannel::Listen(std::function<void(const std::string&)> command, std::function<void()> ended)
{
    m_command = std::move(command);
    m_ended = std::move(ended);
    m_pNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, [this] { OnReadable(); });
    // Lines that came with the request are taken from the event loop as well.
    QMetaObject::invokeMethod(
        this,
        [this] {
            std::string line;
            while (TakeLine(line))
                m_command(line);
        },
        Qt::QueuedConnection);
}

void CControlChannel::OnReadable()
{
    const bool open = Fill();
    std::string line;
    while (TakeLine(line))
        m_command(line);
    if (!open) {
        m_pNotifier->setEnabled(false);
        m_ended();
    }
}
