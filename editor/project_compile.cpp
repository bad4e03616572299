// CProject's compile into the download image, and the checks made before it.
#include "editor/project.h"

#include "comkit/download_image.h"
#include "comkit/message_text.h"
#include "controls/compile_session.h"
#include "controls/screens_list.h"
#include "editor/editor_strings.h"
#include "editor/pixel_resources.h"

#include <cstring>

using namespace DOWNLOAD_IMAGE;

namespace {

struct COMPILE_COUNTS {
    int screens = 0;
    int controls = 0;
    int statics = 0;
    int Parameters() const { return controls - statics; }
};

COMPILE_COUNTS CountsOf(CScreensList* list)
{
    COMPILE_COUNTS counts;
    counts.screens = list->GetScreenCount();
    counts.controls = list->GetControlsCount();
    counts.statics = list->GetStaticControlsCount();
    return counts;
}

// A session over the project's screens whose character lists start with the characters the
// panel's runtime needs of its own, so the static texts only add what is new.
CCompileSession SessionOf(CScreensList* list)
{
    return CCompileSession(*list, {SEED_DOUBLE_BYTE_TEXT, SEED_SINGLE_BYTE_TEXT});
}

// Lets the static texts collect their characters after the seeds: the size of everything but
// the glyph data is then known.
DWORD ImageSize(CCompileSession& session, const COMPILE_COUNTS& counts)
{
    DWORD size =
        counts.controls > 0 ? IMAGE_HEADER_SIZE + CONTROL_RECORD_SIZE * DWORD(counts.controls) : IMAGE_HEADER_SIZE + 1;
    size += counts.Parameters() > 0 ? PARAMETER_RECORD_SIZE * DWORD(counts.Parameters()) : 1;
    const DWORD texts = session.StaticTexts(nullptr, 0); // without static texts: the seeds alone
    size += counts.statics > 0 ? texts : 1;
    size += FUNCTION_TABLE_SIZE + LIGHT_TABLE_SIZE;
    size += (INDEX_ENTRY_SIZE + DOUBLE_GLYPH_SIZE) * DWORD(session.DoubleByteCharacters().size());
    size += (INDEX_ENTRY_SIZE + SINGLE_GLYPH_SIZE) * DWORD(session.SingleByteCharacters().size());
    return size;
}

DWORD CopyTable(BYTE* out, UINT resource)
{
    DWORD size = 0;
    const BYTE* table = CPixelResources::GetResource(resource, &size);
    if (table)
        std::memcpy(out, table, size);
    return table ? size : 0;
}

// The character index at `p` and the glyphs after it; returns the end of the glyphs.
DWORD WriteCharacters(const CCompileSession& session, BYTE* image, DWORD p)
{
    const std::vector<WORD>& doubles = session.DoubleByteCharacters();
    const std::vector<BYTE>& singles = session.SingleByteCharacters();
    const DWORD glyphs = p + INDEX_ENTRY_SIZE * DWORD(doubles.size() + singles.size());
    WriteBE16(image + OFFSET_INDEX, p);
    WriteBE16(image + OFFSET_GLYPHS, glyphs);

    DWORD fontSize = 0;
    const BYTE* font = CPixelResources::GetResource(CPixelResources::PIC_PIXEL_FONT, &fontSize);
    DWORD glyph = glyphs;
    for (WORD code : doubles) {
        BYTE* entry = image + p;
        entry[0] = static_cast<BYTE>(code & 0xFF);
        entry[1] = static_cast<BYTE>(code >> 8);
        WriteBE16(entry + 2, glyph);
        // A character without a cell in the font table keeps a blank glyph.
        const long offset = CPixelResources::GetChineseCharOffset(code);
        if (font && offset >= 0 && DWORD(offset) + DOUBLE_GLYPH_FONT_BYTES < fontSize)
            std::memcpy(image + glyph, font + offset, DOUBLE_GLYPH_FONT_BYTES);
        p += INDEX_ENTRY_SIZE;
        glyph += DOUBLE_GLYPH_SIZE;
    }
    for (BYTE code : singles) {
        BYTE* entry = image + p;
        entry[0] = code;
        entry[1] = SINGLE_BYTE_MARK;
        WriteBE16(entry + 2, glyph);
        if (font)
            std::memcpy(image + glyph, font + SINGLE_GLYPH_SIZE * code, SINGLE_GLYPH_SIZE);
        p += INDEX_ENTRY_SIZE;
        glyph += SINGLE_GLYPH_SIZE;
    }
    return glyph;
}

} // namespace

