// The piezometer chart and the dune wells chart.
#pragma once

#include <cstdint>

namespace UNTLYSI3 {

// Menu entry 4; returns when the user confirms STOP.
void PEILBUIZENABC(int16_t TAAL);
// Menu entry 5; returns when the user confirms STOP.
void PEILW116W194(int16_t TAAL);

}  // namespace UNTLYSI3
