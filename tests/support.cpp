#include "support.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/headless.h"
#include "platform/png.h"
#include "torvelin.h"

namespace tv {

TempDir::TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "torvelin-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

Record& Record::at(int pos, std::string_view s) {
    text.replace(static_cast<size_t>(pos - 1), s.size(), s);
    text.resize(96, ' ');
    return *this;
}

Record& Record::num(int pos, int width, long value) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), ' ');
    return at(pos, s);
}

namespace {

// Days since 1970-01-01 to year, month, day.
void civil(long z, int& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

constexpr long FIRST_DAY = -10441;  // 1 June 1941, a Sunday

}  // namespace

Record day(int n) {
    static const char* const CODES[7] = {"ZO", "MA", "DI", "WO", "DO", "VR", "ZA"};
    int y, m, d;
    civil(FIRST_DAY + n, y, m, d);
    char date[32];
    std::snprintf(date, sizeof date, "%04d%02d%02d", y, m, d);
    Record r;
    r.at(1, "ZELV").at(6, date).at(15, CODES[((n % 7) + 7) % 7]);
    return r;
}

std::vector<Record> days(int count, int first) {
    std::vector<Record> v;
    for (int i = 0; i < count; ++i) v.push_back(day(first + i));
    return v;
}

void writeObservations(const fs::path& dir, const std::vector<Record>& records, std::string_view tail) {
    std::ofstream out(dir / "TORVELIN.VSs", std::ios::binary);
    for (const Record& r : records) out << r.text;
    out << tail;
}

std::string toMenu(int taal) {
    if (taal == 2) return "right enter ";
    if (taal == 3) return "left enter ";
    return "enter ";
}

Run run(const fs::path& dataDir, std::string_view keys, const std::function<void(int frame)>& onFrame) {
    Run result;
    std::vector<platform::ScriptStep> script;
    std::string why;
    if (!platform::parseKeyScript(keys, script, why)) {
        ADD_FAILURE() << "bad key script: " << why;
        return result;
    }
    platform::HeadlessDisplay display(std::move(script), [&](const platform::Pixels& pix, int frame, int beeps) {
        result.frames.push_back(Frame{pix, beeps});
        if (onFrame) onFrame(frame);
    });
    const fs::path here = fs::current_path();
    fs::current_path(dataDir);
    // What the program says on stderr goes to a file for the test to read.
    std::fflush(stderr);
    const int saved = dup(2);
    const fs::path errPath = fs::temp_directory_path() / ("torvelin-err-" + std::to_string(getpid()));
    const int errFd = open(errPath.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
    dup2(errFd, 2);
    close(errFd);
    const char* reason = nullptr;
    result.status = platform::runProgram(display, torvelin::HOOFDPROGRAMMA, &reason);
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::ifstream in(errPath);
    std::stringstream ss;
    ss << in.rdbuf();
    result.err = ss.str();
    fs::remove(errPath);
    fs::current_path(here);
    result.reason = reason ? reason : "";
    result.beeps = display.beeps();
    result.windowOpened = !display.caption().empty();
    return result;
}

const char* colourName(int c) {
    static const char* const NAMES[16] = {"Black",    "Blue",      "Green",      "Cyan",      "Red",      "Magenta",
                                          "Brown",    "LightGray", "DarkGray",   "LightBlue", "LightGreen", "LightCyan",
                                          "LightRed", "LightMagenta", "Yellow", "White"};
    return c >= 0 && c < 16 ? NAMES[c] : "?";
}

std::string saveFrame(const Frame& f, const std::string& tag) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "frame";
    for (char& c : name)
        if (c == '/') c = '_';
    fs::create_directories("test-frames");
    const std::string path = (fs::absolute("test-frames") / (name + "-" + tag + ".png")).string();
    std::string why;
    platform::writePng(path, f.pix, 1, why);
    return path;
}

namespace {
::testing::AssertionResult fail(const Frame& f, int x, int y, int want, std::string_view what) {
    return ::testing::AssertionFailure() << what << "pixel (" << x << ", " << y << "): expected " << colourName(want)
                                         << ", got " << colourName(f.at(x, y)) << "; frame saved as "
                                         << saveFrame(f, "x" + std::to_string(x) + "y" + std::to_string(y));
}
}  // namespace

::testing::AssertionResult pixelIs(const Frame& f, int x, int y, uint8_t colour) {
    if (x < 0 || x > 639 || y < 0 || y > 479) return ::testing::AssertionFailure() << "pixel outside the window";
    if (f.at(x, y) != colour) return fail(f, x, y, colour, "");
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult textAt(const Frame& f, int x, int y, std::string_view text, uint8_t fg, int bg, int scale) {
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t* g = platform::fontGlyph(static_cast<uint8_t>(text[i]));
        for (int r = 0; r < 16 * scale; ++r)
            for (int c = 0; c < 8 * scale; ++c) {
                const int px = x + static_cast<int>(i) * 8 * scale + c, py = y + r;
                if (px < 0 || px > 639 || py < 0 || py > 479) continue;
                const bool on = g[r / scale] & (0x80 >> (c / scale));
                if (on && f.at(px, py) != fg)
                    return fail(f, px, py, fg, "text \"" + std::string(text) + "\" character " + std::to_string(i) + ": ");
                if (!on && bg >= 0 && f.at(px, py) != bg)
                    return fail(f, px, py, bg, "text \"" + std::string(text) + "\" character " + std::to_string(i) + ": ");
            }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult boxIs(const Frame& f, int x1, int y1, int x2, int y2, uint8_t colour) {
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (f.at(x, y) != colour) return fail(f, x, y, colour, "box: ");
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult outlineIs(const Frame& f, int x1, int y1, int x2, int y2, uint8_t colour) {
    for (int x = x1; x <= x2; ++x) {
        if (f.at(x, y1) != colour) return fail(f, x, y1, colour, "outline: ");
        if (f.at(x, y2) != colour) return fail(f, x, y2, colour, "outline: ");
    }
    for (int y = y1; y <= y2; ++y) {
        if (f.at(x1, y) != colour) return fail(f, x1, y, colour, "outline: ");
        if (f.at(x2, y) != colour) return fail(f, x2, y, colour, "outline: ");
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult sameFrame(const Frame& a, const Frame& b) {
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (a.at(x, y) != b.at(x, y))
                return ::testing::AssertionFailure()
                       << "frames differ first at pixel (" << x << ", " << y << "): " << colourName(a.at(x, y)) << " vs "
                       << colourName(b.at(x, y)) << "; saved as " << saveFrame(a, "a") << " and " << saveFrame(b, "b");
    return ::testing::AssertionSuccess();
}

int count(const Frame& f, int x1, int y1, int x2, int y2, uint8_t colour) {
    int n = 0;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) n += f.at(x, y) == colour;
    return n;
}

Command shell(const std::string& commandLine) {
    const fs::path errPath = fs::temp_directory_path() / ("torvelin-cmd-" + std::to_string(getpid()));
    Command c{0, "", ""};
    std::FILE* p = popen((commandLine + " 2>" + errPath.string()).c_str(), "r");
    if (!p) return {127, "", "popen failed"};
    std::array<char, 4096> buf;
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) c.out.append(buf.data(), n);
    const int st = pclose(p);
    c.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
    std::ifstream in(errPath);
    std::stringstream ss;
    ss << in.rdbuf();
    c.err = ss.str();
    fs::remove(errPath);
    return c;
}

}  // namespace tv
