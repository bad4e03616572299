// The editor's line to an emulator it started (--control): the project comes on standard input,
// then "start"; later lines ask for the window ("raise"), and the end of the input ends the
// emulator, so it never outlives the editor.
//   project <size> <name>\n<size bytes of the .ZQE or .vxg>   (name: UTF-8, for the title)
//   start\n
//   raise\n  (any time after start; other lines are ignored)
// The emulator answers "ready <screens> <table rows>\n" on standard output once its window shows,
// then "link ok\n" or "link lost\n" whenever the line to the PLC starts or stops working.
#pragma once

#include "comkit/types.h"

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QSocketNotifier;

struct CONTROL_REQUEST {
    std::string name;          // the project's name, for the window's title and messages
    std::vector<BYTE> content; // the project or image
};

class CControlChannel : public QObject {
public:
    // Reads from file descriptor fd (standard input: 0).
    explicit CControlChannel(int fd = 0);

    // Blocks until "start"; false with the reason when the input ends first or a line is not one
    // of the request's (a size above 16 MiB is refused before anything is read into memory).
    bool ReadRequest(CONTROL_REQUEST& request, std::string& error);
    // From now on, runs command for every further line (without its line end) and ended once at
    // the end of the input, on this thread, from the event loop.
    void Listen(std::function<void(const std::string&)> command, std::function<void()> ended);

private:
    // Takes what the input holds now; false at its end or on an error.
    bool Fill();
    // The next line from the buffer into line; false when no whole line is there yet.
    bool TakeLine(std::string& line);
    void OnReadable();

    int m_fd;
    std::string m_buffer;
    QSocketNotifier* m_pNotifier = nullptr;
    std::function<void(const std::string&)> m_command;
    std::function<void()> m_ended;
};
