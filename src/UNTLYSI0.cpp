#include "UNTLYSI0.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/display.h"

namespace UNTLYSI0 {

RECTYPE REC{};
std::array<char, RECLEN> SREC{};
int32_t RECNR = 0;
int32_t XRECNR = -1;

const std::string_view SKOP1 = "CMET jjjjmmdd    Rzel  NN1  NN2  NN3  NN4  Pb1  Pb2  Pb3  Pb4";
const std::string_view SFOR1 = "    .    1    .    2    .    3    .    4    .    5    .    6 ";
const std::string_view SKOP2 = "CMET jjjjmmdd    Rzel  >>>  PbA  PbB  PbC W116 W194    Q    Q";
const std::string_view SFOR2 = "    .    1    .    2   >>>   .    7    .    8    .    9    . ";

namespace {

int F = -1;          // the open file
int32_t N = 0;       // records counted at start-up
int32_t POSITIE = 0; // record number of the next read
off_t GROOTTE = 0;   // size of the file when it was opened

// The records of one positioning are read in blocks: one system call brings
// as many records as a chart reads after it positions the file. Every
// positioning empties the block, so each pass reads the file again.
constexpr int32_t BLOK = 96;
std::array<char, BLOK * RECLEN> BLOKDATA;
int32_t BLOKEERSTE = 0;  // record number of the first record in the block
int32_t BLOKAANTAL = 0;  // complete records in the block
constexpr int32_t MAXRECORDS = 2'000'000'000;

[[noreturn]] void STOPFOUT(const std::string& TEKST) {
    std::fprintf(stderr, "torvelin: %s\n", TEKST.c_str());
    throw platform::Halt{1, "observation file error"};
}

std::string BESTAND() { return std::string("observation file ") + FILENAAM + " in " + MAP(); }

// The reason of a failed system call; taken before anything else can change errno.
std::string REDEN(int E) { return std::strerror(E); }

[[noreturn]] void OPENFOUT(int E) { STOPFOUT("cannot open " + BESTAND() + ": " + REDEN(E)); }

[[noreturn]] void LEESFOUT(int32_t NR, const std::string& WAAROM) {
    STOPFOUT("cannot read record " + std::to_string(NR) + " of " + BESTAND() + ": " + WAAROM);
}

// Scans the number rule's grammar from I; returns the end of the number, or
// npos when there is no number there.
size_t SCAN(std::string_view T, size_t I) {
    if (I < T.size() && (T[I] == '+' || T[I] == '-')) ++I;
    size_t CIJFERS = 0;
    while (I < T.size() && T[I] >= '0' && T[I] <= '9') ++I, ++CIJFERS;
    if (I < T.size() && T[I] == '.') {
        ++I;
        while (I < T.size() && T[I] >= '0' && T[I] <= '9') ++I, ++CIJFERS;
    }
    if (CIJFERS == 0) return std::string_view::npos;
    if (I < T.size() && (T[I] == 'e' || T[I] == 'E')) {
        ++I;
        if (I < T.size() && (T[I] == '+' || T[I] == '-')) ++I;
        size_t EXP = 0;
        while (I < T.size() && T[I] >= '0' && T[I] <= '9') ++I, ++EXP;
        if (EXP == 0) return std::string_view::npos;
    }
    return I;
}

// For a number by the rule, without its sign, that a double cannot hold:
// true when it is too large, false when too small. Its first digit other than
// 0 stands for a power of ten of at least 0 exactly when it is too large.
bool TEGROOT(std::string_view R) {
    size_t I = 0;
    int64_t MACHT = 0;  // power of ten of the first digit other than 0
    bool GEVONDEN = false;
    for (; I < R.size() && R[I] >= '0' && R[I] <= '9'; ++I) {
        if (GEVONDEN)
            ++MACHT;
        else if (R[I] != '0')
            GEVONDEN = true;
    }
    if (!GEVONDEN && I < R.size() && R[I] == '.') {
        MACHT = -1;
        for (++I; I < R.size() && R[I] == '0'; ++I) --MACHT;
    }
    const size_t E = R.find_first_of("eE");
    int64_t EXP = 0;
    bool MIN = false;
    if (E != std::string_view::npos) {
        size_t J = E + 1;
        if (J < R.size() && (R[J] == '+' || R[J] == '-')) MIN = R[J++] == '-';
        // Far beyond any double; the digits count no further.
        for (; J < R.size() && R[J] >= '0' && R[J] <= '9'; ++J) EXP = EXP < 1'000'000'000'000 ? EXP * 10 + (R[J] - '0') : EXP;
    }
    return MACHT + (MIN ? -EXP : EXP) >= 0;
}

size_t BEGIN(std::string_view T) {
    size_t I = 0;
    while (I < T.size() && (T[I] == ' ' || T[I] == '\t')) ++I;
    return I;
}

}  // namespace

std::string MAP() {
    char BUF[4096];
    if (getcwd(BUF, sizeof BUF)) return BUF;
    return ".";
}

void OPENEN() {
    if (F >= 0) close(F);
    // Not blocking: a pipe by that name would otherwise wait for a writer for
    // ever; it then counts as a file of no records.
    F = open(FILENAAM, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (F < 0) OPENFOUT(errno);
    struct stat ST;
    if (fstat(F, &ST) != 0) OPENFOUT(errno);
    if (S_ISDIR(ST.st_mode)) OPENFOUT(EISDIR);
    GROOTTE = S_ISREG(ST.st_mode) ? ST.st_size : 0;
    POSITIE = 0;
    BLOKAANTAL = 0;
}

void OPSTARTEN() {
    OPENEN();
    const off_t AANT = GROOTTE / RECLEN;
    if (AANT == 0) STOPFOUT(BESTAND() + " holds no complete 96-byte record");
    // A record number is a 32-bit count and the screens step it by up to 1461
    // records past the last page; no real file comes near this many records.
    N = AANT > MAXRECORDS ? MAXRECORDS : static_cast<int32_t>(AANT);
    XRECNR = N - 1;
    SREC.fill(' ');
}

int32_t AANTAL() { return N; }

void ZOEK(int32_t NR) {
    if (NR < 0 || NR > N) STOPFOUT("cannot seek to record " + std::to_string(NR) + " of " + BESTAND());
    POSITIE = NR;
    BLOKAANTAL = 0;
}

namespace {
// Fills the block from record POSITIE on, with up to BLOK records and no
// further than the last record counted at start-up. A file that has become
// shorter gives the records it still holds; the first missing one fails.
void VULBLOK() {
    const int32_t WIL = N - POSITIE < BLOK ? N - POSITIE : BLOK;
    const size_t BYTES = static_cast<size_t>(WIL) * RECLEN;
    const off_t PLAATS = static_cast<off_t>(POSITIE) * RECLEN;
    size_t GELEZEN = 0;
    while (GELEZEN < BYTES) {
        const ssize_t R = pread(F, BLOKDATA.data() + GELEZEN, BYTES - GELEZEN, PLAATS + static_cast<off_t>(GELEZEN));
        if (R < 0 && errno == EINTR) continue;
        if (R < 0) {
            if (GELEZEN >= RECLEN) break;
            LEESFOUT(POSITIE, REDEN(errno));
        }
        if (R == 0) break;
        GELEZEN += static_cast<size_t>(R);
    }
    if (GELEZEN < RECLEN) LEESFOUT(POSITIE, "the file ends before it (was it changed while the viewer ran?)");
    BLOKEERSTE = POSITIE;
    BLOKAANTAL = static_cast<int32_t>(GELEZEN / RECLEN);
}
}  // namespace

void LEESVOLGENDE() {
    // The screens read no further than the last record counted at start-up.
    if (POSITIE >= N) LEESFOUT(POSITIE, "it lies after the last record");
    if (POSITIE < BLOKEERSTE || POSITIE >= BLOKEERSTE + BLOKAANTAL) VULBLOK();
    const size_t I = static_cast<size_t>(POSITIE - BLOKEERSTE) * RECLEN;
    std::memcpy(REC.DATA.data(), BLOKDATA.data() + I, RECLEN);
    ++POSITIE;
    SREC = REC.DATA;
}

bool EINDE() { return POSITIE >= N; }

std::string_view VELD(int P, int L) { return std::string_view(SREC.data() + (P - 1), static_cast<size_t>(L)); }

double GETAL(int P, int L) { return LEESGETAL(VELD(P, L)); }

int16_t CIJFER(int P) {
    const char C = SREC[P - 1];
    return (C >= '0' && C <= '9') ? static_cast<int16_t>(C - '0') : int16_t{0};
}

bool ISGETAL(std::string_view T) { return SCAN(T, BEGIN(T)) == T.size(); }

double LEESGETAL(std::string_view T) {
    size_t I = BEGIN(T);
    if (SCAN(T, I) != T.size()) return 0.0;
    bool NEG = false;
    if (T[I] == '+' || T[I] == '-') NEG = T[I++] == '-';
    // Whole numbers of up to 15 digits, the usual field, are exact as they are counted.
    if (T.size() - I <= 15) {
        int64_t HEEL = 0;
        size_t J = I;
        for (; J < T.size() && T[J] >= '0' && T[J] <= '9'; ++J) HEEL = HEEL * 10 + (T[J] - '0');
        if (J == T.size()) return NEG ? -static_cast<double>(HEEL) : static_cast<double>(HEEL);
    }
    double W = 0.0;
    const auto [EIND, FOUT] = std::from_chars(T.data() + I, T.data() + T.size(), W, std::chars_format::general);
    if (FOUT == std::errc::result_out_of_range) {
        // Too large or too small for a double: which, the power of ten of the
        // number tells, not the sign of its exponent (1000...0e-5 with
        // hundreds of digits is still too large).
        W = TEGROOT(std::string_view(T.data() + I, T.size() - I)) ? HUGE_VAL : 0.0;
    } else if (FOUT != std::errc() || EIND != T.data() + T.size()) {
        return 0.0;
    }
    return NEG ? -W : W;
}

}  // namespace UNTLYSI0
