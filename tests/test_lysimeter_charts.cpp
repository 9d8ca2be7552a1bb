// The lysimeter operation chart (menu entry 2) and the water-balance chart
// (menu entry 3): the window of days, the bars, the marks of a day, the
// bounds of the period and the hand-over of the current day, seen in the
// frames of the whole program run headless.
#include <cstdlib>
#include <string>
#include <vector>

#include "UNTLYSI0.h"
#include "support.h"

using namespace WinGraph;

namespace {

constexpr int UP = 110;   // YY of the upper chart
constexpr int LOW = 330;  // YY of the lower chart

// Keys from the start to each chart screen.
const std::string OPERATION = tv::toMenu() + "down enter ";
const std::string BALANCE = tv::toMenu() + "down down enter ";

struct Chart {
    const char* name;
    std::string keys;
    int days;   // days a chart holds
    int eofDx;  // "eof" stands this far right of the last day's column
};
const Chart CHARTS[2] = {{"operation", OPERATION, 96, 10}, {"balance", BALANCE, 93, 8}};

// The number of keys in a script: the frame after them has that index.
int keyCount(const std::string& keys) {
    int n = 0;
    size_t i = 0;
    while (i < keys.size()) {
        while (i < keys.size() && keys[i] == ' ') ++i;
        if (i == keys.size()) break;
        size_t j = keys.find(' ', i);
        if (j == std::string::npos) j = keys.size();
        const std::string tok = keys.substr(i, j - i);
        const size_t star = tok.rfind('*');
        n += star != std::string::npos && star > 0 ? std::atoi(tok.c_str() + star + 1) : 1;
        i = j;
    }
    return n;
}

// What a frame should show: `base` with the set pixels of `text`'s glyphs at
// (x, y) painted in `c`.
void paintText(tv::Frame& f, int x, int y, std::string_view text, uint8_t c) {
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t* g = platform::fontGlyph(static_cast<uint8_t>(text[i]));
        for (int r = 0; r < 16; ++r)
            for (int k = 0; k < 8; ++k) {
                const int px = x + static_cast<int>(i) * 8 + k, py = y + r;
                if ((g[r] & (0x80 >> k)) && px >= 0 && px < 640 && py >= 0 && py < 480) f.pix[py][px] = c;
            }
    }
}

// A vertical line from y1 down to y2; dotted lines show two pixels of every
// four, counted from y1.
void paintColumn(tv::Frame& f, int x, int y1, int y2, uint8_t c, bool dotted = false) {
    for (int y = y1; y <= y2; ++y)
        if (!dotted || (y - y1) % 4 < 2) f.pix[y][x] = c;
}

