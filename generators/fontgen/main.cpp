// fontgen: writes the editor's panel font table from the 12-pixel WenQuanYi bitmap font.
#include "generators/fontgen/font_table_builder.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: fontgen [--font FONT] OUTPUT\n"
                 "  FONT defaults to %s\n",
                 FONTGEN::DEFAULT_FONT_PATH);
    return 1;
}

// Writes beside the target and renames over it, so a failed run leaves the old table intact.
bool WriteWhole(const std::string& path, const std::vector<BYTE>& data)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        if (!out.flush()) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec)
        std::filesystem::remove(temporary, ec);
    return !ec;
}

} // namespace

int main(int argc, char** argv)
{
    std::string fontPath = FONTGEN::DEFAULT_FONT_PATH;
    std::string outputPath;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--font") == 0 && i + 1 < argc)
            fontPath = argv[++i];
        else if (argv[i][0] == '-' || !outputPath.empty())
            return Usage();
        else
            outputPath = argv[i];
    }
    if (outputPath.empty())
        return Usage();

    std::vector<BYTE> table;
    FONTGEN::BUILD_REPORT report;
    std::string error;
    if (!FONTGEN::CFontTableBuilder::Build(fontPath, table, report, error)) {
        std::fprintf(stderr, "fontgen: %s\n", error.c_str());
        return 1;
    }
    if (!WriteWhole(outputPath, table)) {
        std::fprintf(stderr, "fontgen: cannot write %s\n", outputPath.c_str());
        return 1;
    }
    std::printf("%s: %d single-byte and %d double-byte glyphs; %d cells without a GBK character, "
                "%d characters without a glyph, %d glyphs narrowed, %d cut\n",
                outputPath.c_str(), report.singleByteGlyphs, report.doubleByteGlyphs, report.unmappedCells,
                report.missingGlyphs, report.narrowedGlyphs, report.cutGlyphs);
    return 0;
}
