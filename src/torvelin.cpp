#include "torvelin.h"

#include "UNTLYSI0.h"
#include "UNTLYSI1.h"
#include "UNTLYSI2.h"
#include "UNTLYSI3.h"
#include "Units/UNTGRAPHICS.h"
#include "Units/UNTPROGDELEN.h"

namespace torvelin {

using namespace WinGraph;
using namespace UNTGRAPHICS;
using UNTPROGDELEN::ANAVIGATIE;

int16_t TAAL = 1;
int16_t KTL = 1, KSP = 1, KMM = 1;
bool UIT = false, STOPPEN = false;
char KR = 0;

namespace {
std::string B(int N) { return std::string(static_cast<size_t>(N), ' '); }
}  // namespace

const std::string AOPSCHR[4] = {
    "",
    B(3) + "LYSIMETER  WAARNEMINGEN" + B(3),
    B(3) + "LYSIMETER  OBSERVATIONS" + B(3),
    B(3) + "LYSIMETER BEOBACHTUNGEN" + B(3),
};

// The menu: entries 1 to 6, two empty lines, and the legend of the operation
// chart, whose symbols stand in character column 21 (the arrow in 20 and 21)
// with their explanations from column 26.
const std::string ASHOWPR[4][14] = {
    {},
    {
        "",
        "Schermlisting van de waarnemingen",
        "Het lysimeterbedrijf",
        "Waterhuishouding van de vier lysimers",
        "De drie peilbuizen buiten de bakken",
        "Peilbuizen W116 en W194 in de duinen",
        "Stoppen",
        "",
        "",
        B(20) + "Lysimeterbedrijf:" + B(11),
        B(19) + "<-    meetput leeggepompt" + B(4),
        B(20) + "$    stuw in bak opgetreden" + B(1),
        B(20) + "*    aangevulde waarneming" + B(2),
        B(20) + "\xA8" + "    geen waarneming" + B(8),
    },
    {
        "",
        "Screen-listing of the observations",
        "Technical management of the lysimeters",
        "Observed water movements within the lysimeters",
        "Phreatic levels within the lysimetersite",
        "Phreatic levels at W116 and W194 in the dunes",
        "Quit",
        "",
        "",
        B(20) + "Technical management:" + B(7),
        B(19) + "<-    pumping occurred" + B(2),
        B(20) + "$    stow within lysimeter" + B(2),
        B(20) + "*    completed observation" + B(2),
        B(20) + "\xA8" + "    no observation" + B(9),
    },
    {
        "",
        "Schirmpr\x84" "sentation der Beobachtungen",
        "Das Lysimeterbetrieb",
        "Beobachtete Wasserhaushalt der Lysimeter",
        "Phreatisch Flach im Lysimetergel\x84" "nde",
        "Phreatisch Flach am W116 und W194 in die D\x81" "nen",
        "Abstellen",
        "",
        "",
        B(20) + "Lysimeterbetrieb:" + B(11),
        B(19) + "<-    Keller leergepumpt" + B(1),
        B(20) + "$    stau im Lysimeter" + B(6),
        B(20) + "*    angef\x81" "llte Beobachtung" + B(1),
        B(20) + "\xA8" + "    kein Beobachtung" + B(7),
    },
};

const std::string_view ATEKST[4][17] = {
    {},
#include "ATEKST.inc"
};

// The language bar: each name inside its own cell of 12 characters.
const std::string_view SBALK = " Nederlands   English     Deutsch";

void KIES(int16_t& KK, int16_t NN, int16_t NX) {
    UNTPROGDELEN::LEESKEY(KR);
    UIT = UNTPROGDELEN::STAP(KR, KK, NN, NX);
}

void INITIEER() {
    GRHAALDRIVER();
    GRNAARGRAP();
    KTL = 1;
    TAAL = 1;
    KSP = 1;
    UNTLYSI0::RECNR = 0;
}

namespace {
// Cell K of the language bar: 96 pixels wide from x = 178.
void TAALCEL(int16_t K) { Rectangle(178 + 96 * (K - 1), 452, 177 + 96 * K, 476); }
// Entry K of the menu.
void MENUREGEL(int16_t K) { Rectangle(110, 104 + 16 * K, 517, 123 + 16 * K); }
}  // namespace

void KIESTAAL() {
    GRSCHERM(Yellow, Black);
    SetTextStyle(FNT, 0, 4);
    GRKLEUR(Yellow);
    OutTextXY(90, 10, AOPSCHR[TAAL]);
    SetTextStyle(FNT, 0, 2);
    OutTextXY(244, 40, "Zelvantor 1941-1961");
    GRETIKET(70, 80, 580, 370, Yellow, Blue);
    for (int I = 1; I <= 16; ++I) OutTextXY(96, 88 + 16 * I, ATEKST[TAAL][I]);
    OutTextXY(130, 436, ANAVIGATIE[TAAL]);
    for (;;) {
        GRETIKET(178, 452, 465, 476, Red, Red);
        GRKLEUR(Yellow);
        OutTextXY(178, YBALK, SBALK);
        SetLineStyle(SolidLn, 0, 1);
        TAALCEL(KTL);
        KMM = KTL;
        KIES(KTL, 1, 3);
        TAAL = KTL;
        if (UIT) return;
        // Every text is erased by drawing it again in the colour beneath it.
        SetTextStyle(FNT, 0, 4);
        GRKLEUR(Black);
        OutTextXY(90, 10, AOPSCHR[KMM]);
        GRKLEUR(Yellow);
        OutTextXY(90, 10, AOPSCHR[TAAL]);
        SetTextStyle(FNT, 0, 2);
        for (int I = 1; I <= 16; ++I) {
            GRKLEUR(Blue);
            OutTextXY(96, 88 + 16 * I, ATEKST[KMM][I]);
            GRKLEUR(Yellow);
            OutTextXY(96, 88 + 16 * I, ATEKST[TAAL][I]);
        }
        GRKLEUR(Black);
        OutTextXY(130, 436, ANAVIGATIE[KMM]);
        GRKLEUR(Yellow);
        OutTextXY(130, 436, ANAVIGATIE[TAAL]);
        GRKLEUR(Red);
        TAALCEL(KMM);
        GRKLEUR(Yellow);
        TAALCEL(KTL);
    }
}

void SHOWKEUZE() {
    do {
        GRSCHERM(Yellow, Black);
        SetLineStyle(SolidLn, 0, 1);
        GRETIKET(90, 90, 550, 360, Yellow, Blue);
        STOPPEN = false;
        SetTextStyle(FNT, 0, 4);
        OutTextXY(90, 10, AOPSCHR[TAAL]);
        SetTextStyle(FNT, 0, 2);
        OutTextXY(244, 40, "Zelvantor 1941-1961");
        for (int I = 1; I <= 13; ++I) OutTextXY(120, 108 + 16 * I, ASHOWPR[TAAL][I]);
        OutTextXY(130, 376, ANAVIGATIE[TAAL]);
        do {
            GRKLEUR(Yellow);
            MENUREGEL(KSP);
            KMM = KSP;
            KIES(KSP, 1, MXKEUS);
            GRKLEUR(Blue);
            MENUREGEL(KMM);
        } while (!UIT);
        switch (KSP) {
        case 1: UNTLYSI1::SCHERMLISTING(TAAL); break;
        case 2: UNTLYSI2::GRABEDRIJF(TAAL); break;
        case 3: UNTLYSI2::GRABAKKEN(TAAL); break;
        case 4: UNTLYSI3::PEILBUIZENABC(TAAL); break;
        case 5: UNTLYSI3::PEILW116W194(TAAL); break;
        default: STOPPEN = true; break;
        }
    } while (!STOPPEN);
}

int HOOFDPROGRAMMA() {
    UNTLYSI0::OPSTARTEN();
    INITIEER();
    KIESTAAL();
    SHOWKEUZE();
    GRSCHERM(White, Black);
    GRWISDRIVER();
    return 0;
}

}  // namespace torvelin
