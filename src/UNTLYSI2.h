// The lysimeter operation chart and the lysimeter water-balance chart.
#pragma once

#include <cstdint>

namespace UNTLYSI2 {

// Menu entry 2; returns when the user confirms STOP.
void GRABEDRIJF(int16_t TAAL);
// Menu entry 3; returns when the user confirms STOP.
void GRABAKKEN(int16_t TAAL);

}  // namespace UNTLYSI2
