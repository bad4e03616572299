#include "tools/zqplc-sim/plc_script.h"

#include "appkit/tool_cli.h"

#include <QString>

#include <sstream>

namespace {

// The names of a statement's numbers in messages ("missing address").
const char* const ADDRESS = QT_TRANSLATE_NOOP("zqplc-sim", "address");
const char* const VALUE = QT_TRANSLATE_NOOP("zqplc-sim", "value");
const char* const PERIOD = QT_TRANSLATE_NOOP("zqplc-sim", "period");

bool Number(std::istringstream& in, long low, long high, long& value, const char* what, std::string& error)
{
    std::string word;
    if (!(in >> word)) {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "missing %1"), {ZQ_CLI::Tr(what)});
        return false;
    }
    // Decimal (leading zeros change nothing) or hex with 0x; octal is not a thing here.
    long long number = 0;
    std::string ignored;
    if (ZQ_CLI::ParseInteger(QString::fromStdString(word), static_cast<long long>(low), static_cast<long long>(high),
                             number, what, ignored)) {
        value = long(number);
        return true;
    }
    // A number outside the range is told the range; anything else also the forms a number takes.
    const bool isNumber =
        ZQ_CLI::ParseInteger(QString::fromStdString(word), -(1LL << 62), 1LL << 62, number, what, ignored);
    error =
        ZQ_CLI::TrArgs(isNumber ? QT_TRANSLATE_NOOP("zqplc-sim", "bad %1 \"%2\" (%3 to %4)")
                                : QT_TRANSLATE_NOOP("zqplc-sim", "bad %1 \"%2\" (%3 to %4, decimal or hex with 0x)"),
                       {ZQ_CLI::Tr(what), word, std::to_string(low), std::to_string(high)});
    return false;
}

} // namespace

bool CPlcScript::Add(const std::string& line, std::string& error)
{
    std::istringstream in(line);
    std::string word;
    if (!(in >> word) || word[0] == '#')
        return true;
    STATEMENT s;
    long address = 0;
    bool ok = false;
    if (word == "register") {
        s.kind = STATEMENT::REGISTER;
        ok = Number(in, 0, 65535, address, ADDRESS, error) && Number(in, 0, 65535, s.value, VALUE, error);
    } else if (word == "coil") {
        s.kind = STATEMENT::COIL;
        ok = Number(in, 0, 65535, address, ADDRESS, error) && Number(in, 0, 1, s.value, VALUE, error);
    } else if (word == "ramp") {
        s.kind = STATEMENT::RAMP;
        ok = Number(in, 0, 65535, address, ADDRESS, error) &&
             Number(in, 0, 65535, s.value, QT_TRANSLATE_NOOP("zqplc-sim", "start"), error) &&
             Number(in, 0, 65535, s.to, QT_TRANSLATE_NOOP("zqplc-sim", "end"), error) &&
             Number(in, 1, 65535, s.step, QT_TRANSLATE_NOOP("zqplc-sim", "step"), error) &&
             Number(in, 1, 86400000, s.period, PERIOD, error);
        if (ok && s.to < s.value) {
            error = ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqplc-sim", "the ramp ends below its start"));
            ok = false;
        }
    } else if (word == "toggle") {
        s.kind = STATEMENT::TOGGLE;
        ok = Number(in, 0, 65535, address, ADDRESS, error) && Number(in, 1, 86400000, s.period, PERIOD, error);
    } else {
        error =
            ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "unknown statement \"%1\" (register, coil, ramp, toggle)"),
                           {word});
        return false;
    }
    if (ok && in >> word) {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "unexpected \"%1\" after the statement"), {word});
        ok = false;
    }
    if (!ok)
        return false;
    s.address = int(address);
    m_statements.push_back(s);
    return true;
}

bool CPlcScript::AddText(const std::string& text, const std::string& origin, std::string& error)
{
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number)
        if (!Add(line, error)) {
            error.insert(0, std::string(origin).append(":").append(std::to_string(number)).append(": "));
            return false;
        }
    return true;
}

void CPlcScript::Apply(uint64_t elapsed, bool first, uint16_t* registers, uint8_t* coils) const
{
    for (const STATEMENT& s : m_statements) {
        switch (s.kind) {
        case STATEMENT::REGISTER:
            if (first)
                registers[s.address] = uint16_t(s.value);
            break;
        case STATEMENT::COIL:
            if (first)
                coils[s.address] = uint8_t(s.value);
            break;
        case STATEMENT::RAMP: {
            const uint64_t steps = (s.to - s.value) / s.step + 1;
            registers[s.address] = uint16_t(s.value + long(elapsed / uint64_t(s.period) % steps) * s.step);
            break;
        }
        case STATEMENT::TOGGLE: coils[s.address] = uint8_t(elapsed / uint64_t(s.period) % 2); break;
        }
    }
}
