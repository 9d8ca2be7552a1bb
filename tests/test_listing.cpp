// The listing screen (menu entry 1), run headless on small files written here.
#include "UNTLYSI0.h"
#include "platform/headless.h"
#include "support.h"

namespace {

constexpr uint8_t B = WinGraph::Blue, Y = WinGraph::Yellow, R = WinGraph::Red;

const std::string_view SKOP1 = "CMET jjjjmmdd    Rzel  NN1  NN2  NN3  NN4  Pb1  Pb2  Pb3  Pb4";
const std::string_view SFOR1 = "    .    1    .    2    .    3    .    4    .    5    .    6 ";
const std::string_view SKOP2 = "CMET jjjjmmdd    Rzel  >>>  PbA  PbB  PbC W116 W194    Q    Q";
const std::string_view SFOR2 = "    .    1    .    2   >>>   .    7    .    8    .    9    . ";

const std::string_view SCOMM[4] = {
    "",
    "-4jr  -1jr  -3mnd -23dg lysim  STOP peilb +23dg +3mnd +1jr  +4jr ",
    "-4yr  -1yr  -3mth -23ds lysim  QUIT phrlv +23ds +3mth +1yr  +4yr ",
    "-4Jr  -1Jr  -3Mon -23Tg Lysim  HALT PhrEb +23Tg +3Mon +1Jr  +4Jr ",
};
const std::string_view HELP[4] = {
    "",
    " navigeren met pijltoetsen,  bevestigen met KEY ",
    "navigation with arrow-key, confirmation with KEY",
    "navigation mit Pfeiltasten,  accordieren mit KEY",
};

// Day i with something in every column, and the characters on both sides of
// the views' seams (positions 21/22, 61/62, 96) never blank.
tv::Record rec(int i) {
    tv::Record r = tv::day(i);
    r.num(17, 4, i % 1000).at(21, "6");
    for (int k = 1; k <= 4; ++k) r.num(5 * k + 17, 4, (i * 7 + k) % 10000).at(5 * k + 21, std::to_string(k));
    for (int k = 1; k <= 4; ++k) r.num(5 * k + 37, 4, -(i % 100) - k).at(5 * k + 41, "9");
    for (int k = 1; k <= 3; ++k) r.num(5 * k + 57, 4, 1000 + i + k).at(5 * k + 61, "9");
    r.num(77, 4, 300 + i % 50).at(81, "9").num(82, 4, 250 + i % 30).at(86, "9");
    r.num(87, 5, i).num(92, 5, 99999 - i);
    return r;
}

std::vector<tv::Record> file(int n) {
    std::vector<tv::Record> v;
    for (int i = 0; i < n; ++i) v.push_back(rec(i));
    return v;
}

std::string rowText(const tv::Record& r, bool lysim) {
    if (lysim) return r.text.substr(0, 61);
    return r.text.substr(0, 21) + "  >>>" + r.text.substr(61, 35);
}

// The page above the bar: headings of the view, records first.. (all of
// `rows` of them), Yellow on Blue, and Blue everywhere else.
::testing::AssertionResult pageIs(const tv::Frame& f, const std::vector<tv::Record>& recs, int first, bool lysim,
                                  int rows = 24) {
    ::testing::AssertionResult ok = tv::boxIs(f, 0, 0, 639, 3, B);
    if (ok) ok = tv::textAt(f, 72, 4, lysim ? SKOP1 : SKOP2, Y, B);
    if (ok) ok = tv::textAt(f, 72, 20, lysim ? SFOR1 : SFOR2, Y, B);
    if (ok) ok = tv::boxIs(f, 0, 4, 71, 441, B);
    if (ok) ok = tv::boxIs(f, 72 + 61 * 8, 4, 639, 441, B);
    if (ok) ok = tv::boxIs(f, 72, 36, 72 + 61 * 8 - 1, 45, B);
    for (int reg = 1; ok && reg <= rows; ++reg)
        ok = tv::textAt(f, 72, 16 * reg + 30, rowText(recs[static_cast<size_t>(first + reg - 1)], lysim), Y, B);
    if (ok) ok = tv::boxIs(f, 72, 16 * (rows + 1) + 30, 72 + 61 * 8 - 1, 441, B);
    if (!ok) ok << " (page from record " << first << ", view " << (lysim ? "lysim" : "peilb") << ")";
    return ok;
}

// The cell whose sides are Yellow; 0 when not exactly one is.
int lit(const tv::Frame& f) {
    int found = 0, n = 0;
    for (int k = 1; k <= 11; ++k) {
        const int x1 = 56 + 48 * (k - 1), x2 = 55 + 48 * k;
        if (tv::count(f, x1, 443, x1, 457, Y) == 15 && tv::count(f, x2, 443, x2, 457, Y) == 15) found = k, ++n;
    }
    return n == 1 ? found : 0;
}

// The bar of the listing with cell k highlighted: a Red box with the labels,
// the help line below it, and only the outline of cell k Yellow. The top and
// bottom rows of the cells belong to the outlines, which the choice loop
// paints over the glyphs that reach down into them.
::testing::AssertionResult barIs(const tv::Frame& f, int taal, int k) {
    const int x1 = 56 + 48 * (k - 1), x2 = 55 + 48 * k;
    ::testing::AssertionResult ok = tv::outlineIs(f, x1, 442, x2, 458, Y);
    if (ok && lit(f) != k) ok = ::testing::AssertionFailure() << "highlight on cell " << lit(f) << ", not " << k;
    int glyphs = 0;  // label pixels inside the box
    for (size_t i = 0; ok && i < SCOMM[taal].size(); ++i) {
        const uint8_t* g = platform::fontGlyph(static_cast<uint8_t>(SCOMM[taal][i]));
        for (int r = 0; ok && r < 16; ++r)
            for (int c = 0; ok && c < 8; ++c) {
                const int x = 60 + 8 * static_cast<int>(i) + c, y = 446 + r;
                const bool on = g[r] & (0x80 >> c);
                if (y < 458) {
                    glyphs += on;
                    if (on) ok = tv::pixelIs(f, x, y, Y);
                } else if (y > 458) {
                    ok = tv::pixelIs(f, x, y, on ? Y : B);
                }
            }
    }
    // Everything else inside the box is Red.
    const int sides = 15 * ((x1 > 56) + (x2 < 583));
    if (ok && tv::count(f, 57, 443, 582, 457, Y) != glyphs + sides)
        ok = ::testing::AssertionFailure() << "Yellow in the bar where no label or highlight is";
    if (ok && tv::count(f, 57, 443, 582, 457, R) != 526 * 15 - glyphs - sides)
        ok = ::testing::AssertionFailure() << "the bar holds colours other than Red and Yellow";
    if (ok) ok = tv::textAt(f, 130, 466, HELP[taal], Y, B);
    if (!ok) ok << " (bar, language " << taal << ", cell " << k << ")";
    return ok;
}

// Keys from the start to the listing's first page, which is frame 2 in Dutch
// and frame 3 in the other languages (one arrow on the language screen).
std::string toListing(int taal = 1) { return tv::toMenu(taal) + "enter "; }
size_t firstPage(int taal) { return taal == 1 ? 2 : 3; }

TEST(Listing, FirstPageInEveryLanguage) {
    tv::TempDir dir;
    const auto recs = file(60);
    tv::writeObservations(dir.path(), recs);
    for (int taal = 1; taal <= 3; ++taal) {
        SCOPED_TRACE("language " + std::to_string(taal));
        const tv::Run r = tv::run(dir.path(), toListing(taal));
        ASSERT_EQ(r.frames.size(), firstPage(taal) + 1);
        EXPECT_TRUE(pageIs(r.last(), recs, 0, true));
        EXPECT_TRUE(barIs(r.last(), taal, 6));
    }
}

// Cells 1..4 and 8..11 move the page; the page stays within the file.
TEST(Listing, PagingAndItsBounds) {
    tv::TempDir dir;
    const int N = 3000;
    const auto recs = file(N);
    tv::writeObservations(dir.path(), recs);
    struct Step {
        std::string keys;  // from the highlight on the cell before
        int cell;
        int first;  // first record of the page after it
    } steps[] = {
        {"left*5 enter", 1, 0},  // -4 years at the first page stays there
        {"right enter", 2, 0},
        {"right*6 enter", 8, 23},
        {"enter", 8, 46},
        {"right enter", 9, 137},
        {"right enter", 10, 502},
        {"right enter", 11, 1963},
        {"enter", 11, N - 24},  // 3424 is beyond the file: the last page
        {"enter", 11, N - 24},
        {"left*3 enter", 8, N - 24},
        {"left*4 enter", 4, N - 47},
        {"left enter", 3, N - 138},
        {"left enter", 2, N - 503},
        {"left enter", 1, N - 1964},
        {"enter", 1, 0},
    };
    std::string keys = toListing();
    for (const Step& s : steps) keys += s.keys + " ";
    const tv::Run r = tv::run(dir.path(), keys);
    EXPECT_EQ(r.beeps, 0);
    size_t frame = 2;
    for (const Step& s : steps) {
        std::vector<platform::ScriptStep> parsed;
        std::string why;
        ASSERT_TRUE(platform::parseKeyScript(s.keys, parsed, why));
        frame += parsed.size();
        SCOPED_TRACE("cell " + std::to_string(s.cell) + " to record " + std::to_string(s.first));
        ASSERT_LT(frame, r.frames.size());
        EXPECT_TRUE(pageIs(r.frames[frame], recs, s.first, true));
        EXPECT_TRUE(barIs(r.frames[frame], 1, s.cell));
    }
    EXPECT_EQ(UNTLYSI0::RECNR, 0);
}

// From N - 30, +23 days shows the last page, N - 24 to N - 1.
TEST(Listing, StepPastTheLastPageEndsWithTheLastRecord) {
    tv::TempDir dir;
    const int N = 76;
    const auto recs = file(N);
    tv::writeObservations(dir.path(), recs);
    const tv::Run r = tv::run(dir.path(), toListing() + "right*2 enter enter enter");
    ASSERT_EQ(r.frames.size(), 8u);
    EXPECT_TRUE(pageIs(r.frames[6], recs, N - 30, true));
    EXPECT_TRUE(pageIs(r.frames[7], recs, N - 24, true));
    EXPECT_EQ(UNTLYSI0::RECNR, N - 24);
}

TEST(Listing, TheTwoViews) {
    tv::TempDir dir;
    const auto recs = file(200);
    tv::writeObservations(dir.path(), recs);
    // To +23, then peilb, peilb again, back to lysim.
    const tv::Run r = tv::run(dir.path(), toListing(2) + "right*2 enter left enter enter left*2 enter");
    ASSERT_EQ(r.frames.size(), 13u);  // English: one frame more before the listing
    EXPECT_TRUE(pageIs(r.frames[6], recs, 23, true));
    EXPECT_TRUE(pageIs(r.frames[8], recs, 23, false));
    EXPECT_TRUE(barIs(r.frames[8], 2, 7));
    // Confirming the view already shown draws the same page.
    EXPECT_TRUE(tv::sameFrame(r.frames[8], r.frames[9]));
    EXPECT_TRUE(pageIs(r.frames[12], recs, 23, true));
    EXPECT_TRUE(barIs(r.frames[12], 2, 5));

    // A peilb row, cut at its seams: positions 1..21, the gap, 62..96.
    const tv::Record& d = recs[23];
    const tv::Frame& f = r.frames[8];
    EXPECT_TRUE(tv::textAt(f, 72, 46, d.text.substr(0, 21), Y, B));
    EXPECT_TRUE(tv::textAt(f, 72 + 21 * 8, 46, "  >>>", Y, B));
    EXPECT_TRUE(tv::textAt(f, 72 + 26 * 8, 46, d.text.substr(61, 35), Y, B));
    EXPECT_EQ(d.text.substr(60, 6), "910249");
}

// The highlight wraps at both ends, moves by the arrows and the capitals H,
// K, M, P, and stays on the cell confirmed.
TEST(Listing, HighlightWrapsAndStaysOnTheConfirmedCell) {
    tv::TempDir dir;
    const auto recs = file(100);
    tv::writeObservations(dir.path(), recs);
    const tv::Run r = tv::run(dir.path(), toListing() + "right*5 down left up M P K H left*8 space");
    const int cells[] = {6, 7, 8, 9, 10, 11, 1, 11, 10, 11, 1, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    ASSERT_EQ(r.frames.size(), 2 + std::size(cells) + 1);
    for (size_t i = 0; i < std::size(cells); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i + 2));
        EXPECT_TRUE(barIs(r.frames[i + 2], 1, cells[i]));
        // Only the highlight moves: the page stays.
        EXPECT_TRUE(pageIs(r.frames[i + 2], recs, 0, true));
    }
    // Space confirms cell 2: -1 year at record 0 redraws the first page.
    EXPECT_TRUE(pageIs(r.last(), recs, 0, true));
    EXPECT_TRUE(barIs(r.last(), 1, 2));
}

