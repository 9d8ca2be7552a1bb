#include "UNTLYSI1.h"

#include <string_view>

#include "UNTLYSI0.h"
#include "Units/UNTGRAPHICS.h"
#include "Units/UNTPROGDELEN.h"

namespace UNTLYSI1 {

using namespace WinGraph;
using namespace UNTGRAPHICS;

namespace {

// The listing's own label line: cells 5 and 7 switch between the two views.
const std::string_view SCOMM[4] = {
    "",
    "-4jr  -1jr  -3mnd -23dg lysim  STOP peilb +23dg +3mnd +1jr  +4jr ",
    "-4yr  -1yr  -3mth -23ds lysim  QUIT phrlv +23ds +3mth +1yr  +4yr ",
    "-4Jr  -1Jr  -3Mon -23Tg Lysim  HALT PhrEb +23Tg +3Mon +1Jr  +4Jr ",
};

// Rows of a page, and the gap that view "peilb" puts after position 21.
constexpr int32_t REGELS = 24;
const std::string_view SPRONG = "  >>>";

}  // namespace

void SCHERMLISTING(int16_t TAAL) {
    int16_t KLIST = 6, KLMM = 6;
    bool UIT = false, VOOR = true, STOP = false;

    // Clears the window to Blue and draws the heading and ruler of the view.
    auto KOPPEN = [&] {
        GRSCHERM(Yellow, Blue);
        if (VOOR) {
            OutTextXY(72, 4, UNTLYSI0::SKOP1);
            OutTextXY(72, 20, UNTLYSI0::SFOR1);
        } else {
            OutTextXY(72, 4, UNTLYSI0::SKOP2);
            OutTextXY(72, 20, UNTLYSI0::SFOR2);
        }
    };

    // Brings RECNR within the file and draws the page that starts there: the
    // last page ends with the last record, and a file of fewer than 24
    // records is shown whole from record 0 on a short page.
    auto LISTEN = [&](int32_t& RECNR) {
        const int32_t N = UNTLYSI0::AANTAL();
        if (static_cast<int64_t>(RECNR) + REGELS > N) RECNR = N - REGELS;
        if (RECNR < 0) RECNR = 0;
        UNTLYSI0::ZOEK(RECNR);
        const int32_t RIJEN = N - RECNR < REGELS ? N - RECNR : REGELS;
        // The line of a row, 61 characters in both views, kept in place so
        // that a page allocates nothing.
        char SLISTREC[61];
        for (int32_t REG = 1; REG <= RIJEN; ++REG) {
            UNTLYSI0::LEESVOLGENDE();
            if (VOOR) {
                UNTLYSI0::VELD(1, 61).copy(SLISTREC, 61);
            } else {
                UNTLYSI0::VELD(1, 21).copy(SLISTREC, 21);
                SPRONG.copy(SLISTREC + 21, 5);
                UNTLYSI0::VELD(62, 35).copy(SLISTREC + 26, 35);
            }
            OutTextXY(72, 16 * REG + 30, std::string_view(SLISTREC, sizeof SLISTREC));
        }
    };

    // The bar without the line-style reset: this screen never changes it.
    auto COMMANDOBALK = [&](int16_t TL, int16_t KL) { UNTPROGDELEN::TEKENBALK(SCOMM[TL], TL, KL, false); };

    auto KIES = [&](int16_t& KK, int16_t NN, int16_t NX) {
        UNTPROGDELEN::LEESKEY(UNTPROGDELEN::KR);
        UIT = UNTPROGDELEN::STAP(UNTPROGDELEN::KR, KK, NN, NX);
    };

    UNTLYSI0::OPENEN();
    KLIST = 6;
    VOOR = true;
    STOP = false;
    do {
        KOPPEN();
        LISTEN(UNTLYSI0::RECNR);
        COMMANDOBALK(TAAL, KLIST);
        UNTPROGDELEN::KEUZELUS(KLIST, KLMM, UIT, KIES);
        // The steps are not bounded here; the next page brings RECNR back.
        switch (KLIST) {
        case 5: VOOR = true; break;
        case 6: STOP = true; break;
        case 7: VOOR = false; break;
        default: UNTLYSI0::RECNR += UNTPROGDELEN::CELSTAP(KLIST); break;
        }
    } while (!STOP);
}

}  // namespace UNTLYSI1
