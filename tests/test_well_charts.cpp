// The piezometer chart (menu entry 4) and the dune wells chart (entry 5), run
// headless on small observation files and checked pixel by pixel.
#include <functional>
#include <string>
#include <vector>

#include "support.h"

namespace {

using namespace WinGraph;

constexpr int YY = 110;

// Keys from the start into each chart; the chart opens on record 0.
const std::string PIEZO = tv::toMenu() + "down*3 enter ";
const std::string WELLS = tv::toMenu() + "down*4 enter ";
// Cell 9, +3mnd: record 91 at x = 280, the axes from x = 40.
const std::string AT91 = "right*3 enter ";

// `count` days from record 0, with `edit` applied to them, as the observation file.
tv::Run chart(const std::string& keys, int count = 200,
              const std::function<void(std::vector<tv::Record>&)>& edit = nullptr) {
    std::vector<tv::Record> recs = tv::days(count);
    if (edit) edit(recs);
    tv::TempDir dir;
    tv::writeObservations(dir.path(), recs);
    return tv::run(dir.path(), keys);
}

// LightGray pixels on row y from x1 to x2, apart from the bracket's uprights.
int greyOnRow(const tv::Frame& f, int y, int x1, int x2) {
    int n = tv::count(f, x1, y, x2, y, LightGray);
    for (int x : {280, 424}) n -= x >= x1 && x <= x2 && f.at(x, y) == LightGray;
    return n;
}

// A dotted LightGray line on row y from x1 to x2 (two pixels on, two off),
// and nothing of it from `from` up to x1.
::testing::AssertionResult dottedRow(const tv::Frame& f, int y, int x1, int x2, int from) {
    if (auto r = tv::pixelIs(f, x1, y, LightGray); !r) return r;
    if (auto r = tv::pixelIs(f, x1 + 1, y, LightGray); !r) return r;
    if (auto r = tv::pixelIs(f, x1 + 2, y, Blue); !r) return r;
    const int on = greyOnRow(f, y, x1, x2);
    if (on < (x2 - x1) / 2 - 2 || on > (x2 - x1) / 2 + 3)
        return ::testing::AssertionFailure() << "row " << y << ": " << on << " LightGray pixels from " << x1 << " to "
                                             << x2 << "; saved as " << tv::saveFrame(f, "row" + std::to_string(y));
    if (x1 > from && greyOnRow(f, y, from, x1 - 1) != 0)
        return ::testing::AssertionFailure() << "row " << y << ": the line starts before x = " << x1 << "; saved as "
                                             << tv::saveFrame(f, "row" + std::to_string(y));
    return ::testing::AssertionSuccess();
}

// The rows 0 to 441 of two frames, all but the command bar, are the same.
::testing::AssertionResult sameChart(const tv::Frame& a, const tv::Frame& b) {
    for (int y = 0; y < 442; ++y)
        for (int x = 0; x < 640; ++x)
            if (a.at(x, y) != b.at(x, y)) return tv::pixelIs(b, x, y, a.at(x, y));
    return ::testing::AssertionSuccess();
}

// Observation days without month starts, so that no month line crosses the scales.
void noMonths(std::vector<tv::Record>& recs) {
    for (tv::Record& r : recs) r.at(12, "15");
}

// The bar scales with their ticks and labels, the base lines and the bracket;
// `top` is where the bracket's uprights start.
void checkAxes(const tv::Frame& f, int XX, int top) {
    EXPECT_TRUE(tv::pixelIs(f, XX, YY, LightGray));
    EXPECT_TRUE(tv::pixelIs(f, XX, YY + 10, LightGray));
    EXPECT_TRUE(tv::pixelIs(f, 600, YY, LightGray));
    EXPECT_TRUE(tv::pixelIs(f, 601, YY + 10, Blue));
    if (XX > 40) {
        EXPECT_TRUE(tv::pixelIs(f, XX - 1, YY, Blue));
        EXPECT_TRUE(tv::pixelIs(f, XX - 1, YY + 10, Blue));
    }
    const char* const STAL[5] = {"", " 10", " 20", " 30", " 40"};
    for (int k = 1; k <= 4; ++k) {
        for (int VV : {YY - 19 * k, YY + 10 + 19 * k}) {
            EXPECT_TRUE(tv::boxIs(f, XX - 8, VV, XX - 1, VV, LightGray)) << "tick " << k;
            EXPECT_TRUE(tv::pixelIs(f, XX - 9, VV, Blue)) << "tick " << k;
            EXPECT_TRUE(tv::textAt(f, XX - 40, VV - 3, STAL[k], LightGray)) << "tick " << k;
        }
    }
    // The drain texts stand over the left upright when the window starts at record 0.
    EXPECT_TRUE(tv::boxIs(f, 280, top, 280, YY + 90, LightGray));
    EXPECT_TRUE(tv::boxIs(f, 280, YY + 130, 280, 430, LightGray));
    EXPECT_TRUE(tv::boxIs(f, 424, top, 424, 430, LightGray));
    EXPECT_TRUE(tv::pixelIs(f, 280, top - 1, Blue));
    EXPECT_TRUE(tv::pixelIs(f, 424, top - 1, Blue));
    EXPECT_TRUE(tv::boxIs(f, 280, 430, 316, 430, LightGray));
    EXPECT_TRUE(tv::boxIs(f, 372, 430, 424, 430, LightGray));
    EXPECT_TRUE(tv::textAt(f, 316, 426, "listing", LightGray));
}

struct Window {
    const char* name;
    std::string keys;
    int XX;
};

const Window WINDOWS[] = {{"record 0", "", 280}, {"record 91", AT91, 40}};

TEST(PiezometerChart, ScalesLinesAndTextsStandWhereTheChartPutsThem) {
    for (const Window& w : WINDOWS) {
        SCOPED_TRACE(w.name);
        const tv::Run r = chart(PIEZO + w.keys, 200, noMonths);
        ASSERT_GE(r.frames.size(), 6u);
        const tv::Frame& f = r.last();
        const int XX = w.XX;
        checkAxes(f, XX, YY + 30);
        EXPECT_TRUE(tv::textAt(f, XX - 40, YY - 90, "(mm) neerslag", LightGray));
        EXPECT_TRUE(tv::textAt(f, XX - 40, YY + 92, "(mm) drain:", Yellow));
        EXPECT_TRUE(tv::textAt(f, XX - 40, YY + 104, "(3*1+2+3+4)/6", Yellow));
        // The level scale: 375 cm on the drain line, 0.722 pixels a centimetre.
        EXPECT_TRUE(dottedRow(f, YY + 281, XX, 600, 0));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 277, " NAP", LightGray));
        EXPECT_TRUE(dottedRow(f, YY + 209, XX, 600, 0));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 205, "+100", LightGray));
        EXPECT_TRUE(dottedRow(f, YY + 136, XX, 600, 0));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 132, "+200", LightGray));
        EXPECT_TRUE(dottedRow(f, YY + 64, 500, 600, XX));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 60, "+300", LightGray));
        EXPECT_TRUE(dottedRow(f, YY + 172, XX + 32, XX + 92, XX + 24));
        EXPECT_EQ(greyOnRow(f, YY + 172, XX + 93, 639), 0);
        EXPECT_TRUE(tv::textAt(f, XX - 32, YY + 168, "NAP+150", LightGray));
    }
}

