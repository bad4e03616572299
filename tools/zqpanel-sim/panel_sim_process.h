// Runs zqpanel-sim as a child process on a new pseudo-terminal, for the tests and benchmarks:
// started with its flash file, asked to end with its parent, stopped by Stop or at destruction.
#pragma once

#include <QProcess>
#include <QStringList>

#include <string>

class CPanelSimProcess {
public:
    // program: the simulator's executable; flashFile: where it writes the flash when it ends.
    CPanelSimProcess(const std::string& program, const std::string& flashFile, const QStringList& extra = {})
        : m_strFlashFile(flashFile)
    {
        QStringList arguments = {"--flash", QString::fromStdString(flashFile), "--exit-on-stdin-eof"};
        arguments += extra;
        m_process.start(QString::fromStdString(program), arguments);
        if (m_process.waitForStarted(5000) && m_process.waitForReadyRead(5000))
            m_strDevice = m_process.readLine().trimmed().toStdString();
    }
    ~CPanelSimProcess() { Stop(); }
    CPanelSimProcess(const CPanelSimProcess&) = delete;
    CPanelSimProcess& operator=(const CPanelSimProcess&) = delete;

    // The pseudo-terminal to open; empty when the simulator did not start.
    const std::string& Device() const { return m_strDevice; }
    const std::string& FlashFile() const { return m_strFlashFile; }
    qint64 ProcessId() const { return m_process.processId(); }

    // Waits until the simulator's standard error (its --verbose log) holds words; false when it
    // ends, or timeoutMs pass without any output, first.
    bool WaitForLog(const std::string& words, int timeoutMs = 60000)
    {
        while (m_strLog.find(words) == std::string::npos) {
            if (m_process.state() != QProcess::Running)
                return false;
            m_process.setReadChannel(QProcess::StandardError);
            if (!m_process.bytesAvailable() && !m_process.waitForReadyRead(timeoutMs))
                return false;
            m_strLog += m_process.readAllStandardError().toStdString();
        }
        return true;
    }

    // Ends the simulator (the flash file is then written) and returns its statistics line.
    std::string Stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(5000);
            m_strStats = m_process.readAllStandardOutput().trimmed().toStdString();
        }
        return m_strStats;
    }

private:
    QProcess m_process;
    std::string m_strDevice;
    std::string m_strFlashFile;
    std::string m_strStats;
    std::string m_strLog; // standard error read by WaitForLog
};
