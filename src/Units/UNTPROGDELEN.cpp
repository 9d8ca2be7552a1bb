#include "UNTPROGDELEN.h"

#include "../platform/display.h"
#include "../platform/graph.h"
#include "UNTGRAPHICS.h"

namespace UNTPROGDELEN {

using namespace WinGraph;
using namespace WinCrt;
using UNTGRAPHICS::GRETIKET;
using UNTGRAPHICS::GRKLEUR;

char KR = 0;

const std::string_view ANAVIGATIE[4] = {
    "",
    " navigeren met pijltoetsen,  bevestigen met KEY ",
    "navigation with arrow-key, confirmation with KEY",
    "navigation mit Pfeiltasten,  accordieren mit KEY",
};

void LEESKEY(char& CH) {
    while (KeyPressed()) ReadKey();
    CH = ReadKey();
    while (CH == 0) CH = ReadKey();
}

void FLUITEN() { platform::beep(); }

bool STAP(char CH, int16_t& KK, int16_t NN, int16_t NX) {
    switch (CH) {
    case 'H':
    case 'K':
        KK = KK > NN ? static_cast<int16_t>(KK - 1) : NX;
        return false;
    case 'M':
    case 'P':
        KK = KK < NX ? static_cast<int16_t>(KK + 1) : NN;
        return false;
    default:
        return true;
    }
}

int32_t CELSTAP(int16_t K) {
    static constexpr int32_t STAPPEN[12] = {0, -1461, -365, -91, -23, 0, 0, 0, 23, 91, 365, 1461};
    return K >= 1 && K <= 11 ? STAPPEN[K] : 0;
}

void BALKCEL(int16_t K) { Rectangle(56 + 48 * (K - 1), 442, 55 + 48 * K, 458); }

void TEKENBALK(std::string_view SCOMM, int16_t TAAL, int16_t KLIST, bool RESETLIJN) {
    if (RESETLIJN) SetLineStyle(SolidLn, 0, 1);
    GRETIKET(56, YCOMM - 4, 583, YCOMM + 12, Red, Red);
    GRKLEUR(Yellow);
    OutTextXY(60, YCOMM, SCOMM);
    OutTextXY(130, 466, ANAVIGATIE[TAAL]);
    BALKCEL(KLIST);
}

}  // namespace UNTPROGDELEN
