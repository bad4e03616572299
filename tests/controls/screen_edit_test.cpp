// Editing a screen in the design view: clicks with ctrl and shift at several zooms, the rubber
// band, dragging and copy-dragging, alignment and spacing, moving and deleting, the control
// clipboard (including damaged clipboard data), the undo helpers and the register input order.
#include "controls/control_light.h"
#include "controls/control_register.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"

#include "support/test_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

using namespace ControlsTest;

namespace {

typedef std::vector<BYTE> Bytes;
typedef CScreenBase::RectList RectList;

// Design pixel -> panel pixel of a hit test: round((p - 1) / z) + 1, round = +0.5 and truncate.
int ToScreen(int p, double z)
{
    return int(std::floor((p - 1) / z + 0.5)) + 1;
}

// A design coordinate that a hit test takes to panel coordinate t.
int DesignFor(int t, double z)
{
    for (int p = int(std::floor(z * (t - 2))); p <= int(std::ceil(z * t)) + 2; ++p)
        if (ToScreen(p, z) == t)
            return p;
    ADD_FAILURE() << "no design point for " << t << " at zoom " << z;
    return 0;
}

struct RectListOwner {
    RectList list;
    ~RectListOwner()
    {
        while (!list.IsEmpty())
            delete list.RemoveHead();
    }
    void Add(const QRect& r) { list.AddTail(new QRect(r)); }
};

class ScreenEdit : public ::testing::Test {
protected:
    CScreenBase& Screen() { return panel.screen; }

    // A control of that kind at (x, y), not selected.
    CControlBase* Place(unsigned type, int x, int y)
    {
        CControlBase* c = Screen().AddControl(type);
        EXPECT_TRUE(c->SetX(x));
        EXPECT_TRUE(c->SetY(y));
        Screen().SetControlsAllNotSelected(nullptr);
        return c;
    }

    // A static text of that width at (x, y), not selected.
    CControlBase* PlaceText(int x, int y, int width)
    {
        CControlBase* c = Place(CControlBase::CONTROL_STATIC_TEXT, 0, 0);
        EXPECT_TRUE(c->SetWidth(width));
        EXPECT_TRUE(c->SetX(x));
        EXPECT_TRUE(c->SetY(y));
        return c;
    }

    // A design point over the panel point (dx, dy) inside the control.
    QPoint On(CControlBase* c, int dx = 0, int dy = 0)
    {
        QRect r;
        c->GetControlRect(r);
        const double z = Screen().GetScreenZoomRate();
        return QPoint(DesignFor(r.x() + dx, z), DesignFor(r.y() + dy, z));
    }

    std::vector<CControlBase*> Selection() { return Screen().GetSelectedControls(); }

    static std::vector<int> Types(const std::vector<CControlBase*>& controls)
    {
        std::vector<int> types;
        types.reserve(controls.size());
        for (CControlBase* c : controls)
            types.push_back(c->GetSelected() ? c->GetMultipleSelectedType() : -1);
        return types;
    }

    CTestPanel panel{192, 64};
};

TEST_F(ScreenEdit, HitTestEdgesAtZoomFour)
{
    Screen().SetScreenZoomRate(4.0);
    CControlBase* reg = Place(CControlBase::CONTROL_REGISTER, 10, 20); // panel x 10-49, y 20-31
    QRect invalid;
    EXPECT_EQ(Screen().MouseDown(0, 0, QPoint(34, 75), &invalid), 0);
    EXPECT_TRUE(invalid.isNull());
    EXPECT_EQ(Screen().MouseDown(0, 0, QPoint(35, 75), &invalid), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{reg}));
    QRect frame;
    reg->GetControlFrameRect(frame);
    EXPECT_TRUE(invalid.contains(frame));
    Screen().SetControlsAllNotSelected(nullptr);
    EXPECT_EQ(Screen().MouseDown(0, 0, QPoint(194, 122), nullptr), 1); // x 49, y 31
    Screen().SetControlsAllNotSelected(nullptr);
    EXPECT_EQ(Screen().MouseDown(0, 0, QPoint(195, 75), nullptr), 0); // x 50
    EXPECT_EQ(Screen().MouseDown(0, 0, QPoint(35, 123), nullptr), 0); // y 32
    // The screen's origin in the design surface moves the controls with it.
    Screen().SetScreenX(5);
    EXPECT_EQ(Screen().MouseDown(0, 0, QPoint(35, 75), nullptr), 0);
    EXPECT_EQ(Screen().MouseDown(0, 0, QPoint(55, 75), nullptr), 1);
}

