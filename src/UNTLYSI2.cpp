#include "UNTLYSI2.h"

#include <cstdio>
#include <string_view>

#include "UNTLYSI0.h"
#include "Units/UNTGRAPHICS.h"
#include "Units/UNTPROGDELEN.h"

namespace UNTLYSI2 {

using namespace WinGraph;
using namespace UNTGRAPHICS;
using UNTLYSI0::RECNR;
using UNTLYSI0::XRECNR;

int16_t KLIST = 6, KLMM = 6;
bool VOOR = true, STOP = false, UIT = false;

namespace {

const std::string_view SCOMM[4] = {
    "",
    "-4jr  -1jr  -3mnd -23dg L1,L4  STOP L2,L3 +23dg +3mnd +1jr  +4jr ",
    "-4yr  -1yr  -3mth -23ds L1,L4  QUIT L2,L3 +23ds +3mth +1yr  +4yr ",
    "-4Jr  -1Jr  -3Mon -23Tg L1,L4  HALT L2,L3 +23Tg +3Mon +1Jr  +4Jr ",
};

void COMMANDOBALK(int16_t TAAL, int16_t KL) { UNTPROGDELEN::TEKENBALK(SCOMM[TAAL], TAAL, KL, true); }

void KIES(int16_t& KK, int16_t NN, int16_t NX) {
    UNTPROGDELEN::LEESKEY(UNTPROGDELEN::KR);
    UIT = UNTPROGDELEN::STAP(UNTPROGDELEN::KR, KK, NN, NX);
}

// ---------------------------------------------------------------------------
// What the two lysimeter charts have in common. A chart shows a window of days
// around RECNR at 6 pixels a day: the rainfall as a bar rising from the upper
// baseline YY, the drain as a bar hanging from the baseline 10 pixels lower,
// and under them the marks of the day.

// Pixels per tenth of a millimetre of rain: 10 mm is 19 pixels.
constexpr double SCHAAL = 0.19;
// The YY of the upper chart; the lower one stands 220 pixels lower.
constexpr int32_t Y0 = 110;
constexpr int32_t YONDER = 330;
// Pixels a day: the width of a day's column.
constexpr int16_t DX = 6;

// n right-aligned in 3 characters, the way the scales label their ticks.
std::string_view STR3(int32_t N, char (&STAL)[6]) {
    std::snprintf(STAL, sizeof STAL, "%3d", static_cast<int>(N));
    return STAL;
}

// The title, the two baselines and the bracket over the 24 days of the
// listing page that starts at RECNR. The bracket's sides fall on the free
// first pixel of the columns of RECNR and RECNR + 24, so no bar covers them.
void KOP(int16_t POS, int32_t YY, int16_t X0) {
    static constexpr std::string_view TITEL[4] = {"LYSIMETER-1", "LYSIMETER-2", "LYSIMETER-3", "LYSIMETER-4"};
    GRKLEUR(Yellow);
    OutTextXY(X0 - 32, YY - 103, TITEL[(POS - 22) / 5]);
    GRKLEUR(LightGray);
    SetLineStyle(SolidLn, 0, 1);
    Line(X0, YY, 600, YY);
    Line(X0, YY + 10, 600, YY + 10);
    Line(280, YY + 20, 280, YY + 94);
    Line(424, YY + 20, 424, YY + 94);
    Line(280, YY + 94, 316, YY + 94);
    Line(372, YY + 94, 424, YY + 94);
    OutTextXY(316, YY + 90, "listing");
}

// The left-hand scales: rain upwards from YY and drain downwards from YY + 10,
// both 0 to 40 mm in steps of 19 pixels, ticks and labels left of X0.
void SCHALEN(int32_t YY, int16_t X0) {
    char STAL[6];
    const double V0 = 19.0;
    for (int16_t PP = 0; PP <= 4; ++PP) {
        const int32_t VV = YY - AFRONDEN(V0 * PP);
        Line(X0 - 8, VV, X0 - 1, VV);
        OutTextXY(X0 - 40, VV - 3, STR3(10 * PP, STAL));
    }
    OutTextXY(X0 - 40, YY - 89, "(mm)");
    for (int16_t PP = 0; PP <= 4; ++PP) {
        const int32_t VV = YY + 10 + AFRONDEN(V0 * PP);
        Line(X0 - 8, VV, X0 - 1, VV);
        OutTextXY(X0 - 40, VV - 3, STR3(10 * PP, STAL));
    }
    OutTextXY(X0 - 40, YY + 90, "(mm) drain");
}

// The two bars of the day in column XX: rain from YRC down to YY, drain from
// YY + 10 down to YDR. A value of 0 still fills the baseline's row; a negative
// one gives reversed corners and draws nothing.
void STAVEN(int16_t XX, int32_t YY, int32_t YRC, int32_t YDR) {
    Bar(XX + 1, YRC, XX + 5, YY);
    Bar(XX + 1, YY + 10, XX + 5, YDR);
}

// The calendar marks of the day in column XX, after the chart's own marks: a
// Sunday tick between the baselines, a "*" for rainfall flags 5 to 7, a dotted
// line with yymm at the first of a month, and after the last record of the
// file a dotted line on the next column's edge with "eof" EOFDX pixels right
// of the day's column.
void KALENDER(int16_t XX, int32_t YY, int16_t EOFDX) {
    using UNTLYSI0::VELD;
    SetLineStyle(SolidLn, 0, 1);
    if (VELD(UNTLYSI0::POSWEEKDAG, 2) == "ZO") Line(XX + 3, YY + 5, XX + 3, YY + 10);
    const std::string_view VLAG = VELD(UNTLYSI0::POSRVLAG, 1);
    if (VLAG > "4" && VLAG < "8") OutTextXY(XX, YY + 2, "*");
    if (VELD(UNTLYSI0::POSDAG, 2) == "01") {
        SetLineStyle(DottedLn, 0, 1);
        Line(XX, YY - 79, XX, YY - 10);
        OutTextXY(XX + 2, YY - 79, VELD(UNTLYSI0::POSMAAND, 4));
    }
    if (UNTLYSI0::EINDE()) {
        SetLineStyle(DottedLn, 0, 1);
        Line(XX + 6, YY - 79, XX + 6, YY - 10);
        OutTextXY(XX + EOFDX, YY - 79, "eof");
    }
}

// The days of a chart, one column each from XX on, until TELLER reaches
// LAATSTE or the file ends: each record is read, DAG draws the chart's own part of the
// day (values, bars, marks), then the calendar marks follow.
template <class DAGFN>
void DAGEN(int16_t& XX, int16_t& TELLER, int16_t LAATSTE, int32_t YY, int16_t EOFDX, DAGFN&& DAG) {
    GRKLEUR(Yellow);
    do {
        UNTLYSI0::LEESVOLGENDE();
        ++TELLER;
        DAG();
        KALENDER(XX, YY, EOFDX);
        XX = static_cast<int16_t>(XX + DX);
    } while (TELLER != LAATSTE && !UNTLYSI0::EINDE());
}

// ---------------------------------------------------------------------------
// The operation chart: 96 days, the drain of the lysimeter and under it the
// markers of how the measuring well was run, from the drain's flag digit.
// The two charts of a pass: lysimeter 1 above and 4 below, or 2 and 3.
template <void (*MAAKPLAAT)(int16_t, int32_t)>
void PLATEN() {
    if (VOOR) {
        MAAKPLAAT(22, Y0);
        MAAKPLAAT(37, YONDER);
    } else {
        MAAKPLAAT(27, Y0);
        MAAKPLAAT(32, YONDER);
    }
}

namespace BEDRIJF {

double RZEL, DRAIN;
int16_t QQ;
char CP, CS;
int32_t YRC, YDR, ADRES;
int16_t XX, TELLER;

// The markers by flag digit: 1 adds the pumped well (character 27), 4 adds
// damming ("$"), 2 adds nothing here; 8 is a supplemented observation ("*")
// and 9 a day without observation (byte 168).
constexpr char MERKP[10] = {' ', 27, ' ', 27, ' ', 27, ' ', 27, '*', ' '};
constexpr char MERKS[10] = {' ', ' ', ' ', ' ', '$', '$', '$', '$', ' ', static_cast<char>(0xA8)};

void MAAKPLAAT(int16_t POS, int32_t YY) {
    DAGVENSTER(ADRES, XX, TELLER);
    const int16_t X0 = XX;
    KOP(POS, YY, X0);
    SetLineStyle(SolidLn, 0, 1);
    SCHALEN(YY, X0);
    DAGEN(XX, TELLER, 96, YY, 10, [&] {
        RZEL = UNTLYSI0::GETAL(UNTLYSI0::POSRZEL, 4);
        DRAIN = UNTLYSI0::GETAL(POS, 4);
        QQ = UNTLYSI0::CIJFER(POS + 4);
        DRAIN = DRAIN * 6.3;
        CP = MERKP[QQ];
        CS = MERKS[QQ];
        YRC = YY - AFRONDEN(RZEL * SCHAAL);
        YDR = YY + 10 + AFRONDEN(DRAIN * SCHAAL / 63);
        STAVEN(XX, YY, YRC, YDR);
        OutTextXY(XX, YDR + 16, std::string_view(&CP, 1));
        OutTextXY(XX, YDR + 26, std::string_view(&CS, 1));
    });
}

}  // namespace BEDRIJF

// ---------------------------------------------------------------------------
// The water-balance chart: 93 days, the drain of the lysimeter and the water
// standing on its tank bottom, read from the tank's piezometer, against a
// right-hand scale in centimetres.
namespace BAKKEN {

// With SCHAAL, pixels per unit of the piezometer value: 2.85.
constexpr double MMPCM = 15;

double RZEL, DRAIN, PEILB;
bool PEILDAG;
int32_t YRC, YDR, YPB, ADRES;
int16_t XX, TELLER;

void MAAKPLAAT(int16_t POS, int32_t YY) {
    DAGVENSTER(ADRES, XX, TELLER);
    const int16_t X0 = XX;
    KOP(POS, YY, X0);
    // The drain band closes at 40 mm.
    Line(X0, YY + 86, 600, YY + 86);
    SCHALEN(YY, X0);
    // Water on the tank bottom, 0 to 25 cm upwards from the bottom of the drain band.
    char STAL[6];
    const double V0 = 15.2;
    for (int16_t PP = 0; PP <= 5; ++PP) {
        const int32_t VV = YY + 10 + AFRONDEN(76.0 - V0 * PP);
        Line(592, VV, 600, VV);
        OutTextXY(600, VV - 3, STR3(5 * PP, STAL));
    }
    OutTextXY(456, YY + 90, "water op bakbodem (cm)");
    DAGEN(XX, TELLER, 93, YY, 8, [&] {
        RZEL = UNTLYSI0::GETAL(UNTLYSI0::POSRZEL, 4);
        DRAIN = UNTLYSI0::GETAL(POS, 4);
        PEILDAG = UNTLYSI0::VELD(POS + 24, 1) == "9";
        if (PEILDAG) PEILB = UNTLYSI0::GETAL(POS + 20, 4);
        YRC = YY - AFRONDEN(RZEL * SCHAAL);
        YDR = YY + 10 + AFRONDEN(DRAIN * 0.19 / 10);
        STAVEN(XX, YY, YRC, YDR);
        if (PEILDAG) {
            // A value of 150 puts the top of the "o" at YY + 6; a mark that
            // would stand higher is lifted by the 10 pixels between the baselines.
            YPB = YY + 6 + AFRONDEN((150 - PEILB) * SCHAAL * MMPCM);
            if (YPB >= YY + 6)
                OutTextXY(XX, YPB, "o");
            else
                OutTextXY(XX, YPB - 10, "o");
        }
    });
}

}  // namespace BAKKEN

}  // namespace

void DAGVENSTER(int32_t& ADRES, int16_t& XX, int16_t& TELLER) {
    ADRES = RECNR - 40;
    if (ADRES < 0) {
        XX = static_cast<int16_t>(40 - DX * ADRES);
        TELLER = static_cast<int16_t>(-ADRES);
        ADRES = 0;
    } else {
        XX = 40;
        TELLER = 0;
    }
    UNTLYSI0::ZOEK(ADRES);
}

void GRAFIEKSCHERM(int16_t TAAL, GRAFIEKSTAAT S, bool WISSELT, void (*TEKEN)(),
                   void (*BALK)(int16_t, int16_t), void (*KIESFN)(int16_t&, int16_t, int16_t)) {
    S.KLIST = 6;
    S.VOOR = true;
    S.STOP = false;
    // The last first day of a full listing page; a file of fewer than 24
    // records has its only page at record 0.
    const int32_t BOVEN = XRECNR - 23 > 0 ? XRECNR - 23 : 0;
    do {
        if (RECNR < 0) RECNR = 0;
        if (RECNR > BOVEN) {
            RECNR = BOVEN;
            UNTPROGDELEN::FLUITEN();
        }
        GRSCHERM(LightGray, Blue);
        TEKEN();
        BALK(TAAL, S.KLIST);
        UNTPROGDELEN::KEUZELUS(S.KLIST, S.KLMM, S.UIT, KIESFN);
        // The bounds are applied at the start of the next pass, never here.
        switch (S.KLIST) {
        case 5: if (WISSELT) S.VOOR = true; break;
        case 6: S.STOP = true; break;
        case 7: if (WISSELT) S.VOOR = false; break;
        default: RECNR += UNTPROGDELEN::CELSTAP(S.KLIST); break;
        }
    } while (!S.STOP);
}

void GRABEDRIJF(int16_t TAAL) {
    GRAFIEKSCHERM(TAAL, {KLIST, KLMM, VOOR, STOP, UIT}, true, PLATEN<BEDRIJF::MAAKPLAAT>, COMMANDOBALK, KIES);
}

void GRABAKKEN(int16_t TAAL) {
    GRAFIEKSCHERM(TAAL, {KLIST, KLMM, VOOR, STOP, UIT}, true, PLATEN<BAKKEN::MAAKPLAAT>, COMMANDOBALK, KIES);
}

}  // namespace UNTLYSI2
