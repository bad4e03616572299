#include "project_test_support.h"

#include "comkit/download_image.h"
#include "editor/editor_strings.h"
#include "editor/image_inspect.h"
#include "editor/pixel_resources.h"

#include <cstring>

using namespace PROJECT_TEST;

namespace {

void ExpectConsistent(const Bytes& image)
{
    const CImageInspector::REPORT report = CImageInspector::Inspect(image.data(), image.size());
    for (const std::string& problem : report.problems)
        ADD_FAILURE() << problem;
}

// Number of index entries: (glyph offset - index offset) / 4.
int IndexEntries(const Bytes& image)
{
    return (BE16(image, 54) - BE16(image, 52)) / 4;
}

std::string RefusedText()
{
    return CEditorStrings::Get(CEditorStrings::IDS_DOWNLOAD_REFUSED);
}

// A GB2312 character that is neither a seed nor used elsewhere: row `lead`, cell `n`.
std::string Cell(int lead, int n)
{
    return std::string{static_cast<char>(lead), static_cast<char>(0xA1 + n)};
}

} // namespace

TEST(ProjectCompile, OneRegisterMakesThe2537ByteImage)
{
    auto project = NewProject();
    Add(project->GetFirstScreen(), CControlBase::CONTROL_REGISTER);
    project->SetFunctionPage(0, 1);
    EXPECT_EQ(project->CheckCompile(), CProject::COMPILE_OK);
    const Bytes image = CompileBytes(*project);
    ASSERT_EQ(image.size(), 2537u);
    EXPECT_EQ(BE16(image, 0), 2537);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[2])), "OS Korvane Ver 1.00");
    for (size_t i = 2 + 19; i < 34; ++i)
        EXPECT_EQ(image[i], 0) << i;
    EXPECT_EQ(BE16(image, 34), 0xFFFF);
    EXPECT_EQ(image[36], 6);
    EXPECT_EQ(image[37], 1);
    EXPECT_EQ(image[38], 0);
    for (size_t i = 41; i < 50; ++i)
        EXPECT_EQ(image[i], 0) << i;
    EXPECT_EQ(BE16(image, 50), 1);
    EXPECT_EQ(BE16(image, 52), 1053);
    EXPECT_EQ(BE16(image, 54), 1337);
    EXPECT_EQ(image[56], 1);
    EXPECT_EQ(image[57], 1);
    EXPECT_EQ(image[58], 1);
    EXPECT_EQ(image[59 + 16 + 17], 0xFF); // no static text
    // The symbol tables verbatim, lamps after keys.
    EXPECT_EQ(std::memcmp(&image[93], CPixelResources::GetResource(152), 832), 0);
    EXPECT_EQ(std::memcmp(&image[925], CPixelResources::GetResource(151), 128), 0);
    // First index entry: the first seed (程, B3 CC) and its glyph at [54]; the first single-byte
    // entry '0' follows the four double-byte glyphs.
    EXPECT_EQ(image[1053], 0xB3);
    EXPECT_EQ(image[1054], 0xCC);
    EXPECT_EQ(BE16(image, 1055), 1337);
    EXPECT_EQ(image[1053 + 16], '0');
    EXPECT_EQ(image[1053 + 17], 0xFF);
    EXPECT_EQ(BE16(image, 1053 + 18), 1337 + 4 * 32);
    EXPECT_EQ(IndexEntries(image), 71);
    ExpectConsistent(image);
}

TEST(ProjectCompile, GlyphsComeFromTheFontTable)
{
    auto project = NewProject();
    Add(project->GetFirstScreen(), CControlBase::CONTROL_REGISTER);
    const Bytes image = CompileBytes(*project);
    const BYTE* font = CPixelResources::GetResource(153);
    const long offset = CPixelResources::GetChineseCharOffset(0xCCB3);
    ASSERT_GE(offset, 0);
    EXPECT_EQ(std::memcmp(&image[1337], font + offset, 24), 0);
    for (int i = 24; i < 32; ++i)
        EXPECT_EQ(image[size_t(1337 + i)], 0);
    const size_t zeroGlyph = 1337 + 4 * 32; // '0' is the first single-byte character
    EXPECT_EQ(std::memcmp(&image[zeroGlyph], font + '0' * 16, 16), 0);
}

