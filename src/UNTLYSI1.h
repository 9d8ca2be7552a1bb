// The listing screen: the observation records as text, 24 days a page.
#pragma once

#include <cstdint>

namespace UNTLYSI1 {

// Menu entry 1; returns when the user confirms STOP.
void SCHERMLISTING(int16_t TAAL);

}  // namespace UNTLYSI1
