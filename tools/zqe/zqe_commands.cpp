#include "tools/zqe/zqe_commands.h"

#include "comkit/gbk.h"
#include "comkit/serial_attri.h"
#include "controls/screen_base.h"
#include "editor/image_inspect.h"
#include "editor/project.h"
#include "editor/project_file.h"
#include "editor/project_json.h"
#include "editor/project_render.h"
#include "tools/zqe/zqe_arguments.h"
#include "tools/zqe/zqe_info.h"
#include "tools/zqe/zqe_warnings.h"

#include <cstdlib>
#include <memory>

const char* const ZQE_USAGE =
    "usage: zqe COMMAND ...\n"
    "  new --device NAME --plc NAME OUT.ZQE      a new project with one screen\n"
    "  info FILE.ZQE                             the project as a tree\n"
    "  compile FILE.ZQE -o OUT.vxg               the download image\n"
    "  inspect IMAGE.vxg                         decode and check a download image\n"
    "  render FILE.ZQE [--screen N] [--zoom Z] -o OUT.png\n"
    "                                            a screen as the design view draws it\n"
    "  export FILE.ZQE                           the project's JSON form on standard output\n"
    "  import PROJECT.json -o OUT.ZQE            a project from its JSON form\n";

namespace {

constexpr DWORD MAX_IMAGE_FILE = 1u << 20;
constexpr DWORD MAX_JSON_FILE = 64u << 20;

class CCommand {
public:
    CCommand(const ZQE_ARGUMENTS& args, std::ostream& out, std::ostream& err) : m_args(args), m_out(out), m_err(err) {}

    int Run()
    {
        const std::string& c = m_args.command;
        if (c == "new") return New();
        if (c == "info") return Info();
        if (c == "compile") return Compile();
        if (c == "inspect") return Inspect();
        if (c == "render") return Render();
        if (c == "export") return Export();
        if (c == "import") return Import();
        return Fail("unknown command \"" + c + "\"\n" + ZQE_USAGE);
    }

private:
    int Fail(const std::string& message)
    {
        m_err << "zqe: " << message << (message.empty() || message.back() != '\n' ? "\n" : "");
        return 1;
    }

    // Exactly `count` operands; the first is returned.
    bool Operands(size_t count, std::string& first)
    {
        if (m_args.operands.size() != count) {
            Fail(m_args.command + " takes " + std::to_string(count) + " file name" + (count == 1 ? "" : "s") +
                 "\n" + ZQE_USAGE);
            return false;
        }
        first = m_args.operands[0];
        return true;
    }

    bool Option(const char* name, std::string& value, bool required)
    {
        const auto it = m_args.options.find(name);
        if (it == m_args.options.end()) {
            if (required)
                Fail(m_args.command + " needs " + name + "\n" + ZQE_USAGE);
            return false;
        }
        value = it->second;
        return true;
    }

    bool Gbk(const std::string& utf8, std::string& gbk)
    {
        if (COMMON_EX::Utf8ToGbk(utf8, gbk))
            return true;
        Fail("\"" + utf8 + "\" is not a text the catalogues can hold");
        return false;
    }

    std::unique_ptr<CProject> OpenProject(const std::string& path)
    {
        std::string error;
        std::unique_ptr<CProject> project(CProjectFile::Open(path, error));
        if (!project)
            Fail(path + ": " + error);
        return project;
    }

    int Write(const std::string& path, const std::vector<BYTE>& bytes)
    {
        std::string error;
        if (!CProjectFile::WriteFileAtomically(path, bytes.data(), bytes.size(), error))
            return Fail(error);
        return 0;
    }

    int New()
    {
        std::string path, device, plc, gbkDevice, gbkPLC;
        if (!Operands(1, path) || !Option("--device", device, true) || !Option("--plc", plc, true) ||
            !Gbk(device, gbkDevice) || !Gbk(plc, gbkPLC))
            return 1;
        CProject project;
        COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri serial;
        serial.SetBaudrate(COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri::BAUDRATE_38400);
        if (!project.SetDeviceAndPLC(gbkDevice.c_str(), gbkPLC.c_str(), &serial))
            return Fail("the catalogues have no panel model \"" + device + "\" with the PLC \"" + plc + "\"");
        std::string error;
        if (!CProjectFile::Save(path, project, error))
            return Fail(error);
        return 0;
    }

    bool ExportText(const std::string& path, std::string& json)
    {
        std::vector<BYTE> bytes;
        std::string error;
        if (!CProjectFile::ReadFile(path, CProjectFile::MAX_FILE_SIZE, bytes, error) ||
            !CProjectJson::Export(bytes, json, error)) {
            Fail(path + ": " + error);
            return false;
        }
        return true;
    }

