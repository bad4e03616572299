// The "模拟" menu: offline simulation (the open project on the emulator with a PLC in memory and the
// table of its registers and coils) and online simulation (the same panel against the project's
// PLC on a serial port or over Modbus TCP). The emulator is its own program (zqpanel-run --control),
// fed the project through a pipe: nothing is written to disk, the editor stays responsive while the
// panel waits for its PLC, and a crash or hang of the emulator cannot take the editor down. The
// emulator ends when the pipe closes, so it never outlives the editor.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CProject;
class QProcess;
class QWidget;

class CSimulationCommands : public QObject {
public:
    enum MODE { MODE_OFFLINE, MODE_ONLINE };

    // Where online simulation reaches the PLC; remembered per project in the user's settings
    // (never in the project file).
    struct ONLINE_TARGET {
        bool tcp = false;
        std::string device;             // serial port (tcp false)
        std::string host = "127.0.0.1"; // Modbus TCP (tcp true)
        int port = 502;
    };

    // The window messages and the online question appear over parent.
    explicit CSimulationCommands(QWidget* parent);
    // Ends a running simulation.
    ~CSimulationCommands() override;

    // "离线模拟": refuses (with the check's errors listed) a project whose check finds errors.
    // Otherwise, when a simulation of the same mode runs on the same project bytes, brings its
    // window forward; else ends any running one and starts the emulator on the project. key names
    // the project in the user's settings (its path; empty for an unsaved one). True when a
    // simulation runs for the project afterwards.
    bool Offline(CProject& project, const std::string& name);
    // "在线模拟": asks where the PLC is (starting on what was chosen for key last time; Cancel
    // starts nothing), remembers the answer under key, then as Offline against that PLC.
    bool Online(CProject& project, const std::string& name, const std::string& key);

    // Ends the running simulation (none: nothing); its window closes.
    void Stop();
    bool IsRunning() const;
    // The running emulator, null when none (tests read its "ready" line).
    QProcess* Process() const { return m_pProcess.get(); }

    // The remembered target of a project key (defaults when none).
    static ONLINE_TARGET LoadTarget(const std::string& key);
    static void SaveTarget(const std::string& key, const ONLINE_TARGET& target);

    // The question of Online; replaced by tests. Returns false on Cancel.
    using TargetQuestion = std::function<bool(ONLINE_TARGET& target, QWidget* parent)>;
    static void SetTargetQuestion(TargetQuestion question);
    // The emulator program; empty (the default): zqpanel-run beside the editor.
    static void SetEmulatorProgram(const std::string& program);

private:
    bool Start(CProject& project, const std::string& name, MODE mode, const ONLINE_TARGET* target);

    QWidget* m_pParent;
    std::unique_ptr<QProcess> m_pProcess;
    MODE m_mode = MODE_OFFLINE;
    std::vector<unsigned char> m_bytes; // the project the running simulation got
    std::string m_strTarget;            // and where its PLC is ("" offline)
};
