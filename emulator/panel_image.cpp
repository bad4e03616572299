#include "emulator/panel_image.h"

#include "comkit/download_image.h"
#include "comkit/message_text.h"
#include "comkit/serial_attri.h"
#include "comkit/whole_file.h"
#include "editor/project.h"
#include "editor/project_file.h"

using namespace DOWNLOAD_IMAGE;

namespace {

constexpr int FUNCTION_ROW_BYTES = FUNCTION_TABLE_SIZE / 16;
constexpr int LIGHT_ROW_BYTES = LIGHT_TABLE_SIZE / 16;
constexpr int FUNCTION_PREFIX_WORD = 25;

PANEL_CONTROL::Kind KindOf(BYTE code)
{
    switch (code) {
    case PANEL_CODE_STATIC_TEXT: return PANEL_CONTROL::STATIC_TEXT;
    case PANEL_CODE_REGISTER: return PANEL_CONTROL::REGISTER;
    case PANEL_CODE_LIGHT: return PANEL_CONTROL::LAMP;
    case PANEL_CODE_FUNCTION: return PANEL_CONTROL::FUNCTION_KEY;
    default: return PANEL_CONTROL::OTHER;
    }
}

PANEL_CONTROL Control(const std::array<BYTE, CONTROL_RECORD_SIZE>& r)
{
    PANEL_CONTROL c;
    c.kind = KindOf(r[1]);
    c.screen = r[0];
    c.x = r[2];
    c.y = r[3];
    c.width = r[4];
    c.height = r[5];
    c.inverted = r[14] != 0;
    if (c.kind == PANEL_CONTROL::LAMP)
        c.shape = r[8] ? 1 : 0;
    if (c.kind == PANEL_CONTROL::FUNCTION_KEY) {
        c.key = int(r[8]) - 1;
        c.valueSetting = r[9] & 3;
        c.hand = r[10] != 0;
        c.invisible = r[11] != 0;
        c.jump = r[12] == 1;
        c.jumpScreen = r[13];
    }
    return c;
}

void TakeParameters(PANEL_CONTROL& c, const std::array<BYTE, PARAMETER_RECORD_SIZE>& p)
{
    if (c.kind != PANEL_CONTROL::REGISTER && c.kind != PANEL_CONTROL::LAMP && c.kind != PANEL_CONTROL::FUNCTION_KEY)
        return;
    c.hasParameters = true;
    c.station = p[0];
    c.address = ReadBE16(&p[1]);
    if (c.kind == PANEL_CONTROL::REGISTER) {
        c.integerDigits = p[4];
        c.decimalDigits = p[5];
        c.maximum = ReadBE16(&p[6]);
        c.minimum = ReadBE16(&p[8]);
        c.asterisk = p[10] != 0;
        c.editable = p[12] != 0;
        c.invalidZero = p[13] != 0;
    }
}

} // namespace

std::unique_ptr<CPanelImage> CPanelImage::FromBytes(const std::vector<BYTE>& bytes, std::string& error,
                                                    std::vector<std::string>* warnings)
{
    std::unique_ptr<CPanelImage> panel(new CPanelImage);
    CImageInspector::REPORT report;
    const bool whole = CImageInspector::Decode(bytes.data(), bytes.size(), panel->m_image, &report);
    if (warnings)
        *warnings = report.problems;
    if (!whole) {
        error =
            report.problems.empty()
                ? COMMON_EX::Tr("Emulator", QT_TRANSLATE_NOOP("Emulator", "the download image cannot be read"))
                : COMMON_EX::TrArgs("Emulator", QT_TRANSLATE_NOOP("Emulator", "the download image cannot be read: %1"),
                                    {report.problems.back()});
        return nullptr;
    }
    if (panel->m_image.screens == 0) {
        error = COMMON_EX::Tr("Emulator", QT_TRANSLATE_NOOP("Emulator", "the download image has no screen"));
        return nullptr;
    }
    const auto& records = panel->m_image.controls;
    size_t parameter = 0, text = 0;
    for (const auto& record : records) {
        PANEL_CONTROL c = Control(record);
        if (record[1] == PANEL_CODE_STATIC_TEXT) {
            if (text < panel->m_image.texts.size())
                c.text = panel->m_image.texts[text];
            ++text;
        } else if (record[1] != PANEL_CODE_PICTURE && parameter < panel->m_image.parameters.size()) {
            TakeParameters(c, panel->m_image.parameters[parameter++]);
        }
        panel->m_controls.push_back(c);
    }
    return panel;
}

std::unique_ptr<CPanelImage> CPanelImage::FromFile(const std::string& path, std::string& error,
                                                   std::vector<std::string>* warnings)
{
    std::vector<BYTE> bytes;
    if (!COMMON_EX::ReadWholeFile(path, CProjectFile::MAX_FILE_SIZE, bytes, error))
        return nullptr;
    return FromContent(std::move(bytes), path, error, warnings);
}

