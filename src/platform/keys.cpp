#include "keys.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace platform {

namespace {

// Code page 437, bytes 128 to 255.
constexpr char32_t HIGH[128] = {
    U'Ç', U'ü', U'é', U'â', U'ä', U'à', U'å', U'ç', U'ê', U'ë', U'è', U'ï', U'î', U'ì', U'Ä', U'Å',
    U'É', U'æ', U'Æ', U'ô', U'ö', U'ò', U'û', U'ù', U'ÿ', U'Ö', U'Ü', U'¢', U'£', U'¥', U'₧', U'ƒ',
    U'á', U'í', U'ó', U'ú', U'ñ', U'Ñ', U'ª', U'º', U'¿', U'⌐', U'¬', U'½', U'¼', U'¡', U'«', U'»',
    U'░', U'▒', U'▓', U'│', U'┤', U'╡', U'╢', U'╖', U'╕', U'╣', U'║', U'╗', U'╝', U'╜', U'╛', U'┐',
    U'└', U'┴', U'┬', U'├', U'─', U'┼', U'╞', U'╟', U'╚', U'╔', U'╩', U'╦', U'╠', U'═', U'╬', U'╧',
    U'╨', U'╤', U'╥', U'╙', U'╘', U'╒', U'╓', U'╫', U'╪', U'┘', U'┌', U'█', U'▄', U'▌', U'▐', U'▀',
    U'α', U'ß', U'Γ', U'π', U'Σ', U'σ', U'µ', U'τ', U'Φ', U'Θ', U'Ω', U'δ', U'∞', U'φ', U'ε', U'∩',
    U'≡', U'±', U'≥', U'≤', U'⌠', U'⌡', U'÷', U'≈', U'°', U'∙', U'·', U'√', U'ⁿ', U'²', U'■', U'\u00A0',
};

// PC keyboard scan codes of the letters, for Alt+letter.
constexpr uint8_t LETTER_SCAN[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                     49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

struct Special {
    Key key;
    uint8_t plain, shift, ctrl, alt;
};

// Second codes of the special keys, plain and with Shift, Ctrl or Alt held.
constexpr Special SPECIALS[] = {
    {Key::Up, 72, 72, 141, 152},     {Key::Down, 80, 80, 145, 160},
    {Key::Left, 75, 75, 115, 155},   {Key::Right, 77, 77, 116, 157},
    {Key::Home, 71, 71, 119, 151},   {Key::End, 79, 79, 117, 159},
    {Key::PgUp, 73, 73, 132, 153},   {Key::PgDn, 81, 81, 118, 161},
    {Key::Ins, 82, 82, 146, 162},    {Key::Del, 83, 83, 147, 163},
    {Key::F1, 59, 84, 94, 104},      {Key::F2, 60, 85, 95, 105},
    {Key::F3, 61, 86, 96, 106},      {Key::F4, 62, 87, 97, 107},
    {Key::F5, 63, 88, 98, 108},      {Key::F6, 64, 89, 99, 109},
    {Key::F7, 65, 90, 100, 110},     {Key::F8, 66, 91, 101, 111},
    {Key::F9, 67, 92, 102, 112},     {Key::F10, 68, 93, 103, 113},
    {Key::F11, 133, 135, 137, 139},  {Key::F12, 134, 136, 138, 140},
};

}  // namespace

uint8_t cp437Byte(char32_t ch) {
    if (ch >= 32 && ch < 127) return static_cast<uint8_t>(ch);
    const auto* at = std::find(std::begin(HIGH), std::end(HIGH), ch);
    return at == std::end(HIGH) ? 0 : static_cast<uint8_t>(128 + (at - std::begin(HIGH)));
}

std::vector<uint8_t> keyCodes(const KeyPress& p) {
    switch (p.key) {
    case Key::Character: {
        const char32_t lower = (p.ch >= U'A' && p.ch <= U'Z') ? p.ch + 32 : p.ch;
        if (p.alt) {
            if (lower >= U'a' && lower <= U'z') return {0, LETTER_SCAN[lower - U'a']};
            if (lower >= U'1' && lower <= U'9') return {0, static_cast<uint8_t>(120 + (lower - U'1'))};
            if (lower == U'0') return {0, 129};
            return {};
        }
        if (p.ctrl) {
            if (lower >= U'a' && lower <= U'z') return {static_cast<uint8_t>(lower - U'a' + 1)};
            return {};
        }
        const uint8_t b = cp437Byte(p.ch);
        if (b == 0) return {};
        return {b};
    }
    case Key::Enter: return {static_cast<uint8_t>(p.ctrl ? 10 : 13)};
    case Key::Escape: return {27};
    case Key::Backspace: return {static_cast<uint8_t>(p.ctrl ? 127 : 8)};
    case Key::Tab: return p.shift ? std::vector<uint8_t>{0, 15} : std::vector<uint8_t>{9};
    case Key::Close: return {0, 107};
    default: break;
    }
    for (const Special& s : SPECIALS)
        if (s.key == p.key) return {0, p.alt ? s.alt : p.ctrl ? s.ctrl : p.shift ? s.shift : s.plain};
    return {};
}

bool tokenCodes(std::string_view token, std::vector<uint8_t>& codes, std::string& why) {
    codes.clear();
    if (token.size() == 1 && token[0] > 32 && token[0] < 127) {
        codes.push_back(static_cast<uint8_t>(token[0]));
        return true;
    }
    std::string t(token);
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return std::tolower(c); });
    if (t.size() == 4 && t[0] == '0' && t[1] == 'x' && std::isxdigit(static_cast<unsigned char>(t[2])) &&
        std::isxdigit(static_cast<unsigned char>(t[3]))) {
        codes.push_back(static_cast<uint8_t>(std::stoi(t.substr(2), nullptr, 16)));
        return true;
    }
    KeyPress p;
    if (t.rfind("ctrl-", 0) == 0) {
        p.ctrl = true;
        t = t.substr(5);
    } else if (t.rfind("alt-", 0) == 0) {
        p.alt = true;
        t = t.substr(4);
    }
    static const std::array<std::pair<std::string_view, Key>, 27> NAMES = {{
        {"up", Key::Up},       {"down", Key::Down},     {"left", Key::Left},     {"right", Key::Right},
        {"enter", Key::Enter}, {"esc", Key::Escape},    {"tab", Key::Tab},       {"backspace", Key::Backspace},
        {"home", Key::Home},   {"end", Key::End},       {"pgup", Key::PgUp},     {"pgdn", Key::PgDn},
        {"ins", Key::Ins},     {"del", Key::Del},       {"close", Key::Close},   {"f1", Key::F1},
        {"f2", Key::F2},       {"f3", Key::F3},         {"f4", Key::F4},         {"f5", Key::F5},
        {"f6", Key::F6},       {"f7", Key::F7},         {"f8", Key::F8},         {"f9", Key::F9},
        {"f10", Key::F10},     {"f11", Key::F11},       {"f12", Key::F12},
    }};
    if (t == "space" && !p.ctrl && !p.alt) {
        codes.push_back(32);
        return true;
    }
    for (const auto& [name, key] : NAMES)
        if (t == name) {
            p.key = key;
            codes = keyCodes(p);
            if (!codes.empty() && !(key == Key::Close && (p.ctrl || p.alt))) return true;
            break;
        }
    if ((p.ctrl || p.alt) && t.size() == 1 && std::isalnum(static_cast<unsigned char>(t[0]))) {
        p.ch = static_cast<unsigned char>(t[0]);
        codes = keyCodes(p);
        if (!codes.empty()) return true;
    }
    codes.clear();
    why = "unknown key token '" + std::string(token) + "'";
    return false;
}

}  // namespace platform
