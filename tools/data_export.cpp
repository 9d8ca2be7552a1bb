// torvelin-data csv and summary: the days of an observation file for other
// programs, and per year at a glance.
#include <array>
#include <cstdarg>
#include <cstdio>
#include <map>
#include <string>

#include "data_common.h"

namespace tvdata {

namespace {

using namespace UNTLYSI0;

// The record's bytes are single-byte text; bytes above 127 are taken as
// ISO 8859-1 and written as UTF-8.
std::string utf8(std::string_view s) {
    std::string r;
    for (unsigned char c : s) {
        if (c < 0x80) {
            r += static_cast<char>(c);
        } else {
            r += static_cast<char>(0xC0 | (c >> 6));
            r += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return r;
}

std::string_view trim(std::string_view s) {
    const size_t a = s.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    const size_t b = s.find_last_not_of(' ');
    return s.substr(a, b - a + 1);
}

// One CSV cell: quoted when it holds a comma, a quote or a line end.
std::string cell(std::string_view raw) {
    const std::string s = utf8(raw);
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string r = "\"";
    for (char c : s) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}

// The value of a number field in the unit of its column, or empty.
std::string value(std::string_view rec, const Series& s, long& emptied) {
    const std::string_view t = field(rec, s.pos, 4);
    if (isBlank(t) || !taken(rec, s)) return "";
    if (!ISGETAL(t)) {
        ++emptied;
        return "";
    }
    const double v = LEESGETAL(t);
    if (s.kind == Kind::Rain) return shortest(v / 10);
    if (s.kind == Kind::Drain) return shortest(v / 100);
    return shortest(v);
}

std::string flagCell(char c) { return c == ' ' ? "" : cell(std::string_view(&c, 1)); }

}  // namespace

std::string makeCsv(const ObsFile& f, long& emptied) {
    const auto& series = allSeries();
    std::string out = "date,weekday";
    for (const Series& s : series) {
        switch (s.kind) {
        case Kind::Rain: out += ",rain [mm],rain flag"; break;
        case Kind::Drain: out += std::string(",") + s.name + " drain [mm]," + s.name + " flag"; break;
        case Kind::TankPb: out += std::string(",") + s.name + " [reading]"; break;
        default: out += std::string(",") + s.name + " [cm NAP]"; break;
        }
    }
    out += ",Q 87-91 [as recorded],Q 92-96 [as recorded]\r\n";
    emptied = 0;
    for (size_t i = 0; i < f.records(); ++i) {
        const std::string_view rec = f.record(i);
        Date d;
        const std::string_view dtext = field(rec, POSDATUM, 8);
        out += parseDate(dtext, d) ? iso(d) : cell(trim(dtext));
        out += ',' + cell(trim(field(rec, POSWEEKDAG, 2)));
        for (const Series& s : series) {
            out += ',' + value(rec, s, emptied);
            if (s.kind == Kind::Rain || s.kind == Kind::Drain) out += ',' + flagCell(at(rec, s.flag));
        }
        out += ',' + cell(trim(field(rec, 87, 5)));
        out += ',' + cell(trim(field(rec, 92, 5)));
        out += "\r\n";
    }
    return out;
}

namespace {

struct Year {
    long days = 0;
    double rain = 0;
    std::array<double, 4> drain{};
    long pumped = 0, dammed = 0, completed = 0, missing = 0;
    std::array<long, 14> readings{};  // by series
    std::array<long, 12> months{};    // records a month
    std::array<long, 12> pbDays{}, wellDays{};
};

void add(std::string& out, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void add(std::string& out, const char* fmt, ...) {
    char b[512];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(b, sizeof b, fmt, ap);
    va_end(ap);
    out += b;
}

}  // namespace

std::string makeSummary(const ObsFile& f, long& undated) {
    const auto& series = allSeries();
    std::map<int, Year> years;
    Year all;
    undated = 0;
    for (size_t i = 0; i < f.records(); ++i) {
        const std::string_view rec = f.record(i);
        Date d;
        if (!parseDate(field(rec, POSDATUM, 8), d)) {
            ++undated;
            continue;
        }
        for (Year* y : {&years[d.y], &all}) {
            Year& Y = *y;
            ++Y.days;
            ++Y.months[static_cast<size_t>(d.m - 1)];
            bool pumped = false, dammed = false, completed = false, missing = false;
            bool pbDay = false, wellDay = false;
            for (size_t k = 0; k < series.size(); ++k) {
                const Series& s = series[k];
                const std::string_view t = field(rec, s.pos, 4);
                const bool tk = taken(rec, s);
                const bool read = tk && !isBlank(t) && ISGETAL(t);
                if (read) ++Y.readings[k];
                if (s.kind == Kind::Rain && read) Y.rain += LEESGETAL(t) / 10;
                if (s.kind == Kind::Drain) {
                    if (read) Y.drain[k - 1] += LEESGETAL(t) / 100;
                    const char c = at(rec, s.flag);
                    const int q = c >= '0' && c <= '9' ? c - '0' : 0;
                    pumped = pumped || opPumped(q);
                    dammed = dammed || opDammed(q);
                    completed = completed || q == 8;
                    missing = missing || q == 9;
                }
                if ((s.kind == Kind::TankPb || s.kind == Kind::OuterPb) && tk) pbDay = true;
                if (s.kind == Kind::Well && tk) wellDay = true;
            }
            Y.pumped += pumped;
            Y.dammed += dammed;
            Y.completed += completed;
            Y.missing += missing;
            Y.pbDays[static_cast<size_t>(d.m - 1)] += pbDay;
            Y.wellDays[static_cast<size_t>(d.m - 1)] += wellDay;
        }
    }

    std::string out;
    add(out, "Rainfall and drain (mm); days on which any tank shows an operation marker\n");
    add(out, "year  days    rain     NN1     NN2     NN3     NN4  pumped  dammed  completed  missing\n");
    auto row1 = [&](const char* label, const Year& Y) {
        add(out, "%-4s %5ld %7.1f %7.1f %7.1f %7.1f %7.1f %7ld %7ld %10ld %8ld\n", label, Y.days, Y.rain, Y.drain[0],
            Y.drain[1], Y.drain[2], Y.drain[3], Y.pumped, Y.dammed, Y.completed, Y.missing);
    };
    for (const auto& [y, Y] : years) row1(std::to_string(y).c_str(), Y);
    row1("all", all);

    add(out, "\nReadings by series (rain and drain: days with a value; the others: days read)\n");
    out += "year ";
    for (const Series& s : series) add(out, " %5s", s.name);
    out += "\n";
    auto row2 = [&](const char* label, const Year& Y) {
        add(out, "%-4s ", label);
        for (size_t k = 0; k < series.size(); ++k) add(out, " %5ld", Y.readings[k]);
        out += "\n";
    };
    for (const auto& [y, Y] : years) row2(std::to_string(y).c_str(), Y);
    row2("all", all);

    static const char* const MONTHS[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    auto grid = [&](const char* title, std::array<long, 12> Year::*what) {
        add(out, "\n%s; \".\" where the file has no day of the month\n", title);
        out += "year";
        for (const char* m : MONTHS) add(out, " %3s", m);
        out += "\n";
        for (const auto& [y, Y] : years) {
            add(out, "%-4d", y);
            for (size_t m = 0; m < 12; ++m) {
                if (Y.months[m] == 0) out += "   .";
                else add(out, " %3ld", (Y.*what)[m]);
            }
            out += "\n";
        }
    };
    grid("Days with a piezometer reading, in a tank or outside", &Year::pbDays);
    grid("Days with a dune-well reading (W116 or W194)", &Year::wellDays);
    return out;
}

}  // namespace tvdata