class ScreenEditZoom : public ScreenEdit, public ::testing::WithParamInterface<double> {
protected:
    void SetUp() override
    {
        Screen().SetScreenZoomRate(GetParam());
        Screen().SetScreenX(3);
        Screen().SetScreenY(2);
        a = Place(CControlBase::CONTROL_LIGHT, 10, 10);
        b = Place(CControlBase::CONTROL_LIGHT, 60, 10);
        c = Place(CControlBase::CONTROL_LIGHT, 110, 30);
        over = Place(CControlBase::CONTROL_LIGHT, 118, 38); // overlaps c, drawn above it
    }
    CControlBase *a = nullptr, *b = nullptr, *c = nullptr, *over = nullptr;
};

TEST_P(ScreenEditZoom, ClicksWithCtrlAndShift)
{
    QRect invalid;
    EXPECT_EQ(Screen().MouseDown(0, 0, On(a), &invalid), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{a}));
    EXPECT_EQ(a->GetMultipleSelectedType(), 0);
    EXPECT_EQ(Screen().GetCurrentSelectControl(), a);
    EXPECT_EQ(Screen().GetSelectedControlIndex(), 0);

    EXPECT_EQ(Screen().MouseDown(1, 0, On(b, 15, 15), &invalid), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{a, b}));
    EXPECT_EQ(Types({a, b}), (std::vector<int>{2, 1}));
    EXPECT_EQ(Screen().GetCurrentSelectControl(), nullptr);
    EXPECT_EQ(Screen().GetSelectedControlIndex(), -2);

    // Ctrl on a selected control keeps it and makes it the primary.
    EXPECT_EQ(Screen().MouseDown(1, 0, On(a), &invalid), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{b, a}));
    EXPECT_EQ(Types({b, a}), (std::vector<int>{2, 1}));

    // Shift toggles.
    EXPECT_EQ(Screen().MouseDown(0, 1, On(c), &invalid), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{b, a, c}));
    EXPECT_EQ(Types({b, a, c}), (std::vector<int>{2, 2, 1}));
    EXPECT_EQ(Screen().MouseDown(0, 1, On(c), &invalid), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{b, a}));
    EXPECT_EQ(c->GetSelected(), 0);
    EXPECT_EQ(Types({b, a}), (std::vector<int>{2, 1}));

    // A plain press on a selected control starts a drag and changes nothing; releasing it
    // without moving keeps only that control.
    EXPECT_EQ(Screen().MouseDown(0, 0, On(b), &invalid), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{b, a}));
    EXPECT_EQ(Screen().MouseUp(1, 0, On(b), &invalid), 0);
    EXPECT_EQ(Screen().MouseUp(0, 1, On(b), &invalid), 0);
    EXPECT_EQ(Selection().size(), 2u);
    EXPECT_EQ(Screen().MouseUp(0, 0, On(b), &invalid), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{b}));
    EXPECT_EQ(Types({a, b}), (std::vector<int>{-1, 0}));
    EXPECT_EQ(Screen().GetSelectedControlIndex(), 1);

    // A plain click elsewhere selects that control alone; on nothing, nothing changes.
    EXPECT_EQ(Screen().MouseDown(0, 0, On(a), &invalid), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{a}));
    EXPECT_EQ(Screen().MouseDown(0, 0, QPoint(DesignFor(190, GetParam()), DesignFor(3, GetParam())), &invalid), 0);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{a}));

    // The control drawn on top wins where two overlap.
    EXPECT_EQ(Screen().MouseDown(0, 0, On(over, 1, 1), &invalid), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{over}));
    EXPECT_EQ(Screen().MouseDown(0, 0, On(c, 1, 1), &invalid), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{c}));
}

TEST_P(ScreenEditZoom, RightClickAndSelectionByLayoutIndex)
{
    Screen().MouseDown(0, 0, On(a), nullptr);
    Screen().MouseDown(1, 0, On(b), nullptr);
    EXPECT_EQ(Screen().RightClicked(On(b, 3, 3)), 1);
    EXPECT_EQ(Selection().size(), 2u);
    EXPECT_EQ(Screen().RightClicked(On(c)), 0);
    EXPECT_TRUE(Selection().empty());
    EXPECT_EQ(Types({a, b}), (std::vector<int>{-1, -1}));

    QRect invalid;
    EXPECT_EQ(Screen().SelectControlByLayoutIndex(2, &invalid), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{c}));
    EXPECT_EQ(c->GetMultipleSelectedType(), 0);
    EXPECT_EQ(Screen().SelectControlByLayoutIndex(4, &invalid), 0);
    EXPECT_EQ(Screen().SelectControlByLayoutIndex(-1, &invalid), 0);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{c}));
    QRect frame;
    c->GetControlFrameRect(frame);
    EXPECT_TRUE(invalid.contains(frame));
    EXPECT_EQ(Screen().SetControlsAllNotSelected(nullptr), 1);
    EXPECT_EQ(Screen().SetControlsAllNotSelected(nullptr), 0);
}

