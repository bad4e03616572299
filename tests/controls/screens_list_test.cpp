// The screens list: screen IDs and zoom of new and copied screens, the active screen, the record,
// damaged records, the screen names offered to jump targets, and the compile assembly with its
// passes, screen numbers and counters.
#include "controls/attribute_enum.h"
#include "controls/control_function.h"
#include "controls/control_light.h"
#include "controls/control_register.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"

#include "support/test_panel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace ControlsTest;

namespace {

typedef std::vector<BYTE> Bytes;

std::vector<unsigned> ScreenIDs(CScreensList& list)
{
    std::vector<unsigned> ids;
    list.StartGetScreen();
    while (CScreenBase* s = list.GetNextScreen())
        ids.push_back(s->GetScreenID());
    return ids;
}

TEST(ScreensList, NewScreensTakeTheNextIDTheDeviceAndTheFirstZoom)
{
    CTestDevice device(100, 128, 64);
    CScreensList list;
    EXPECT_EQ(list.GetScreenCount(), 1);
    EXPECT_EQ(list.GetFirstScreen()->GetScreenID(), 0u);
    EXPECT_EQ(list.GetFirstScreen()->GetDependenceDevice(), nullptr);
    EXPECT_EQ(list.GetNextScreenID(), 1);
    EXPECT_EQ(list.GetActivateScreen(), nullptr);
    EXPECT_EQ(list.GetActivateScreenIndex(), -1);
    EXPECT_STREQ(list.GetActivateScreenName(), "");

    list.SetDependenceDevice(&device);
    EXPECT_EQ(list.GetFirstScreen()->GetDependenceDevice(), &device);
    list.GetFirstScreen()->SetScreenZoomRate(4.0);
    CScreenBase* second = list.AddNewScreen();
    list.AddNewScreen();
    EXPECT_EQ(ScreenIDs(list), (std::vector<unsigned>{0, 1, 2}));
    EXPECT_EQ(list.GetNextScreenID(), 3);
    EXPECT_EQ(second->GetDependenceDevice(), &device);
    EXPECT_EQ(second->GetScreenZoomRate(), 4.0);

    second->SetScreenZoomRate(2.0);
    second->AddControl(CControlBase::CONTROL_LIGHT);
    CScreenBase* copy = list.CopyScreen(second);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetScreenZoomRate(), 4.0);
    EXPECT_EQ(copy->GetScreenID(), 3u);
    EXPECT_STREQ(copy->GetScreenName(), "Screen_3");
    EXPECT_EQ(copy->GetControlCount(), 1);
    EXPECT_EQ(list.GetLastScreen(), copy);
    EXPECT_EQ(list.CopyScreen(nullptr), nullptr);
    EXPECT_EQ(list.GetControlsCount(), 2);
    EXPECT_EQ(list.GetScreenAt(1), second);
    EXPECT_EQ(list.GetScreenAt(9), nullptr);
    EXPECT_EQ(list.GetScreenIndex(copy), 3);
}

TEST(ScreensList, RemovingActivatesTheLastScreen)
{
    CScreensList list;
    CScreenBase* first = list.GetFirstScreen();
    CScreenBase* middle = list.AddNewScreen();
    CScreenBase* last = list.AddNewScreen();
    list.SetActivateScreen(middle);
    EXPECT_EQ(list.GetActivateScreenIndex(), 1);
    EXPECT_STREQ(list.GetActivateScreenName(), "Screen_1");
    EXPECT_EQ(list.RemoveCurrentActivateScreen(), middle);
    EXPECT_EQ(list.GetScreenCount(), 2);
    EXPECT_EQ(list.GetActivateScreen(), last);
    EXPECT_EQ(list.GetActivateScreenIndex(), 1);

    CScreensList other;
    list.SetActivateScreen(other.GetFirstScreen());
    EXPECT_EQ(list.GetActivateScreenIndex(), -1);
    // A screen of another list is left alone; the last screen becomes active anyway.
    list.RemoveScreen(other.GetFirstScreen());
    EXPECT_EQ(other.GetScreenCount(), 1);
    EXPECT_EQ(list.GetActivateScreen(), last);

    list.RemoveScreen(last);
    list.RemoveScreen(first);
    EXPECT_EQ(list.GetScreenCount(), 0);
    EXPECT_EQ(list.GetActivateScreen(), nullptr);
    EXPECT_EQ(list.GetActivateScreenIndex(), -1);
    EXPECT_EQ(list.RemoveCurrentActivateScreen(), nullptr);
    EXPECT_EQ(list.GetFirstScreen(), nullptr);
    EXPECT_EQ(list.GetLastScreen(), nullptr);
}