::testing::AssertionResult sameBox(const tv::Frame& want, const tv::Frame& got, int x1, int y1, int x2, int y2) {
    for (int y = std::max(y1, 0); y <= std::min(y2, 479); ++y)
        for (int x = std::max(x1, 0); x <= std::min(x2, 639); ++x)
            if (want.at(x, y) != got.at(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << "): expected " << tv::colourName(want.at(x, y)) << ", got "
                       << tv::colourName(got.at(x, y)) << "; frames saved as " << tv::saveFrame(want, "want")
                       << " and " << tv::saveFrame(got, "got");
    return ::testing::AssertionSuccess();
}

// The charts' part of the window, above the command bar.
::testing::AssertionResult sameCharts(const tv::Frame& a, const tv::Frame& b) { return sameBox(a, b, 0, 0, 639, 441); }

// Rainfall of day n in tenths of a millimetre: bars of 8, 15, 23, 30, 38, 46
// and 53 pixels in turn, so each column tells which day it shows.
int rainOf(int n) { return (n % 7 + 1) * 40; }
int barOf(int n) {
    static const int H[7] = {8, 15, 23, 30, 38, 46, 53};
    return H[n % 7];
}

// Days whose rainfall names them, without month lines.
std::vector<tv::Record> namedDays(int count) {
    auto recs = tv::days(count);
    for (int n = 0; n < count; ++n) recs[n].num(17, 4, rainOf(n)).at(12, "--");
    return recs;
}

}  // namespace

// The window of days: 40 before RECNR, RECNR's column at x = 280, the days the
// chart holds or up to the end of the file, and the "eof" line after the last
// record. The file has 80 records, so the last page starts at record 56.
TEST(LysimeterCharts, WindowOfDaysAtTheStartAtTenAndOnTheLastPage) {
    tv::TempDir dir;
    tv::writeObservations(dir.path(), namedDays(80));
    struct Case {
        const char* what;
        std::string keys;  // after entering the screen
        int recnr, beeps;
    } cases[] = {
        {"start", "", 0, 0},
        // +23dg three times: 69 is held back to 56; then -23dg twice.
        {"record 10", "right right enter enter enter left*4 enter enter", 10, 1},
        {"last page", "right right enter enter enter", 56, 1},
    };
    for (const Chart& ch : CHARTS)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(ch.name) + " chart, " + c.what);
            const tv::Run r = tv::run(dir.path(), ch.keys + c.keys);
            ASSERT_FALSE(r.frames.empty());
            const tv::Frame& f = r.last();
            EXPECT_EQ(UNTLYSI0::RECNR, c.recnr);
            EXPECT_EQ(r.beeps, c.beeps);
            const int first = std::max(c.recnr - 40, 0);
            const int x0 = 280 - 6 * (c.recnr - first);
            const int days = std::min(80 - first, ch.days - 40 + (c.recnr - first));
            const bool atEnd = first + days == 80;
            for (int yy : {UP, LOW}) {
                SCOPED_TRACE("YY " + std::to_string(yy));
                EXPECT_TRUE(tv::textAt(f, x0 - 32, yy - 103, yy == UP ? "LYSIMETER-1" : "LYSIMETER-4", Yellow));
                EXPECT_TRUE(tv::textAt(f, x0 - 40, yy - 3, "  0", LightGray));
                EXPECT_TRUE(tv::textAt(f, x0 - 40, yy + 90, "(mm) drain", LightGray));
                EXPECT_TRUE(tv::pixelIs(f, x0, yy, LightGray));
                EXPECT_TRUE(tv::boxIs(f, x0 - 8, yy, x0 - 1, yy, LightGray));  // the 0 tick
                EXPECT_TRUE(tv::pixelIs(f, x0 - 9, yy, Blue));
                // Every day's bar stands in its own column, and nothing else.
                EXPECT_EQ(tv::count(f, 0, yy - 1, 639, yy - 1, Yellow), 5 * days);
                for (int i = 0; i < days; ++i) {
                    const int x = x0 + 6 * i, top = yy - barOf(first + i);
                    ASSERT_TRUE(tv::boxIs(f, x + 1, top, x + 5, yy, Yellow)) << "day " << first + i;
                    ASSERT_TRUE(tv::pixelIs(f, x + 3, top - 1, Blue)) << "day " << first + i;
                }
                const int after = x0 + 6 * days;  // the edge of the first empty column
                EXPECT_EQ(tv::count(f, after + 1, yy - 63, 639, yy + 100, Yellow), 0);
                EXPECT_EQ(tv::count(f, 0, yy - 63, x0, yy + 100, Yellow), 0);
                if (atEnd) {
                    EXPECT_EQ(after, 424);
                    EXPECT_TRUE(tv::pixelIs(f, 424, yy - 79, Yellow));
                    EXPECT_TRUE(tv::pixelIs(f, 424, yy - 77, Blue));  // dotted
                    EXPECT_TRUE(tv::pixelIs(f, 424, yy - 11, Yellow));
                    EXPECT_TRUE(tv::textAt(f, after - 6 + ch.eofDx, yy - 79, "eof", Yellow));
                } else {
                    EXPECT_EQ(tv::count(f, after, yy - 79, 639, yy - 10, Yellow), 0);
                }
            }
        }
}

