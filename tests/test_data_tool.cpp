// torvelin-data, run as the built program on small files the tests write.
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

#include "UNTLYSI0.h"
#include "support.h"

namespace {

using UNTLYSI0::POSNN;

std::string tool(const std::string& args) { return std::string(TORVELIN_DATA) + " " + args; }

std::string slurp(const tv::fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Days with the rainfall and the four drains 0, as a dry summer day stands in the file.
std::vector<tv::Record> dryDays(int count, int first = 0) {
    auto v = tv::days(count, first);
    for (auto& r : v) {
        r.num(17, 4, 0);
        for (int k = 1; k <= 4; ++k) r.num(POSNN(k), 4, 0);
    }
    return v;
}

std::string countLine(const std::string& kind, long n) {
    char b[64];
    std::snprintf(b, sizeof b, "  %-8s %6ld", kind.c_str(), n);
    return b;
}

const char* const KINDS[] = {"partial", "control", "date", "weekday", "number", "flag", "reading", "scale"};

}  // namespace

TEST(DataSample, IsTheBundledRecordByteForByte) {
    const std::string bundled = slurp(tv::fs::path(TORVELIN_SOURCE_DIR) / "data" / "TORVELIN.VSs");
    ASSERT_EQ(bundled.size(), 7519u * 96u);
    const tv::Command c = tv::shell(tool("sample"));
    ASSERT_EQ(c.status, 0) << c.err;
    EXPECT_TRUE(c.out == bundled) << "torvelin-data sample no longer writes data/TORVELIN.VSs";

    tv::TempDir dir;
    const tv::Command o = tv::shell(tool("sample -o " + (dir / "S.VSs").string()));
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(slurp(dir / "S.VSs") == bundled);
    EXPECT_EQ(std::distance(tv::fs::directory_iterator(dir.path()), tv::fs::directory_iterator()), 1)
        << "a temporary file was left behind";
}

TEST(DataSample, PassesCheckWithoutFaults) {
    const tv::Command c = tv::shell(tool("check " + std::string(TORVELIN_SOURCE_DIR) + "/data/TORVELIN.VSs"));
    EXPECT_EQ(c.status, 0) << c.out;
    EXPECT_NE(c.out.find("checked 7519 records, 1941-06-01 to 1961-12-31\n"), std::string::npos) << c.out;
    for (const char* k : KINDS) {
        if (std::string(k) != "scale") {
            EXPECT_NE(c.out.find(countLine(k, 0) + "\n"), std::string::npos) << k << "\n" << c.out;
        }
    }
}

// One fault a fixture: the line check writes for it, and its count.
TEST(DataCheck, ReportsEachKindOfFaultWithRecordDateAndPositions) {
    struct Case {
        const char* what;
        std::function<void(std::vector<tv::Record>&)> edit;
        std::string tail;
        const char* kind;
        std::string line;
        int status;
    };
    const std::vector<Case> cases = {
        {"partial record", nullptr, "ZELV 1941", "partial",
         "partial  record 4 (-) pos 1-9: 9 bytes after the last whole record; the viewer never reads them", 1},
        {"a day left out", [](auto& v) { v.erase(v.begin() + 2); }, "", "date",
         "date     record 2 (1941-06-04) pos 6-13: 1941-06-04 where 1941-06-03 follows the record before it", 1},
        {"no date", [](auto& v) { v[1].at(6, "19410631"); }, "", "date",
         "date     record 1 (date \"19410631\") pos 6-13: \"19410631\" is not a date (jjjjmmdd)", 1},
        {"weekday", [](auto& v) { v[0].at(15, "MA"); }, "", "weekday",
         "weekday  record 0 (1941-06-01) pos 15-16: \"MA\" does not match the date, a \"ZO\"", 1},
        {"no weekday", [](auto& v) { v[3].at(15, "Mo"); }, "", "weekday",
         "weekday  record 3 (1941-06-04) pos 15-16: \"Mo\" is not a weekday code (MA DI WO DO VR ZA ZO)", 1},
        {"rain not a number", [](auto& v) { v[1].at(17, "12 3"); }, "", "number",
         "number   record 1 (1941-06-02) pos 17-20: rainfall \"12 3\" is not a number; the screens show it as 0", 1},
        {"drain left-aligned", [](auto& v) { v[2].at(32, "15  "); }, "", "number",
         "number   record 2 (1941-06-03) pos 32-35: drain of tank 3 \"15  \" is not a number; the screens show it as 0", 1},
        {"operation flag", [](auto& v) { v[0].at(41, "x"); }, "", "flag",
         "flag     record 0 (1941-06-01) pos 41: operation flag of NN4 \"x\" is neither a digit nor blank", 1},
        {"rainfall flag", [](auto& v) { v[0].at(21, "*"); }, "", "flag",
         "flag     record 0 (1941-06-01) pos 21: rainfall flag \"*\" is neither a digit nor blank", 1},
        {"reading flag", [](auto& v) { v[1].at(46, "8"); }, "", "flag",
         "flag     record 1 (1941-06-02) pos 46: reading flag of Pb1 \"8\" is neither \"9\" nor blank", 1},
        {"blank rainfall", [](auto& v) { v[1].at(17, "    "); }, "", "reading",
         "reading  record 1 (1941-06-02) pos 17-20: rainfall is blank; the charts draw it as a dry day", 1},
        {"flagged well, blank", [](auto& v) { v[2].at(81, "9"); }, "", "reading",
         "reading  record 2 (1941-06-03) pos 77-80: dune well W116 is flagged as read but its field is blank; the "
         "chart draws it at 0",
         1},
        {"unflagged well", [](auto& v) { v[2].num(82, 4, 500); }, "", "reading",
         "reading  record 2 (1941-06-03) pos 82-86: dune well W194 holds \" 500\" but is not flagged as read; no chart "
         "draws it and csv leaves it empty",
         1},
        {"B without 66", [](auto& v) { v[0].num(67, 4, 150).at(71, "9"); }, "", "reading",
         "reading  record 0 (1941-06-01) pos 71: piezometer B is flagged as read but position 66 is not \"9\"; the "
         "piezometer chart skips it",
         1},
        {"missing drain with a value", [](auto& v) { v[3].num(22, 4, 120).at(26, "9"); }, "", "reading",
         "reading  record 3 (1941-06-04) pos 22-26: drain of tank 1 holds \" 120\" but its flag 9 says no "
         "observation; the chart draws it, csv leaves it empty",
         1},
        {"line break", [](auto& v) { v[1].at(5, "\n"); }, "", "control",
         "control  record 1 (1941-06-02) pos 5: control character \"\\x0A\" in the record", 1},
        {"heavy rain", [](auto& v) { v[0].num(17, 4, 401); }, "", "scale",
         "scale    record 0 (1941-06-01) pos 17-20: rainfall 401 lies outside 0..400, the chart's scale", 0},
        {"negative drain", [](auto& v) { v[1].num(27, 4, -5); }, "", "scale",
         "scale    record 1 (1941-06-02) pos 27-30: drain of tank 2 -5 lies outside 0..4000, the chart's scale; no bar "
         "is drawn",
         0},
        {"tank piezometer", [](auto& v) { v[1].num(57, 4, 121).at(61, "9"); }, "", "scale",
         "scale    record 1 (1941-06-02) pos 57-60: piezometer in tank 4 121 lies outside 122..175, the chart's scale", 0},
        {"piezometer A", [](auto& v) { v[2].num(62, 4, 376).num(67, 4, 200).num(72, 4, 200).at(66, "9"); }, "", "scale",
         "scale    record 2 (1941-06-03) pos 62-65: piezometer A 376 cm NAP lies outside 0..375, the chart's scale", 0},
        {"dune well", [](auto& v) { v[3].num(77, 4, 399).at(81, "9"); }, "", "scale",
         "scale    record 3 (1941-06-04) pos 77-80: dune well W116 399 cm NAP lies outside 400..818, the chart's scale", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tv::TempDir dir;
        auto recs = dryDays(4);
        if (c.edit) c.edit(recs);
        tv::writeObservations(dir.path(), recs, c.tail);
        const tv::Command r = tv::shell("cd " + dir.path().string() + " && " + tool("check"));
        EXPECT_EQ(r.status, c.status) << r.out << r.err;
        EXPECT_NE(r.out.find(c.line + "\n"), std::string::npos) << r.out;
        for (const char* k : KINDS)
            EXPECT_NE(r.out.find(countLine(k, std::string(k) == c.kind ? 1 : 0)), std::string::npos) << k << "\n" << r.out;
        EXPECT_NE(r.out.find(c.status == 1 ? "\n1 fault\n" : "\nclean, 1 note\n"), std::string::npos) << r.out;
    }
}

TEST(DataCheck, ValuesOnTheScalesEdgesAreClean) {
    tv::TempDir dir;
    auto recs = dryDays(3);
    recs[0].num(17, 4, 400).num(22, 4, 4000).num(42, 4, 122).at(46, "9").num(47, 4, 175).at(51, "9");
    recs[1].num(62, 4, 0).num(67, 4, 375).num(72, 4, 150).at(66, "9").at(71, "9").at(76, "9");
    recs[2].num(77, 4, 400).at(81, "9").num(82, 4, 818).at(86, "9").at(26, "5").at(21, "7").at(87, "   12");
    tv::writeObservations(dir.path(), recs);
    const tv::Command r = tv::shell(tool("check " + (dir / "TORVELIN.VSs").string()));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("\nclean\n"), std::string::npos) << r.out;
}

TEST(DataCheck, MaxCapsTheLinesOfAKindButNotItsCount) {
    tv::TempDir dir;
    auto recs = dryDays(5);
    for (int i = 0; i < 3; ++i) recs[static_cast<size_t>(i)].at(17, "x");
    tv::writeObservations(dir.path(), recs);
    const tv::Command r = tv::shell(tool("check --max 1 " + (dir / "TORVELIN.VSs").string()));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("number   record 0 "), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("number   record 1 "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(countLine("number", 3) + "  (1 shown)\n"), std::string::npos) << r.out;
}

TEST(DataTool, UsageAndUnreadableFilesEndWithStatus2AndOneLine) {
    tv::TempDir dir;
    const struct {
        std::string args;
        std::string err;
    } cases[] = {
        {"", "torvelin-data: no command given (see torvelin-data --help)\n"},
        {"bogus", "torvelin-data: unknown command 'bogus' (see torvelin-data --help)\n"},
        {"check --max x", "torvelin-data check: option --max needs a whole number of 0 or more, not 'x' (see "
                          "torvelin-data check --help)\n"},
        {"csv --frobnicate", "torvelin-data csv: unknown option '--frobnicate' (see torvelin-data csv --help)\n"},
        {"csv -o", "torvelin-data csv: option -o needs a file name (see torvelin-data csv --help)\n"},
        {"sample extra", "torvelin-data sample: unexpected argument 'extra' (see torvelin-data sample --help)\n"},
        {"summary a b", "torvelin-data summary: one observation file at a time (see torvelin-data summary --help)\n"},
        {"check " + (dir / "none").string(),
         "torvelin-data check: cannot open " + (dir / "none").string() + ": No such file or directory\n"},
        {"summary " + dir.path().string(),
         "torvelin-data summary: cannot read " + dir.path().string() + ": Is a directory\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const tv::Command r = tv::shell("cd " + dir.path().string() + " && " + tool(c.args));
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
    // No FILE: TORVELIN.VSs in the current folder, which is not there.
    const tv::Command r = tv::shell("cd " + dir.path().string() + " && " + tool("csv"));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "torvelin-data csv: cannot open TORVELIN.VSs: No such file or directory\n");

    for (const char* cmd : {"--help", "check --help", "csv --help", "summary --help", "sample --help"}) {
        const tv::Command h = tv::shell(tool(cmd));
        EXPECT_EQ(h.status, 0) << cmd;
        EXPECT_EQ(h.out.rfind("usage: torvelin-data", 0), 0u) << cmd << "\n" << h.out;
    }
}

TEST(DataCsv, ThreeDaysWhole) {
    tv::TempDir dir;
    auto recs = dryDays(3);
    recs[0]
        .num(17, 4, 15)
        .at(21, "5")
        .num(22, 4, 1000)
        .at(26, "1")
        .at(27, "    9")                     // missing drain, blank: empty
        .num(32, 4, 120)
        .at(36, "9")                         // missing drain with a value: empty all the same
        .num(42, 4, 127)
        .at(46, "9")
        .num(47, 4, 130)                     // not flagged: empty
        .num(62, 4, 150)
        .at(66, "9")
        .num(67, 4, 140)                     // B goes with the "9" at 66
        .num(77, 4, 600)
        .at(81, "9")
        .num(82, 4, 500)                     // not flagged: empty
        .at(87, "   12")
        .at(92, " 1,2 ");
    recs[1].at(17, "1 2 ").at(92, "\xE9");  // not a number: empty; byte E9 is an e with an accent
    recs[2].num(37, 4, 5).at(41, "4").at(82, " 1e3").at(86, "9").num(57, 4, 160).at(61, "9");
    tv::writeObservations(dir.path(), recs, "ZELV");
    const tv::Command r = tv::shell(tool("csv " + (dir / "TORVELIN.VSs").string()));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "date,weekday,rain [mm],rain flag,NN1 drain [mm],NN1 flag,NN2 drain [mm],NN2 flag,NN3 drain [mm],NN3 flag,"
              "NN4 drain [mm],NN4 flag,Pb1 [reading],Pb2 [reading],Pb3 [reading],Pb4 [reading],PbA [cm NAP],"
              "PbB [cm NAP],PbC [cm NAP],W116 [cm NAP],W194 [cm NAP],Q 87-91 [as recorded],Q 92-96 [as recorded]\r\n"
              "1941-06-01,ZO,1.5,5,10,1,,9,,9,0,,127,,,,150,140,,600,,12,\"1,2\"\r\n"
              "1941-06-02,MA,,,0,,0,,0,,0,,,,,,,,,,,,\xC3\xA9\r\n"
              "1941-06-03,DI,0,,0,,0,,0,,0.05,4,,,,160,,,,,1000,,\r\n");
    EXPECT_EQ(r.err,
              "torvelin-data csv: the last 4 bytes of " + (dir / "TORVELIN.VSs").string() +
                  " are not a whole record and were left out\n"
                  "torvelin-data csv: 1 field(s) that are not numbers were written as empty cells (torvelin-data check "
                  "lists them)\n");
}

TEST(DataCsv, OutputFileIsWholeOrNotThere) {
    tv::TempDir dir;
    tv::writeObservations(dir.path(), dryDays(30));
    const std::string in = (dir / "TORVELIN.VSs").string();
    // An old file of the same name is replaced whole.
    std::ofstream(dir / "out.csv") << "old";
    tv::Command r = tv::shell(tool("csv -o " + (dir / "out.csv").string() + " " + in));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string written = slurp(dir / "out.csv");
    EXPECT_EQ(written, tv::shell(tool("csv " + in)).out);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 31);
    EXPECT_EQ(std::distance(tv::fs::directory_iterator(dir.path()), tv::fs::directory_iterator()), 2);
    // A folder that is not there: status 2, and nothing written.
    r = tv::shell(tool("csv -o " + (dir / "no" / "out.csv").string() + " " + in));
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(tv::fs::exists(dir / "no"));
}