// STOP returns to the menu with the current day kept; the listing opened
// again starts there, in view lysim with STOP highlighted.
TEST(Listing, StopKeepsTheCurrentDay) {
    tv::TempDir dir;
    const auto recs = file(300);
    tv::writeObservations(dir.path(), recs);
    const tv::Run r = tv::run(dir.path(), toListing(3) + "right enter right enter left*2 enter enter");
    ASSERT_EQ(r.frames.size(), 12u);  // German: one frame more before the listing
    EXPECT_TRUE(pageIs(r.frames[7], recs, 23, false));
    // Frame 10: the main menu again, drawn whole; nothing of the listing stays.
    EXPECT_EQ(tv::count(r.frames[10], 0, 0, 639, 479, B) + tv::count(r.frames[10], 0, 0, 639, 479, Y) +
                  tv::count(r.frames[10], 0, 0, 639, 479, WinGraph::Black),
              640 * 480);
    EXPECT_TRUE(pageIs(r.frames[11], recs, 23, true));
    EXPECT_TRUE(barIs(r.frames[11], 3, 6));
    EXPECT_EQ(UNTLYSI0::RECNR, 23);
}

// A file of fewer than 24 records: all of them on one short page, whatever
// the step.
TEST(Listing, ShortFileShowsOneShortPage) {
    for (const int n : {1, 5, 23}) {
        SCOPED_TRACE(std::to_string(n) + " records");
        tv::TempDir dir;
        const auto recs = file(n);
        tv::writeObservations(dir.path(), recs, "half a record");
        const tv::Run r = tv::run(dir.path(), toListing() + "right*2 enter right*3 enter left*10 enter right*6 enter");
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        for (const size_t i : {size_t{2}, size_t{5}, size_t{9}, size_t{20}, size_t{26}}) {
            ASSERT_LT(i, r.frames.size());
            EXPECT_TRUE(pageIs(r.frames[i], recs, 0, true, n)) << "frame " << i;
        }
        EXPECT_TRUE(pageIs(r.last(), recs, 0, false, n));
        EXPECT_EQ(UNTLYSI0::RECNR, 0);
    }
}

// A full page of exactly 24 records, and one more: the last page begins at 1.
TEST(Listing, FilesOfTwentyFourAndTwentyFive) {
    for (const int n : {24, 25}) {
        tv::TempDir dir;
        const auto recs = file(n);
        tv::writeObservations(dir.path(), recs);
        const tv::Run r = tv::run(dir.path(), toListing() + "right*5 enter");
        ASSERT_EQ(r.frames.size(), 9u);
        EXPECT_TRUE(pageIs(r.frames[2], recs, 0, true)) << n;
        EXPECT_TRUE(pageIs(r.frames[8], recs, n - 24, true)) << n;
    }
}

}  // namespace
