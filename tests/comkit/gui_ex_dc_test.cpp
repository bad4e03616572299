// Drawing surface: exact pixels of the plain operations and raster transfers, shapes of the
// smoothed ones, text alignment and font fallback.
#include "comkit/gui_ex_dc.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPainter>

#include <string>
#include <vector>

using COM_GUI_EX::CGUI_EX_Global;
using COM_GUI_EX::CGUIEXDC;

namespace {

constexpr DWORD WHITE = 0xFFFFFF;
constexpr DWORD BLACK = 0x000000;
constexpr DWORD RED = 0x0000FF;
constexpr DWORD BLUE_BACK = 0xFF3232;

// The surface as rows of characters: '.' for `background`, '#' for anything else.
std::vector<std::string> Mask(const CGUIEXDC& dc, DWORD background = WHITE)
{
    std::vector<std::string> rows;
    for (int y = 0; y < dc.GetSize().height(); ++y) {
        std::string row;
        for (int x = 0; x < dc.GetSize().width(); ++x)
            row += dc.GetPixel(x, y) == background ? '.' : '#';
        rows.push_back(row);
    }
    return rows;
}

CGUIEXDC* WhiteSurface(int w, int h)
{
    auto* dc = new CGUIEXDC(w, h);
    dc->Clear(WHITE);
    return dc;
}

bool Dark(const CGUIEXDC& dc, int x, int y)
{
    return (dc.GetPixel(x, y) & 0xFF) < 0x80;
}

// Bounding box of the pixels darker than mid-grey.
QRect InkBox(const CGUIEXDC& dc)
{
    QRect box;
    for (int y = 0; y < dc.GetSize().height(); ++y)
        for (int x = 0; x < dc.GetSize().width(); ++x)
            if ((dc.GetPixel(x, y) & 0xFF) < 0x80)
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

} // namespace

TEST(GuiExDcPlain, FillRectangleCoversExactlyWidthByHeightPixels)
{
    std::unique_ptr<CGUIEXDC> dc(WhiteSurface(9, 10));
    dc->FillRectangle(2, 3, 4, 5, BLACK);
    const std::vector<std::string> expected = {
        ".........", ".........", ".........", "..####...", "..####...",
        "..####...", "..####...", "..####...", ".........", ".........",
    };
    EXPECT_EQ(Mask(*dc), expected);

    std::unique_ptr<CGUIEXDC> byRect(WhiteSurface(9, 10));
    const QRect rect(2, 3, 4, 5);
    byRect->FillRectangle(&rect, BLACK);
    EXPECT_EQ(Mask(*byRect), expected);
}

TEST(GuiExDcPlain, FillsAndOutlinesAreClippedToTheSurface)
{
    std::unique_ptr<CGUIEXDC> dc(WhiteSurface(4, 3));
    dc->FillRectangle(-2, -5, 4, 7, BLACK);
    dc->FillRectangle(3, 2, 1000, 1000, BLACK);
    const QRect huge(-100, -100, 300, 300);
    dc->DrawRectangle(&huge, BLACK);
    dc->FillRectangle(nullptr, BLACK);
    const std::vector<std::string> expected = {"##..", "##..", "...#"};
    EXPECT_EQ(Mask(*dc), expected);
    dc->SetPixel(-1, 0, BLACK);
    dc->SetPixel(4, 0, BLACK);
    EXPECT_EQ(dc->GetPixel(4, 0), CGUIEXDC::CLR_INVALID);
    EXPECT_EQ(dc->GetPixel(0, -1), CGUIEXDC::CLR_INVALID);
}

TEST(GuiExDcPlain, OutlineLiesInsideItsRectangle)
{
    std::unique_ptr<CGUIEXDC> dc(WhiteSurface(7, 6));
    const QRect rect(1, 1, 5, 4);
    dc->DrawRectangle(&rect, BLACK);
    const std::vector<std::string> expected = {".......", ".#####.", ".#...#.", ".#...#.", ".#####.", "......."};
    EXPECT_EQ(Mask(*dc), expected);

    std::unique_ptr<CGUIEXDC> badge(WhiteSurface(5, 4));
    const QRect all(0, 0, 5, 4);
    badge->FrawRectangleWithBg(&all, BLACK, RED);
    EXPECT_EQ(badge->GetPixel(0, 0), BLACK);
    EXPECT_EQ(badge->GetPixel(4, 3), BLACK);
    EXPECT_EQ(badge->GetPixel(2, 1), RED);
    EXPECT_EQ(badge->GetPixel(3, 2), RED);
}

TEST(GuiExDcPlain, LineLeavesOutItsEndPoint)
{
    std::unique_ptr<CGUIEXDC> dc(WhiteSurface(6, 6));
    dc->DrawLine(0, 0, 5, 0, BLACK); // x 0..4
    dc->DrawLine(5, 5, 5, 1, BLACK); // upwards, y 5..2
    dc->DrawLine(0, 1, 3, 4, BLACK); // diagonal (0,1) (1,2) (2,3)
    dc->DrawLine(2, 5, 2, 5, BLACK); // empty
    const std::vector<std::string> expected = {"#####.", "#.....", ".#...#", "..#..#", ".....#", ".....#"};
    EXPECT_EQ(Mask(*dc), expected);
}

TEST(GuiExDcPlain, ColoursKeepTheRgbLayoutOfColorref)
{
    std::unique_ptr<CGUIEXDC> dc(WhiteSurface(2, 1));
    dc->SetPixel(0, 0, 0x6E543F);
    EXPECT_EQ(dc->GetPixel(0, 0), 0x6E543Fu);
    // Red is the low byte of a COLORREF.
    EXPECT_EQ(dc->GetDC()->pixel(0, 0), qRgb(0x3F, 0x54, 0x6E));
    dc->Clear(RED);
    EXPECT_EQ(dc->GetDC()->pixel(1, 0), qRgb(0xFF, 0, 0));
}

TEST(GuiExDcTransfer, StretchAndRepeatsPixelsAndDarkensOnly)
{
    // 2 x 2 source, black at (0, 0), a light grey at (1, 1).
    std::unique_ptr<CGUIEXDC> src(WhiteSurface(2, 2));
    src->SetPixel(0, 0, BLACK);
    src->SetPixel(1, 1, 0xF0F0F0);
    std::unique_ptr<CGUIEXDC> view(new CGUIEXDC(8, 7));
    view->Clear(0x3C3C3C);
    // Zoom 2.5: 5 x 5 at (1, 1); destination i takes source floor(i * 2 / 5).
    view->StretchAnd(1, 1, 5, 5, src.get());
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 8; ++x) {
            DWORD expected = 0x3C3C3C; // white leaves the view alone
            const int dx = x - 1, dy = y - 1;
            if (dx >= 0 && dx < 5 && dy >= 0 && dy < 5) {
                const int sx = dx * 2 / 5, sy = dy * 2 / 5;
                if (sx == 0 && sy == 0)
                    expected = BLACK;
                else if (sx == 1 && sy == 1)
                    expected = 0x303030; // 0xF0 AND 0x3C
            }
            EXPECT_EQ(view->GetPixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(GuiExDcTransfer, StretchAndShrinkingKeepsBlack)
{
    std::unique_ptr<CGUIEXDC> src(WhiteSurface(4, 2));
    src->SetPixel(1, 1, BLACK);
    std::unique_ptr<CGUIEXDC> view(WhiteSurface(2, 1));
    view->StretchAnd(0, 0, 2, 1, src.get());
    EXPECT_EQ(Mask(*view), std::vector<std::string>({"#."}));
    // Partly outside the view and degenerate sizes are harmless.
    view->StretchAnd(-3, -3, 4, 4, src.get());
    view->StretchAnd(0, 0, 0, 5, src.get());
    view->StretchAnd(0, 0, 2, 1, nullptr);
}

TEST(GuiExDcTransfer, InvertedCopyWithBlackTransparentDrawsWhiteOnBlue)
{
    // The blue-background path of a control: black-on-white drawing shows white on blue.
    std::unique_ptr<CGUIEXDC> drawing(WhiteSurface(3, 2));
    drawing->SetPixel(1, 0, BLACK);
    drawing->SetPixel(2, 1, BLACK);
    std::unique_ptr<CGUIEXDC> inverted(WhiteSurface(3, 2));
    inverted->CopyInverted(drawing.get());
    EXPECT_EQ(inverted->GetPixel(0, 0), BLACK);
    EXPECT_EQ(inverted->GetPixel(1, 0), WHITE);

    std::unique_ptr<CGUIEXDC> view(new CGUIEXDC(8, 5));
    view->Clear(BLUE_BACK);
    view->StretchTransparent(1, 1, 6, 4, inverted.get(), BLACK); // zoom 2
    const std::vector<std::string> expected = {"........", "...##...", "...##...", ".....##.", ".....##."};
    EXPECT_EQ(Mask(*view, BLUE_BACK), expected);
    EXPECT_EQ(view->GetPixel(3, 1), WHITE);
}

TEST(GuiExDcTransfer, BitCopyClipsAndCopiesWholeSurfaces)
{
    std::unique_ptr<CGUIEXDC> handles(WhiteSurface(4, 2));
    handles->FillRectangle(0, 0, 2, 2, BLACK);
    std::unique_ptr<CGUIEXDC> view(WhiteSurface(5, 3));
    view->BitCopy(-1, 2, 2, 2, handles.get(), 0, 0); // only (0, 2) lands
    view->BitCopy(3, 0, 2, 2, handles.get(), 2, 0);  // white part over white
    view->BitCopy(2, 0, 9, 9, handles.get(), 1, 1);  // one black pixel at (2, 0)
    const std::vector<std::string> expected = {"..#..", ".....", "#...."};
    EXPECT_EQ(Mask(*view), expected);

    // Overlapping copy within one surface behaves as if through a snapshot.
    view->BitCopy(1, 0, 4, 3, view.get(), 0, 0);
    const std::vector<std::string> shifted = {"...#.", ".....", "##..."};
    EXPECT_EQ(Mask(*view), shifted);

    std::unique_ptr<CGUIEXDC> back(new CGUIEXDC(view.get(), 5, 3));
    view->CopyBack(back.get());
    EXPECT_EQ(Mask(*back), shifted);
    std::unique_ptr<CGUIEXDC> again(WhiteSurface(5, 3));
    again->CopyDC(back.get());
    EXPECT_EQ(Mask(*again), shifted);

    back->SetSize(nullptr, QSize(7, 2));
    EXPECT_EQ(back->GetSize(), QSize(7, 2));
    std::unique_ptr<CGUIEXDC> empty(new CGUIEXDC(-3, 0));
    EXPECT_EQ(empty->GetSize(), QSize(0, 0));
    // More than Qt can allocate gives an empty surface too.
    std::unique_ptr<CGUIEXDC> huge(new CGUIEXDC(1 << 30, 1 << 30));
    EXPECT_EQ(huge->GetSize(), QSize(0, 0));
    huge->SetPixel(5, 5, BLACK);
    huge->FillRectangle(0, 0, 10, 10, BLACK);
    empty->Clear(BLACK);
    empty->FillRectangle(0, 0, 2, 2, BLACK);
    empty->DrawLine(0, 0, 5, 5, BLACK);
    empty->DrawEllipseQG(0, 0, 4, 4, BLACK);
    view->StretchAnd(0, 0, 3, 3, empty.get());
    EXPECT_EQ(Mask(*view), shifted);
}

TEST(GuiExDcSmooth, RoundCornerRadiusIsAQuarterOfTheShorterSide)
{
    EXPECT_EQ(CGUIEXDC::RoundCornerRadius(40, 20), 5);
    EXPECT_EQ(CGUIEXDC::RoundCornerRadius(3, 100), 0);
    EXPECT_EQ(CGUIEXDC::RoundCornerRadius(100, 100), 25);

    // Radius 0: plain lines on the pixel centres, corners included.
    std::unique_ptr<CGUIEXDC> thin(WhiteSurface(8, 12));
    thin->DrawRoundCornerRectangleQG(2, 2, 3, 8, BLACK);
    const std::vector<std::string> lines = {
        "........", "........", "..####..", "..#..#..", "..#..#..", "..#..#..",
        "..#..#..", "..#..#..", "..#..#..", "..#..#..", "..####..", "........",
    };
    EXPECT_EQ(Mask(*thin), lines);
    EXPECT_EQ(thin->GetPixel(2, 2), BLACK);
    EXPECT_EQ(thin->GetPixel(5, 6), BLACK);

    // Radius 5: straight sides between the arcs, the corners cut off.
    std::unique_ptr<CGUIEXDC> round(WhiteSurface(50, 30));
    round->DrawRoundCornerRectangleQG(2, 3, 40, 20, BLACK);
    EXPECT_TRUE(Dark(*round, 22, 3));
    EXPECT_TRUE(Dark(*round, 2, 13));
    EXPECT_TRUE(Dark(*round, 42, 13));
    EXPECT_TRUE(Dark(*round, 22, 23));
    EXPECT_EQ(round->GetPixel(2, 3), WHITE);
    EXPECT_EQ(round->GetPixel(42, 23), WHITE);
    EXPECT_EQ(round->GetPixel(22, 13), WHITE);

    std::unique_ptr<CGUIEXDC> filled(WhiteSurface(50, 30));
    filled->FillRoundCornerRectangleQG(2, 3, 40, 20, RED);
    EXPECT_EQ(filled->GetPixel(22, 13), RED);
    EXPECT_EQ(filled->GetPixel(4, 13), RED);
    EXPECT_EQ(filled->GetPixel(2, 3), WHITE);
    EXPECT_EQ(filled->GetPixel(45, 13), WHITE);
}

TEST(GuiExDcSmooth, EllipsesArcsAndHalfTransparentRectangles)
{
    std::unique_ptr<CGUIEXDC> dc(WhiteSurface(30, 30));
    dc->FillEllipseQG(4, 4, 20, 20, BLACK);
    EXPECT_TRUE(Dark(*dc, 14, 14));
    EXPECT_EQ(dc->GetPixel(5, 5), WHITE);

    std::unique_ptr<CGUIEXDC> arc(WhiteSurface(30, 30));
    arc->DrawArcQG(4, 4, 20, 20, 0.0f, 90.0f, BLACK); // clockwise: right end down to the bottom
    EXPECT_TRUE(Dark(*arc, 24, 14));
    EXPECT_TRUE(Dark(*arc, 14, 24));
    EXPECT_EQ(arc->GetPixel(14, 4), WHITE);
    EXPECT_EQ(arc->GetPixel(4, 14), WHITE);

    std::unique_ptr<CGUIEXDC> glass(WhiteSurface(10, 10));
    const QRect rect(2, 2, 6, 6);
    glass->FillTransparentRectangleQG(&rect, BLACK, 128);
    const DWORD grey = glass->GetPixel(4, 4);
    EXPECT_NEAR(int(grey & 0xFF), 127, 2);
    EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
    EXPECT_EQ(glass->GetPixel(0, 0), WHITE);
    EXPECT_EQ(glass->GetPixel(8, 8), WHITE);

    std::unique_ptr<CGUIEXDC> frame(WhiteSurface(10, 10));
    frame->DrawTransparentRectangleQG(&rect, BLACK, 255);
    EXPECT_TRUE(Dark(*frame, 2, 4)); // outline on width - 1: pixels 2 and 7
    EXPECT_TRUE(Dark(*frame, 7, 4));
    EXPECT_EQ(frame->GetPixel(8, 4), WHITE);
    EXPECT_EQ(frame->GetPixel(4, 4), WHITE);
}

TEST(GuiExDcImage, ImagesAreScaledAndMissingOnesIgnored)
{
    std::unique_ptr<CGUIEXDC> dc(WhiteSurface(8, 8));
    dc->DrawImage("/nonexistent/picture.png", 0, 0, 8, 8);
    EXPECT_EQ(Mask(*dc), Mask(*std::unique_ptr<CGUIEXDC>(WhiteSurface(8, 8))));
    QImage red(1, 1, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    dc->DrawImage(red, 2, 2, 4, 4);
    EXPECT_EQ(dc->GetPixel(2, 2), RED);
    EXPECT_EQ(dc->GetPixel(5, 5), RED);
    EXPECT_EQ(dc->GetPixel(6, 6), WHITE);
}

// Runs before any test starts the application: text without one draws nothing and survives.
TEST(GuiExDcText, WithoutApplicationTextDrawsNothing)
{
    if (QGuiApplication::instance())
        GTEST_SKIP() << "application already running";
    std::unique_ptr<CGUIEXDC> dc(WhiteSurface(40, 20));
    dc->DrawString("AB", 0.0f, 0.0f);
    EXPECT_TRUE(InkBox(*dc).isNull());
}

class GuiExDcTextTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CGUI_EX_Global::Start(); }
    static void TearDownTestSuite() { CGUI_EX_Global::End(); }
};

TEST_F(GuiExDcTextTest, MissingFamiliesFallBackToAnInstalledCjkFont)
{
    // GBK for the default family name, which Debian does not ship.
    const QString fallback = CGUI_EX_Global::ResolveFontFamily("\xBA\xDA\xCC\xE5");
    EXPECT_FALSE(fallback.isEmpty());
    EXPECT_NE(fallback, QString::fromUtf8("黑体"));
    EXPECT_EQ(CGUI_EX_Global::ResolveFontFamily("DejaVu Sans"), QString("DejaVu Sans"));

    QFont font;
    CGUI_EX_Global::CreateCFontWithNameSize(&font, "No Such Family", 12);
    EXPECT_EQ(font.family(), CGUI_EX_Global::ResolveFontFamily("No Such Family"));
    EXPECT_EQ(font.pointSize(), 12);

    // Chinese text renders (GBK for "中文").
    std::unique_ptr<CGUIEXDC> dc(WhiteSurface(60, 30));
    dc->DrawString("\xD6\xD0\xCE\xC4", 2.0f, 2.0f);
    const QRect ink = InkBox(*dc);
    EXPECT_FALSE(ink.isNull());
    EXPECT_GE(ink.width(), 15); // two 10-point characters at 96 dpi
}

TEST_F(GuiExDcTextTest, AlignmentFlagsPlaceTheTextInItsRectangle)
{
    const QRect box(0, 0, 120, 60);
    std::unique_ptr<CGUIEXDC> centred(WhiteSurface(120, 60));
    centred->DrawString("88", &box, 0);
    QRect ink = InkBox(*centred);
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.center().x(), 60, 3);
    EXPECT_NEAR(ink.center().y(), 30, 4);

    std::unique_ptr<CGUIEXDC> leftBottom(WhiteSurface(120, 60));
    leftBottom->DrawString("88", &box, CGUIEXDC::FORMAT_LEFT | CGUIEXDC::FORMAT_BOTTOM);
    ink = InkBox(*leftBottom);
    ASSERT_FALSE(ink.isNull());
    EXPECT_LE(ink.left(), 3);
    EXPECT_GE(ink.bottom(), 45);

    std::unique_ptr<CGUIEXDC> rightTop(WhiteSurface(120, 60));
    rightTop->SetCurrentBrush(RED);
    rightTop->DrawString("88", &box, CGUIEXDC::FORMAT_RIGHT | CGUIEXDC::FORMAT_TOP);
    ink = QRect();
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            if (rightTop->GetPixel(x, y) != WHITE)
                ink = ink.united(QRect(x, y, 1, 1));
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.right(), 114);
    EXPECT_LE(ink.top(), 8);
    // The brush colours the text: red blended over white keeps full red and equal green and blue.
    int inked = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 120; ++x) {
            const DWORD c = rightTop->GetPixel(x, y);
            if (c == WHITE)
                continue;
            ++inked;
            EXPECT_EQ(c & 0xFF, 0xFFu);
            EXPECT_EQ((c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
    }
    EXPECT_GT(inked, 10);

    // A larger font gives larger text.
    std::unique_ptr<CGUIEXDC> big(WhiteSurface(120, 60));
    big->SetCurrentStringFont("DejaVu Sans", 30.0f);
    big->DrawString("88", 0.0f, 0.0f);
    std::unique_ptr<CGUIEXDC> small(WhiteSurface(120, 60));
    small->DrawString("88", 0.0f, 0.0f);
    EXPECT_GT(InkBox(*big).height(), InkBox(*small).height() * 2);
}
