// torvelin-data sample: a synthetic observation record, 1 June 1941 to
// 31 December 1961, that looks like the station's own. Everything comes from
// one fixed seed through a small generator of our own and plain arithmetic
// (no library distributions, no library logarithms), so that every machine
// writes the same bytes.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "data_common.h"

namespace tvdata {

namespace {

using namespace UNTLYSI0;

// splitmix64
struct Rng {
    uint64_t s;
    uint64_t next() {
        uint64_t z = (s += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in (0, 1].
    double u() { return static_cast<double>((next() >> 11) + 1) * 0x1.0p-53; }
    // Roughly normal, mean 0, deviation 1 (sum of twelve uniforms).
    double normal() {
        double t = 0;
        for (int i = 0; i < 12; ++i) t += u();
        return t - 6.0;
    }
};

// Natural logarithm and exponential from + - * / only, so the sample does not
// depend on the mathematics library of the machine.
constexpr double LN2 = 0.69314718055994530942;

double ln(double x) {
    int e = 0;
    double m = std::frexp(x, &e);  // exact: x = m * 2^e, 0.5 <= m < 1
    if (m < 0.70710678118654752440) {
        m *= 2;
        --e;
    }
    const double s = (m - 1) / (m + 1), s2 = s * s;
    double term = s, sum = 0;
    for (int k = 1; k <= 41; k += 2) {
        sum += term / k;
        term *= s2;
    }
    return e * LN2 + 2 * sum;
}

double ex(double x) {
    const double k = std::floor(x / LN2 + 0.5);
    const double r = x - k * LN2;
    double term = 1, sum = 1;
    for (int n = 1; n <= 24; ++n) {
        term *= r / n;
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

double pw(double a, double b) { return ex(b * ln(a)); }

long rnd(double x) { return static_cast<long>(std::floor(x + 0.5)); }

// By month, January first.
// Chance of a wet day after a dry one; after a wet one it is this plus 0.34.
constexpr std::array<double, 12> WETAFTERDRY = {0.38, 0.34, 0.31, 0.29, 0.29, 0.31,
                                                0.33, 0.34, 0.34, 0.37, 0.40, 0.40};
// Amount factor of a wet day.
constexpr std::array<double, 12> AMOUNT = {0.95, 0.85, 0.80, 0.80, 0.95, 1.00,
                                           1.15, 1.25, 1.15, 1.15, 1.10, 1.00};
// Potential evaporation, mm a day.
constexpr std::array<double, 12> PET = {0.2, 0.4, 0.9, 1.8, 2.8, 3.3, 3.3, 2.8, 1.8, 0.9, 0.4, 0.2};
// The four tanks: evaporation factor of their cover; tank 1 the barest.
constexpr std::array<double, 4> CROP = {0.62, 0.80, 0.85, 0.95};
constexpr double CAP = 70.0;       // mm the root zone holds
constexpr double QUICK = 0.25;     // part of a surplus that drains the same day
constexpr double SLOW = 0.10;      // part of the lower store that drains a day
constexpr double TONPERMM = 0.15;  // tons in the well per mm of drain of the four tanks
constexpr double PUMPAT = 11.5;    // tons: the well nears 12 tons and is pumped

struct Rec {
    std::string t = std::string(RECLEN, ' ');
    void put(int pos, std::string_view s) { t.replace(static_cast<size_t>(pos - 1), s.size(), s); }
    void num(int pos, int width, long v) {
        char b[32];
        std::snprintf(b, sizeof b, "%*ld", width, v);
        put(pos, b);
    }
    void flag(int pos, char c) { t[static_cast<size_t>(pos - 1)] = c; }
};

}  // namespace

std::string makeSample() {
    Rng rain{0x5A454C56'31393431ULL};  // "ZELV1941"
    Rng ops{0x4D45455450555400ULL};
    Rng obs{0x5045494C42555A00ULL};

    const long first = dayNumber(FIRST_YEAR, FIRST_MONTH, FIRST_DAY);
    const long last = dayNumber(1961, 12, 31);

    std::array<double, 1962 - 1941 + 1> yearFactor{};
    {
        Rng yr{0x4A41415246414354ULL};
        for (double& f : yearFactor) f = 0.76 + 0.38 * yr.u();
    }

    bool wet = false;
    std::array<double, 4> S{35, 30, 30, 28}, G{3, 2, 2, 2};
    std::array<double, 3> H{180, 150, 130};
    constexpr std::array<double, 3> H0{125, 100, 85}, HA{0.65, 0.60, 0.55}, HTAU{80, 100, 120};
    std::array<double, 2> W{600, 510};
    double V = 4.0;  // tons in the well
    enum { OPEN, SUNDAY, MONDAY, TUESDAY } tap = OPEN;
    std::array<double, 4> dammed{};
    bool extra = false;  // this damming goes with a +2 on two of its days
    bool pbMoved = false;
    long week = 0;

    std::string out;
    out.reserve(static_cast<size_t>(last - first + 1) * RECLEN);
    for (long z = first; z <= last; ++z) {
        const Date d = civil(z);
        const std::string wd = weekdayCode(z);
        const int mi = d.m - 1;
        Rec r;
        char date[16];
        std::snprintf(date, sizeof date, "%04d%02d%02d", d.y, d.m, d.d);
        r.put(1, "ZELV");
        r.put(POSDATUM, date);
        r.put(POSWEEKDAG, wd);

        // Rainfall: wet or dry after yesterday, a long-tailed amount on a wet day.
        const double pw_ = WETAFTERDRY[mi] + (wet ? 0.34 : 0.0);
        wet = rain.u() < pw_;
        long rz = 0;
        if (wet) {
            const double lam = 40.0 * AMOUNT[mi] * yearFactor[static_cast<size_t>(d.y - 1941)];
            rz = rnd(lam * pw(-ln(rain.u()), 1.0 / 0.84));
            if (rz < 1) rz = 1;
            if (rz > 780) rz = 780;
        }
        r.num(POSRZEL, 4, rz);
        if (wet) {
            const double f = rain.u();
            const bool winter = d.m <= 3 || d.m == 12;
            if (winter && f < 0.06) r.flag(POSRVLAG, '5');
            else if (f >= 0.06 && f < 0.072) r.flag(POSRVLAG, '6');
            else if (f >= 0.072 && f < 0.076) r.flag(POSRVLAG, '7');
        }

        // Drain of the four tanks: a root zone that spills into a lower store.
        const double p = rz / 10.0;
        std::array<double, 4> q{};
        for (int k = 0; k < 4; ++k) {
            const double et = PET[mi] * CROP[k] * std::min(1.0, S[k] / (0.7 * CAP));
            S[k] = std::max(0.0, S[k] + p - et);
            const double surplus = std::max(0.0, S[k] - CAP);
            S[k] -= surplus;
            G[k] += surplus * (1 - QUICK);
            q[k] = surplus * QUICK + SLOW * G[k];
            G[k] -= SLOW * G[k];
        }

        // The measuring well: read daily, pumped near 12 tons; a Sunday that
        // would fill it is dammed, pumped on Monday and shows on Tuesday.
        std::array<double, 4> shown{};
        int op = 0;
        if (tap == SUNDAY || tap == MONDAY) {
            for (int k = 0; k < 4; ++k) dammed[k] += q[k];
            op = 4;
            if (tap == MONDAY) {
                op = 5 + (extra ? 2 : 0);
                V = 0;
            }
            tap = tap == SUNDAY ? MONDAY : TUESDAY;
        } else {
            for (int k = 0; k < 4; ++k) shown[k] = q[k];
            if (tap == TUESDAY) {
                for (int k = 0; k < 4; ++k) shown[k] += dammed[k], dammed[k] = 0;
                op = 4 + (extra ? 2 : 0);
                tap = OPEN;
            }
            double in = 0;
            for (double s : shown) in += s;
            V += TONPERMM * in;
            if (V >= PUMPAT) {
                op += 1;
                if (op == 1 && ops.u() < 0.08) op = 3;
                V = 0;
            } else if (wd == "ZA" && V + TONPERMM * in >= PUMPAT) {
                tap = SUNDAY;
                extra = ops.u() < 0.2;
            }
        }
        for (int k = 0; k < 4; ++k) {
            long v = rnd(shown[k] * 100);
            int flag = op;
            if (op == 0 && v > 0) {
                const double f = ops.u();
                if (f < 0.004) flag = 8, v = rnd(v / 10.0) * 10;
                else if (f < 0.0065) flag = 9;
            }
            // The winter of 1945: no observations of the drain for nine days.
            if (op == 0 && d.y == 1945 && d.m == 1 && d.d >= 15 && d.d <= 23) flag = 9;
            if (flag != 9) r.num(POSNN(k + 1), 4, v);
            // An ordinary day leaves the operation flag blank.
            if (flag != 0) r.flag(POSNN(k + 1) + 4, static_cast<char>('0' + flag));
        }

        // Groundwater outside the tanks follows the drain of tank 4; the dune
        // wells follow tank 2, slower, and sink from 1953 on.
        for (int j = 0; j < 3; ++j) H[j] += HA[j] * q[3] - (H[j] - H0[j]) / HTAU[j];
        const double sink = d.y >= 1953 ? (z - dayNumber(1953, 1, 1)) / 365.25 * 3.0 : 0.0;
        W[0] += 0.42 * q[1] - (W[0] - (480 - sink)) / 320.0;
        W[1] += 0.40 * q[1] - (W[1] - (425 - sink)) / 280.0;

        // Piezometer days: Wednesdays, every other one from May to September;
        // now and then a week is skipped or the round is done a day late.
        bool pbDay = false;
        if (wd == "WO") {
            ++week;
            const bool due = (d.m >= 10 || d.m <= 4) || (week % 2 == 0);
            if (due) {
                const double f = obs.u();
                if (f < 0.05) pbMoved = true;
                else if (f >= 0.09) pbDay = true;
            }
        } else if (wd == "DO" && pbMoved) {
            pbDay = true;
            pbMoved = false;
        }
        if (pbDay) {
            for (int k = 0; k < 4; ++k) {
                long v = rnd(123.0 + 0.75 * G[k] + 1.2 * obs.normal());
                if (v < 122) v = 122;
                if (v > 171) v = 171;
                r.num(POSPB(k + 1), 4, v);
                r.flag(POSPB(k + 1) + 4, '9');
            }
            for (int j = 0; j < 3; ++j) {
                r.num(POSPBUIT(j + 1), 4, rnd(H[j] + 1.5 * obs.normal()));
                r.flag(POSPBUIT(j + 1) + 4, '9');
            }
            r.num(87, 5, 1 + static_cast<long>(obs.u() * 24));
        }

        // Dune wells: around the 14th and the 28th, not on a Sunday, and not
        // always both.
        const bool wellDay = ((d.d == 14 || d.d == 28) && wd != "ZO") ||
                             ((d.d == 15 || d.d == 29) && std::string_view(weekdayCode(z - 1)) == "ZO");
        if (wellDay) {
            const double f = obs.u();
            const bool w116 = f < 0.90, w194 = f < 0.80 || (f >= 0.90 && f < 0.97);
            if (w116) {
                r.num(POSW116, 4, rnd(W[0] + obs.normal()));
                r.flag(POSW116 + 4, '9');
            }
            if (w194) {
                r.num(POSW194, 4, rnd(W[1] + obs.normal()));
                r.flag(POSW194 + 4, '9');
            }
            if (w116 || w194) r.num(92, 5, 1 + static_cast<long>(obs.u() * 3));
        }
        out += r.t;
    }
    return out;
}

}  // namespace tvdata
