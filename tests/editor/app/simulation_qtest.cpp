// The "模拟" menu with the real emulator, offscreen, through the editor's shortcut keys: offline
// simulation of the demo starts, comes forward unchanged, restarts after an edit and ends with the
// editor; online simulation reaches zqplc-sim on a pseudo-terminal and remembers the port; a
// project the check refuses starts nothing.
#include "comkit/module_path.h"
#include "editor/app/editor_commands.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"
#include "editor/app/simulation_commands.h"
#include "editor/project.h"

#include "editor_test_support.h"

#include <QProcess>
#include <QtTest>

#include <signal.h>

namespace {

// The next line the emulator writes, without its line end; empty when none comes.
QString NextLine(QProcess& process)
{
    while (!process.canReadLine())
        if (!process.waitForReadyRead(20000))
            return QString();
    return QString::fromUtf8(process.readLine()).trimmed();
}

} // namespace

class SimulationTest : public QObject, public FrameFixture {
    Q_OBJECT

private:
    void Key(int key, Qt::KeyboardModifiers modifiers)
    {
        m_frame->activateWindow();
        QTest::keyClick(m_frame->GetActiveView(), Qt::Key(key), modifiers);
    }

private slots:
    void offlineStartsComesForwardRestartsAfterAnEditAndEndsWithTheEditor()
    {
        QVERIFY(StartFrame());
        QVERIFY(OpenDemo(*m_frame));
        CSimulationCommands* simulation = m_frame->GetSimulation();
        QVERIFY(!simulation->IsRunning());
        Key(Qt::Key_F5, Qt::ControlModifier);
        QVERIFY(simulation->IsRunning());
        QProcess* first = simulation->Process();
        QCOMPARE(NextLine(*first), QString("ready 3 6")); // 3 screens, 6 addresses in the table
        QVERIFY(first->arguments().contains("--simulate"));

        // Unchanged: the same emulator, brought forward.
        Key(Qt::Key_F5, Qt::ControlModifier);
        QCOMPARE(simulation->Process(), first);
        QVERIFY(simulation->IsRunning());

        // Edited: simulated again on the new project.
        Trigger(ID_SCREEN_NEW);
        Key(Qt::Key_F5, Qt::ControlModifier);
        QVERIFY(simulation->IsRunning());
        QCOMPARE(NextLine(*simulation->Process()), QString("ready 4 6"));
        const qint64 pid = simulation->Process()->processId();
        QVERIFY(pid > 0);

        QVERIFY(m_prompts->messages.isEmpty());
        QVERIFY(EndFrame());
        QCOMPARE(::kill(pid_t(pid), 0), -1); // the editor gone, the emulator is gone too
    }

    void onlineReachesThePlcOnThePortChosenAndRemembersIt()
    {
        QProcess plc;
        plc.start(QString::fromStdString(COMMON_EX::GetProgramDirectory() + "zqplc-sim"),
                  {"--pty", "--register", "100=1234"});
        QVERIFY(plc.waitForStarted(10000));
        const QString device = NextLine(plc).section(' ', -1);
        QVERIFY2(device.startsWith("/dev/"), qPrintable(device));

        QVERIFY(StartFrame());
        QVERIFY(OpenDemo(*m_frame));
        const std::string key = m_frame->GetDocument()->GetPathName().toStdString();
        CSimulationCommands::ONLINE_TARGET asked;
        int questions = 0;
        CSimulationCommands::SetTargetQuestion([&](CSimulationCommands::ONLINE_TARGET& target, QWidget*) {
            ++questions;
            asked = target;
            target.tcp = false;
            target.device = device.toStdString();
            return true;
        });
        Key(Qt::Key_F5, Qt::ShiftModifier);
        CSimulationCommands* simulation = m_frame->GetSimulation();
        QVERIFY(simulation->IsRunning());
        QCOMPARE(NextLine(*simulation->Process()), QString("ready 3 0"));
        QCOMPARE(NextLine(*simulation->Process()), QString("link ok"));
        QVERIFY(simulation->Process()->arguments().contains(device));

        // Asked again, the question starts on the port chosen for this project.
        Key(Qt::Key_F5, Qt::ShiftModifier);
        QCOMPARE(questions, 2);
        QCOMPARE(QString::fromStdString(asked.device), device);
        QCOMPARE(QString::fromStdString(CSimulationCommands::LoadTarget(key).device), device);
        QCOMPARE(QString::fromStdString(CSimulationCommands::LoadTarget("/elsewhere.ZQE").device), QString());
        CSimulationCommands::SetTargetQuestion(nullptr);
        QVERIFY(EndFrame());
        plc.terminate();
        QVERIFY(plc.waitForFinished(10000));
    }

    void aProjectWithErrorsIsRefusedWithTheList()
    {
        PromptAnswers prompts;
        CSimulationCommands simulation(nullptr);
        CProject project;
        QVERIFY(project.SetDeviceAndPLC("QMX200", "MODBUS\xD7\xD4\xD3\xC9\xD0\xAD\xD2\xE9", nullptr));
        project.AddNewScreen(); // nothing on it that reads or writes the PLC
        QVERIFY(!simulation.Offline(project, "empty"));
        QVERIFY(!simulation.IsRunning());
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.messages[0].startsWith(QString::fromUtf8("项目检查发现错误，不能模拟：\n")),
                 qPrintable(prompts.messages[0]));
    }
};

int main(int argc, char** argv)
{
    UseTemporarySettings();
    QApplication app(argc, argv);
    SimulationTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "simulation_qtest.moc"
