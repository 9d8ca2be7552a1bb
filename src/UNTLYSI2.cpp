#include "UNTLYSI2.h"

namespace UNTLYSI2 {

void GRABEDRIJF(int16_t) {}
void GRABAKKEN(int16_t) {}

}  // namespace UNTLYSI2
