// Conversions between project files and their JSON form for the JSON tests, each checked.
#pragma once

#include "project_test_support.h"

#include "editor/project_json.h"

#include <fstream>
#include <iterator>

namespace PROJECT_TEST {

// The form of a file that Export must accept.
inline std::string ExportOf(const Bytes& file)
{
    std::string json, error;
    EXPECT_TRUE(CProjectJson::Export(file, json, error)) << error;
    return json;
}

// The file of a form that Import must accept.
inline Bytes ImportOf(const std::string& json)
{
    Bytes file;
    std::string error;
    EXPECT_TRUE(CProjectJson::Import(json, file, error)) << error;
    return file;
}

// The refusal of a form that Import must refuse, leaving no file.
inline std::string ImportError(const std::string& json)
{
    Bytes file;
    std::string error;
    EXPECT_FALSE(CProjectJson::Import(json, file, error)) << json;
    EXPECT_TRUE(file.empty());
    return error;
}

// A file of the source tree, empty when it cannot be read.
inline std::string ReadSource(const char* relative)
{
    std::ifstream in(std::string(ZQ_SOURCE_DIR) + "/" + relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The demo project of examples/demo.json, opened; null (and a failure) when it does not build.
inline std::unique_ptr<CProject> DemoProject()
{
    std::string error;
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(ImportOf(ReadSource("examples/demo.json")), error);
    EXPECT_NE(project, nullptr) << error;
    return project;
}

} // namespace PROJECT_TEST
