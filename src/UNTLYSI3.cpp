#include "UNTLYSI3.h"

#include <cstdio>
#include <string_view>

#include "UNTLYSI0.h"
#include "UNTLYSI2.h"
#include "Units/UNTGRAPHICS.h"
#include "Units/UNTPROGDELEN.h"

namespace UNTLYSI3 {

using namespace WinGraph;
using UNTGRAPHICS::AFRONDEN;
using UNTGRAPHICS::GRKLEUR;
using UNTLYSI0::EINDE;
using UNTLYSI0::GETAL;
using UNTLYSI0::VELD;

int16_t KLIST = 6, KLMM = 6;
bool VOOR = true, STOP = false, UIT = false;

namespace {

const std::string_view SCOMM[4] = {
    "",
    "-4jr  -1jr  -3mnd -23dg        STOP       +23dg +3mnd +1jr  +4jr ",
    "-4yr  -1yr  -3mth -23ds        QUIT       +23ds +3mth +1yr  +4yr ",
    "-4Jr  -1Jr  -3Mon -23Tg        HALT       +23Tg +3Mon +1Jr  +4Jr ",
};

void COMMANDOBALK(int16_t TAAL, int16_t KL) { UNTPROGDELEN::TEKENBALK(SCOMM[TAAL], TAAL, KL, true); }

void KIES(int16_t& KK, int16_t NN, int16_t NX) {
    UNTPROGDELEN::LEESKEY(UNTPROGDELEN::KR);
    UIT = UNTPROGDELEN::STAP(UNTPROGDELEN::KR, KK, NN, NX);
}

// ---------------------------------------------------------------------------
// What the piezometer chart and the dune wells chart have in common. Both show
// 93 days of 6 pixels around the current record, which always stands at
// x = 280: rainfall bars rising from the base line at YY, a strip of 10 pixels
// with Sunday ticks and rainfall stars, the combined drain hanging from the
// line at YY + 10, and levels relative to NAP as letters on a dotted scale
// that starts at YY + 10 too.

// Pixels per 0.1 mm of rainfall: 10 mm is 19 pixels; the drain, counted in
// 0.01 mm, is drawn at a tenth of this, so 10 mm of drain is 19 pixels too.
constexpr double SCHAAL = 0.19;
// The y of the rainfall base line of the one chart a screen draws.
constexpr int16_t Y0 = 110;
// Pixels a day.
constexpr int16_t DX = 6;
// Level scale: 1 cm is SCHAAL * MMPCM = 0.722 pixels.
constexpr double MMPCM = 3.8;
// Days a chart shows at most.
constexpr int16_t DAGEN = 93;

// The working values of a chart for the day being drawn.
struct DAGWAARDEN {
    double RZEL = 0;         // rainfall, 0.1 mm
    double DRAIN[6] = {};    // 1..4 drain of the tanks, 5 the combined drain, 0.01 mm
    int32_t YRC = 0;         // top of the rainfall bar
    int32_t YDR = 0;         // bottom of the drain bar
    int32_t ADRES = 0;       // the first record read
    int16_t POS = 0;         // position in the record of the field being read
    int16_t XX = 0;          // left edge of the day's column
    int16_t TELLER = 0;      // days read
};

// The two base lines and the bracket over the 24 days of the listing page,
// solid LightGray; the bracket's uprights come down from BOVEN.
void ASSEN(const DAGWAARDEN& W, int16_t YY, int16_t BOVEN) {
    GRKLEUR(LightGray);
    SetLineStyle(SolidLn, 0, 1);
    Line(W.XX, YY, 600, YY);
    Line(W.XX, YY + 10, 600, YY + 10);
    Line(280, BOVEN, 280, 430);
    Line(424, BOVEN, 424, 430);
    const int16_t PP = 340;
    Line(280, 430, PP - 24, 430);
    Line(PP + 32, 430, 424, 430);
    OutTextXY(PP - 24, 426, "listing");
}

// How far below the scale's top a level L lies when the top stands for the
// level NAP: the product is formed from left to right and rounded once.
int32_t NAPAFSTAND(double NAP, double L) { return AFRONDEN((NAP - L) * SCHAAL * MMPCM); }

// The y of the scale line of level L.
int32_t PEILLIJN(int16_t YY, double NAP, double L) { return YY + 10 + NAPAFSTAND(NAP, L); }

// The y of a letter for level L: its top 4 pixels above the level's line.
int32_t PEILLETTER(int16_t YY, double NAP, double L) { return YY + 6 + NAPAFSTAND(NAP, L); }

// The scale line of level L from x = XVAN to the chart's right end, then its
// text right of the chart; gives the line's y.
int32_t NIVEAU(int16_t YY, double NAP, double L, int32_t XVAN, std::string_view TEKST) {
    const int32_t VV = PEILLIJN(YY, NAP, L);
    Line(XVAN, VV, 600, VV);
    OutTextXY(600, VV - 4, TEKST);
    return VV;
}

// Bar scales: 19 pixels per 10 mm, up from the base line for the rainfall,
// down from the drain line for the drain.
constexpr double V0 = 19.0;
int32_t REGENSTREEP(int16_t YY, int K) { return YY - AFRONDEN(K * V0); }
int32_t DRAINSTREEP(int16_t YY, int K) { return YY + 10 + AFRONDEN(K * V0); }

// The tick of 10 * K mm at VV with its label left of it.
void STREEP(int16_t XX, int32_t VV, int K) {
    char STAL[6];
    std::snprintf(STAL, sizeof STAL, "%3d", 10 * K);
    Line(XX - 8, VV, XX - 1, VV);
    OutTextXY(XX - 40, VV - 3, STAL);
}

// Reads the next day: rainfall, the four tanks' drain and their combined
// drain (3 * tank 1 + tanks 2, 3 and 4) / 6, formed as the sum of the four
// and then (2 * tank 1 + sum) / 6.
void LEESDAG(DAGWAARDEN& W) {
    UNTLYSI0::LEESVOLGENDE();
    ++W.TELLER;
    W.RZEL = GETAL(UNTLYSI0::POSRZEL, 4);
    for (int K = 1; K <= 4; ++K) {
        W.POS = static_cast<int16_t>(UNTLYSI0::POSNN(K));
        W.DRAIN[K] = GETAL(W.POS, 4);
    }
    double SOM = 0;
    for (int K = 1; K <= 4; ++K) SOM += W.DRAIN[K];
    W.DRAIN[5] = (2 * W.DRAIN[1] + SOM) / 6;
}

// The day's rainfall and drain bars, five pixels wide, drawn also for a value
// of 0; a bar whose length rounds below 0 is not drawn at all. Offsets far
// beyond the window are clipped by the drawing layer.
void BALKEN(DAGWAARDEN& W, int16_t YY) {
    W.YRC = YY - AFRONDEN(W.RZEL * SCHAAL);
    W.YDR = YY + 10 + AFRONDEN(W.DRAIN[5] * SCHAAL / 10);
    Bar(W.XX + 1, W.YRC, W.XX + DX - 1, YY);
    Bar(W.XX + 1, YY + 10, W.XX + DX - 1, W.YDR);
}

// The day's calendar marks and the end of the file, then on to the next
// column: a Sunday tick, a star for rainfall flags 5, 6 and 7, a dotted line
// with yymm on the first of a month, and a dotted line with "eof" where the
// column after the file's last record would begin.
void DAGTEKENS(DAGWAARDEN& W, int16_t YY) {
    SetLineStyle(SolidLn, 0, 1);
    if (VELD(UNTLYSI0::POSWEEKDAG, 2) == "ZO") Line(W.XX + 3, YY + 5, W.XX + 3, YY + 10);
    const unsigned char VLAG = static_cast<unsigned char>(VELD(UNTLYSI0::POSRVLAG, 1)[0]);
    if (VLAG > '4' && VLAG < '8') OutTextXY(W.XX, YY + 2, "*");
    int32_t VV;
    if (VELD(UNTLYSI0::POSDAG, 2) == "01") {
        VV = 76;
        SetLineStyle(DottedLn, 0, 1);
        Line(W.XX, YY - VV - 3, W.XX, YY + VV + 10);
        OutTextXY(W.XX + 2, YY - 79, VELD(UNTLYSI0::POSMAAND, 4));
    }
    if (EINDE()) {
        VV = 76;
        SetLineStyle(DottedLn, 0, 1);
        Line(W.XX + 6, YY - VV - 3, W.XX + 6, YY + VV + 10);
        OutTextXY(W.XX + 8, YY - 79, "eof");
    }
    W.XX = static_cast<int16_t>(W.XX + DX);
}

// The chart ends after 93 days or at the file's last record.
bool KLAAR(const DAGWAARDEN& W) { return W.TELLER >= DAGEN || EINDE(); }

// ---------------------------------------------------------------------------
// The piezometer chart of PEILBUIZENABC: piezometers A, B and C outside the
// tanks as "a", "b" and "c" on the days they were read.
namespace PEILBUIS {

// The level on the scale's top line, y = YY + 10.
constexpr double NAP = 375;

DAGWAARDEN W;
double PEILB[4] = {};  // 1..3: the levels of A, B and C, cm NAP
bool PEILDAG = false;  // "9" after the level of A: all three were read
int32_t YP1 = 0, YP2 = 0, YP3 = 0;

void MAAKPLAAT(int16_t YY) {
    UNTLYSI2::DAGVENSTER(W.ADRES, W.XX, W.TELLER);
    ASSEN(W, YY, YY + 30);

    // The level scale, dotted; NAP+150 has only a short line, drawn after its text.
    SetLineStyle(DottedLn, 0, 1);
    NIVEAU(YY, NAP, 0, W.XX, " NAP");
    NIVEAU(YY, NAP, 100, W.XX, "+100");
    NIVEAU(YY, NAP, 200, W.XX, "+200");
    NIVEAU(YY, NAP, 300, 500, "+300");
    int32_t VV = PEILLIJN(YY, NAP, 150);
    OutTextXY(W.XX - 32, VV - 4, "NAP+150");
    Line(W.XX + 32, VV, W.XX + 92, VV);

    // The bar scales, each rainfall tick with the drain tick of the same size.
    SetLineStyle(SolidLn, 0, 1);
    for (int K = 1; K <= 4; ++K) {
        STREEP(W.XX, REGENSTREEP(YY, K), K);
        STREEP(W.XX, DRAINSTREEP(YY, K), K);
    }
    OutTextXY(W.XX - 40, YY - 90, "(mm) neerslag");

    GRKLEUR(Yellow);
    OutTextXY(W.XX - 40, YY + 92, "(mm) drain:");
    OutTextXY(W.XX - 40, YY + 104, "(3*1+2+3+4)/6");

    do {
        LEESDAG(W);
        PEILDAG = VELD(66, 1) == "9";
        if (PEILDAG)
            for (int K = 1; K <= 3; ++K) {
                W.POS = static_cast<int16_t>(UNTLYSI0::POSPBUIT(K));
                PEILB[K] = GETAL(W.POS, 4);
            }
        BALKEN(W, YY);
        if (PEILDAG) {
            YP1 = PEILLETTER(YY, NAP, PEILB[1]);
            YP2 = PEILLETTER(YY, NAP, PEILB[2]);
            YP3 = PEILLETTER(YY, NAP, PEILB[3]);
            OutTextXY(W.XX - 7, YP1, "a");
            OutTextXY(W.XX, YP2, "b");
            OutTextXY(W.XX + 7, YP3, "c");
        }
        DAGTEKENS(W, YY);
    } while (!KLAAR(W));
}

void PLAAT() { MAAKPLAAT(Y0); }

}  // namespace PEILBUIS

// ---------------------------------------------------------------------------
// The dune wells chart of PEILW116W194: wells W116 and W194 as "v" and "w",
// each on the days it was read, on a scale from +400 to +800.
namespace PEILWELL {

// The level on the scale's top line, y = YY + 10.
constexpr double NAP = 818;
// A well not read that day; no four-character field can hold it.
constexpr double NIETGELEZEN = -9999.0;

DAGWAARDEN W;
double PEILB[3] = {};  // 1: W116, 2: W194, cm NAP, or NIETGELEZEN
int32_t YP1 = 0, YP2 = 0;

// A well's level when its flag is "9", else NIETGELEZEN.
double PUT(int P) { return VELD(P + 4, 1) == "9" ? GETAL(P, 4) : NIETGELEZEN; }

// A legend line with the well's name and letter.
void LEGENDA(int32_t VV, std::string_view NAAM, std::string_view LETTER) {
    Line(550, VV, 598, VV);
    OutTextXY(600, VV - 4, NAAM);
    OutTextXY(600, VV + 6, LETTER);
}

void MAAKPLAAT(int16_t YY) {
    UNTLYSI2::DAGVENSTER(W.ADRES, W.XX, W.TELLER);
    ASSEN(W, YY, YY + 20);

    GRKLEUR(Yellow);
    SetLineStyle(SolidLn, 0, 1);
    LEGENDA(YY + 10 + 97, "W116", " (v)");
    LEGENDA(YY + 10 + 134, "W194", " (w)");

    // The level scale, dotted; " NAP" heads it above +800, whose line stands
    // at the right end only, and the +700 line keeps clear of the bar scales.
    GRKLEUR(LightGray);
    SetLineStyle(DottedLn, 0, 1);
    int32_t VV = PEILLIJN(YY, NAP, 800);
    OutTextXY(600, VV - 14, " NAP");
    Line(500, VV, 600, VV);
    OutTextXY(600, VV - 4, "+800");
    NIVEAU(YY, NAP, 700, W.XX + 70, "+700");
    NIVEAU(YY, NAP, 600, W.XX, "+600");
    NIVEAU(YY, NAP, 500, W.XX, "+500");
    NIVEAU(YY, NAP, 400, W.XX, "+400");

    // The bar scales: the rainfall ticks with their heading over the 40 mm
    // tick, then the drain ticks with the legend under the 40 mm tick.
    SetLineStyle(SolidLn, 0, 1);
    for (int K = 1; K <= 4; ++K) {
        VV = REGENSTREEP(YY, K);
        STREEP(W.XX, VV, K);
    }
    OutTextXY(W.XX - 40, VV - 17, "(mm) neerslag");
    for (int K = 1; K <= 4; ++K) {
        VV = DRAINSTREEP(YY, K);
        STREEP(W.XX, VV, K);
    }

    GRKLEUR(Yellow);
    OutTextXY(W.XX - 40, VV + 11, "(mm) drain:");
    OutTextXY(W.XX - 40, VV + 23, "(3*1+2+3+4)/6");

    do {
        LEESDAG(W);
        PEILB[1] = PUT(UNTLYSI0::POSW116);
        PEILB[2] = PUT(UNTLYSI0::POSW194);
        BALKEN(W, YY);
        if (PEILB[1] != NIETGELEZEN) {
            YP1 = PEILLETTER(YY, NAP, PEILB[1]);
            OutTextXY(W.XX - 3, YP1, "v");
        }
        if (PEILB[2] != NIETGELEZEN) {
            YP2 = PEILLETTER(YY, NAP, PEILB[2]);
            OutTextXY(W.XX + 3, YP2, "w");
        }
        DAGTEKENS(W, YY);
    } while (!KLAAR(W));
}

void PLAAT() { MAAKPLAAT(Y0); }

}  // namespace PEILWELL

}  // namespace

void PEILBUIZENABC(int16_t TAAL) {
    UNTLYSI2::GRAFIEKSCHERM(TAAL, {KLIST, KLMM, VOOR, STOP, UIT}, false, PEILBUIS::PLAAT, COMMANDOBALK, KIES);
}

void PEILW116W194(int16_t TAAL) {
    UNTLYSI2::GRAFIEKSCHERM(TAAL, {KLIST, KLMM, VOOR, STOP, UIT}, false, PEILWELL::PLAAT, COMMANDOBALK, KIES);
}

}  // namespace UNTLYSI3
