// Where the simulator writes its flash when it ends, checked when it starts.
#pragma once

#include <string>
#include <vector>

class CFlashOutput {
public:
    CFlashOutput() = default;
    ~CFlashOutput();
    CFlashOutput(const CFlashOutput&) = delete;
    CFlashOutput& operator=(const CFlashOutput&) = delete;

    // Checks path before any panel runs, by the suite's output rule (COMMON_EX::CheckOutput): "-"
    // and the descriptor names ("/dev/stdout", "/dev/fd/N") are written where they lead; a FIFO,
    // terminal or /dev/null is opened at once and streamed into (a FIFO no program reads is
    // refused, never waited for); a new name in a writable folder or a writable regular file is
    // replaced whole at the end. Refuses folders, other devices (such as /dev/full), sockets and
    // read-only files or folders, with error naming the file and the reason. An empty path asks
    // for nothing and is accepted.
    bool Open(const std::string& path, std::string& error);
    // True when the flash goes to standard output (the simulator's own lines then go to standard
    // error).
    bool IsStandardOutput() const { return m_bStandardOutput; }
    // Writes the flash; false with error when any byte could not be written (the regular file is
    // then left as it was).
    bool Write(const std::vector<unsigned char>& flash, std::string& error);

private:
    std::string m_strPath;
    int m_fd = -1; // the stream opened by Open (a duplicate for a descriptor); -1 otherwise
    bool m_bStandardOutput = false;
};
