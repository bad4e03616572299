#include "flasher/remote_fetch.h"

#include "flasher/ini_file.h"

#include "comkit/replace_file.h"

#include <curl/curl.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const char REMOTE_DIRECTORY[] = "web";
const char REMOTE_FILE[] = "upfile.hex";
// The fetched file is "flasher-<pid>-tmp.hex": a run killed before deleting it leaves a name the
// next run recognises as a leftover of a process that is gone.
const char LOCAL_FILE_PREFIX[] = "flasher-";
const char LOCAL_FILE_SUFFIX[] = "-tmp.hex";

std::string TemporaryFolder()
{
    std::error_code error;
    std::filesystem::path directory = std::filesystem::temp_directory_path(error);
    if (error)
        directory = "/tmp";
    return directory.string();
}

size_t WriteToFile(char* data, size_t size, size_t count, void* file)
{
    return std::fwrite(data, size, count, static_cast<std::FILE*>(file)) * size;
}

// A fresh file that cannot be a link planted in the shared temporary folder.
std::FILE* CreateLocalFile(const std::string& path)
{
    ::unlink(path.c_str());
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return nullptr;
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file)
        ::close(fd);
    return file;
}

} // namespace

tagRemoteServer LoadRemoteServer(const std::string& directory)
{
    tagRemoteServer server;
    CIniFile ini;
    ini.SetPath(directory, "remote");
    if (!ini.OpenForRead())
        return server;
    ini.GetString("server", "host", server.host);
    ini.GetInt("server", "port", server.port);
    ini.GetString("server", "user", server.user);
    ini.GetString("server", "password", server.password);
    ini.GetString("server", "homepage", server.homepage);
    if (server.port <= 0 || server.port > 65535)
        server.port = 21;
    return server;
}

std::string GetRemoteHomePage(const tagRemoteServer& server)
{
    if (!server.homepage.empty())
        return server.homepage;
    if (server.host.empty())
        return std::string();
    return "http://" + server.host + "/";
}

std::string GetRemoteLocalPath()
{
    return (std::filesystem::path(TemporaryFolder()) /
            (LOCAL_FILE_PREFIX + std::to_string(::getpid()) + LOCAL_FILE_SUFFIX))
        .string();
}

CRemoteFetch::CRemoteFetch(const tagRemoteServer& server, Poster poster) : m_server(server), m_poster(std::move(poster))
{
    curl_global_init(CURL_GLOBAL_DEFAULT);
    m_pMulti = curl_multi_init();
}

CRemoteFetch::~CRemoteFetch()
{
    Stop();
    if (m_pMulti)
        curl_multi_cleanup(static_cast<CURLM*>(m_pMulti));
    curl_global_cleanup();
}

bool CRemoteFetch::Start()
{
    if (m_thread.joinable() || !m_pMulti)
        return m_thread.joinable();
    COMMON_EX::RemoveStaleProcessFiles(TemporaryFolder(), LOCAL_FILE_PREFIX, LOCAL_FILE_SUFFIX);
    try {
        m_thread = std::thread(&CRemoteFetch::Run, this);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CRemoteFetch::Wake()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bWake = true;
    m_cv.notify_all();
}

void CRemoteFetch::Acknowledge()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nHandled = m_nPosted;
    m_cv.notify_all();
}

void CRemoteFetch::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
        m_cv.notify_all();
    }
    if (m_pMulti)
        curl_multi_wakeup(static_cast<CURLM*>(m_pMulti));
    if (m_thread.joinable())
        m_thread.join();
}

void CRemoteFetch::SetTimeouts(long connectSeconds, long responseSeconds)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nConnectTimeout = connectSeconds;
    m_nResponseTimeout = responseSeconds;
}

bool CRemoteFetch::IsStopping()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bStop;
}

void CRemoteFetch::Run()
{
    // The fetch only ever waits on the network: let everything else go first.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
    const std::string localPath = GetRemoteLocalPath();
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_cv.wait(lock, [this] { return m_bWake || m_bStop; });
            if (m_bStop)
                return;
            m_bWake = false;
        }
        if (Send(REMOTE_NOTIFY_CONNECTING))
            Fetch(localPath);
    }
}

bool CRemoteFetch::Send(int value, const std::string& filePath)
{
    unsigned ticket;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_bStop)
            return false;
        ticket = ++m_nPosted;
    }
    m_poster(value, filePath);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cv.wait(lock, [this, ticket] { return m_nHandled >= ticket || m_bStop; });
    return !m_bStop;
}

int CRemoteFetch::Perform(void* handle)
{
    CURL* easy = static_cast<CURL*>(handle);
    CURLM* multi = static_cast<CURLM*>(m_pMulti);
    if (curl_multi_add_handle(multi, easy) != CURLM_OK)
        return CURLE_FAILED_INIT;
    int result = CURLE_ABORTED_BY_CALLBACK;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0) {
            int left = 0;
            while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
                if (message->msg == CURLMSG_DONE && message->easy_handle == easy)
                    result = message->data.result;
            }
            break;
        }
        if (IsStopping())
            break;
        curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
    }
    curl_multi_remove_handle(multi, easy);
    return result;
}

void CRemoteFetch::Fetch(const std::string& localPath)
{
    CURL* easy = m_server.host.empty() ? nullptr : curl_easy_init();
    if (!easy) {
        Send(REMOTE_NOTIFY_FAILED);
        return;
    }

    long connectTimeout, responseTimeout;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        connectTimeout = m_nConnectTimeout;
        responseTimeout = m_nResponseTimeout;
    }
    const std::string base =
        "ftp://" + m_server.host + ":" + std::to_string(m_server.port) + "/" + REMOTE_DIRECTORY + "/";
    curl_easy_setopt(easy, CURLOPT_USERNAME, m_server.user.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, m_server.password.c_str());
    curl_easy_setopt(easy, CURLOPT_FTPPORT, "-"); // active mode, as the server expects
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, connectTimeout);
    curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, responseTimeout);
    curl_easy_setopt(easy, CURLOPT_ACCEPTTIMEOUT_MS, responseTimeout * 1000);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, responseTimeout);

    // Log in and change to the server's directory first, so the dialog can tell the two apart.
    curl_easy_setopt(easy, CURLOPT_URL, base.c_str());
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    bool ok = Perform(easy) == CURLE_OK;
    if (ok && !Send(REMOTE_NOTIFY_DOWNLOADING)) {
        curl_easy_cleanup(easy);
        return;
    }

    std::FILE* file = ok ? CreateLocalFile(localPath) : nullptr;
    struct curl_slist* afterwards = nullptr;
    if (file) {
        const std::string url = base + REMOTE_FILE;
        // "*": a file that cannot be deleted does not undo the fetch.
        afterwards = curl_slist_append(nullptr, (std::string("*DELE ") + REMOTE_FILE).c_str());
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_NOBODY, 0L);
        curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, 0L);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &WriteToFile);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, file);
        curl_easy_setopt(easy, CURLOPT_POSTQUOTE, afterwards);
        ok = Perform(easy) == CURLE_OK;
        ok = std::fclose(file) == 0 && ok;
        if (!ok)
            ::unlink(localPath.c_str());
    } else {
        ok = false;
    }
    curl_easy_cleanup(easy);
    curl_slist_free_all(afterwards);

    if (!ok)
        Send(REMOTE_NOTIFY_FAILED);
    else if (Send(REMOTE_NOTIFY_FETCHED, localPath))
        Send(REMOTE_NOTIFY_DONE);
}
