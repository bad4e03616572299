// What every control shares: construction from its screen, geometry checks, names, copying,
// the PLC binding and the control record.
#include "controls/control_base.h"
#include "controls/control_creator.h"
#include "controls/control_register.h"
#include "controls/control_static_text.h"

#include "support/test_panel.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ControlsTest;

namespace {

std::unique_ptr<CControlBase> Make(CTestPanel& panel, unsigned type)
{
    return std::unique_ptr<CControlBase>(CControlCreator::Create(type, &panel.screen));
}

TEST(ControlBase, TakesDefaultPositionAndPLCSettingsFromItsScreen)
{
    CTestPanel panel;
    panel.device.station = 4;
    panel.device.stationDisabled = 1;
    auto first = Make(panel, CControlBase::CONTROL_CURVE);
    auto second = Make(panel, CControlBase::CONTROL_CURVE);
    EXPECT_EQ(first->GetX(), 6);
    EXPECT_EQ(first->GetY(), 6);
    EXPECT_EQ(second->GetX(), 12);
    EXPECT_EQ(second->GetY(), 12);

    CDataAttributes* data = first->GetDataAtttribute();
    EXPECT_EQ(first->GetPLCStation(), 4);
    EXPECT_EQ(data->GetPLCStationAttribute()->GetReadonly(), 1);
    EXPECT_EQ(data->GetRegisterAttribute()->GetItems(), panel.device.registers);
    EXPECT_EQ(first->GetRegister(), 1);
    EXPECT_STREQ(static_cast<const char*>(*data->GetRegisterAttribute()), "D");
    EXPECT_EQ(data->GetCoilAttribute()->GetItems(), panel.device.coils);
    EXPECT_EQ(first->GetCoil(), 3);
    EXPECT_EQ(first->GetRegisterAddr(), 0);
    EXPECT_EQ(first->GetCoilAddr(), 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(data->GetAttributeAt(i)->GetVisible(), 0);
    EXPECT_EQ(first->GetControlType(), CControlBase::CONTROL_CURVE);
    EXPECT_EQ(first->GetScreenPointer(), &panel.screen);
    EXPECT_EQ(first->GetSelected(), 0);
    EXPECT_EQ(first->Compile(nullptr, 0), 0u);
}

TEST(ControlBase, GeometryStaysInsideTheScreen)
{
    CTestPanel panel(128, 64);
    auto control = Make(panel, CControlBase::CONTROL_CURVE);
    ASSERT_TRUE(control->SetWidth(40));
    ASSERT_TRUE(control->SetX(80));
    EXPECT_FALSE(control->SetX(90));
    EXPECT_EQ(control->GetX(), 80);
    EXPECT_TRUE(control->SetX(88));
    EXPECT_FALSE(control->SetX(-1));
    EXPECT_TRUE(control->SetWidth(60));
    EXPECT_EQ(control->GetX(), 68);
    EXPECT_FALSE(control->SetWidth(129));
    EXPECT_FALSE(control->SetWidth(-1));
    EXPECT_TRUE(control->SetWidth(128));
    EXPECT_EQ(control->GetX(), 0);

    ASSERT_TRUE(control->SetHeight(16));
    ASSERT_TRUE(control->SetY(40));
    EXPECT_FALSE(control->SetY(49));
    EXPECT_TRUE(control->SetY(48));
    EXPECT_TRUE(control->SetY(40));
    EXPECT_TRUE(control->SetHeight(30));
    EXPECT_EQ(control->GetY(), 34);
    EXPECT_FALSE(control->SetHeight(65));
    EXPECT_FALSE(control->SetY(-3));
    // Through the attribute, as the attribute window sets it.
    EXPECT_EQ(control->GetLayoutAtttribute()->GetXAttribute()->SetValueString("200"), 0);
    EXPECT_EQ(control->GetX(), 0);
}

TEST(ControlBase, RectanglesFollowTheScreenOrigin)
{
    CTestPanel panel;
    panel.screen.SetScreenX(10);
    panel.screen.SetScreenY(20);
    auto control = Make(panel, CControlBase::CONTROL_LIGHT);
    control->SetX(30);
    control->SetY(5);
    QRect rect;
    control->GetControlRect(rect);
    EXPECT_EQ(rect, QRect(40, 25, 16, 16));
    control->GetControlFrameRect(rect);
    EXPECT_EQ(rect, QRect(34, 19, 28, 34)); // 6 left, up and right, 12 down
}

TEST(ControlBase, NamelessControlTakesAndKeepsItsDefaultName)
{
    CTestPanel panel;
    auto control = Make(panel, CControlBase::CONTROL_CURVE);
    control->SetControlID(7);
    EXPECT_FALSE(control->HasControlName());
    const DWORD nameless = control->Save(nullptr, 0);
    EXPECT_STREQ(control->GetControlName(), "[Control 7]");
    EXPECT_EQ(control->Save(nullptr, 0), nameless + 11);
    control->SetControlID(8);
    EXPECT_STREQ(control->GetControlName(), "[Control 7]");
    control->SetControlName(nullptr);
    EXPECT_STREQ(control->GetControlName(), "[Control 8]");
    control->SetControlName("\xC3\xFB");
    EXPECT_STREQ(control->GetControlName(), "\xC3\xFB");
}

TEST(ControlBase, OrderNumberAndAttributeChangesSetTheirMarks)
{
    CTestPanel panel;
    auto control = Make(panel, CControlBase::CONTROL_CURVE);
    control->ClearRedrawMarks();
    control->SetDrawOrderID(3);
    EXPECT_EQ(control->GetDrawOrderID(), 3);
    EXPECT_EQ(control->GetOrderRedrawMark(), 1);
    EXPECT_EQ(control->GetRedrawMark(), 0);
    control->SetInvertColor(1);
    EXPECT_EQ(control->GetRedrawMark(), 1);
}

TEST(ControlBase, RecordIsTypeIdentifierGroupsAndName)
{
    CTestPanel panel;
    auto control = Make(panel, CControlBase::CONTROL_CURVE);
    control->SetControlID(5);
    control->SetControlName("AB");
    CBytes expected;
    expected.Dword(5).Dword(5);
    for (CAttrList* list :
         std::initializer_list<CAttrList*>{control->GetHideAtttribute(), control->GetLayoutAtttribute(),
                                           control->GetDisplayAtttribute(), control->GetCustomAtttribute(),
                                           control->GetDataAtttribute(), control->GetOtherAtttribute()})
        expected.Append(SaveBytes(*list));
    expected.Text("AB");
    EXPECT_EQ(SaveBytes(*control), expected.Get());
}

TEST(ControlBase, LoadRestoresValuesUnselectedWithChecksActive)
{
    CTestPanel panel;
    auto control = Make(panel, CControlBase::CONTROL_CURVE);
    control->SetControlID(12);
    control->SetControlName("n");
    control->SetWidth(20);
    control->SetX(100);
    control->SetY(30);
    control->SetInvertColor(1);
    control->SetSelected(1);
    control->SetMultipleSelectedType(2);
    control->SetLevelIndex(4);
    control->SetPLCStation(9);
    control->SetRegister(5);
    control->SetRegisterAddr(300);
    control->SetCoil(2);
    control->SetCoilAddr(17);
    std::vector<BYTE> bytes = SaveBytes(*control);

    auto loaded = Make(panel, CControlBase::CONTROL_CURVE);
    EXPECT_EQ(loaded->Load(bytes.data(), DWORD(bytes.size())), bytes.size());
    EXPECT_EQ(loaded->GetControlType(), CControlBase::CONTROL_CURVE);
    EXPECT_EQ(loaded->GetControlID(), 12u);
    EXPECT_STREQ(loaded->GetControlName(), "n");
    EXPECT_EQ(loaded->GetX(), 100);
    EXPECT_EQ(loaded->GetY(), 30);
    EXPECT_EQ(loaded->GetWidth(), 20);
    EXPECT_EQ(loaded->GetInvertColor(), 1);
    EXPECT_EQ(loaded->GetSelected(), 0);
    EXPECT_EQ(loaded->GetMultipleSelectedType(), 0);
    EXPECT_EQ(loaded->GetLevelIndex(), 4);
    EXPECT_EQ(loaded->GetPLCStation(), 9);
    EXPECT_EQ(loaded->GetRegister(), 5);
    EXPECT_EQ(loaded->GetRegisterAddr(), 300);
    EXPECT_EQ(loaded->GetCoil(), 2);
    EXPECT_EQ(loaded->GetCoilAddr(), 17);
    // The layout checks are attached to the loaded attributes.
    EXPECT_FALSE(loaded->SetX(120));
    EXPECT_TRUE(loaded->SetWidth(60));
    EXPECT_EQ(loaded->GetX(), 68);

    // A nameless record loads without a name.
    loaded->SetControlName(nullptr);
    bytes = SaveBytes(*loaded);
    control->Load(bytes.data(), DWORD(bytes.size()));
    EXPECT_FALSE(control->HasControlName());
}

TEST(ControlBase, ARecordOfAnotherTypeIsNotLoaded)
{
    CTestPanel panel;
    auto light = Make(panel, CControlBase::CONTROL_LIGHT);
    std::vector<BYTE> bytes = SaveBytes(*light);
    auto curve = Make(panel, CControlBase::CONTROL_CURVE);
    const std::vector<BYTE> before = SaveBytes(*curve);
    EXPECT_EQ(curve->Load(bytes.data(), DWORD(bytes.size())), 0u);
    EXPECT_EQ(SaveBytes(*curve), before);
}

TEST(ControlBase, ClonesTakeValuesAndANewOrTheSameIdentifier)
{
    CTestPanel panel;
    auto source = Make(panel, CControlBase::CONTROL_CURVE);
    source->SetControlID(3);
    source->SetControlName("src");
    source->SetWidth(40);
    source->SetX(88);
    source->SetHeight(10);
    source->SetY(50);
    source->SetZoomOnce(1);
    source->SetInvertColor(1);
    source->SetPLCStation(6);
    source->SetRegister(2);
    source->SetRegisterAddr(44);
    source->SetCoil(5);
    source->SetCoilAddr(55);
    source->SetSelected(1);

    std::unique_ptr<CControlBase> same(source->Clone(&panel.screen, 0));
    EXPECT_EQ(same->GetControlID(), 3u);
    EXPECT_FALSE(same->HasControlName());
    EXPECT_EQ(same->GetControlType(), CControlBase::CONTROL_CURVE);
    EXPECT_EQ(same->GetX(), 88);
    EXPECT_EQ(same->GetY(), 50);
    EXPECT_EQ(same->GetWidth(), 40);
    EXPECT_EQ(same->GetHeight(), 10);
    EXPECT_EQ(same->GetZoomOnce(), 1);
    EXPECT_EQ(same->GetInvertColor(), 1);
    EXPECT_EQ(same->GetPLCStation(), 6);
    EXPECT_EQ(same->GetRegister(), 2);
    EXPECT_EQ(same->GetRegisterAddr(), 44);
    EXPECT_EQ(same->GetCoil(), 5);
    EXPECT_EQ(same->GetCoilAddr(), 55);
    EXPECT_EQ(same->GetSelected(), 0);

    panel.screen.SetNextControlID(20);
    std::unique_ptr<CControlBase> fresh(source->Clone(&panel.screen, 1));
    EXPECT_EQ(fresh->GetControlID(), 20u);
    EXPECT_STREQ(fresh->GetControlName(), "[Control 20]");
    EXPECT_EQ(panel.screen.GetNextControlID(), 21);
    EXPECT_EQ(CControlBase(&panel.screen).Clone(nullptr, 0), nullptr);
}

TEST(ControlBase, CopyAttributesMakesAControlEqualToItsSource)
{
    CTestPanel panel;
    auto source = Make(panel, CControlBase::CONTROL_CURVE);
    source->SetControlID(9);
    source->SetWidth(100);
    source->SetX(10);
    source->SetCoilAddr(3);
    auto target = Make(panel, CControlBase::CONTROL_CURVE);
    target->SetWidth(20);
    target->SetX(100);
    target->CopyAttributes(source.get());
    EXPECT_EQ(target->GetControlID(), 9u);
    EXPECT_STREQ(target->GetControlName(), "[Control 9]");
    EXPECT_STREQ(source->GetControlName(), "[Control 9]");
    EXPECT_EQ(target->GetX(), 10);
    EXPECT_EQ(target->GetWidth(), 100);
    EXPECT_EQ(target->GetCoilAddr(), 3);
    EXPECT_EQ(SaveBytes(*target), SaveBytes(*source));
}

TEST(ControlBase, AdjustAddressKeepsKindsByName)
{
    CTestPanel panel;
    panel.device.stationDisabled = 0;
    auto control = Make(panel, CControlBase::CONTROL_REGISTER);
    control->SetRegister(2); // "T"
    control->SetRegisterAddr(5);
    control->SetCoil(6); // "C"
    control->SetCoilAddr(6);
    control->SetPLCStation(3);
    panel.device.registers = {"X1", "X2", "T"};
    panel.device.coils = {"M", "Y"};
    panel.device.station = 8;
    panel.device.stationDisabled = 1;
    control->AdjustAddress();
    EXPECT_EQ(control->GetRegister(), 2);
    EXPECT_STREQ(static_cast<const char*>(*control->GetDataAtttribute()->GetRegisterAttribute()), "T");
    EXPECT_EQ(control->GetDataAtttribute()->GetRegisterAttribute()->GetItems(), panel.device.registers);
    EXPECT_EQ(control->GetCoil(), 0);
    EXPECT_STREQ(static_cast<const char*>(*control->GetDataAtttribute()->GetCoilAttribute()), "M");
    EXPECT_EQ(control->GetRegisterAddr(), 5);
    EXPECT_EQ(control->GetCoilAddr(), 6);
    EXPECT_EQ(control->GetPLCStation(), 8);
    EXPECT_EQ(control->GetDataAtttribute()->GetPLCStationAttribute()->GetReadonly(), 1);

    panel.device.stationDisabled = 0;
    panel.device.station = 2;
    control->AdjustAddress();
    EXPECT_EQ(control->GetPLCStation(), 8);
    EXPECT_EQ(control->GetDataAtttribute()->GetPLCStationAttribute()->GetReadonly(), 0);
}

TEST(ControlBase, WithoutADeviceNothingFitsAndNothingBreaks)
{
    CScreenBase screen;
    std::unique_ptr<CControlBase> text(CControlCreator::Create(CControlBase::CONTROL_STATIC_TEXT, &screen));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetX(), 0);
    EXPECT_EQ(text->GetWidth(), 0);
    EXPECT_EQ(text->GetDataAtttribute()->GetRegisterAttribute()->GetItemCount(), 0);
    std::unique_ptr<CControlBase> reg(CControlCreator::Create(CControlBase::CONTROL_REGISTER, &screen));
    EXPECT_EQ(static_cast<CControlRegister*>(reg.get())->GetIntegerDigits(), 0);
    std::string status;
    reg->GetSelectedStatusString(status);
    EXPECT_EQ(status, "\xBC\xC4\xB4\xE6\xC6\xF7");
}

} // namespace