TEST_P(ScreenEditZoom, RubberBand)
{
    const double z = GetParam();
    // A design band whose edges e convert (trunc((e - 1) / z + 1)) to these panel edges.
    auto band = [z](int left, int top, int right, int bottom) {
        auto design = [z](int e) { return int(std::ceil((e - 1) * z)) + 1; };
        return QRect(design(left), design(top), design(right) - design(left), design(bottom) - design(top));
    };
    // Panel rectangles (origin 3, 2): a [13, 29) x [12, 28), b [63, 79), c [113, 129) x [32, 48).
    QRect r = band(0, 0, 13, 20);
    EXPECT_EQ(Screen().SelectedCtlWithRectanglesChange(0, &r), 0);
    r = band(0, 0, 14, 13);
    EXPECT_EQ(Screen().SelectedCtlWithRectanglesChange(0, &r), 1);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{a}));
    EXPECT_EQ(a->GetMultipleSelectedType(), 0);

    r = band(0, 0, 80, 20);
    EXPECT_EQ(Screen().SelectedCtlWithRectanglesChange(0, &r), 2);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{a, b}));
    EXPECT_EQ(Types({a, b}), (std::vector<int>{2, 1}));

    // With shift the band toggles against the selection; drawn from the bottom right it is the
    // same band.
    const QRect toggle = band(60, 0, 130, 60);
    r = QRect(toggle.x() + toggle.width(), toggle.y() + toggle.height(), -toggle.width(), -toggle.height());
    EXPECT_EQ(Screen().SelectedCtlWithRectanglesChange(1, &r), 3);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{a, c, over}));
    EXPECT_EQ(Types({a, b, c, over}), (std::vector<int>{2, -1, 2, 1}));

    r = band(0, 0, 1, 1);
    EXPECT_EQ(Screen().SelectedCtlWithRectanglesChange(0, &r), 0);
    EXPECT_EQ(Types({a, b, c, over}), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(Screen().SelectedCtlWithRectanglesChange(0, nullptr), 0);
}

INSTANTIATE_TEST_SUITE_P(Zooms, ScreenEditZoom, ::testing::Values(1.0, 2.0, 2.5, 4.0, 5.0));

// ---- dragging ----

TEST_F(ScreenEdit, DragRectanglesAndPlacement)
{
    Screen().SetScreenZoomRate(2.5);
    CControlBase* lamp = Place(CControlBase::CONTROL_LIGHT, 10, 20);
    CControlBase* reg = Place(CControlBase::CONTROL_REGISTER, 11, 21);
    Screen().MouseDown(0, 0, On(lamp), nullptr);
    Screen().MouseDown(1, 0, On(reg, 20), nullptr);
    ASSERT_EQ(Selection(), (std::vector<CControlBase*>{lamp, reg}));

    // Edges times the zoom, rounded: the lamp 10..26 x 20..36, the register 11..51 x 21..33.
    RectListOwner rects;
    rects.Add(QRect(1, 1, 1, 1));
    QRect* reused = rects.list.GetHead()->pItem;
    QRect bound;
    EXPECT_EQ(Screen().GetSelectedCtlRectangles(rects.list, &bound), 2);
    ASSERT_EQ(rects.list.GetCount(), 2);
    EXPECT_EQ(rects.list.GetHead()->pItem, reused);
    EXPECT_EQ(*reused, QRect(25, 50, 40, 40));
    EXPECT_EQ(*rects.list.GetTail()->pItem, QRect(28, 53, 100, 30));
    EXPECT_EQ(bound, QRect(25, 50, 103, 40));

    // A moved rectangle's left/top (l, t) gives X = trunc((l - 1) / z), Y = trunc((t - 1) / z).
    rects.list.GetHead()->pItem->moveTo(41, 81);
    rects.list.GetTail()->pItem->moveTo(0, 0);
    EXPECT_EQ(Screen().SelectedCtlRectanglesChange(rects.list), 2);
    EXPECT_EQ(QPoint(lamp->GetX(), lamp->GetY()), QPoint(16, 32));
    EXPECT_EQ(QPoint(reg->GetX(), reg->GetY()), QPoint(0, 0));
    // Controls beyond the list's length stay.
    delete rects.list.RemoveTail();
    rects.list.GetHead()->pItem->moveTo(26, 26);
    EXPECT_EQ(Screen().SelectedCtlRectanglesChange(rects.list), 1);
    EXPECT_EQ(QPoint(lamp->GetX(), lamp->GetY()), QPoint(10, 10));
    EXPECT_EQ(QPoint(reg->GetX(), reg->GetY()), QPoint(0, 0));
}