// Rounding to the nearest whole pixel, an exact half to the even neighbour,
// once after the whole product; negative values give no bar, and values far
// beyond the scales run to the window's edge without harm.
TEST(LysimeterCharts, BarEndsRoundOnceHalfToEven) {
    struct Case {
        const char* rain;
        const char* drain;
        int top;     // rain bar top above YY; -1: no bar
        int bottom;  // drain bar end below YY + 10; -1: no bar
    } cases[] = {
        {"  15", "1000", 3, 19}, {" 150", "  50", 28, 1}, {"  50", "1500", 10, 28},
        {"    ", "    ", 0, 0},  {"15  ", " 1.5", 0, 0},  {"-100", "-100", -1, -1},
        {"9e99", "9e99", 9999, 9999},
    };
    auto recs = tv::days(60);
    const int n = static_cast<int>(std::size(cases));
    for (int i = 0; i < n; ++i) recs[2 * i].at(17, cases[i].rain).at(22, cases[i].drain).at(37, cases[i].drain);
    tv::TempDir dir;
    tv::writeObservations(dir.path(), recs);
    for (const Chart& ch : CHARTS) {
        const tv::Run r = tv::run(dir.path(), ch.keys);
        const tv::Frame& f = r.last();
        EXPECT_EQ(r.status, 0) << r.reason;
        for (int i = 0; i < n; ++i)
            for (int yy : {UP, LOW}) {
                SCOPED_TRACE(std::string(ch.name) + " chart, rain \"" + cases[i].rain + "\", drain \"" +
                             cases[i].drain + "\", YY " + std::to_string(yy));
                const int x = 280 + 12 * i;
                if (cases[i].top > 1000) {
                    // From the top of the window through both charts, under the command
                    // bar, which paints its box over it, to the bottom.
                    EXPECT_TRUE(tv::boxIs(f, x + 1, 0, x + 5, 441, Yellow));
                    EXPECT_TRUE(tv::boxIs(f, x + 1, 442, x + 5, 445, Red));
                    EXPECT_TRUE(tv::boxIs(f, x + 1, 459, x + 5, 479, Yellow));
                    continue;
                }
                if (cases[i].top < 0) {
                    EXPECT_TRUE(tv::boxIs(f, x + 1, yy, x + 5, yy, LightGray));
                    EXPECT_TRUE(tv::boxIs(f, x + 1, yy - 40, x + 5, yy - 1, Blue));
                } else {
                    const int top = yy - cases[i].top;
                    EXPECT_TRUE(tv::boxIs(f, x + 1, top, x + 5, yy, Yellow));
                    EXPECT_TRUE(tv::boxIs(f, x + 1, top - 1, x + 5, top - 1, Blue));
                    if (top < yy) {
                        EXPECT_TRUE(tv::pixelIs(f, x, top, Blue));
                        EXPECT_TRUE(tv::pixelIs(f, x + 6, top, Blue));
                    }
                }
                if (cases[i].bottom < 0) {
                    EXPECT_TRUE(tv::boxIs(f, x + 1, yy + 10, x + 5, yy + 10, LightGray));
                    EXPECT_TRUE(tv::boxIs(f, x + 1, yy + 11, x + 5, yy + 19, Blue));
                } else {
                    const int end = yy + 10 + cases[i].bottom;
                    EXPECT_TRUE(tv::boxIs(f, x + 1, yy + 10, x + 5, end, Yellow));
                    EXPECT_TRUE(tv::boxIs(f, x + 1, end + 1, x + 5, end + 1, Blue));
                }
            }
    }
}

