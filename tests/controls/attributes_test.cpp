// Attribute kinds, their records, the setting steps, lists and the six groups.
#include "controls/attributes.h"
#include "controls/control_base.h"
#include "controls/control_creator.h"

#include "support/test_panel.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace ControlsTest;

namespace {

const char* const NO_TEXT = "\xB7\xF1";                     // 否
const char* const YES_TEXT = "\xCA\xC7";                    // 是
const char* const NOT_OPERATE = "\xB2\xBB\xCC\xF8\xD7\xAA"; // 不跳转

std::vector<BYTE> IntImage(int v)
{
    return CBytes().Word(3).Zeros(6).Dword(DWORD(v)).Zeros(4);
}

// ---- records ----

TEST(AttributeRecord, NamelessIntegerIs32Bytes)
{
    CAttributeInt attribute(nullptr);
    const std::vector<BYTE> expected = CBytes().Dword(2).Dword(0).Append(IntImage(0)).Dword(0).Dword(1);
    EXPECT_EQ(expected.size(), 32u);
    EXPECT_EQ(SaveBytes(attribute), expected);
}

TEST(AttributeRecord, LayoutXIs33Bytes)
{
    CLayoutAttributes layout(nullptr);
    CAttributeBase* x = layout.GetAttributeAt(0);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(SaveBytes(*x), CBytes().Dword(2).Text("X").Append(IntImage(0)).Dword(0).Dword(1).Get());
}

TEST(AttributeRecord, YesNoRecordsAre40And44Bytes)
{
    CAttributeBool attribute(nullptr);
    const std::vector<BYTE> image = CBytes().Word(2).Zeros(14);
    EXPECT_EQ(SaveBytes(attribute), CBytes().Dword(1).Dword(0).Append(image).Dword(0).Dword(1).Dword(0).Dword(0).Get());
    attribute.SetComboBoxSelectString("ab", "cd");
    const std::vector<BYTE> bytes = SaveBytes(attribute);
    EXPECT_EQ(bytes.size(), 44u);
    EXPECT_EQ(bytes, CBytes().Dword(1).Dword(0).Append(image).Dword(0).Dword(1).Text("ab").Text("cd").Get());
}

TEST(AttributeRecord, StringStoresUtf16ValueAndGbkCopy)
{
    CAttributeString empty(nullptr);
    EXPECT_EQ(SaveBytes(empty), CBytes().Dword(4).Dword(0).Word(8).Dword(0).Dword(0).Dword(1).Dword(0).Get());

    CAttributeString text(nullptr);
    text.SetAttributeName("N");
    text = "A\xBE\xB2"; // A静
    text.SetReadonly(1);
    text.SetVisible(0);
    EXPECT_EQ(
        SaveBytes(text),
        CBytes().Dword(4).Text("N").Word(8).Dword(4).Word(0x41).Word(0x9759).Dword(1).Dword(0).Text("A\xBE\xB2").Get());
}

TEST(AttributeRecord, EnumerationStoresTextModeAndItems)
{
    CAttributeEnum attribute(nullptr);
    const char* items[] = {"A", "BC"};
    attribute.SetEnumValueList(items, 2);
    attribute = 1;
    attribute.SetScreenListMode(1);
    EXPECT_EQ(SaveBytes(attribute), CBytes()
                                        .Dword(5)
                                        .Dword(0)
                                        .Append(IntImage(1))
                                        .Dword(0)
                                        .Dword(1)
                                        .Text("BC")
                                        .Dword(1)
                                        .Dword(2)
                                        .Text("A")
                                        .Text("BC")
                                        .Get());
}

TEST(AttributeRecord, DoubleStoresItsImage)
{
    CAttributeDouble attribute(nullptr);
    attribute = -2.0;
    EXPECT_EQ(SaveBytes(attribute),
              CBytes().Dword(3).Dword(0).Word(5).Zeros(6).Zeros(7).Append({0xC0}).Dword(0).Dword(1).Get());
}

// Every kind in a non-default state, for round trips and truncations.
std::vector<std::unique_ptr<CAttributeBase>> SampleAttributes()
{
    std::vector<std::unique_ptr<CAttributeBase>> all;
    auto* b = new CAttributeBool(nullptr);
    b->SetAttributeName("\xC3\xFB"); // 名
    b->SetComboBoxSelectString("off", "on");
    *b = 1;
    all.emplace_back(b);
    auto* i = new CAttributeInt(nullptr);
    *i = -123456;
    i->SetReadonly(1);
    all.emplace_back(i);
    auto* d = new CAttributeDouble(nullptr);
    *d = 3.5;
    d->SetVisible(0);
    all.emplace_back(d);
    auto* s = new CAttributeString(nullptr);
    *s = "text \xCE\xC4";
    all.emplace_back(s);
    auto* e = new CAttributeEnum(nullptr);
    e->SetEnumValueList({"one", "two", "three"});
    *e = "three";
    e->SetScreenListMode(1);
    all.emplace_back(e);
    return all;
}

TEST(AttributeRecord, SizeQueryMatchesSaveAndLoadRoundTrips)
{
    for (auto& attribute : SampleAttributes()) {
        std::vector<BYTE> bytes = SaveBytes(*attribute);
        ASSERT_FALSE(bytes.empty());
        std::unique_ptr<CAttributeBase> back(CAttributeCreator::Create(nullptr, attribute->GetType()));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->Load(bytes.data(), DWORD(bytes.size())), bytes.size());
        EXPECT_EQ(SaveBytes(*back), bytes);
        EXPECT_EQ(back->GetValueRef(), attribute->GetValueRef());
        EXPECT_STREQ(back->GetAttributeName(), attribute->GetAttributeName());
    }
}

