// Key reading, option stepping, the warning beep, and the command bar that the
// presentation screens share.
#pragma once

#include <cstdint>
#include <string_view>

#include "UNTGRAPHICS.h"

namespace UNTPROGDELEN {

// The key last read by the screens' KIES.
extern char KR;

// The next key code that is not 0, typed after the call began: everything
// typed ahead is dropped first, and a special key gives its second code.
void LEESKEY(char& CH);

// A short warning beep; returns at once.
void FLUITEN();

// One step of option selection for key CH: Up or Left (H, K) steps KK back,
// Down or Right (M, P) steps it on, wrapping within NN..NX; any other key
// leaves KK and returns true (confirmed).
bool STAP(char CH, int16_t& KK, int16_t NN, int16_t NX);

// The command bar. The cells are 48 pixels wide, eleven of them from x = 56,
// between y = 442 and 458; the labels stand on YCOMM.
constexpr int16_t YCOMM = 446;

// Draws the whole bar with cell KLIST highlighted: the red box, the label line
// SCOMM, the help line below it and the yellow outline of the cell. The chart
// screens reset the line style to solid first (RESETLIJN), because their
// charts may leave it dotted.
void TEKENBALK(std::string_view SCOMM, int16_t TAAL, int16_t KLIST, bool RESETLIJN);
// The outline of cell K in the current drawing colour.
void BALKCEL(int16_t K);
// The choice loop: moves the highlight with the arrow keys until a cell is
// confirmed; KIES(KK, NN, NX) is the screen's own option stepping, which sets
// UIT. After every key the old outline is painted Red and the new one Yellow,
// so after a confirming key the same cell is painted over and drawn again.
template <class KIESFN>
void KEUZELUS(int16_t& KLIST, int16_t& KLMM, const bool& UIT, KIESFN&& KIES) {
    do {
        KLMM = KLIST;
        KIES(KLIST, 1, 11);
        UNTGRAPHICS::GRKLEUR(WinGraph::Red);
        BALKCEL(KLMM);
        UNTGRAPHICS::GRKLEUR(WinGraph::Yellow);
        BALKCEL(KLIST);
    } while (!UIT);
}

// The records that confirming cell K of the bar moves the current day: one
// record is one day, and the steps are counts, not calendar arithmetic: back
// 4 years (4 x 365 + 1), 1 year, 3 months (13 weeks), 23 days for cells 1 to
// 4, forward the same for cells 11 to 8; 0 for cells 5, 6 and 7, which every
// screen gives a meaning of its own.
int32_t CELSTAP(int16_t K);

// The help line under the command bar and the language screen's panel.
extern const std::string_view ANAVIGATIE[4];

}  // namespace UNTPROGDELEN
