// The observation file, its record layout, the rule for reading a number from
// a field, and the current record that all screens share.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace UNTLYSI0 {

// The observation file, looked for in the current directory.
constexpr const char* FILENAAM = "TORVELIN.VSs";
// Bytes a record; record n holds day n from 1 June 1941 on.
constexpr int RECLEN = 96;
// Position of the two-digit year in the record.
constexpr int POSJJ = 8;

// Positions in the record, 1-based.
constexpr int POSDATUM = 6;     // jjjjmmdd, 8 characters
constexpr int POSMAAND = 8;     // yymm, the label of a month line
constexpr int POSDAG = 12;      // day of the month, "01" for the first
constexpr int POSWEEKDAG = 15;  // weekday code, "ZO" for Sunday
constexpr int POSRZEL = 17;     // rainfall, tenths of a millimetre
constexpr int POSRVLAG = 21;    // rainfall flag
// Drain of tank k (1..4), hundredths of a millimetre; the operation flag follows it.
constexpr int POSNN(int k) { return 5 * k + 17; }
// Piezometer tube in tank k (1..4); "9" after it when it was read.
constexpr int POSPB(int k) { return 5 * k + 37; }
// Piezometer k (1..3: A, B, C) outside the tanks, cm NAP; "9" at 66 when read.
constexpr int POSPBUIT(int k) { return 5 * k + 57; }
constexpr int POSW116 = 77;  // dune well W116, cm NAP; "9" at 81 when read
constexpr int POSW194 = 82;  // dune well W194, cm NAP; "9" at 86 when read

struct RECTYPE {
    std::array<char, RECLEN> DATA;
};

// The record read last, as stored and as text (character i is byte i).
extern RECTYPE REC;
extern std::array<char, RECLEN> SREC;
// The current record: the first day of the listing page and the day around
// which the charts are drawn.
extern int32_t RECNR;
// The number of the last record.
extern int32_t XRECNR;

// Headings and rulers of the listing's two views.
extern const std::string_view SKOP1, SFOR1, SKOP2, SFOR2;

// Start-up of the unit: opens the file and notes its last record number. A
// file that cannot be opened, or holds no complete record, ends the program
// with a message on stderr and status 1.
void OPSTARTEN();
// Opens the file again for reading, before record 0.
void OPENEN();
// Number of complete records.
int32_t AANTAL();
// The next read gives record N.
void ZOEK(int32_t N);
// Reads the record at the position into REC and SREC and moves on by one.
void LEESVOLGENDE();
// True when the record just read was the last one.
bool EINDE();

// copy(SREC, P, N): characters P to P + N - 1 of the current record.
std::string_view VELD(int P, int N);
// The field read by the number rule (0 when it is not a number).
double GETAL(int P, int N);
// A one-character field: a digit gives its value, anything else 0.
int16_t CIJFER(int P);

// The number rule: leading blanks and tabs, an optional sign, digits with an
// optional point, an optional exponent, and nothing after it; anything else
// reads as 0.
double LEESGETAL(std::string_view TEKST);
// Whether TEKST is wholly one number by that rule.
bool ISGETAL(std::string_view TEKST);

// The folder the observation file is looked for in (the current directory).
std::string MAP();

}  // namespace UNTLYSI0