TEST_F(ScreenEdit, CopyDragSelectsTheCopies)
{
    Screen().SetScreenZoomRate(4.0);
    CControlBase* lamp = Place(CControlBase::CONTROL_LIGHT, 10, 20);
    CControlBase* text = Place(CControlBase::CONTROL_STATIC_TEXT, 40, 30);
    Screen().MouseDown(0, 0, On(lamp), nullptr);
    Screen().MouseDown(1, 0, On(text), nullptr);
    RectListOwner rects;
    Screen().GetSelectedCtlRectangles(rects.list, nullptr);
    rects.list.GetHead()->pItem->moveTo(101, 9);
    rects.list.GetTail()->pItem->moveTo(5, 41);
    EXPECT_EQ(Screen().CopySelectedCtlToMovedRectanglesChange(rects.list), 2);

    const std::vector<CControlBase*> layout = Screen().GetLayoutControls();
    ASSERT_EQ(layout.size(), 4u);
    CControlBase* lampCopy = layout[2];
    CControlBase* textCopy = layout[3];
    EXPECT_EQ(Screen().GetCreatedControls(), layout);
    EXPECT_EQ(Selection(), (std::vector<CControlBase*>{lampCopy, textCopy}));
    EXPECT_EQ(Types(layout), (std::vector<int>{-1, -1, 2, 1}));
    EXPECT_EQ(lampCopy->GetControlType(), CControlBase::CONTROL_LIGHT);
    EXPECT_EQ(QPoint(lampCopy->GetX(), lampCopy->GetY()), QPoint(25, 2));
    EXPECT_EQ(QPoint(textCopy->GetX(), textCopy->GetY()), QPoint(1, 10));
    EXPECT_EQ(lampCopy->GetControlID(), 2u);
    EXPECT_EQ(textCopy->GetControlID(), 3u);
    EXPECT_EQ(QPoint(lamp->GetX(), lamp->GetY()), QPoint(10, 20));
}

// ---- alignment, spacing, moving, deleting ----

class ScreenAlign : public ScreenEdit {
protected:
    void SetUp() override
    {
        Screen().SetScreenZoomRate(1.0);
        q = Place(CControlBase::CONTROL_LIGHT, 50, 30); // 16 x 16
        s = PlaceText(80, 20, 9);
        p = PlaceText(10, 5, 20); // 20 x 12, the primary
        for (CControlBase* c : {q, s, p})
            Screen().MouseDown(1, 0, On(c), nullptr);
    }
    std::vector<QPoint> Positions() const
    {
        return {QPoint(q->GetX(), q->GetY()), QPoint(s->GetX(), s->GetY()), QPoint(p->GetX(), p->GetY())};
    }
    CControlBase *q = nullptr, *s = nullptr, *p = nullptr;
};

TEST_F(ScreenAlign, AlignmentOnThePrimary)
{
    Screen().SetSelectedControlAlignRight();
    EXPECT_EQ(Positions(), (std::vector<QPoint>{{14, 30}, {21, 20}, {10, 5}}));
    Screen().SetSelectedControlAlignLeft();
    EXPECT_EQ(Positions(), (std::vector<QPoint>{{10, 30}, {10, 20}, {10, 5}}));
    Screen().SetSelectedControlAlignBottom();
    EXPECT_EQ(Positions(), (std::vector<QPoint>{{10, 1}, {10, 5}, {10, 5}}));
    Screen().SetSelectedControlAlignTop();
    EXPECT_EQ(Positions(), (std::vector<QPoint>{{10, 5}, {10, 5}, {10, 5}}));
    // Centres: half is a shift right (9 -> 4).
    Screen().SetSelectedControlVerticalCenter();
    EXPECT_EQ(Positions(), (std::vector<QPoint>{{12, 5}, {16, 5}, {10, 5}}));
    Screen().SetSelectedControlHorizontalCenter();
    EXPECT_EQ(Positions(), (std::vector<QPoint>{{12, 3}, {16, 5}, {10, 5}}));
}

