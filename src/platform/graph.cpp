#include "graph.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "display.h"

namespace platform {

const std::array<Rgb, 16> PALETTE = {{
    {0x00, 0x00, 0x00}, {0x00, 0x00, 0xA8}, {0x00, 0xA8, 0x00}, {0x00, 0xA8, 0xA8},
    {0xA8, 0x00, 0x00}, {0xA8, 0x00, 0xA8}, {0xA8, 0x54, 0x00}, {0xA8, 0xA8, 0xA8},
    {0x54, 0x54, 0x54}, {0x54, 0x54, 0xFC}, {0x54, 0xFC, 0x54}, {0x54, 0xFC, 0xFC},
    {0xFC, 0x54, 0x54}, {0xFC, 0x54, 0xFC}, {0xFC, 0xFC, 0x54}, {0xFC, 0xFC, 0xFC},
}};

namespace {

// Font 0: 8 x 16 glyphs of code page 437, one byte a row, high bit left.
const uint8_t FONT[256 * 16] = {
#include "font8x16.inc"
};

constexpr uint16_t DOTTED = 0xCCCC;

Pixels pix{};
Display* display = nullptr;

struct State {
    uint8_t colour = WinGraph::White;
    uint8_t bk = WinGraph::Black;
    uint8_t fill = WinGraph::White;
    bool fillSolid = true;
    bool dotted = false;
    int textScale = 1;
    // Viewport origin and clip box, in surface coordinates.
    int64_t ox = 0, oy = 0;
    int64_t cx1 = 0, cy1 = 0, cx2 = WIDTH - 1, cy2 = HEIGHT - 1;
} st;

// While a flood fill runs, the pixels it has filled hold FILLING (no colour
// index comes near it) unless the fill colour is the border colour; its work
// list is preallocated.
constexpr uint8_t FILLING = 0x80;
struct Seed {
    int16_t x, y;
};
std::array<Seed, 2 * WIDTH * HEIGHT + 8> seeds;

// The key buffer: a ring of 256 codes.
std::array<uint8_t, 256> keyRing;
size_t keyHead = 0, keyCount = 0;

// For each glyph row byte, 0xFF in the bytes of the pixels it sets (pixel 0,
// the high bit, in the lowest byte of the word as it lies in memory).
constexpr std::array<uint64_t, 256> glyphMasks() {
    std::array<uint64_t, 256> m{};
    for (int bits = 0; bits < 256; ++bits)
        for (int col = 0; col < 8; ++col)
            if (bits & (0x80 >> col)) m[bits] |= uint64_t{0xFF} << (8 * col);
    return m;
}
static_assert(std::endian::native == std::endian::little);
constexpr std::array<uint64_t, 256> GLYPHMASK = glyphMasks();

// Glyphs that set no pixel, as the blank: drawing them only moves on.
const std::array<bool, 256> EMPTY = [] {
    std::array<bool, 256> e{};
    for (int ch = 0; ch < 256; ++ch) {
        uint8_t any = 0;
        for (int row = 0; row < 16; ++row) any |= FONT[ch * 16 + row];
        e[ch] = any == 0;
    }
    return e;
}();

uint8_t colourIndex(uint32_t c) { return static_cast<uint8_t>(c & 15u); }

inline void plot(int64_t x, int64_t y, uint8_t c) {
    if (x >= st.cx1 && x <= st.cx2 && y >= st.cy1 && y <= st.cy2) pix[y][x] = c;
}

void fillBox(int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint8_t c) {
    x1 = std::max(x1, st.cx1);
    y1 = std::max(y1, st.cy1);
    x2 = std::min(x2, st.cx2);
    y2 = std::min(y2, st.cy2);
    if (x2 < x1 || y2 < y1) return;
    if (x2 - x1 < 8 && x1 + 8 <= WIDTH) {
        // A narrow box, as a chart's bars are: each row as one word.
        const uint64_t m = x2 - x1 == 7 ? ~uint64_t{0} : (uint64_t{1} << (8 * (x2 - x1 + 1))) - 1;
        const uint64_t v = (0x0101010101010101ull * c) & m;
        for (int64_t y = y1; y <= y2; ++y) {
            uint64_t w;
            std::memcpy(&w, &pix[y][x1], 8);
            w = (w & ~m) | v;
            std::memcpy(&pix[y][x1], &w, 8);
        }
        return;
    }
    for (int64_t y = y1; y <= y2; ++y) std::fill(&pix[y][x1], &pix[y][x2] + 1, c);
}

// 0x80 in every byte of w that equals the byte of v8 (exact, byte by byte).
inline uint64_t equalBytes(uint64_t w, uint64_t v8) {
    const uint64_t x = w ^ v8;
    const uint64_t t = ((x & 0x7F7F7F7F7F7F7F7Full) + 0x7F7F7F7F7F7F7F7Full) | x;
    return ~t & 0x8080808080808080ull;
}
constexpr uint64_t BYTES = 0x0101010101010101ull;

// A flood fill stops at pixels of colour a or z. These search a row of the
// surface for stops eight pixels at a time.
// The first stop from x to end, or end + 1.
int64_t findStop(const uint8_t* row, int64_t x, int64_t end, uint8_t a, uint8_t z) {
    if (a == z) {
        const void* p = x <= end ? std::memchr(row + x, a, static_cast<size_t>(end - x + 1)) : nullptr;
        return p ? static_cast<const uint8_t*>(p) - row : std::max(x, end + 1);
    }
    for (uint64_t w; x + 7 <= end; x += 8) {
        std::memcpy(&w, row + x, 8);
        const uint64_t m = equalBytes(w, BYTES * a) | equalBytes(w, BYTES * z);
        if (m) return x + (std::countr_zero(m) >> 3);
    }
    for (; x <= end; ++x)
        if (row[x] == a || row[x] == z) return x;
    return x;
}
// The first pixel that is not a stop from x to end, or end + 1.
int64_t skipStops(const uint8_t* row, int64_t x, int64_t end, uint8_t a, uint8_t z) {
    for (uint64_t w; x + 7 <= end; x += 8) {
        std::memcpy(&w, row + x, 8);
        if (a == z && w == BYTES * a) continue;
        const uint64_t m = ~(equalBytes(w, BYTES * a) | equalBytes(w, BYTES * z)) & 0x8080808080808080ull;
        if (m) return x + (std::countr_zero(m) >> 3);
    }
    for (; x <= end; ++x)
        if (row[x] != a && row[x] != z) return x;
    return x;
}
// The last stop from x down to lo, or lo - 1.
int64_t findStopBack(const uint8_t* row, int64_t x, int64_t lo, uint8_t a, uint8_t z) {
    if (a == z) {
        const void* p = x >= lo ? memrchr(row + lo, a, static_cast<size_t>(x - lo + 1)) : nullptr;
        return p ? static_cast<const uint8_t*>(p) - row : std::min(x, lo - 1);
    }
    for (uint64_t w; x - 7 >= lo; x -= 8) {
        std::memcpy(&w, row + x - 7, 8);
        const uint64_t m = equalBytes(w, BYTES * a) | equalBytes(w, BYTES * z);
        if (m) return x - 7 + ((63 - std::countl_zero(m)) >> 3);
    }
    for (; x >= lo; --x)
        if (row[x] == a || row[x] == z) return x;
    return x;
}

// Draws the line from (x1, y1) to (x2, y2) in surface coordinates, end points
// included. Only the steps that can fall inside the clip box are visited, so a
// line far outside the window costs no more than one across it. The dotted
// pattern counts pixels from the first end point.
void drawLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    const uint8_t c = st.colour;
    const int64_t dx = x2 - x1, dy = y2 - y1;
    const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const int64_t n = xMajor ? adx : ady;  // steps after the first pixel
    const int64_t minor = xMajor ? ady : adx;
    const int64_t sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t m0 = xMajor ? x1 : y1, n0 = xMajor ? y1 : x1;
    const int64_t lo = xMajor ? st.cx1 : st.cy1, hi = xMajor ? st.cx2 : st.cy2;
    // Steps i for which the major coordinate m0 + sMaj*i lies in [lo, hi].
    int64_t iLo = sMaj > 0 ? lo - m0 : m0 - hi;
    int64_t iHi = sMaj > 0 ? hi - m0 : m0 - lo;
    iLo = std::max<int64_t>(iLo, 0);
    iHi = std::min<int64_t>(iHi, n);
    if (iLo > iHi) return;
    if (minor == 0 && !st.dotted) {
        // A solid horizontal or vertical line: its visible pixels in one go.
        const int64_t a = m0 + sMaj * iLo, z = m0 + sMaj * iHi;
        const int64_t lo = std::min(a, z), hi = std::max(a, z);
        if (xMajor) {
            if (n0 >= st.cy1 && n0 <= st.cy2) std::fill(&pix[n0][lo], &pix[n0][hi] + 1, c);
        } else if (n0 >= st.cx1 && n0 <= st.cx2) {
            for (int64_t y = lo; y <= hi; ++y) pix[y][n0] = c;
        }
        return;
    }
    // The minor offset of step i is (2*i*minor + n) / (2*n), rounded down:
    // worked out once for the first visible step, then carried on step by step.
    int64_t off = 0, rem = 0;
    if (n > 0 && minor > 0) {
        const __int128 num = static_cast<__int128>(2) * iLo * minor + n;
        off = static_cast<int64_t>(num / (2 * static_cast<__int128>(n)));
        rem = static_cast<int64_t>(num % (2 * static_cast<__int128>(n)));
    }
    for (int64_t i = iLo; i <= iHi; ++i) {
        if (i > iLo && minor > 0) {
            rem += 2 * minor;
            if (rem >= 2 * n) {
                rem -= 2 * n;
                ++off;
            }
        }
        if (st.dotted && !((DOTTED >> (15 - (i & 15))) & 1)) continue;
        const int64_t m = m0 + sMaj * i, k = n0 + sMin * off;
        if (xMajor)
            plot(m, k, c);
        else
            plot(k, m, c);
    }
}

}  // namespace