    int Info()
    {
        std::string path, json;
        if (!Operands(1, path) || !ExportText(path, json))
            return 1;
        PrintProjectTree(PROJECT_JSON::Json::parse(json), m_out);
        return 0;
    }

    int Export()
    {
        std::string path, json;
        if (!Operands(1, path) || !ExportText(path, json))
            return 1;
        m_out << json;
        return 0;
    }

    int Import()
    {
        std::string path, output, error;
        if (!Operands(1, path) || !Option("-o", output, true))
            return 1;
        std::vector<BYTE> text, file;
        if (!CProjectFile::ReadFile(path, MAX_JSON_FILE, text, error))
            return Fail(error);
        if (!CProjectJson::Import(std::string(text.begin(), text.end()), file, error))
            return Fail(path + ": " + error);
        return Write(output, file);
    }

    int Compile()
    {
        std::string path, output;
        if (!Operands(1, path) || !Option("-o", output, true))
            return 1;
        std::unique_ptr<CProject> project = OpenProject(path);
        if (!project)
            return 1;
        std::string message;
        if (project->CheckCompile(&message) != CProject::COMPILE_OK)
            return Fail(path + ": " + message);
        for (const std::string& warning : FindCutValues(*project))
            m_err << "zqe: warning: " << warning << "\n";
        std::vector<BYTE> image(project->Compile(nullptr, 0));
        if (project->Compile(image.data(), static_cast<DWORD>(image.size())) != image.size())
            return Fail(path + ": the download image could not be made");
        return Write(output, image);
    }

    int Inspect()
    {
        std::string path, error;
        std::vector<BYTE> image;
        if (!Operands(1, path))
            return 1;
        if (!CProjectFile::ReadFile(path, MAX_IMAGE_FILE, image, error))
            return Fail(error);
        const CImageInspector::REPORT report = CImageInspector::Inspect(image.data(), image.size());
        for (const std::string& line : report.lines)
            m_out << line << "\n";
        for (const std::string& problem : report.problems)
            m_out << "problem: " << problem << "\n";
        if (!report.problems.empty())
            return Fail(path + ": " + std::to_string(report.problems.size()) + " inconsistenc" +
                        (report.problems.size() == 1 ? "y" : "ies"));
        m_out << "consistent\n";
        return 0;
    }

    int Render()
    {
        std::string path, output, screenText = "1", zoomText;
        if (!Operands(1, path) || !Option("-o", output, true))
            return 1;
        Option("--screen", screenText, false);
        const bool zoomGiven = Option("--zoom", zoomText, false);
        char* end = nullptr;
        const long number = std::strtol(screenText.c_str(), &end, 10);
        if (screenText.empty() || *end)
            return Fail("--screen takes a screen number, not \"" + screenText + "\"");
        double zoom = 0;
        if (zoomGiven) {
            zoom = std::strtod(zoomText.c_str(), &end);
            if (zoomText.empty() || *end || !(zoom > 0 && zoom <= 32))
                return Fail("--zoom takes a number above 0 and at most 32, not \"" + zoomText + "\"");
        }
        std::unique_ptr<CProject> project = OpenProject(path);
        if (!project)
            return 1;
        CScreenBase* screen = project->GetScreenByNumber(int(number));
        if (!screen || number > project->GetScreenCount())
            return Fail(path + ": there is no screen " + screenText + " (the project has " +
                        std::to_string(project->GetScreenCount()) + ")");
        std::string error;
        const QImage image = CProjectRender::RenderScreen(screen, zoomGiven ? zoom : screen->GetScreenZoomRate());
        if (!CProjectRender::WritePng(image, output, error))
            return Fail(error);
        return 0;
    }

    const ZQE_ARGUMENTS& m_args;
    std::ostream& m_out;
    std::ostream& m_err;
};

} // namespace

int RunZqe(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        out << ZQE_USAGE;
        return 0;
    }
    std::vector<std::string> options;
    const std::string command = args.empty() ? std::string() : args[0];
    if (command == "new")
        options = {"--device", "--plc"};
    else if (command == "compile" || command == "import")
        options = {"-o"};
    else if (command == "render")
        options = {"-o", "--screen", "--zoom"};
    ZQE_ARGUMENTS parsed;
    std::string error;
    if (!ParseZqeArguments(args, options, parsed, error)) {
        err << "zqe: " << error << "\n" << ZQE_USAGE;
        return 1;
    }
    return CCommand(parsed, out, err).Run();
}