std::unique_ptr<CPanelImage> CPanelImage::FromContent(std::vector<BYTE> bytes, const std::string& path,
                                                      std::string& error, std::vector<std::string>* warnings)
{
    std::unique_ptr<CProject> project;
    if (CProject::CheckSignature(bytes.data(), DWORD(bytes.size()))) {
        project = CProjectFile::OpenBytes(bytes, error);
        if (!project)
            return nullptr;
        std::string message;
        if (project->CheckCompile(&message) != CProject::COMPILE_OK) {
            error = path + ": " + message;
            return nullptr;
        }
        std::vector<BYTE> image(project->Compile(nullptr, 0));
        if (image.empty() || project->Compile(image.data(), DWORD(image.size())) != image.size()) {
            error =
                COMMON_EX::TrArgs("Emulator", QT_TRANSLATE_NOOP("Emulator", "%1: the download image could not be made"),
                                  {path});
            return nullptr;
        }
        bytes.swap(image);
    }
    std::unique_ptr<CPanelImage> panel = FromBytes(bytes, error, warnings);
    if (!panel)
        error = path + ": " + error;
    else if (project)
        panel->TakeProjectLine(*project);
    return panel;
}

void CPanelImage::TakeProjectLine(const CProject& project)
{
    using SERIAL_ATTRI = COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri;
    m_bFromProject = true;
    const SERIAL_ATTRI* serial = project.GetPLCSerialAttributes();
    if (!serial)
        return;
    m_strProjectLine =
        COMMON_EX::TrArgs("Emulator", QT_TRANSLATE_NOOP("Emulator", "%1 baud, %2 data bits, parity %3, stop bits %4"),
                          {std::to_string(serial->GetBaudrate()), std::to_string(serial->GetDataBits()),
                           std::to_string(serial->GetParity()), std::to_string(serial->GetStopBits())});
    const int dataBits = serial->GetDataBits();
    const char parity = serial->GetParity() == SERIAL_ATTRI::PARITY_NONE   ? 'N'
                        : serial->GetParity() == SERIAL_ATTRI::PARITY_EVEN ? 'E'
                        : serial->GetParity() == SERIAL_ATTRI::PARITY_ODD  ? 'O'
                                                                           : '\0';
    const int stopBits = serial->GetStopBits() == SERIAL_ATTRI::STOPBITS_ONE   ? 1
                         : serial->GetStopBits() == SERIAL_ATTRI::STOPBITS_TWO ? 2
                                                                               : 0;
    if (serial->GetBaudrate() <= 0 || (dataBits != 7 && dataBits != 8) || parity == '\0' || stopBits == 0)
        return;
    m_projectLine.baud = serial->GetBaudrate();
    m_projectLine.dataBits = dataBits;
    m_projectLine.parity = parity;
    m_projectLine.stopBits = stopBits;
    m_bProjectLine = true;
}

int CPanelImage::GetFunctionPage(int page) const
{
    if (page < 0 || page >= 4)
        return 0;
    const int screen = m_image.functionPages[size_t(page)];
    return screen <= m_image.screens ? screen : 0;
}

std::vector<int> CPanelImage::ControlsOfScreen(int screen) const
{
    std::vector<int> found;
    for (size_t i = 0; i < m_controls.size(); ++i)
        if (m_controls[i].screen == screen)
            found.push_back(int(i));
    return found;
}

int CPanelImage::HighestKeyUsed() const
{
    int highest = -1;
    for (const PANEL_CONTROL& c : m_controls)
        if (c.kind == PANEL_CONTROL::FUNCTION_KEY && c.key > highest)
            highest = c.key;
    return highest;
}

const BYTE* CPanelImage::DoubleGlyph(WORD code) const
{
    const auto it = m_image.doubleGlyphs.find(code);
    return it == m_image.doubleGlyphs.end() ? nullptr : it->second.data();
}

const BYTE* CPanelImage::SingleGlyph(BYTE code) const
{
    const auto it = m_image.singleGlyphs.find(code);
    return it == m_image.singleGlyphs.end() ? nullptr : it->second.data();
}

WORD CPanelImage::LightRow(int image, int row) const
{
    if (image < 0 || image > 3 || row < 0 || row >= 16 || m_image.lightTable.size() != LIGHT_TABLE_SIZE)
        return 0;
    return ReadBE16(&m_image.lightTable[size_t(row * LIGHT_ROW_BYTES + 2 * (3 - image))]);
}

WORD CPanelImage::FunctionRow(int key, int row) const
{
    if (key < -1 || key > 24 || row < 0 || row >= 16 || m_image.functionTable.size() != FUNCTION_TABLE_SIZE)
        return 0;
    const int word = key < 0 ? FUNCTION_PREFIX_WORD : 24 - key;
    return ReadBE16(&m_image.functionTable[size_t(row * FUNCTION_ROW_BYTES + 2 * word)]);
}