TEST(ProjectCompile, StaticTextsAddOnlyNewCharacters)
{
    auto project = NewProject();
    CScreenBase* screen = project->GetFirstScreen();
    Add(screen, CControlBase::CONTROL_LIGHT);
    AddText(screen, "AB 09*");
    Bytes image = CompileBytes(*project);
    EXPECT_EQ(IndexEntries(image), 71) << "seeded characters only";
    const WORD base = BE16(image, 52);

    AddText(screen, "温度");
    image = CompileBytes(*project);
    EXPECT_EQ(IndexEntries(image), 73);
    EXPECT_EQ(BE16(image, 52), base + 16 + 2 + 4); // a control record and the text record FF, 2, two cells
    const std::string temperature = Gbk("温度");
    EXPECT_EQ(image[BE16(image, 52) + 16], BYTE(temperature[0]));
    EXPECT_EQ(image[BE16(image, 52) + 17], BYTE(temperature[1]));

    AddText(screen, "度程");
    image = CompileBytes(*project);
    EXPECT_EQ(IndexEntries(image), 73);
    // 2 x (statics + characters): 3 texts of 6, 2 and 2 characters.
    EXPECT_EQ(BE16(image, 50), 2 * (3 + 10));
    ExpectConsistent(image);
}

TEST(ProjectCompile, SectionsWithoutRecordsHoldOneMarker)
{
    auto project = NewProject();
    EXPECT_EQ(project->Compile(nullptr, 0), 60u + 1 + 1 + 960 + 36 * 4 + 20 * 67);
    const Bytes image = CompileBytes(*project);
    EXPECT_EQ(image[59], 0xFF);
    EXPECT_EQ(image[60], 0xFF);
    EXPECT_EQ(image[61], 0xFF);
    EXPECT_EQ(image[57], 0);
}

TEST(ProjectCompile, ControlsComeInPassOrderAcrossScreens)
{
    auto project = NewProject();
    CScreenBase* first = project->GetFirstScreen();
    CScreenBase* second = project->AddNewScreen();
    Add(first, CControlBase::CONTROL_FUNCTION);
    Add(second, CControlBase::CONTROL_LIGHT);
    Add(second, CControlBase::CONTROL_REGISTER);
    AddText(first, "x");
    Add(first, CControlBase::CONTROL_REGISTER);
    const Bytes image = CompileBytes(*project);
    ASSERT_EQ(image[57], 5);
    ASSERT_EQ(image[58], 4);
    const BYTE expected[5][2] = {{1, 6}, {2, 6}, {2, 4}, {1, 7}, {1, 3}}; // screen, panel code
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(image[59 + 16 * k], expected[k][0]) << k;
        EXPECT_EQ(image[59 + 16 * k + 1], expected[k][1]) << k;
        EXPECT_EQ(image[59 + 16 * k + 15], k);
    }
    ExpectConsistent(image);
}

TEST(ProjectCompile, TheDownloadPrecondition)
{
    auto project = NewProject();
    std::string message;
    EXPECT_EQ(project->CheckCompile(&message), CProject::COMPILE_REFUSED);
    EXPECT_EQ(message, RefusedText());
    AddText(project->GetFirstScreen(), "only text");
    EXPECT_EQ(project->CheckCompile(&message), CProject::COMPILE_REFUSED);
    Add(project->GetFirstScreen(), CControlBase::CONTROL_LIGHT);
    EXPECT_EQ(project->CheckCompile(&message), CProject::COMPILE_OK);

    for (int i = 2; i < 256; ++i)
        Add(project->GetFirstScreen(), CControlBase::CONTROL_LIGHT);
    ASSERT_EQ(project->GetControlsCount(), 256);
    EXPECT_EQ(project->CheckCompile(&message), CProject::COMPILE_REFUSED);
    EXPECT_EQ(message, RefusedText());
    Bytes image(project->Compile(nullptr, 0), 0xCD);
    EXPECT_EQ(project->Compile(image.data(), DWORD(image.size())), 0u) << "256 controls have no image";
}

TEST(ProjectCompile, AnImageOf64KiBOrMoreIsRefused)
{
    auto project = NewProject();
    CScreenBase* screen = project->GetFirstScreen();
    Add(screen, CControlBase::CONTROL_REGISTER);
    // 1,880 distinct characters: 36 index and glyph bytes and 2 text bytes each.
    for (int lead = 0xB0; lead < 0xB0 + 20; ++lead) {
        std::string text;
        for (int n = 0; n < 94; ++n)
            text += Cell(lead, n);
        static_cast<CControlStaticText*>(Add(screen, CControlBase::CONTROL_STATIC_TEXT))->SetText(text.c_str());
    }
    const DWORD size = project->Compile(nullptr, 0);
    EXPECT_GE(size, 65536u);
    std::string message;
    EXPECT_EQ(project->CheckCompile(&message), CProject::COMPILE_TOO_LARGE);
    EXPECT_NE(message.find(std::to_string(size)), std::string::npos) << message;
    Bytes image(size, 0xCD);
    EXPECT_EQ(project->Compile(image.data(), size), 0u);
    EXPECT_EQ(image, Bytes(size, 0)) << "a refused compile leaves only the zero fill";
}