TEST_F(ScreenAlign, MoveAndDelete)
{
    Screen().MoveSelectedControls(QSize(3, -2));
    EXPECT_EQ(Positions(), (std::vector<QPoint>{{53, 28}, {83, 18}, {13, 3}}));
    // A control that would leave the screen stays.
    Screen().MoveSelectedControls(QSize(0, -4));
    EXPECT_EQ(Positions(), (std::vector<QPoint>{{53, 24}, {83, 14}, {13, 3}}));

    Screen().SetControlsAllNotSelected(nullptr);
    Screen().SetSelectedControlAlignLeft();
    Screen().SetSelectedControlHorizontalDSame();
    Screen().MoveSelectedControls(QSize(1, 1));
    Screen().DeleteSelectedControls();
    EXPECT_EQ(Screen().GetControlCount(), 3);

    Screen().MouseDown(0, 0, On(q), nullptr);
    Screen().MouseDown(1, 0, On(s), nullptr);
    const unsigned pID = p->GetControlID();
    Screen().DeleteSelectedControls();
    EXPECT_EQ(Screen().GetControlCount(), 1);
    EXPECT_EQ(Screen().GetLayoutControls(), (std::vector<CControlBase*>{p}));
    EXPECT_TRUE(Selection().empty());

    Screen().MouseDown(0, 0, On(p), nullptr);
    Screen().DeleteControlByID(pID + 100);
    EXPECT_EQ(Screen().GetControlCount(), 1);
    EXPECT_TRUE(Selection().empty()); // deselects first in any case
    Screen().DeleteControlByID(pID);
    EXPECT_EQ(Screen().GetControlCount(), 0);
    EXPECT_TRUE(Screen().GetLayoutControls().empty());
}

TEST_F(ScreenEdit, EqualSpacing)
{
    Screen().SetScreenZoomRate(1.0);
    std::vector<CControlBase*> t;
    for (int x : {50, 0, 15})
        t.push_back(PlaceText(x, 0, 10));
    Screen().MouseDown(0, 0, On(t[0]), nullptr);
    Screen().MouseDown(1, 0, On(t[1]), nullptr);
    Screen().SetSelectedControlHorizontalDSame();
    EXPECT_EQ(t[0]->GetX(), 50);
    EXPECT_EQ(t[1]->GetX(), 0);
    Screen().MouseDown(1, 0, On(t[2]), nullptr);
    Screen().SetSelectedControlHorizontalDSame();
    EXPECT_EQ(t[0]->GetX(), 50);
    EXPECT_EQ(t[1]->GetX(), 0);
    EXPECT_EQ(t[2]->GetX(), 25); // gap (50 + 10 - 0 - 30) / 2 = 15

    // Vertical: heights 12 at Y 0, 20, 52 give a gap of 14.
    t[0]->SetY(52);
    t[2]->SetY(20);
    Screen().SetSelectedControlVerticalDSame();
    EXPECT_EQ(t[2]->GetY(), 26);

    // Equal X keep the selection order.
    Screen().SetControlsAllNotSelected(nullptr);
    std::vector<CControlBase*> u;
    for (QPoint at : {QPoint(0, 40), QPoint(30, 40), QPoint(30, 52), QPoint(90, 40)})
        u.push_back(PlaceText(at.x(), at.y(), 10));
    for (int i : {0, 2, 1, 3})
        Screen().MouseDown(1, 0, On(u[size_t(i)]), nullptr);
    Screen().SetSelectedControlHorizontalDSame(); // gap (90 + 10 - 0 - 40) / 3 = 20
    EXPECT_EQ(u[2]->GetX(), 30);
    EXPECT_EQ(u[1]->GetX(), 60);
    EXPECT_EQ(u[3]->GetX(), 90);

    // A negative gap truncates toward zero: (5 + 10 - 0 - 30) / 2 = -7.
    Screen().SetControlsAllNotSelected(nullptr);
    std::vector<CControlBase*> v;
    for (QPoint at : {QPoint(150, 0), QPoint(152, 14), QPoint(155, 28)})
        v.push_back(PlaceText(at.x(), at.y(), 10));
    for (CControlBase* c : v)
        Screen().MouseDown(1, 0, On(c), nullptr);
    Screen().SetSelectedControlHorizontalDSame();
    EXPECT_EQ(v[1]->GetX(), 153);
}

// ---- clipboard ----