// The operation markers under the drain bar, by flag digit: code 27 (pumped
// empty) 16 pixels below the bar's end, "$" (damming) or byte 168 (no
// observation) 26 below, "*" (supplemented) 16 below; and the rainfall star.
// Everything else stays as on the same days without flags.
TEST(LysimeterCharts, MarkersOfEveryFlagDigitAndTheRainfallStar) {
    const char PUMP[] = {27, 0}, NONE[] = {static_cast<char>(0xA8), 0};
    struct Marker {
        char flag;
        const char* drain;
        const char* first;   // at YDR + 16
        const char* second;  // at YDR + 26
        int ydr;             // YDR - YY
    } markers[] = {
        {' ', "    ", "", "", 10}, {'0', "    ", "", "", 10}, {'1', "    ", PUMP, "", 10},
        {'2', "    ", "", "", 10}, {'3', "    ", PUMP, "", 10}, {'4', "    ", "", "$", 10},
        {'5', "1000", PUMP, "$", 29}, {'6', "    ", "", "$", 10}, {'7', "    ", PUMP, "$", 10},
        {'8', "    ", "*", "", 10}, {'9', "    ", "", NONE, 10}, {'x', "    ", "", "", 10},
    };
    struct Star {
        char flag;
        bool star;
    } stars[] = {{' ', false}, {'4', false}, {'5', true}, {'6', true}, {'7', true}, {'8', false}};
    auto base = tv::days(60);
    for (int i = 0; i < 12; ++i) base[2 * i].at(22, markers[i].drain);
    auto flagged = base;
    for (int i = 0; i < 12; ++i) flagged[2 * i].at(26, std::string(1, markers[i].flag));
    for (int i = 0; i < 6; ++i) flagged[26 + 2 * i].at(21, std::string(1, stars[i].flag));
    tv::TempDir plain, marked;
    tv::writeObservations(plain.path(), base);
    tv::writeObservations(marked.path(), flagged);

    for (const Chart& ch : CHARTS) {
        SCOPED_TRACE(std::string(ch.name) + " chart");
        tv::Frame want = tv::run(plain.path(), ch.keys).last();
        const tv::Frame got = tv::run(marked.path(), ch.keys).last();
        if (ch.days == 96)  // only the operation chart reads the flag digit
            for (int i = 0; i < 12; ++i) {
                const int x = 280 + 12 * i, ydr = UP + markers[i].ydr;
                paintText(want, x, ydr + 16, markers[i].first, Yellow);
                paintText(want, x, ydr + 26, markers[i].second, Yellow);
            }
        for (int i = 0; i < 6; ++i)
            for (int yy : {UP, LOW})
                if (stars[i].star) paintText(want, 280 + 6 * (26 + 2 * i), yy + 2, "*", Yellow);
        for (int i = 0; i < 12; ++i)
            EXPECT_TRUE(sameBox(want, got, 280 + 12 * i, 0, 291 + 12 * i, 441)) << "flag '" << markers[i].flag << "'";
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(sameBox(want, got, 280 + 6 * (26 + 2 * i), 0, 291 + 6 * (26 + 2 * i), 441))
                << "rainfall flag '" << stars[i].flag << "'";
        EXPECT_TRUE(tv::sameFrame(want, got));
    }
}

// A Sunday tick between the baselines, solid also right after a dotted month
// line; a dotted month line with its yymm label; a Sunday that is also the
// first of the month gets both.
TEST(LysimeterCharts, SundayTickAndMonthLine) {
    auto dated = tv::days(60);
    dated[6].at(12, "01");  // a Saturday made the first of a month: the Sunday after it follows a dotted line
    auto plain = dated;
    for (auto& r : plain) r.at(12, "--").at(15, "--");
    tv::TempDir withDates, without;
    tv::writeObservations(withDates.path(), dated);
    tv::writeObservations(without.path(), plain);
    for (const Chart& ch : CHARTS) {
        SCOPED_TRACE(std::string(ch.name) + " chart");
        tv::Frame want = tv::run(without.path(), ch.keys).last();
        const tv::Frame got = tv::run(withDates.path(), ch.keys).last();
        const int lastDay = ch.days - 40 - 1;
        for (int n = 0; n <= lastDay; ++n) {
            const int x = 280 + 6 * n;
            for (int yy : {UP, LOW}) {
                if (n == 0 || n == 6 || n == 30) {  // 1 June (a Sunday), "1 June" on day 6, 1 July
                    paintColumn(want, x, yy - 79, yy - 10, Yellow, true);
                    paintText(want, x + 2, yy - 79, n == 30 ? "4107" : "4106", Yellow);
                }
                if (n % 7 == 0) paintColumn(want, x + 3, yy + 5, yy + 10, Yellow);
            }
        }
        EXPECT_TRUE(sameCharts(want, got));
        EXPECT_TRUE(tv::textAt(got, 282, UP - 79, "4106", Yellow));
        EXPECT_TRUE(tv::pixelIs(got, 280 + 6 * 7 + 3, UP + 7, Yellow));
    }
}

