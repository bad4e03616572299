// The project's JSON form (docs/project-json.md): a readable, diffable text of a ".ZQE" file
// that converts back to the very same bytes.
#pragma once

#include "editor/editor_api.h"

#include "comkit/types.h"

#include <string>
#include <vector>

class EDITOR_API CProjectJson {
public:
    // Deepest nesting of arrays and objects Import accepts (the form itself needs about 8).
    static constexpr size_t MAX_NESTING = 64;

    // The form of a project file's bytes (UTF-8, indented, ending in a newline). Refused with the
    // reason in `error` when the bytes are no project the editor opens, or hold something the
    // form cannot carry exactly.
    static bool Export(const std::vector<BYTE>& file, std::string& json, std::string& error);
    // The same form with every group, attribute and enumeration item that has an ASCII alias
    // written by it (docs/project-json.md); Import reads it back to the very same bytes, which
    // is checked as for Export: a file whose own texts would read back as aliases is refused.
    static bool ExportAscii(const std::vector<BYTE>& file, std::string& json, std::string& error);
    // The same form for reading only: also of a file the form cannot carry exactly (a text or
    // number written in a way the form normalises), which Export refuses.
    static bool Describe(const std::vector<BYTE>& file, std::string& json, std::string& error);
    // The project file a form describes. Refused with the reason (and the place in the form) when
    // the text is no form, nests deeper than MAX_NESTING, describes a file above the editor's
    // size limit, or describes no project the editor opens.
    static bool Import(const std::string& json, std::vector<BYTE>& file, std::string& error);
    // The same, giving in `warnings` what the form has that the editor would not refuse but a
    // designer rarely means (controls that overlap), one text each.
    static bool Import(const std::string& json, std::vector<BYTE>& file, std::string& error,
                       std::vector<std::string>& warnings);

private:
    // Export (exact: the form must give the very bytes back) and Describe.
    // With `ascii`, the form is written with the aliases.
    static bool Decode(const std::vector<BYTE>& file, bool exact, bool ascii, std::string& json, std::string& error);
};