TEST(AttributeRecord, EveryTruncationChangesNothingAndStaysInside)
{
    for (auto& attribute : SampleAttributes()) {
        const std::vector<BYTE> bytes = SaveBytes(*attribute);
        for (DWORD cut = 0; cut < bytes.size(); ++cut) {
            std::unique_ptr<CAttributeBase> target(CAttributeCreator::Create(nullptr, attribute->GetType()));
            const std::vector<BYTE> before = SaveBytes(*target);
            // An exact-size copy, so ASan sees any read past the cut.
            std::vector<BYTE> part(bytes.begin(), bytes.begin() + cut);
            EXPECT_LE(target->Load(cut ? part.data() : nullptr, cut), cut);
            EXPECT_EQ(SaveBytes(*target), before) << "kind " << attribute->GetType() << " cut " << cut;
        }
    }
}

// ---- setting a value ----

struct SetValueFixture : public ::testing::Test {
    CTestPanel panel;
    std::unique_ptr<CControlBase> control{CControlCreator::Create(CControlBase::CONTROL_LIGHT, &panel.screen)};

    static std::vector<std::string>* log;
    static int veto;
    static int PreChange(void* c, void* a, const CAttrValue* v)
    {
        log->push_back("pre " + std::to_string(v->GetInt32()) + " was " +
                       std::to_string(static_cast<CAttributeBase*>(a)->GetValueRef().GetInt32()));
        EXPECT_NE(c, nullptr);
        return veto;
    }
    static void Changed(void*, void* a, const CAttrValue* v)
    {
        EXPECT_EQ(v, &static_cast<CAttributeBase*>(a)->GetValueRef());
        log->push_back("changed " + std::to_string(v->GetInt32()));
    }
    std::vector<std::string> entries;
    void SetUp() override
    {
        log = &entries;
        veto = 1;
    }
};
std::vector<std::string>* SetValueFixture::log = nullptr;
int SetValueFixture::veto = 1;

TEST_F(SetValueFixture, RunsVetoStoreReactionAndRedrawInOrder)
{
    CAttributeInt attribute(control.get());
    attribute.SetPreValueChangeHandle(PreChange);
    attribute.SetValueChangedHandle(Changed);
    control->ClearRedrawMarks();
    veto = 7;
    EXPECT_EQ(attribute.SetValue(CAttrValue::Int32(5)), 7); // the veto's non-zero result
    EXPECT_EQ(entries, (std::vector<std::string>{"pre 5 was 0", "changed 5"}));
    EXPECT_EQ(control->GetRedrawMark(), 1);
}

TEST_F(SetValueFixture, ARefusalKeepsTheValueAndRunsNothingElse)
{
    CAttributeInt attribute(control.get());
    attribute = 3;
    attribute.SetPreValueChangeHandle(PreChange);
    attribute.SetValueChangedHandle(Changed);
    control->ClearRedrawMarks();
    veto = 0;
    EXPECT_EQ(attribute.SetValue(CAttrValue::Int32(9)), 0);
    EXPECT_EQ(int(attribute), 3);
    EXPECT_EQ(entries, (std::vector<std::string>{"pre 9 was 3"}));
    EXPECT_EQ(control->GetRedrawMark(), 0);
}

