// torvelin-data: check, export and summarise an observation file, and write
// the synthetic sample record.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data_common.h"

namespace {

const char* const TOOL_HELP =
    "usage: torvelin-data COMMAND [options] [FILE]\n"
    "\n"
    "Works on an observation file of the lysimeter station: fixed 96-byte records,\n"
    "one a day. FILE defaults to TORVELIN.VSs in the current folder.\n"
    "\n"
    "commands:\n"
    "  check [--max N] [FILE]   report what the viewer would show wrongly or not at all\n"
    "  csv [-o OUT] [FILE]      one CSV row a day, units in the header, gaps as empty cells\n"
    "  summary [FILE]           per year: rain, drain, operation markers, readings\n"
    "  sample [-o OUT]          write the synthetic sample record (1 June 1941 to 31 Dec 1961)\n"
    "\n"
    "torvelin-data COMMAND --help tells more about each command.\n"
    "Status: 0 done (check: no faults), 1 check found faults, 2 usage error or\n"
    "a file that cannot be read or written.\n";

const char* const CHECK_HELP =
    "usage: torvelin-data check [--max N] [FILE]\n"
    "\n"
    "Reads the whole file and reports, one line each, with the record number (from 0),\n"
    "its date and the 1-based positions in the record:\n"
    "  partial  bytes at the end that do not make a whole record (the viewer never reads them)\n"
    "  control  a line break or other control character inside a record\n"
    "  date     a date that is not a date, or not the day after the previous record's\n"
    "  weekday  a weekday code (MA DI WO DO VR ZA ZO) that does not match the date\n"
    "  number   a number field that is not blank but reads as 0 (the screens show 0)\n"
    "  flag     a flag outside its set: rainfall and operation flags a digit or blank,\n"
    "           reading flags \"9\" or blank\n"
    "  reading  a reading flagged \"9\" whose field is blank (drawn as 0), a number in a\n"
    "           field whose reading is not flagged (never drawn), or B/C flagged read on a\n"
    "           day without the \"9\" at position 66 (the piezometer chart skips the day)\n"
    "  scale    a note, not a fault: a value the charts draw beyond their scales: rainfall\n"
    "           outside 0..400 (0.1 mm), drain outside 0..4000 (0.01 mm), tank piezometers\n"
    "           outside 122..175, piezometers A, B, C outside 0..375 cm NAP, dune wells\n"
    "           outside 400..818 cm NAP\n"
    "Then a count by kind.\n"
    "\n"
    "  --max N   at most N lines of each kind (the counts stay whole)\n"
    "\n"
    "Status: 0 no faults (notes allowed), 1 faults reported, 2 the file cannot be read.\n";

const char* const CSV_HELP =
    "usage: torvelin-data csv [-o OUT] [FILE]\n"
    "\n"
    "Writes one CSV row a day (RFC 4180, UTF-8, CRLF line ends) with a header row:\n"
    "date (ISO), weekday code, rainfall in mm and its flag, the drain of tanks 1..4 in mm\n"
    "with their operation flags (+1 pumped, +4 damming, 8 completed, 9 missing), the\n"
    "piezometers in the tanks as read, piezometers A, B, C and dune wells W116, W194 in\n"
    "cm relative to NAP, and the two Q columns as they stand.\n"
    "\n"
    "A reading whose flag says it was not taken is an empty cell, never 0: a drain with\n"
    "operation flag 9, a piezometer or dune well without its \"9\". A blank field is an\n"
    "empty cell; so is a field that is not a number (counted on stderr; see check).\n"
    "\n"
    "  -o OUT    write to OUT (whole or not at all) instead of standard output\n";

const char* const SUMMARY_HELP =
    "usage: torvelin-data summary [FILE]\n"
    "\n"
    "Per calendar year: days, rainfall total, drain total of each tank (mm), days on\n"
    "which any tank shows each operation marker (pumped, dammed, completed, missing),\n"
    "and the readings of each series. Then a year x month grid of the days with a\n"
    "piezometer reading (in a tank or outside) and one of the days with a dune-well\n"
    "reading. Blank and malformed fields add nothing to the totals.\n";

const char* const SAMPLE_HELP =
    "usage: torvelin-data sample [-o OUT]\n"
    "\n"
    "Writes a synthetic observation record, one record a day from 1 June 1941 to\n"
    "31 December 1961 (7519 records), made from a fixed seed: every run writes the\n"
    "same bytes. It is not the station's data.\n"
    "\n"
    "  -o OUT    write to OUT (whole or not at all) instead of standard output\n";

int usage(const std::string& cmd, const std::string& msg) {
    std::fprintf(stderr, "torvelin-data%s%s: %s (see torvelin-data%s%s --help)\n", cmd.empty() ? "" : " ", cmd.c_str(),
                 msg.c_str(), cmd.empty() ? "" : " ", cmd.c_str());
    return 2;
}

int fail(const std::string& cmd, const std::string& msg) {
    std::fprintf(stderr, "torvelin-data %s: %s\n", cmd.c_str(), msg.c_str());
    return 2;
}

struct Options {
    bool help = false;
    std::string out;
    bool hasOut = false;
    long max = LONG_MAX;
    std::vector<std::string> files;
};

// Parses the options a command allows; false with the message in `why`.
bool parse(const std::vector<std::string>& args, bool allowOut, bool allowMax, bool allowFile, Options& o,
           std::string& why) {
    bool endOfOptions = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!endOfOptions && a == "--") {
            endOfOptions = true;
        } else if (!endOfOptions && (a == "--help" || a == "-h")) {
            o.help = true;
        } else if (!endOfOptions && allowOut && (a == "-o" || a == "--output" || a.rfind("--output=", 0) == 0)) {
            std::string v;
            if (a.rfind("--output=", 0) == 0) v = a.substr(9);
            else if (i + 1 < args.size()) v = args[++i];
            else return why = "option " + a + " needs a file name", false;
            if (v.empty()) return why = "option " + a + " needs a file name", false;
            if (o.hasOut) return why = "only one output file", false;
            o.out = v;
            o.hasOut = true;
        } else if (!endOfOptions && allowMax && (a == "--max" || a.rfind("--max=", 0) == 0)) {
            std::string v;
            if (a.rfind("--max=", 0) == 0) v = a.substr(6);
            else if (i + 1 < args.size()) v = args[++i];
            else return why = "option --max needs a number", false;
            char* end = nullptr;
            errno = 0;
            const long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end != '\0' || errno != 0 || n < 0)
                return why = "option --max needs a whole number of 0 or more, not '" + v + "'", false;
            o.max = n;
        } else if (!endOfOptions && a.size() > 1 && a[0] == '-') {
            return why = "unknown option '" + a + "'", false;
        } else {
            if (!allowFile) return why = "unexpected argument '" + a + "'", false;
            o.files.push_back(a);
        }
    }
    if (o.files.size() > 1) return why = "one observation file at a time", false;
    return true;
}

