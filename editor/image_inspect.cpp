#include "editor/image_inspect.h"

#include "comkit/download_image.h"
#include "comkit/gbk.h"
#include "comkit/message_text.h"
#include "editor/editor_strings.h"
#include "editor/pixel_resources.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <set>

using namespace DOWNLOAD_IMAGE;

namespace {

// The conversions of a printf format in order ("%02X", "%zu", "%%"), to compare a format with
// its translation.
std::vector<std::string> Conversions(const std::string& format)
{
    std::vector<std::string> found;
    for (size_t i = format.find('%'); i != std::string::npos; i = format.find('%', i)) {
        const size_t end = format.find_first_of("diouxXcsfFeEgGaApn%", i + 1);
        found.push_back(format.substr(i, end == std::string::npos ? std::string::npos : end + 1 - i));
        i = end == std::string::npos ? format.size() : end + 1;
    }
    return found;
}

// The report's printf format in the user's language (context "ImageInspect"); the format itself
// when the translation's conversions differ from it, so a faulty catalogue entry cannot read
// arguments the wrong way.
std::string Translated(const char* format)
{
    std::string translated = COMMON_EX::Tr("ImageInspect", format);
    return Conversions(translated) == Conversions(format) ? translated : std::string(format);
}

// A report line: format (marked for the catalogue) translated, then filled as printf fills it.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...)
{
    const std::string translated = Translated(format);
    char text[512];
    va_list args;
    va_start(args, format);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::vsnprintf(text, sizeof text, translated.c_str(), args);
#pragma GCC diagnostic pop
    va_end(args);
    return text;
}

// A report text in the user's language (context "ImageInspect").
std::string Say(const char* text)
{
    return COMMON_EX::Tr("ImageInspect", text);
}

// The kind a panel type code stands for; null for an unknown code.
const char* PanelCodeName(BYTE code)
{
    switch (code) {
    case PANEL_CODE_STATIC_TEXT: return QT_TRANSLATE_NOOP("ImageInspect", "static text");
    case PANEL_CODE_LIGHT: return QT_TRANSLATE_NOOP("ImageInspect", "lamp");
    case PANEL_CODE_BAR: return QT_TRANSLATE_NOOP("ImageInspect", "bar chart");
    case PANEL_CODE_REGISTER: return QT_TRANSLATE_NOOP("ImageInspect", "register");
    case PANEL_CODE_FUNCTION: return QT_TRANSLATE_NOOP("ImageInspect", "function key");
    case PANEL_CODE_PICTURE: return QT_TRANSLATE_NOOP("ImageInspect", "picture");
    case PANEL_CODE_NONE: return QT_TRANSLATE_NOOP("ImageInspect", "trend chart or dynamic text");
    default: return nullptr;
    }
}

// The kind's name for the report, "unknown kind" for an unknown code.
std::string KindName(BYTE code)
{
    const char* name = PanelCodeName(code);
    return Say(name ? name : QT_TRANSLATE_NOOP("ImageInspect", "unknown kind"));
}

// The kind's stable name for scripts: the project form's control types where they match.
const char* KindKey(BYTE code)
{
    switch (code) {
    case PANEL_CODE_STATIC_TEXT: return "static-text";
    case PANEL_CODE_LIGHT: return "lamp";
    case PANEL_CODE_BAR: return "bar-chart";
    case PANEL_CODE_REGISTER: return "register";
    case PANEL_CODE_FUNCTION: return "function-key";
    case PANEL_CODE_PICTURE: return "picture";
    case PANEL_CODE_NONE: return "trend-chart-or-dynamic-text";
    default: return "unknown";
    }
}

bool IsStaticCode(BYTE code)
{
    return code == PANEL_CODE_STATIC_TEXT || code == PANEL_CODE_PICTURE;
}

bool HasParameterRecord(BYTE code)
{
    return code == PANEL_CODE_REGISTER || code == PANEL_CODE_LIGHT || code == PANEL_CODE_FUNCTION;
}

// Registers first, then lamps, then every other kind.
int PassOf(BYTE code)
{
    return code == PANEL_CODE_REGISTER ? 0 : code == PANEL_CODE_LIGHT ? 1 : 2;
}

// A GBK character code as the model keeps it: lead byte low, trail byte high.
WORD DoubleCode(BYTE lead, BYTE trail)
{
    return static_cast<WORD>(lead | trail << 8);
}

std::string CharText(const std::string& gbk)
{
    return COMMON_EX::GbkToUtf8Lossy(gbk.c_str());
}

struct CONTROL_ENTRY {
    BYTE code;
    BYTE parameter;
};

class CInspection {
public:
    CInspection(const BYTE* image, size_t size, CImageInspector::REPORT& report,
                CImageInspector::IMAGE* decoded = nullptr)
        : m_pImage(image), m_nSize(size), m_report(report), m_pDecoded(decoded ? decoded : &m_own)
    {
    }