TEST(ProjectCompile, TooSmallABufferGetsNothing)
{
    auto project = NewProject();
    Add(project->GetFirstScreen(), CControlBase::CONTROL_REGISTER);
    Bytes image(2536, 0xCD);
    EXPECT_EQ(project->Compile(image.data(), 2536), 0u);
    EXPECT_EQ(image, Bytes(2536, 0));
}

TEST(ProjectCompile, TheInspectorAcceptsChartsAmongTheParameterRecords)
{
    // A bar chart, a trend and a dynamic text hold their own index-only parameter records in
    // the order of their control records, so a function key after them is not shifted.
    auto project = NewProject();
    CScreenBase* screen = project->GetFirstScreen();
    for (unsigned type :
         {CControlBase::CONTROL_CTLBAR, CControlBase::CONTROL_FUNCTION, CControlBase::CONTROL_CURVE,
          CControlBase::CONTROL_LIGHT, CControlBase::CONTROL_ACTIVATE_TEXT, CControlBase::CONTROL_REGISTER})
        Add(screen, type);
    Bytes image = CompileBytes(*project);
    ExpectConsistent(image);

    // Parameter section: register, lamp, bar chart, function key, trend, dynamic text.
    const size_t chart = 59 + 16 * 6 + 17 * 2;
    EXPECT_EQ(image[chart + 16], 2);
    image[chart + 3] = 1; // a chart's record carries nothing but its index
    EXPECT_EQ(CImageInspector::Inspect(image.data(), image.size()).problems.size(), 1u);
    image[chart + 3] = 0;
    image[chart + 16] = 7;
    EXPECT_EQ(CImageInspector::Inspect(image.data(), image.size()).problems.size(), 1u);
}

TEST(ProjectCompile, TheInspectorFindsDamage)
{
    auto project = NewProject();
    Add(project->GetFirstScreen(), CControlBase::CONTROL_REGISTER);
    AddText(project->GetFirstScreen(), "温度");
    const Bytes good = CompileBytes(*project);
    ExpectConsistent(good);

    auto problemsOf = [](const Bytes& image) {
        return CImageInspector::Inspect(image.data(), image.size()).problems.size();
    };
    Bytes longer = good;
    longer.push_back(0);
    EXPECT_GT(problemsOf(longer), 0u);
    EXPECT_GT(problemsOf(Bytes(good.begin(), good.end() - 1)), 0u);
    Bytes badIndex = good;
    badIndex[53] += 1;
    EXPECT_GT(problemsOf(badIndex), 0u);
    Bytes badGlyph = good;
    badGlyph[BE16(good, 54) + 3] ^= 0xFF;
    EXPECT_GT(problemsOf(badGlyph), 0u);
    Bytes badCount = good;
    badCount[58] = 2;
    EXPECT_GT(problemsOf(badCount), 0u);
    // Every cut is decoded without reading past it.
    for (size_t n = 0; n < good.size(); n += 13)
        EXPECT_GT(problemsOf(Bytes(good.begin(), good.begin() + long(n))), 0u) << n;
}

TEST(ProjectCompile, TheImageDoesNotDependOnWhatRanBefore)
{
    auto project = NewProject();
    CScreenBase* first = project->GetFirstScreen();
    CScreenBase* second = project->AddNewScreen();
    Add(first, CControlBase::CONTROL_FUNCTION);
    AddText(first, "温度 AB");
    Add(second, CControlBase::CONTROL_REGISTER);
    AddText(second, "压力 09");
    Add(second, CControlBase::CONTROL_LIGHT);
    const Bytes reference = CompileBytes(*project);
    ExpectConsistent(reference);

    // Twice in a row.
    EXPECT_EQ(CompileBytes(*project), reference);
    // After size queries and the download check, which walk the static texts too.
    EXPECT_EQ(project->Compile(nullptr, 0), reference.size());
    EXPECT_EQ(project->Compile(nullptr, 0), reference.size());
    EXPECT_EQ(project->CheckCompile(), CProject::COMPILE_OK);
    Bytes image(reference.size(), 0xCD);
    EXPECT_EQ(project->Compile(image.data(), DWORD(image.size())), reference.size());
    EXPECT_EQ(image, reference);
    // After another project's compile and with the process-wide state left anyhow.
    auto other = NewProject();
    AddText(other->GetFirstScreen(), "其它文字");
    CompileBytes(*other);
    CControlBase::s_byCompileControlID = 77;
    CControlBase::s_byCompileParameterIndex = 88;
    CControlBase::s_byCompileLabelStringIndex = 99;
    CControlBase::s_wStaticTextLength = 1234;
    CControlBase::s_listChinese.push_back(0xA1B0);
    CControlBase::s_listASCII.push_back('~');
    CScreenBase::s_byScreenID = 9;
    EXPECT_EQ(CompileBytes(*project), reference);
}