class ScreenClipboard : public ScreenEdit {
protected:
    void SetUp() override
    {
        Screen().SetScreenZoomRate(1.0);
        lamp = Place(CControlBase::CONTROL_LIGHT, 10, 20);
        lamp->SetControlName("Lamp");
        reg = Place(CControlBase::CONTROL_REGISTER, 30, 40);
    }
    // The clipboard record of the current selection.
    Bytes Copy(int cut = 0)
    {
        const DWORD size = Screen().CopySelectedControlsCode(nullptr, 0, 0);
        Bytes data(size, 0xEE);
        EXPECT_EQ(Screen().CopySelectedControlsCode(data.data(), size, cut), size);
        return data;
    }
    // Pastes the record from its count on, in a buffer of exactly that size.
    int Paste(const Bytes& record, DWORD& count, size_t cut = SIZE_MAX)
    {
        Bytes data(record.begin() + 8,
                   record.begin() + long(std::min(record.size(), cut == SIZE_MAX ? record.size() : 8 + cut)));
        return Screen().PasteControlsFromData(data.data(), DWORD(data.size()), count);
    }
    CControlBase* lamp = nullptr;
    CControlBase* reg = nullptr;
};

TEST_F(ScreenClipboard, RecordHoldsSizeTickCountAndControls)
{
    Screen().MouseDown(0, 0, On(reg), nullptr);
    Screen().MouseDown(1, 0, On(lamp), nullptr);
    const Bytes regRecord = SaveBytes(*reg), lampRecord = SaveBytes(*lamp);
    const DWORD size = Screen().CopySelectedControlsCode(nullptr, 0, 0);
    EXPECT_EQ(size, 12 + regRecord.size() + lampRecord.size());
    Bytes data(size + 10, 0xEE);
    ASSERT_EQ(Screen().CopySelectedControlsCode(data.data(), DWORD(data.size()), 0), size);
    EXPECT_EQ(COMMON_EX::ReadLE32(&data[0]), size + 10);
    EXPECT_EQ(COMMON_EX::ReadLE32(&data[8]), 2u);
    EXPECT_EQ(Bytes(data.begin() + 12, data.begin() + long(size)), CBytes().Append(regRecord).Append(lampRecord).Get());
    EXPECT_EQ(data[size], 0xEE);
    // Each copy has its own tick count.
    const Bytes again = Copy();
    EXPECT_NE(COMMON_EX::ReadLE32(&again[4]), COMMON_EX::ReadLE32(&data[4]));

    // Too little room writes nothing.
    Bytes small(size - 1, 0xEE);
    EXPECT_EQ(Screen().CopySelectedControlsCode(small.data(), DWORD(small.size()), 1), 0u);
    EXPECT_EQ(small, Bytes(size - 1, 0xEE));
    EXPECT_EQ(Screen().GetControlCount(), 2);

    // Cut removes and destroys the copied controls.
    Copy(1);
    EXPECT_EQ(Screen().GetControlCount(), 0);
    EXPECT_TRUE(Screen().GetLayoutControls().empty());
    EXPECT_TRUE(Selection().empty());
    // An empty selection copies the header only.
    const Bytes empty = Copy();
    ASSERT_EQ(empty.size(), 12u);
    EXPECT_EQ(COMMON_EX::ReadLE32(&empty[8]), 0u);
}

TEST_F(ScreenClipboard, RepeatedPastesFanOut)
{
    Screen().MouseDown(0, 0, On(lamp), nullptr);
    const Bytes record = Copy();
    DWORD count = 0;
    for (int n = 0; n < 3; ++n) {
        ASSERT_EQ(Paste(record, count), 1);
        const std::vector<CControlBase*> selection = Selection();
        ASSERT_EQ(selection.size(), 1u);
        CControlBase* pasted = selection[0];
        EXPECT_EQ(QPoint(pasted->GetX(), pasted->GetY()), QPoint(10 + 6 * (n + 1), 20 + 6 * (n + 1)));
        EXPECT_EQ(pasted->GetMultipleSelectedType(), 0);
        EXPECT_EQ(pasted->GetControlID(), unsigned(2 + n));
        EXPECT_FALSE(pasted->HasControlName());
        EXPECT_EQ(Screen().GetLayoutControls().back(), pasted);
        EXPECT_EQ(count, DWORD(n));
        ++count; // the editor counts the pastes of one copy
    }
    EXPECT_EQ(lamp->GetSelected(), 0);

    // A control that cannot move resets the count.
    lamp->SetX(176);
    lamp->SetY(48);
    Screen().SelectControlByLayoutIndex(0, nullptr);
    const Bytes corner = Copy();
    count = 4;
    ASSERT_EQ(Paste(corner, count), 1);
    EXPECT_EQ(count, 0u);
    // Only one direction refused: the count stays.
    lamp->SetY(0);
    Screen().SelectControlByLayoutIndex(0, nullptr);
    const Bytes edge = Copy();
    count = 1;
    ASSERT_EQ(Paste(edge, count), 1);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(Selection()[0]->GetY(), 12);

    // Several controls: the last pasted is the primary.
    Screen().SetControlsAllNotSelected(nullptr);
    Screen().MouseDown(0, 0, On(reg), nullptr);
    Screen().SelectControlByLayoutIndex(0, nullptr);
    Screen().MouseDown(1, 0, On(reg), nullptr);
    const Bytes two = Copy();
    count = 0;
    ASSERT_EQ(Paste(two, count), 2);
    EXPECT_EQ(Types(Selection()), (std::vector<int>{2, 1}));
}

