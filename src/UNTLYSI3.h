// The piezometer chart and the dune wells chart.
#pragma once

#include <cstdint>

namespace UNTLYSI3 {

// The screen state of this unit's two screens.
extern int16_t KLIST, KLMM;
extern bool VOOR, STOP, UIT;

// Menu entry 4; returns when the user confirms STOP.
void PEILBUIZENABC(int16_t TAAL);
// Menu entry 5; returns when the user confirms STOP.
void PEILW116W194(int16_t TAAL);

}  // namespace UNTLYSI3
