#include "UNTLYSI3.h"

namespace UNTLYSI3 {

void PEILBUIZENABC(int16_t) {}
void PEILW116W194(int16_t) {}

}  // namespace UNTLYSI3