TEST_F(ScreenClipboard, PastedRegistersFollowThisScreensPLC)
{
    reg->SetRegister(2); // "T"
    Screen().MouseDown(0, 0, On(reg), nullptr);
    const Bytes record = Copy();
    CTestPanel other{192, 64};
    other.device.registers = {"T", "4X"};
    Bytes data(record.begin() + 8, record.end());
    DWORD count = 0;
    ASSERT_EQ(other.screen.PasteControlsFromData(data.data(), DWORD(data.size()), count), 1);
    EXPECT_EQ(other.screen.GetSelectedControls()[0]->GetRegister(), 0);
}

TEST_F(ScreenClipboard, DamagedClipboardDataPastesOnlyWholeRecords)
{
    CControlBase* text = Place(CControlBase::CONTROL_STATIC_TEXT, 60, 5);
    for (CControlBase* c : {lamp, reg, text})
        Screen().MouseDown(1, 0, On(c), nullptr);
    const Bytes record = Copy();
    const size_t ends[3] = {4 + SaveBytes(*lamp).size(), 4 + SaveBytes(*lamp).size() + SaveBytes(*reg).size(),
                            record.size() - 8};
    for (size_t cut = 0; cut <= record.size() - 8; ++cut) {
        const int before = Screen().GetControlCount();
        DWORD count = 0;
        const int expected = int(cut >= ends[0]) + int(cut >= ends[1]) + int(cut >= ends[2]);
        EXPECT_EQ(Paste(record, count, cut), expected) << cut;
        EXPECT_EQ(Screen().GetControlCount(), before + expected);
        EXPECT_EQ(Screen().GetCurrentSelectControlsCount(), expected);
        Screen().DeleteSelectedControls();
    }

    // An unknown kind in the middle stops the paste there; a count beyond the records pastes
    // those present.
    Bytes unknown = CBytes().Dword(3).Append(SaveBytes(*lamp)).Dword(42).Zeros(40).Append(SaveBytes(*reg));
    DWORD count = 0;
    EXPECT_EQ(Screen().PasteControlsFromData(unknown.data(), DWORD(unknown.size()), count), 1);
    Screen().DeleteSelectedControls();
    Bytes many = CBytes().Dword(1000000).Append(SaveBytes(*lamp)).Append(SaveBytes(*reg));
    EXPECT_EQ(Screen().PasteControlsFromData(many.data(), DWORD(many.size()), count), 2);
    Screen().DeleteSelectedControls();
    EXPECT_EQ(Screen().PasteControlsFromData(nullptr, 100, count), 0);
    EXPECT_EQ(Screen().PasteControlsFromData(many.data(), 3, count), 0);

    // Random damage: a valid record with bytes overwritten never crashes and keeps the lists whole.
    std::mt19937 random(20240613);
    for (int trial = 0; trial < 300; ++trial) {
        Bytes data(record.begin() + 8, record.end());
        for (int k = 0; k < 4; ++k)
            data[random() % data.size()] = BYTE(random());
        data.resize(random() % (data.size() + 1));
        Screen().PasteControlsFromData(data.data(), DWORD(data.size()), count);
        EXPECT_EQ(Screen().GetLayoutControls().size(), size_t(Screen().GetControlCount()));
        Screen().DeleteSelectedControls();
    }
    EXPECT_EQ(Screen().GetControlCount(), 3);
}

// ---- undo helpers ----