CProject::COMPILE_CHECK CProject::CheckCompile(std::string* message)
{
    const int controls = GetControlsCount();
    if (!m_pScreensList || controls > MAX_CONTROLS || controls == GetStaticControlsCount()) {
        if (message)
            *message = COMMON_EX::Tr("EditorStrings", CEditorStrings::Get(CEditorStrings::IDS_DOWNLOAD_REFUSED));
        return COMPILE_REFUSED;
    }
    const DWORD size = Compile(nullptr, 0);
    if (size > MAX_IMAGE_SIZE || GetScreenCount() > 0xFF) {
        if (message)
            *message =
                COMMON_EX::TrArgs("Download",
                                  QT_TRANSLATE_NOOP("Download",
                                                    "the download image would take %1 bytes; its 16-bit length and "
                                                    "offsets hold at most 65535: use fewer or shorter static "
                                                    "texts, or fewer different characters"),
                                  {std::to_string(size)});
        return COMPILE_TOO_LARGE;
    }
    return COMPILE_OK;
}

DWORD CProject::Compile(BYTE* buffer, DWORD size)
{
    if (!m_pScreensList)
        return 0;
    const COMPILE_COUNTS counts = CountsOf(m_pScreensList);
    CCompileSession session = SessionOf(m_pScreensList);
    const DWORD total = ImageSize(session, counts);
    if (!buffer)
        return total;
    // Counts are single bytes and the length and offsets 16-bit: such a project has no image.
    if (size < total || total > MAX_IMAGE_SIZE || counts.screens > 0xFF || counts.controls > 0xFF) {
        std::memset(buffer, 0, size);
        return 0;
    }
    return CompileImage(session, buffer, size);
}

DWORD CProject::CompileImage(CCompileSession& session, BYTE* image, DWORD size)
{
    const COMPILE_COUNTS counts = CountsOf(m_pScreensList);
    std::memset(image, 0, size);
    const char* version = CEditorStrings::Get(CEditorStrings::IDS_IMAGE_VERSION);
    // A fixed-width field of the zero-filled image, not a C text.
    std::memcpy(image + OFFSET_VERSION, version, std::strlen(version)); // NOLINT(bugprone-not-null-terminated-result)
    WriteBE16(image + OFFSET_BACKLIGHT, m_wBacklightDelay);
    image[OFFSET_CONSTANT] = CONSTANT_VALUE;
    for (int i = 0; i < FUNCTION_PAGE_COUNT; ++i)
        image[OFFSET_FUNCTION_PAGES + i] = static_cast<BYTE>(m_nFunctionPages[i]);
    image[OFFSET_SCREEN_COUNT] = static_cast<BYTE>(counts.screens);
    image[OFFSET_CONTROL_COUNT] = static_cast<BYTE>(counts.controls);
    image[OFFSET_PARAMETER_COUNT] = static_cast<BYTE>(counts.Parameters());

    DWORD p = IMAGE_HEADER_SIZE;
    if (counts.controls > 0) {
        session.ControlRecords(image + p, size - p);
        p += CONTROL_RECORD_SIZE * DWORD(counts.controls);
    } else {
        image[p++] = EMPTY_SECTION;
    }
    // Kinds without a parameter record leave their share of the section zero.
    if (counts.Parameters() > 0) {
        session.ParameterRecords(image + p, size - p);
        p += PARAMETER_RECORD_SIZE * DWORD(counts.Parameters());
    } else {
        image[p++] = EMPTY_SECTION;
    }
    DWORD textLength = EMPTY_STATIC_TEXT_LENGTH;
    if (counts.statics > 0) {
        p += session.StaticTexts(image + p, size - p);
        textLength = 2 * (DWORD(counts.statics) + session.StaticTextLength());
    } else {
        session.StaticTexts(nullptr, 0); // the seeds alone
        image[p++] = EMPTY_SECTION;
    }
    WriteBE16(image + OFFSET_STATIC_TEXT_LENGTH, textLength);

    p += CopyTable(image + p, CPixelResources::PIC_PIXEL_FUNCTION);
    p += CopyTable(image + p, CPixelResources::PIC_PIXEL_LIGHT);
    p = WriteCharacters(session, image, p);
    WriteBE16(image + OFFSET_LENGTH, p);
    return p;
}
