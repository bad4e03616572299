// The project's JSON form (docs/project-json.md): a readable, diffable text of a ".ZQE" file
// that converts back to the very same bytes.
#pragma once

#include "editor/editor_api.h"

#include "comkit/types.h"

#include <string>
#include <vector>

class EDITOR_API CProjectJson {
public:
    // The form of a project file's bytes (UTF-8, indented, ending in a newline). Refused with the
    // reason in `error` when the bytes are no project the editor opens, or hold something the
    // form cannot carry exactly.
    static bool Export(const std::vector<BYTE>& file, std::string& json, std::string& error);
    // The project file a form describes. Refused with the reason (and the place in the form) when
    // the text is no form or describes no project the editor opens.
    static bool Import(const std::string& json, std::vector<BYTE>& file, std::string& error);
};
