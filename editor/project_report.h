// The project report: a document of the panel for commissioning. Project, panel model, PLC and
// line settings, backlight and function pages; each screen's picture (the editor's own drawing)
// and its controls; the address cross-reference; the check's findings. In the user's language,
// as self-contained HTML (pictures embedded) or as PDF.
#pragma once

#include "editor/editor_api.h"

#include <string>

class CProject;

class EDITOR_API CProjectReport {
public:
    enum FORMAT { FORMAT_UNKNOWN, FORMAT_PDF, FORMAT_HTML };
    // Pixels per panel pixel of the screens' pictures: a 192 x 64 panel is 576 x 192.
    static constexpr double PICTURE_ZOOM = 3;

    // By the name's ending, case ignored: ".pdf", ".html" or ".htm"; FORMAT_UNKNOWN otherwise.
    static FORMAT FormatOf(const std::string& path);
    // The report as one HTML page (UTF-8) with every picture embedded as a PNG data URI; `title`
    // (UTF-8, the project's file name for example) heads it. Needs a Qt GUI application
    // (COM_GUI_EX::CGUI_EX_Global::Start) for the pictures' texts. Changes nothing in the project.
    static std::string Html(CProject& project, const std::string& title);
    // The same report paginated on A4 as PDF bytes.
    static std::string Pdf(CProject& project, const std::string& title);
    // Writes the report in the format `path` ends in, whole or not at all (an existing file stays
    // as it was on failure); false with the reason (UTF-8) for an unknown ending or a write error.
    static bool Write(CProject& project, const std::string& title, const std::string& path, std::string& error);
};