bool load(const std::string& cmd, const Options& o, tvdata::ObsFile& f, int& status) {
    const std::string name = o.files.empty() ? UNTLYSI0::FILENAAM : o.files[0];
    std::string why;
    if (!tvdata::readObservations(name, f, why)) {
        status = fail(cmd, why);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage("", "no command given");
    const std::string cmd = args[0];
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        std::fputs(TOOL_HELP, stdout);
        return 0;
    }
    args.erase(args.begin());
    Options o;
    std::string why;
    int status = 0;

    if (cmd == "sample") {
        if (!parse(args, true, false, false, o, why)) return usage(cmd, why);
        if (o.help) return std::fputs(SAMPLE_HELP, stdout), 0;
        if (!tvdata::writeOutput(o.out, tvdata::makeSample(), why)) return fail(cmd, why);
        return 0;
    }
    if (cmd == "check") {
        if (!parse(args, false, true, true, o, why)) return usage(cmd, why);
        if (o.help) return std::fputs(CHECK_HELP, stdout), 0;
        tvdata::ObsFile f;
        if (!load(cmd, o, f, status)) return status;
        std::string text;
        status = tvdata::runCheck(f, o.max, text);
        if (!tvdata::writeOutput("", text, why)) return fail(cmd, why);
        return status;
    }
    if (cmd == "csv") {
        if (!parse(args, true, false, true, o, why)) return usage(cmd, why);
        if (o.help) return std::fputs(CSV_HELP, stdout), 0;
        tvdata::ObsFile f;
        if (!load(cmd, o, f, status)) return status;
        long emptied = 0;
        const std::string text = tvdata::makeCsv(f, emptied);
        if (!tvdata::writeOutput(o.out, text, why)) return fail(cmd, why);
        if (f.tail() != 0)
            std::fprintf(stderr, "torvelin-data csv: the last %zu bytes of %s are not a whole record and were left out\n",
                         f.tail(), f.name.c_str());
        if (emptied > 0)
            std::fprintf(stderr,
                         "torvelin-data csv: %ld field(s) that are not numbers were written as empty cells "
                         "(torvelin-data check lists them)\n",
                         emptied);
        return 0;
    }
    if (cmd == "summary") {
        if (!parse(args, false, false, true, o, why)) return usage(cmd, why);
        if (o.help) return std::fputs(SUMMARY_HELP, stdout), 0;
        tvdata::ObsFile f;
        if (!load(cmd, o, f, status)) return status;
        long undated = 0;
        const std::string text = tvdata::makeSummary(f, undated);
        if (!tvdata::writeOutput("", text, why)) return fail(cmd, why);
        if (undated > 0)
            std::fprintf(stderr,
                         "torvelin-data summary: %ld record(s) without a valid date were left out "
                         "(torvelin-data check lists them)\n",
                         undated);
        return 0;
    }
    return usage("", "unknown command '" + cmd + "'");
}
