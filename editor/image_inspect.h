// Decodes a download image section by section and checks every length, offset and count
// against the layout, the font table and the symbol tables the editor carries.
#pragma once

#include "editor/editor_api.h"

#include "comkit/types.h"

#include <string>
#include <vector>

class EDITOR_API CImageInspector {
public:
    struct REPORT {
        std::vector<std::string> lines;    // the decoded image, one line each (UTF-8)
        std::vector<std::string> problems; // each inconsistency found
    };

    static REPORT Inspect(const BYTE* image, size_t size);
};