// The water on the tank bottom: an "o" with its top at YY + 6 for a reading
// of 150, 2.85 pixels lower per unit below it; a mark that would stand higher
// than YY + 6 is lifted 10 pixels more. Only days flagged "9" are marked.
TEST(LysimeterCharts, PiezometerMarkIsLiftedAboveTheDrainBaseline) {
    struct Case {
        const char* value;
        char flag;
        int y;  // top of the "o" relative to YY; 999: no mark in the window
    } cases[] = {
        {" 150", '9', 6},   {" 149", '9', 9},  {" 140", '9', 34}, {" 122", '9', 86}, {" 151", '9', -7},
        {" 160", '9', -32}, {" 150", '8', 999}, {" 150", ' ', 999}, {"9e99", '9', 999}, {"-9e9", '9', 999},
    };
    const int n = static_cast<int>(std::size(cases));
    auto base = tv::days(60);
    auto marked = base;
    for (int i = 0; i < n; ++i) marked[2 * i].at(42, cases[i].value).at(46, std::string(1, cases[i].flag));
    tv::TempDir plain, withReadings;
    tv::writeObservations(plain.path(), base);
    tv::writeObservations(withReadings.path(), marked);
    tv::Frame want = tv::run(plain.path(), BALANCE).last();
    const tv::Run r = tv::run(withReadings.path(), BALANCE);
    ASSERT_EQ(r.status, 0) << r.reason;
    for (int i = 0; i < n; ++i)
        if (cases[i].y != 999) paintText(want, 280 + 12 * i, UP + cases[i].y, "o", Yellow);
    for (int i = 0; i < n; ++i)
        EXPECT_TRUE(sameBox(want, r.last(), 280 + 12 * i, 0, 291 + 12 * i, 441))
            << "reading \"" << cases[i].value << "\" flag '" << cases[i].flag << "'";
    EXPECT_TRUE(tv::sameFrame(want, r.last()));
    // The operation chart does not read the piezometers.
    EXPECT_TRUE(sameCharts(tv::run(plain.path(), OPERATION).last(), tv::run(withReadings.path(), OPERATION).last()));
}

// The right-hand scale of the water-balance chart and its bottom line; the
// operation chart has neither.
TEST(LysimeterCharts, RightHandScaleOnlyInTheBalanceChart) {
    tv::TempDir dir;
    tv::writeObservations(dir.path(), tv::days(80));
    const tv::Frame bal = tv::run(dir.path(), BALANCE + "right*2 enter*2").last();  // RECNR 46: X0 = 40
    const tv::Frame op = tv::run(dir.path(), OPERATION + "right*2 enter*2").last();
    const int ticks[6] = {86, 71, 56, 40, 25, 10};
    for (int yy : {UP, LOW}) {
        for (int k = 0; k < 6; ++k) {
            EXPECT_TRUE(tv::boxIs(bal, 592, yy + ticks[k], 600, yy + ticks[k], LightGray)) << k;
            const std::string label = k < 2 ? "  " + std::to_string(5 * k) : " " + std::to_string(5 * k);
            EXPECT_TRUE(tv::textAt(bal, 600, yy + ticks[k] - 3, label, LightGray)) << k;
        }
        EXPECT_TRUE(tv::textAt(bal, 456, yy + 90, "water op bakbodem (cm)", LightGray));
        EXPECT_TRUE(tv::boxIs(bal, 40, yy + 86, 279, yy + 86, LightGray));
        EXPECT_TRUE(tv::textAt(bal, 0, yy - 89, "(mm)", LightGray));
        EXPECT_TRUE(tv::textAt(op, 0, yy - 89, "(mm)", LightGray));
        EXPECT_TRUE(tv::pixelIs(op, 100, yy + 86, Blue));
        EXPECT_EQ(tv::count(op, 601, yy + 4, 639, yy + 100, LightGray), 0);
        for (int k = 0; k <= 4; ++k) {
            EXPECT_TRUE(tv::boxIs(op, 32, yy + 10 + 19 * k, 39, yy + 10 + 19 * k, LightGray));
            EXPECT_TRUE(tv::boxIs(op, 32, yy - 19 * k, 39, yy - 19 * k, LightGray));
            EXPECT_TRUE(tv::textAt(op, 0, yy - 19 * k - 3, k ? " " + std::to_string(10 * k) : "  0", LightGray));
        }
        EXPECT_TRUE(tv::textAt(op, 316, yy + 90, "listing", LightGray));
        EXPECT_TRUE(tv::boxIs(op, 280, yy + 20, 280, yy + 94, LightGray));
        EXPECT_TRUE(tv::boxIs(op, 372, yy + 94, 424, yy + 94, LightGray));
    }
}

