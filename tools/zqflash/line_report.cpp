// Report lines between a line run's per-port processes and their supervisor.
#include "tools/zqflash/line_report.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char* const WORDS[] = {"", "waiting", "blocks", "progress", "retries", "error", "finished"};
constexpr int WORD_COUNT = sizeof WORDS / sizeof WORDS[0];

} // namespace

void WriteLineReport(LineReportKind kind, long long value, const std::string& text)
{
    std::string line = "@" + std::string(WORDS[kind]) + " " + std::to_string(value);
    if (!text.empty())
        line += " " + text;
    for (char& c : line)
        if (c == '\n' || c == '\r')
            c = ' ';
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

bool ParseLineReport(const std::string& line, LINE_REPORT& report)
{
    report = LINE_REPORT();
    if (line.size() < 2 || line[0] != '@')
        return false;
    const std::size_t wordEnd = line.find(' ');
    if (wordEnd == std::string::npos)
        return false;
    const std::string word = line.substr(1, wordEnd - 1);
    int kind = 1;
    while (kind < WORD_COUNT && word != WORDS[kind])
        ++kind;
    if (kind == WORD_COUNT)
        return false;
    const char* number = line.c_str() + wordEnd + 1;
    char* end = nullptr;
    const long long value = std::strtoll(number, &end, 10);
    if (end == number || (*end != '\0' && *end != ' '))
        return false;
    report.kind = static_cast<LineReportKind>(kind);
    report.value = value;
    if (*end == ' ')
        report.text = end + 1;
    return true;
}
