// Seeded random projects: screens lists with random kinds, attributes, names, geometry and draw
// orders save, load and save again to the same bytes and compile to the same image sections.
#include "controls/control_function.h"
#include "controls/control_light.h"
#include "controls/control_register.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"

#include "support/test_panel.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace ControlsTest;

namespace {

typedef std::vector<BYTE> Bytes;

class RandomProject {
public:
    explicit RandomProject(unsigned seed) : m_random(seed) {}

    int Pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(m_random); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }

    // A GBK text of single-byte and GB2312 double-byte characters.
    std::string Text(int maxChars)
    {
        std::string text;
        for (int n = Pick(0, maxChars); n > 0; --n) {
            if (Chance(50)) {
                text += char(Pick(0x21, 0x7E));
            } else {
                text += char(Pick(0xB0, 0xD6));
                text += char(Pick(0xA1, 0xFE));
            }
        }
        return text;
    }

    void Fill(CScreensList& list)
    {
        for (int n = Pick(0, 4); n > 0; --n)
            list.AddNewScreen();
        if (list.GetScreenCount() > 1 && Chance(30))
            list.RemoveScreen(list.GetScreenAt(Pick(0, list.GetScreenCount() - 1)));
        list.StartGetScreen();
        while (CScreenBase* screen = list.GetNextScreen())
            FillScreen(*screen, list.GetScreenCount());
        list.SetActivateScreen(list.GetScreenAt(Pick(-1, list.GetScreenCount() - 1)));
    }

private:
    void FillScreen(CScreenBase& screen, int screens)
    {
        if (Chance(60))
            screen.SetScreenName(Text(12).c_str());
        // Zoom 1 at the origin while editing: a design point is then the panel point.
        screen.SetScreenZoomRate(1.0);
        for (int n = Pick(0, 14); n > 0; --n)
            if (CControlBase* c = screen.AddControl(unsigned(Pick(1, 8))))
                Randomize(*c, screens);
        Reorder(screen);
        screen.SetControlsAllNotSelected(nullptr);
        const double zooms[] = {1.0, 2.0, 2.5, 4.0, 5.0};
        screen.SetScreenZoomRate(zooms[Pick(0, 4)]);
        screen.SetScreenX(Pick(-5, 40));
        screen.SetScreenY(Pick(-5, 40));
    }

    // Mixes the draw order: input-order clicks on registers, pastes and copy-drags append copies,
    // deletions leave gaps.
    void Reorder(CScreenBase& screen)
    {
        int counter = 0;
        for (int n = Pick(0, 6); n > 0; --n) {
            const std::vector<CControlBase*> layout = screen.GetLayoutControls();
            if (layout.empty())
                return;
            CControlBase* c = layout[size_t(Pick(0, int(layout.size()) - 1))];
            QRect rect;
            c->GetControlRect(rect);
            switch (Pick(0, 3)) {
            case 0: screen.ClickControlChangOrder(rect.topLeft(), counter); break;
            case 1: {
                screen.SetControlsAllNotSelected(nullptr);
                screen.SelectControlByLayoutIndex(Pick(0, int(layout.size()) - 1), nullptr);
                Bytes data(screen.CopySelectedControlsCode(nullptr, 0, 0));
                screen.CopySelectedControlsCode(data.data(), DWORD(data.size()), 0);
                DWORD count = DWORD(Pick(0, 3));
                screen.PasteControlsFromData(data.data() + 8, DWORD(data.size() - 8), count);
                break;
            }
            case 2: {
                screen.SelectControlByLayoutIndex(Pick(0, int(layout.size()) - 1), nullptr);
                CScreenBase::RectList rects;
                screen.GetSelectedCtlRectangles(rects, nullptr);
                rects.GetHead()->pItem->translate(Pick(0, 20), Pick(0, 20));
                screen.CopySelectedCtlToMovedRectanglesChange(rects);
                while (!rects.IsEmpty())
                    delete rects.RemoveHead();
                break;
            }
            default: screen.DeleteControlByID(c->GetControlID());
            }
        }
    }

