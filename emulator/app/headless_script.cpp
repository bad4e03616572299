#include "emulator/app/headless_script.h"

#include "appkit/tool_cli.h"
#include "comkit/gbk.h"
#include "emulator/app/panel_session.h"
#include "emulator/panel_keys.h"
#include "emulator/panel_snapshot.h"

#include <chrono>
#include <sstream>
#include <thread>

namespace {

const int STEP_MS = 5;

bool Whole(const std::string& word, long low, long high, long& value)
{
    try {
        size_t used = 0;
        value = std::stol(word, &used, 10);
        return used == word.size() && value >= low && value <= high;
    } catch (const std::exception&) {
        return false;
    }
}

std::string Unquoted(std::string text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// The words after `skip` words of `line`, as written.
std::string RestAfter(const std::string& line, int skip)
{
    size_t p = 0;
    for (int i = 0; i < skip; ++i) {
        p = line.find_first_not_of(" \t", p);
        p = line.find_first_of(" \t", p == std::string::npos ? line.size() : p);
        if (p == std::string::npos)
            return "";
    }
    p = line.find_first_not_of(" \t", p);
    if (p == std::string::npos)
        return "";
    const size_t end = line.find_last_not_of(" \t\r");
    return line.substr(p, end - p + 1);
}

// Checks a condition of `words` (from `first` on); false with the reason when it does not hold.
bool Holds(const CPanelSession& session, const CHeadlessScript::LINE& line, size_t first, std::string& why)
{
    const std::vector<std::string>& w = line.words;
    const std::string& what = w[first];
    const CPanelRuntime& runtime = session.Runtime();
    const auto yes = [&](size_t i) { return w[i] == "yes" || w[i] == "lost" || w[i] == "1"; };
    if (what == "screen") {
        why = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "the panel shows screen %1"),
                             {std::to_string(runtime.GetCurrentScreen())});
        return std::to_string(runtime.GetCurrentScreen()) == w[first + 1];
    }
    if (what == "link") {
        why = ZQ_CLI::Tr(runtime.IsLinkLost() ? QT_TRANSLATE_NOOP("zqpanel-run", "the link is lost")
                                              : QT_TRANSLATE_NOOP("zqpanel-run", "the link is ok")) +
              (runtime.GetMessage().empty() ? "" : " (" + runtime.GetMessage() + ")");
        return runtime.IsLinkLost() == yes(first + 1);
    }
    if (what == "dimmed") {
        why = ZQ_CLI::Tr(runtime.IsDimmed() ? QT_TRANSLATE_NOOP("zqpanel-run", "the display is dimmed")
                                            : QT_TRANSLATE_NOOP("zqpanel-run", "the display is lit"));
        return runtime.IsDimmed() == yes(first + 1);
    }
    if (what == "editing") {
        why = ZQ_CLI::Tr(runtime.GetEditControl() >= 0 ? QT_TRANSLATE_NOOP("zqpanel-run", "the panel is editing")
                                                       : QT_TRANSLATE_NOOP("zqpanel-run", "the panel is not editing"));
        return (runtime.GetEditControl() >= 0) == yes(first + 1);
    }
    if (what == "message") {
        why = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "the last message is \"%1\""), {runtime.GetMessage()});
        return runtime.GetMessage().find(line.rest) != std::string::npos;
    }
    long station = 0, address = 0, value = 0;
    if (what == "register" || what == "coil") {
        Whole(w[first + 1], 0, 255, station);
        Whole(w[first + 2], 0, 65535, address);
        Whole(w[first + 3], 0, 65535, value);
        WORD reg = 0;
        bool on = false;
        const bool known = what == "register" ? runtime.GetRegister(int(station), int(address), reg)
                                              : runtime.GetCoil(int(station), int(address), on);
        const long have = what == "register" ? long(reg) : long(on);
        const bool isRegister = what == "register";
        const char* text = known ? (isRegister ? QT_TRANSLATE_NOOP("zqpanel-run", "register %1 is %2")
                                               : QT_TRANSLATE_NOOP("zqpanel-run", "coil %1 is %2"))
                                 : (isRegister ? QT_TRANSLATE_NOOP("zqpanel-run", "register %1 is not known")
                                               : QT_TRANSLATE_NOOP("zqpanel-run", "coil %1 is not known"));
        why = ZQ_CLI::TrArgs(text, {std::to_string(address), std::to_string(have)});
        return known && have == value;
    }
    // text / inverted-text
    long x = 0, y = 0;
    Whole(w[first + 1], -1000, 1000, x);
    Whole(w[first + 2], -1000, 1000, y);
    std::string gbk;
    COMMON_EX::Utf8ToGbk(line.rest, gbk);
    const bool light = what == "inverted-text";
    CPanelDisplay expected(CPanelDisplay::TextWidth(gbk), CPanelDisplay::CHAR_HEIGHT);
    if (light)
        expected.FillRectangle(0, 0, expected.GetWidth(), expected.GetHeight(), true);
    expected.DrawText(runtime.GetImage(), gbk, 0, 0, light);
    const CPanelDisplay shown = session.Display();
    CPanelDisplay part(expected.GetWidth(), expected.GetHeight());
    for (int r = 0; r < part.GetHeight(); ++r)
        for (int c = 0; c < part.GetWidth(); ++c)
            part.Set(c, r, shown.IsSet(int(x) + c, int(y) + r));
    const int differences = part.CountDifferences(expected);
    why = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "%1 pixels at %2,%3 differ from \"%4\""),
                         {std::to_string(differences), std::to_string(x), std::to_string(y), line.rest});
    return differences == 0;
}

