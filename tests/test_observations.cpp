// The observation file: the number rule, counting and reading records, and
// what the program says when the file is missing, empty or changes under it.
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <fstream>

#include "UNTLYSI0.h"
#include "support.h"

namespace {

namespace fs = std::filesystem;

TEST(NumberRule, Table) {
    const double INF = HUGE_VAL;
    struct Case {
        std::string_view field;
        double value;
        bool number;  // wholly one number by the rule
    } cases[] = {
        // Right-aligned numbers read; anything after the number spoils it.
        {"  15", 15, true},
        {" 150", 150, true},
        {"15  ", 0, false},
        {"    ", 0, false},
        {"", 0, false},
        {" -12", -12, true},
        {" +12", 12, true},
        {" 1.5", 1.5, true},
        {"  00", 0, true},
        {"9999", 9999, true},
        // Tabs lead like blanks, but not after the number.
        {"\t15", 15, true},
        {" \t 7", 7, true},
        {"15\t", 0, false},
        {"1 5", 0, false},
        {"- 15", 0, false},
        // Points: either side may be empty, not both, and only one point.
        {"  .5", 0.5, true},
        {"  5.", 5, true},
        {" -.5", -0.5, true},
        {"1.5.", 0, false},
        {"   .", 0, false},
        {"   -", 0, false},
        {"   +", 0, false},
        {"  -.", 0, false},
        {"--15", 0, false},
        {"+-15", 0, false},
        // Exponents need a digit after the E.
        {" 1e2", 100, true},
        {" 1E2", 100, true},
        {"1e+2", 100, true},
        {"1e-2", 0.01, true},
        {"-.5E1", -5, true},
        {"  1E", 0, false},
        {" 1e+", 0, false},
        {"  e5", 0, false},
        {" .e5", 0, false},
        {"1e2.", 0, false},
        {"1e2 ", 0, false},
        // No other spellings of a number.
        {"1,5 ", 0, false},
        {"0x1A", 0, false},
        {" inf", 0, false},
        {" nan", 0, false},
        {std::string_view("\0 15", 4), 0, false},
        {" 1\xA8" "5", 0, false},
        // Beyond a double: as large as it goes, or 0.
        {"1e999", INF, true},
        {"-1e999", -INF, true},
        {"1e-999", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("field \"" + std::string(c.field) + "\"");
        EXPECT_EQ(UNTLYSI0::LEESGETAL(c.field), c.value);
        EXPECT_EQ(UNTLYSI0::ISGETAL(c.field), c.number);
    }
}

// Runs start-up of the unit in a folder, as the program does.
class ObservationFile : public ::testing::Test {
protected:
    void SetUp() override { here_ = fs::current_path(); }
    void TearDown() override { fs::current_path(here_); }
    void start(const std::vector<tv::Record>& recs, std::string_view tail = "") {
        tv::writeObservations(dir_.path(), recs, tail);
        fs::current_path(dir_.path());
        UNTLYSI0::RECNR = 0;
        UNTLYSI0::OPSTARTEN();
    }
    tv::TempDir dir_;
    fs::path here_;
};

TEST_F(ObservationFile, CountsWholeRecordsAndReadsThemInOrder) {
    std::vector<tv::Record> recs = tv::days(5);
    recs[3].num(17, 4, 15).at(21, "6").num(22, 4, -12).at(26, "3");
    // 40 bytes of a sixth record that never comes.
    start(recs, std::string(40, '7'));
    EXPECT_EQ(UNTLYSI0::AANTAL(), 5);
    EXPECT_EQ(UNTLYSI0::XRECNR, 4);

    UNTLYSI0::ZOEK(3);
    UNTLYSI0::LEESVOLGENDE();
    EXPECT_EQ(std::string(UNTLYSI0::SREC.data(), 96), recs[3].text);
    EXPECT_EQ(UNTLYSI0::VELD(6, 8), "19410604");
    EXPECT_EQ(UNTLYSI0::GETAL(17, 4), 15);
    EXPECT_EQ(UNTLYSI0::GETAL(22, 4), -12);
    EXPECT_EQ(UNTLYSI0::GETAL(27, 4), 0);
    EXPECT_EQ(UNTLYSI0::CIJFER(26), 3);
    EXPECT_EQ(UNTLYSI0::CIJFER(21), 6);
    EXPECT_EQ(UNTLYSI0::CIJFER(31), 0);
    EXPECT_FALSE(UNTLYSI0::EINDE());
    UNTLYSI0::LEESVOLGENDE();
    EXPECT_EQ(std::string(UNTLYSI0::SREC.data(), 96), recs[4].text);
    EXPECT_TRUE(UNTLYSI0::EINDE());

    // The partial record is never read.
    EXPECT_THROW(UNTLYSI0::LEESVOLGENDE(), platform::Halt);

    // Opening again (the listing does at its start) starts before record 0
    // and changes neither the last record nor the current one.
    UNTLYSI0::RECNR = 3;
    UNTLYSI0::OPENEN();
    EXPECT_EQ(UNTLYSI0::XRECNR, 4);
    EXPECT_EQ(UNTLYSI0::RECNR, 3);
    UNTLYSI0::LEESVOLGENDE();
    EXPECT_EQ(std::string(UNTLYSI0::SREC.data(), 96), recs[0].text);
}

TEST_F(ObservationFile, OneRecordIsEnough) {
    start(tv::days(1), "x");
    EXPECT_EQ(UNTLYSI0::XRECNR, 0);
    UNTLYSI0::ZOEK(0);
    UNTLYSI0::LEESVOLGENDE();
    EXPECT_TRUE(UNTLYSI0::EINDE());
}

// The program with a file that cannot be used: one line, status 1, no window.
TEST(ObservationErrors, ProgramEndsBeforeItsWindow) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        std::string said;  // after "torvelin: ", with DIR for the folder
    } cases[] = {
        {"missing", [](const fs::path&) {},
         "cannot open observation file TORVELIN.VSs in DIR: No such file or directory"},
        {"a folder", [](const fs::path& d) { fs::create_directory(d / "TORVELIN.VSs"); },
         "cannot open observation file TORVELIN.VSs in DIR: Is a directory"},
        {"empty", [](const fs::path& d) { tv::writeObservations(d, {}); },
         "observation file TORVELIN.VSs in DIR holds no complete 96-byte record"},
        {"95 bytes", [](const fs::path& d) { tv::writeObservations(d, {}, std::string(95, '1')); },
         "observation file TORVELIN.VSs in DIR holds no complete 96-byte record"},
        // A pipe would wait for a writer for ever; it holds nothing now.
        {"a pipe", [](const fs::path& d) { ASSERT_EQ(mkfifo((d / "TORVELIN.VSs").c_str(), 0600), 0); },
         "observation file TORVELIN.VSs in DIR holds no complete 96-byte record"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tv::TempDir dir;
        c.make(dir.path());
        const tv::Run r = tv::run(dir.path(), "enter enter");
        std::string said = c.said;
        said.replace(said.find("DIR"), 3, fs::canonical(dir.path()).string());
        EXPECT_EQ(r.err, "torvelin: " + said + "\n");
        EXPECT_EQ(r.status, 1);
        EXPECT_FALSE(r.windowOpened);
        EXPECT_TRUE(r.frames.empty());
    }
}

TEST(ObservationErrors, UnreadableFile) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser reads every file";
    tv::TempDir dir;
    tv::writeObservations(dir.path(), tv::days(30));
    fs::permissions(dir / "TORVELIN.VSs", fs::perms::none);
    const tv::Run r = tv::run(dir.path(), "enter enter");
    EXPECT_EQ(r.err, "torvelin: cannot open observation file TORVELIN.VSs in " + fs::canonical(dir.path()).string() +
                         ": Permission denied\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.windowOpened);
}

// The file is cut short while the listing shows its first page; the next
// page needs records that are gone: the window closes and the line names
// the record.
TEST(ObservationErrors, FileShortenedWhileRunning) {
    for (const off_t cut : {off_t{30 * 96}, off_t{30 * 96 + 50}}) {
        SCOPED_TRACE("cut to " + std::to_string(cut) + " bytes");
        tv::TempDir dir;
        tv::writeObservations(dir.path(), tv::days(100));
        const std::string file = (dir / "TORVELIN.VSs").string();
        // Frame 2 is the listing's first page; then cell 8 (+23 days) is confirmed.
        const tv::Run r = tv::run(dir.path(), "enter enter right right enter enter", [&](int frame) {
            if (frame == 2) {
                ASSERT_EQ(truncate(file.c_str(), cut), 0);
            }
        });
        EXPECT_EQ(r.err, "torvelin: cannot read record 30 of observation file TORVELIN.VSs in " +
                             fs::canonical(dir.path()).string() +
                             ": the file ends before it (was it changed while the viewer ran?)\n");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.reason, "observation file error");
        // No frame after the failed page: the program ended in the middle of it.
        EXPECT_EQ(r.frames.size(), 5u);
    }
}

// The file is removed while the viewer shows its menu: the listing cannot
// open it again.
TEST(ObservationErrors, FileRemovedBeforeTheListing) {
    tv::TempDir dir;
    tv::writeObservations(dir.path(), tv::days(100));
    const tv::Run r = tv::run(dir.path(), "enter enter enter", [&](int frame) {
        if (frame == 1) fs::remove(dir / "TORVELIN.VSs");
    });
    EXPECT_EQ(r.err, "torvelin: cannot open observation file TORVELIN.VSs in " + fs::canonical(dir.path()).string() +
                         ": No such file or directory\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.frames.size(), 2u);
}

}  // namespace