const Pixels& pixels() { return pix; }

const uint8_t* fontGlyph(uint8_t ch) { return &FONT[ch * 16]; }

void setDisplay(Display* d) { display = d; }

void pushKey(uint8_t code) {
    if (keyCount == keyRing.size()) return;
    keyRing[(keyHead + keyCount) % keyRing.size()] = code;
    ++keyCount;
}

bool keyQueued() { return keyCount > 0; }

void clearKeys() { keyHead = keyCount = 0; }

void resetSurface() {
    st = State{};
    for (auto& row : pix) row.fill(WinGraph::Black);
}

void beep() {
    if (display) display->beep();
}

namespace {
void onSignal(int sig) { _exit(128 + sig); }
}  // namespace

void installSignalHandlers() {
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

}  // namespace platform

namespace WinGraph {

using namespace platform;

void InitGraph(int16_t& driver, int16_t& mode, std::string_view caption) {
    resetSurface();
    clearKeys();
    if (!display) return;
    std::string why;
    if (!display->open(caption, why)) {
        std::fprintf(stderr, "torvelin: cannot open the window: %s\n", why.c_str());
        throw Halt{1, "the window could not be opened"};
    }
    driver = 2;
    mode = 4;
}

void SetGraphMode(int16_t) {}

void CloseGraph() {
    if (display) display->close();
}

int GetMaxX() { return MaxX; }
int GetMaxY() { return MaxY; }

void SetViewPort(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool clip) {
    st.ox = std::clamp<int64_t>(x1, 0, MaxX);
    st.oy = std::clamp<int64_t>(y1, 0, MaxY);
    if (clip) {
        st.cx1 = st.ox;
        st.cy1 = st.oy;
        st.cx2 = std::clamp<int64_t>(x2, st.ox, MaxX);
        st.cy2 = std::clamp<int64_t>(y2, st.oy, MaxY);
    } else {
        st.cx1 = st.cy1 = 0;
        st.cx2 = MaxX;
        st.cy2 = MaxY;
    }
}

void ClearViewPort() { fillBox(st.cx1, st.cy1, st.cx2, st.cy2, st.bk); }

void SetColor(uint32_t c) { st.colour = colourIndex(c); }
void SetBkColor(uint32_t c) { st.bk = colourIndex(c); }

void SetFillStyle(int pattern, uint32_t c) {
    st.fill = colourIndex(c);
    st.fillSolid = pattern != 0;  // pattern 0 fills with the background colour
}

void SetLineStyle(int style, uint16_t, int) { st.dotted = style == DottedLn; }

void SetTextStyle(int, int, int size) { st.textScale = size >= 4 ? size / 2 : 1; }

void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    drawLine(st.ox + x1, st.oy + y1, st.ox + x2, st.oy + y2);
}

