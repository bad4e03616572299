// A screen and its controls: identity and name, the three lists, the screen record with the draw
// order carried by level indices, damaged records, copies, drawing and the per-screen compile
// passes.
#include "controls/control_creator.h"
#include "controls/control_light.h"
#include "controls/control_register.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"

#include "comkit/gui_ex_dc.h"

#include "support/test_panel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace ControlsTest;

namespace {

typedef std::vector<BYTE> Bytes;

std::vector<unsigned> IDs(const std::vector<CControlBase*>& controls)
{
    std::vector<unsigned> ids;
    ids.reserve(controls.size());
    for (const CControlBase* c : controls)
        ids.push_back(c->GetControlID());
    return ids;
}

// A screen loaded from bytes on the same panel model.
struct Loaded {
    Loaded(CTestDevice& device, Bytes bytes) : data(std::move(bytes))
    {
        screen.SetDependenceDevice(&device);
        COMMON_EX::CRecordReader reader(data.data(), DWORD(data.size()));
        whole = screen.LoadRecord(reader);
        consumed = reader.Consumed();
    }
    Bytes data;
    CScreenBase screen;
    bool whole = false;
    DWORD consumed = 0;
};

TEST(Screen, NamesItselfFromItsIDOnce)
{
    CScreenBase screen;
    EXPECT_EQ(screen.GetScreenID(), 0u);
    EXPECT_FALSE(screen.HasScreenName());
    CScreenBase other;
    other.SetScreenID(3);
    EXPECT_STREQ(other.GetScreenName(), "Screen_3");
    other.SetScreenID(4);
    EXPECT_STREQ(other.GetScreenName(), "Screen_3");
    EXPECT_STREQ(screen.GetScreenName(), "Screen_0");

    screen.SetScreenName(std::string(300, 'n').c_str());
    EXPECT_EQ(std::string(screen.GetScreenName()), std::string(255, 'n'));
    const Bytes saved = SaveBytes(screen);
    ASSERT_GE(saved.size(), 8u);
    EXPECT_EQ(COMMON_EX::ReadLE32(&saved[4]), 255u);
    screen.SetScreenName(nullptr);
    EXPECT_FALSE(screen.HasScreenName());
}

TEST(Screen, AddsControlsToAllThreeLists)
{
    CTestPanel panel;
    CScreenBase& screen = panel.screen;
    EXPECT_EQ(screen.AddControl(99u), nullptr);
    EXPECT_EQ(screen.GetControlCount(), 0);

    CControlBase* text = screen.AddControl(CControlBase::CONTROL_STATIC_TEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetControlID(), 0u);
    EXPECT_EQ(text->GetSelected(), 1);
    EXPECT_EQ(text->GetMultipleSelectedType(), 0);
    screen.SetControlsAllNotSelected(nullptr);
    CControlBase* reg = screen.AddControl(CControlBase::CONTROL_REGISTER);
    CControlBase* picture = screen.AddControl(CControlBase::CONTROL_PICTURE);
    EXPECT_EQ(reg->GetControlID(), 1u);
    EXPECT_EQ(picture->GetControlID(), 2u);
    EXPECT_EQ(screen.GetControlCount(), 3);
    EXPECT_EQ(screen.GetStaticControlsCount(), 2);
    EXPECT_EQ(screen.GetCurrentSelectControlsCount(), 2);
    EXPECT_EQ(screen.GetControlByID(1), reg);
    EXPECT_EQ(screen.GetControlByID(7), nullptr);

    CControlBase* kept = CControlCreator::Create(CControlBase::CONTROL_LIGHT, &screen);
    kept->SetControlID(40);
    EXPECT_EQ(screen.AddControl(kept, 0), 40u);
    CControlBase* renumbered = CControlCreator::Create(CControlBase::CONTROL_LIGHT, &screen);
    renumbered->SetControlID(40);
    EXPECT_EQ(screen.AddControl(renumbered, 1), 3u);
    EXPECT_EQ(screen.AddControl(nullptr, 1), 0u);
    EXPECT_EQ(screen.GetNextControlID(), 4);

    std::vector<CControlBase*> walked;
    screen.StartGetControls();
    while (CControlBase* c = screen.GetNextControls())
        walked.push_back(c);
    EXPECT_EQ(IDs(walked), (std::vector<unsigned>{0, 1, 2, 40, 3}));
    EXPECT_EQ(walked, screen.GetCreatedControls());
}

TEST(Screen, RecordLayout)
{
    CTestPanel panel;
    CScreenBase& screen = panel.screen;
    screen.SetScreenID(7);
    screen.SetScreenName("AB");
    screen.SetScreenZoomRate(2.5);
    screen.SetScreenX(-3);
    screen.SetScreenY(9);
    CControlBase* lamp = screen.AddControl(CControlBase::CONTROL_LIGHT);
    const Bytes lampRecord = SaveBytes(*lamp);
    int nx, ny, cx, ry;
    screen.GetDefPosCursor(nx, ny, cx, ry);

    const Bytes expected = CBytes()
                               .Dword(7)
                               .Text("AB")
                               .Dword(1)
                               .Dword(0)
                               .Dword(0x40040000) // 2.5: low word, then high word
                               .Dword(1)
                               .Append(lampRecord)
                               .Dword(DWORD(-3))
                               .Dword(9)
                               .Dword(DWORD(nx))
                               .Dword(DWORD(ny))
                               .Dword(DWORD(cx))
                               .Dword(DWORD(ry));
    const Bytes saved = SaveBytes(screen);
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(screen.Save(nullptr, 0), DWORD(saved.size()));
    EXPECT_EQ(screen.Compile(nullptr, 0), 0u);

    Loaded loaded(panel.device, saved);
    EXPECT_TRUE(loaded.whole);
    EXPECT_EQ(loaded.consumed, DWORD(saved.size()));
    CScreenBase fresh;
    fresh.SetDependenceDevice(&panel.device);
    Bytes copy = saved;
    EXPECT_EQ(fresh.Load(copy.data(), DWORD(copy.size())), DWORD(saved.size()));
    EXPECT_EQ(loaded.screen.GetScreenID(), 7u);
    EXPECT_STREQ(loaded.screen.GetScreenName(), "AB");
    EXPECT_EQ(loaded.screen.GetScreenZoomRate(), 2.5);
    EXPECT_EQ(loaded.screen.GetScreenX(), -3);
    EXPECT_EQ(loaded.screen.GetScreenY(), 9);
    EXPECT_EQ(loaded.screen.GetNextControlID(), 1);
    ASSERT_EQ(loaded.screen.GetControlCount(), 1);
    // Selection is not restored.
    EXPECT_EQ(loaded.screen.GetCurrentSelectControlsCount(), 0);
    EXPECT_EQ(loaded.screen.GetLayoutControls()[0]->GetSelected(), 0);
    screen.SetControlsAllNotSelected(nullptr);
    EXPECT_EQ(SaveBytes(loaded.screen), SaveBytes(screen));

    // A zoom that cannot scale loads as the default.
    Bytes zero = saved;
    std::memset(&zero[12 + 2], 0, 8);
    EXPECT_EQ(Loaded(panel.device, zero).screen.GetScreenZoomRate(), CScreenBase::DEFAULT_ZOOM_RATE);
    std::memset(&zero[12 + 2], 0xFF, 8); // NaN
    EXPECT_EQ(Loaded(panel.device, zero).screen.GetScreenZoomRate(), CScreenBase::DEFAULT_ZOOM_RATE);

    // An unnamed screen stores length 0 and loads unnamed.
    CScreenBase unnamed;
    const Bytes plain = SaveBytes(unnamed);
    EXPECT_EQ(COMMON_EX::ReadLE32(&plain[4]), 0u);
    Loaded back(panel.device, plain);
    EXPECT_TRUE(back.whole);
    EXPECT_FALSE(back.screen.HasScreenName());
}

TEST(Screen, DrawOrderSurvivesSaveAndLoad)
{
    CTestPanel panel{192, 64};
    CScreenBase& screen = panel.screen;
    CControlBase* r1 = screen.AddControl(CControlBase::CONTROL_REGISTER);
    CControlBase* r2 = screen.AddControl(CControlBase::CONTROL_REGISTER);
    CControlBase* r3 = screen.AddControl(CControlBase::CONTROL_REGISTER);
    // Register input order R3, R1, R2 by clicks (at zoom 1 a design point names the same panel
    // point, so a control's own top-left hits it).
    int counter = 0;
    for (CControlBase* r : {r3, r1, r2}) {
        QRect rect;
        r->GetControlRect(rect);
        ASSERT_EQ(screen.ClickControlChangOrder(rect.topLeft(), counter), 1);
    }
    EXPECT_EQ(screen.GetLayoutControls(), (std::vector<CControlBase*>{r3, r1, r2}));
    // A control added later is drawn last and stays last after a reload.
    CControlBase* lamp = screen.AddControl(CControlBase::CONTROL_LIGHT);
    screen.SetControlsAllNotSelected(nullptr);

    const Bytes saved = SaveBytes(screen);
    Loaded loaded(panel.device, saved);
    ASSERT_TRUE(loaded.whole);
    EXPECT_EQ(IDs(loaded.screen.GetCreatedControls()), IDs({r1, r2, r3, lamp}));
    EXPECT_EQ(IDs(loaded.screen.GetLayoutControls()), IDs({r3, r1, r2, lamp}));
    EXPECT_EQ(SaveBytes(loaded.screen), saved);
}

TEST(Screen, UnknownControlTypeStopsTheRead)
{
    CTestPanel panel;
    CControlBase* lamp = panel.screen.AddControl(CControlBase::CONTROL_LIGHT);
    const Bytes lampRecord = SaveBytes(*lamp);
    const Bytes record = CBytes()
                             .Dword(1)
                             .Text("")
                             .Dword(2)
                             .Dword(0)
                             .Dword(0x3FF00000)
                             .Dword(3)
                             .Append(lampRecord)
                             .Dword(99) // unknown kind: read as the first trailer value
                             .Dword(11)
                             .Dword(12)
                             .Dword(13)
                             .Dword(14)
                             .Dword(15)
                             .Append(lampRecord);
    Loaded loaded(panel.device, record);
    EXPECT_FALSE(loaded.whole);
    EXPECT_EQ(loaded.screen.GetControlCount(), 1);
    EXPECT_EQ(loaded.screen.GetLayoutControls().size(), 1u);
    EXPECT_EQ(loaded.screen.GetScreenX(), 99);
    EXPECT_EQ(loaded.screen.GetScreenY(), 11);
    EXPECT_EQ(loaded.consumed, DWORD(record.size() - lampRecord.size()));
}

TEST(Screen, CutRecordsNeverReadPastTheirEnd)
{
    CTestPanel panel;
    CScreenBase& screen = panel.screen;
    screen.SetScreenName("cut");
    screen.AddControl(CControlBase::CONTROL_STATIC_TEXT);
    screen.AddControl(CControlBase::CONTROL_FUNCTION);
    const Bytes saved = SaveBytes(screen);
    for (size_t cut = 0; cut < saved.size(); ++cut) {
        // Each prefix in a buffer of its own size, so reading past it is caught by the sanitizer.
        Loaded loaded(panel.device, Bytes(saved.begin(), saved.begin() + long(cut)));
        EXPECT_FALSE(loaded.whole) << cut;
        EXPECT_LE(loaded.consumed, cut);
        EXPECT_EQ(loaded.screen.GetLayoutControls().size(), size_t(loaded.screen.GetControlCount()));
    }
    CScreenBase nothing;
    EXPECT_EQ(nothing.Load(nullptr, 100), 0u);
}

TEST(Screen, CloneCopiesControlsWithNewIDsInTheSameOrders)
{
    CTestPanel panel{192, 64};
    CScreenBase& screen = panel.screen;
    screen.SetScreenID(5);
    screen.SetScreenName("orig");
    CControlBase* r1 = screen.AddControl(CControlBase::CONTROL_REGISTER);
    CControlBase* r2 = screen.AddControl(CControlBase::CONTROL_REGISTER);
    r2->SetX(50);
    QRect rect;
    r2->GetControlRect(rect);
    int counter = 0;
    ASSERT_EQ(screen.ClickControlChangOrder(rect.topLeft(), counter), 1);
    ASSERT_EQ(screen.GetLayoutControls(), (std::vector<CControlBase*>{r2, r1}));

    std::unique_ptr<CScreenBase> copy(screen.Clone());
    EXPECT_EQ(copy->GetDependenceDevice(), &panel.device);
    EXPECT_EQ(copy->GetScreenID(), 0u);
    EXPECT_FALSE(copy->HasScreenName());
    EXPECT_EQ(copy->GetScreenZoomRate(), CScreenBase::DEFAULT_ZOOM_RATE);
    EXPECT_EQ(copy->GetCurrentSelectControlsCount(), 0);
    const std::vector<CControlBase*> created = copy->GetCreatedControls();
    ASSERT_EQ(created.size(), 2u);
    EXPECT_EQ(IDs(created), (std::vector<unsigned>{0, 1}));
    EXPECT_EQ(created[1]->GetX(), 50);
    EXPECT_EQ(created[0]->GetScreenPointer(), copy.get());
    EXPECT_EQ(copy->GetLayoutControls(), (std::vector<CControlBase*>{created[1], created[0]}));
}

TEST(Screen, AdjustControlsFollowsTheNewPLC)
{
    CTestPanel panel;
    CControlBase* reg = panel.screen.AddControl(CControlBase::CONTROL_REGISTER);
    reg->SetRegister(1); // "D"
    panel.device.registers = {"X9", "D"};
    panel.screen.AdjustControls();
    EXPECT_EQ(reg->GetRegister(), 1);
    panel.device.registers = {"D"};
    panel.screen.AdjustControls();
    EXPECT_EQ(reg->GetRegister(), 0);
}

TEST(Screen, DrawsControlsInDrawOrder)
{
    CGlyphTables tables;
    CTestPanel panel;
    CScreenBase& screen = panel.screen;
    CControlBase* a = screen.AddControl(CControlBase::CONTROL_LIGHT);
    CControlBase* b = screen.AddControl(CControlBase::CONTROL_STATIC_TEXT);
    b->SetInvertColor(1);
    screen.SetControlsAllNotSelected(nullptr);
    COM_GUI_EX::CGUIEXDC viaScreen(128, 64), byHand(128, 64);
    viaScreen.Clear(0xFFFFFF);
    byHand.Clear(0xFFFFFF);
    screen.DrawControls(&viaScreen);
    a->Draw(&byHand);
    b->Draw(&byHand);
    EXPECT_TRUE(*viaScreen.GetDC() == *byHand.GetDC());
    int changed = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x)
            changed += viaScreen.GetPixel(x, y) != 0xFFFFFF;
    EXPECT_GT(changed, 0);
}