    // True once every section was read whole.
    bool Complete() const { return m_bComplete; }

    void Run()
    {
        if (!Header())
            return;
        size_t p = IMAGE_HEADER_SIZE;
        if (!Controls(p) || !Parameters(p) || !StaticTexts(p) || !Tables(p))
            return;
        Characters(p);
    }

private:
    void Line(const std::string& text) { m_report.lines.push_back(text); }
    void Problem(const std::string& text) { m_report.problems.push_back(text); }

    // False (and a problem) when `length` bytes at `offset` are not inside the image.
    bool Fits(size_t offset, size_t length, const char* section)
    {
        if (offset <= m_nSize && length <= m_nSize - offset)
            return true;
        Problem(Format(QT_TRANSLATE_NOOP("ImageInspect",
                                         "%s: %zu bytes at offset %zu run past the end of the %zu-byte image"),
                       Say(section).c_str(), length, offset, m_nSize));
        return false;
    }

    // A section standing for "no records": one 0xFF byte.
    bool EmptySection(size_t& p, const char* section)
    {
        if (!Fits(p, 1, section))
            return false;
        Line(Format(QT_TRANSLATE_NOOP("ImageInspect", "%s: none (marker at %zu)"), Say(section).c_str(), p));
        if (m_pImage[p] != EMPTY_SECTION)
            Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "%s: empty-section marker at %zu is 0x%02X, not 0xFF"),
                           Say(section).c_str(), p, m_pImage[p]));
        ++p;
        return true;
    }

    bool Header()
    {
        if (m_nSize < IMAGE_HEADER_SIZE) {
            Problem(
                Format(QT_TRANSLATE_NOOP("ImageInspect", "the image holds %zu bytes, fewer than its %u-byte header"),
                       m_nSize, unsigned(IMAGE_HEADER_SIZE)));
            return false;
        }
        const BYTE* d = m_pImage;
        const WORD length = ReadBE16(d + OFFSET_LENGTH);
        Line(Format(QT_TRANSLATE_NOOP("ImageInspect", "length: %u (image %zu bytes)"), length, m_nSize));
        if (length != m_nSize)
            Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "length field says %u bytes, the image holds %zu"), length,
                           m_nSize));

        const char* expected = CEditorStrings::Get(CEditorStrings::IDS_IMAGE_VERSION);
        char version[VERSION_FIELD_SIZE + 1] = {};
        std::memcpy(version, d + OFFSET_VERSION, VERSION_FIELD_SIZE);
        Line(Format(QT_TRANSLATE_NOOP("ImageInspect", "version: \"%s\""), CharText(version).c_str()));
        BYTE field[VERSION_FIELD_SIZE] = {};
        std::memcpy(field, expected, std::strlen(expected));
        if (std::memcmp(field, d + OFFSET_VERSION, VERSION_FIELD_SIZE) != 0)
            Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "version field is not \"%s\" zero-filled to %u bytes"),
                           expected, unsigned(VERSION_FIELD_SIZE)));

        const WORD backlight = ReadBE16(d + OFFSET_BACKLIGHT);
        Line(backlight == 0xFFFF ? Say(QT_TRANSLATE_NOOP("ImageInspect", "backlight: always on"))
                                 : Format(QT_TRANSLATE_NOOP("ImageInspect", "backlight: off after %u s"), backlight));
        if (d[OFFSET_CONSTANT] != CONSTANT_VALUE)
            Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "byte %u is %u, not %u"), unsigned(OFFSET_CONSTANT),
                           d[OFFSET_CONSTANT], CONSTANT_VALUE));
        for (DWORD i = 0; i < RESERVED_SIZE; ++i)
            if (d[OFFSET_RESERVED + i] != 0)
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "reserved byte %u is 0x%02X, not 0"),
                               unsigned(OFFSET_RESERVED + i), d[OFFSET_RESERVED + i]));

        m_pDecoded->backlight = backlight;
        std::memcpy(m_pDecoded->functionPages.data(), d + OFFSET_FUNCTION_PAGES, 4);
        m_nScreens = d[OFFSET_SCREEN_COUNT];
        m_pDecoded->screens = m_nScreens;
        m_nControls = d[OFFSET_CONTROL_COUNT];
        m_nParameters = d[OFFSET_PARAMETER_COUNT];
        std::string pages;
        for (int i = 0; i < 4; ++i) {
            const BYTE page = d[OFFSET_FUNCTION_PAGES + i];
            pages += page ? Format(" %u", page) : std::string(" -");
            if (page > m_nScreens)
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "function page %d names screen %u of %u"), i + 1, page,
                               m_nScreens));
        }
        Line(Say(QT_TRANSLATE_NOOP("ImageInspect", "function pages:")) + pages);
        Line(Format(QT_TRANSLATE_NOOP("ImageInspect", "screens: %u, controls: %u, parameter controls: %u"), m_nScreens,
                    m_nControls, m_nParameters));
        if (m_nScreens == 0)
            Problem(Say(QT_TRANSLATE_NOOP("ImageInspect", "the image has no screen")));
        if (m_nParameters > m_nControls)
            Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "%u parameter controls among %u controls"), m_nParameters,
                           m_nControls));
        m_wTextLength = ReadBE16(d + OFFSET_STATIC_TEXT_LENGTH);
        m_wIndex = ReadBE16(d + OFFSET_INDEX);
        m_wGlyphs = ReadBE16(d + OFFSET_GLYPHS);
        Line(Format(QT_TRANSLATE_NOOP("ImageInspect", "static text length: %u, character index at %u, glyphs at %u"),
                    m_wTextLength, m_wIndex, m_wGlyphs));
        return true;
    }

    bool Controls(size_t& p)
    {
        if (m_nControls == 0)
            return EmptySection(p, QT_TRANSLATE_NOOP("ImageInspect", "control records"));
        if (!Fits(p, size_t(CONTROL_RECORD_SIZE) * m_nControls, QT_TRANSLATE_NOOP("ImageInspect", "control records")))
            return false;
        BYTE parameter = 0;
        BYTE label = 0;
        int lastPass = 0, lastScreen = 1;
        for (int k = 0; k < m_nControls; ++k, p += CONTROL_RECORD_SIZE) {
            const BYTE* r = m_pImage + p;
            const bool known = PanelCodeName(r[1]) != nullptr;
            Line(Format(QT_TRANSLATE_NOOP("ImageInspect",
                                          "control %d: screen %u, %s (code %u), at %u,%u size %ux%u, parameter %s, "
                                          "label %u, bytes 8-13 %u %u %u %u %u %u, inverted %u, number %u"),
                        k, r[0], KindName(r[1]).c_str(), r[1], r[2], r[3], r[4], r[5],
                        r[6] == 0xFF ? "-" : std::to_string(r[6]).c_str(), r[7], r[8], r[9], r[10], r[11], r[12], r[13],
                        r[14], r[15]));
            m_controls.push_back({r[1], r[6]});
            std::array<BYTE, CONTROL_RECORD_SIZE> raw;
            std::memcpy(raw.data(), r, CONTROL_RECORD_SIZE);
            m_pDecoded->controls.push_back(raw);
            if (!known)
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "control %d: unknown panel type code %u"), k, r[1]));
            if (r[0] < 1 || r[0] > m_nScreens)
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "control %d: screen %u outside 1-%u"), k, r[0],
                               m_nScreens));
            const int pass = PassOf(r[1]);
            if (pass < lastPass || (pass == lastPass && r[0] < lastScreen))
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect",
                                                 "control %d: out of order (registers, then lamps, then the other "
                                                 "kinds, each by screen)"),
                               k));
            if (pass != lastPass)
                lastScreen = 1;
            lastPass = pass;
            lastScreen = std::max<int>(lastScreen, r[0]);
            if (r[15] != k)
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "control %d: control number %u"), k, r[15]));
            if (IsStaticCode(r[1])) {
                if (r[6] != 0xFF)
                    Problem(Format(QT_TRANSLATE_NOOP("ImageInspect",
                                                     "control %d: a static control with parameter index %u"),
                                   k, r[6]));
                ++m_nStatic;
            } else if (r[6] != parameter++) {
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "control %d: parameter index %u, expected %u"), k,
                               r[6], BYTE(parameter - 1)));
            }
            if (r[1] == PANEL_CODE_STATIC_TEXT) {
                if (r[7] != ++label)
                    Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "control %d: label string index %u, expected %u"),
                                   k, r[7], label));
            } else if (r[7] != 0) {
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect",
                                                 "control %d: label string index %u on a kind without text"),
                               k, r[7]));
            }
            if (r[14] > 1)
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "control %d: inverted flag %u"), k, r[14]));
        }
        m_nTexts = label;
        if (m_nControls - m_nStatic != m_nParameters)
            Problem(
                Format(QT_TRANSLATE_NOOP("ImageInspect", "header counts %u parameter controls, the control records %d"),
                       m_nParameters, m_nControls - m_nStatic));
        return true;
    }

    bool Parameters(size_t& p)
    {
        if (m_nParameters == 0)
            return EmptySection(p, QT_TRANSLATE_NOOP("ImageInspect", "parameter records"));
        const size_t sectionSize = size_t(PARAMETER_RECORD_SIZE) * m_nParameters;
        if (!Fits(p, sectionSize, QT_TRANSLATE_NOOP("ImageInspect", "parameter records")))
            return false;
        const size_t end = p + sectionSize;
        int k = 0;
        for (const CONTROL_ENTRY& control : m_controls) {
            if (IsStaticCode(control.code))
                continue;
            if (k == m_nParameters) {
                Problem(
                    Say(QT_TRANSLATE_NOOP("ImageInspect", "more parameter controls than the parameter section holds")));
                break;
            }
            const BYTE* r = m_pImage + p;
            std::array<BYTE, PARAMETER_RECORD_SIZE> raw;
            std::memcpy(raw.data(), r, PARAMETER_RECORD_SIZE);
            m_pDecoded->parameters.push_back(raw);
            if (!HasParameterRecord(control.code)) {
                // Charts and dynamic texts keep their place in the section with their index alone.
                Line(Format(QT_TRANSLATE_NOOP("ImageInspect", "parameter %d: %s, index %u"), k,
                            KindName(control.code).c_str(), r[16]));
                if (std::any_of(r, r + PARAMETER_RECORD_SIZE - 1, [](BYTE b) { return b != 0; }))
                    Problem(Format(QT_TRANSLATE_NOOP(
                                       "ImageInspect",
                                       "parameter %d: a kind without parameters has non-zero bytes before its index"),
                                   k));
            } else if (control.code == PANEL_CODE_REGISTER) {
                Line(Format(QT_TRANSLATE_NOOP("ImageInspect",
                                              "parameter %d: register, station %u, address %u, digits %u.%u, max %u, "
                                              "min %u, asterisk %u, editable %u, invalid zero %u, index %u"),
                            k, r[0], ReadBE16(r + 1), r[4], r[5], ReadBE16(r + 6), ReadBE16(r + 8), r[10], r[12], r[13],
                            r[16]));
            } else {
                Line(
                    Format(QT_TRANSLATE_NOOP("ImageInspect", "parameter %d: %s, station %u, coil address %u, index %u"),
                           k, KindName(control.code).c_str(), r[0], ReadBE16(r + 1), r[16]));
                if (r[12] != 0xFF || r[13] != 1)
                    Problem(
                        Format(QT_TRANSLATE_NOOP("ImageInspect", "parameter %d: bytes 12-13 are %02X %02X, not FF 01"),
                               k, r[12], r[13]));
            }
            if (HasParameterRecord(control.code) && r[3] != 1)
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "parameter %d: byte 3 is %u, not 1"), k, r[3]));
            if (r[16] != control.parameter)
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "parameter %d: index %u, its control record says %u"),
                               k, r[16], control.parameter));
            p += PARAMETER_RECORD_SIZE;
            ++k;
        }
        // Room the header reserves beyond the controls' records stays zero.
        for (; p < end; ++p)
            if (m_pImage[p] != 0) {
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect",
                                                 "parameter section: byte %zu after the last record is not zero"),
                               p));
                break;
            }
        p = end;
        return true;
    }

    bool StaticTexts(size_t& p)
    {
        const int staticControls = m_nControls - m_nParameters;
        if (staticControls <= 0) {
            if (!EmptySection(p, QT_TRANSLATE_NOOP("ImageInspect", "static texts")))
                return false;
            if (m_wTextLength != EMPTY_STATIC_TEXT_LENGTH)
                Problem(
                    Format(QT_TRANSLATE_NOOP("ImageInspect", "static text length is %u without static controls, not 1"),
                           m_wTextLength));
            return true;
        }
        DWORD characters = 0;
        for (int t = 1; t <= m_nTexts; ++t) {
            if (!Fits(p, 2, QT_TRANSLATE_NOOP("ImageInspect", "static texts")))
                return false;
            const BYTE count = m_pImage[p + 1];
            if (m_pImage[p] != 0xFF)
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "static text %d: starts with 0x%02X, not 0xFF"), t,
                               m_pImage[p]));
            if (!Fits(p + 2, size_t(2) * count, QT_TRANSLATE_NOOP("ImageInspect", "static texts")))
                return false;
            std::string gbk;
            for (int c = 0; c < count; ++c) {
                const BYTE first = m_pImage[p + 2 + 2 * c];
                const BYTE second = m_pImage[p + 3 + 2 * c];
                if (first == 0) {
                    if (second & 0x80)
                        Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "static text %d: single-byte cell 0x%02X"), t,
                                       second));
                    m_usedSingle.insert(second);
                    gbk += static_cast<char>(second);
                } else {
                    if (!(first & 0x80))
                        Problem(Format(QT_TRANSLATE_NOOP("ImageInspect",
                                                         "static text %d: double-byte cell starts with 0x%02X"),
                                       t, first));
                    m_usedDouble.insert(DoubleCode(first, second));
                    gbk += static_cast<char>(first);
                    gbk += static_cast<char>(second);
                }
            }
            Line(Format(QT_TRANSLATE_NOOP("ImageInspect", "static text %d: %u characters \"%s\""), t, count,
                        CharText(gbk).c_str()));
            m_pDecoded->texts.push_back(gbk);
            characters += count;
            p += 2 + size_t(2) * count;
        }
        const DWORD expected = 2 * (DWORD(staticControls) + characters);
        if (m_wTextLength != (expected & 0xFFFF))
            Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "static text length is %u, expected %u"), m_wTextLength,
                           expected));
        return true;
    }

    void Table(size_t& p, UINT resource, DWORD size, const char* name)
    {
        DWORD ownSize = 0;
        const BYTE* own = CPixelResources::GetResource(resource, &ownSize);
        const bool same = own && ownSize == size && std::memcmp(own, m_pImage + p, size) == 0;
        (resource == CPixelResources::PIC_PIXEL_FUNCTION ? m_pDecoded->functionTable : m_pDecoded->lightTable)
            .assign(m_pImage + p, m_pImage + p + size);
        Line(Format(QT_TRANSLATE_NOOP("ImageInspect", "%s: %u bytes at %zu, %s the editor's table"), Say(name).c_str(),
                    unsigned(size), p,
                    Say(same ? QT_TRANSLATE_NOOP("ImageInspect", "same as")
                             : QT_TRANSLATE_NOOP("ImageInspect", "differs from"))
                        .c_str()));
        p += size;
    }

    bool Tables(size_t& p)
    {
        if (!Fits(p, FUNCTION_TABLE_SIZE + LIGHT_TABLE_SIZE, QT_TRANSLATE_NOOP("ImageInspect", "symbol tables")))
            return false;
        Table(p, CPixelResources::PIC_PIXEL_FUNCTION, FUNCTION_TABLE_SIZE,
              QT_TRANSLATE_NOOP("ImageInspect", "function-key images"));
        Table(p, CPixelResources::PIC_PIXEL_LIGHT, LIGHT_TABLE_SIZE, QT_TRANSLATE_NOOP("ImageInspect", "lamp images"));
        return true;
    }

    void Characters(size_t p)
    {
        if (m_wIndex != p)
            Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "character index offset is %u, the index starts at %zu"),
                           m_wIndex, p));
        if (m_wGlyphs < m_wIndex || (m_wGlyphs - m_wIndex) % INDEX_ENTRY_SIZE != 0) {
            Problem(
                Format(QT_TRANSLATE_NOOP("ImageInspect", "glyph offset %u does not end a whole index starting at %u"),
                       m_wGlyphs, m_wIndex));
            return;
        }
        if (!Fits(m_wIndex, m_wGlyphs - m_wIndex, QT_TRANSLATE_NOOP("ImageInspect", "character index")))
            return;
        std::vector<WORD> doubles;
        std::vector<BYTE> singles;
        const int entries = (m_wGlyphs - m_wIndex) / INDEX_ENTRY_SIZE;
        for (int i = 0; i < entries; ++i) {
            const BYTE* e = m_pImage + m_wIndex + INDEX_ENTRY_SIZE * i;
            if (e[1] == SINGLE_BYTE_MARK) {
                singles.push_back(e[0]);
            } else {
                if (!singles.empty())
                    Problem(
                        Format(QT_TRANSLATE_NOOP("ImageInspect",
                                                 "index entry %d: a double-byte character after the single-byte ones"),
                               i));
                doubles.push_back(DoubleCode(e[0], e[1]));
            }
        }
        const size_t nC = doubles.size(), nA = singles.size();
        for (size_t i = 0; i < nC + nA; ++i) {
            const BYTE* e = m_pImage + m_wIndex + INDEX_ENTRY_SIZE * i;
            const size_t expected = i < nC ? m_wGlyphs + DOUBLE_GLYPH_SIZE * i
                                           : m_wGlyphs + DOUBLE_GLYPH_SIZE * nC + SINGLE_GLYPH_SIZE * (i - nC);
            if (ReadBE16(e + 2) != (expected & 0xFFFF))
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "index entry %zu: glyph offset %u, expected %zu"), i,
                               ReadBE16(e + 2), expected));
        }
        CheckCharacterLists(doubles, singles);

        const size_t glyphBytes = DOUBLE_GLYPH_SIZE * nC + SINGLE_GLYPH_SIZE * nA;
        Line(Format(
            QT_TRANSLATE_NOOP("ImageInspect",
                              "glyphs: %zu double-byte of %u bytes, %zu single-byte of %u bytes, %zu bytes at %u"),
            nC, unsigned(DOUBLE_GLYPH_SIZE), nA, unsigned(SINGLE_GLYPH_SIZE), glyphBytes, m_wGlyphs));
        if (!Fits(m_wGlyphs, glyphBytes, QT_TRANSLATE_NOOP("ImageInspect", "glyphs")))
            return;
        if (m_wGlyphs + glyphBytes != m_nSize)
            Problem(Format(QT_TRANSLATE_NOOP("ImageInspect", "the glyphs end at %zu, the image at %zu"),
                           m_wGlyphs + glyphBytes, m_nSize));
        CheckGlyphs(doubles, singles);
        KeepGlyphs(doubles, singles);
        m_bComplete = true;
    }

    // The glyphs as the index finds them (the first entry of a character listed twice wins).
    void KeepGlyphs(const std::vector<WORD>& doubles, const std::vector<BYTE>& singles)
    {
        const BYTE* g = m_pImage + m_wGlyphs;
        for (WORD code : doubles) {
            std::array<BYTE, DOUBLE_GLYPH_SIZE> glyph;
            std::memcpy(glyph.data(), g, DOUBLE_GLYPH_SIZE);
            m_pDecoded->doubleGlyphs.emplace(code, glyph);
            g += DOUBLE_GLYPH_SIZE;
        }
        for (BYTE code : singles) {
            std::array<BYTE, SINGLE_GLYPH_SIZE> glyph;
            std::memcpy(glyph.data(), g, SINGLE_GLYPH_SIZE);
            m_pDecoded->singleGlyphs.emplace(code, glyph);
            g += SINGLE_GLYPH_SIZE;
        }
    }

    void CheckCharacterLists(const std::vector<WORD>& doubles, const std::vector<BYTE>& singles)
    {
        std::string doubleText, singleText;
        for (WORD code : doubles) {
            doubleText += static_cast<char>(code & 0xFF);
            doubleText += static_cast<char>(code >> 8);
        }
        for (BYTE code : singles)
            singleText += static_cast<char>(code);
        Line(Format(QT_TRANSLATE_NOOP("ImageInspect", "character index: %zu double-byte \"%s\""), doubles.size(),
                    CharText(doubleText).c_str()));
        Line(Format(QT_TRANSLATE_NOOP("ImageInspect", "character index: %zu single-byte \"%s\""), singles.size(),
                    CharText(singleText).c_str()));

        const std::string seedDouble = SEED_DOUBLE_BYTE_TEXT, seedSingle = SEED_SINGLE_BYTE_TEXT;
        if (doubleText.compare(0, seedDouble.size(), seedDouble) != 0)
            Problem(Say(QT_TRANSLATE_NOOP(
                "ImageInspect",
                "character index: the double-byte entries do not start with the runtime's own characters")));
        if (singleText.compare(0, seedSingle.size(), seedSingle) != 0)
            Problem(Say(QT_TRANSLATE_NOOP(
                "ImageInspect",
                "character index: the single-byte entries do not start with the runtime's own characters")));
        const std::set<WORD> doubleSet(doubles.begin(), doubles.end());
        const std::set<BYTE> singleSet(singles.begin(), singles.end());
        if (doubleSet.size() != doubles.size() || singleSet.size() != singles.size())
            Problem(Say(QT_TRANSLATE_NOOP("ImageInspect", "character index: a character is listed twice")));
        for (WORD code : m_usedDouble)
            if (!doubleSet.count(code))
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect",
                                                 "character index: static text character %02X %02X has no entry"),
                               code & 0xFF, code >> 8));
        for (BYTE code : m_usedSingle)
            if (!singleSet.count(code))
                Problem(Format(QT_TRANSLATE_NOOP("ImageInspect",
                                                 "character index: static text character 0x%02X has no entry"),
                               code));
    }

    void CheckGlyphs(const std::vector<WORD>& doubles, const std::vector<BYTE>& singles)
    {
        DWORD fontSize = 0;
        const BYTE* font = CPixelResources::GetResource(CPixelResources::PIC_PIXEL_FONT, &fontSize);
        const BYTE* g = m_pImage + m_wGlyphs;
        for (size_t i = 0; i < doubles.size(); ++i, g += DOUBLE_GLYPH_SIZE) {
            BYTE expected[DOUBLE_GLYPH_SIZE] = {};
            const long offset = CPixelResources::GetChineseCharOffset(doubles[i]);
            if (font && offset >= 0 && offset + DOUBLE_GLYPH_FONT_BYTES <= long(fontSize))
                std::memcpy(expected, font + offset, DOUBLE_GLYPH_FONT_BYTES);
            if (std::memcmp(expected, g, DOUBLE_GLYPH_SIZE) != 0)
                Problem(Format(
                    QT_TRANSLATE_NOOP("ImageInspect",
                                      "glyph of double-byte character %zu (%02X %02X) differs from the font table"),
                    i, doubles[i] & 0xFF, doubles[i] >> 8));
        }
        for (size_t j = 0; j < singles.size(); ++j, g += SINGLE_GLYPH_SIZE)
            if (!font || std::memcmp(font + SINGLE_GLYPH_SIZE * singles[j], g, SINGLE_GLYPH_SIZE) != 0)
                Problem(
                    Format(QT_TRANSLATE_NOOP("ImageInspect",
                                             "glyph of single-byte character %zu (0x%02X) differs from the font table"),
                           j, singles[j]));
    }

    const BYTE* m_pImage;
    size_t m_nSize;
    CImageInspector::REPORT& m_report;
    CImageInspector::IMAGE m_own;
    CImageInspector::IMAGE* m_pDecoded;
    bool m_bComplete = false;
    int m_nScreens = 0, m_nControls = 0, m_nParameters = 0, m_nStatic = 0, m_nTexts = 0;
    WORD m_wTextLength = 0, m_wIndex = 0, m_wGlyphs = 0;
    std::vector<CONTROL_ENTRY> m_controls;
    std::set<WORD> m_usedDouble;
    std::set<BYTE> m_usedSingle;
};

} // namespace

