// A throw-away FTP server on loopback (pyftpdlib), for tests of the remote program fetch.
#pragma once

#include "vexorisp/event_wait.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace zqtest {

// Serves `root` to one account on 127.0.0.1 at a free port. The server also ends by itself
// when its standard input closes, so a crashed test leaves nothing behind.
class CFtpTestServer {
public:
    // writeLimit > 0 throttles downloads to that many bytes per second.
    CFtpTestServer(const QString& root, const QString& user, const QString& password, int writeLimit = 0)
    {
        static const char script[] =
            "import logging, os, sys, threading\n"
            "from pyftpdlib.authorizers import DummyAuthorizer\n"
            "from pyftpdlib.handlers import FTPHandler\n"
            "from pyftpdlib.servers import FTPServer\n"
            "logging.basicConfig(level=logging.ERROR)\n"
            "auth = DummyAuthorizer()\n"
            "auth.add_user(sys.argv[2], sys.argv[3], sys.argv[1], perm='elradfmw')\n"
            "FTPHandler.authorizer = auth\n"
            "FTPHandler.auth_failed_timeout = 0\n"
            "if int(sys.argv[4]) > 0:\n"
            "    from pyftpdlib.handlers import ThrottledDTPHandler\n"
            "    ThrottledDTPHandler.write_limit = int(sys.argv[4])\n"
            "    FTPHandler.dtp_handler = ThrottledDTPHandler\n"
            "server = FTPServer(('127.0.0.1', 0), FTPHandler)\n"
            "print(server.address[1], flush=True)\n"
            "threading.Thread(target=lambda: (sys.stdin.read(), os._exit(0)), daemon=True).start()\n"
            "server.serve_forever()\n";
        // The distribution's interpreter, which has the python3-pyftpdlib package.
        const QString python = QFile::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(python, QStringList{"-c", script, root, user, password, QString::number(writeLimit)});
        if (!m_process.waitForStarted(TEST_HANG_GUARD_MS))
            return;
        while (!m_process.canReadLine() && m_process.waitForReadyRead(TEST_HANG_GUARD_MS)) {
        }
        m_nPort = QString::fromLatin1(m_process.readLine()).trimmed().toInt();
    }

    ~CFtpTestServer()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(TEST_HANG_GUARD_MS)) {
            m_process.kill();
            m_process.waitForFinished(TEST_HANG_GUARD_MS);
        }
    }

    // 0 when the server did not come up.
    int Port() const { return m_nPort; }

private:
    QProcess m_process;
    int m_nPort = 0;
};

} // namespace zqtest