// Whether `words` from `first` on name a condition with its arguments.
bool IsCondition(const std::vector<std::string>& w, size_t first, std::string& error)
{
    if (first >= w.size()) {
        error = ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqpanel-run", "missing condition"));
        return false;
    }
    const std::string& what = w[first];
    const size_t args = w.size() - first - 1;
    long n = 0;
    if (what == "screen" && args == 1 && Whole(w[first + 1], 1, 255, n))
        return true;
    if (what == "link" && args == 1 && (w[first + 1] == "lost" || w[first + 1] == "ok"))
        return true;
    if ((what == "dimmed" || what == "editing") && args == 1 && (w[first + 1] == "yes" || w[first + 1] == "no"))
        return true;
    if (what == "message" && args >= 1)
        return true;
    if ((what == "register" || what == "coil") && args == 3 && Whole(w[first + 1], 0, 255, n) &&
        Whole(w[first + 2], 0, 65535, n) && Whole(w[first + 3], 0, what == "coil" ? 1 : 65535, n))
        return true;
    if ((what == "text" || what == "inverted-text") && args >= 3 && Whole(w[first + 1], -1000, 1000, n) &&
        Whole(w[first + 2], -1000, 1000, n))
        return true;
    error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "not a condition: \"%1\" with %2 arguments"),
                           {what, std::to_string(args)});
    return false;
}

// Whether a snapshot may be written to `path`: a new name or a regular file the user may write,
// and none of the run's `inputs`; false with the reason.
bool MayWriteSnapshot(const std::string& path, const std::vector<std::string>& inputs, std::string& why)
{
    if (path == "-") {
        why = ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqpanel-run", "a snapshot is written to a file, not to standard output"));
        return false;
    }
    if (!ZQ_CLI::CheckOutputFile(path, why, false))
        return false;
    for (const std::string& input : inputs)
        if (ZQ_CLI::IsSameFile(path, input)) {
            why = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "will not write '%1': it is the run's input %2"),
                                 {path, input});
            return false;
        }
    return true;
}

void RunFor(CPanelSession& session, long ms)
{
    const uint64_t end = session.Now() + uint64_t(ms);
    while (session.Now() < end) {
        session.Step();
        std::this_thread::sleep_for(std::chrono::milliseconds(STEP_MS));
    }
}

} // namespace

