// The language screen and the main menu, through the whole program run headless.
#include "UNTLYSI0.h"
#include "Units/UNTPROGDELEN.h"
#include "support.h"
#include "torvelin.h"

using namespace WinGraph;
using tv::Frame;

namespace {

class Shell : public ::testing::Test {
protected:
    void SetUp() override { tv::writeObservations(dir.path(), tv::days(60)); }
    tv::Run run(const std::string& keys) { return tv::run(dir.path(), keys); }
    tv::TempDir dir;
};

// Everything of the language screen in language `taal` with cell `cell` highlighted.
void expectLanguageScreen(const Frame& f, int taal, int cell) {
    EXPECT_TRUE(tv::textAt(f, 90, 10, torvelin::AOPSCHR[taal], Yellow, Black, 2));
    EXPECT_TRUE(tv::textAt(f, 244, 40, "Zelvantor 1941-1961", Yellow, Black));
    EXPECT_TRUE(tv::outlineIs(f, 70, 80, 580, 370, Yellow));
    for (int i = 1; i <= 16; ++i) EXPECT_TRUE(tv::textAt(f, 96, 88 + 16 * i, torvelin::ATEKST[taal][i], Yellow, Blue));
    EXPECT_TRUE(tv::boxIs(f, 71, 81, 579, 103, Blue));
    EXPECT_TRUE(tv::textAt(f, 130, 436, UNTPROGDELEN::ANAVIGATIE[taal], Yellow, Black));
    EXPECT_TRUE(tv::textAt(f, 178, 460, torvelin::SBALK, Yellow));
    for (int k = 1; k <= 3; ++k) {
        const int x1 = 178 + 96 * (k - 1), x2 = 177 + 96 * k;
        const uint8_t c = k == cell ? Yellow : Red;
        EXPECT_TRUE(tv::pixelIs(f, x1 + 5, 452, c)) << "cell " << k;
        EXPECT_TRUE(tv::pixelIs(f, x1 + 5, 476, c)) << "cell " << k;
        if (k == cell) {
            EXPECT_TRUE(tv::outlineIs(f, x1, 452, x2, 476, Yellow));
        }
    }
    EXPECT_TRUE(tv::pixelIs(f, 180, 454, Red)) << "the bar is filled Red";
    EXPECT_TRUE(tv::pixelIs(f, 177, 460, Black));
    EXPECT_TRUE(tv::pixelIs(f, 466, 460, Black));
}

// Everything of the main menu in language `taal` with entry `entry` highlighted.
// Taking a highlight away paints its outline Blue, over the lowest pixels of
// the line above it; `text` checks the lines of a freshly drawn menu.
void expectMenu(const Frame& f, int taal, int entry, bool text = true) {
    EXPECT_TRUE(tv::textAt(f, 90, 10, torvelin::AOPSCHR[taal], Yellow, Black, 2));
    EXPECT_TRUE(tv::textAt(f, 244, 40, "Zelvantor 1941-1961", Yellow, Black));
    EXPECT_TRUE(tv::outlineIs(f, 90, 90, 550, 360, Yellow));
    EXPECT_TRUE(tv::boxIs(f, 91, 91, 549, 119, Blue));
    for (int i = 1; i <= 13 && text; ++i) EXPECT_TRUE(tv::textAt(f, 120, 108 + 16 * i, torvelin::ASHOWPR[taal][i], Yellow));
    EXPECT_TRUE(tv::textAt(f, 130, 376, UNTPROGDELEN::ANAVIGATIE[taal], Yellow, Black));
    for (int k = 1; k <= 6; ++k) {
        const uint8_t c = k == entry ? Yellow : Blue;
        EXPECT_TRUE(tv::pixelIs(f, 110, 114 + 16 * k, c)) << "entry " << k;
        EXPECT_TRUE(tv::pixelIs(f, 517, 114 + 16 * k, c)) << "entry " << k;
        if (k == entry) {
            EXPECT_TRUE(tv::outlineIs(f, 110, 104 + 16 * k, 517, 123 + 16 * k, Yellow));
        }
    }
}

TEST_F(Shell, LanguageScreenOpensInDutchAndFollowsTheHighlight) {
    const tv::Run r = run("left right right right left*2 enter");
    ASSERT_EQ(r.frames.size(), 8u);
    expectLanguageScreen(r.frames[0], 1, 1);
    expectLanguageScreen(r.frames[1], 3, 3);  // Left on Nederlands: Deutsch
    expectLanguageScreen(r.frames[2], 1, 1);  // Right on Deutsch: back to Nederlands
    EXPECT_TRUE(tv::sameFrame(r.frames[2], r.frames[0])) << "no trace of German may remain";
    expectLanguageScreen(r.frames[3], 2, 2);
    expectLanguageScreen(r.frames[4], 3, 3);
    EXPECT_TRUE(tv::sameFrame(r.frames[4], r.frames[1]));
    EXPECT_TRUE(tv::sameFrame(r.frames[5], r.frames[3]));
    EXPECT_TRUE(tv::sameFrame(r.frames[6], r.frames[0]));
    expectMenu(r.frames[7], 1, 1);
    EXPECT_EQ(r.reason, "keys ran out");
}

TEST_F(Shell, ConfirmingKeysOnTheLanguageScreen) {
    struct Case {
        const char* keys;
        int taal;
    } cases[] = {
        {"enter", 1}, {"esc", 1}, {"h", 1}, {"close", 1}, {"ctrl-right", 1}, {"f1", 1},
        {"right space", 2}, {"M x", 2}, {"K 7", 3}, {"up alt-f4", 3},
    };
    for (const Case& c : cases) {
        const tv::Run r = run(c.keys);
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(torvelin::TAAL, c.taal);
        expectMenu(r.last(), c.taal, 1);
    }
}

TEST_F(Shell, MenuHighlightWrapsAndMovesWithArrowsAndCapitals) {
    const tv::Run r = run(tv::toMenu(1) + "up down down P H right left K");
    const int want[] = {1, 6, 1, 2, 3, 2, 3, 2, 1};
    ASSERT_EQ(r.frames.size(), 10u);
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        expectMenu(r.frames[i + 1], 1, want[i], i == 0);
    }
}