    void Randomize(CControlBase& c, int screens)
    {
        c.SetX(Pick(0, 180));
        c.SetY(Pick(0, 60));
        c.SetInvertColor(Pick(0, 1));
        c.SetZoomOnce(Pick(0, 1));
        c.SetPLCStation(Pick(0, 300));
        c.SetRegister(Pick(0, 6));
        c.SetRegisterAddr(Pick(0, 70000));
        c.SetCoil(Pick(0, 6));
        c.SetCoilAddr(Pick(0, 70000));
        if (Chance(30))
            c.SetControlName(Text(8).c_str());
        if (auto* text = dynamic_cast<CControlStaticText*>(&c))
            text->SetText(Text(14).c_str());
        if (auto* reg = dynamic_cast<CControlRegister*>(&c)) {
            reg->SetIntegerDigits(Pick(0, 5));
            reg->SetDecimalDigits(Pick(0, 4));
            reg->SetAsterisk(Pick(0, 1));
            reg->SetInvalidZero(Pick(0, 1));
            reg->SetEditable(Pick(0, 1));
            reg->SetMinimum(Pick(-100, 100));
            reg->SetMaximum(Pick(0, 100000));
        }
        if (auto* lamp = dynamic_cast<CControlLight*>(&c))
            lamp->SetShape(Pick(0, 1));
        if (auto* key = dynamic_cast<CControlFunction*>(&c)) {
            key->SetKeyIndex(Pick(0, 3));
            key->SetHand(Pick(0, 1));
            key->SetInvisible(Pick(0, 1));
            key->SetFunction(Pick(0, 1));
            key->SetJumpScreen(Pick(0, screens));
            key->SetValueSetting(Pick(0, 3));
        }
    }

    std::mt19937 m_random;
};

// Everything one compile of the list produces.
struct CompileOutput {
    Bytes controls, parameters, texts;
    std::vector<BYTE> ascii;
    std::vector<WORD> chinese;
    WORD textLength = 0;

    explicit CompileOutput(CScreensList& list)
    {
        CControlBase::ResetCompileCharacters();
        const int all = list.GetControlsCount();
        const int statics = list.GetStaticControlsCount();
        texts.resize(list.GetCompileStaticControlText(nullptr, 0));
        CControlBase::ResetCompileCharacters();
        controls.resize(size_t(16 * all));
        parameters.resize(size_t(17 * (all - statics)));
        controls.resize(list.GetCompileControlData(controls.data(), DWORD(controls.size())));
        parameters.resize(list.GetCompileControlParameterData(parameters.data(), DWORD(parameters.size())));
        EXPECT_EQ(list.GetCompileStaticControlText(texts.data(), DWORD(texts.size())), DWORD(texts.size()));
        EXPECT_EQ(controls.size(), size_t(16 * all));
        EXPECT_EQ(parameters.size(), size_t(17 * (all - statics)));
        ascii = CControlBase::s_listASCII;
        chinese = CControlBase::s_listChinese;
        textLength = CControlBase::s_wStaticTextLength;
        CControlBase::ResetCompileCharacters();
    }
    bool operator==(const CompileOutput& o) const
    {
        return controls == o.controls && parameters == o.parameters && texts == o.texts && ascii == o.ascii &&
               chinese == o.chinese && textLength == o.textLength;
    }
};

TEST(ScreensRoundTrip, RandomListsSaveLoadAndCompileAlike)
{
    int controls = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        CTestDevice device(100, 192, 64);
        CScreensList list;
        list.SetDependenceDevice(&device);
        RandomProject(seed).Fill(list);
        controls += list.GetControlsCount();

        const Bytes saved = SaveBytes(list);
        ASSERT_FALSE(saved.empty());
        const CompileOutput compiled(list);

        CScreensList loaded;
        loaded.SetDependenceDevice(&device);
        Bytes data = saved;
        COMMON_EX::CRecordReader reader(data.data(), DWORD(data.size()));
        ASSERT_TRUE(loaded.LoadRecord(reader));
        EXPECT_EQ(reader.Consumed(), DWORD(saved.size()));
        EXPECT_EQ(SaveBytes(loaded), saved);
        EXPECT_TRUE(CompileOutput(loaded) == compiled);
        EXPECT_EQ(loaded.GetActivateScreenIndex(), list.GetActivateScreenIndex());
    }
    EXPECT_GT(controls, 100);
}

} // namespace