TEST(ScreensList, JumpTargetsOfferTheNewestListsScreens)
{
    CTestPanel panel;
    std::unique_ptr<CControlFunction> key(new CControlFunction(&panel.screen));
    {
        CScreensList list;
        list.GetFirstScreen()->SetScreenName("Main");
        list.AddNewScreen();
        EXPECT_EQ(CAttributeEnum::s_lpGobalScreensList, &list);
        CComboRecorder combo;
        key->GetJumpScreenAttribute()->AddAllItemToComboBox(&combo);
        EXPECT_EQ(combo.items, (std::vector<std::string>{CAttributeEnum::s_lpcszNotOperate, "Main", "Screen_1"}));
    }
    EXPECT_EQ(CAttributeEnum::s_lpGobalScreensList, nullptr);
}

TEST(ScreensList, RecordKeepsOrderActiveIndexAndNextIDButNotTheStartScreen)
{
    CTestDevice device(100, 128, 64);
    CScreensList list;
    list.SetDependenceDevice(&device);
    list.GetFirstScreen()->SetScreenName("one");
    list.AddNewScreen()->SetScreenName("two");
    list.AddNewScreen()->AddControl(CControlBase::CONTROL_REGISTER);
    list.GetLastScreen()->SetControlsAllNotSelected(nullptr);
    list.SetActivateScreen(list.GetScreenAt(1));
    list.SetStartScreenIndex(2);

    const Bytes saved = SaveBytes(list);
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(list.Save(nullptr, 0), DWORD(saved.size()));
    EXPECT_EQ(list.Compile(nullptr, 0), 0u);
    // Count, the screen records, active index, next screen ID.
    CBytes expected;
    expected.Dword(3);
    for (int i = 0; i < 3; ++i)
        expected.Append(SaveBytes(*list.GetScreenAt(i)));
    expected.Dword(1).Dword(3);
    EXPECT_EQ(saved, expected.Get());

    CScreensList loaded;
    loaded.SetDependenceDevice(&device);
    Bytes data = saved;
    EXPECT_EQ(loaded.Load(data.data(), DWORD(data.size())), DWORD(saved.size()));
    EXPECT_EQ(ScreenIDs(loaded), (std::vector<unsigned>{0, 1, 2}));
    EXPECT_STREQ(loaded.GetScreenAt(1)->GetScreenName(), "two");
    EXPECT_EQ(loaded.GetScreenAt(2)->GetDependenceDevice(), &device);
    EXPECT_EQ(loaded.GetActivateScreenIndex(), 1);
    EXPECT_EQ(loaded.GetActivateScreen(), nullptr);
    EXPECT_EQ(loaded.GetNextScreenID(), 3);
    EXPECT_EQ(loaded.GetStartScreenIndex(), 0);
    EXPECT_EQ(loaded.GetControlsCount(), 1);
    EXPECT_EQ(SaveBytes(loaded), saved);
}

