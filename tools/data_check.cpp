// torvelin-data check: everything in an observation file that the viewer
// would show wrongly or not at all, one line each.
#include <array>
#include <cstdio>
#include <string>

#include "data_common.h"

namespace tvdata {

namespace {

using namespace UNTLYSI0;

enum Fault { PARTIAL, CONTROL, DATE, WEEKDAY, NUMBER, FLAG, READING, SCALE, KINDS };
constexpr std::array<const char*, KINDS> KINDNAME = {"partial", "control", "date",    "weekday",
                                                     "number",  "flag",    "reading", "scale"};

// A field's text as it can be shown on one line, in double quotes.
std::string quoted(std::string_view s) {
    std::string r = "\"";
    for (unsigned char c : s) {
        if (c >= 32 && c < 127 && c != '"' && c != '\\') {
            r += static_cast<char>(c);
        } else {
            char b[8];
            std::snprintf(b, sizeof b, "\\x%02X", c);
            r += b;
        }
    }
    return r + "\"";
}

struct Report {
    long max;
    std::array<long, KINDS> count{};
    std::string text;
    void add(Fault k, long rec, const std::string& date, int p1, int p2, const std::string& msg) {
        if (count[k]++ >= max) return;
        char head[96];
        if (p1 == p2)
            std::snprintf(head, sizeof head, "%-8s record %ld (%s) pos %d: ", KINDNAME[k], rec, date.c_str(), p1);
        else
            std::snprintf(head, sizeof head, "%-8s record %ld (%s) pos %d-%d: ", KINDNAME[k], rec, date.c_str(), p1, p2);
        text += head;
        text += msg;
        text += '\n';
    }
};

std::string num(double v) { return shortest(v); }

}  // namespace

int runCheck(const ObsFile& f, long maxPerKind, std::string& out) {
    Report R{maxPerKind, {}, {}};
    const auto& series = allSeries();
    const long n = static_cast<long>(f.records());
    bool haveLast = false;
    long lastZ = 0, lastIdx = 0;
    std::string firstDate, lastDate;
    bool lineBreaks = false;

    for (long i = 0; i < n; ++i) {
        const std::string_view rec = f.record(static_cast<size_t>(i));
        const std::string_view dtext = field(rec, POSDATUM, 8);
        Date d;
        const bool dated = parseDate(dtext, d);
        const std::string dlabel = dated ? iso(d) : "date " + quoted(dtext);
        if (dated) {
            if (firstDate.empty()) firstDate = iso(d);
            lastDate = iso(d);
        }

        // Control characters: a file saved with line ends shifts every record.
        for (int p = 1; p <= RECLEN; ++p) {
            const unsigned char c = static_cast<unsigned char>(at(rec, p));
            if (c < 32 || c == 127) {
                if (c == '\n' || c == '\r') lineBreaks = true;
                R.add(CONTROL, i, dlabel, p, p,
                      "control character " + quoted(std::string_view(rec).substr(static_cast<size_t>(p - 1), 1)) +
                          " in the record");
                break;
            }
        }

        // The date, and the day after the one before.
        if (!dated) {
            R.add(DATE, i, dlabel, POSDATUM, POSDATUM + 7, quoted(dtext) + " is not a date (jjjjmmdd)");
        } else {
            const long z = dayNumber(d.y, d.m, d.d);
            if (haveLast && z != lastZ + (i - lastIdx)) {
                const Date want = civil(lastZ + (i - lastIdx));
                R.add(DATE, i, dlabel, POSDATUM, POSDATUM + 7,
                      iso(d) + " where " + iso(want) + " follows the record before it");
            }
            haveLast = true;
            lastZ = z;
            lastIdx = i;
        }

        // The weekday code.
        const std::string_view code = field(rec, POSWEEKDAG, 2);
        bool known = false;
        for (long z = 0; z < 7; ++z) known = known || code == weekdayCode(z);
        if (!known) {
            R.add(WEEKDAY, i, dlabel, POSWEEKDAG, POSWEEKDAG + 1, quoted(code) + " is not a weekday code (MA DI WO DO VR ZA ZO)");
        } else if (dated) {
            const char* want = weekdayCode(dayNumber(d.y, d.m, d.d));
            if (code != want)
                R.add(WEEKDAY, i, dlabel, POSWEEKDAG, POSWEEKDAG + 1,
                      quoted(code) + " does not match the date, a " + quoted(want));
        }

        for (const Series& s : series) {
            const std::string_view t = field(rec, s.pos, 4);
            const char fl = at(rec, s.flag);
            const bool blank = isBlank(t);
            const bool isnum = !blank && ISGETAL(t);
            if (!blank && !isnum)
                R.add(NUMBER, i, dlabel, s.pos, s.pos + 3,
                      std::string(s.what) + " " + quoted(t) + " is not a number; the screens show it as 0");

            // Flags.
            const bool digit = fl >= '0' && fl <= '9';
            if (s.kind == Kind::Rain || s.kind == Kind::Drain) {
                if (!digit && fl != ' ')
                    R.add(FLAG, i, dlabel, s.flag, s.flag,
                          std::string(s.kind == Kind::Rain ? "rainfall flag " : "operation flag of ") +
                              (s.kind == Kind::Rain ? "" : std::string(s.name) + " ") + quoted(std::string_view(&fl, 1)) +
                              " is neither a digit nor blank");
            } else if (fl != '9' && fl != ' ') {
                R.add(FLAG, i, dlabel, s.flag, s.flag,
                      std::string("reading flag of ") + s.name + " " + quoted(std::string_view(&fl, 1)) +
                          " is neither \"9\" nor blank");
            }

            // Readings: a blank where a value belongs, a value where none is taken.
            const bool tk = taken(rec, s);
            const bool drawn = s.kind == Kind::OuterPb ? at(rec, POSPBDAG) == '9' : tk;
            if (s.kind == Kind::Rain || s.kind == Kind::Drain) {
                if (blank && s.kind == Kind::Rain)
                    R.add(READING, i, dlabel, s.pos, s.pos + 3, "rainfall is blank; the charts draw it as a dry day");
                else if (blank && tk)
                    R.add(READING, i, dlabel, s.pos, s.pos + 3,
                          std::string(s.what) + " is blank without the flag 9 for a missing observation; the charts draw it as 0");
                if (!blank && !tk)
                    R.add(READING, i, dlabel, s.pos, s.flag,
                          std::string(s.what) + " holds " + quoted(t) +
                              " but its flag 9 says no observation; the chart draws it, csv leaves it empty");
            } else {
                if (blank && drawn)
                    R.add(READING, i, dlabel, s.pos, s.pos + 3,
                          std::string(s.what) + " is flagged as read but its field is blank; the chart draws it at 0");
                else if (blank && tk)
                    R.add(READING, i, dlabel, s.pos, s.flag,
                          std::string(s.what) + " is flagged as read but its field is blank");
                if (!blank && !tk)
                    R.add(READING, i, dlabel, s.pos, s.flag,
                          std::string(s.what) + " holds " + quoted(t) +
                              " but is not flagged as read; no chart draws it and csv leaves it empty");
                if (tk && !drawn)
                    R.add(READING, i, dlabel, s.flag, s.flag,
                          std::string(s.what) + " is flagged as read but position 66 is not \"9\"; the piezometer chart "
                                                "skips it");
            }

            // Values the charts draw off their scales.
            if (isnum && drawn) {
                const double v = LEESGETAL(t);
                if (v < s.lo || v > s.hi) {
                    std::string msg = std::string(s.what) + " " + num(v);
                    if (s.kind == Kind::OuterPb || s.kind == Kind::Well) msg += " cm NAP";
                    msg += " lies outside " + num(s.lo) + ".." + num(s.hi) + ", the chart's scale";
                    if ((s.kind == Kind::Rain || s.kind == Kind::Drain) && v < 0) msg += "; no bar is drawn";
                    R.add(SCALE, i, dlabel, s.pos, s.pos + 3, msg);
                }
            }
        }
    }

    if (f.tail() != 0)
        R.add(PARTIAL, n, "-", 1, static_cast<int>(f.tail()),
              std::to_string(f.tail()) + " bytes after the last whole record; the viewer never reads them");
    else if (n == 0)
        R.add(PARTIAL, 0, "-", 1, 1, "the file holds no whole record; the viewer will not open it");

    // Off-scale values are real values the charts draw beyond their scales (a
    // day of 45 mm rain happens): notes, not faults of the file.
    long total = 0;
    for (int k = 0; k < SCALE; ++k) total += R.count[static_cast<size_t>(k)];
    const long notes = R.count[SCALE];
    char line[160];
    std::snprintf(line, sizeof line, "checked %ld record%s", n, n == 1 ? "" : "s");
    R.text += line;
    if (!firstDate.empty()) R.text += ", " + firstDate + " to " + lastDate;
    R.text += "\n";
    for (int k = 0; k < KINDS; ++k) {
        std::snprintf(line, sizeof line, "  %-8s %6ld", KINDNAME[static_cast<size_t>(k)], R.count[static_cast<size_t>(k)]);
        R.text += line;
        if (R.count[static_cast<size_t>(k)] > R.max) R.text += "  (" + std::to_string(R.max) + " shown)";
        if (k == SCALE && R.count[SCALE] > 0) R.text += "  (notes: values drawn beyond a chart's scale)";
        if (k == CONTROL && lineBreaks) R.text += "  (line breaks: records are 96 bytes with no line ends)";
        R.text += "\n";
    }
    R.text += total == 0 ? "clean" : std::to_string(total) + (total == 1 ? " fault" : " faults");
    if (notes > 0) R.text += ", " + std::to_string(notes) + (notes == 1 ? " note" : " notes");
    R.text += "\n";
    out = R.text;
    return total == 0 ? 0 : 1;
}

}  // namespace tvdata