void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    Line(x1, y1, x2, y1);
    Line(x2, y1, x2, y2);
    Line(x2, y2, x1, y2);
    Line(x1, y2, x1, y1);
}

void Bar(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (x2 < x1 || y2 < y1) return;
    fillBox(st.ox + x1, st.oy + y1, st.ox + x2, st.oy + y2, st.fillSolid ? st.fill : st.bk);
}

void FloodFill(int32_t x, int32_t y, uint32_t border) {
    const int64_t sx = st.ox + x, sy = st.oy + y;
    const uint8_t b = colourIndex(border);
    const uint8_t c = st.fillSolid ? st.fill : st.bk;
    if (sx < st.cx1 || sx > st.cx2 || sy < st.cy1 || sy > st.cy2 || pix[sy][sx] == b) return;
    // A filled pixel is never filled again: it holds the border colour, or
    // FILLING until the fill is done. Each run of open pixels is filled
    // whole, and the runs beside it above and below are seeded.
    const uint8_t f = c == b ? b : FILLING;
    int64_t minX = sx, maxX = sx, minY = sy, maxY = sy;
    size_t top = 0;
    seeds[top++] = {static_cast<int16_t>(sx), static_cast<int16_t>(sy)};
    while (top > 0) {
        const Seed s = seeds[--top];
        uint8_t* row = pix[s.y].data();
        if (row[s.x] == b || row[s.x] == f) continue;
        const int64_t l = findStopBack(row, s.x - 1, st.cx1, b, f) + 1;
        const int64_t r = findStop(row, s.x + 1, st.cx2, b, f) - 1;
        std::memset(row + l, f, static_cast<size_t>(r - l + 1));
        minX = std::min(minX, l);
        maxX = std::max(maxX, r);
        minY = std::min<int64_t>(minY, s.y);
        maxY = std::max<int64_t>(maxY, s.y);
        for (int64_t ny : {int64_t{s.y} - 1, int64_t{s.y} + 1}) {
            if (ny < st.cy1 || ny > st.cy2) continue;
            const uint8_t* nr = pix[ny].data();
            for (int64_t i = skipStops(nr, l, r, b, f); i <= r; i = skipStops(nr, findStop(nr, i, r, b, f), r, b, f))
                if (top < seeds.size()) seeds[top++] = {static_cast<int16_t>(i), static_cast<int16_t>(ny)};
        }
    }
    if (f != c)
        for (int64_t yy = minY; yy <= maxY; ++yy)
            for (int64_t xx = minX; xx <= maxX; ++xx)
                if (pix[yy][xx] == FILLING) pix[yy][xx] = c;
}

