// pixtables: turns a text source of 16 x 16 symbol images into the panel's binary image table.
#include "generators/pixtables/pixel_table_source.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 4 || (std::strcmp(argv[1], "lamps") != 0 && std::strcmp(argv[1], "keys") != 0)) {
        std::fprintf(stderr, "usage: pixtables lamps|keys SOURCE.txt TABLE.bin\n");
        return 1;
    }
    const PIXTABLES::TABLE_LAYOUT& layout =
        std::strcmp(argv[1], "lamps") == 0 ? PIXTABLES::LAMP_TABLE : PIXTABLES::FUNCTION_KEY_TABLE;

    std::ifstream in(argv[2], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "pixtables: cannot read %s\n", argv[2]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();

    PIXTABLES::PIXEL_TABLE table;
    std::string error;
    if (!PIXTABLES::CPixelTableSource::Parse(text.str(), layout, table, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
        return 1;
    }
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(table.bytes.data()), static_cast<std::streamsize>(table.bytes.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "pixtables: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
