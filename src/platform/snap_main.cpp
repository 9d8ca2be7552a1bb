// torvelin-snap: the program, headless. Keys come from a script; every time
// the program waits for a key the screen is written as frame-NNN.png.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "../torvelin.h"
#include "headless.h"
#include "png.h"

namespace {

const char USAGE[] =
    "usage: torvelin-snap [--data DIR] [--out DIR] [--scale N] --keys \"TOKENS\"\n"
    "Runs the viewer headless on DIR/TORVELIN.VSs (default: the current folder) and\n"
    "writes the screen as OUT/frame-NNN.png (default OUT: ./snap) every time it\n"
    "waits for a key: frame 000 is the first screen, frame k the one after key k.\n"
    "TOKENS, separated by blanks: up down left right enter esc space tab backspace\n"
    "home end pgup pgdn ins del f1..f12 ctrl-left ctrl-right ctrl-up ctrl-down\n"
    "alt-f4 close, a single character (a H 7 #), 0xNN for one raw code; TOKEN*N\n"
    "repeats it, ahead:TOKEN types it while the program is busy.\n";

int bad(const std::string& why) {
    std::fprintf(stderr, "torvelin-snap: %s\n%s", why.c_str(), USAGE);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::string data = ".", out = "snap", keys;
    long scale = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        }
        if (a != "--data" && a != "--out" && a != "--scale" && a != "--keys") return bad("unknown option '" + a + "'");
        if (i + 1 >= argc) return bad(a + " needs a value");
        const std::string v = argv[++i];
        if (a == "--data") data = v;
        if (a == "--out") out = v;
        if (a == "--keys") keys = v;
        if (a == "--scale") {
            char* end = nullptr;
            scale = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end || scale < 1 || scale > 8) return bad("--scale takes a whole number from 1 to 8");
        }
    }
    std::vector<platform::ScriptStep> script;
    std::string why;
    if (!platform::parseKeyScript(keys, script, why)) return bad(why);
    std::error_code ec;
    const fs::path outDir = fs::absolute(out, ec);
    if (ec) return bad("--out " + out + ": " + ec.message());
    if (!fs::is_directory(data, ec)) return bad("--data " + data + ": not a folder");
    fs::create_directories(outDir, ec);
    if (ec) return bad("--out " + out + ": " + ec.message());
    // Frames of an earlier run would mix with these.
    for (const auto& entry : fs::directory_iterator(outDir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == 13 && name.rfind("frame-", 0) == 0 && name.substr(9) == ".png") fs::remove(entry.path(), ec);
    }
    if (chdir(data.c_str()) != 0) return bad("--data " + data + ": " + std::strerror(errno));

    bool writeFailed = false;
    platform::HeadlessDisplay display(std::move(script), [&](const platform::Pixels& pix, int frame, int beeps) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%03d.png", frame);
        std::string err;
        if (!platform::writePng((outDir / name).string(), pix, static_cast<int>(scale), err)) {
            std::fprintf(stderr, "torvelin-snap: %s\n", err.c_str());
            writeFailed = true;
            throw platform::Halt{1, "frame not written"};
        }
        std::printf("%s\tbeeps=%d\n", name, beeps);
        std::fflush(stdout);
    });
    platform::installSignalHandlers();
    const char* reason = nullptr;
    const int status = platform::runProgram(display, torvelin::HOOFDPROGRAMMA, &reason);
    if (writeFailed) return 1;
    if (reason && std::strcmp(reason, "keys ran out") == 0) {
        std::printf("end: keys ran out\n");
        return 0;
    }
    if (!reason) std::printf("end: exit %d\n", status);
    return status;
}
