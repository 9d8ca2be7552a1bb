// The drawing layer, pixel by pixel: what every screen relies on.
#include <climits>
#include <cmath>

#include "Units/UNTGRAPHICS.h"
#include "support.h"

using namespace WinGraph;
using tv::Frame;

namespace {

class Primitives : public ::testing::Test {
protected:
    void SetUp() override {
        int16_t d = 2, m = 4;
        InitGraph(d, m, "test");  // no display: only the surface and drawing state
        UNTGRAPHICS::GRSCHERM(White, Black);
    }
    static Frame frame() { return Frame{platform::pixels(), 0}; }
};

TEST_F(Primitives, BarIncludesBothCornersAndDrawsNothingWhenReversed) {
    struct Case {
        int x1, y1, x2, y2;
        int filled;  // pixels of the fill colour afterwards
    } cases[] = {
        {10, 10, 14, 12, 15},  // 5 x 3
        {10, 10, 10, 10, 1},   // a single pixel
        {14, 10, 10, 12, 0},   // x reversed
        {10, 12, 14, 10, 0},   // y reversed
        {-5, -5, 1, 0, 2},     // clipped at the window's corner
        {635, 470, 700, 500, 50},
    };
    for (const Case& c : cases) {
        UNTGRAPHICS::GRSCHERM(White, Black);
        SetLineStyle(DottedLn, 0, 1);  // never affects a bar
        SetFillStyle(SolidFill, Yellow);
        Bar(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(tv::count(frame(), 0, 0, 639, 479, Yellow), c.filled)
            << "Bar(" << c.x1 << ", " << c.y1 << ", " << c.x2 << ", " << c.y2 << ")";
    }
}

TEST_F(Primitives, LineDrawsBothEndPointsAndTheDottedPatternFromTheFirstOne) {
    SetColor(Yellow);
    Line(10, 5, 20, 5);
    EXPECT_EQ(tv::count(frame(), 0, 5, 639, 5, Yellow), 11);
    EXPECT_TRUE(tv::pixelIs(frame(), 10, 5, Yellow));
    EXPECT_TRUE(tv::pixelIs(frame(), 20, 5, Yellow));

    // Dotted: two on, two off, restarted at the first end point of every line.
    SetLineStyle(DottedLn, 0, 1);
    Line(100, 50, 110, 50);
    Line(110, 60, 100, 60);  // drawn right to left
    Line(200, 100, 200, 110);
    const char* forward = "11001100110";
    for (int i = 0; i <= 10; ++i) {
        const uint8_t on = forward[i] == '1' ? Yellow : Black;
        EXPECT_TRUE(tv::pixelIs(frame(), 100 + i, 50, on)) << "left to right, step " << i;
        EXPECT_TRUE(tv::pixelIs(frame(), 110 - i, 60, on)) << "right to left, step " << i;
        EXPECT_TRUE(tv::pixelIs(frame(), 200, 100 + i, on)) << "downwards, step " << i;
    }
}

TEST_F(Primitives, RectangleHasItsFourSidesAndCorners) {
    SetColor(Red);
    Rectangle(56, 442, 103, 458);
    EXPECT_TRUE(tv::outlineIs(frame(), 56, 442, 103, 458, Red));
    EXPECT_TRUE(tv::boxIs(frame(), 57, 443, 102, 457, Black));
    EXPECT_EQ(tv::count(frame(), 0, 0, 639, 479, Red), 2 * 48 + 2 * 15);
}

TEST_F(Primitives, FarAwayLinesAreClippedBeforeTheyAreDrawn) {
    SetColor(White);
    Line(INT_MIN, 200, INT_MAX, 200);  // across the whole window
    EXPECT_EQ(tv::count(frame(), 0, 200, 639, 200, White), 640);
    Line(300, INT_MIN, 300, INT_MAX);
    EXPECT_EQ(tv::count(frame(), 300, 0, 300, 479, White), 480);
    Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // the diagonal through the window
    EXPECT_TRUE(tv::pixelIs(frame(), 0, 0, White));
    EXPECT_TRUE(tv::pixelIs(frame(), 479, 479, White));
    EXPECT_EQ(tv::count(frame(), 0, 0, 639, 479, White), 640 + 480 - 1 + 480 - 2);
    UNTGRAPHICS::GRSCHERM(White, Black);
    Line(INT_MIN, -5, INT_MAX, -5);  // wholly outside
    Bar(INT_MIN, INT_MIN, INT_MAX, -1);
    EXPECT_EQ(tv::count(frame(), 0, 0, 639, 479, White), 0);
}

TEST_F(Primitives, FloodFillStopsAtTheBorderColourOnlyAndNeverRepeats) {
    // A Yellow box with a Red pixel and a Yellow wall inside it.
    SetColor(Yellow);
    Rectangle(10, 10, 60, 40);
    Line(40, 10, 40, 40);  // cuts off the right part
    SetFillStyle(SolidFill, Red);
    Bar(20, 20, 22, 22);  // another colour: painted over
    SetFillStyle(SolidFill, Blue);
    FloodFill(12, 12, Yellow);
    EXPECT_TRUE(tv::boxIs(frame(), 11, 11, 39, 39, Blue));
    EXPECT_TRUE(tv::boxIs(frame(), 41, 11, 59, 39, Black)) << "the part behind the wall keeps its pixels";
    EXPECT_TRUE(tv::pixelIs(frame(), 9, 9, Black)) << "nothing outside the box";
    EXPECT_TRUE(tv::outlineIs(frame(), 10, 10, 60, 40, Yellow));

    // A seed on the border colour fills nothing; a fill in the colour already there ends.
    SetFillStyle(SolidFill, Green);
    FloodFill(10, 10, Yellow);
    EXPECT_EQ(tv::count(frame(), 0, 0, 639, 479, Green), 0);
    SetFillStyle(SolidFill, Blue);
    FloodFill(12, 12, Yellow);
    EXPECT_TRUE(tv::boxIs(frame(), 11, 11, 39, 39, Blue));

    // The whole window, bounded by nothing.
    SetFillStyle(SolidFill, Cyan);
    FloodFill(300, 300, Magenta);
    EXPECT_EQ(tv::count(frame(), 0, 0, 639, 479, Cyan), 640 * 480);
}

TEST_F(Primitives, GretiketOverTheSameBoxKeepsWhatIsInside) {
    // The red language bar is drawn again after every key: its texts stay.
    UNTGRAPHICS::GRETIKET(178, 452, 465, 476, Red, Red);
    EXPECT_TRUE(tv::boxIs(frame(), 178, 452, 465, 476, Red));
    UNTGRAPHICS::GRKLEUR(Yellow);
    OutTextXY(178, 460, " Nederlands");
    const Frame before = frame();
    UNTGRAPHICS::GRETIKET(178, 452, 465, 476, Red, Red);
    EXPECT_TRUE(tv::sameFrame(frame(), before));
    EXPECT_TRUE(tv::textAt(frame(), 178, 460, " Nederlands", Yellow, Red));
}

TEST_F(Primitives, TextIsTransparentClippedAndDoubledAtSizeFour) {
    SetFillStyle(SolidFill, Blue);
    Bar(0, 0, 639, 479);
    SetColor(Yellow);
    OutTextXY(100, 100, "Ab\x84\x1B");
    EXPECT_TRUE(tv::textAt(frame(), 100, 100, "Ab\x84\x1B", Yellow, Blue));
    EXPECT_GT(tv::count(frame(), 124, 100, 131, 115, Yellow), 4) << "byte 27 draws an arrow";

    OutTextXY(636, 200, "MM");  // half a glyph, then nothing
    EXPECT_GT(tv::count(frame(), 636, 200, 639, 215, Yellow), 0);

    SetTextStyle(0, 0, 4);
    OutTextXY(300, 300, "I");
    const uint8_t* g = platform::fontGlyph('I');
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 8; ++c) {
            const uint8_t want = (g[r] & (0x80 >> c)) ? Yellow : Blue;
            for (int k = 0; k < 4; ++k)
                ASSERT_TRUE(tv::pixelIs(frame(), 300 + 2 * c + k % 2, 300 + 2 * r + k / 2, want));
        }
}

TEST_F(Primitives, ClearViewPortFillsWithTheBackgroundColour) {
    SetBkColor(Blue);
    ClearViewPort();
    EXPECT_EQ(tv::count(frame(), 0, 0, 639, 479, Blue), 640 * 480);
    UNTGRAPHICS::GRSCHERM(Yellow, Red);
    EXPECT_EQ(tv::count(frame(), 0, 0, 639, 479, Red), 640 * 480);
}

TEST(Rounding, HalfToEvenOnceAndSaturating) {
    struct Case {
        double v;
        int32_t want;
    } cases[] = {
        {28.5, 28}, {9.5, 10}, {2.85, 3}, {0.95, 1}, {-0.5, 0}, {-1.5, -2}, {0.49999, 0},
        {1e300, 2'000'000'000}, {-1e300, -2'000'000'000}, {HUGE_VAL, 2'000'000'000}, {std::nan(""), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(UNTGRAPHICS::AFRONDEN(c.v), c.want) << c.v;
}

}  // namespace
