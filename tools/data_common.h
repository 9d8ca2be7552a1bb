// torvelin-data: what the subcommands share. The record layout and the number
// rule are the viewer's own (UNTLYSI0); this file only names the series the
// tool reports on and adds the calendar and the file handling of a tool.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "UNTLYSI0.h"

namespace tvdata {

// ---- calendar ---------------------------------------------------------------

struct Date {
    int y = 0, m = 0, d = 0;
};
// Days since 1970-01-01 (proleptic Gregorian calendar).
long dayNumber(int y, int m, int d);
Date civil(long z);
// The Dutch weekday code of a day number: "MA" .. "ZO".
const char* weekdayCode(long z);
// "jjjjmmdd" as stored at positions 6..13; false unless it is a real date.
bool parseDate(std::string_view text, Date& out);
// "1941-06-01".
std::string iso(const Date& d);
constexpr int FIRST_YEAR = 1941, FIRST_MONTH = 6, FIRST_DAY = 1;

// ---- the observation file ---------------------------------------------------

struct ObsFile {
    std::string name;
    std::string bytes;
    size_t records() const { return bytes.size() / UNTLYSI0::RECLEN; }
    size_t tail() const { return bytes.size() % UNTLYSI0::RECLEN; }
    std::string_view record(size_t n) const {
        return std::string_view(bytes).substr(n * UNTLYSI0::RECLEN, UNTLYSI0::RECLEN);
    }
};
// Reads the whole file; false with a one-line reason when it cannot be read.
bool readObservations(const std::string& name, ObsFile& out, std::string& why);

// copy(record, p, n) with 1-based p, as the viewer's VELD.
inline std::string_view field(std::string_view rec, int p, int n) {
    return rec.substr(static_cast<size_t>(p - 1), static_cast<size_t>(n));
}
inline char at(std::string_view rec, int p) { return rec[static_cast<size_t>(p - 1)]; }
inline bool isBlank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

// ---- the series of the record -------------------------------------------------

enum class Kind {
    Rain,     // tenths of a millimetre, rainfall flag a digit or blank
    Drain,    // hundredths of a millimetre, operation flag a digit or blank
    TankPb,   // piezometer in a tank, "9" when read
    OuterPb,  // piezometer A, B, C outside the tanks, cm NAP; "9" at 66 stands for all three
    Well,     // dune well, cm NAP, "9" when read
};

struct Series {
    const char* name;  // the listing's heading: "Rzel", "NN1", "Pb1", "PbA", "W116"
    const char* what;  // in words, for messages
    Kind kind;
    int pos;   // first position of the 4-character number
    int flag;  // position of its flag
    double lo, hi;  // the values the charts draw within their scales
};
// Rzel, NN1..NN4, Pb1..Pb4, PbA..PbC, W116, W194, in record order.
const std::vector<Series>& allSeries();

// Position of the flag that marks a day on which A, B and C were read.
constexpr int POSPBDAG = UNTLYSI0::POSPBUIT(1) + 4;  // 66

// Whether the reading of `s` was taken on this day: always for rainfall, for
// the drain unless its operation flag is 9, for a piezometer or well when its
// flag is "9" (for B and C also when the flag at 66 is "9", the flag the
// piezometer chart goes by).
bool taken(std::string_view rec, const Series& s);

// Operation flag digits: +1 pumped, +4 damming; 8 completed, 9 missing.
inline bool opPumped(int q) { return q >= 1 && q <= 7 && (q & 1); }
inline bool opDammed(int q) { return q >= 4 && q <= 7; }

// ---- output -------------------------------------------------------------------

// Writes `content` to `name` through a temporary file in the same folder and a
// rename, so that the file is either whole or not there; "-" or "" is stdout.
bool writeOutput(const std::string& name, const std::string& content, std::string& why);

// The shortest text that reads back as `v` ("2.5", "0", "-12").
std::string shortest(double v);

// ---- subcommands ------------------------------------------------------------------

std::string makeSample();
int runCheck(const ObsFile& f, long maxPerKind, std::string& out);
std::string makeCsv(const ObsFile& f, long& emptied);
std::string makeSummary(const ObsFile& f, long& undated);

}  // namespace tvdata
