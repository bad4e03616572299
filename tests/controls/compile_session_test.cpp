// The compile session: each walk of the static texts starts from the seeds, whatever ran before.
#include "controls/compile_session.h"

#include "controls/control_base.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"

#include "support/test_panel.h"

#include <gtest/gtest.h>

using ControlsTest::CTestDevice;

namespace {

TEST(CompileSession, EveryStaticTextWalkStartsFromTheSeeds)
{
    CTestDevice device(100, 128, 64);
    CScreensList screens;
    screens.SetDependenceDevice(&device);
    auto* text =
        dynamic_cast<CControlStaticText*>(screens.GetFirstScreen()->AddControl(CControlBase::CONTROL_STATIC_TEXT));
    ASSERT_NE(text, nullptr);
    text->SetText("b\xB0\xA1"
                  "a"); // b, a double-byte character, a

    CCompileSession session(screens, {"ab", "\xB0\xA1x"});
    const DWORD measured = session.StaticTexts(nullptr, 0);
    EXPECT_EQ(measured, 2u + 2 * 3);
    const std::vector<BYTE> singles{'a', 'b', 'x'};
    const std::vector<WORD> doubles{0xA1B0};
    EXPECT_EQ(session.SingleByteCharacters(), singles);
    EXPECT_EQ(session.DoubleByteCharacters(), doubles);
    EXPECT_EQ(session.StaticTextLength(), 3);

    // A second walk, here writing, neither doubles the length nor keeps stray characters.
    CControlBase::s_listASCII.push_back('~');
    CControlBase::s_wStaticTextLength = 500;
    std::vector<BYTE> record(measured, 0xCD);
    EXPECT_EQ(session.StaticTexts(record.data(), DWORD(record.size())), measured);
    EXPECT_EQ(record, (std::vector<BYTE>{0xFF, 3, 0, 'b', 0xB0, 0xA1, 0, 'a'}));
    EXPECT_EQ(session.SingleByteCharacters(), singles);
    EXPECT_EQ(session.DoubleByteCharacters(), doubles);
    EXPECT_EQ(session.StaticTextLength(), 3);
}

TEST(CompileSession, ControlNumberingRestartsForEachTable)
{
    CTestDevice device(100, 128, 64);
    CScreensList screens;
    screens.SetDependenceDevice(&device);
    screens.GetFirstScreen()->AddControl(CControlBase::CONTROL_REGISTER);
    screens.GetFirstScreen()->AddControl(CControlBase::CONTROL_LIGHT);
    CCompileSession session(screens, {});

    std::vector<BYTE> first(2 * CControlBase::COMPILE_CONTROL_SIZE), second(first.size());
    CControlBase::s_byCompileControlID = 40;
    CControlBase::s_byCompileParameterIndex = 50;
    CScreenBase::s_byScreenID = 7;
    EXPECT_EQ(session.ControlRecords(first.data(), DWORD(first.size())), first.size());
    std::vector<BYTE> parameters(2 * CControlBase::COMPILE_PARAMETER_SIZE);
    EXPECT_EQ(session.ParameterRecords(parameters.data(), DWORD(parameters.size())), parameters.size());
    EXPECT_EQ(session.ControlRecords(second.data(), DWORD(second.size())), second.size());
    EXPECT_EQ(first, second);
    // Screen 1, parameters 0 and 1, control entries 0 and 1.
    EXPECT_EQ(first[0], 1);
    EXPECT_EQ(first[6], 0);
    EXPECT_EQ(first[15], 0);
    EXPECT_EQ(first[16 + 6], 1);
    EXPECT_EQ(first[16 + 15], 1);
    EXPECT_EQ(parameters[16], 0);
    EXPECT_EQ(parameters[17 + 16], 1);
}

} // namespace
