// What the programmer's walks on a real X server share: the skip without xdotool, the real
// pointer, the build's programs and the scratch files.
#pragma once

#include "vexorisp/comm_settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>

namespace FLASHER_X11_WALK {

// The exit status of a walk that cannot run here (the tests' SKIP_RETURN_CODE).
constexpr int SKIPPED = 77;

// True, saying so on standard output, when xdotool is not installed: the walk then exits SKIPPED.
inline bool XdotoolMissing()
{
    if (!QStandardPaths::findExecutable("xdotool").isEmpty())
        return false;
    std::puts("xdotool is not installed: skipped");
    return true;
}

// xdotool with arguments; false when it failed.
inline bool Xdotool(const QStringList& arguments)
{
    return QProcess::execute("xdotool", arguments) == 0;
}

// Moves the real pointer to `at` in widget (its centre when `at` is null), which gives its window
// the X input focus without a window manager, and clicks there when click is set.
inline bool PointAt(const QWidget* widget, bool click, QPoint at = QPoint())
{
    const QPoint point = widget->mapToGlobal(at.isNull() ? widget->rect().center() : at);
    QStringList arguments = {"mousemove", "--sync", QString::number(point.x()), QString::number(point.y())};
    if (click)
        arguments << "click"
                  << "1";
    return Xdotool(arguments);
}

// A program or folder of the build's output folder (where the walk itself runs from).
inline QString OutFile(const QString& name)
{
    return QCoreApplication::applicationDirPath() + "/" + name;
}

// The whole file written; false when any of it could not be.
inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The whole file; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The run's settings in scratch: the line settings (MD_DLL.DFT, COM1 = device) and isp.ini with
// `file` plain, the begin address paddr x 512, no port options, automatic when autoRun. False when
// either could not be written.
inline bool WriteRunSettings(const QTemporaryDir& scratch, const std::string& device, bool autoRun, const QString& file,
                             int paddr)
{
    COMM_SETTINGS settings = GetDefaultCommSettings();
    settings.com = 1;
    settings.devices[1] = device;
    const QByteArray isp =
        "[sysset]\r\nauto=" + QByteArray(autoRun ? "1" : "0") + "\r\nnotenc=1\r\naddr=1\r\nfile=" + file.toLocal8Bit() +
        "\r\nledport=4\r\nledbit=0\r\n485port=4\r\n485bit=0\r\npaddr=" + QByteArray::number(paddr) + "\r\n";
    return WriteCommSettingsFile(scratch.filePath("MD_DLL.DFT").toStdString(), FormatCommSettings(settings)) &&
           WriteFile(scratch.filePath("isp.ini"), isp);
}

} // namespace FLASHER_X11_WALK