CImageInspector::REPORT CImageInspector::Inspect(const BYTE* image, size_t size)
{
    REPORT report;
    CInspection(image, size, report).Run();
    return report;
}

bool CImageInspector::Decode(const BYTE* bytes, size_t size, IMAGE& image, REPORT* report)
{
    REPORT own;
    image = IMAGE();
    CInspection inspection(bytes, size, report ? *report : own, &image);
    inspection.Run();
    return inspection.Complete();
}

std::string CImageInspector::FormatJson(const BYTE* bytes, size_t size)
{
    using Json = nlohmann::ordered_json;
    IMAGE image;
    REPORT report;
    const bool complete = Decode(bytes, size, image, &report);
    const bool header = size >= IMAGE_HEADER_SIZE;
    Json json = {{"format", "zqe-image"}, {"version", 1}, {"size", size}};
    json["length"] = header ? Json(ReadBE16(bytes + OFFSET_LENGTH)) : Json();
    json["imageVersion"] =
        header ? Json(CharText(
                     std::string(reinterpret_cast<const char*>(bytes + OFFSET_VERSION),
                                 strnlen(reinterpret_cast<const char*>(bytes + OFFSET_VERSION), VERSION_FIELD_SIZE))))
               : Json();
    json["backlight"] = header ? Json(image.backlight) : Json();
    json["functionPages"] = header ? Json(image.functionPages) : Json();
    json["screens"] = image.screens;
    Json controls = Json::array();
    for (size_t k = 0; k < image.controls.size(); ++k) {
        const std::array<BYTE, 16>& r = image.controls[k];
        controls.push_back({{"index", k},
                            {"screen", r[0]},
                            {"kind", KindKey(r[1])},
                            {"code", r[1]},
                            {"x", r[2]},
                            {"y", r[3]},
                            {"width", r[4]},
                            {"height", r[5]},
                            {"parameter", r[6] == 0xFF ? Json() : Json(r[6])},
                            {"label", r[7]},
                            {"inverted", r[14]},
                            {"number", r[15]}});
    }
    json["controls"] = controls;
    // A parameter record belongs to the k-th control that is not static.
    Json parameters = Json::array();
    size_t control = 0;
    for (const std::array<BYTE, 17>& r : image.parameters) {
        while (control < image.controls.size() && IsStaticCode(image.controls[control][1]))
            ++control;
        const BYTE code = control < image.controls.size() ? image.controls[control++][1] : BYTE(0xFF);
        Json entry = {{"kind", KindKey(code)}, {"index", r[16]}};
        if (HasParameterRecord(code)) {
            entry["station"] = r[0];
            entry["address"] = ReadBE16(r.data() + 1);
        }
        if (code == PANEL_CODE_REGISTER) {
            entry["digits"] = r[4];
            entry["decimals"] = r[5];
            entry["maximum"] = ReadBE16(r.data() + 6);
            entry["minimum"] = ReadBE16(r.data() + 8);
            entry["editable"] = r[12];
        }
        parameters.push_back(entry);
    }
    json["parameters"] = parameters;
    Json texts = Json::array();
    for (const std::string& text : image.texts)
        texts.push_back(CharText(text));
    json["texts"] = texts;
    json["doubleByteGlyphs"] = image.doubleGlyphs.size();
    json["singleByteGlyphs"] = image.singleGlyphs.size();
    json["problems"] = report.problems;
    json["consistent"] = complete && report.problems.empty();
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
