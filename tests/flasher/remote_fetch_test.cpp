// The remote program fetch against a real FTP server on loopback: report order, the files it
// leaves on both sides, failures, and stopping at any point.
#include "flasher/remote_fetch.h"

#include "ftp_test_server.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <mutex>
#include <utility>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Report = std::pair<int, std::string>;
using namespace std::chrono_literals;

// Plays the dialog's side: takes the reports the fetch thread hands over.
class CReportQueue {
public:
    void Post(int value, const std::string& path)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_reports.emplace_back(value, path);
        m_cv.notify_all();
    }
    CRemoteFetch::Poster Poster()
    {
        return [this](int value, const std::string& path) { Post(value, path); };
    }
    bool Next(Report& report, std::chrono::milliseconds timeout = 120s) // a hang guard
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_cv.wait_for(lock, timeout, [this] { return !m_reports.empty(); }))
            return false;
        report = m_reports.front();
        m_reports.pop_front();
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<Report> m_reports;
};

class RemoteFetchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        ASSERT_TRUE(QDir(m_root.path()).mkdir("web"));
        m_oldTmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
        setenv("TMPDIR", m_tmp.path().toLocal8Bit().constData(), 1);
        m_server.host = "127.0.0.1";
        m_server.user = "panel";
        m_server.password = "secret";
    }
    void TearDown() override
    {
        if (m_oldTmp.empty())
            unsetenv("TMPDIR");
        else
            setenv("TMPDIR", m_oldTmp.c_str(), 1);
    }
    QString ServerFile() const { return m_root.path() + "/web/upfile.hex"; }
    void PutServerFile(const QByteArray& bytes)
    {
        QFile file(ServerFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Wakes the fetch and collects reports, acknowledging each, up to the last one (3 or -1).
    std::vector<Report> RunOnce(CRemoteFetch& fetch, CReportQueue& queue)
    {
        std::vector<Report> reports;
        fetch.Wake();
        Report report;
        while (queue.Next(report)) {
            reports.push_back(report);
            fetch.Acknowledge();
            if (report.first == REMOTE_NOTIFY_DONE || report.first == REMOTE_NOTIFY_FAILED)
                break;
        }
        return reports;
    }
    std::vector<int> Values(const std::vector<Report>& reports)
    {
        std::vector<int> values;
        values.reserve(reports.size());
        for (const Report& report : reports)
            values.push_back(report.first);
        return values;
    }

    QTemporaryDir m_root;
    QTemporaryDir m_tmp;
    std::string m_oldTmp;
    tagRemoteServer m_server;
};

TEST_F(RemoteFetchTest, SettingsFileBesideTheProgram)
{
    QTemporaryDir dir;
    tagRemoteServer none = LoadRemoteServer(dir.path().toStdString());
    EXPECT_TRUE(none.host.empty());
    EXPECT_EQ(none.port, 21);
    EXPECT_EQ(GetRemoteHomePage(none), "");

    std::ofstream(dir.filePath("remote.ini").toStdString())
        << "[server]\r\nhost = update.example.org\r\nport=2121\r\nuser=panel\r\npassword=p=w\r\n";
    tagRemoteServer server = LoadRemoteServer(dir.path().toStdString());
    EXPECT_EQ(server.host, "update.example.org");
    EXPECT_EQ(server.port, 2121);
    EXPECT_EQ(server.user, "panel");
    EXPECT_EQ(server.password, "p=w");
    EXPECT_EQ(GetRemoteHomePage(server), "http://update.example.org/");
    server.homepage = "https://www.example.org/";
    EXPECT_EQ(GetRemoteHomePage(server), "https://www.example.org/");
}

TEST_F(RemoteFetchTest, LocalFileIsTmpHexOfThisProcessInTheTemporaryFolder)
{
    EXPECT_EQ(QString::fromStdString(GetRemoteLocalPath()),
              m_tmp.filePath(QString("flasher-%1-tmp.hex").arg(QCoreApplication::applicationPid())));
}

TEST_F(RemoteFetchTest, StartRemovesFilesLeftByEndedRunsOnly)
{
    // No process can have this id (above the kernel's largest pid).
    const QString left = m_tmp.filePath("flasher-2147483646-tmp.hex");
    const QString mine = QString::fromStdString(GetRemoteLocalPath());
    const QString other = m_tmp.filePath("tmp.hex");
    for (const QString& file : {left, mine, other}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    CReportQueue queue;
    CRemoteFetch fetch(m_server, queue.Poster());
    ASSERT_TRUE(fetch.Start());
    EXPECT_FALSE(QFile::exists(left));
    EXPECT_TRUE(QFile::exists(mine));
    EXPECT_TRUE(QFile::exists(other));
}

TEST_F(RemoteFetchTest, SuccessReportsInOrderKeepsTheFileAndDeletesItOnTheServer)
{
    QByteArray content;
    for (int i = 0; i < 5000; ++i)
        content.append(static_cast<char>(i * 7 + (i >> 8)));
    content.append("\r\n\x00\x1a\r", 5); // binary mode: no line-end translation
    PutServerFile(content);
    // An older fetched file is replaced, not appended to.
    std::ofstream(GetRemoteLocalPath()) << std::string(9000, 'x');

    zqtest::CFtpTestServer ftp(m_root.path(), "panel", "secret");
    ASSERT_GT(ftp.Port(), 0);
    m_server.port = ftp.Port();
    CReportQueue queue;
    CRemoteFetch fetch(m_server, queue.Poster());
    ASSERT_TRUE(fetch.Start());

    std::vector<Report> reports = RunOnce(fetch, queue);
    ASSERT_EQ(Values(reports), (std::vector<int>{1, 2, 0, 3}));
    EXPECT_EQ(reports[2].second, GetRemoteLocalPath());
    EXPECT_EQ(reports[3].second, "");
    QFile local(QString::fromStdString(GetRemoteLocalPath()));
    ASSERT_TRUE(local.open(QIODevice::ReadOnly));
    EXPECT_EQ(local.readAll(), content);
    EXPECT_FALSE(QFile::exists(ServerFile()));

    // Woken again, the server has no file any more.
    EXPECT_EQ(Values(RunOnce(fetch, queue)), (std::vector<int>{1, 2, -1}));
}

TEST_F(RemoteFetchTest, MissingServerFileFailsAfterTheDirectoryAndLeavesNoLocalFile)
{
    zqtest::CFtpTestServer ftp(m_root.path(), "panel", "secret");
    ASSERT_GT(ftp.Port(), 0);
    m_server.port = ftp.Port();
    CReportQueue queue;
    CRemoteFetch fetch(m_server, queue.Poster());
    ASSERT_TRUE(fetch.Start());
    std::vector<Report> reports = RunOnce(fetch, queue);
    ASSERT_EQ(Values(reports), (std::vector<int>{1, 2, -1}));
    EXPECT_EQ(reports[2].second, "");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(GetRemoteLocalPath())));
}

