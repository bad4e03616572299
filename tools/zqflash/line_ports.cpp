// Collecting the ports of a line run.
#include "tools/zqflash/line_ports.h"

#include "appkit/tool_cli.h"

#include <QFile>

#include <glob.h>
#include <sys/stat.h>

#include <algorithm>

namespace {

// True when both names lead to one device: a link in /dev/serial/by-id and its target, or
// "/dev/pts/./4" and "/dev/pts/4". Names that lead nowhere are the same only when equal.
bool SameDevice(const std::string& first, const std::string& second)
{
    if (first == second)
        return true;
    struct stat a {
    }, b{};
    if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0)
        return false;
    if ((S_ISCHR(a.st_mode) || S_ISBLK(a.st_mode)) && a.st_mode == b.st_mode)
        return a.st_rdev == b.st_rdev;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Adds port unless the list has its device already (under any name): two processes on one line
// would spoil each other's panel.
void AddPort(std::vector<std::string>& ports, const std::string& port)
{
    if (port.empty())
        return;
    if (std::none_of(ports.begin(), ports.end(), [&](const std::string& known) { return SameDevice(known, port); }))
        ports.push_back(port);
}

bool ReadPortsFile(const std::string& path, std::vector<std::string>& ports, std::string& error)
{
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "--ports-file: cannot read %1: %2"),
                               {path, file.errorString().toStdString()});
        return false;
    }
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        const int comment = line.indexOf('#');
        if (comment >= 0)
            line.truncate(comment);
        AddPort(ports, line.trimmed().toStdString());
    }
    return true;
}

bool GlobPorts(const std::string& pattern, std::vector<std::string>& ports, std::string& error)
{
    glob_t matches{};
    const int result = ::glob(pattern.c_str(), 0, nullptr, &matches);
    if (result == 0) {
        // glob sorts its matches.
        for (size_t i = 0; i < matches.gl_pathc; ++i)
            AddPort(ports, matches.gl_pathv[i]);
    }
    globfree(&matches);
    if (result != 0)
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "--ports-from-glob: no device matches '%1'"), {pattern});
    return result == 0;
}

} // namespace

bool CollectLinePorts(const ZQFLASH_OPTIONS& options, std::vector<std::string>& ports, std::string& error)
{
    ports.clear();
    for (const std::string& port : options.strPorts)
        AddPort(ports, port);
    if (!options.strPortsFile.empty() && !ReadPortsFile(options.strPortsFile, ports, error))
        return false;
    if (!options.strPortsGlob.empty() && !GlobPorts(options.strPortsGlob, ports, error))
        return false;
    if (ports.empty()) {
        error = QT_TRANSLATE_NOOP("zqflash", "no port to program (the ports file lists none)");
        return false;
    }
    return true;
}