TEST_F(SetValueFixture, ItsOwnValueIsTakenWithoutSteps)
{
    CAttributeInt attribute(control.get());
    attribute.SetPreValueChangeHandle(PreChange);
    veto = 0;
    EXPECT_EQ(attribute.SetValue(attribute.GetValueRef()), 1);
    EXPECT_TRUE(entries.empty());
}

TEST_F(SetValueFixture, WithoutAParentNoHandlerRuns)
{
    CAttributeInt attribute(nullptr);
    attribute.SetPreValueChangeHandle(PreChange);
    attribute.SetValueChangedHandle(Changed);
    veto = 0;
    EXPECT_EQ(attribute.SetValue(CAttrValue::Int32(4)), 1);
    EXPECT_EQ(int(attribute), 4);
    EXPECT_TRUE(entries.empty());
}

TEST_F(SetValueFixture, StringAttributesTakeOnlyStrings)
{
    CAttributeString attribute(control.get());
    attribute.SetValueChangedHandle(Changed);
    EXPECT_EQ(attribute.SetValue(CAttrValue::Int32(1)), 0);
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(attribute.SetValue(CAttrValue::String(u"\u9759x")), 1);
    EXPECT_STREQ(static_cast<const char*>(attribute), "\xBE\xB2x");
}

// ---- enumerations ----

TEST_F(SetValueFixture, EnumerationSelectsByIndexOrText)
{
    CAttributeEnum attribute(control.get());
    attribute.SetEnumValueList({"A", "B", "C"});
    EXPECT_EQ(int(attribute), 0);
    EXPECT_STREQ(static_cast<const char*>(attribute), "A");
    EXPECT_EQ(attribute.SetValueString("C"), 1);
    EXPECT_EQ(int(attribute), 2);
    EXPECT_EQ(attribute.SetValueString("Z"), 0);
    EXPECT_EQ(attribute.SetValue(CAttrValue::String(u"Z")), 0);
    EXPECT_EQ(int(attribute), 2);
    EXPECT_STREQ(static_cast<const char*>(attribute), "C");
    EXPECT_EQ(attribute.SetValue(CAttrValue::String(u"B")), 1);
    EXPECT_EQ(int(attribute), 1);
    // Any index is taken; outside the items the text is empty.
    EXPECT_EQ(attribute.SetValue(CAttrValue::Int32(7)), 1);
    EXPECT_EQ(int(attribute), 7);
    EXPECT_STREQ(static_cast<const char*>(attribute), "");
    EXPECT_EQ(attribute.SetValue(CAttrValue::Int16(1)), 0);
    EXPECT_EQ(attribute.SetValue(CAttrValue::Double(1.0)), 0);
    EXPECT_EQ(int(attribute), 7);
}

TEST_F(SetValueFixture, EnumerationRefusedIndexKeepsIndexAndText)
{
    CAttributeEnum attribute(control.get());
    attribute.SetEnumValueList({"A", "B"});
    attribute = 1;
    attribute.SetPreValueChangeHandle(PreChange);
    veto = 0;
    attribute = 0;
    attribute = "A";
    EXPECT_EQ(int(attribute), 1);
    EXPECT_STREQ(static_cast<const char*>(attribute), "B");
    // A new item list still replaces the items; the refused index 0 leaves the old text.
    attribute.SetEnumValueList({"X", "Y"});
    EXPECT_EQ(attribute.GetItemCount(), 2);
    EXPECT_STREQ(static_cast<const char*>(attribute), "B");
}

TEST_F(SetValueFixture, NewItemListSelectsTheFirstThroughTheHandlers)
{
    CAttributeEnum attribute(control.get());
    attribute.SetEnumValueList({"A", "B"});
    attribute = 1;
    attribute.SetPreValueChangeHandle(PreChange);
    attribute.SetValueChangedHandle(Changed);
    attribute.SetEnumValueList({"P", "Q", "R"});
    EXPECT_EQ(entries, (std::vector<std::string>{"pre 0 was 1", "changed 0"}));
    EXPECT_STREQ(static_cast<const char*>(attribute), "P");
    const char* items[] = {"x", nullptr};
    attribute.SetEnumValueList(items, 2);
    EXPECT_EQ(attribute.GetItems(), (std::vector<std::string>{"x", ""}));
}

void TwoScreens(CScreensList*, std::vector<std::string>& names)
{
    names = {"Screen_1", "Screen_2"};
}

