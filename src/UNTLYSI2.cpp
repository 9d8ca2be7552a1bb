#include "UNTLYSI2.h"

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

void BEDRIJFPLATEN() {}
void BAKKENPLATEN() {}

}  // namespace

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
        switch (S.KLIST) {
        case 1: RECNR -= 1461; break;
        case 2: RECNR -= 365; break;
        case 3: RECNR -= 91; break;
        case 4: RECNR -= 23; break;
        case 5: if (WISSELT) S.VOOR = true; break;
        case 6: S.STOP = true; break;
        case 7: if (WISSELT) S.VOOR = false; break;
        case 8: RECNR += 23; break;
        case 9: RECNR += 91; break;
        case 10: RECNR += 365; break;
        case 11: RECNR += 1461; break;
        default: break;
        }
    } while (!S.STOP);
}

void GRABEDRIJF(int16_t TAAL) {
    GRAFIEKSCHERM(TAAL, {KLIST, KLMM, VOOR, STOP, UIT}, true, BEDRIJFPLATEN, COMMANDOBALK, KIES);
}

void GRABAKKEN(int16_t TAAL) {
    GRAFIEKSCHERM(TAAL, {KLIST, KLMM, VOOR, STOP, UIT}, true, BAKKENPLATEN, COMMANDOBALK, KIES);
}

}  // namespace UNTLYSI2
