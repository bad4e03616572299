// What one control compiles to: its 16-byte control record, its 17-byte parameter record and its
// static text record, with the running counters and the character lists.
#include "controls/control_creator.h"
#include "controls/control_function.h"
#include "controls/control_light.h"
#include "controls/control_register.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"

#include "support/test_panel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace ControlsTest;

namespace {

const char* const STATIC_TEXT = "\xBE\xB2\xCC\xAC\xCE\xC4\xD7\xD6"; // 静态文字

typedef std::vector<BYTE> Bytes;

class ControlCompile : public ::testing::Test {
protected:
    void SetUp() override
    {
        CScreenBase::s_byScreenID = 1;
        CControlBase::s_byCompileControlID = 0;
        CControlBase::s_byCompileParameterIndex = 0;
        CControlBase::s_byCompileLabelStringIndex = 0;
        CControlBase::ResetCompileCharacters();
    }
    void TearDown() override { SetUp(); }

    template <class T>
    std::unique_ptr<T> Make(unsigned type)
    {
        return std::unique_ptr<T>(dynamic_cast<T*>(CControlCreator::Create(type, &panel.screen)));
    }

    static Bytes ControlRecord(CControlBase& c)
    {
        Bytes out(16, 0xEE);
        EXPECT_EQ(c.GetCompileControlData(out.data(), DWORD(out.size())), 16u);
        return out;
    }
    static Bytes ParameterRecord(CControlBase& c)
    {
        Bytes out(17, 0xEE);
        out.resize(c.GetCompileControlParameterData(out.data(), DWORD(out.size())));
        return out;
    }
    static Bytes TextRecord(CControlBase& c)
    {
        const DWORD size = c.GetCompileStaticControlText(nullptr, 0);
        Bytes out(size + 4, 0xEE);
        EXPECT_EQ(c.GetCompileStaticControlText(out.data(), DWORD(out.size())), size);
        out.resize(size);
        return out;
    }