TEST(DuneWellsChart, ScalesLegendAndTextsStandWhereTheChartPutsThem) {
    for (const Window& w : WINDOWS) {
        SCOPED_TRACE(w.name);
        const tv::Run r = chart(WELLS + w.keys, 200, noMonths);
        ASSERT_GE(r.frames.size(), 7u);
        const tv::Frame& f = r.last();
        const int XX = w.XX;
        checkAxes(f, XX, YY + 20);
        EXPECT_TRUE(tv::textAt(f, XX - 40, YY - 93, "(mm) neerslag", LightGray));
        EXPECT_TRUE(tv::textAt(f, XX - 40, YY + 97, "(mm) drain:", Yellow));
        EXPECT_TRUE(tv::textAt(f, XX - 40, YY + 109, "(3*1+2+3+4)/6", Yellow));
        // The legend, solid Yellow, whatever the window.
        EXPECT_TRUE(tv::boxIs(f, 550, YY + 107, 598, YY + 107, Yellow));
        EXPECT_TRUE(tv::pixelIs(f, 549, YY + 107, Blue));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 103, "W116", Yellow));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 113, " (v)", Yellow));
        EXPECT_TRUE(tv::boxIs(f, 550, YY + 144, 598, YY + 144, Yellow));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 140, "W194", Yellow));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 150, " (w)", Yellow));
        // The level scale: 818 cm on the drain line.
        EXPECT_TRUE(tv::textAt(f, 600, YY + 9, " NAP", LightGray));
        EXPECT_TRUE(dottedRow(f, YY + 23, 500, 600, XX));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 19, "+800", LightGray));
        EXPECT_TRUE(dottedRow(f, YY + 95, XX + 70, 600, XX));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 91, "+700", LightGray));
        EXPECT_TRUE(dottedRow(f, YY + 167, XX, 600, 0));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 163, "+600", LightGray));
        EXPECT_TRUE(dottedRow(f, YY + 240, XX, 600, 0));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 236, "+500", LightGray));
        EXPECT_TRUE(dottedRow(f, YY + 312, XX, 600, 0));
        EXPECT_TRUE(tv::textAt(f, 600, YY + 308, "+400", LightGray));
    }
}

