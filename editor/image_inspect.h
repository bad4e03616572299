// Decodes a download image section by section and checks every length, offset and count
// against the layout, the font table and the symbol tables the editor carries.
#pragma once

#include "editor/editor_api.h"

#include "comkit/types.h"

#include <array>
#include <map>
#include <string>
#include <vector>

class EDITOR_API CImageInspector {
public:
    struct REPORT {
        std::vector<std::string> lines;    // the decoded image, one line each (UTF-8)
        std::vector<std::string> problems; // each inconsistency found
    };

    // The sections of an image as a runtime reads them.
    struct IMAGE {
        WORD backlight = 0;                  // seconds, 0xFFFF = always on
        std::array<BYTE, 4> functionPages{}; // 0 = unused, k = k-th screen
        int screens = 0;
        std::vector<std::array<BYTE, 16>> controls;        // control records in image order
        std::vector<std::array<BYTE, 17>> parameters;      // one per non-static control, same order
        std::vector<std::string> texts;                    // static texts in GBK, text k (1-based) at k - 1
        std::vector<BYTE> functionTable;                   // 832 bytes as in the image
        std::vector<BYTE> lightTable;                      // 128 bytes as in the image
        std::map<WORD, std::array<BYTE, 32>> doubleGlyphs; // by code (lead byte low, trail high)
        std::map<BYTE, std::array<BYTE, 16>> singleGlyphs; // by character code
    };

    static REPORT Inspect(const BYTE* image, size_t size);
    // Fills `image` from the bytes; false when a section cannot be read whole (the report, when
    // given, says why). Inconsistencies that leave every section readable only add problems.
    static bool Decode(const BYTE* bytes, size_t size, IMAGE& image, REPORT* report = nullptr);
    // The decoded image as one JSON object for scripts (UTF-8, indented, ending in a newline; keys
    // in docs/zqe.md): size, header fields, controls, parameters, static texts, glyph counts, the
    // problems in the user's language and "consistent". Sections after one that cannot be read
    // whole are empty; an image shorter than its header has no header fields (null).
    static std::string FormatJson(const BYTE* bytes, size_t size);
};