TEST(AttributeEnum, ScreenListModeOffersNoJumpAndEveryScreen)
{
    CAttributeEnum attribute(nullptr);
    attribute.SetEnumValueList({"ignored"});
    attribute.SetScreenListMode(1);
    attribute = 2;
    CComboRecorder combo;
    attribute.AddAllItemToComboBox(&combo);
    EXPECT_TRUE(combo.items.empty()); // no screens list yet

    int list = 0;
    CAttributeEnum::s_lpGobalScreensList = reinterpret_cast<CScreensList*>(&list);
    CAttributeEnum::s_pfnGetScreenNames = TwoScreens;
    attribute.AddAllItemToComboBox(&combo);
    CAttributeEnum::s_lpGobalScreensList = nullptr;
    CAttributeEnum::s_pfnGetScreenNames = nullptr;
    EXPECT_EQ(combo.items, (std::vector<std::string>{NOT_OPERATE, "Screen_1", "Screen_2"}));
    EXPECT_EQ(combo.selected, 2);
    EXPECT_STREQ(CAttributeEnum::s_lpcszNotOperate, NOT_OPERATE);
}

TEST(AttributeCombo, ListsOfYesNoAndEnumerations)
{
    CComboRecorder combo;
    CAttributeBool yesNo(nullptr);
    yesNo = 1;
    yesNo.AddAllItemToComboBox(&combo);
    EXPECT_EQ(combo.items, (std::vector<std::string>{NO_TEXT, YES_TEXT}));
    EXPECT_EQ(combo.selected, 1);
    yesNo.SetComboBoxSelectString("off", nullptr);
    yesNo.AddAllItemToComboBox(&combo);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"off", YES_TEXT}));
    EXPECT_EQ(combo.resets, 2);

    CAttributeEnum choice(nullptr);
    choice.SetEnumValueList({"a", "b", "c"});
    choice = 2;
    choice.AddAllItemToComboBox(&combo);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(combo.selected, 2);

    CAttributeInt number(nullptr);
    number.AddAllItemToComboBox(&combo);
    EXPECT_EQ(combo.resets, 3); // untouched
    choice.AddAllItemToComboBox(nullptr);
}

// ---- text in and out ----

TEST(AttributeText, ParsesByTheKindsRules)
{
    CAttributeBool yesNo(nullptr);
    EXPECT_EQ(yesNo.SetValueString("  12abc"), 1);
    EXPECT_EQ(yesNo.GetValueRef(), CAttrValue::Int16(12));
    yesNo.SetValueString("yes");
    EXPECT_EQ(int(yesNo), 0);

    CAttributeInt number(nullptr);
    number.SetValueString("-5x");
    EXPECT_EQ(int(number), -5);
    number.SetValueString("99999999999");
    EXPECT_EQ(int(number), 2147483647);
    number.SetValueString(nullptr);
    EXPECT_EQ(int(number), 0);

    CAttributeDouble real(nullptr);
    real.SetValueString(" 3.5e1z");
    EXPECT_DOUBLE_EQ(double(real), 35.0);

    CAttributeString text(nullptr);
    text.SetValueString("\xD6\xD0");
    EXPECT_EQ(text.GetValueRef().GetString(), u"\u4E2D");

    CAttributeBase none(nullptr);
    EXPECT_EQ(none.SetValueString("1"), 1);
    EXPECT_EQ(none.GetType(), CAttributeBase::ATTRIBUTE_NONE);
}

TEST(AttributeText, FormatsWithTheDefaultOrAFittingFormat)
{
    std::string out;
    CAttributeDouble real(nullptr);
    real = 3.14159;
    real.GetValueString(out, nullptr);
    EXPECT_EQ(out, "3.14");
    real.GetValueString(out, "%.3f s");
    EXPECT_EQ(out, "3.142 s");
    real.GetValueString(out, "%d"); // does not fit a double: the default
    EXPECT_EQ(out, "3.14");

    CAttributeBool yesNo(nullptr);
    yesNo = 1;
    yesNo.GetValueString(out, "");
    EXPECT_EQ(out, "1");

    CAttributeInt number(nullptr);
    number = 42;
    number.GetValueString(out, "%05d%%");
    EXPECT_EQ(out, "00042%");
    number.GetValueString(out, "%s");
    EXPECT_EQ(out, "42");
    number.GetValueString(out, "%d %d");
    EXPECT_EQ(out, "42");
    number.GetValueString(out, "%n");
    EXPECT_EQ(out, "42");
    number.GetValueString(out, "%X");
    EXPECT_EQ(out, "2A");

    CAttributeString text(nullptr);
    text = "ab";
    text.GetValueString(out, "[%s]");
    EXPECT_EQ(out, "[ab]");
    CAttributeEnum choice(nullptr);
    choice.SetEnumValueList({"first"});
    choice.GetValueString(out, nullptr);
    EXPECT_EQ(out, "first");

    CAttributeBase none(nullptr);
    none.GetValueString(out, nullptr);
    EXPECT_EQ(out, "(Error)");
}