TEST(ScreensList, DamagedRecordsAreReportedAndLeaveOneScreen)
{
    CTestDevice device(100, 128, 64);
    CScreensList list;
    list.SetDependenceDevice(&device);
    list.GetFirstScreen()->AddControl(CControlBase::CONTROL_LIGHT);
    list.AddNewScreen()->AddControl(CControlBase::CONTROL_STATIC_TEXT);
    const Bytes saved = SaveBytes(list);
    for (size_t cut = 0; cut < saved.size(); cut += (cut < 64 || saved.size() - cut < 64) ? 1 : 7) {
        Bytes part(saved.begin(), saved.begin() + long(cut));
        CScreensList loaded;
        loaded.SetDependenceDevice(&device);
        COMMON_EX::CRecordReader reader(part.data(), DWORD(part.size()));
        EXPECT_FALSE(loaded.LoadRecord(reader)) << cut;
        EXPECT_LE(reader.Consumed(), cut);
        EXPECT_GE(loaded.GetScreenCount(), 1);
    }
    // No screens at all is not a project.
    Bytes empty = CBytes().Dword(0).Dword(DWORD(-1)).Dword(1);
    CScreensList loaded;
    COMMON_EX::CRecordReader reader(empty.data(), DWORD(empty.size()));
    EXPECT_FALSE(loaded.LoadRecord(reader));
    EXPECT_EQ(loaded.GetScreenCount(), 1);
    // A screen with an unknown control kind stops the list there.
    Bytes unknown = CBytes()
                        .Dword(2)
                        .Append(SaveBytes(*list.GetFirstScreen()))
                        .Dword(9)
                        .Text("")
                        .Dword(0)
                        .Zeros(8)
                        .Dword(1)
                        .Dword(77)
                        .Zeros(24)
                        .Dword(0)
                        .Dword(5);
    CScreensList partial;
    COMMON_EX::CRecordReader unknownReader(unknown.data(), DWORD(unknown.size()));
    EXPECT_FALSE(partial.LoadRecord(unknownReader));
    EXPECT_EQ(partial.GetScreenCount(), 2);
    EXPECT_EQ(partial.GetNextScreenID(), 1);
}

// Registers R1 (screen 1) and R2, R3 (screen 2), lamp L1 on screen 1, and on both screens a
// static text and a function key.
class ScreensListCompile : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.SetDependenceDevice(&device);
        CScreenBase* s1 = list.GetFirstScreen();
        CScreenBase* s2 = list.AddNewScreen();
        t1 = Add<CControlStaticText>(s1, CControlBase::CONTROL_STATIC_TEXT);
        l1 = Add<CControlLight>(s1, CControlBase::CONTROL_LIGHT);
        r1 = Add<CControlRegister>(s1, CControlBase::CONTROL_REGISTER);
        f1 = Add<CControlFunction>(s1, CControlBase::CONTROL_FUNCTION);
        r2 = Add<CControlRegister>(s2, CControlBase::CONTROL_REGISTER);
        f2 = Add<CControlFunction>(s2, CControlBase::CONTROL_FUNCTION);
        t2 = Add<CControlStaticText>(s2, CControlBase::CONTROL_STATIC_TEXT);
        r3 = Add<CControlRegister>(s2, CControlBase::CONTROL_REGISTER);
        t2->SetText("A\xBE\xB2");
        r1->SetRegisterAddr(1);
        r2->SetRegisterAddr(2);
        r3->SetRegisterAddr(3);
        // Dirty counters: the list resets them.
        CScreenBase::s_byScreenID = 9;
        CControlBase::s_byCompileControlID = 50;
        CControlBase::s_byCompileParameterIndex = 60;
        CControlBase::s_byCompileLabelStringIndex = 70;
        CControlBase::ResetCompileCharacters();
    }
    void TearDown() override
    {
        CScreenBase::s_byScreenID = 1;
        CControlBase::ResetCompileCharacters();
    }

    template <class T>
    T* Add(CScreenBase* screen, unsigned type)
    {
        T* control = dynamic_cast<T*>(screen->AddControl(type));
        screen->SetControlsAllNotSelected(nullptr);
        return control;
    }

    CTestDevice device{100, 192, 64};
    CScreensList list;
    CControlStaticText *t1 = nullptr, *t2 = nullptr;
    CControlLight* l1 = nullptr;
    CControlRegister *r1 = nullptr, *r2 = nullptr, *r3 = nullptr;
    CControlFunction *f1 = nullptr, *f2 = nullptr;
};