// "L2,L3" draws lysimeters 2 and 3 over the same days, "L1,L4" brings back 1
// and 4; each reads its own drain, flag digit and piezometer.
TEST(LysimeterCharts, PairsOfLysimetersOverTheSameDays) {
    auto recs = tv::days(80);
    for (auto& r : recs) r.at(22, "1000").at(27, "2000").at(32, "3000").at(37, "4000");
    recs[40].at(36, "8").at(52, " 150").at(56, "9");  // lysimeter 3 on RECNR's day
    tv::TempDir dir;
    tv::writeObservations(dir.path(), recs);
    const std::string toRecord33 = "right*3 enter left*5 enter ";  // +3mnd: held at 56; -23dg: 33
    for (const Chart& ch : CHARTS) {
        SCOPED_TRACE(std::string(ch.name) + " chart");
        const std::string keys = ch.keys + toRecord33 + "right*3 enter left*2 enter";  // L2,L3 then L1,L4
        const tv::Run r = tv::run(dir.path(), keys);
        const int n = keyCount(keys);
        ASSERT_EQ(static_cast<int>(r.frames.size()), n + 1);
        const tv::Frame& first = r.frames[n - 7];  // after "-23dg": L1 and L4
        const tv::Frame& swapped = r.frames[n - 3];
        const tv::Frame& back = r.frames[n];
        EXPECT_EQ(UNTLYSI0::RECNR, 33);
        struct Half {
            const tv::Frame* f;
            int yy;
            const char* title;
            int drain;
        } halves[] = {{&first, UP, "LYSIMETER-1", 19},    {&first, LOW, "LYSIMETER-4", 76},
                      {&swapped, UP, "LYSIMETER-2", 38},  {&swapped, LOW, "LYSIMETER-3", 57},
                      {&back, UP, "LYSIMETER-1", 19},     {&back, LOW, "LYSIMETER-4", 76}};
        for (const Half& h : halves) {
            SCOPED_TRACE(h.title);
            EXPECT_TRUE(tv::textAt(*h.f, 8 + 42, h.yy - 103, h.title, Yellow));  // RECNR 33: X0 = 82
            EXPECT_TRUE(tv::boxIs(*h.f, 83, h.yy + 10, 87, h.yy + 10 + h.drain, Yellow));
            EXPECT_TRUE(tv::pixelIs(*h.f, 85, h.yy + 11 + h.drain, Blue));
        }
        // Lysimeter 3's marks on day 40, in the column at x = 82 + 6 * 40.
        const int x = 82 + 240;
        if (ch.days == 96)
            EXPECT_TRUE(tv::textAt(swapped, x, LOW + 10 + 57 + 16, "*", Yellow));
        else
            EXPECT_TRUE(tv::textAt(swapped, x, LOW + 6, "o", Yellow));
        // Lysimeter 4 has neither: the free first pixel of the column stays empty.
        EXPECT_EQ(tv::count(first, x, LOW + 1, x, LOW + 110, Yellow), 0);
        EXPECT_GT(tv::count(swapped, x, LOW + 1, x, LOW + 110, Yellow), 0);
        EXPECT_TRUE(sameCharts(first, back));
    }
}

// The bounds: below record 0 silently, past the last page with one beep a
// held-back step; the current day stays as it was when the screen is left
// at once.
TEST(LysimeterCharts, BoundsOfThePeriodAndTheBeep) {
    tv::TempDir dir;
    tv::writeObservations(dir.path(), namedDays(80));  // last page at 56
    for (const Chart& ch : CHARTS) {
        SCOPED_TRACE(std::string(ch.name) + " chart");
        // -23dg at 0; +4jr (held at 56); +23dg at 56; -1jr (to 0); leave.
        const std::string steps[] = {"left*2 enter", "right*7 enter", "left*3 enter", "left*6 enter", "right*4 enter"};
        const int beepsAfter[] = {0, 1, 2, 2, 2};
        std::string keys = ch.keys;
        std::vector<int> at = {keyCount(keys)};
        for (const std::string& s : steps) {
            keys += s + " ";
            at.push_back(keyCount(keys));
        }
        const tv::Run r = tv::run(dir.path(), keys);
        ASSERT_EQ(static_cast<int>(r.frames.size()), at.back() + 1);
        EXPECT_EQ(r.frames[at[0]].beeps, 0);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(r.frames[at[i + 1]].beeps, beepsAfter[i]) << steps[i];
        EXPECT_TRUE(sameCharts(r.frames[at[0]], r.frames[at[1]]));  // -23dg at 0 redraws the same days
        EXPECT_TRUE(tv::textAt(r.frames[at[2]], 8, UP - 103, "LYSIMETER-1", Yellow));  // X0 = 40: record 56
        EXPECT_TRUE(sameCharts(r.frames[at[2]], r.frames[at[3]]));
        EXPECT_TRUE(sameCharts(r.frames[at[0]], r.frames[at[4]]));
        EXPECT_EQ(UNTLYSI0::RECNR, 0);
        // Back in the menu after STOP: menu entries on the screen, not the chart.
        EXPECT_TRUE(tv::pixelIs(r.last(), 90, 90, Yellow));
    }
}

