// The graphics window of the whole program and the three drawing helpers that
// every screen uses.
#pragma once

#include <cstdint>

#include "../platform/graph.h"

namespace UNTGRAPHICS {

using KLEUR = uint32_t;

// A graphics mode number; nothing assigns it, so it holds 0.
extern int16_t GRMODE;

// Opens the window: 16 colours, 640 x 480, caption "Zelvantor data presentation".
void GRHAALDRIVER();
// Enters graphics mode GRMODE on the window already open: no visible effect.
void GRNAARGRAP();
// Closes the window.
void GRWISDRIVER();
// Whole window as viewport, drawing colour VOORG, every pixel painted ACHTER.
void GRSCHERM(KLEUR VOORG, KLEUR ACHTER);
// A box outlined in VOORG and flood-filled in ACHTER from two pixels inside
// its top-left corner; leaves the drawing colour VOORG.
void GRETIKET(int16_t PX1, int16_t PY1, int16_t PX2, int16_t PY2, KLEUR VOORG, KLEUR ACHTER);
// Drawing colour and solid fill colour both VOORG.
void GRKLEUR(KLEUR VOORG);

// A real value made a pixel offset: rounded to the nearest whole number, an
// exact half to the even neighbour, once. Values beyond the coordinate range
// saturate with room to spare, so adding a screen-sized offset never wraps.
int32_t AFRONDEN(double WAARDE);

}  // namespace UNTGRAPHICS
