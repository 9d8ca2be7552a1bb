// The lysimeter operation chart and the lysimeter water-balance chart, and the
// frame that every chart screen runs in.
#pragma once

#include <cstdint>

namespace UNTLYSI2 {

// The screen state of this unit's two screens.
extern int16_t KLIST, KLMM;
extern bool VOOR, STOP, UIT;

// Menu entry 2; returns when the user confirms STOP.
void GRABEDRIJF(int16_t TAAL);
// Menu entry 3; returns when the user confirms STOP.
void GRABAKKEN(int16_t TAAL);

// The screen state a chart screen runs on (its unit's variables).
struct GRAFIEKSTAAT {
    int16_t& KLIST;
    int16_t& KLMM;
    bool& VOOR;
    bool& STOP;
    const bool& UIT;
};

// The frame of a chart screen. On entry cell 6 is highlighted, VOOR is true
// and STOP false; then, pass after pass: RECNR is brought within 0 and the
// last first day of a full listing page (with one beep when the upper bound
// holds it back), the window is cleared to Blue with LightGray as drawing
// colour, TEKEN draws the chart(s), COMMANDOBALK(TAAL, KLIST) the bar, and
// the choice loop runs until a cell is confirmed; cells 1 to 4 and 8 to 11
// move RECNR, 6 stops, 5 and 7 set VOOR when WISSELT (the lysimeter pair)
// and only redraw otherwise.
void GRAFIEKSCHERM(int16_t TAAL, GRAFIEKSTAAT S, bool WISSELT, void (*TEKEN)(),
                   void (*COMMANDOBALK)(int16_t, int16_t), void (*KIES)(int16_t&, int16_t, int16_t));

// The window of days of every chart: it starts 40 days before RECNR, so that
// RECNR's own column always starts at x = 280. Near the start of the file the
// first columns stay empty and the chart begins further right: ADRES is the
// first record read, XX the x of its column, TELLER the days already counted.
// Positions the file at ADRES.
void DAGVENSTER(int32_t& ADRES, int16_t& XX, int16_t& TELLER);

}  // namespace UNTLYSI2
