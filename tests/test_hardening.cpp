// Hardening: damaged observation files through every screen and every cell,
// a data folder the program must leave exactly as it found it, keys typed far
// ahead, and a walk through the whole sample in every screen.
#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>

#include "../bench/alloc_count.h"
#include "UNTLYSI0.h"
#include "platform/headless.h"
#include "support.h"
#include "torvelin.h"

namespace {

namespace fs = std::filesystem;

// A run of the program that keeps only its last frame, and counts the heap
// allocations the program makes after its first frame (start-up excluded;
// the display's own work at each wait excluded).
struct Probe {
    int status = -1;
    std::string reason, err;
    int frames = 0, beeps = 0;
    size_t allocs = 0;
    std::unique_ptr<tv::Frame> last = std::make_unique<tv::Frame>();
};

class ProbeDisplay : public platform::HeadlessDisplay {
public:
    ProbeDisplay(std::vector<platform::ScriptStep> script, Probe& p)
        : HeadlessDisplay(std::move(script), [&p](const platform::Pixels& pix, int, int) { p.last->pix = pix; }),
          probe_(p) {}
    void waitKey() override {
        if (started_) probe_.allocs += alloccount::ALLOCS - mark_;
        started_ = true;
        try {
            HeadlessDisplay::waitKey();
        } catch (...) {
            mark_ = alloccount::ALLOCS;
            throw;
        }
        mark_ = alloccount::ALLOCS;
    }
    void settle() {
        if (started_) probe_.allocs += alloccount::ALLOCS - mark_;
    }

private:
    Probe& probe_;
    bool started_ = false;
    size_t mark_ = 0;
};

Probe probe(const fs::path& dir, std::string_view keys) {
    Probe p;
    std::vector<platform::ScriptStep> script;
    std::string why;
    if (!platform::parseKeyScript(keys, script, why)) {
        ADD_FAILURE() << "bad key script: " << why;
        return p;
    }
    ProbeDisplay display(std::move(script), p);
    const fs::path here = fs::current_path();
    fs::current_path(dir);
    ::testing::internal::CaptureStderr();
    const char* reason = nullptr;
    p.status = platform::runProgram(display, torvelin::HOOFDPROGRAMMA, &reason);
    display.settle();
    p.err = ::testing::internal::GetCapturedStderr();
    fs::current_path(here);
    p.reason = reason ? reason : "";
    p.frames = display.frames();
    p.beeps = display.beeps();
    return p;
}

std::string repeat(std::string_view s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

// In a screen, from cell 6: cells 1 to 5 and 7 to 11 confirmed in turn, then
// 6 (STOP).
std::string everyCell() {
    return "left*5 enter " + repeat("right enter ", 4) + "right right enter " + repeat("right enter ", 4) +
           "left*5 enter ";
}

// In a screen, from cell 6: +23 days N times, then STOP.
std::string walk(int n) { return "right right enter enter*" + std::to_string(n - 1) + " left left enter "; }

// From the start: every screen in menu order with INSIDE, then the stop entry.
std::string allScreens(const std::string& inside) {
    std::string k = tv::toMenu(1);
    for (int e = 1; e <= 5; ++e) k += "enter " + inside + "down ";
    return k + "enter";
}

// Fields of the record that hold numbers (position, width 4).
constexpr int NUMBERS[] = {17, 22, 27, 32, 37, 42, 47, 52, 57, 62, 67, 72, 77, 82, 87, 92};
// Positions of the one-character flags.
constexpr int FLAGS[] = {21, 26, 31, 36, 41, 46, 51, 56, 61, 66, 81, 86};

std::string records(const std::vector<tv::Record>& recs) {
    std::string s;
    for (const tv::Record& r : recs) s += r.text;
    return s;
}

// Days whose numeric fields hold, day after day, the texts of `values`.
std::string fieldsOf(std::initializer_list<const char*> values, int count) {
    std::vector<tv::Record> recs = tv::days(count);
    int i = 0;
    for (tv::Record& r : recs) {
        for (int pos : NUMBERS) r.at(pos, *(values.begin() + (i++ % values.size())));
        r.at(66, "9").at(81, "9").at(86, "9").at(46, "9").at(51, "9").at(56, "9").at(61, "9");
    }
    return records(recs);
}

struct BadFile {
    const char* name;
    std::string bytes;
    std::string inside;  // keys in each screen
    bool refused;        // the program ends at start-up with its message
};

std::vector<BadFile> badFiles() {
    std::vector<BadFile> v;
    v.push_back({"empty", "", "", true});
    v.push_back({"only a partial record", std::string(95, '7'), "", true});
    v.push_back({"1 record", records(tv::days(1)), everyCell(), false});
    v.push_back({"23 records", records(tv::days(23)), everyCell(), false});
    v.push_back({"24 records", records(tv::days(24)), everyCell(), false});
    v.push_back({"a trailing partial record", records(tv::days(30)) + std::string(50, '5'), everyCell(), false});
    std::mt19937 rng(1941);
    std::string noise(96 * 120 + 41, '\0');
    for (char& c : noise) c = static_cast<char>(rng() & 0xFF);
    v.push_back({"random bytes", noise, everyCell() + "enter " + walk(5), false});
    v.push_back({"exponents", fieldsOf({"9e99", "-9e9", "1e-9", "1e40", "-1e2", "9E+9", "1e-0"}, 150),
                 everyCell() + "enter " + walk(6), false});
    v.push_back({"tabs and signs", fieldsOf({"\t+12", " -12", "+ 12", "-\t1", "\t\t\t\t", " +-1", "--1 ", "+.5", "-0"}, 60),
                 everyCell(), false});
    // Every flag position holds every byte value once in 256 days, each
    // position shifted against the others; walked through in 23-day steps.
    std::vector<tv::Record> flags = tv::days(256);
    for (int i = 0; i < 256; ++i)
        for (size_t j = 0; j < std::size(FLAGS); ++j)
            flags[i].text[FLAGS[j] - 1] = static_cast<char>((i + 37 * static_cast<int>(j)) & 0xFF);
    v.push_back({"every flag byte", records(flags), walk(12), false});
    return v;
}

// Numbers beyond a double: too large reads as infinite, too small as 0,
// whatever the sign of the exponent says on its own.
TEST(NumberRule, BeyondADoubleByItsPowerOfTen) {
    const std::string many = "1" + std::string(400, '0');
    const std::string tiny = "0." + std::string(400, '0') + "1";
    const double inf = HUGE_VAL;
    const struct {
        std::string text;
        double want;
    } cases[] = {
        {"1e400", inf},
        {"-1e400", -inf},
        {"1e-400", 0.0},
        {many + "e-50", inf},
        {" -" + many + "e-5", -inf},
        {tiny + "e+50", 0.0},
        {tiny + "e400", 1e-1},
        {".1e310", inf},
        {"0.01e310", 1e308},
        {many + "e-400", 1.0},
        {"1e99999999999999999999", inf},
        {"1e-99999999999999999999", 0.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UNTLYSI0::LEESGETAL(c.text), c.want) << c.text.substr(0, 12) << "... (" << c.text.size() << " chars)";
}

TEST(BadFiles, EndWithAMessageOrDrawEveryScreenWithoutAllocating) {
    for (const BadFile& c : badFiles()) {
        SCOPED_TRACE(c.name);
        tv::TempDir dir;
        std::ofstream(dir / "TORVELIN.VSs", std::ios::binary) << c.bytes;
        const Probe p = probe(dir.path(), allScreens(c.inside));
        if (c.refused) {
            EXPECT_EQ(p.status, 1);
            EXPECT_EQ(p.frames, 0) << "the window showed something";
            EXPECT_NE(p.err.find("holds no complete 96-byte record"), std::string::npos) << p.err;
            continue;
        }
        // The stop entry was reached through every screen: the program ended
        // by itself, with every key where the script meant it.
        EXPECT_EQ(p.status, 0);
        EXPECT_EQ(p.reason, "") << "the program did not end by itself";
        EXPECT_EQ(p.err, "");
        EXPECT_EQ(p.allocs, 0u) << "heap allocations after the first frame";
    }
}

// Names, kinds, sizes, modes, modification times and bytes of everything in a folder.
std::map<std::string, std::string> snapshot(const fs::path& dir) {
    std::map<std::string, std::string> s;
    auto note = [&](const fs::path& p) {
        struct stat st {};
        lstat(p.c_str(), &st);
        std::ostringstream o;
        o << st.st_mode << ' ' << st.st_size << ' ' << st.st_mtim.tv_sec << '.' << st.st_mtim.tv_nsec << ' '
          << st.st_ctim.tv_sec << '.' << st.st_ctim.tv_nsec << ' ';
        if (S_ISREG(st.st_mode)) o << std::ifstream(p, std::ios::binary).rdbuf();
        s[fs::relative(p, dir).string()] = o.str();
    };
    note(dir);
    for (const auto& e : fs::recursive_directory_iterator(dir)) note(e.path());
    return s;
}

TEST(ReadOnly, EveryScreenLeavesTheDataFolderAsItWas) {
    tv::TempDir dir;
    fs::copy_file(fs::path(TORVELIN_SOURCE_DIR) / "data" / "TORVELIN.VSs", dir / "TORVELIN.VSs");
    fs::permissions(dir / "TORVELIN.VSs", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    // Tests may run as root, for whom the modes stop nothing: the folder is
    // compared as well.
    const auto before = snapshot(dir.path());
    const Probe p = probe(dir.path(), allScreens(everyCell() + "enter " + walk(3)));
    const auto after = snapshot(dir.path());
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.reason, "");
    EXPECT_EQ(before, after) << "the data folder changed";
}

TEST(TypedAhead, HundredThousandKeysAreDroppedWithoutAllocating) {
    const auto recs = tv::days(200);
    tv::TempDir dir;
    tv::writeObservations(dir.path(), recs);
    for (int e : {1, 2, 4}) {
        SCOPED_TRACE("menu entry " + std::to_string(e));
        // Right arrows typed while the screen is drawn; had any of them been
        // taken, the enter after them would not confirm STOP and the program
        // would not reach its stop entry.
        const Probe p = probe(dir.path(), tv::toMenu(1) + repeat("down ", e - 1) +
                                              "enter ahead:right*100000 enter " + repeat("down ", 6 - e) + "enter");
        EXPECT_EQ(p.status, 0);
        EXPECT_EQ(p.reason, "") << "keys typed ahead were taken";
        EXPECT_EQ(p.allocs, 0u);
        EXPECT_FALSE(platform::keyQueued());
    }
}

TEST(Walk, WholeSampleIn23DayStepsInEveryScreen) {
    const fs::path data = fs::path(TORVELIN_SOURCE_DIR) / "data";
    for (int e = 1; e <= 5; ++e) {
        SCOPED_TRACE("menu entry " + std::to_string(e));
        const std::string keys = tv::toMenu(1) + repeat("down ", e - 1) + "enter " + walk(340) +
                                 repeat("down ", 6 - e) + "enter";
        const Probe p = probe(data, keys);
        EXPECT_EQ(p.status, 0);
        EXPECT_EQ(p.reason, "");
        EXPECT_EQ(p.allocs, 0u);
        // 340 steps of 23 days pass the last full page, where the walk stays.
        EXPECT_EQ(UNTLYSI0::RECNR, UNTLYSI0::XRECNR - 23);
        if (e == 1)
            EXPECT_EQ(p.beeps, 0);
        else
            EXPECT_EQ(p.beeps, 340 - (UNTLYSI0::XRECNR - 23) / 23) << "one beep a pass held back at the end";
    }
}

}  // namespace
