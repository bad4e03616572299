// The emulator's window driven by synthesized keys and clicks against the simulated PLC.
#include "emulator_test_support.h"

#include "comkit/whole_file.h"
#include "emulator/app/panel_session.h"
#include "emulator/app/panel_window.h"
#include "emulator/panel_keys.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

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

// A Modbus TCP PLC on loopback that holds every request until the test lets it answer (reads
// answer zeros, writes are echoed). Closing lets everything go.
class CHeldPlc {
public:
    CHeldPlc()
    {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&address), size) == 0 && ::listen(m_listen, 1) == 0 &&
            ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            m_nPort = ntohs(address.sin_port);
        m_thread = std::thread([this] { Run(); });
    }
    ~CHeldPlc()
    {
        m_bStop = true;
        m_thread.join();
        ::close(m_listen);
    }
    int Port() const { return m_nPort; }
    // A request has come and waits for its answer.
    bool Holding() const { return m_bHolding; }
    void LetGo() { m_bLetGo = true; }

private:
    // Waits until fd is readable; false when the test ends first.
    bool Readable(int fd)
    {
        pollfd entry{fd, POLLIN, 0};
        while (!m_bStop)
            if (::poll(&entry, 1, 20) > 0)
                return true;
        return false;
    }
    bool ReadAll(int fd, unsigned char* data, size_t size)
    {
        for (size_t got = 0; got < size;) {
            if (!Readable(fd))
                return false;
            const ssize_t n = ::read(fd, data + got, size - got);
            if (n <= 0)
                return false;
            got += size_t(n);
        }
        return true;
    }
    void Run()
    {
        if (!Readable(m_listen))
            return;
        const int fd = ::accept(m_listen, nullptr, nullptr);
        unsigned char head[7], pdu[256];
        while (ReadAll(fd, head, 7)) {
            const size_t length = size_t(head[4] << 8 | head[5]) - 1;
            if (length < 5 || length > sizeof pdu || !ReadAll(fd, pdu, length))
                break;
            m_bHolding = true;
            while (!m_bLetGo && !m_bStop)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            m_bHolding = false;
            std::vector<unsigned char> answer(head, head + 7);
            const int count = pdu[3] << 8 | pdu[4];
            if (pdu[0] == 1 || pdu[0] == 3) {
                const int bytes = pdu[0] == 3 ? 2 * count : (count + 7) / 8;
                answer.push_back(pdu[0]);
                answer.push_back((unsigned char)bytes);
                answer.insert(answer.end(), size_t(bytes), 0);
            } else {
                answer.insert(answer.end(), pdu, pdu + length);
            }
            answer[4] = (unsigned char)((answer.size() - 6) >> 8);
            answer[5] = (unsigned char)(answer.size() - 6);
            if (::write(fd, answer.data(), answer.size()) != ssize_t(answer.size()))
                break;
        }
        ::close(fd);
    }

    int m_listen = -1;
    int m_nPort = 0;
    std::atomic<bool> m_bStop{false}, m_bLetGo{false}, m_bHolding{false};
    std::thread m_thread;
};

} // namespace

class PanelWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    std::unique_ptr<CPanelSession> Open(int port, int timeoutMs = 2000)
    {
        std::unique_ptr<CProject> project = ProjectOf(ProjectJson(SCREENS));
        const std::vector<BYTE> bytes = project ? CompileOf(*project) : std::vector<BYTE>();
        CPanelSession::OPTIONS options;
        options.image = m_dir.filePath("panel.vxg").toStdString();
        options.port = port;
        options.timeoutMs = timeoutMs;
        std::string error;
        if (!COMMON_EX::ReplaceWholeFile(options.image, bytes.data(), bytes.size(), error))
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
        QVERIFY(sim.WaitForOutput("write coil 2053 = 1"));

        QTest::keyClick(&window, Qt::Key_Tab); // SET
        QTRY_VERIFY(window.Shown().editing);
        QTest::keyClick(&window, Qt::Key_Right);
        QTest::keyClick(&window, Qt::Key_Up);
        QTest::keyClick(&window, Qt::Key_Return);
        QVERIFY(sim.WaitForOutput("write register 100 = 142"));

        QTest::keyClick(&window, Qt::Key_F2);
        QTRY_COMPARE(window.Shown().screen, 2);
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
        QTRY_VERIFY_WITH_TIMEOUT(window.StatusLine()->text().contains(" ok"), 60000);
    }

    void theWindowAnswersWhileThePlcHoldsARequest()
    {
        CHeldPlc plc;
        QVERIFY(plc.Port() > 0);
        // An answer time-out far beyond the test: a window that waited on the line would sit
        // in that request instead of taking keys.
        std::unique_ptr<CPanelSession> session = Open(plc.Port(), 600000);
        QVERIFY(session);
        CPanelWindow window(*session, PANEL_KEYS::SMALL_MODEL_KEY_COUNT, 2);
        struct LET_GO {
            CHeldPlc& plc;
            ~LET_GO() { plc.LetGo(); } // before the window waits for its panel thread
        } letGo{plc};
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(plc.Holding());
        QTest::keyPress(&window, Qt::Key_F2);
        QVERIFY2(window.KeyButton(PANEL_KEYS::KEY_F2)->isDown(), "the key shows pressed at once");
        QTest::keyRelease(&window, Qt::Key_F2);
        QCOMPARE(window.Shown().screen, 0); // no frame yet: the first poll is still waiting
        plc.LetGo();
        QTRY_VERIFY(window.StatusLine()->text().contains(" ok"));
        QTRY_COMPARE(window.Shown().screen, 2); // the key was played once the answer came
    }
};

QTEST_MAIN(PanelWindowTest)
#include "panel_window_qtest.moc"