// Rainfall bars rise from YY, the combined drain (3 * tank 1 + tanks 2 to 4) / 6
// hangs from YY + 10; 19 pixels per 10 mm, rounded half to even.
struct Bars {
    const char* rain;
    const char* drain[4];
    int top;     // top of the rainfall bar, -1 when none is drawn
    int bottom;  // bottom of the drain bar, -1 when none is drawn
};

const Bars BARS[] = {
    {"  50", {"    ", "    ", "    ", "    "}, YY - 10, YY + 10},  // 9.5 pixels: 10; a blank drain is one row
    {" 150", {"1000", "1000", "1000", "1000"}, YY - 28, YY + 29},  // 28.5 pixels: 28; drain 1000: the 10 mm tick
    {" 100", {" 600", "   0", "    ", "    "}, YY - 19, YY + 16},  // drain 300: 5.7 pixels
    {"9e99", {"9e99", "9e99", "9e99", "9e99"}, 0, 441},           // far beyond the window: clipped
    {"-9e9", {"-9e9", "   0", "   0", "   0"}, -1, -1},           // below zero: no bar
    {"  -5", {"-100", "    ", "    ", "    "}, -1, -1},           // -0.95 pixels: a length of -1
};

TEST(WellCharts, RainfallAndCombinedDrainBars) {
    // Records 100 to 105, at x = 334 to 364 with record 91 at x = 280.
    const auto edit = [](std::vector<tv::Record>& recs) {
        for (size_t i = 0; i < std::size(BARS); ++i) {
            tv::Record& r = recs[100 + i];
            r.at(17, BARS[i].rain);
            for (int k = 1; k <= 4; ++k) r.at(5 * k + 17, BARS[i].drain[k - 1]);
        }
    };
    for (const std::string& entry : {PIEZO, WELLS}) {
        const tv::Run r = chart(entry + AT91, 200, edit);
        ASSERT_FALSE(r.frames.empty());
        const tv::Frame& f = r.last();
        for (size_t i = 0; i < std::size(BARS); ++i) {
            SCOPED_TRACE("entry " + std::string(entry == PIEZO ? "4" : "5") + ", rainfall " + BARS[i].rain);
            const int XX = 334 + 6 * static_cast<int>(i);
            const Bars& b = BARS[i];
            if (b.top >= 0) {
                EXPECT_TRUE(tv::boxIs(f, XX + 1, b.top, XX + 5, YY, Yellow));
                if (b.top > 0) {
                    EXPECT_EQ(tv::count(f, XX + 1, 0, XX + 5, b.top - 1, Yellow), 0);
                }
            } else {
                EXPECT_EQ(tv::count(f, XX + 1, 0, XX + 5, YY, Yellow), 0);
                EXPECT_TRUE(tv::pixelIs(f, XX + 1, YY, LightGray));
            }
            if (b.bottom >= 0) {
                EXPECT_TRUE(tv::boxIs(f, XX + 1, YY + 10, XX + 5, b.bottom, Yellow));
                if (b.bottom < 441) {
                    EXPECT_TRUE(tv::pixelIs(f, XX + 1, b.bottom + 1, Blue));
                }
            } else {
                EXPECT_TRUE(tv::pixelIs(f, XX + 1, YY + 10, LightGray));
            }
            EXPECT_EQ(tv::count(f, XX, YY - 80, XX, YY + 100, Yellow), 0);  // the gap between the bars
        }
    }
}

// A record with its levels, written into the file.
struct Levels {
    int record;
    std::vector<std::pair<int, const char*>> fields;  // position, text
};

void put(std::vector<tv::Record>& recs, const std::vector<Levels>& levels) {
    for (const Levels& l : levels)
        for (const auto& [pos, text] : l.fields) recs[static_cast<size_t>(l.record)].at(pos, text);
}

