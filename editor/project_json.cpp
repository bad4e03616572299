#include "editor/project_json.h"

#include "editor/project.h"
#include "editor/project_file.h"
#include "editor/project_json_form.h"

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

} // namespace

bool CProjectJson::Export(const std::vector<BYTE>& file, std::string& json, std::string& error)
{
    if (!LoadsAsProject(file, error))
        return false;
    return Convert(error, [&] {
        const Json form = DecodeProjectFile(file.data(), static_cast<DWORD>(file.size()));
        const std::vector<BYTE> again = EncodeProjectFile(form);
        if (again != file) {
            size_t at = 0;
            while (at < again.size() && at < file.size() && again[at] == file[at])
                ++at;
            error = "the file holds bytes the JSON form does not carry (first difference at byte " +
                    std::to_string(at) + ")";
            return false;
        }
        json = form.dump(2) + "\n";
        return true;
    });
}

bool CProjectJson::Import(const std::string& json, std::vector<BYTE>& file, std::string& error)
{
    file.clear();
    return Convert(error, [&] {
        std::vector<BYTE> bytes = EncodeProjectFile(Json::parse(json));
        std::string reason;
        if (!LoadsAsProject(bytes, reason)) {
            error = "the form makes no project the editor opens: an attribute group does not fit "
                    "its control's kind, or the panel model or PLC is unknown";
            return false;
        }
        file = std::move(bytes);
        return true;
    });
}
