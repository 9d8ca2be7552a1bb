// What the tests share: observation files written on the spot, the program run
// headless in this process, and pixel checks that say what went wrong.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/display.h"
#include "platform/graph.h"

namespace tv {

namespace fs = std::filesystem;

// A folder of its own under the system's temporary folder, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

// One 96-character record, positions 1-based as in the file.
struct Record {
    std::string text = std::string(96, ' ');
    // `s` placed from position `pos` on.
    Record& at(int pos, std::string_view s);
    // `value` right-aligned in the `width` characters from `pos` on.
    Record& num(int pos, int width, long value);
};

// Day `n` of the series (day 0 is Sunday 1 June 1941): "ZELV", the date at
// positions 6..13, the Dutch weekday code at 15..16, all numbers blank.
Record day(int n);
// Days first .. first + count - 1.
std::vector<Record> days(int count, int first = 0);
// Writes the records (and `tail` after them) as TORVELIN.VSs in `dir`.
void writeObservations(const fs::path& dir, const std::vector<Record>& records, std::string_view tail = "");

struct Frame {
    platform::Pixels pix;
    int beeps = 0;
    uint8_t at(int x, int y) const { return pix[y][x]; }
};

struct Run {
    int status = 0;
    std::string reason;  // "keys ran out", or empty when the program ended by itself
    std::vector<Frame> frames;
    int beeps = 0;
    bool windowOpened = false;
    std::string err;  // what the program wrote on stderr
    const Frame& last() const { return frames.back(); }
};

// Runs the program headless in `dataDir` with the key script `keys`;
// `onFrame`, when given, is called with each frame's number right after the
// frame is captured (to change the data under the running program).
Run run(const fs::path& dataDir, std::string_view keys, const std::function<void(int frame)>& onFrame = {});

// Keys from the start to the main menu in a language (1 Dutch, 2 English, 3 German).
std::string toMenu(int taal = 1);

const char* colourName(int c);

// Checks of one frame. On failure they say which pixel, what colour was
// expected and what came, and save the frame under test-frames/.
::testing::AssertionResult pixelIs(const Frame& f, int x, int y, uint8_t colour);
// Every set pixel of the glyphs of `text` at (x, y) has `fg`; with bg >= 0
// every unset pixel of the 8 x 16 cells has `bg`. `scale` 2 for text size 4.
::testing::AssertionResult textAt(const Frame& f, int x, int y, std::string_view text, uint8_t fg, int bg = -1,
                                  int scale = 1);
// Every pixel of the box (corners included) has `colour`.
::testing::AssertionResult boxIs(const Frame& f, int x1, int y1, int x2, int y2, uint8_t colour);
// The outline of the box has `colour`.
::testing::AssertionResult outlineIs(const Frame& f, int x1, int y1, int x2, int y2, uint8_t colour);
::testing::AssertionResult sameFrame(const Frame& a, const Frame& b);
// Pixels of `colour` in the box.
int count(const Frame& f, int x1, int y1, int x2, int y2, uint8_t colour);

// Saves a frame as PNG under test-frames/ and gives its path.
std::string saveFrame(const Frame& f, const std::string& tag);

struct Command {
    int status;
    std::string out, err;
};
// Runs a shell command line, capturing its output.
Command shell(const std::string& commandLine);

}  // namespace tv
