// Fetching a program file from the maker's update server over FTP, on a thread of its own.
#pragma once

#include "flasher/flasher_api.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// Values of WM_REMOTE_NOTIFY, in the order a successful fetch reports them.
enum {
    REMOTE_NOTIFY_CONNECTING = 1,
    REMOTE_NOTIFY_DOWNLOADING = 2,
    REMOTE_NOTIFY_FETCHED = 0,
    REMOTE_NOTIFY_DONE = 3,
    REMOTE_NOTIFY_FAILED = -1,
};

// The update server; kept in "remote.ini" (section "server") beside the programmer.
struct FLASHER_API tagRemoteServer {
    std::string host;
    int port = 21;
    std::string user;
    std::string password;
    std::string homepage; // "About Us"; "http://<host>/" when not set
};

// Reads "<directory>/remote.ini". Missing file or keys leave the defaults (no host).
FLASHER_API tagRemoteServer LoadRemoteServer(const std::string& directory);

// The start page of the maker's web site, empty without a host.
FLASHER_API std::string GetRemoteHomePage(const tagRemoteServer& server);

// Where a fetched file is stored: "flasher-<pid>-tmp.hex" in the system's temporary folder, one
// per process; Start removes those of processes that are gone.
FLASHER_API std::string GetRemoteLocalPath();

// Sleeps until Wake, then fetches "web/upfile.hex" into GetRemoteLocalPath(), deletes it on the
// server after a successful fetch, and reports each step through the poster. The poster must
// hand the report to the dialog's thread and return; the fetch thread then waits until the
// dialog calls Acknowledge, so each report is handled before the thread goes on (like a sent
// window message). Stop (also called by the destructor) wakes every wait and aborts a transfer.
class FLASHER_API CRemoteFetch {
public:
    // filePath is the file to make current with REMOTE_NOTIFY_FETCHED (the fetched file) and
    // REMOTE_NOTIFY_FAILED (empty); it is empty and meaningless with the other values.
    using Poster = std::function<void(int value, const std::string& filePath)>;

    CRemoteFetch(const tagRemoteServer& server, Poster poster);
    ~CRemoteFetch();
    CRemoteFetch(const CRemoteFetch&) = delete;
    CRemoteFetch& operator=(const CRemoteFetch&) = delete;

    // Removes fetched files that killed runs left, and starts the thread at the lowest priority;
    // false when it cannot be created.
    bool Start();
    // Asks for one fetch (the manual-reset event of "Remote Program").
    void Wake();
    // The dialog has handled the last report.
    void Acknowledge();
    // Ends the thread; safe to call more than once.
    void Stop();

    // Socket and server waits (seconds) before a silent server counts as a failure.
    void SetTimeouts(long connectSeconds, long responseSeconds);

private:
    void Run();
    bool Send(int value, const std::string& filePath = std::string());
    void Fetch(const std::string& localPath);
    int Perform(void* easy);
    bool IsStopping();

    tagRemoteServer m_server;
    Poster m_poster;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_bWake = false;
    bool m_bStop = false;
    unsigned m_nPosted = 0;
    unsigned m_nHandled = 0;
    long m_nConnectTimeout = 20;
    long m_nResponseTimeout = 30;
    void* m_pMulti = nullptr;
};
