// Command-line conventions shared by every program of the suite: help and version, usage errors,
// strict numbers, error lines prefixed with the program's name, input and output path checks, and
// whether a display is there for the graphical programs.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <string>

namespace ZQ_CLI {

// Exit statuses every tool uses: 0 done, 1 the work failed, 2 the command line was wrong.
constexpr int EXIT_DONE = 0;
constexpr int EXIT_FAILED = 1;
constexpr int EXIT_USAGE = 2;

// The suite's version ("1.2.0"), one for every program.
const char* SuiteVersion();

// Names the running program ("zqe"): name is the context its texts are translated in, command the
// name it is installed as, which starts its error lines and shows in --help and --version (name
// itself when null: the tools are installed under their own names, the editor "ZQEditor" as
// "zqeditor"). Call first in main; needs no QCoreApplication, so graphical programs can answer
// --help before any display is opened.
void SetProgramName(const char* name, const char* command = nullptr);
// The command given to SetProgramName (its name when none was given), "zq" before.
const char* ProgramName();

// --help ends with the exit statuses every program shares (0 done, 1 failed, 2 wrong command line)
// unless the program calls this because its description states statuses of its own (zqflash).
void SetOwnExitStatuses();

// text in the user's language: its English from the catalogue in the context named by
// SetProgramName ("zqe") when English was chosen and the catalogue has it; otherwise text itself,
// byte for byte. Mark the literals for the catalogue with QT_TRANSLATE_NOOP("zqe", "...").
std::string Tr(const std::string& text);
// The same as a QString (text is UTF-8).
QString TrText(const char* text);
// Tr(text) with %1, %2, ... replaced by args in one pass (an argument's own "%2" stays as it is);
// a %N without its argument stays too. The arguments are bytes the caller already holds (UTF-8).
std::string TrArgs(const char* text, std::initializer_list<std::string> args);

// Writes "<program>: <message>" (message through Tr) and a line break to standard error.
void PrintError(const std::string& message);
void PrintError(const QString& message);

// The arguments of argv (including the program's own path at index 0) in the locale's encoding.
QStringList ArgumentsOf(int argc, char** argv);

// Adds -h/--help and --version to parser, and sets its description (one paragraph, may be empty,
// through Tr).
void AddStandardOptions(QCommandLineParser& parser, const QString& description);

// Parses arguments (argv as ArgumentsOf gives it) with the standard options added before.
// True when the program should go on. False when it is done: --help printed the help to standard
// output (exitCode 0), --version printed "<program> <version>" (exitCode 0), or the command line was
// wrong and the error went to standard error with a hint to --help (exitCode 2).
bool ParseOrExit(QCommandLineParser& parser, const QStringList& arguments, int& exitCode);

// A whole number written in decimal or with a 0x prefix in hex, within [low, high]. Refuses blanks,
// signs where low >= 0, trailing characters and anything outside the range (no wrapping: "-4294967295"
// is not 1). On refusal error says why, naming what (for example "--screen").
bool ParseInteger(const QString& text, long long low, long long high, long long& value, const std::string& what,
                  std::string& error);
// The same for an int.
bool ParseInteger(const QString& text, int low, int high, int& value, const std::string& what, std::string& error);

// One option of a tool's command line: its long name, the name of its value (null for a switch)
// and its help text.
struct OPTION_SPEC {
    const char* name;
    const char* valueName;
    const char* help;
};
// Adds every option of the list to parser, their help through Tr.
void AddOptions(QCommandLineParser& parser, std::initializer_list<OPTION_SPEC> options);

// A whole-number option: name, range and where the value goes (left alone when not given).
struct INT_OPTION {
    const char* name;
    int low;
    int high;
    int* value;
};
// Reads every option of the list that was given, strictly (ParseInteger). The first bad one is a
// usage error (UsageError); false then.
bool ReadIntegerOptions(const QCommandLineParser& parser, std::initializer_list<INT_OPTION> options, int& exitCode);

// A wrong command line: "<program>: message" (through Tr) and a hint to --help on standard error; exitCode
// becomes EXIT_USAGE. Always false, for "return UsageError(...)".
bool UsageError(const std::string& message, int& exitCode);

// True when path ("-" is standard input, always fine) names an existing regular file that can be
// opened for reading without blocking; otherwise error names the file and the reason ("is a FIFO,
// not a regular file", the system's text for a missing file or a refused permission). Opens nothing.
bool CheckInputFile(const std::string& path, std::string& error);

// Reads the whole file path into bytes (COMMON_EX::ReadWholeFile, at most 4 GiB), "-" from
// standard input (to its end). False with error naming
// the file and the system's reason (CheckInputFile's refusals, a failed read); bytes is then empty.
bool ReadInputFile(const std::string& path, std::string& bytes, std::string& error);

// True when path may be written the way COMMON_EX::WriteWholeFile writes it: "-" (standard
// output), a descriptor name ("/dev/stdout", "/dev/fd/N") of an open descriptor, an existing FIFO
// or character device the user may write (streamed into), a new name in an existing writable
// folder, or an existing regular file the user may write. Refuses folders, block devices, sockets,
// read-only files, links to missing files and names in a missing folder, with error naming the
// file and the reason. Opens nothing but a terminal (to tell it from other devices). With streams
// false, for an output that is only ever replaced, FIFOs, devices and descriptor names are refused
// as well ("-" stays the caller's to decide).
bool CheckOutputFile(const std::string& path, std::string& error, bool streams = true);

// True when both names lead to the same existing file (links and different spellings followed).
bool IsSameFile(const std::string& first, const std::string& second);

// True when a graphical program can open a window: a platform was chosen (QT_QPA_PLATFORM, for
// example offscreen) or DISPLAY or WAYLAND_DISPLAY is set.
bool HasDisplay();

// Chooses the window system for a graphical program before its QApplication exists, so that Qt
// never aborts on a display it cannot open. A platform named in QT_QPA_PLATFORM is kept as it is.
// Otherwise the Wayland compositor of WAYLAND_DISPLAY when it answers and Qt's Wayland plugin is
// installed, else the X server of DISPLAY when it answers, and QT_QPA_PLATFORM is set to "wayland"
// or "xcb" for Qt. False, with error naming the display and what is wrong, when neither can be
// used (none set, a server that does not answer, a Wayland session without the plugin and without
// an X server).
bool ChooseDisplay(std::string& error);

} // namespace ZQ_CLI
