#include "emulator/app/panel_session.h"

#include "appkit/tool_cli.h"

#include <chrono>

namespace {

uint64_t SteadyMs()
{
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

std::unique_ptr<CPanelSession> CPanelSession::Open(const OPTIONS& options, std::string& error)
{
    std::unique_ptr<CPanelSession> session(new CPanelSession);
    session->m_options = options;
    std::unique_ptr<CPanelImage> image = CPanelImage::FromFile(options.image, error);
    if (!image)
        return nullptr;
    if (options.serial && options.lineFromProject && image->IsFromProject()) {
        const CModbusLink::SERIAL* line = image->GetProjectLine();
        if (!line) {
            error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "the project's serial line (%1) is not one Modbus "
                                                                    "RTU has; give --baud, --parity, --data-bits and "
                                                                    "--stop-bits"),
                                   {image->ProjectLineText()});
            return nullptr;
        }
        session->m_options.line = *line;
        session->m_options.line.device = options.line.device;
    }
    const OPTIONS& chosen = session->m_options;
    session->m_pLink =
        chosen.serial ? CModbusLink::Serial(chosen.line, error) : CModbusLink::Tcp(chosen.host, chosen.port, error);
    if (!session->m_pLink)
        return nullptr;
    session->m_pLink->SetTimeout(options.timeoutMs);
    session->m_pRuntime.reset(new CPanelRuntime(std::move(image)));
    session->m_pRuntime->SetLink(session->m_pLink.get());
    session->m_nStart = SteadyMs();
    return session;
}

uint64_t CPanelSession::Now() const
{
    return SteadyMs() - m_nStart;
}

bool CPanelSession::Step(bool force)
{
    const uint64_t now = Now();
    bool polled = false;
    if (force || !m_bPolled || now - m_nLastPoll >= uint64_t(m_options.pollMs)) {
        m_bPolled = true;
        m_nLastPoll = now;
        m_pRuntime->Poll();
        m_nLastPollMs = int(Now() - now);
        polled = true;
    }
    m_pRuntime->Tick(Now());
    return polled;
}

CPanelDisplay CPanelSession::Display() const
{
    CPanelDisplay display;
    m_pRuntime->Render(display);
    return display;
}

std::string CPanelSession::Status() const
{
    std::string status = ZQ_CLI::TrArgs(
        m_pRuntime->IsLinkLost()
            ? QT_TRANSLATE_NOOP("zqpanel-run", "%1 LOST, poll %2 ms (%3 requests, %4 ms), screen %5 of %6")
            : QT_TRANSLATE_NOOP("zqpanel-run", "%1 ok, poll %2 ms (%3 requests, %4 ms), screen %5 of %6"),
        {m_pLink->Describe(), std::to_string(m_options.pollMs), std::to_string(m_pRuntime->GetLastPollRequests()),
         std::to_string(m_nLastPollMs), std::to_string(m_pRuntime->GetCurrentScreen()),
         std::to_string(m_pRuntime->GetImage().GetScreenCount())});
    if (m_pRuntime->IsDimmed())
        status += ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqpanel-run", ", backlight off"));
    if (!m_pRuntime->GetMessage().empty())
        status += " - " + m_pRuntime->GetMessage();
    return status;
}
