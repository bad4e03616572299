#include "editor/project_file.h"

#include "comkit/message_text.h"
#include "comkit/whole_file.h"
#include "editor/editor_strings.h"
#include "editor/project.h"

#include <cctype>
#include <memory>

namespace {

const char* const ZQE_EXTENSION = ".ZQE";

std::string DamagedText()
{
    return COMMON_EX::Tr("EditorStrings", CEditorStrings::Get(CEditorStrings::IDS_PROJECT_DAMAGED));
}

} // namespace

std::unique_ptr<CProject> CProjectFile::Open(const std::string& path, std::string& error)
{
    std::vector<BYTE> bytes;
    if (!COMMON_EX::ReadWholeFile(path, MAX_FILE_SIZE, bytes, error))
        return nullptr;
    return OpenBytes(bytes, error);
}

std::unique_ptr<CProject> CProjectFile::OpenBytes(const std::vector<BYTE>& bytes, std::string& error)
{
    const DWORD size = static_cast<DWORD>(bytes.size());
    if (bytes.size() > MAX_FILE_SIZE || !CProject::CheckSignature(bytes.data(), size)) {
        error = DamagedText();
        return nullptr;
    }
    std::vector<BYTE> data(bytes); // Load takes a writable buffer
    auto project = std::make_unique<CProject>();
    if (project->Load(data.data(), size) != size) {
        error = DamagedText();
        return nullptr;
    }
    return project;
}

bool CProjectFile::Save(const std::string& path, CProject& project, std::string& error)
{
    std::vector<BYTE> bytes;
    return SaveBytes(project, bytes, error) && COMMON_EX::ReplaceWholeFile(path, bytes.data(), bytes.size(), error);
}

bool CProjectFile::SaveBytes(CProject& project, std::vector<BYTE>& bytes, std::string& error)
{
    const DWORD size = project.Save(nullptr, 0);
    bytes.assign(size, 0);
    if (size == 0 || project.Save(bytes.data(), size) != size) {
        bytes.clear();
        error =
            COMMON_EX::Tr("Project", QT_TRANSLATE_NOOP("Project", "the project has no complete panel model to save"));
        return false;
    }
    return true;
}

std::string CProjectFile::ProposeSaveName(const std::string& title)
{
    const size_t dot = title.rfind('.');
    return (dot == std::string::npos ? title : title.substr(0, dot)) + ZQE_EXTENSION;
}

std::string CProjectFile::NormalizeSavePath(const std::string& chosen)
{
    std::string path = chosen;
    while (!path.empty() && std::isspace(static_cast<unsigned char>(path.back())))
        path.pop_back();
    std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    for (char& c : tail)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (tail != ZQE_EXTENSION)
        path += ZQE_EXTENSION;
    return path;
}
