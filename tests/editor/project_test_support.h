// Projects for the project, compile and JSON tests, built on the shipped catalogues.
#pragma once

#include "comkit/gbk.h"
#include "controls/control_base.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"
#include "devices/plc_collection.h"
#include "editor/project.h"
#include "editor/project_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace PROJECT_TEST {

using Bytes = std::vector<BYTE>;

inline std::string Gbk(const char* utf8)
{
    std::string gbk;
    EXPECT_TRUE(COMMON_EX::Utf8ToGbk(utf8, gbk)) << utf8;
    return gbk;
}

// A new project on `device` with the free PLC and default serial settings: one empty screen.
inline std::unique_ptr<CProject> NewProject(const char* device = "QMX200")
{
    std::unique_ptr<CProject> project(new CProject);
    const char* plc = CPLCCollection::GetInstance()->ConvertPLCIDToPLCName(100);
    EXPECT_NE(plc, nullptr) << "the shipped PLC catalogue lies beside the test";
    EXPECT_EQ(project->SetDeviceAndPLC(device, plc ? plc : "", nullptr), 1);
    return project;
}

// Adds a control of `type` to the screen, deselected, as the editor's insert command leaves it
// once the next control is placed.
inline CControlBase* Add(CScreenBase* screen, unsigned type)
{
    CControlBase* control = screen->AddControl(type);
    EXPECT_NE(control, nullptr);
    screen->SetControlsAllNotSelected(nullptr);
    return control;
}

inline CControlStaticText* AddText(CScreenBase* screen, const char* utf8)
{
    auto* text = static_cast<CControlStaticText*>(Add(screen, CControlBase::CONTROL_STATIC_TEXT));
    text->SetText(Gbk(utf8).c_str());
    return text;
}

inline Bytes SaveBytes(CProject& project)
{
    Bytes bytes;
    std::string error;
    EXPECT_TRUE(CProjectFile::SaveBytes(project, bytes, error)) << error;
    return bytes;
}

inline Bytes CompileBytes(CProject& project)
{
    const DWORD size = project.Compile(nullptr, 0);
    Bytes image(size, 0xCD);
    EXPECT_EQ(project.Compile(image.data(), size), size) << "sizing equals writing";
    return image;
}

inline WORD BE16(const Bytes& bytes, size_t at)
{
    return static_cast<WORD>(bytes.at(at) << 8 | bytes.at(at + 1));
}

} // namespace PROJECT_TEST