TEST_F(ScreensListCompile, ControlRecordsInPassOrderWithScreenNumbers)
{
    Bytes out(16 * 8 + 5, 0xEE);
    ASSERT_EQ(list.GetCompileControlData(out.data(), DWORD(out.size())), 16u * 8);
    // (screen, panel code, parameter index, label index, control number) per record.
    const int expected[8][5] = {
        {1, 6, 0, 0, 0},    // R1
        {2, 6, 1, 0, 1},    // R2
        {2, 6, 2, 0, 2},    // R3
        {1, 4, 3, 0, 3},    // L1
        {1, 3, 0xFF, 1, 4}, // T1
        {1, 7, 4, 0, 5},    // F1
        {2, 7, 5, 0, 6},    // F2
        {2, 3, 0xFF, 2, 7}, // T2
    };
    for (int i = 0; i < 8; ++i) {
        const BYTE* rec = &out[size_t(16 * i)];
        EXPECT_EQ(rec[0], expected[i][0]) << i;
        EXPECT_EQ(rec[1], expected[i][1]) << i;
        EXPECT_EQ(rec[6], expected[i][2]) << i;
        EXPECT_EQ(rec[7], expected[i][3]) << i;
        EXPECT_EQ(rec[15], expected[i][4]) << i;
    }
    EXPECT_EQ(out[16 * 8], 0xEE);

    // The parameter table walks the same order, so byte 16 matches byte 6.
    Bytes par(17 * 6, 0xEE);
    ASSERT_EQ(list.GetCompileControlParameterData(par.data(), DWORD(par.size())), 17u * 6);
    const int addresses[6] = {1001, 1002, 1003, -1, -1, -1};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(par[size_t(17 * i + 16)], i) << i;
        if (addresses[i] > 0) {
            EXPECT_EQ(par[size_t(17 * i + 1)] * 256 + par[size_t(17 * i + 2)], addresses[i]) << i;
        }
    }
    EXPECT_EQ(par[17 * 3 + 12], 0xFF);

    // Static texts: one walk, label order; a size query first collects the characters.
    const DWORD size = list.GetCompileStaticControlText(nullptr, 0);
    EXPECT_EQ(size, 10u + 6u);
    CControlBase::ResetCompileCharacters();
    Bytes texts(size, 0);
    EXPECT_EQ(list.GetCompileStaticControlText(texts.data(), size), size);
    EXPECT_EQ(Bytes(texts.begin() + 10, texts.end()), (Bytes{0xFF, 0x02, 0x00, 0x41, 0xBE, 0xB2}));
    EXPECT_EQ(CControlBase::s_wStaticTextLength, 6);
    EXPECT_EQ(CControlBase::s_listChinese.size(), 4u);
    EXPECT_EQ(CControlBase::s_listASCII, (std::vector<BYTE>{0x41}));
}

TEST_F(ScreensListCompile, DrawOrderDecidesTheOrderWithinAScreen)
{
    // Make R3 the first register of screen 2 by its input order.
    CScreenBase* s2 = list.GetScreenAt(1);
    s2->SetScreenZoomRate(1.0);
    r3->SetX(100);
    QRect rect;
    r3->GetControlRect(rect);
    int counter = 0;
    ASSERT_EQ(s2->ClickControlChangOrder(rect.topLeft(), counter), 1);
    Bytes out(16 * 8, 0);
    list.GetCompileControlData(out.data(), DWORD(out.size()));
    EXPECT_EQ(out[16 + 2], 100); // R3 right after R1
    EXPECT_EQ(out[32 + 2], BYTE(r2->GetX()));
}

TEST_F(ScreensListCompile, TooSmallBuffersAreNotOverrun)
{
    Bytes out(40, 0xEE); // two records and a half
    EXPECT_EQ(list.GetCompileControlData(out.data(), 40), 32u);
    Bytes par(20, 0xEE);
    EXPECT_EQ(list.GetCompileControlParameterData(par.data(), 20), 17u);
    Bytes texts(12, 0xEE);
    EXPECT_EQ(list.GetCompileStaticControlText(texts.data(), 12), 10u);
}

} // namespace
