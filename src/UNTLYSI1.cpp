#include "UNTLYSI1.h"

namespace UNTLYSI1 {

void SCHERMLISTING(int16_t) {}

}  // namespace UNTLYSI1
