// libFuzzer target: the project's JSON form as zqe import reads it. A form that imports must make
// a file that opens, and that file's exact form must import to the same bytes again.
#include "editor/project.h"
#include "editor/project_file.h"
#include "editor/project_json.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<BYTE> file;
    std::string error;
    std::vector<std::string> warnings;
    if (!CProjectJson::Import(text, file, error, warnings))
        return 0;
    std::unique_ptr<CProject> project(CProjectFile::OpenBytes(file, error));
    if (!project)
        std::abort(); // an imported file always opens
    std::string json;
    if (CProjectJson::Export(file, json, error)) {
        std::vector<BYTE> again;
        if (!CProjectJson::Import(json, again, error) || again != file)
            std::abort();
    }
    return 0;
}
