// The headless runner's script: key presses, waits, snapshots and expectations, one a line.
//   press KEY | release KEY | key KEY     a key down, up, or both (KEY: F1, UP, SET, ENT, ...)
//   wait MS                               run the panel for MS milliseconds
//   poll                                  one poll cycle now
//   snapshot FILE.png                     the display as a PNG file (one file pixel per panel pixel),
//                                         written atomically; never onto the image or the script run,
//                                         nor onto anything but a regular file
//   expect CONDITION                      fails the run unless CONDITION holds now
//   wait-for MS CONDITION                 runs the panel until CONDITION holds, failing after MS
// Conditions: screen N | link lost|ok | dimmed yes|no | editing yes|no |
//   register STATION ADDRESS VALUE (the value last read or written) |
//   coil STATION ADDRESS 0|1 | message TEXT (part of the last message) |
//   text X Y TEXT (the display shows TEXT, drawn with the image's glyphs, at X,Y; TEXT is the rest
//   of the line, UTF-8, with optional double quotes) | inverted-text X Y TEXT (the same, light on dark).
// Blank lines and lines starting with '#' are skipped.
#pragma once

#include <ostream>
#include <string>
#include <vector>

class CPanelSession;

class CHeadlessScript {
public:
    // Reads the script; false with "FILE:LINE: reason" for the first line it does not understand.
    bool Parse(const std::string& text, const std::string& origin, std::string& error);
    // Runs every line in order and stops at the first failed expectation or snapshot; each step
    // is reported on `log`. Returns 0 when all held, 1 otherwise (the reason on `err`). Before
    // anything runs, every snapshot's file is checked: one that is the session's image, the
    // script itself (by the name Parse was given), a folder, a device or a FIFO stops the run
    // with 1 and nothing written.
    int Run(CPanelSession& session, std::ostream& log, std::ostream& err) const;

    struct LINE {
        int number = 0;
        std::vector<std::string> words; // the command and its arguments
        std::string rest;               // text after the third word (for "text")
    };

private:
    std::vector<LINE> m_lines;
    std::string m_strOrigin;
};
