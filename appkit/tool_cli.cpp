// Command-line conventions shared by every program of the suite.
#include "appkit/tool_cli.h"

#include "appkit/ui_language.h"

#include "comkit/message_text.h"

#include <QCoreApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef ZQ_SUITE_VERSION
#error "ZQ_SUITE_VERSION must come from the build"
#endif

namespace ZQ_CLI {

namespace {

std::string g_programName = "zq";

std::string FolderOf(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A text every tool shares, in the user's language (context "ZQ_CLI").
QString Standard(const char* text)
{
    const QString english = ZQ_I18N::Translated("ZQ_CLI", text);
    return english.isEmpty() ? QString::fromUtf8(text) : english;
}

// Standard(text) with its arguments.
std::string StandardArgs(const char* text, std::initializer_list<std::string> args)
{
    return COMMON_EX::FillArgs(Standard(text).toStdString(), args);
}

// What kind of non-regular file st describes, for messages (in the user's language).
std::string KindOf(const struct stat& st)
{
    const char* kind = QT_TRANSLATE_NOOP("ZQ_CLI", "a special file");
    if (S_ISDIR(st.st_mode))
        kind = QT_TRANSLATE_NOOP("ZQ_CLI", "a folder");
    else if (S_ISFIFO(st.st_mode))
        kind = QT_TRANSLATE_NOOP("ZQ_CLI", "a FIFO");
    else if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        kind = QT_TRANSLATE_NOOP("ZQ_CLI", "a device");
    else if (S_ISSOCK(st.st_mode))
        kind = QT_TRANSLATE_NOOP("ZQ_CLI", "a socket");
    return Standard(kind).toStdString();
}

// "<verb> 'path': <the system's reason for errno>", verb marked in the context "ZQ_CLI".
std::string SystemRefusal(const char* text, const std::string& path)
{
    return StandardArgs(text, {path, std::strerror(errno)});
}

} // namespace

const char* SuiteVersion()
{
    return ZQ_SUITE_VERSION;
}

void SetProgramName(const char* name)
{
    g_programName = name ? name : "zq";
}

const char* ProgramName()
{
    return g_programName.c_str();
}

std::string Tr(const std::string& text)
{
    const QString english = ZQ_I18N::Translated(g_programName.c_str(), text.c_str());
    return english.isEmpty() ? text : english.toLocal8Bit().toStdString();
}

QString TrText(const char* text)
{
    const QString english = ZQ_I18N::Translated(g_programName.c_str(), text);
    return english.isEmpty() ? QString::fromUtf8(text) : english;
}

std::string TrArgs(const char* text, std::initializer_list<std::string> args)
{
    return COMMON_EX::FillArgs(TrText(text).toStdString(), args);
}

void PrintError(const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", g_programName.c_str(), Tr(message).c_str());
    std::fflush(stderr);
}

void PrintError(const QString& message)
{
    PrintError(message.toLocal8Bit().toStdString());
}

QStringList ArgumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void AddStandardOptions(QCommandLineParser& parser, const QString& description)
{
    parser.setApplicationDescription(description.isEmpty() ? description : TrText(description.toUtf8().constData()));
    parser.addOption(
        QCommandLineOption({"h", "help"}, Standard(QT_TRANSLATE_NOOP("ZQ_CLI", "Show this help and exit."))));
    parser.addOption(
        QCommandLineOption("version", Standard(QT_TRANSLATE_NOOP("ZQ_CLI", "Show the version and exit."))));
}

bool ParseOrExit(QCommandLineParser& parser, const QStringList& arguments, int& exitCode)
{
    exitCode = EXIT_DONE;
    const bool parsed = parser.parse(arguments);
    // Help and version answer even beside other mistakes, as users expect of --help.
    if (parser.isSet("help")) {
        // Without a QCoreApplication (graphical programs answer before any) Qt cannot name the program.
        const QString help =
            parser.helpText().replace("<executable_name>", QString::fromLocal8Bit(g_programName.c_str()));
        std::fputs(help.toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
        return false;
    }
    if (parser.isSet("version")) {
        std::printf("%s %s\n", g_programName.c_str(), SuiteVersion());
        std::fflush(stdout);
        return false;
    }
    if (!parsed)
        return UsageError(parser.errorText().toLocal8Bit().toStdString(), exitCode);
    return true;
}

void AddOptions(QCommandLineParser& parser, std::initializer_list<OPTION_SPEC> options)
{
    for (const OPTION_SPEC& option : options) {
        if (option.valueName)
            parser.addOption(QCommandLineOption(option.name, TrText(option.help), option.valueName));
        else
            parser.addOption(QCommandLineOption(option.name, TrText(option.help)));
    }
}

bool ReadIntegerOptions(const QCommandLineParser& parser, std::initializer_list<INT_OPTION> options, int& exitCode)
{
    std::string error;
    for (const INT_OPTION& option : options)
        if (parser.isSet(option.name) && !ParseInteger(parser.value(option.name), option.low, option.high,
                                                       *option.value, std::string("--") + option.name, error))
            return UsageError(error, exitCode);
    return true;
}

bool UsageError(const std::string& message, int& exitCode)
{
    PrintError(message);
    const QString hint = Standard(QT_TRANSLATE_NOOP("ZQ_CLI", "Try '%1 --help' for more information."))
                             .arg(QString::fromLocal8Bit(g_programName.c_str()));
    std::fprintf(stderr, "%s\n", hint.toLocal8Bit().constData());
    exitCode = EXIT_USAGE;
    return false;
}

bool ParseInteger(const QString& text, long long low, long long high, long long& value, const std::string& what,
                  std::string& error)
{
    const std::string raw = text.toStdString();
    std::string digits = raw;
    bool negative = false;
    if (!digits.empty() && digits[0] == '-' && low < 0) {
        negative = true;
        digits.erase(0, 1);
    }
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.erase(0, 2);
    }
    bool ok = !digits.empty() && digits.size() <= 20;
    unsigned long long magnitude = 0;
    for (char c : digits) {
        if (!ok)
            break;
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || magnitude > (~0ULL - digit) / base) {
            ok = false;
            break;
        }
        magnitude = magnitude * base + digit;
    }
    // Compare as magnitudes so that nothing wraps before the range check.
    if (ok) {
        if (negative)
            ok = magnitude <= static_cast<unsigned long long>(-(low + 1)) + 1ULL;
        else
            ok = high >= 0 && magnitude <= static_cast<unsigned long long>(high);
    }
    if (ok) {
        const long long number =
            negative ? static_cast<long long>(0ULL - magnitude) : static_cast<long long>(magnitude);
        ok = number >= low && number <= high;
        if (ok)
            value = number;
    }
    if (!ok)
        error = StandardArgs(QT_TRANSLATE_NOOP("ZQ_CLI", "%1: '%2' is not a whole number from %3 to %4"),
                             {what, raw, std::to_string(low), std::to_string(high)});
    return ok;
}

bool ParseInteger(const QString& text, int low, int high, int& value, const std::string& what, std::string& error)
{
    long long number = 0;
    if (!ParseInteger(text, static_cast<long long>(low), static_cast<long long>(high), number, what, error))
        return false;
    value = static_cast<int>(number);
    return true;
}

bool CheckInputFile(const std::string& path, std::string& error)
{
    if (path == "-")
        return true;
    struct stat st {};
    const char* const CANNOT_OPEN = QT_TRANSLATE_NOOP("ZQ_CLI", "cannot open '%1': %2");
    if (::stat(path.c_str(), &st) != 0) {
        error = SystemRefusal(CANNOT_OPEN, path);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = StandardArgs(QT_TRANSLATE_NOOP("ZQ_CLI", "cannot read '%1': it is %2, not a regular file"),
                             {path, KindOf(st)});
        return false;
    }
    if (::access(path.c_str(), R_OK) != 0) {
        error = SystemRefusal(CANNOT_OPEN, path);
        return false;
    }
    return true;
}

bool CheckOutputFile(const std::string& path, std::string& error)
{
    if (path == "-")
        return true;
    if (path.empty()) {
        error = Standard(QT_TRANSLATE_NOOP("ZQ_CLI", "an empty file name cannot be written")).toStdString();
        return false;
    }
    const char* const CANNOT_WRITE = QT_TRANSLATE_NOOP("ZQ_CLI", "cannot write '%1': %2");
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            error = StandardArgs(QT_TRANSLATE_NOOP("ZQ_CLI", "will not write '%1': it is %2, not a regular file"),
                                 {path, KindOf(st)});
            return false;
        }
        if (::access(path.c_str(), W_OK) != 0) {
            error = SystemRefusal(QT_TRANSLATE_NOOP("ZQ_CLI", "will not write '%1': %2"), path);
            return false;
        }
        return true;
    }
    if (errno != ENOENT) {
        error = SystemRefusal(CANNOT_WRITE, path);
        return false;
    }
    struct stat lst {};
    if (::lstat(path.c_str(), &lst) == 0) {
        error =
            StandardArgs(QT_TRANSLATE_NOOP("ZQ_CLI", "will not write '%1': it is a link to a missing file"), {path});
        return false;
    }
    const std::string folder = FolderOf(path);
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = StandardArgs(QT_TRANSLATE_NOOP("ZQ_CLI", "cannot write '%1': the folder '%2' does not exist"),
                             {path, folder});
        return false;
    }
    if (::access(folder.c_str(), W_OK) != 0) {
        error = SystemRefusal(CANNOT_WRITE, path);
        return false;
    }
    return true;
}

bool IsSameFile(const std::string& first, const std::string& second)
{
    if (first == "-" || second == "-")
        return false;
    struct stat a {
    }, b{};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

bool HasDisplay()
{
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

} // namespace ZQ_CLI