void OutTextXY(int32_t x, int32_t y, std::string_view text) {
    const int s = st.textScale;
    const uint8_t c = st.colour;
    const uint64_t colour8 = 0x0101010101010101ull * c;
    int64_t gx = st.ox + x;
    const int64_t gy = st.oy + y;
    for (unsigned char ch : text) {
        if (EMPTY[ch]) {
            gx += 8 * s;
            if (gx > st.cx2) break;
            continue;
        }
        const uint8_t* glyph = &FONT[ch * 16];
        const bool inside = gx >= st.cx1 && gx + 8 * s - 1 <= st.cx2 && gy >= st.cy1 && gy + 16 * s - 1 <= st.cy2;
        if (inside && s == 1) {
            // A whole glyph row at once: its eight pixels as one word.
            for (int row = 0; row < 16; ++row) {
                const uint64_t m = GLYPHMASK[glyph[row]];
                uint8_t* p = &pix[gy + row][gx];
                uint64_t w;
                std::memcpy(&w, p, 8);
                w = (w & ~m) | (colour8 & m);
                std::memcpy(p, &w, 8);
            }
            gx += 8;
            if (gx > st.cx2) break;
            continue;
        }
        for (int row = 0; row < 16; ++row) {
            const uint8_t bits = glyph[row];
            if (!bits) continue;
            for (int col = 0; col < 8; ++col) {
                if (!(bits & (0x80 >> col))) continue;
                for (int dy = 0; dy < s; ++dy)
                    for (int dx = 0; dx < s; ++dx) {
                        const int64_t px = gx + col * s + dx, py = gy + row * s + dy;
                        if (inside)
                            pix[py][px] = c;
                        else
                            plot(px, py, c);
                    }
            }
        }
        gx += 8 * s;
        if (gx > st.cx2) break;
    }
}

uint8_t GetPixel(int32_t x, int32_t y) {
    if (x < 0 || x > MaxX || y < 0 || y > MaxY) return 0;
    return pix[y][x];
}

}  // namespace WinGraph

namespace WinCrt {

using namespace platform;

bool KeyPressed() {
    if (keyCount == 0 && display) display->poll();
    return keyCount > 0;
}

char ReadKey() {
    while (keyCount == 0) {
        if (!display) throw Halt{0, "keys ran out"};
        display->waitKey();
    }
    const uint8_t code = keyRing[keyHead];
    keyHead = (keyHead + 1) % keyRing.size();
    --keyCount;
    if (display) display->delivered();
    return static_cast<char>(code);
}

}  // namespace WinCrt
