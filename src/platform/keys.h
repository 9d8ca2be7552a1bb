// From key presses to the byte codes of the key buffer. A key that types a
// character gives its code page 437 byte; a special key gives 0 and then its
// code (Up 72, Left 75, Right 77, Down 80, ...). Pure functions: the SDL
// window and torvelin-snap both go through them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class Key {
    Character,  // a key that types `ch` (or, with Ctrl or Alt, the letter or digit on it)
    Enter, Escape, Backspace, Tab,
    Up, Down, Left, Right, Home, End, PgUp, PgDn, Ins, Del,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    Close,  // a request to close the window
};

struct KeyPress {
    Key key = Key::Character;
    char32_t ch = 0;
    bool shift = false, ctrl = false, alt = false;
};

// The codes one key press gives, in order; none for a key that gives nothing.
std::vector<uint8_t> keyCodes(const KeyPress& press);

// The code page 437 byte of a Unicode character, or 0 when it has none.
uint8_t cp437Byte(char32_t ch);

// The codes of one key-script token of torvelin-snap ("up", "ctrl-left",
// "f12", "a", "0x1B", ...). False, with `why`, for a token it does not know.
bool tokenCodes(std::string_view token, std::vector<uint8_t>& codes, std::string& why);

}  // namespace platform