    CTestPanel panel{192, 64};
};

TEST_F(ControlCompile, RegisterControlRecordOfTheFirstControl)
{
    auto reg = Make<CControlRegister>(CControlBase::CONTROL_REGISTER);
    ASSERT_TRUE(reg);
    ASSERT_TRUE(reg->SetX(10));
    ASSERT_TRUE(reg->SetY(20));
    ASSERT_EQ(reg->GetWidth(), 40);
    ASSERT_EQ(reg->GetHeight(), 12);
    EXPECT_EQ(ControlRecord(*reg),
              (Bytes{0x01, 0x06, 0x0A, 0x14, 0x28, 0x0C, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(CControlBase::s_byCompileControlID, 1);
    EXPECT_EQ(CControlBase::s_byCompileParameterIndex, 1);
    EXPECT_EQ(CControlBase::s_byCompileLabelStringIndex, 0);
}

TEST_F(ControlCompile, LampAfterTwoRegistersOnScreenTwo)
{
    auto r1 = Make<CControlRegister>(CControlBase::CONTROL_REGISTER);
    auto r2 = Make<CControlRegister>(CControlBase::CONTROL_REGISTER);
    auto lamp = Make<CControlLight>(CControlBase::CONTROL_LIGHT);
    ControlRecord(*r1);
    ControlRecord(*r2);
    lamp->SetShape(CControlLight::SHAPE_ROUND);
    lamp->SetInvertColor(1);
    CScreenBase::s_byScreenID = 2;
    const Bytes rec = ControlRecord(*lamp);
    EXPECT_EQ(rec[0], 2);
    EXPECT_EQ(rec[1], 4);
    EXPECT_EQ(rec[6], 2);
    EXPECT_EQ(rec[7], 0);
    EXPECT_EQ(rec[8], 0);
    EXPECT_EQ(rec[14], 1);
    EXPECT_EQ(rec[15], 2);
    lamp->SetShape(CControlLight::SHAPE_SQUARE);
    EXPECT_EQ(ControlRecord(*lamp)[8], 1);
}

TEST_F(ControlCompile, FunctionKeyCarriesItsSettings)
{
    auto key = Make<CControlFunction>(CControlBase::CONTROL_FUNCTION);
    key->SetKeyIndex(2);
    key->SetValueSetting(CControlFunction::VALUE_HOLD);
    key->SetHand(0);
    key->SetFunction(CControlFunction::FUNCTION_JUMP);
    key->SetJumpScreen(3);
    const Bytes rec = ControlRecord(*key);
    EXPECT_EQ(rec[1], 7);
    EXPECT_EQ(rec[6], 0);
    EXPECT_EQ(rec[7], 0);
    EXPECT_EQ(rec[8], 3);  // key image index + 1
    EXPECT_EQ(rec[9], 3);  // hold
    EXPECT_EQ(rec[10], 0); // no hand
    EXPECT_EQ(rec[11], 0);
    EXPECT_EQ(rec[12], 1); // jump
    EXPECT_EQ(rec[13], 3);
    key->SetInvisible(1);
    EXPECT_EQ(ControlRecord(*key)[11], 1);
    // A jumping key still carries its coil.
    key->SetCoil(1);
    key->SetCoilAddr(5);
    const Bytes par = ParameterRecord(*key);
    ASSERT_EQ(par.size(), 17u);
    EXPECT_EQ(par[1] * 256 + par[2], 2005);
}

TEST_F(ControlCompile, RegisterParameterRecord)
{
    auto reg = Make<CControlRegister>(CControlBase::CONTROL_REGISTER);
    reg->SetPLCStation(1);
    reg->SetRegister(0);
    reg->SetRegisterAddr(0x1234);
    ASSERT_EQ(reg->GetIntegerDigits(), 5);
    ASSERT_EQ(reg->GetDecimalDigits(), 0);
    ASSERT_EQ(reg->GetMaximum(), 60000);
    CControlBase::s_byCompileParameterIndex = 9;
    EXPECT_EQ(ParameterRecord(*reg), (Bytes{0x01, 0x12, 0x34, 0x01, 0x05, 0x00, 0xEA, 0x60, 0x00, 0x00, 0x00, 0x00,
                                            0x00, 0x00, 0x00, 0x00, 0x09}));
    EXPECT_EQ(CControlBase::s_byCompileParameterIndex, 10);

    // Flags, limits cut to 16 bits, the station cut to 8, the register kind's conversion.
    reg->SetIntegerDigits(3);
    reg->SetDecimalDigits(2);
    reg->SetAsterisk(1);
    reg->SetEditable(1);
    reg->SetInvalidZero(1);
    reg->SetMaximum(0x12345);
    reg->SetMinimum(-2);
    reg->SetPLCStation(0x101);
    reg->SetRegister(2);
    reg->SetRegisterAddr(1);
    EXPECT_EQ(ParameterRecord(*reg), (Bytes{0x01, 0x07, 0xD1, 0x01, 0x03, 0x02, 0x23, 0x45, 0xFF, 0xFE, 0x01, 0x00,
                                            0x01, 0x01, 0x00, 0x00, 0x0A}));
}

TEST_F(ControlCompile, CoilParameterRecords)
{
    auto lamp = Make<CControlLight>(CControlBase::CONTROL_LIGHT);
    lamp->SetPLCStation(3);
    lamp->SetCoil(0);
    lamp->SetCoilAddr(0x0102);
    EXPECT_EQ(ParameterRecord(*lamp), (Bytes{0x03, 0x01, 0x02, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0x01, 0, 0, 0x00}));
    auto key = Make<CControlFunction>(CControlBase::CONTROL_FUNCTION);
    const Bytes par = ParameterRecord(*key);
    ASSERT_EQ(par.size(), 17u);
    EXPECT_EQ(par[3], 1);
    EXPECT_EQ(par[12], 0xFF);
    EXPECT_EQ(par[13], 1);
    EXPECT_EQ(par[16], 1);
}

TEST_F(ControlCompile, StaticKindsHaveNoParameterButTheRestKeepTheTableAligned)
{
    auto text = Make<CControlStaticText>(CControlBase::CONTROL_STATIC_TEXT);
    auto picture = Make<CControlBase>(CControlBase::CONTROL_PICTURE);
    Bytes rec = ControlRecord(*picture);
    EXPECT_EQ(rec[1], 8);
    EXPECT_EQ(rec[6], 0xFF);
    EXPECT_EQ(rec[7], 0);
    EXPECT_EQ(rec[15], 0);
    EXPECT_TRUE(ParameterRecord(*picture).empty());
    EXPECT_TRUE(ParameterRecord(*text).empty());
    EXPECT_EQ(CControlBase::s_byCompileParameterIndex, 0);

    rec = ControlRecord(*text);
    EXPECT_EQ(rec[1], 3);
    EXPECT_EQ(rec[6], 0xFF);
    EXPECT_EQ(rec[7], 1);
    EXPECT_EQ(ControlRecord(*text)[7], 2);

    // Trend, bar chart and dynamic text take a parameter index in their control record and a
    // placeholder record carrying it, so later parameters stay at their index.
    const BYTE codes[] = {0, 0, 0, 0, 0, 0, 5, 0, 0};
    for (unsigned type : {5u, 6u, 8u}) {
        auto plain = Make<CControlBase>(type);
        const BYTE index = CControlBase::s_byCompileParameterIndex;
        rec = ControlRecord(*plain);
        EXPECT_EQ(rec[1], codes[type]) << type;
        EXPECT_EQ(rec[6], index);
        const Bytes par = ParameterRecord(*plain);
        ASSERT_EQ(par.size(), 17u);
        EXPECT_EQ(par[16], BYTE(index + 1));
        EXPECT_EQ(Bytes(par.begin(), par.end() - 1), Bytes(16, 0));
        EXPECT_TRUE(TextRecord(*plain).empty());
    }
}

TEST_F(ControlCompile, StaticTextRecordAndCharacters)
{
    auto text = Make<CControlStaticText>(CControlBase::CONTROL_STATIC_TEXT);
    ASSERT_STREQ(text->GetText(), STATIC_TEXT);
    EXPECT_EQ(TextRecord(*text), (Bytes{0xFF, 0x04, 0xBE, 0xB2, 0xCC, 0xAC, 0xCE, 0xC4, 0xD7, 0xD6}));
    EXPECT_EQ(CControlBase::s_wStaticTextLength, 8); // the size query counted too
    EXPECT_EQ(CControlBase::s_listChinese, (std::vector<WORD>{0xB2BE, 0xACCC, 0xC4CE, 0xD6D7}));
    EXPECT_TRUE(CControlBase::s_listASCII.empty());

    text->SetText("A1");
    EXPECT_EQ(TextRecord(*text), (Bytes{0xFF, 0x02, 0x00, 0x41, 0x00, 0x31}));
    text->SetText("1A\xBE\xB2");
    EXPECT_EQ(TextRecord(*text), (Bytes{0xFF, 0x03, 0x00, 0x31, 0x00, 0x41, 0xBE, 0xB2}));
    EXPECT_EQ(CControlBase::s_listASCII, (std::vector<BYTE>{0x41, 0x31}));
    EXPECT_EQ(CControlBase::s_listChinese.size(), 4u);
    EXPECT_EQ(CControlBase::s_wStaticTextLength, 8 + 4 + 6);

    // A record that does not fit is not written and counts nothing.
    Bytes small(7, 0xEE);
    EXPECT_EQ(text->GetCompileStaticControlText(small.data(), DWORD(small.size())), 0u);
    EXPECT_EQ(small, Bytes(7, 0xEE));
    EXPECT_EQ(CControlBase::s_wStaticTextLength, 18);
}

TEST_F(ControlCompile, CutLeadByteCompilesAsTheDoubleByteCharacterItIsDrawnAs)
{
    // A text ending in a lead byte whose trail was cut off (a damaged file's) is drawn 8 + 13 wide:
    // the image holds it as a double-byte character with trail 0 (a blank glyph), never as a
    // single-byte character above 0x7F, which no panel font has.
    const char cut[] = "A\xD6";
    int width = 0, height = 0;
    EXPECT_EQ(CScreenBase::GetStringLength(cut, width, height), 8 + 13);
    EXPECT_EQ(CControlBase::CountCompileCharacters(cut), 2);
    CControlBase::CollectCompileCharacters(cut);
    EXPECT_EQ(CControlBase::s_listASCII, (std::vector<BYTE>{0x41}));
    EXPECT_EQ(CControlBase::s_listChinese, (std::vector<WORD>{0x00D6}));
}

TEST_F(ControlCompile, CharacterHelpersOfTheEditor)
{
    CControlBase::CollectCompileCharacters("\xB3\xCC\xD0\xF2\xD6\xD5\xD6\xB9"
                                           "09a-"); // 程序终止
    CControlBase::CollectCompileCharacters("a\xB3\xCC");
    EXPECT_EQ(CControlBase::s_listChinese, (std::vector<WORD>{0xCCB3, 0xF2D0, 0xD5D6, 0xB9D6}));
    EXPECT_EQ(CControlBase::s_listASCII, (std::vector<BYTE>{'0', '9', 'a', '-'}));
    EXPECT_EQ(CControlBase::CountCompileCharacters("\xB3\xCC"
                                                   "ab"),
              3);
    EXPECT_EQ(CControlBase::CountCompileCharacters(nullptr), 0);
    CControlBase::s_wStaticTextLength = 5;
    CControlBase::ResetCompileCharacters();
    EXPECT_TRUE(CControlBase::s_listChinese.empty());
    EXPECT_TRUE(CControlBase::s_listASCII.empty());
    EXPECT_EQ(CControlBase::s_wStaticTextLength, 0);
}

TEST_F(ControlCompile, OverlongTextCompilesAsItsFirst255Characters)
{
    auto text = Make<CControlStaticText>(CControlBase::CONTROL_STATIC_TEXT);
    text->SetText(std::string(300, 'x').c_str());
    const Bytes rec = TextRecord(*text);
    ASSERT_EQ(rec.size(), 2u + 2 * 255);
    EXPECT_EQ(rec[1], 255);
    EXPECT_EQ(rec[rec.size() - 1], 'x');
    EXPECT_EQ(CControlBase::s_wStaticTextLength, 2 * 255);
}

TEST_F(ControlCompile, TooLittleRoomWritesNothingAndKeepsTheCounters)
{
    auto reg = Make<CControlRegister>(CControlBase::CONTROL_REGISTER);
    Bytes out(16, 0xEE);
    EXPECT_EQ(reg->GetCompileControlData(out.data(), 15), 0u);
    EXPECT_EQ(reg->GetCompileControlParameterData(out.data(), 16), 0u);
    EXPECT_EQ(reg->GetCompileControlData(nullptr, 0), 16u);
    EXPECT_EQ(reg->GetCompileControlParameterData(nullptr, 0), 17u);
    EXPECT_EQ(out, Bytes(16, 0xEE));
    EXPECT_EQ(CControlBase::s_byCompileControlID, 0);
    EXPECT_EQ(CControlBase::s_byCompileParameterIndex, 0);
}

TEST_F(ControlCompile, CountersWrapAfter255)
{
    auto lamp = Make<CControlLight>(CControlBase::CONTROL_LIGHT);
    CControlBase::s_byCompileControlID = 255;
    CControlBase::s_byCompileParameterIndex = 255;
    const Bytes rec = ControlRecord(*lamp);
    EXPECT_EQ(rec[6], 255);
    EXPECT_EQ(rec[15], 255);
    EXPECT_EQ(CControlBase::s_byCompileControlID, 0);
    EXPECT_EQ(CControlBase::s_byCompileParameterIndex, 0);
}

} // namespace