TEST_F(RemoteFetchTest, RefusedLoginNoServerAndNoHostFailBeforeTheDirectory)
{
    PutServerFile("data");
    zqtest::CFtpTestServer ftp(m_root.path(), "panel", "secret");
    ASSERT_GT(ftp.Port(), 0);

    CReportQueue queue;
    CRemoteFetch::Poster poster = queue.Poster();
    tagRemoteServer wrongPassword = m_server;
    wrongPassword.port = ftp.Port();
    wrongPassword.password = "guess";
    tagRemoteServer noDirectory = m_server;
    noDirectory.port = ftp.Port();
    tagRemoteServer closedPort = m_server;
    closedPort.port = 1; // nothing listens there
    tagRemoteServer noHost;
    for (const tagRemoteServer& server : {wrongPassword, closedPort, noHost}) {
        CRemoteFetch fetch(server, poster);
        ASSERT_TRUE(fetch.Start());
        EXPECT_EQ(Values(RunOnce(fetch, queue)), (std::vector<int>{1, -1})) << server.port;
    }
    EXPECT_TRUE(QFile::exists(ServerFile()));

    ASSERT_TRUE(QFile::remove(ServerFile()));
    ASSERT_TRUE(QDir(m_root.path()).rmdir("web"));
    CRemoteFetch fetch(noDirectory, poster);
    ASSERT_TRUE(fetch.Start());
    EXPECT_EQ(Values(RunOnce(fetch, queue)), (std::vector<int>{1, -1}));
}

TEST_F(RemoteFetchTest, StopsWhileWaitingForAServerThatNeverAnswers)
{
    // A listening socket that never sends the FTP greeting.
    int silent = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(silent, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(silent, 4), 0);
    socklen_t length = sizeof address;
    getsockname(silent, reinterpret_cast<sockaddr*>(&address), &length);
    m_server.port = ntohs(address.sin_port);

    CReportQueue queue;
    auto started = std::chrono::steady_clock::now();
    {
        CRemoteFetch fetch(m_server, queue.Poster());
        fetch.SetTimeouts(120, 120);
        ASSERT_TRUE(fetch.Start());
        fetch.Wake();
        Report report;
        ASSERT_TRUE(queue.Next(report));
        EXPECT_EQ(report.first, REMOTE_NOTIFY_CONNECTING);
        fetch.Acknowledge();
        // Until the fetch's connection waits in the listener's queue for a greeting that never comes.
        pollfd pending{silent, POLLIN, 0};
        ASSERT_EQ(::poll(&pending, 1, 120000), 1);
        started = std::chrono::steady_clock::now();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 60s) << "not limited by the time-outs (120 s)";
    Report report;
    EXPECT_FALSE(queue.Next(report, 100ms)) << "nothing reported after the stop";
    close(silent);
}

TEST_F(RemoteFetchTest, StopsInTheMiddleOfATransferAndRemovesThePartialFile)
{
    PutServerFile(QByteArray(400000, 'A'));
    zqtest::CFtpTestServer ftp(m_root.path(), "panel", "secret", 20000);
    ASSERT_GT(ftp.Port(), 0);
    m_server.port = ftp.Port();
    const QString local = QString::fromStdString(GetRemoteLocalPath());
    CReportQueue queue;
    {
        CRemoteFetch fetch(m_server, queue.Poster());
        ASSERT_TRUE(fetch.Start());
        fetch.Wake();
        Report report;
        for (int expected : {1, 2}) {
            ASSERT_TRUE(queue.Next(report));
            EXPECT_EQ(report.first, expected);
            fetch.Acknowledge();
        }
        const auto guard = std::chrono::steady_clock::now() + 120s;
        while (QFileInfo(local).size() == 0 && std::chrono::steady_clock::now() < guard)
            std::this_thread::sleep_for(20ms);
        ASSERT_GT(QFileInfo(local).size(), 0) << "the transfer has begun";
    }
    EXPECT_FALSE(QFile::exists(local));
    EXPECT_TRUE(QFile::exists(ServerFile())) << "an unfinished fetch deletes nothing on the server";
}

TEST_F(RemoteFetchTest, StopsWhileAReportIsNotYetHandled)
{
    CReportQueue queue;
    CRemoteFetch fetch(m_server, queue.Poster());
    ASSERT_TRUE(fetch.Start());
    fetch.Wake();
    Report report;
    ASSERT_TRUE(queue.Next(report));
    fetch.Stop(); // the report is never acknowledged
    fetch.Stop();
    EXPECT_FALSE(queue.Next(report, 100ms));
}

} // namespace
