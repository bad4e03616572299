// The eight control kinds: their attributes, sizes and reactions, the factory, status texts,
// input modes, copies and round trips of their records.
#include "controls/control_creator.h"
#include "controls/control_function.h"
#include "controls/control_light.h"
#include "controls/control_plain_kinds.h"
#include "controls/control_register.h"
#include "controls/control_static_text.h"

#include "devices/device_collection.h"
#include "devices/plc_base.h"
#include "devices/plc_collection.h"

#include "support/test_panel.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ControlsTest;

namespace {

const char* const STATIC_TEXT = "\xBE\xB2\xCC\xAC\xCE\xC4\xD7\xD6"; // 静态文字

template <class T>
std::unique_ptr<T> Make(CTestPanel& panel, unsigned type)
{
    CControlBase* control = CControlCreator::Create(type, &panel.screen);
    T* typed = dynamic_cast<T*>(control);
    EXPECT_NE(typed, nullptr);
    if (!typed)
        delete control;
    return std::unique_ptr<T>(typed);
}

struct AttributeExpect {
    int kind;
    const char* name;
    int visible;
};

void ExpectAttribute(CAttrList* list, int position, AttributeExpect e)
{
    CAttributeBase* a = list->GetAttributeAt(position - 1);
    ASSERT_NE(a, nullptr) << position;
    EXPECT_EQ(a->GetType(), e.kind) << position;
    EXPECT_STREQ(a->GetAttributeName(), e.name) << position;
    EXPECT_EQ(a->GetVisible(), e.visible) << position;
}

// ---- factory ----

TEST(ControlCreator, MakesAndNamesTheEightKinds)
{
    CTestPanel panel;
    const char* names[] = {STATIC_TEXT,
                           "\xBC\xC4\xB4\xE6\xC6\xF7",
                           "\xD6\xB8\xCA\xBE\xB5\xC6",
                           "\xB9\xA6\xC4\xDC\xBC\xFC",
                           "\xC7\xF7\xCA\xC6\xCD\xBC",
                           "\xB0\xF4\xD7\xB4\xCD\xBC",
                           "\xCD\xBC\xC6\xAC",
                           "\xB6\xAF\xCC\xAC\xCE\xC4\xB1\xBE"};
    for (unsigned type = 1; type <= 8; ++type) {
        std::unique_ptr<CControlBase> control(CControlCreator::Create(type, &panel.screen));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(unsigned(control->GetControlType()), type);
        std::string name = "old";
        EXPECT_EQ(CControlCreator::GetControlBaseName(type, name), 1);
        EXPECT_EQ(name, names[type - 1]);
        std::string status;
        control->GetSelectedStatusString(status);
        EXPECT_EQ(status.substr(0, name.size()), name);
    }
    std::string name = "old";
    EXPECT_EQ(CControlCreator::GetControlBaseName(9, name), 0);
    EXPECT_EQ(name, "");
    EXPECT_EQ(CControlCreator::GetControlBaseName(0, name), 0);
    EXPECT_EQ(CControlCreator::Create(0, &panel.screen), nullptr);
    EXPECT_EQ(CControlCreator::Create(9, &panel.screen), nullptr);
    EXPECT_EQ(CControlCreator::Create(1, nullptr), nullptr);
}

// ---- static text ----

TEST(ControlStaticText, SizeFollowsTheText)
{
    CTestPanel panel(128, 64);
    auto text = Make<CControlStaticText>(panel, CControlBase::CONTROL_STATIC_TEXT);
    ExpectAttribute(text->GetCustomAtttribute(), 1, {CAttributeBase::ATTRIBUTE_STRING, "\xCE\xC4\xD7\xD6\xB4\xAE", 1});
    EXPECT_STREQ(text->GetText(), STATIC_TEXT);
    EXPECT_EQ(text->GetWidth(), 52);
    EXPECT_EQ(text->GetHeight(), 12);
    text->SetText("ABC");
    EXPECT_EQ(text->GetWidth(), 24);
    EXPECT_EQ(text->GetHeight(), 12);
    text->SetText("");
    EXPECT_EQ(text->GetWidth(), 8);
    // 17 characters are 136 pixels, wider than the screen: the width stays.
    text->SetText("ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(text->GetWidth(), 8);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(text->GetDataAtttribute()->GetAttributeAt(i)->GetVisible(), 0);
}

TEST(ControlStaticText, AWiderTextMovesTheControlLeft)
{
    CTestPanel panel(128, 64);
    auto text = Make<CControlStaticText>(panel, CControlBase::CONTROL_STATIC_TEXT);
    text->SetText("A");
    ASSERT_TRUE(text->SetX(110));
    text->SetText("ABCD");
    EXPECT_EQ(text->GetWidth(), 32);
    EXPECT_EQ(text->GetX(), 96);
}

// ---- register ----

TEST(ControlRegister, AttributesAndDefaults)
{
    CTestPanel panel;
    auto reg = Make<CControlRegister>(panel, CControlBase::CONTROL_REGISTER);
    ExpectAttribute(reg->GetHideAtttribute(), 4, {CAttributeBase::ATTRIBUTE_STRING, "", 1});
    CCustomAttributes* custom = reg->GetCustomAtttribute();
    ASSERT_EQ(custom->GetAttributesCount(), 4);
    ExpectAttribute(custom, 1, {CAttributeBase::ATTRIBUTE_ENUM, "\xD5\xFB\xCA\xFD\xCE\xBB\xCA\xFD", 1});
    ExpectAttribute(custom, 2, {CAttributeBase::ATTRIBUTE_ENUM, "\xD0\xA1\xCA\xFD\xCE\xBB\xCA\xFD", 1});
    ExpectAttribute(custom, 3, {CAttributeBase::ATTRIBUTE_BOOL, "\xD0\xC7\xBA\xC5(*)\xCF\xD4\xCA\xBE", 1});
    ExpectAttribute(custom, 4,
                    {CAttributeBase::ATTRIBUTE_BOOL,
                     "\xCE\xDE\xD0\xA7"
                     "0\xCF\xD4\xCA\xBE",
                     1});
    CDataAttributes* data = reg->GetDataAtttribute();
    ASSERT_EQ(data->GetAttributesCount(), 8);
    ExpectAttribute(data, 6, {CAttributeBase::ATTRIBUTE_BOOL, "\xCA\xC7\xB7\xF1\xB1\xE0\xBC\xAD", 1});
    ExpectAttribute(data, 7, {CAttributeBase::ATTRIBUTE_INT, "\xD7\xEE\xD0\xA1\xD6\xB5", 1});
    ExpectAttribute(data, 8, {CAttributeBase::ATTRIBUTE_INT, "\xD7\xEE\xB4\xF3\xD6\xB5", 1});
    EXPECT_EQ(reg->GetIntegerDigitsAttribute()->GetItems(), (std::vector<std::string>{"0", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(reg->GetDecimalDigitsAttribute()->GetItems(), (std::vector<std::string>{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(reg->GetIntegerDigits(), 5);
    EXPECT_EQ(reg->GetDecimalDigits(), 0);
    EXPECT_EQ(reg->GetAsterisk(), 0);
    EXPECT_EQ(reg->GetInvalidZero(), 0);
    EXPECT_EQ(reg->GetEditable(), 0);
    EXPECT_EQ(reg->GetMinimum(), 0);
    EXPECT_EQ(reg->GetMaximum(), 60000);
    EXPECT_EQ(data->GetPLCStationVisible(), 1);
    EXPECT_EQ(data->GetRegisterVisible(), 1);
    EXPECT_EQ(data->GetRegisterAddrVisible(), 1);
    EXPECT_EQ(data->GetCoilVisible(), 0);
    EXPECT_EQ(data->GetCoilAddrVisible(), 0);

    panel.device.stationVisible = 0;
    auto hidden = Make<CControlRegister>(panel, CControlBase::CONTROL_REGISTER);
    EXPECT_EQ(hidden->GetDataAtttribute()->GetPLCStationVisible(), 0);
    EXPECT_EQ(hidden->GetDataAtttribute()->GetRegisterVisible(), 1);
}

TEST(ControlRegister, SampleAndSizeFollowTheDigits)
{
    CTestPanel panel;
    auto reg = Make<CControlRegister>(panel, CControlBase::CONTROL_REGISTER);
    EXPECT_STREQ(reg->GetSample(), "12345");
    EXPECT_EQ(reg->GetWidth(), 40);
    EXPECT_EQ(reg->GetHeight(), 12);
    EXPECT_EQ(reg->SetDecimalDigits(2), 0);
    EXPECT_EQ(reg->GetDecimalDigits(), 0);
    EXPECT_EQ(reg->SetIntegerDigits(3), 1);
    EXPECT_STREQ(reg->GetSample(), "123");
    EXPECT_EQ(reg->SetDecimalDigits(2), 1);
    EXPECT_STREQ(reg->GetSample(), "123.45");
    EXPECT_EQ(reg->GetWidth(), 48);
    reg->SetAsterisk(1);
    EXPECT_STREQ(reg->GetSample(), "*****");
    EXPECT_EQ(reg->GetWidth(), 40);
    reg->SetAsterisk(0);
    EXPECT_EQ(reg->SetIntegerDigits(0), 1);
    EXPECT_STREQ(reg->GetSample(), "0.12");
    EXPECT_EQ(reg->SetDecimalDigits(0), 0); // 0 + 0 is never accepted
    EXPECT_EQ(reg->GetDecimalDigits(), 2);
    // Through the attribute window's text: the item text selects.
    EXPECT_EQ(reg->GetIntegerDigitsAttribute()->SetValueString("4"), 0); // 4 + 2 > 5
    EXPECT_EQ(reg->GetIntegerDigitsAttribute()->SetValueString("3"), 1);
    EXPECT_STREQ(reg->GetSample(), "123.45");
    EXPECT_EQ(reg->SetIntegerDigits(-1), 0); // -1 + 2 would pass the sum alone
    EXPECT_EQ(reg->SetDecimalDigits(5), 0);  // not an offered count
}

// ---- lamp ----

TEST(ControlLight, ShapeCoilAndSize)
{
    CTestPanel panel;
    auto light = Make<CControlLight>(panel, CControlBase::CONTROL_LIGHT);
    EXPECT_EQ(light->GetWidth(), 16);
    EXPECT_EQ(light->GetHeight(), 16);
    ASSERT_EQ(light->GetCustomAtttribute()->GetAttributesCount(), 1);
    ExpectAttribute(light->GetCustomAtttribute(), 1,
                    {CAttributeBase::ATTRIBUTE_ENUM, "\xCF\xD4\xCA\xBE\xCD\xE2\xD0\xCE", 1});
    auto* shape = static_cast<CAttributeEnum*>(light->GetCustomAtttribute()->GetAttributeAt(0));
    EXPECT_EQ(shape->GetItems(), (std::vector<std::string>{"\xD4\xB2\xD0\xCE", "\xB7\xBD\xD0\xCE"}));
    EXPECT_EQ(light->GetShape(), 0);
    CDataAttributes* data = light->GetDataAtttribute();
    EXPECT_EQ(data->GetPLCStationVisible(), 1);
    EXPECT_EQ(data->GetRegisterVisible(), 0);
    EXPECT_EQ(data->GetRegisterAddrVisible(), 0);
    EXPECT_EQ(data->GetCoilVisible(), 1);
    EXPECT_EQ(data->GetCoilAddrVisible(), 1);
}

// ---- function key ----

TEST(ControlFunction, AttributesAndDefaults)
{
    CTestPanel panel;
    auto key = Make<CControlFunction>(panel, CControlBase::CONTROL_FUNCTION);
    CCustomAttributes* custom = key->GetCustomAtttribute();
    ASSERT_EQ(custom->GetAttributesCount(), 5);
    ExpectAttribute(custom, 1, {CAttributeBase::ATTRIBUTE_ENUM, "\xCF\xD4\xCA\xBE\xBC\xFC\xC0\xE0\xD0\xCD", 1});
    ExpectAttribute(custom, 2, {CAttributeBase::ATTRIBUTE_BOOL, "\xCF\xD4\xCA\xBE\xCA\xD6\xD0\xCD", 1});
    ExpectAttribute(custom, 3, {CAttributeBase::ATTRIBUTE_BOOL, "\xD2\xFE\xD0\xCE", 1});
    ExpectAttribute(custom, 4, {CAttributeBase::ATTRIBUTE_ENUM, "\xB9\xA6\xC4\xDC\xC9\xE8\xD6\xC3", 1});
    ExpectAttribute(custom, 5, {CAttributeBase::ATTRIBUTE_ENUM, "\xBB\xAD\xC3\xE6\xCC\xF8\xD7\xAA\xD6\xC1", 0});
    ExpectAttribute(key->GetDataAtttribute(), 6, {CAttributeBase::ATTRIBUTE_ENUM, "\xD6\xB5\xC9\xE8\xD6\xC3", 1});
    EXPECT_EQ(key->GetKeyAttribute()->GetItems(), panel.device.keys);
    EXPECT_EQ(key->GetFunctionAttribute()->GetItems(),
              (std::vector<std::string>{"\xC9\xE8\xB6\xA8\xCF\xDF\xC8\xA6", "\xBB\xAD\xC3\xE6\xCC\xF8\xD7\xAA"}));
    EXPECT_EQ(key->GetValueSettingAttribute()->GetItems(),
              (std::vector<std::string>{"\xC9\xE8\xB6\xA8\xCE\xAAON", "\xC9\xE8\xB6\xA8\xCE\xAAOFF", "\xBD\xBB\xCC\xE6",
                                        "\xB1\xA3\xB3\xD6"}));
    EXPECT_EQ(key->GetJumpScreenAttribute()->GetScreenListMode(), 1);
    EXPECT_EQ(key->GetKeyIndex(), 0);
    EXPECT_EQ(key->GetHand(), 1);
    EXPECT_EQ(key->GetInvisible(), 0);
    EXPECT_EQ(key->GetFunction(), 0);
    EXPECT_EQ(key->GetJumpScreen(), 0);
    EXPECT_EQ(key->GetValueSetting(), 0);
    EXPECT_EQ(key->GetWidth(), 33);
    EXPECT_EQ(key->GetHeight(), 16);
    CDataAttributes* data = key->GetDataAtttribute();
    EXPECT_EQ(data->GetPLCStationVisible() + data->GetCoilVisible() + data->GetCoilAddrVisible(), 3);
    EXPECT_EQ(data->GetRegisterVisible() + data->GetRegisterAddrVisible(), 0);
}

TEST(ControlFunction, WidthFollowsHandAndInvisibility)
{
    CTestPanel panel;
    auto key = Make<CControlFunction>(panel, CControlBase::CONTROL_FUNCTION);
    key->SetHand(0);
    EXPECT_EQ(key->GetWidth(), 16);
    key->SetHand(1);
    EXPECT_EQ(key->GetWidth(), 33);
    key->SetInvertColor(1);
    key->SetInvisible(1);
    EXPECT_EQ(key->GetWidth(), 16);
    EXPECT_EQ(key->GetHandAttribute()->GetReadonly(), 1);
    EXPECT_EQ(key->GetDisplayAtttribute()->GetInvertColorReadonly(), 1);
    EXPECT_EQ(key->GetInvertColor(), 0);
    key->SetInvisible(0);
    EXPECT_EQ(key->GetWidth(), 33);
    EXPECT_EQ(key->GetHandAttribute()->GetReadonly(), 0);
    EXPECT_EQ(key->GetDisplayAtttribute()->GetInvertColorReadonly(), 0);
}

TEST(ControlFunction, FunctionSwitchShowsCoilOrJumpAttributes)
{
    CTestPanel panel;
    auto key = Make<CControlFunction>(panel, CControlBase::CONTROL_FUNCTION);
    CDataAttributes* data = key->GetDataAtttribute();
    key->GetFunctionAttribute()->SetValueString("\xBB\xAD\xC3\xE6\xCC\xF8\xD7\xAA"); // 画面跳转
    EXPECT_EQ(key->GetFunction(), 1);
    EXPECT_EQ(data->GetPLCStationVisible(), 0);
    EXPECT_EQ(data->GetCoilVisible(), 0);
    EXPECT_EQ(data->GetCoilAddrVisible(), 0);
    EXPECT_EQ(key->GetValueSettingAttribute()->GetVisible(), 0);
    EXPECT_EQ(key->GetJumpScreenAttribute()->GetVisible(), 1);
    key->SetFunction(0);
    EXPECT_EQ(data->GetPLCStationVisible(), 1);
    EXPECT_EQ(data->GetCoilVisible(), 1);
    EXPECT_EQ(data->GetCoilAddrVisible(), 1);
    EXPECT_EQ(key->GetValueSettingAttribute()->GetVisible(), 1);
    EXPECT_EQ(key->GetJumpScreenAttribute()->GetVisible(), 0);

    panel.device.stationVisible = 0;
    auto quiet = Make<CControlFunction>(panel, CControlBase::CONTROL_FUNCTION);
    quiet->SetFunction(1);
    quiet->SetFunction(0);
    EXPECT_EQ(quiet->GetDataAtttribute()->GetPLCStationVisible(), 0);
    EXPECT_EQ(quiet->GetDataAtttribute()->GetCoilVisible(), 1);
}

TEST(ControlFunction, KeyNamesComeFromTheDeviceUpToFifty)
{
    CTestPanel panel;
    panel.device.keys.clear();
    for (int i = 0; i < 60; ++i)
        panel.device.keys.push_back("K" + std::to_string(i));
    auto key = Make<CControlFunction>(panel, CControlBase::CONTROL_FUNCTION);
    EXPECT_EQ(key->GetKeyAttribute()->GetItemCount(), 50);
    EXPECT_STREQ(static_cast<const char*>(*key->GetKeyAttribute()), "K0");
}

// ---- kinds without attributes ----

TEST(ControlPlainKinds, HaveNoAttributesAndNoSize)
{
    CTestPanel panel;
    for (unsigned type = 5; type <= 8; ++type) {
        std::unique_ptr<CControlBase> control(CControlCreator::Create(type, &panel.screen));
        EXPECT_EQ(control->GetWidth(), 0);
        EXPECT_EQ(control->GetHeight(), 0);
        EXPECT_EQ(control->GetCustomAtttribute()->GetAttributesCount(), 0);
        EXPECT_EQ(control->GetOtherAtttribute()->GetAttributesCount(), 0);
        EXPECT_EQ(control->GetHideAtttribute()->GetAttributesCount(), 3);
        EXPECT_EQ(control->GetDataAtttribute()->GetAttributesCount(), 5);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(control->GetDataAtttribute()->GetAttributeAt(i)->GetVisible(), 0);
        EXPECT_EQ(control->GetLayoutAtttribute()->GetWidthAttribute()->GetReadonly(), 1);
    }
}

// ---- status texts ----

TEST(ControlStatus, FreeProtocolAddsTheConvertedAddress)
{
    CTestPanel panel;
    auto reg = Make<CControlRegister>(panel, CControlBase::CONTROL_REGISTER);
    reg->SetRegister(2);
    reg->SetRegisterAddr(26);
    std::string status;
    reg->GetSelectedStatusString(status);
    EXPECT_EQ(status, "\xBC\xC4\xB4\xE6\xC6\xF7 [MODBUS \xBC\xC4\xB4\xE6\xC6\xF7\xB5\xD8\xD6\xB7: 2026 (0x7EA)]");
    auto light = Make<CControlLight>(panel, CControlBase::CONTROL_LIGHT);
    light->SetCoil(1);
    light->SetCoilAddr(10);
    light->GetSelectedStatusString(status);
    EXPECT_EQ(status, "\xD6\xB8\xCA\xBE\xB5\xC6 [MODBUS \xCF\xDF\xC8\xA6\xB5\xD8\xD6\xB7: 2010 (0x7DA)]");
    auto key = Make<CControlFunction>(panel, CControlBase::CONTROL_FUNCTION);
    key->SetCoil(0);
    key->GetSelectedStatusString(status);
    EXPECT_EQ(status, "\xB9\xA6\xC4\xDC\xBC\xFC [MODBUS \xCF\xDF\xC8\xA6\xB5\xD8\xD6\xB7: 0 (0x0)]");
    auto text = Make<CControlStaticText>(panel, CControlBase::CONTROL_STATIC_TEXT);
    text->GetSelectedStatusString(status);
    EXPECT_EQ(status, STATIC_TEXT);

    panel.device.plcID = 5;
    reg->GetSelectedStatusString(status);
    EXPECT_EQ(status, "\xBC\xC4\xB4\xE6\xC6\xF7");
    light->GetSelectedStatusString(status);
    EXPECT_EQ(status, "\xD6\xB8\xCA\xBE\xB5\xC6");
}

// ---- input modes, with the shipped catalogues ----

struct CatalogueDevice {
    std::unique_ptr<CDeviceBase> device;
    CScreenBase screen;
    explicit CatalogueDevice(UINT id) : device(CDeviceCollection::GetInstance()->CreateDevice(id))
    {
        if (!device)
            return;
        CPLCBase* plc = CPLCCollection::GetInstance()->CreatePLC(UINT(100));
        device->SetPLC(plc);
        CPLCCollection::GetInstance()->LoadPLCSettings(plc);
        screen.SetDependenceDevice(device.get());
    }
};

int CoilAddressMode(CControlBase* control, int coil)
{
    control->SetCoil(coil);
    CDataAttributes* data = control->GetDataAtttribute();
    return CControlCreator::GetControlAttributeInputType(data->GetAttributeAt(4));
}

TEST(ControlInputType, CoilAddressesAreOctalForTheOctalKindsOfEachModel)
{
    CatalogueDevice qmx200(100), qmx300(101);
    ASSERT_NE(qmx200.device, nullptr);
    ASSERT_NE(qmx300.device, nullptr);
    std::unique_ptr<CControlBase> light(CControlCreator::Create(CControlBase::CONTROL_LIGHT, &qmx200.screen));
    EXPECT_EQ(CoilAddressMode(light.get(), 0), CControlCreator::INPUT_DECIMAL);
    EXPECT_EQ(CoilAddressMode(light.get(), 1), CControlCreator::INPUT_OCTAL);
    EXPECT_EQ(CoilAddressMode(light.get(), 2), CControlCreator::INPUT_OCTAL);
    EXPECT_EQ(CoilAddressMode(light.get(), 4), CControlCreator::INPUT_DECIMAL);
    std::unique_ptr<CControlBase> key(CControlCreator::Create(CControlBase::CONTROL_FUNCTION, &qmx300.screen));
    EXPECT_EQ(CoilAddressMode(key.get(), 1), CControlCreator::INPUT_OCTAL);
    EXPECT_EQ(CoilAddressMode(key.get(), 2), CControlCreator::INPUT_DECIMAL);
    EXPECT_EQ(CoilAddressMode(key.get(), 4), CControlCreator::INPUT_OCTAL);
    // Other attributes and kinds are plain.
    EXPECT_EQ(CControlCreator::GetControlAttributeInputType(key->GetDataAtttribute()->GetAttributeAt(2)), 0);
    std::unique_ptr<CControlBase> reg(CControlCreator::Create(CControlBase::CONTROL_REGISTER, &qmx200.screen));
    EXPECT_EQ(CoilAddressMode(reg.get(), 1), CControlCreator::INPUT_PLAIN);
    EXPECT_EQ(CControlCreator::GetControlAttributeInputType(nullptr), 0);
}

TEST(ControlInputType, OtherModelsArePlain)
{
    CTestPanel panel;
    panel.device.name = "NOT-A-MODEL";
    auto light = Make<CControlLight>(panel, CControlBase::CONTROL_LIGHT);
    EXPECT_EQ(CoilAddressMode(light.get(), 1), CControlCreator::INPUT_PLAIN);
}

// ---- copies ----

TEST(ControlCopy, RegisterCopiesItsDigitsExactly)
{
    CTestPanel panel;
    auto source = Make<CControlRegister>(panel, CControlBase::CONTROL_REGISTER);
    source->SetIntegerDigits(3);
    ASSERT_EQ(source->SetDecimalDigits(2), 1);
    ASSERT_EQ(source->SetIntegerDigits(0), 1);
    source->SetInvalidZero(1);
    source->SetEditable(1);
    source->SetMinimum(-5);
    source->SetMaximum(70000);
    source->SetX(60);
    std::unique_ptr<CControlBase> copy(source->Clone(&panel.screen, 1));
    auto* reg = dynamic_cast<CControlRegister*>(copy.get());
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->GetIntegerDigits(), 0);
    EXPECT_EQ(reg->GetDecimalDigits(), 2);
    EXPECT_STREQ(reg->GetSample(), "0.12");
    EXPECT_EQ(reg->GetInvalidZero() + reg->GetEditable(), 2);
    EXPECT_EQ(reg->GetMinimum(), -5);
    EXPECT_EQ(reg->GetMaximum(), 70000);
    EXPECT_EQ(reg->GetX(), 60);
    EXPECT_EQ(reg->GetWidth(), 32);
    // The digit check still governs edits of the copy.
    EXPECT_EQ(reg->SetDecimalDigits(0), 0);
}

TEST(ControlCopy, StaticTextCopyKeepsPositionNearTheRightEdge)
{
    CTestPanel panel(128, 64);
    auto source = Make<CControlStaticText>(panel, CControlBase::CONTROL_STATIC_TEXT);
    source->SetText("ABC");
    ASSERT_TRUE(source->SetX(100));
    std::unique_ptr<CControlBase> copy(source->Clone(&panel.screen, 0));
    auto* text = dynamic_cast<CControlStaticText*>(copy.get());
    EXPECT_STREQ(text->GetText(), "ABC");
    EXPECT_EQ(text->GetX(), 100);
    EXPECT_EQ(text->GetWidth(), 24);
}

TEST(ControlCopy, FunctionKeyCopyEndsWithTheSourcesWidthAndInversion)
{
    CTestPanel panel;
    auto source = Make<CControlFunction>(panel, CControlBase::CONTROL_FUNCTION);
    source->SetKeyIndex(3);
    source->SetHand(0);
    source->SetFunction(1);
    source->SetJumpScreen(2);
    source->SetValueSetting(3);
    source->SetInvertColor(1);
    auto target = Make<CControlFunction>(panel, CControlBase::CONTROL_FUNCTION);
    target->SetInvisible(1);
    target->CopyAttributes(source.get());
    EXPECT_EQ(target->GetKeyIndex(), 3);
    EXPECT_EQ(target->GetHand(), 0);
    EXPECT_EQ(target->GetInvisible(), 0);
    EXPECT_EQ(target->GetFunction(), 1);
    EXPECT_EQ(target->GetJumpScreen(), 2);
    EXPECT_EQ(target->GetValueSetting(), 3);
    EXPECT_EQ(target->GetInvertColor(), 1);
    EXPECT_EQ(target->GetWidth(), 16);
    EXPECT_EQ(target->GetJumpScreenAttribute()->GetVisible(), 1);
    EXPECT_EQ(SaveBytes(*target), SaveBytes(*source));

    auto light = Make<CControlLight>(panel, CControlBase::CONTROL_LIGHT);
    light->SetShape(1);
    std::unique_ptr<CControlBase> lightCopy(light->Clone(&panel.screen, 0));
    EXPECT_EQ(static_cast<CControlLight*>(lightCopy.get())->GetShape(), 1);
}

// ---- records ----

// One control of each kind in a state different from a new one.
std::vector<std::unique_ptr<CControlBase>> EveryKind(CTestPanel& panel)
{
    std::vector<std::unique_ptr<CControlBase>> all;
    for (unsigned type = 1; type <= 8; ++type)
        all.emplace_back(CControlCreator::Create(type, &panel.screen));
    static_cast<CControlStaticText*>(all[0].get())->SetText("A\xD6\xD0");
    auto* reg = static_cast<CControlRegister*>(all[1].get());
    reg->SetIntegerDigits(2);
    reg->SetDecimalDigits(1);
    reg->SetMaximum(999);
    static_cast<CControlLight*>(all[2].get())->SetShape(1);
    auto* key = static_cast<CControlFunction*>(all[3].get());
    key->SetInvisible(1);
    key->SetFunction(1);
    key->SetKeyIndex(2);
    for (auto& control : all) {
        control->SetControlID(unsigned(control->GetControlType()) * 11);
        control->SetInvertColor(control->GetControlType() != CControlBase::CONTROL_FUNCTION);
        control->SetCoilAddr(int(control->GetControlType()));
        control->SetLevelIndex(3);
    }
    all[4]->SetControlName("trend");
    return all;
}

TEST(ControlRecord, EveryKindRoundTripsAndBehavesLikeANewOne)
{
    CTestPanel panel;
    auto sources = EveryKind(panel);
    for (auto& source : sources) {
        std::vector<BYTE> bytes = SaveBytes(*source);
        ASSERT_EQ(bytes.size(), source->GetRecordSize());
        std::unique_ptr<CControlBase> loaded(CControlCreator::Create(source->GetControlType(), &panel.screen));
        EXPECT_EQ(loaded->Load(bytes.data(), DWORD(bytes.size())), bytes.size());
        EXPECT_EQ(SaveBytes(*loaded), bytes) << source->GetControlType();
    }
    // Reactions run on loaded attributes.
    std::vector<std::unique_ptr<CControlBase>> loaded;
    for (auto& source : sources) {
        std::vector<BYTE> bytes = SaveBytes(*source);
        loaded.emplace_back(CControlCreator::Create(source->GetControlType(), &panel.screen));
        loaded.back()->Load(bytes.data(), DWORD(bytes.size()));
    }
    auto* text = static_cast<CControlStaticText*>(loaded[0].get());
    text->SetText("ABCD");
    EXPECT_EQ(text->GetWidth(), 32);
    auto* reg = static_cast<CControlRegister*>(loaded[1].get());
    EXPECT_STREQ(reg->GetSample(), "12.3");
    EXPECT_EQ(reg->SetIntegerDigits(5), 0);
    EXPECT_EQ(reg->SetIntegerDigits(4), 1);
    EXPECT_STREQ(reg->GetSample(), "1234.5");
    EXPECT_EQ(reg->GetWidth(), 48);
    reg->SetAsterisk(1);
    EXPECT_STREQ(reg->GetSample(), "*****");
    auto* key = static_cast<CControlFunction*>(loaded[3].get());
    EXPECT_EQ(key->GetWidth(), 16);
    EXPECT_EQ(key->GetHandAttribute()->GetReadonly(), 1);
    EXPECT_EQ(key->GetJumpScreenAttribute()->GetVisible(), 1);
    key->SetInvisible(0);
    EXPECT_EQ(key->GetWidth(), 33);
    key->SetFunction(0);
    EXPECT_EQ(key->GetJumpScreenAttribute()->GetVisible(), 0);
    EXPECT_FALSE(loaded[4]->SetX(200));
}

TEST(ControlRecord, EveryTruncationOfEveryKindChangesNothing)
{
    CTestPanel panel;
    auto sources = EveryKind(panel);
    for (auto& source : sources) {
        const std::vector<BYTE> bytes = SaveBytes(*source);
        std::unique_ptr<CControlBase> target(CControlCreator::Create(source->GetControlType(), &panel.screen));
        const std::vector<BYTE> before = SaveBytes(*target);
        for (DWORD cut = 0; cut < bytes.size(); ++cut) {
            std::vector<BYTE> part(bytes.begin(), bytes.begin() + cut);
            EXPECT_LE(target->Load(cut ? part.data() : nullptr, cut), cut);
            ASSERT_EQ(SaveBytes(*target), before) << "type " << source->GetControlType() << " cut " << cut;
        }
        // Still a working control after all the failed loads.
        target->SetX(1);
        EXPECT_EQ(target->GetX(), 1);
    }
}

TEST(ControlRecord, ARecordMissingAKindsAttributesIsRefused)
{
    CTestPanel panel;
    // A lamp record carries no register attributes: loading it as a register must fail.
    auto light = Make<CControlLight>(panel, CControlBase::CONTROL_LIGHT);
    std::vector<BYTE> bytes = SaveBytes(*light);
    bytes[0] = CControlBase::CONTROL_REGISTER;
    auto reg = Make<CControlRegister>(panel, CControlBase::CONTROL_REGISTER);
    const std::vector<BYTE> before = SaveBytes(*reg);
    EXPECT_EQ(reg->Load(bytes.data(), DWORD(bytes.size())), 0u);
    EXPECT_EQ(SaveBytes(*reg), before);
    EXPECT_EQ(reg->SetIntegerDigits(3), 1);
    EXPECT_STREQ(reg->GetSample(), "123");
}

} // namespace