bool CHeadlessScript::Parse(const std::string& text, const std::string& origin, std::string& error)
{
    m_strOrigin = origin;
    std::istringstream in(text);
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        LINE line;
        line.number = number;
        std::istringstream words(raw);
        for (std::string word; words >> word;)
            line.words.push_back(word);
        if (line.words.empty() || line.words[0][0] == '#')
            continue;
        const std::vector<std::string>& w = line.words;
        const std::string& command = w[0];
        long n = 0;
        bool ok = false;
        std::string why;
        if (command == "press" || command == "release" || command == "key")
            ok = w.size() == 2 && PANEL_KEYS::KeyByName(w[1]) >= 0;
        else if (command == "wait")
            ok = w.size() == 2 && Whole(w[1], 0, 3600000, n);
        else if (command == "poll")
            ok = w.size() == 1;
        else if (command == "snapshot")
            ok = w.size() == 2;
        else if (command == "expect") {
            ok = IsCondition(w, 1, why);
            line.rest = Unquoted(RestAfter(raw, w.size() > 1 && w[1] == "message" ? 2 : 4));
        } else if (command == "wait-for") {
            ok = w.size() > 2 && Whole(w[1], 0, 3600000, n) && IsCondition(w, 2, why);
            line.rest = Unquoted(RestAfter(raw, w.size() > 2 && w[2] == "message" ? 3 : 5));
        } else {
            why = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "unknown command \"%1\""), {command});
        }
        if (!ok) {
            error = origin + ":" + std::to_string(number) + ": " +
                    (why.empty() ? ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "cannot read \"%1\""), {raw}) : why);
            return false;
        }
        m_lines.push_back(line);
    }
    return true;
}

int CHeadlessScript::Run(CPanelSession& session, std::ostream& log, std::ostream& err) const
{
    // Every snapshot's file is checked before the panel runs, so a refused one costs no key press.
    const std::vector<std::string> inputs{session.Options().image, m_strOrigin};
    for (const LINE& line : m_lines) {
        std::string why;
        if (line.words[0] == "snapshot" && !MayWriteSnapshot(line.words[1], inputs, why)) {
            err << m_strOrigin << ":" << line.number << ": " << why << "\n";
            return 1;
        }
    }
    session.Step(true);
    for (const LINE& line : m_lines) {
        const std::vector<std::string>& w = line.words;
        const std::string where = m_strOrigin + ":" + std::to_string(line.number) + ": ";
        log << where;
        for (const std::string& word : w)
            log << word << ' ';
        log << std::endl;
        long n = 0;
        std::string why;
        if (w[0] == "press" || w[0] == "key")
            session.Press(PANEL_KEYS::KeyByName(w[1]));
        if (w[0] == "release" || w[0] == "key")
            session.Release(PANEL_KEYS::KeyByName(w[1]));
        if (w[0] == "wait" && Whole(w[1], 0, 3600000, n))
            RunFor(session, n);
        else if (w[0] == "poll")
            session.Step(true);
        else if (w[0] == "snapshot") {
            if (!MayWriteSnapshot(w[1], {session.Options().image, m_strOrigin}, why) ||
                !CPanelSnapshot::WritePng(session.Display(), w[1], why)) {
                err << where << why << "\n";
                return 1;
            }
        } else if (w[0] == "expect" && !Holds(session, line, 1, why)) {
            err << where << ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "expectation failed: %1"), {why}) << "\n";
            return 1;
        } else if (w[0] == "wait-for" && Whole(w[1], 0, 3600000, n)) {
            const uint64_t end = session.Now() + uint64_t(n);
            while (!Holds(session, line, 2, why)) {
                if (session.Now() >= end) {
                    err << where
                        << ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "still not so after %1 ms: %2"),
                                          {std::to_string(n), why})
                        << "\n";
                    return 1;
                }
                session.Step();
                std::this_thread::sleep_for(std::chrono::milliseconds(STEP_MS));
            }
        }
    }
    return 0;
}
