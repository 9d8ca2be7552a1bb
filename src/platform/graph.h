// The window, drawing and key reading the program draws with: a BGI-style
// interface over a 640 x 480 surface of 16-colour pixels. How the surface is
// shown and where keys come from is the business of a Display (display.h).
#pragma once

#include <cstdint>
#include <string_view>

namespace WinGraph {

// The 16 named colours, with their standard indices.
enum : uint32_t {
    Black, Blue, Green, Cyan, Red, Magenta, Brown, LightGray,
    DarkGray, LightBlue, LightGreen, LightCyan, LightRed, LightMagenta, Yellow, White
};

enum : int { SolidLn = 0, DottedLn = 1 };
enum : int { SolidFill = 1 };

constexpr int MaxX = 639;
constexpr int MaxY = 479;

// Opens the window (driver 2: 16 colours, mode 4: 640 x 480). When it cannot be
// opened the program says why on stderr and ends with status 1.
void InitGraph(int16_t& driver, int16_t& mode, std::string_view caption);
// The window is already in graphics mode: nothing changes.
void SetGraphMode(int16_t mode);
void CloseGraph();
int GetMaxX();
int GetMaxY();

void SetViewPort(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool clip);
void ClearViewPort();
void SetColor(uint32_t colour);
void SetBkColor(uint32_t colour);
void SetFillStyle(int pattern, uint32_t colour);
void SetLineStyle(int style, uint16_t pattern, int thickness);
void SetTextStyle(int font, int direction, int size);

void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void Bar(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void FloodFill(int32_t x, int32_t y, uint32_t border);
void OutTextXY(int32_t x, int32_t y, std::string_view text);

// The colour index of one pixel of the surface (0 outside it).
uint8_t GetPixel(int32_t x, int32_t y);

}  // namespace WinGraph

namespace WinCrt {

// True while at least one key code waits.
bool KeyPressed();
// Waits for the next key code and takes it.
char ReadKey();

}  // namespace WinCrt
