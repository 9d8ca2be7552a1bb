// torvelin-snap as a user runs it: options, frames on disk, what it prints.
#include <fstream>

#include "support.h"

namespace {

const std::string SNAP = TORVELIN_SNAP;

// Width, height, bit depth and colour type from a PNG's header.
struct PngHeader {
    uint32_t w = 0, h = 0;
    int depth = 0, type = 0;
};
PngHeader header(const tv::fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    unsigned char b[26] = {};
    in.read(reinterpret_cast<char*>(b), sizeof b);
    auto be = [&](int i) { return uint32_t(b[i]) << 24 | uint32_t(b[i + 1]) << 16 | uint32_t(b[i + 2]) << 8 | b[i + 3]; };
    return {be(16), be(20), b[24], b[25]};
}

class Snap : public ::testing::Test {
protected:
    void SetUp() override { tv::writeObservations(data.path(), tv::days(40)); }
    tv::Command snap(const std::string& args) {
        return tv::shell(SNAP + " --data " + data.path().string() + " --out " + out.path().string() + " " + args);
    }
    tv::TempDir data, out;
};

TEST_F(Snap, WritesAFrameAtEveryWaitAndSaysHowTheRunEnded) {
    const tv::Command c = snap("--keys 'right enter'");
    EXPECT_EQ(c.status, 0) << c.err;
    EXPECT_EQ(c.out, "frame-000.png\tbeeps=0\nframe-001.png\tbeeps=0\nframe-002.png\tbeeps=0\nend: keys ran out\n");
    const PngHeader h = header(out / "frame-002.png");
    EXPECT_EQ(h.w, 640u);
    EXPECT_EQ(h.h, 480u);
    EXPECT_EQ(h.depth, 4);
    EXPECT_EQ(h.type, 3) << "indexed colour";
    EXPECT_FALSE(tv::fs::exists(out / "frame-003.png"));

    const tv::Command stop = snap("--scale 2 --keys 'enter up enter'");
    EXPECT_EQ(stop.status, 0);
    EXPECT_EQ(stop.out, "frame-000.png\tbeeps=0\nframe-001.png\tbeeps=0\nframe-002.png\tbeeps=0\nend: exit 0\n");
    EXPECT_EQ(header(out / "frame-000.png").w, 1280u);
    EXPECT_FALSE(tv::fs::exists(out / "frame-003.png")) << "frames of the earlier run are gone";
}

TEST_F(Snap, CountsBeepsAtTheEndOfTheData) {
    // Entry 2, then +4jr: held back at the last page with one beep.
    const tv::Command c = snap("--keys 'enter down enter right*5 enter'");
    EXPECT_EQ(c.status, 0) << c.err;
    EXPECT_NE(c.out.find("frame-009.png\tbeeps=1\n"), std::string::npos) << c.out;
}

TEST_F(Snap, RefusesBadOptionsBeforeAnythingRuns) {
    for (const char* args : {"--keys 'up sideways'", "--scale 0", "--scale x --keys enter", "--frobnicate",
                             "--keys", "--data /nonexistent/folder"}) {
        const tv::Command c = snap(args);
        EXPECT_EQ(c.status, 2) << args;
        EXPECT_NE(c.err.find("torvelin-snap: "), std::string::npos) << args << ": " << c.err;
        EXPECT_TRUE(c.out.empty()) << args;
        EXPECT_FALSE(tv::fs::exists(out / "frame-000.png")) << args;
    }
}

TEST_F(Snap, AFatalErrorOfTheProgramGivesItsMessageAndStatus) {
    tv::fs::remove(data / "TORVELIN.VSs");
    const tv::Command c = snap("--keys enter");
    EXPECT_EQ(c.status, 1);
    EXPECT_NE(c.err.find("cannot open observation file TORVELIN.VSs in " + data.path().string()), std::string::npos)
        << c.err;
    EXPECT_TRUE(c.out.empty()) << c.out;
}

}  // namespace