TEST(Screen, CompilePassesFollowTheDrawOrder)
{
    CTestPanel panel{192, 64};
    CScreenBase& screen = panel.screen;
    CControlBase* text = screen.AddControl(CControlBase::CONTROL_STATIC_TEXT);
    CControlBase* lamp = screen.AddControl(CControlBase::CONTROL_LIGHT);
    CControlBase* reg = screen.AddControl(CControlBase::CONTROL_REGISTER);
    CControlBase* key = screen.AddControl(CControlBase::CONTROL_FUNCTION);
    CControlBase* picture = screen.AddControl(CControlBase::CONTROL_PICTURE);
    (void)text;
    (void)picture;
    CScreenBase::s_byScreenID = 4;
    CControlBase::s_byCompileControlID = 0;
    CControlBase::s_byCompileParameterIndex = 0;
    CControlBase::s_byCompileLabelStringIndex = 0;
    CControlBase::ResetCompileCharacters();

    Bytes out(16 * 5, 0);
    EXPECT_EQ(screen.GetCompileControlData(out.data(), DWORD(out.size()), CScreenBase::PASS_REGISTERS), 16u);
    EXPECT_EQ(out[1], 6);
    EXPECT_EQ(out[0], 4);
    EXPECT_EQ(screen.GetCompileControlData(out.data(), DWORD(out.size()), CScreenBase::PASS_LIGHTS), 16u);
    EXPECT_EQ(out[1], 4);
    EXPECT_EQ(screen.GetCompileControlData(out.data(), DWORD(out.size()), CScreenBase::PASS_OTHERS), 48u);
    EXPECT_EQ(out[1], 3);
    EXPECT_EQ(out[16 + 1], 7);
    EXPECT_EQ(out[32 + 1], 8);
    EXPECT_EQ(screen.GetCompileControlData(out.data(), DWORD(out.size()), 9), 0u);
    // Room for one record only: the rest is not written.
    EXPECT_EQ(screen.GetCompileControlData(out.data(), 20, CScreenBase::PASS_OTHERS), 16u);

    Bytes par(17 * 3, 0);
    EXPECT_EQ(screen.GetCompileControlParameterData(par.data(), DWORD(par.size()), CScreenBase::PASS_OTHERS), 17u);
    EXPECT_EQ(par[12], 0xFF); // the function key, static kinds left out
    EXPECT_EQ(screen.GetCompileControlParameterData(par.data(), DWORD(par.size()), CScreenBase::PASS_REGISTERS), 17u);
    EXPECT_EQ(par[3], 1);
    EXPECT_EQ(par[4], 5);

    EXPECT_EQ(screen.GetCompileStaticControlText(nullptr, 0), 10u);
    EXPECT_EQ(CControlBase::s_listChinese.size(), 4u);
    Bytes texts(10, 0);
    EXPECT_EQ(screen.GetCompileStaticControlText(texts.data(), DWORD(texts.size())), 10u);
    EXPECT_EQ(texts[0], 0xFF);
    EXPECT_EQ(texts[1], 4);
    (void)lamp;
    (void)reg;
    (void)key;
    CScreenBase::s_byScreenID = 1;
    CControlBase::ResetCompileCharacters();
}

} // namespace