TEST_F(Shell, MenuComesBackWholeAfterEachPresentation) {
    for (int entry = 1; entry <= 5; ++entry) {
        SCOPED_TRACE(entry);
        // Open the entry, confirm STOP at once, and be back on the menu.
        const tv::Run r = run(tv::toMenu(3) + "down*" + std::to_string(entry - 1) + " enter enter");
        expectMenu(r.frames[r.frames.size() - 3], 3, entry, entry == 1);
        expectMenu(r.last(), 3, entry);
        EXPECT_EQ(r.reason, "keys ran out");
    }
}

TEST_F(Shell, StopEntryPaintsTheWindowBlackClosesItAndEndsNormally) {
    const tv::Run r = run(tv::toMenu(1) + "up enter right left");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.reason, "") << "the program ended by itself";
    EXPECT_EQ(r.frames.size(), 3u) << "no key is read after the stop entry";
    const Frame after{platform::pixels(), 0};
    EXPECT_EQ(tv::count(after, 0, 0, 639, 479, Black), 640 * 480);
    EXPECT_TRUE(r.windowOpened);
}

TEST_F(Shell, KeysTypedWhileTheMenuIsDrawnAreDropped) {
    const tv::Run r = run(tv::toMenu(1) + "ahead:down ahead:down down ahead:down ahead:enter");
    ASSERT_EQ(r.frames.size(), 3u);
    expectMenu(r.frames[1], 1, 1);
    expectMenu(r.frames[2], 1, 2, false);
}

}  // namespace
