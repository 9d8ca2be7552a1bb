// Fuzz target: the number rule. Whatever the field holds, reading it never
// fails, a field that is not wholly one number reads as 0, and a number
// reads as the C library reads the same text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "UNTLYSI0.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view field(reinterpret_cast<const char*>(data), size);
    const double value = UNTLYSI0::LEESGETAL(field);
    const bool number = UNTLYSI0::ISGETAL(field);
    if (std::isnan(value)) __builtin_trap();
    if (!number) {
        if (value != 0.0) __builtin_trap();
        return 0;
    }
    // Leading blanks and tabs, then the number: strtod reads all of it alike.
    std::string text(field);
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos) __builtin_trap();  // a number has digits
    char* end = nullptr;
    const double want = std::strtod(text.c_str() + start, &end);
    if (end != text.c_str() + text.size()) __builtin_trap();
    if (value != want) __builtin_trap();
    return 0;
}