// ---- copying and the factory ----

int AcceptAll(void*, void*, const CAttrValue*)
{
    return 1;
}
void Ignore(void*, void*, const CAttrValue*)
{
}

TEST(AttributeClone, CopiesStateHandlersAndKindFields)
{
    for (auto& attribute : SampleAttributes()) {
        attribute->SetPreValueChangeHandle(AcceptAll);
        attribute->SetValueChangedHandle(Ignore);
        int owner = 0;
        std::unique_ptr<CAttributeBase> copy(attribute->Clone(reinterpret_cast<CControlBase*>(&owner)));
        const CAttributeBase& copied = *copy;
        const CAttributeBase& original = *attribute;
        EXPECT_EQ(typeid(copied), typeid(original));
        EXPECT_EQ(copy->GetParentControl(), reinterpret_cast<CControlBase*>(&owner));
        EXPECT_EQ(copy->GetPreValueChangeHandle(), AcceptAll);
        EXPECT_EQ(copy->GetValueChangedHandle(), Ignore);
        EXPECT_EQ(SaveBytes(*copy), SaveBytes(*attribute));
    }
}

TEST(AttributeCreator, MakesKindsOneToFive)
{
    for (unsigned kind = 1; kind <= 5; ++kind) {
        std::unique_ptr<CAttributeBase> attribute(CAttributeCreator::Create(nullptr, kind));
        ASSERT_NE(attribute, nullptr);
        EXPECT_EQ(attribute->GetType(), CAttributeBase::Attribute_Type(kind));
        EXPECT_EQ(attribute->Compile(nullptr, 0), 0u);
    }
    EXPECT_EQ(CAttributeCreator::Create(nullptr, 0), nullptr);
    EXPECT_EQ(CAttributeCreator::Create(nullptr, 6), nullptr);
    std::string text;
    CAttributeBool yesNo(nullptr);
    yesNo.GetValueString(text, nullptr);
    EXPECT_EQ(text, "0");
    CAttributeString empty(nullptr);
    EXPECT_TRUE(empty.GetValueRef().IsString());
}

// ---- lists ----

std::vector<BYTE> ListRecord(const std::vector<std::unique_ptr<CAttributeBase>>& attributes)
{
    CAttrList list(nullptr);
    list.SetListName("L");
    for (auto& attribute : attributes)
        list.AddAtttribute(attribute->Clone(nullptr));
    return SaveBytes(list);
}

TEST(AttrList, RecordIsNameCountAndEntries)
{
    auto attributes = SampleAttributes();
    CBytes expected;
    expected.Text("L").Dword(5);
    for (auto& attribute : attributes)
        expected.Append(SaveBytes(*attribute));
    EXPECT_EQ(ListRecord(attributes), expected.Get());

    CAttrList empty(nullptr);
    EXPECT_EQ(SaveBytes(empty), CBytes().Dword(0).Dword(0).Get());
    EXPECT_EQ(empty.Compile(nullptr, 0), 0u);
}

TEST(AttrList, LoadReplacesAttributesAndIterates)
{
    std::vector<BYTE> bytes = ListRecord(SampleAttributes());
    CAttrList list(nullptr);
    list.AddAtttribute(new CAttributeInt(nullptr));
    EXPECT_EQ(list.Load(bytes.data(), DWORD(bytes.size())), bytes.size());
    EXPECT_STREQ(list.GetListName(), "L");
    ASSERT_EQ(list.GetAttributesCount(), 5);
    list.StartGetAttribute();
    int kinds = 0;
    while (CAttributeBase* attribute = list.GetNextAttribute())
        kinds = kinds * 10 + attribute->GetType();
    EXPECT_EQ(kinds, 12345);
    EXPECT_EQ(list.GetLastAttribute()->GetType(), CAttributeBase::ATTRIBUTE_ENUM);
    EXPECT_EQ(list.GetAttributeAt(5), nullptr);
    EXPECT_EQ(list.GetAttributeAt(-1), nullptr);
    EXPECT_EQ(SaveBytes(list), bytes);

    std::unique_ptr<CAttrList> copy(list.Clone(nullptr));
    EXPECT_EQ(SaveBytes(*copy), bytes);
    list.RemoveAllAttributes();
    EXPECT_EQ(list.GetLastAttribute(), nullptr);
    list.StartGetAttribute();
    EXPECT_EQ(list.GetNextAttribute(), nullptr);
}