TEST(PiezometerChart, LettersOnPiezometerDaysOnly) {
    // Record 91 stands at x = 280; a letter's top is 4 pixels above its level's line.
    const std::vector<Levels> drawn = {
        {91, {{62, " 100"}, {66, "9"}, {67, "   0"}, {72, " 125"}}},  // c: 180.5 pixels below 375, rounded to 180
        {92, {{62, " 300"}, {66, "9"}, {67, "    "}, {71, "8"}, {72, " 150"}, {76, "x"}}},
        {94, {{62, "9e99"}, {66, "9"}, {67, "-9e9"}, {72, " 200"}}},
    };
    // Numbers on days that are not piezometer days draw nothing.
    const std::vector<Levels> hidden = {
        {93, {{62, " 200"}, {66, "8"}, {67, " 250"}, {71, "9"}, {72, " 300"}, {76, "9"}}},
        {95, {{62, " 200"}, {66, " "}, {67, " 250"}, {72, " 300"}}},
    };
    const tv::Run r = chart(PIEZO + AT91, 200, [&](auto& recs) {
        put(recs, drawn);
        put(recs, hidden);
    });
    ASSERT_FALSE(r.frames.empty());
    const tv::Frame& f = r.last();
    EXPECT_TRUE(tv::textAt(f, 273, YY + 205, "a", Yellow));
    EXPECT_TRUE(tv::textAt(f, 280, YY + 277, "b", Yellow));
    EXPECT_TRUE(tv::textAt(f, 287, YY + 186, "c", Yellow));
    EXPECT_TRUE(tv::textAt(f, 279, YY + 60, "a", Yellow));
    EXPECT_TRUE(tv::textAt(f, 286, YY + 277, "b", Yellow));  // blank: level 0
    EXPECT_TRUE(tv::textAt(f, 293, YY + 168, "c", Yellow));
    EXPECT_TRUE(tv::textAt(f, 305, YY + 132, "c", Yellow));  // a and b of record 94 lie far outside
    const tv::Run plain = chart(PIEZO + AT91, 200, [&](auto& recs) { put(recs, drawn); });
    ASSERT_FALSE(plain.frames.empty());
    EXPECT_TRUE(tv::sameFrame(f, plain.last()));
}

TEST(DuneWellsChart, EachWellOnTheDaysItWasRead) {
    const std::vector<Levels> drawn = {
        {91, {{77, " 700"}, {81, "9"}, {82, " 800"}, {86, "9"}}},
        {92, {{77, " 568"}, {81, "9"}}},                            // 180.5 pixels below 818: 180
        {93, {{77, "    "}, {81, "9"}, {82, " 400"}, {86, "9"}}},  // blank W116: 0 cm, below the window
        {94, {{77, "9e99"}, {81, "9"}, {82, "-9e9"}, {86, "9"}}},  // both far outside
    };
    const std::vector<Levels> hidden = {
        {92, {{82, " 650"}, {86, " "}}},
        {95, {{77, " 600"}, {81, "8"}, {82, " 600"}, {86, "x"}}},
    };
    const tv::Run r = chart(WELLS + AT91, 200, [&](auto& recs) {
        put(recs, drawn);
        put(recs, hidden);
    });
    ASSERT_FALSE(r.frames.empty());
    const tv::Frame& f = r.last();
    EXPECT_TRUE(tv::textAt(f, 277, YY + 91, "v", Yellow));
    EXPECT_TRUE(tv::textAt(f, 283, YY + 19, "w", Yellow));
    EXPECT_TRUE(tv::textAt(f, 283, YY + 186, "v", Yellow));
    EXPECT_TRUE(tv::textAt(f, 295, YY + 308, "w", Yellow));
    const tv::Run plain = chart(WELLS + AT91, 200, [&](auto& recs) { put(recs, drawn); });
    ASSERT_FALSE(plain.frames.empty());
    EXPECT_TRUE(tv::sameFrame(f, plain.last()));  // record 92 read only W116: "v" alone
}