// A file shorter than one listing page: the only page starts at record 0,
// entering never beeps, a step forward is held back with one beep, and the
// chart draws the records there are, with "eof" after the last.
TEST(LysimeterCharts, ShortFileStaysAtRecordZero) {
    for (int count : {1, 5, 23}) {
        tv::TempDir dir;
        tv::writeObservations(dir.path(), namedDays(count), "partial record");
        for (const Chart& ch : CHARTS) {
            SCOPED_TRACE(std::string(ch.name) + " chart, " + std::to_string(count) + " records");
            const std::string keys = ch.keys + "right*2 enter left*4 enter";  // +23dg, then -23dg
            const tv::Run r = tv::run(dir.path(), keys);
            const int entry = keyCount(ch.keys), fwd = keyCount(ch.keys + "right*2 enter");
            ASSERT_EQ(static_cast<int>(r.frames.size()), keyCount(keys) + 1) << r.reason << r.err;
            EXPECT_EQ(r.frames[entry].beeps, 0);
            EXPECT_EQ(r.frames[fwd].beeps, 1);
            EXPECT_EQ(r.beeps, 1);
            EXPECT_EQ(UNTLYSI0::RECNR, 0);
            EXPECT_TRUE(sameCharts(r.frames[entry], r.frames[fwd]));
            EXPECT_TRUE(sameCharts(r.frames[entry], r.last()));
            const tv::Frame& f = r.frames[entry];
            for (int yy : {UP, LOW}) {
                EXPECT_EQ(tv::count(f, 0, yy - 1, 639, yy - 1, Yellow), 5 * count);
                const int eof = 280 + 6 * count;
                EXPECT_TRUE(tv::pixelIs(f, eof, yy - 79, Yellow));
                EXPECT_TRUE(tv::textAt(f, eof - 6 + ch.eofDx, yy - 79, "eof", Yellow));
            }
        }
    }
}

// The current day goes from a chart to the listing and on to the other chart.
TEST(LysimeterCharts, CurrentDayHandedOverBetweenScreens) {
    tv::TempDir dir;
    tv::writeObservations(dir.path(), namedDays(125));
    // Operation chart: +23dg twice (46), STOP; listing: +23dg (69), STOP;
    // water-balance chart: shows record 69 at x = 280; +1jr held at 101, STOP;
    // operation chart opens on 101.
    const std::string keys = OPERATION + "right*2 enter enter left*2 enter " + "up enter right*2 enter left*2 enter " +
                             "down*2 enter ";
    const tv::Run r = tv::run(dir.path(), keys + "right*4 enter left*4 enter up enter");
    const tv::Frame& balance = r.frames[keyCount(keys)];
    EXPECT_TRUE(tv::textAt(balance, 8, UP - 103, "LYSIMETER-1", Yellow));
    for (int i = 0; i < 24; ++i)
        EXPECT_TRUE(tv::pixelIs(balance, 283 + 6 * i, UP - barOf(69 + i), Yellow)) << "day " << 69 + i;
    EXPECT_TRUE(tv::pixelIs(balance, 283, UP - barOf(69) - 1, Blue));
    EXPECT_EQ(r.beeps, 1);
    const tv::Frame& back = r.last();
    for (int i = 0; i < 24; ++i)
        EXPECT_TRUE(tv::pixelIs(back, 283 + 6 * i, LOW - barOf(101 + i), Yellow)) << "day " << 101 + i;
    EXPECT_EQ(UNTLYSI0::RECNR, 101);
}