TEST(AttrList, UnknownKindEndsTheListThere)
{
    auto attributes = SampleAttributes();
    const std::vector<BYTE> first = SaveBytes(*attributes[0]);
    const std::vector<BYTE> bytes = CBytes().Text("L").Dword(3).Append(first).Dword(9).Zeros(40).Append(first);
    CAttrList list(nullptr);
    EXPECT_EQ(list.Load(const_cast<BYTE*>(bytes.data()), DWORD(bytes.size())), 4 + 1 + 4 + first.size());
    EXPECT_EQ(list.GetAttributesCount(), 1);
}

TEST(AttrList, EveryTruncationStaysInsideAndKeepsAValidList)
{
    const std::vector<BYTE> bytes = ListRecord(SampleAttributes());
    for (DWORD cut = 0; cut < bytes.size(); ++cut) {
        std::vector<BYTE> part(bytes.begin(), bytes.begin() + cut);
        CAttrList list(nullptr);
        EXPECT_LE(list.Load(cut ? part.data() : nullptr, cut), cut);
        const std::vector<BYTE> again = SaveBytes(list);
        EXPECT_FALSE(again.empty());
        EXPECT_LT(list.GetAttributesCount(), 5);
    }
}

// ---- groups ----

TEST(AttrGroups, NamesKindsAndInitialStates)
{
    CHideAttributes hide(nullptr);
    CLayoutAttributes layout(nullptr);
    CDisplayAttributes display(nullptr);
    CCustomAttributes custom(nullptr);
    CDataAttributes data(nullptr);
    COtherAttributes other(nullptr);
    struct Expect {
        CAttrList* list;
        const char* name;
        std::vector<int> kinds;
        std::vector<std::string> names;
        std::vector<int> visible;
        std::vector<int> readonly;
    };
    const Expect expected[] = {
        {&hide, "\xD2\xFE\xB2\xD8", {1, 1, 2}, {"", "", ""}, {1, 1, 1}, {0, 0, 0}},
        {&layout,
         "\xB2\xBC\xBE\xD6",
         {2, 2, 2, 2},
         {"X", "Y", "\xBF\xED\xB6\xC8", "\xB8\xDF\xB6\xC8"},
         {1, 1, 1, 1},
         {0, 0, 1, 1}},
        {&display, "\xCD\xE2\xB9\xDB", {1, 1}, {"", "\xB7\xB4\xC9\xAB\xCF\xD4\xCA\xBE"}, {0, 1}, {0, 0}},
        {&custom, "\xCC\xD8\xD0\xD4", {}, {}, {}, {}},
        {&data,
         "\xCA\xFD\xBE\xDD",
         {2, 5, 2, 5, 2},
         {"PLC\xD5\xBE\xBA\xC5", "\xBC\xC4\xB4\xE6\xC6\xF7\xBA\xC5", "\xBC\xC4\xB4\xE6\xC6\xF7\xB5\xD8\xD6\xB7",
          "\xCF\xDF\xC8\xA6\xBA\xC5", "\xCF\xDF\xC8\xA6\xB5\xD8\xD6\xB7"},
         {0, 0, 0, 0, 0},
         {0, 0, 0, 0, 0}},
        {&other, "\xD4\xD3\xCF\xEE", {}, {}, {}, {}},
    };
    for (const Expect& e : expected) {
        EXPECT_STREQ(e.list->GetListName(), e.name);
        ASSERT_EQ(e.list->GetAttributesCount(), int(e.kinds.size()));
        for (size_t i = 0; i < e.kinds.size(); ++i) {
            CAttributeBase* a = e.list->GetAttributeAt(int(i));
            EXPECT_EQ(a->GetType(), e.kinds[i]) << e.name << i;
            EXPECT_EQ(a->GetAttributeName(), e.names[i]);
            EXPECT_EQ(a->GetVisible(), e.visible[i]);
            EXPECT_EQ(a->GetReadonly(), e.readonly[i]);
        }
    }
    EXPECT_STREQ(CDataAttributes::ATTR_REGISTER_ADDR_REAL_NAME, "\xBC\xC4\xB4\xE6\xC6\xF7MODBUS");
    EXPECT_STREQ(CDataAttributes::ATTR_COIL_ADDR_REAL_NAME, "\xCF\xDF\xC8\xA6MODBUS");
}