TEST_F(ScreenClipboard, UndoCopiesAndSwaps)
{
    Screen().MouseDown(0, 0, On(reg), nullptr);
    Screen().MouseDown(1, 0, On(lamp), nullptr);
    int cursor[4], after[4];
    Screen().GetDefPosCursor(cursor[0], cursor[1], cursor[2], cursor[3]);
    int count = -1;
    CControlBase** copies = nullptr;
    ASSERT_EQ(Screen().GetSelectedControlsCopy(count, copies), 2);
    ASSERT_EQ(count, 2);
    Screen().GetDefPosCursor(after[0], after[1], after[2], after[3]);
    EXPECT_EQ(std::vector<int>(cursor, cursor + 4), std::vector<int>(after, after + 4));
    EXPECT_EQ(copies[0]->GetControlID(), reg->GetControlID());
    EXPECT_EQ(copies[1]->GetControlID(), lamp->GetControlID());
    EXPECT_STREQ(copies[1]->GetControlName(), "Lamp");
    EXPECT_EQ(Screen().GetControlCount(), 2);

    // The edit, then undo: the controls take the copies' values and the copies the edited ones.
    lamp->SetX(100);
    reg->SetY(2);
    EXPECT_EQ(Screen().ModifyControls(count, copies), 2);
    EXPECT_EQ(lamp->GetX(), 10);
    EXPECT_EQ(reg->GetY(), 40);
    EXPECT_STREQ(lamp->GetControlName(), "Lamp");
    EXPECT_EQ(copies[1]->GetX(), 100);
    EXPECT_EQ(copies[0]->GetY(), 2);
    // Redo swaps back.
    EXPECT_EQ(Screen().ModifyControls(count, copies), 2);
    EXPECT_EQ(lamp->GetX(), 100);
    EXPECT_STREQ(lamp->GetControlName(), "Lamp");

    // Copies whose control is gone are ignored.
    Screen().DeleteControlByID(lamp->GetControlID());
    EXPECT_EQ(Screen().ModifyControls(count, copies), 1);
    EXPECT_EQ(Screen().ModifyControls(0, nullptr), 0);
    for (int i = 0; i < count; ++i)
        delete copies[i];
    delete[] copies;

    Screen().SetControlsAllNotSelected(nullptr);
    EXPECT_EQ(Screen().GetSelectedControlsCopy(count, copies), 0);
    EXPECT_EQ(copies, nullptr);
}

// ---- register input order ----

TEST_F(ScreenEdit, RegisterInputOrderByClicks)
{
    Screen().SetScreenZoomRate(2.5);
    CControlBase* r1 = Place(CControlBase::CONTROL_REGISTER, 0, 0);
    CControlBase* r2 = Place(CControlBase::CONTROL_REGISTER, 0, 20);
    CControlBase* r3 = Place(CControlBase::CONTROL_REGISTER, 0, 40);
    CControlBase* lamp = Place(CControlBase::CONTROL_LIGHT, 100, 0);
    int counter = 0;
    EXPECT_EQ(Screen().ClickControlChangOrder(On(lamp), counter), 0);
    EXPECT_EQ(Screen().ClickControlChangOrder(On(r3), counter), 1);
    EXPECT_EQ(Screen().ClickControlChangOrder(On(r1), counter), 1);
    EXPECT_EQ(Screen().ClickControlChangOrder(On(r2), counter), 1);
    EXPECT_EQ(counter, 3);
    EXPECT_EQ(r3->GetDrawOrderID(), 1);
    EXPECT_EQ(r1->GetDrawOrderID(), 2);
    EXPECT_EQ(r2->GetDrawOrderID(), 3);
    EXPECT_EQ(Screen().GetRegisterOrderNow(), 1);
    EXPECT_EQ(Screen().GetLayoutControls(), (std::vector<CControlBase*>{r3, r1, r2, lamp}));
    const std::vector<CControlBase*> layout = Screen().GetLayoutControls();
    for (size_t i = 0; i < layout.size(); ++i)
        EXPECT_EQ(layout[i]->GetLevelIndex(), int(i));

    // The fourth click passes the number of registers: the counter starts again.
    EXPECT_EQ(Screen().ClickControlChangOrder(On(r1), counter), 1);
    EXPECT_EQ(counter, 0);
    EXPECT_EQ(Screen().GetLayoutControls(), (std::vector<CControlBase*>{r3, r2, lamp, r1}));

    EXPECT_EQ(Screen().SetRegisterOrderNow(0), 3);
    EXPECT_EQ(Screen().GetRegisterOrderNow(), 0);
    for (CControlBase* r : {r1, r2, r3})
        EXPECT_EQ(r->GetDrawOrderID(), 0);
}

} // namespace
