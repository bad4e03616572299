#include "tools/zqe/zqe_commands.h"

#include "appkit/tool_cli.h"
#include "comkit/gbk.h"
#include "comkit/serial_attri.h"
#include "comkit/whole_file.h"
#include "controls/screen_base.h"
#include "devices/catalogue_limits.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"
#include "editor/address_xref.h"
#include "editor/image_inspect.h"
#include "editor/project.h"
#include "editor/project_check.h"
#include "editor/project_file.h"
#include "editor/project_json.h"
#include "editor/project_json_names.h"
#include "editor/project_render.h"
#include "editor/project_report.h"
#include "tools/zqe/zqe_arguments.h"
#include "tools/zqe/zqe_info.h"
#include "tools/zqe/zqe_short_form.h"
#include "tools/zqe/zqe_warnings.h"

#include <QBuffer>
#include <QImageWriter>

#include <climits>
#include <iostream>
#include <iterator>
#include <memory>

#include <unistd.h>

namespace {

constexpr DWORD MAX_IMAGE_FILE = 1u << 20;
constexpr DWORD MAX_JSON_FILE = 64u << 20;
// The largest side of a rendered image: 16 times the largest panel, far beyond any real one.
constexpr long long MAX_RENDER_SIDE = 16384;
// zqe check: warnings under --strict, and errors (or a project that cannot be read).
constexpr int EXIT_CHECK_WARNINGS = 1;
constexpr int EXIT_CHECK_ERRORS = 3;

using ZQ_CLI::EXIT_DONE;
using ZQ_CLI::EXIT_FAILED;
using ZQ_CLI::EXIT_USAGE;
using ZQ_CLI::Tr;
using ZQ_CLI::TrArgs;

class CCommand {
public:
    CCommand(const ZQE_ARGUMENTS& args, std::istream& in, std::ostream& out, std::ostream& err)
        : m_args(args), m_in(in), m_out(out), m_err(err)
    {
    }

    int Run()
    {
        const std::string& c = m_args.command;
        const int status = c == "new"       ? New()
                           : c == "info"    ? Info()
                           : c == "compile" ? Compile()
                           : c == "inspect" ? Inspect()
                           : c == "render"  ? Render()
                           : c == "export"  ? Export()
                           : c == "check"   ? Check()
                           : c == "xref"    ? Xref()
                           : c == "report"  ? Report()
                                            : Import();
        // Damaged catalogue numbers were held to their limits while the command ran.
        for (const std::string& warning : CATALOGUE_LIMITS::TakeWarnings())
            Warn(warning);
        return status;
    }

private:
    // "zqe: warning: message" on standard error.
    void Warn(const std::string& message)
    {
        m_err << ZQ_CLI::ProgramName() << ": " << TrArgs(QT_TRANSLATE_NOOP("zqe", "warning: %1"), {message}) << "\n";
    }

    // "zqe: message" on standard error; a wrong command line (EXIT_USAGE) adds the hint to --help.
    int Fail(const std::string& message, int status = EXIT_FAILED)
    {
        if (status == EXIT_USAGE)
            return ZqeUsageError(m_err, message, m_args.command);
        m_err << ZQ_CLI::ProgramName() << ": " << message << (message.empty() || message.back() != '\n' ? "\n" : "");
        return status;
    }

    const std::string& Operand() const { return m_args.operands[0]; }

    bool Has(const char* option) const { return m_args.options.count(option) != 0; }

    std::string Option(const char* option, const std::string& fallback = std::string()) const
    {
        const auto it = m_args.options.find(option);
        return it == m_args.options.end() ? fallback : it->second;
    }