TEST(AttrGroups, MultipleSelectionTypeIsAYesNoRecordHoldingA32BitInteger)
{
    CHideAttributes hide(nullptr);
    hide.SetMultipleSelectedType(2);
    EXPECT_EQ(hide.GetMultipleSelectedType(), 2);
    EXPECT_EQ(SaveBytes(*hide.GetAttributeAt(1)),
              CBytes().Dword(1).Dword(0).Append(IntImage(2)).Dword(0).Dword(1).Dword(0).Dword(0).Get());
}

TEST(AttrGroups, LoadedHiddenGroupIsNeverSelected)
{
    CHideAttributes saved(nullptr);
    saved.SetSelected(1);
    saved.SetMultipleSelectedType(2);
    saved.SetLevelIndex(4);
    std::vector<BYTE> bytes = SaveBytes(saved);
    CHideAttributes loaded(nullptr);
    EXPECT_EQ(loaded.Load(bytes.data(), DWORD(bytes.size())), bytes.size());
    EXPECT_EQ(loaded.GetSelected(), 0);
    EXPECT_EQ(loaded.GetMultipleSelectedType(), 0);
    EXPECT_EQ(loaded.GetLevelIndex(), 4);
}

TEST(AttrGroups, LoadRebindsTypedAccessByPosition)
{
    CDataAttributes data(nullptr);
    data.GetRegisterAttribute()->SetEnumValueList({"D", "M"});
    data.SetPLCStation(3);
    data.SetRegister(1);
    data.SetRegisterAddr(100);
    data.SetCoil(2);
    data.SetCoilAddr(17);
    data.SetCoilVisible(1);
    data.AddAtttribute(new CAttributeBool(nullptr)); // a kind's own attribute after the five
    std::vector<BYTE> bytes = SaveBytes(data);
    CDataAttributes loaded(nullptr);
    EXPECT_EQ(loaded.Load(bytes.data(), DWORD(bytes.size())), bytes.size());
    EXPECT_EQ(loaded.GetPLCStation(), 3);
    EXPECT_EQ(loaded.GetRegister(), 1);
    EXPECT_STREQ(static_cast<const char*>(*loaded.GetRegisterAttribute()), "M");
    EXPECT_EQ(loaded.GetRegisterAddr(), 100);
    EXPECT_EQ(loaded.GetCoil(), 2);
    EXPECT_EQ(loaded.GetCoilAddr(), 17);
    EXPECT_EQ(loaded.GetCoilVisible(), 1);
    EXPECT_EQ(loaded.GetCoilAddrVisible(), 0);
    EXPECT_EQ(loaded.GetAttributesCount(), 6);
    loaded.SetCoilAddr(20);
    EXPECT_EQ(loaded.GetAttributeAt(4)->GetValueRef().GetInt32(), 20);
}

TEST(AttrGroups, ARecordWithoutTheGroupsAttributesLeavesAFreshGroup)
{
    // A layout record whose second entry is a string: the typed access cannot bind.
    CAttrList wrong(nullptr);
    wrong.SetListName("W");
    wrong.AddAtttribute(new CAttributeInt(nullptr));
    wrong.AddAtttribute(new CAttributeString(nullptr));
    std::vector<BYTE> bytes = SaveBytes(wrong);
    CLayoutAttributes layout(nullptr);
    layout.SetX(50);
    layout.Load(bytes.data(), DWORD(bytes.size()));
    EXPECT_EQ(layout.GetAttributesCount(), 4);
    EXPECT_EQ(layout.GetX(), 0);
    layout.SetWidth(7);
    EXPECT_EQ(layout.GetWidth(), 7);
}

