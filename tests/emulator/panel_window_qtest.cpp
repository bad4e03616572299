// The emulator's window driven by synthesized keys and clicks against the simulated PLC.
#include "emulator_test_support.h"

#include "emulator/panel_keys.h"
#include "panel_session.h"
#include "panel_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace EMULATOR_TEST;

namespace {

const char* const SCREENS = R"json([
  {"name": "one", "controls": [
    {"type": "register", "set": {"整数位数": 4, "是否编辑": 1, "最小值": 0, "最大值": 9999,
                                 "寄存器号": "D(数据寄存器)", "寄存器地址": 100, "X": 44, "Y": 20}},
    {"type": "function-key", "set": {"显示键类型": "F1", "线圈号": "M(辅助继电器)", "线圈地址": 5, "值设置": "交替", "X": 0, "Y": 44}},
    {"type": "function-key", "set": {"显示键类型": "F2", "功能设置": "画面跳转", "画面跳转至": 2, "X": 60, "Y": 44}}]},
  {"name": "two", "controls": [{"type": "static-text", "set": {"文字串": "TWO", "X": 0, "Y": 0}}]}
])json";

} // namespace

class PanelWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    std::unique_ptr<CPanelSession> Open(int port)
    {
        std::unique_ptr<CProject> project = ProjectOf(ProjectJson(SCREENS));
        const std::vector<BYTE> bytes = project ? CompileOf(*project) : std::vector<BYTE>();
        CPanelSession::OPTIONS options;
        options.image = m_dir.filePath("panel.vxg").toStdString();
        options.port = port;
        options.timeoutMs = 2000;
        std::string error;
        if (!CProjectFile::WriteFileAtomically(options.image, bytes.data(), bytes.size(), error))
            return nullptr;
        return CPanelSession::Open(options, error);
    }

private slots:
    void keysAndButtonsDriveThePanel()
    {
        CPlcSim sim({"--register", "100=42"});
        QVERIFY(sim.Port() > 0);
        std::unique_ptr<CPanelSession> session = Open(sim.Port());
        QVERIFY(session);
        CPanelWindow window(*session, PANEL_KEYS::SMALL_MODEL_KEY_COUNT, 3);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(window.StatusLine()->text().contains(" ok"));
        QVERIFY(window.KeyButton(PANEL_KEYS::KEY_CLR));
        QVERIFY2(!window.KeyButton(PANEL_KEYS::KEY_F9), "16 keys");

        QTest::mouseClick(window.KeyButton(PANEL_KEYS::KEY_F1), Qt::LeftButton);
        QTRY_VERIFY(sim.Output().find("write coil 2053 = 1") != std::string::npos);

        QTest::keyClick(&window, Qt::Key_Tab); // SET
        QVERIFY(session->Runtime().GetEditControl() >= 0);
        QTest::keyClick(&window, Qt::Key_Right);
        QTest::keyClick(&window, Qt::Key_Up);
        QTest::keyClick(&window, Qt::Key_Return);
        QTRY_VERIFY(sim.Output().find("write register 100 = 142") != std::string::npos);

        QTest::keyClick(&window, Qt::Key_F2);
        QCOMPARE(session->Runtime().GetCurrentScreen(), 2);
        QVERIFY(window.StatusLine()->text().contains("screen 2 of 2"));
    }

    void aLostLinkShowsInTheStatusLine()
    {
        int port = 0;
        {
            CPlcSim probe({});
            port = probe.Port();
        }
        std::unique_ptr<CPanelSession> session = Open(port);
        QVERIFY(session);
        CPanelWindow window(*session, PANEL_KEYS::KEY_COUNT, 2);
        window.show();
        QTRY_VERIFY(window.StatusLine()->text().contains("LOST"));
        QVERIFY2(window.KeyButton(PANEL_KEYS::KEY_PGDN), "25 keys");
        CPlcSim sim({}, port);
        QTRY_VERIFY_WITH_TIMEOUT(window.StatusLine()->text().contains(" ok"), 20000);
    }
};

QTEST_MAIN(PanelWindowTest)
#include "panel_window_qtest.moc"