TEST(WellCharts, WindowStartsAtRecordZeroAndEndsAtTheFileWithEof) {
    // 93 records, the last one the first of September: the last page starts
    // at record 69 and shows records 29 to 92 at x = 40 to 418.
    for (const std::string& entry : {PIEZO, WELLS}) {
        SCOPED_TRACE(entry == PIEZO ? "entry 4" : "entry 5");
        const tv::Run r = chart(entry + "right*5 enter enter", 93);
        ASSERT_GE(r.frames.size(), 2u);
        const tv::Frame& f = r.frames[r.frames.size() - 2];
        EXPECT_EQ(f.beeps, 1);
        EXPECT_TRUE(tv::boxIs(f, 41, YY, 45, YY, Yellow));     // record 29, rainfall 0
        EXPECT_TRUE(tv::boxIs(f, 419, YY, 423, YY, Yellow));   // record 92
        EXPECT_TRUE(tv::boxIs(f, 425, YY, 429, YY, LightGray));  // nothing after it
        EXPECT_TRUE(tv::textAt(f, 426, YY - 79, "eof", Yellow));
        EXPECT_GT(tv::count(f, 424, YY - 79, 424, YY + 9, Yellow), 30);
        EXPECT_EQ(tv::count(f, 424, YY + 87, 424, YY + 120, Yellow), 0);
        for (int x : {46, 232, 418}) EXPECT_GT(tv::count(f, x, YY - 79, x, YY - 1, Yellow), 30) << "month line " << x;
        EXPECT_TRUE(tv::textAt(f, 48, YY - 79, "4107", Yellow));
        EXPECT_TRUE(tv::textAt(f, 420, YY - 79, "4109", Yellow));
        // "+4jr" again: held back at the same page with another beep.
        EXPECT_EQ(r.last().beeps, 2);
        EXPECT_TRUE(tv::sameFrame(f, r.last()));

        // At record 0 the window starts at x = 280; nothing stands left of the axes.
        const tv::Run z = chart(entry, 93);
        ASSERT_GE(z.frames.size(), 6u);
        const tv::Frame& g = z.last();
        EXPECT_EQ(z.beeps, 0);
        EXPECT_TRUE(tv::boxIs(g, 281, YY, 285, YY, Yellow));
        EXPECT_EQ(tv::count(g, 0, YY - 79, 271, YY + 86, Yellow), 0);
        EXPECT_TRUE(tv::textAt(g, 282, YY - 79, "4106", Yellow));  // record 0 is 1 June
    }
}

TEST(WellCharts, ShortFileDrawsItsRecordsFromRecordZero) {
    for (const std::string& entry : {PIEZO, WELLS}) {
        SCOPED_TRACE(entry == PIEZO ? "entry 4" : "entry 5");
        const tv::Run r = chart(entry + "right*2 enter", 5);
        ASSERT_GE(r.frames.size(), 2u);
        const tv::Frame& f = r.last();
        EXPECT_EQ(r.beeps, 1);  // +23dg is held back at record 0
        EXPECT_TRUE(tv::boxIs(f, 305, YY, 309, YY, Yellow));  // record 4
        EXPECT_TRUE(tv::boxIs(f, 311, YY, 315, YY, LightGray));
        EXPECT_TRUE(tv::textAt(f, 312, YY - 79, "eof", Yellow));
        EXPECT_TRUE(tv::sameFrame(f, r.frames[r.frames.size() - 2]));  // same chart, highlight on cell 8
    }
}

TEST(WellCharts, BlankCellsRedrawTheUnchangedChart) {
    const auto edit = [](std::vector<tv::Record>& recs) {
        put(recs, {{30, {{17, " 120"}, {62, " 180"}, {66, "9"}, {77, " 650"}, {81, "9"}}}});
    };
    for (const std::string& entry : {PIEZO, WELLS}) {
        SCOPED_TRACE(entry == PIEZO ? "entry 4" : "entry 5");
        // right*2 enter: to record 23; left*3: cell 5; enter; right*2: cell 7; enter.
        const tv::Run r = chart(entry + "right*2 enter left*3 enter right*2 enter", 200, edit);
        ASSERT_GE(r.frames.size(), 8u);
        const size_t n = r.frames.size();
        // The chart after +23dg, after confirming cell 5 and after confirming cell 7.
        EXPECT_TRUE(sameChart(r.frames[n - 8], r.frames[n - 4]));
        EXPECT_TRUE(sameChart(r.frames[n - 8], r.frames[n - 1]));
        EXPECT_GT(tv::count(r.last(), 0, 0, 639, 441, Yellow), 100);
        EXPECT_TRUE(tv::outlineIs(r.last(), 344, 442, 391, 458, Yellow));
        EXPECT_EQ(r.beeps, 0);
    }
}

}  // namespace
