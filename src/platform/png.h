// Writes the surface as a 4-bit indexed PNG with the 16-colour palette.
#pragma once

#include <string>

#include "display.h"

namespace platform {

// `scale` repeats every pixel scale x scale times. False, with `why`, on failure.
bool writePng(const std::string& path, const Pixels& pix, int scale, std::string& why);

}  // namespace platform