    // The whole input: standard input for "-", else a regular file of at most maxSize bytes.
    bool ReadInput(const std::string& path, DWORD maxSize, std::vector<BYTE>& bytes)
    {
        std::string error;
        if (path == "-") {
            bytes.clear();
            char chunk[65536];
            while (m_in.read(chunk, sizeof chunk) || m_in.gcount() > 0) {
                bytes.insert(bytes.end(), chunk, chunk + m_in.gcount());
                if (bytes.size() > maxSize) {
                    Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "standard input: larger than %1 bytes"),
                                {std::to_string(maxSize)}));
                    return false;
                }
            }
            return true;
        }
        if (!ZQ_CLI::CheckInputFile(path, error) || !COMMON_EX::ReadWholeFile(path, maxSize, bytes, error)) {
            Fail(error);
            return false;
        }
        return true;
    }

    // Checked before any work: the output may be written, and is none of the inputs (new has
    // no input: its operand is the output).
    bool CheckOutput(const std::string& output)
    {
        std::string error;
        if (!ZQ_CLI::CheckOutputFile(output, error)) {
            Fail(error);
            return false;
        }
        if (m_args.command != "new" && ZQ_CLI::IsSameFile(Operand(), output)) {
            Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "will not write '%1': it is the input %2 itself"),
                        {output, Operand()}));
            return false;
        }
        return true;
    }

    int Write(const std::string& path, const void* data, size_t size)
    {
        if (path == "-") {
            m_out.write(static_cast<const char*>(data), std::streamsize(size));
            m_out.flush();
            return m_out ? EXIT_DONE : Fail(Tr(QT_TRANSLATE_NOOP("zqe", "cannot write standard output")));
        }
        // A pipe, terminal or descriptor name is written into, after what went to standard output.
        m_out.flush();
        std::string error;
        if (!COMMON_EX::WriteWholeFile(path, data, size, error))
            return Fail(error);
        return EXIT_DONE;
    }

    // The project of the operand, or null after the error was given; says so when it is an image.
    std::unique_ptr<CProject> OpenProject(std::vector<BYTE>* bytesOut = nullptr)
    {
        std::vector<BYTE> bytes;
        if (!ReadInput(Operand(), CProjectFile::MAX_FILE_SIZE, bytes) || !IsProject(bytes))
            return nullptr;
        std::string error;
        std::unique_ptr<CProject> project(CProjectFile::OpenBytes(bytes, error));
        if (!project)
            Fail(Operand() + ": " + error);
        if (bytesOut)
            *bytesOut = std::move(bytes);
        return project;
    }

    // False (error given) for bytes without a project's header; a download image is named as one.
    bool IsProject(const std::vector<BYTE>& bytes)
    {
        if (CProject::CheckSignature(bytes.data(), static_cast<DWORD>(bytes.size())))
            return true;
        if (bytes.size() <= MAX_IMAGE_FILE && CImageInspector::Inspect(bytes.data(), bytes.size()).problems.empty())
            Fail(TrArgs(QT_TRANSLATE_NOOP("zqe",
                                          "%1: this is a download image, not a project (zqe inspect reads images)"),
                        {Operand()}));
        else {
            std::string error;
            CProjectFile::OpenBytes(bytes, error);
            Fail(Operand() + ": " + error);
        }
        return false;
    }

    bool Gbk(const std::string& utf8, std::string& gbk)
    {
        if (COMMON_EX::Utf8ToGbk(utf8, gbk))
            return true;
        Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "\"%1\" is not a text the catalogues can hold"), {utf8}));
        return false;
    }

    int New()
    {
        const std::string& path = Operand();
        std::string gbkDevice, gbkPLC;
        if (!Gbk(Option("--device"), gbkDevice) || !Gbk(Option("--plc"), gbkPLC))
            return EXIT_FAILED;
        if (!Has("--force") && path != "-" && ::access(path.c_str(), F_OK) == 0)
            return Fail(
                TrArgs(QT_TRANSLATE_NOOP("zqe", "will not replace '%1': it exists (--force replaces it)"), {path}));
        if (!CheckOutput(path))
            return EXIT_FAILED;
        CDeviceCollection& devices = *CDeviceCollection::GetInstance();
        CPLCCollection& plcs = *CPLCCollection::GetInstance();
        const char* model = devices.NameOf(gbkDevice.c_str());
        const char* plc = plcs.NameOf(gbkPLC.c_str());
        if (!model)
            return Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "the catalogue has no panel model \"%1\"; it has %2"),
                               {Option("--device"), COMMON_EX::GbkToUtf8Lossy(devices.ListRows().c_str())}));
        if (!plc)
            return Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "the catalogue has no PLC protocol \"%1\"; it has %2"),
                               {Option("--plc"), COMMON_EX::GbkToUtf8Lossy(plcs.ListRows().c_str())}));
        CProject project;
        COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri serial;
        serial.SetBaudrate(COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri::BAUDRATE_38400);
        if (!project.SetDeviceAndPLC(model, plc, &serial))
            return Fail(
                TrArgs(QT_TRANSLATE_NOOP("zqe", "the catalogues have no panel model \"%1\" with the PLC \"%2\""),
                       {Option("--device"), Option("--plc")}));
        std::vector<BYTE> bytes;
        std::string error;
        if (!CProjectFile::SaveBytes(project, bytes, error))
            return Fail(error);
        return Write(path, bytes.data(), bytes.size());
    }

    // The project's JSON form: exact for export (with `ascii`, in the ASCII names), for reading for info.
    bool FormText(bool exact, std::string& json, bool ascii = false)
    {
        std::vector<BYTE> bytes;
        if (!ReadInput(Operand(), CProjectFile::MAX_FILE_SIZE, bytes) || !IsProject(bytes))
            return false;
        std::string error;
        bool done = false;
        if (!exact)
            done = CProjectJson::Describe(bytes, json, error);
        else if (Has("--short") && (done = ShortProjectForm(bytes, json, error)) && ascii)
            json = PROJECT_JSON::WithAsciiNames(PROJECT_JSON::Json::parse(json)).dump(2) + "\n";
        else if (!Has("--short"))
            done = ascii ? CProjectJson::ExportAscii(bytes, json, error) : CProjectJson::Export(bytes, json, error);
        if (!done)
            Fail(Operand() + ": " + error);
        return done;
    }

    int Info()
    {
        std::string json;
        if (!FormText(false, json))
            return EXIT_FAILED;
        if (Has("--json")) {
            m_out << json;
            return EXIT_DONE;
        }
        PrintProjectTree(PROJECT_JSON::Json::parse(json), m_out);
        return EXIT_DONE;
    }

    int Export()
    {
        const std::string output = Option("-o", "-");
        const std::string names = Option("--names", "stored");
        if (names != "stored" && names != "ascii")
            return Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "--names takes ascii or stored, not \"%1\""), {names}),
                        EXIT_USAGE);
        std::string json;
        if (!CheckOutput(output) || !FormText(true, json, names == "ascii"))
            return EXIT_FAILED;
        return Write(output, json.data(), json.size());
    }

    int Import()
    {
        const std::string output = Option("-o");
        std::vector<BYTE> text, file;
        std::string error;
        if (!CheckOutput(output) || !ReadInput(Operand(), MAX_JSON_FILE, text))
            return EXIT_FAILED;
        std::vector<std::string> warnings;
        if (!CProjectJson::Import(std::string(text.begin(), text.end()), file, error, warnings))
            return Fail(Operand() + ": " + error);
        for (const std::string& warning : warnings)
            Warn(Operand() + ": " + warning);
        return Write(output, file.data(), file.size());
    }

    int Compile()
    {
        const std::string output = Option("-o");
        if (!CheckOutput(output))
            return EXIT_FAILED;
        std::unique_ptr<CProject> project = OpenProject();
        if (!project)
            return EXIT_FAILED;
        std::string message;
        if (project->CheckCompile(&message) != CProject::COMPILE_OK)
            return Fail(Operand() + ": " + message);
        for (const std::string& warning : FindCutValues(*project))
            Warn(warning);
        std::vector<BYTE> image(project->Compile(nullptr, 0));
        if (project->Compile(image.data(), static_cast<DWORD>(image.size())) != image.size())
            return Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "%1: the download image could not be made"), {Operand()}));
        return Write(output, image.data(), image.size());
    }

    // Findings one a line (or JSON); the status tells scripts the worst of them.
    int Check()
    {
        std::unique_ptr<CProject> project = OpenProject();
        if (!project)
            return EXIT_CHECK_ERRORS; // a project that cannot be read cannot be downloaded either
        const std::vector<CProjectCheck::FINDING> findings = CProjectCheck::Run(*project);
        if (Has("--json"))
            m_out << CProjectCheck::FormatJson(findings);
        else
            for (const CProjectCheck::FINDING& f : findings)
                m_out << Operand() << ":" << (f.screenNumber ? std::to_string(f.screenNumber) : "") << ":"
                      << (f.hasControl ? std::to_string(f.controlID) : "") << ": "
                      << CProjectCheck::SeverityName(f.severity) << ": " << f.text << "\n";
        const int errors = CProjectCheck::Count(findings, CProjectCheck::SEVERITY_ERROR);
        const int warnings = CProjectCheck::Count(findings, CProjectCheck::SEVERITY_WARNING);
        if (errors || warnings)
            m_err << ZQ_CLI::ProgramName() << ": "
                  << TrArgs(QT_TRANSLATE_NOOP("zqe", "%1: %2 error(s), %3 warning(s)"),
                            {Operand(), std::to_string(errors), std::to_string(warnings)})
                  << "\n";
        if (errors)
            return EXIT_CHECK_ERRORS;
        return warnings && Has("--strict") ? EXIT_CHECK_WARNINGS : EXIT_DONE;
    }

    int Xref()
    {
        if (Has("--csv") && Has("--json"))
            return Fail(Tr(QT_TRANSLATE_NOOP("zqe", "--csv and --json exclude each other")), EXIT_USAGE);
        std::unique_ptr<CProject> project = OpenProject();
        if (!project)
            return EXIT_FAILED;
        const std::vector<CAddressXref::ENTRY> entries = CAddressXref::Build(*project);
        if (Has("--csv"))
            m_out << CAddressXref::FormatCsv(entries);
        else if (Has("--json"))
            m_out << CAddressXref::FormatJson(entries);
        else
            for (const CAddressXref::ENTRY& e : entries)
                m_out << TrArgs(QT_TRANSLATE_NOOP("zqe", "%1 station %2 %3: line %4 (%5), %6: %7"),
                                {CAddressXref::ClassText(e.addressClass), std::to_string(e.station),
                                 COMMON_EX::GbkToUtf8Lossy(e.typed.c_str()), std::to_string(e.lineAddress),
                                 CAddressXref::HexAddress(e.lineAddress), CAddressXref::AccessText(e.access),
                                 CAddressXref::UsesText(e)})
                      << "\n";
        return EXIT_DONE;
    }

    int Report()
    {
        const std::string output = Option("-o");
        if (output == "-" || CProjectReport::FormatOf(output) == CProjectReport::FORMAT_UNKNOWN)
            return Fail(TrArgs(QT_TRANSLATE_NOOP("zqe",
                                                 "cannot tell the report's format from '%1': it may end in .pdf, "
                                                 ".html or .htm"),
                               {output}),
                        EXIT_USAGE);
        if (!CheckOutput(output))
            return EXIT_FAILED;
        std::unique_ptr<CProject> project = OpenProject();
        if (!project)
            return EXIT_FAILED;
        const std::string::size_type slash = Operand().rfind('/');
        const std::string title = Operand() == "-" ? "-" : Operand().substr(slash == std::string::npos ? 0 : slash + 1);
        std::string error;
        if (!CProjectReport::Write(*project, title, output, error))
            return Fail(error);
        return EXIT_DONE;
    }

    int Inspect()
    {
        std::vector<BYTE> image;
        if (!ReadInput(Operand(), MAX_IMAGE_FILE, image))
            return EXIT_FAILED;
        if (CProject::CheckSignature(image.data(), static_cast<DWORD>(image.size())))
            return Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "%1: this is a project file, not a download image (zqe info "
                                                        "reads projects, zqe compile makes their images)"),
                               {Operand()}));
        const CImageInspector::REPORT report = CImageInspector::Inspect(image.data(), image.size());
        if (Has("--json"))
            m_out << CImageInspector::FormatJson(image.data(), image.size());
        else {
            for (const std::string& line : report.lines)
                m_out << line << "\n";
            for (const std::string& problem : report.problems)
                m_out << TrArgs(QT_TRANSLATE_NOOP("zqe", "problem: %1"), {problem}) << "\n";
        }
        if (!report.problems.empty())
            return Fail(TrArgs(report.problems.size() == 1 ? QT_TRANSLATE_NOOP("zqe", "%1: %2 inconsistency")
                                                           : QT_TRANSLATE_NOOP("zqe", "%1: %2 inconsistencies"),
                               {Operand(), std::to_string(report.problems.size())}));
        if (!Has("--json"))
            m_out << Tr(QT_TRANSLATE_NOOP("zqe", "consistent")) << "\n";
        return EXIT_DONE;
    }

    // The image format the output's name asks for ("png" for "-"); empty after the error was given.
    QByteArray ImageFormat(const std::string& output)
    {
        const std::string::size_type dot = output.rfind('.');
        const std::string::size_type slash = output.rfind('/');
        QByteArray suffix = dot == std::string::npos || (slash != std::string::npos && dot < slash)
                                ? QByteArray()
                                : QByteArray::fromStdString(output.substr(dot + 1)).toLower();
        // Standard output and the other streams without a name's ending get PNG.
        COMMON_EX::OUTPUT_WAY way = COMMON_EX::OUTPUT_WAY::REPLACE;
        if (suffix.isEmpty() && COMMON_EX::CheckOutput(output, way).Ok() && way != COMMON_EX::OUTPUT_WAY::REPLACE)
            return "png";
        const QList<QByteArray> formats = QImageWriter::supportedImageFormats();
        if (!suffix.isEmpty() && formats.contains(suffix))
            return suffix;
        std::string list;
        for (const QByteArray& format : formats)
            list += (list.empty() ? "." : ", .") + format.toStdString();
        Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "cannot tell the image format of '%1' from its name; it may end in %2"),
                    {output, list}),
             EXIT_USAGE);
        return QByteArray();
    }

    int Render()
    {
        const std::string output = Option("-o");
        int number = 1;
        std::string error;
        // Any whole number that is not negative: one the project lacks is named as such below.
        if (Has("--screen") &&
            !ZQ_CLI::ParseInteger(QString::fromStdString(Option("--screen")), 0, INT_MAX, number, "--screen", error))
            return Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "%1 (--screen takes a screen number)"), {error}), EXIT_USAGE);
        double zoom = 0;
        if (Has("--zoom")) {
            bool ok = false;
            zoom = QString::fromStdString(Option("--zoom")).toDouble(&ok);
            if (!ok || !(zoom > 0 && zoom <= 32))
                return Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "--zoom takes a number above 0 and at most 32, not \"%1\""),
                                   {Option("--zoom")}),
                            EXIT_USAGE);
        }
        const QByteArray format = ImageFormat(output);
        if (format.isEmpty())
            return EXIT_USAGE;
        if (!CheckOutput(output))
            return EXIT_FAILED;
        std::unique_ptr<CProject> project = OpenProject();
        if (!project)
            return EXIT_FAILED;
        CScreenBase* screen =
            number >= 1 && number <= project->GetScreenCount() ? project->GetScreenByNumber(number) : nullptr;
        if (!screen)
            return Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "%1: there is no screen %2 (the project has %3)"),
                               {Operand(), std::to_string(number), std::to_string(project->GetScreenCount())}));
        if (!Has("--zoom"))
            zoom = screen->GetScreenZoomRate();
        const long long width = (long long)(screen->GetScreenWidth() * zoom);
        const long long height = (long long)(screen->GetScreenHeight() * zoom);
        if (width > MAX_RENDER_SIDE || height > MAX_RENDER_SIDE)
            return Fail(
                TrArgs(QT_TRANSLATE_NOOP("zqe", "%1: a %2 x %3 image is larger than %4 pixels a side"),
                       {Operand(), std::to_string(width), std::to_string(height), std::to_string(MAX_RENDER_SIDE)}));
        const QImage image = CProjectRender::RenderScreen(screen, zoom);
        QByteArray encoded;
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        if (image.isNull() || !image.save(&buffer, format.constData()))
            return Fail(TrArgs(QT_TRANSLATE_NOOP("zqe", "cannot encode the image of '%1' as %2"),
                               {output, format.toUpper().toStdString()}));
        return Write(output, encoded.constData(), size_t(encoded.size()));
    }

    const ZQE_ARGUMENTS& m_args;
    std::istream& m_in;
    std::ostream& m_out;
    std::ostream& m_err;
};

} // namespace

int RunZqe(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    ZQ_CLI::SetProgramName("zqe");
    ZQE_ARGUMENTS parsed;
    int status = EXIT_DONE;
    if (!ParseZqeArguments(args, out, err, parsed, status))
        return status;
    return CCommand(parsed, in, out, err).Run();
}

int RunZqe(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunZqe(args, std::cin, out, err);
}
