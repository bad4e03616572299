// Writes the default "MD_DLL.DFT" to the path given, unless a file is already there.
#include "vexorisp/comm_settings.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    if (std::ifstream(argv[1]).good())
        return 0;
    if (!WriteCommSettingsFile(argv[1], FormatCommSettings(GetDefaultCommSettings()))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
