#include "UNTGRAPHICS.h"

#include <cmath>

namespace UNTGRAPHICS {

using namespace WinGraph;

int16_t GRMODE = 0;

void GRHAALDRIVER() {
    // InitGraph takes driver and mode by reference; what it writes back is not looked at.
    int16_t GD = 2;
    int16_t GM = 4;
    const char* TITEL = "Zelvantor data presentation";
    InitGraph(GD, GM, TITEL);
}

void GRNAARGRAP() { SetGraphMode(GRMODE); }

void GRWISDRIVER() { CloseGraph(); }

void GRSCHERM(KLEUR VOORG, KLEUR ACHTER) {
    SetViewPort(0, 0, GetMaxX(), GetMaxY(), true);
    SetColor(VOORG);
    SetBkColor(ACHTER);
    ClearViewPort();
}

void GRETIKET(int16_t PX1, int16_t PY1, int16_t PX2, int16_t PY2, KLEUR VOORG, KLEUR ACHTER) {
    SetColor(VOORG);
    SetFillStyle(SolidFill, ACHTER);
    Rectangle(PX1, PY1, PX2, PY2);
    FloodFill(PX1 + 2, PY1 + 2, VOORG);
    SetColor(VOORG);
}

void GRKLEUR(KLEUR VOORG) {
    SetColor(VOORG);
    SetFillStyle(SolidFill, VOORG);
}

int32_t AFRONDEN(double WAARDE) {
    constexpr double GRENS = 2'000'000'000.0;
    if (std::isnan(WAARDE)) return 0;
    if (WAARDE >= GRENS) return static_cast<int32_t>(GRENS);
    if (WAARDE <= -GRENS) return static_cast<int32_t>(-GRENS);
    return static_cast<int32_t>(std::nearbyint(WAARDE));
}

}  // namespace UNTGRAPHICS
