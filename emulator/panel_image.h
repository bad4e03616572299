// A download image as the panel runtime uses it: its screens, each control with its parameters,
// the static texts, the symbol tables and the image's own glyphs.
#pragma once

#include "emulator/emulator_api.h"

#include "comkit/types.h"
#include "editor/image_inspect.h"
#include "emulator/modbus_link.h"

#include <memory>
#include <string>
#include <vector>

class CProject;

// One control of the image with its parameter record decoded.
struct EMULATOR_API PANEL_CONTROL {
    enum Kind { STATIC_TEXT, REGISTER, LAMP, FUNCTION_KEY, OTHER };
    Kind kind = OTHER;
    int screen = 1; // 1-based
    int x = 0, y = 0, width = 0, height = 0;
    bool inverted = false;
    int shape = 0;          // lamp: 0 round, 1 square
    int key = -1;           // function key: key number (PANEL_KEYS), -1 when none
    int valueSetting = 0;   // function key: 0 ON, 1 OFF, 2 toggle, 3 hold
    bool hand = false;      // function key: drawn with the prefix image
    bool invisible = false; // function key: works but is not drawn
    bool jump = false;      // function key: jumps instead of setting a coil
    int jumpScreen = 0;     // function key: 1-based target, 0 none
    bool hasParameters = false;
    int station = 0;
    WORD address = 0; // line address of the register or coil
    int integerDigits = 0, decimalDigits = 0;
    WORD maximum = 0, minimum = 0;
    bool asterisk = false, editable = false, invalidZero = false;
    std::string text; // static text, GBK
};

class EMULATOR_API CPanelImage {
public:
    // The image in `bytes`; null with the reason in `error` when a section cannot be read or
    // the image has no screen. Problems that leave it readable go to `warnings`.
    static std::unique_ptr<CPanelImage> FromBytes(const std::vector<BYTE>& bytes, std::string& error,
                                                  std::vector<std::string>* warnings = nullptr);
    // A ".vxg" image, or a ".ZQE" project (by its signature) compiled on the way; null with the
    // reason when the file cannot be read, is no project or image, or the project does not compile.
    static std::unique_ptr<CPanelImage> FromFile(const std::string& path, std::string& error,
                                                 std::vector<std::string>* warnings = nullptr);
    // FromFile on the file's content, bytes (a project or an image that came through a pipe);
    // origin names it in the reasons.
    static std::unique_ptr<CPanelImage> FromContent(std::vector<BYTE> bytes, const std::string& origin,
                                                    std::string& error, std::vector<std::string>* warnings = nullptr);

    // Whether the image was compiled from a project on the way (FromFile with a ".ZQE").
    bool IsFromProject() const { return m_bFromProject; }
    // The serial settings of that project's line to the PLC (device left empty); null for an image
    // file, and for a project whose settings Modbus RTU cannot use (mark or space parity, 1.5 stop
    // bits, 5 or 6 data bits), which ProjectLineText then names.
    const CModbusLink::SERIAL* GetProjectLine() const { return m_bProjectLine ? &m_projectLine : nullptr; }
    // The project's settings as "38400 baud, 8 data bits, parity 2, stop bits 0"; empty for an image file.
    const std::string& ProjectLineText() const { return m_strProjectLine; }

    int GetScreenCount() const { return m_image.screens; }
    WORD GetBacklightDelay() const { return m_image.backlight; }
    // Screen of function page `page` (0-3); 0 when unused or naming no screen.
    int GetFunctionPage(int page) const;
    const std::vector<PANEL_CONTROL>& GetControls() const { return m_controls; }
    // Indexes into GetControls() of the controls on `screen`, in image order.
    std::vector<int> ControlsOfScreen(int screen) const;
    // The highest key number a function-key control uses, -1 when none.
    int HighestKeyUsed() const;

    // Glyph rows of a character from the image's own font; null when the image has none.
    const BYTE* DoubleGlyph(WORD code) const;
    const BYTE* SingleGlyph(BYTE code) const;
    // Row r (0-15) of lamp image a (0-3) and of function-key image k (0-24), prefix when k is -1;
    // bit c is column c. 0 outside the tables.
    WORD LightRow(int image, int row) const;
    WORD FunctionRow(int key, int row) const;

private:
    // Takes the project's serial settings (see GetProjectLine).
    void TakeProjectLine(const CProject& project);

    CImageInspector::IMAGE m_image;
    std::vector<PANEL_CONTROL> m_controls;
    bool m_bFromProject = false;
    bool m_bProjectLine = false;
    CModbusLink::SERIAL m_projectLine;
    std::string m_strProjectLine;
};
