// libFuzzer target: project files (.ZQE) as the editor and zqe open them. A file that opens must
// save, describe itself as JSON, compile and draw its first screen without fault, and a saved
// file must open again to the same bytes.
#include "controls/screen_base.h"
#include "editor/project.h"
#include "editor/project_file.h"
#include "editor/project_json.h"
#include "editor/project_render.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<BYTE> bytes(data, data + size);
    std::string error, json;
    std::unique_ptr<CProject> project(CProjectFile::OpenBytes(bytes, error));
    CProjectJson::Describe(bytes, json, error);
    if (CProjectJson::Export(bytes, json, error)) {
        std::vector<BYTE> again;
        if (!CProjectJson::Import(json, again, error) || again != bytes)
            std::abort(); // the exact form must give the very bytes back
    }
    if (!project)
        return 0;
    std::vector<BYTE> saved;
    if (!CProjectFile::SaveBytes(*project, saved, error))
        std::abort();
    std::unique_ptr<CProject> reopened(CProjectFile::OpenBytes(saved, error));
    std::vector<BYTE> resaved;
    if (!reopened || !CProjectFile::SaveBytes(*reopened, resaved, error) || resaved != saved)
        std::abort();
    std::string message;
    if (project->CheckCompile(&message) == CProject::COMPILE_OK) {
        std::vector<BYTE> image(project->Compile(nullptr, 0));
        project->Compile(image.data(), static_cast<DWORD>(image.size()));
    }
    CProjectRender::RenderScreen(project->GetScreenByNumber(1), 1.0);
    return 0;
}
