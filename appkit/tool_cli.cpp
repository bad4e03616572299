// Command-line conventions shared by every program of the suite.
#include "appkit/tool_cli.h"

#include "appkit/ui_language.h"

#include "comkit/message_text.h"
#include "comkit/whole_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#ifndef ZQ_SUITE_VERSION
#error "ZQ_SUITE_VERSION must come from the build"
#endif

namespace ZQ_CLI {

namespace {

// The largest file ReadInputFile takes in: far beyond any script or table a program reads.
constexpr unsigned long long MAX_INPUT_FILE = 1ULL << 32;

std::string g_programName = "zq";
std::string g_commandName = "zq";
bool g_ownExitStatuses = false;

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

void SetProgramName(const char* name, const char* command)
{
    g_programName = name ? name : "zq";
    g_commandName = command ? command : g_programName;
}

const char* ProgramName()
{
    return g_commandName.c_str();
}

void SetOwnExitStatuses()
{
    g_ownExitStatuses = true;
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
    std::fprintf(stderr, "%s: %s\n", g_commandName.c_str(), Tr(message).c_str());
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
        QString help = parser.helpText().replace("<executable_name>", QString::fromLocal8Bit(g_commandName.c_str()));
        if (!g_ownExitStatuses) {
            help += "\n" + Standard(QT_TRANSLATE_NOOP("ZQ_CLI", "Exit status:")) + "\n";
            const std::pair<int, const char*> statuses[] = {
                {EXIT_DONE, QT_TRANSLATE_NOOP("ZQ_CLI", "done")},
                {EXIT_FAILED, QT_TRANSLATE_NOOP("ZQ_CLI", "the work failed (the message says why)")},
                {EXIT_USAGE, QT_TRANSLATE_NOOP("ZQ_CLI", "the command line was wrong")}};
            for (const auto& status : statuses)
                help += QStringLiteral("  %1  %2\n").arg(status.first, 3).arg(Standard(status.second));
        }
        std::fputs(help.toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
        return false;
    }
    if (parser.isSet("version")) {
        std::printf("%s %s\n", g_commandName.c_str(), SuiteVersion());
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
                             .arg(QString::fromLocal8Bit(g_commandName.c_str()));
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

bool ReadInputFile(const std::string& path, std::string& bytes, std::string& error)
{
    bytes.clear();
    if (!CheckInputFile(path, error))
        return false;
    std::vector<BYTE> content;
    const COMMON_EX::FILE_OUTCOME read = COMMON_EX::ReadWholeFile(path, MAX_INPUT_FILE, content);
    if (!read.Ok()) {
        errno = read.sysError;
        error = read.fault == COMMON_EX::FILE_FAULT::OPEN
                    ? SystemRefusal(QT_TRANSLATE_NOOP("ZQ_CLI", "cannot open '%1': %2"), path)
                    : SystemRefusal(QT_TRANSLATE_NOOP("ZQ_CLI", "cannot read '%1': %2"), path);
        return false;
    }
    bytes.assign(content.begin(), content.end());
    return true;
}

bool CheckOutputFile(const std::string& path, std::string& error, bool streams)
{
    if (path.empty()) {
        error = Standard(QT_TRANSLATE_NOOP("ZQ_CLI", "an empty file name cannot be written")).toStdString();
        return false;
    }
    COMMON_EX::OUTPUT_WAY way = COMMON_EX::OUTPUT_WAY::REPLACE;
    const COMMON_EX::FILE_OUTCOME outcome = COMMON_EX::CheckOutput(path, way);
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    errno = outcome.sysError ? outcome.sysError : EACCES;
    // A stream where only a replaced file will do is refused like any special file.
    const bool refusedStream =
        outcome.Ok() && !streams && (way == COMMON_EX::OUTPUT_WAY::STREAM || way == COMMON_EX::OUTPUT_WAY::DESCRIPTOR);
    if (outcome.fault == COMMON_EX::FILE_FAULT::NOT_REGULAR || refusedStream) {
        if (!refusedStream)
            st.st_mode = outcome.kind;
        error = StandardArgs(QT_TRANSLATE_NOOP("ZQ_CLI", "will not write '%1': it is %2, not a regular file"),
                             {path, KindOf(st)});
        return false;
    }
    switch (outcome.fault) {
    case COMMON_EX::FILE_FAULT::NONE: return true;
    case COMMON_EX::FILE_FAULT::DANGLING_LINK:
        error =
            StandardArgs(QT_TRANSLATE_NOOP("ZQ_CLI", "will not write '%1': it is a link to a missing file"), {path});
        break;
    case COMMON_EX::FILE_FAULT::NO_FOLDER:
        error = StandardArgs(QT_TRANSLATE_NOOP("ZQ_CLI", "cannot write '%1': the folder '%2' does not exist"),
                             {path, outcome.folder});
        break;
    case COMMON_EX::FILE_FAULT::READ_ONLY:
    case COMMON_EX::FILE_FAULT::WRITE:
        if (exists) {
            error = SystemRefusal(QT_TRANSLATE_NOOP("ZQ_CLI", "will not write '%1': %2"), path);
            break;
        }
        [[fallthrough]];
    default: error = SystemRefusal(QT_TRANSLATE_NOOP("ZQ_CLI", "cannot write '%1': %2"), path); break;
    }
    return false;
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

namespace {

// An environment variable's value, empty when unset.
std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// True when the client library (opened by name, so the suite needs no development files of it)
// connects to the server its default display names. A missing library counts as no answer.
bool Answers(const char* library, const char* connectName, const char* disconnectName, const char* errorName)
{
    void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return false;
    bool answered = false;
    if (errorName) { // xcb: a connection object always comes back, with an error flag
        using Connect = void* (*)(const char*, int*);
        using Check = int (*)(void*);
        using Disconnect = void (*)(void*);
        auto connect = reinterpret_cast<Connect>(dlsym(handle, connectName));
        auto check = reinterpret_cast<Check>(dlsym(handle, errorName));
        auto disconnect = reinterpret_cast<Disconnect>(dlsym(handle, disconnectName));
        if (connect && check && disconnect) {
            void* connection = connect(nullptr, nullptr);
            answered = connection && check(connection) == 0;
            if (connection)
                disconnect(connection);
        }
    } else { // wayland: null when the compositor does not answer
        using Connect = void* (*)(const char*);
        using Disconnect = void (*)(void*);
        auto connect = reinterpret_cast<Connect>(dlsym(handle, connectName));
        auto disconnect = reinterpret_cast<Disconnect>(dlsym(handle, disconnectName));
        if (connect && disconnect) {
            void* display = connect(nullptr);
            answered = display != nullptr;
            if (display)
                disconnect(display);
        }
    }
    dlclose(handle);
    return answered;
}

// True when Qt's platform plugins folder holds a plugin whose file name matches pattern.
bool HasPlatformPlugin(const char* pattern)
{
    const QDir folder(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    return !folder.entryList({QString::fromLatin1(pattern)}, QDir::Files).isEmpty();
}

} // namespace

bool ChooseDisplay(std::string& error)
{
    if (!Environment("QT_QPA_PLATFORM").empty())
        return true;
    const std::string wayland = Environment("WAYLAND_DISPLAY");
    const std::string x11 = Environment("DISPLAY");
    bool waylandWithoutPlugin = false;
    if (!wayland.empty()) {
        if (!HasPlatformPlugin("libqwayland-*.so"))
            waylandWithoutPlugin = true;
        else if (Answers("libwayland-client.so.0", "wl_display_connect", "wl_display_disconnect", nullptr)) {
            qputenv("QT_QPA_PLATFORM", "wayland");
            return true;
        }
    }
    if (!x11.empty() && HasPlatformPlugin("libqxcb.so") &&
        Answers("libxcb.so.1", "xcb_connect", "xcb_disconnect", "xcb_connection_has_error")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        return true;
    }
    if (!x11.empty())
        error = StandardArgs(QT_TRANSLATE_NOOP("ZQ_CLI", "cannot open the display '%1': no X server answers there "
                                                         "(set DISPLAY to a running one, or QT_QPA_PLATFORM="
                                                         "offscreen)"),
                             {x11});
    else if (waylandWithoutPlugin)
        error = StandardArgs(QT_TRANSLATE_NOOP("ZQ_CLI", "cannot open the Wayland display '%1': Qt's Wayland "
                                                         "plugin is not installed (install qt6-wayland, or set "
                                                         "DISPLAY to an X server)"),
                             {wayland});
    else if (!wayland.empty())
        error = StandardArgs(QT_TRANSLATE_NOOP("ZQ_CLI", "cannot open the Wayland display '%1': no compositor "
                                                         "answers there"),
                             {wayland});
    else
        error = Standard(QT_TRANSLATE_NOOP("ZQ_CLI", "no display to open the window on: set DISPLAY or "
                                                     "WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen"))
                    .toStdString();
    return false;
}

} // namespace ZQ_CLI