TEST(AttrGroups, EveryTruncationOfEveryGroupKeepsTypedAccess)
{
    CHideAttributes hide(nullptr);
    CLayoutAttributes layout(nullptr);
    layout.SetX(5);
    CDisplayAttributes display(nullptr);
    display.SetInvertColor(1);
    CDataAttributes data(nullptr);
    data.GetCoilAttribute()->SetEnumValueList({"X", "Y"});
    const std::vector<BYTE> records[] = {SaveBytes(hide), SaveBytes(layout), SaveBytes(display), SaveBytes(data)};
    for (int g = 0; g < 4; ++g) {
        for (DWORD cut = 0; cut < records[g].size(); ++cut) {
            std::vector<BYTE> part(records[g].begin(), records[g].begin() + cut);
            std::unique_ptr<CTypedAttrList> target;
            switch (g) {
            case 0: target.reset(new CHideAttributes(nullptr)); break;
            case 1: target.reset(new CLayoutAttributes(nullptr)); break;
            case 2: target.reset(new CDisplayAttributes(nullptr)); break;
            default: target.reset(new CDataAttributes(nullptr)); break;
            }
            EXPECT_LE(target->Load(cut ? part.data() : nullptr, cut), cut);
            // The typed accessors work on whatever the group now holds.
            if (auto* h = dynamic_cast<CHideAttributes*>(target.get()))
                h->SetLevelIndex(h->GetLevelIndex() + h->GetSelected() + h->GetMultipleSelectedType());
            if (auto* l = dynamic_cast<CLayoutAttributes*>(target.get()))
                l->SetHeight(l->GetX() + l->GetY() + l->GetWidth() + l->GetHeight());
            if (auto* d = dynamic_cast<CDisplayAttributes*>(target.get()))
                d->SetInvertColorReadonly(d->GetInvertColor() + d->GetZoomOnce());
            if (auto* d = dynamic_cast<CDataAttributes*>(target.get()))
                d->SetCoilAddr(d->GetPLCStation() + d->GetRegister() + d->GetCoil() + d->GetCoilAddrVisible());
            EXPECT_FALSE(SaveBytes(*target).empty());
        }
    }
}

TEST(AttrGroups, ClonesCopyTypedValuesOnly)
{
    CLayoutAttributes layout(nullptr);
    layout.SetX(1);
    layout.SetY(2);
    layout.SetWidth(3);
    layout.SetHeight(4);
    layout.AddAtttribute(new CAttributeInt(nullptr));
    std::unique_ptr<CAttrList> copy(layout.Clone(nullptr));
    auto* l = dynamic_cast<CLayoutAttributes*>(copy.get());
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->GetAttributesCount(), 4);
    EXPECT_EQ(l->GetX() * 1000 + l->GetY() * 100 + l->GetWidth() * 10 + l->GetHeight(), 1234);

    CHideAttributes hide(nullptr);
    hide.SetSelected(1);
    hide.SetMultipleSelectedType(2);
    hide.SetLevelIndex(3);
    std::unique_ptr<CAttrList> hideCopy(hide.Clone(nullptr));
    auto* h = dynamic_cast<CHideAttributes*>(hideCopy.get());
    EXPECT_EQ(h->GetSelected() * 100 + h->GetMultipleSelectedType() * 10 + h->GetLevelIndex(), 123);

    CDisplayAttributes display(nullptr);
    display.SetZoomOnce(1);
    display.SetInvertColor(1);
    std::unique_ptr<CAttrList> displayCopy(display.Clone(nullptr));
    auto* d = dynamic_cast<CDisplayAttributes*>(displayCopy.get());
    EXPECT_EQ(d->GetZoomOnce() + d->GetInvertColor(), 2);

    CDataAttributes data(nullptr);
    data.SetPLCStation(9);
    data.SetRegister(2);
    data.SetRegisterAddr(8);
    data.SetCoil(1);
    data.SetCoilAddr(6);
    data.SetRegisterVisible(1);
    std::unique_ptr<CAttrList> dataCopy(data.Clone(nullptr));
    auto* c = dynamic_cast<CDataAttributes*>(dataCopy.get());
    EXPECT_EQ(c->GetPLCStation() * 10000 + c->GetRegister() * 1000 + c->GetRegisterAddr() * 100 + c->GetCoil() * 10 +
                  c->GetCoilAddr(),
              92816);
    EXPECT_EQ(c->GetRegisterVisible(), 0);

    CCustomAttributes custom(nullptr);
    custom.AddAtttribute(new CAttributeDouble(nullptr));
    std::unique_ptr<CAttrList> customCopy(custom.Clone(nullptr));
    EXPECT_NE(dynamic_cast<CCustomAttributes*>(customCopy.get()), nullptr);
    EXPECT_EQ(SaveBytes(*customCopy), SaveBytes(custom));
    COtherAttributes other(nullptr);
    std::unique_ptr<CAttrList> otherCopy(other.Clone(nullptr));
    EXPECT_NE(dynamic_cast<COtherAttributes*>(otherCopy.get()), nullptr);
}

} // namespace
