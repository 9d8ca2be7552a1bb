#include "UNTLYSI3.h"

#include <string_view>

#include "UNTLYSI2.h"
#include "Units/UNTPROGDELEN.h"

namespace UNTLYSI3 {

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

void PEILBUISPLAAT() {}
void PEILWELLPLAAT() {}

}  // namespace

void PEILBUIZENABC(int16_t TAAL) {
    UNTLYSI2::GRAFIEKSCHERM(TAAL, {KLIST, KLMM, VOOR, STOP, UIT}, false, PEILBUISPLAAT, COMMANDOBALK, KIES);
}

void PEILW116W194(int16_t TAAL) {
    UNTLYSI2::GRAFIEKSCHERM(TAAL, {KLIST, KLMM, VOOR, STOP, UIT}, false, PEILWELLPLAAT, COMMANDOBALK, KIES);
}

}  // namespace UNTLYSI3