TEST(DataSummary, SmallFileWhole) {
    tv::TempDir dir;
    // 30 December 1941 to 2 January 1942.
    auto recs = dryDays(4, 212);
    recs[0].num(17, 4, 100).num(22, 4, 250).at(26, "1").num(27, 4, 100).at(26 + 5, "1");
    recs[1].num(17, 4, 55).at(26, "4").at(31, "4").at(36, "8").num(42, 4, 130).at(46, "9").num(62, 4, 200).at(66, "9");
    recs[2].num(22, 4, 1234).at(26, "5").at(37, "    9").num(77, 4, 600).at(81, "9");
    recs[3].at(17, "abc ").num(82, 4, 500).at(86, "9").num(77, 4, 610);  // W116 not flagged: not a reading
    tv::writeObservations(dir.path(), recs);
    const tv::Command r = tv::shell(tool("summary " + (dir / "TORVELIN.VSs").string()));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Rainfall and drain (mm); days on which any tank shows an operation marker\n"
              "year  days    rain     NN1     NN2     NN3     NN4  pumped  dammed  completed  missing\n"
              "1941     2    15.5     2.5     1.0     0.0     0.0       1       1          1        0\n"
              "1942     2     0.0    12.3     0.0     0.0     0.0       1       1          0        1\n"
              "all      4    15.5    14.8     1.0     0.0     0.0       2       2          1        1\n"
              "\n"
              "Readings by series (rain and drain: days with a value; the others: days read)\n"
              "year   Rzel   NN1   NN2   NN3   NN4   Pb1   Pb2   Pb3   Pb4   PbA   PbB   PbC  W116  W194\n"
              "1941      2     2     2     2     2     1     0     0     0     1     0     0     0     0\n"
              "1942      1     2     2     2     1     0     0     0     0     0     0     0     1     1\n"
              "all       3     4     4     4     3     1     0     0     0     1     0     0     1     1\n"
              "\n"
              "Days with a piezometer reading, in a tank or outside; \".\" where the file has no day of the month\n"
              "year Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec\n"
              "1941   .   .   .   .   .   .   .   .   .   .   .   1\n"
              "1942   0   .   .   .   .   .   .   .   .   .   .   .\n"
              "\n"
              "Days with a dune-well reading (W116 or W194); \".\" where the file has no day of the month\n"
              "year Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec\n"
              "1941   .   .   .   .   .   .   .   .   .   .   .   0\n"
              "1942   2   .   .   .   .   .   .   .   .   .   .   .\n");
}
