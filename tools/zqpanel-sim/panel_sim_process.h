// Runs zqpanel-sim as a child process on a new pseudo-terminal, for the tests and benchmarks:
// started with its flash file, asked to end with its parent, stopped by Stop or at destruction.
#pragma once

#include <QProcess>
#include <QStringList>

#include <string>

class CPanelSimProcess {
public:
    // The longest any wait on the simulator takes before it counts as hung (a guard, not a
    // measure: the simulator answers at once on an idle machine).
    static constexpr int HANG_GUARD_MS = 120000;

    // program: the simulator's executable; flashFile: where it writes the flash when it ends.
    CPanelSimProcess(const std::string& program, const std::string& flashFile, const QStringList& extra = {})
        : m_strFlashFile(flashFile)
    {
        QStringList arguments = {"--flash", QString::fromStdString(flashFile), "--exit-on-stdin-eof"};
        arguments += extra;
        m_process.start(QString::fromStdString(program), arguments);
        // Until the device line is printed or the simulator ends, however long a loaded machine takes.
        if (!m_process.waitForStarted(HANG_GUARD_MS))
            return;
        while (!m_process.canReadLine() && m_process.waitForReadyRead(HANG_GUARD_MS)) {
        }
        if (m_process.canReadLine())
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
    bool WaitForLog(const std::string& words, int timeoutMs = HANG_GUARD_MS)
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
            m_process.waitForFinished(HANG_GUARD_MS); // the flash file is written on the way out
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
