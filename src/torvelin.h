// The main program: start-up, the language choice, the main menu and shutdown.
#pragma once

#include <cstdint>
#include <string>

namespace torvelin {

// Current language: 1 Dutch, 2 English, 3 German.
extern int16_t TAAL;
// Highlighted language cell, highlighted menu entry, the option before the last step.
extern int16_t KTL, KSP, KMM;
extern bool UIT, STOPPEN;
extern char KR;

constexpr int16_t MXKEUS = 6;
constexpr int FNT = 0;

extern const std::string AOPSCHR[4];
extern const std::string ASHOWPR[4][14];
extern const std::string_view ATEKST[4][17];
extern const std::string_view SBALK;
constexpr int16_t YBALK = 460;

void INITIEER();
void KIESTAAL();
void SHOWKEUZE();
void KIES(int16_t& KK, int16_t NN, int16_t NX);

// The program body: runs start-up, the language choice, the menu and shutdown,
// and gives the exit status.
int HOOFDPROGRAMMA();

}  // namespace torvelin
