#include "editor/project_json.h"

#include "editor/project.h"
#include "editor/project_file.h"
#include "editor/project_json_form.h"
#include "editor/project_json_names.h"

#include <algorithm>
#include <memory>

using namespace PROJECT_JSON;

namespace {

bool LoadsAsProject(const std::vector<BYTE>& file, std::string& error)
{
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(file, error);
    return project != nullptr;
}

// Runs a conversion; a refusal thrown inside it becomes the error text.
template <typename Work>
bool Convert(std::string& error, Work work)
{
    try {
        return work();
    } catch (const FORM_ERROR& e) {
        error = e.message;
    } catch (const nlohmann::json::exception& e) {
        error = e.what();
    }
    return false;
}

// The deepest nesting of arrays and objects in a JSON text, counted without parsing it (brackets
// inside strings do not count); stops counting once beyond `limit`.
size_t NestingDepth(const std::string& json, size_t limit)
{
    size_t depth = 0, deepest = 0;
    bool inString = false;
    for (size_t i = 0; i < json.size() && deepest <= limit; ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

} // namespace

bool CProjectJson::Export(const std::vector<BYTE>& file, std::string& json, std::string& error)
{
    return Decode(file, true, false, json, error);
}

bool CProjectJson::ExportAscii(const std::vector<BYTE>& file, std::string& json, std::string& error)
{
    return Decode(file, true, true, json, error);
}

bool CProjectJson::Describe(const std::vector<BYTE>& file, std::string& json, std::string& error)
{
    return Decode(file, false, false, json, error);
}

bool CProjectJson::Decode(const std::vector<BYTE>& file, bool exact, bool ascii, std::string& json, std::string& error)
{
    if (!LoadsAsProject(file, error))
        return false;
    return Convert(error, [&] {
        const Json stored = DecodeProjectFile(file.data(), static_cast<DWORD>(file.size()));
        const Json form = ascii ? WithAsciiNames(stored) : stored;
        const std::vector<BYTE> again = exact ? EncodeProjectFile(form) : file;
        if (again != file) {
            size_t at = 0;
            while (at < again.size() && at < file.size() && again[at] == file[at])
                ++at;
            error = Say(
                QT_TRANSLATE_NOOP("ProjectJson",
                                  "the file holds bytes the JSON form does not carry (first difference at byte %1)"),
                {std::to_string(at)});
            return false;
        }
        json = form.dump(2) + "\n";
        return true;
    });
}

bool CProjectJson::Import(const std::string& json, std::vector<BYTE>& file, std::string& error)
{
    std::vector<std::string> warnings;
    return Import(json, file, error, warnings);
}

bool CProjectJson::Import(const std::string& json, std::vector<BYTE>& file, std::string& error,
                          std::vector<std::string>& warnings)
{
    file.clear();
    warnings.clear();
    // The parser recurses once per level: a deeper text is refused before it is parsed.
    if (NestingDepth(json, MAX_NESTING) > MAX_NESTING) {
        error = Say(QT_TRANSLATE_NOOP(
                        "ProjectJson",
                        "the text nests arrays and objects more than %1 levels deep; a project form needs far fewer"),
                    {std::to_string(MAX_NESTING)});
        return false;
    }
    return Convert(error, [&] {
        std::vector<BYTE> bytes = EncodeProjectFile(Json::parse(json), &warnings);
        if (bytes.size() > CProjectFile::MAX_FILE_SIZE) {
            error = Say(QT_TRANSLATE_NOOP(
                            "ProjectJson",
                            "the project would take %1 bytes; the editor opens project files of at most %2 bytes"),
                        {std::to_string(bytes.size()), std::to_string(CProjectFile::MAX_FILE_SIZE)});
            return false;
        }
        std::string reason;
        if (!LoadsAsProject(bytes, reason)) {
            error = Say(QT_TRANSLATE_NOOP("ProjectJson",
                                          "the form makes no project the editor opens: an attribute group "
                                          "does not fit its control's kind, or the panel model or PLC is unknown"));
            return false;
        }
        file = std::move(bytes);
        return true;
    });
}
