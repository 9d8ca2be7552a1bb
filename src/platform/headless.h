// The display for tests and torvelin-snap: keys come from a script, every wait
// for a key hands the frame as it stands to a sink, beeps are counted.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "display.h"

namespace platform {

struct ScriptStep {
    std::vector<uint8_t> codes;
    // Typed while the program is busy: queued right after the key before it
    // has been delivered (or before the first wait, when it leads the script).
    bool ahead = false;
};

// Parses a key script: tokens separated by blanks, each optionally "ahead:"
// and optionally followed by "*N". False, with `why`, on a bad token.
bool parseKeyScript(std::string_view text, std::vector<ScriptStep>& steps, std::string& why);

class HeadlessDisplay : public Display {
public:
    // Called with the surface, the frame number and the beeps so far.
    using FrameSink = std::function<void(const Pixels&, int frame, int beeps)>;

    HeadlessDisplay(std::vector<ScriptStep> script, FrameSink sink);

    bool open(std::string_view caption, std::string& why) override;
    void close() override;
    void waitKey() override;
    void delivered() override;
    void beep() override { ++beeps_; }

    int beeps() const { return beeps_; }
    int frames() const { return frames_; }
    bool isOpen() const { return open_; }
    const std::string& caption() const { return caption_; }

private:
    void queueAhead();

    std::vector<ScriptStep> script_;
    FrameSink sink_;
    size_t next_ = 0;
    size_t undelivered_ = 0;  // codes of the last scripted key still in the buffer
    int beeps_ = 0;
    int frames_ = 0;
    bool open_ = false;
    std::string caption_;
};

// Runs the program body on `display`: returns its exit status, or the status
// of the Halt that ended it (with its reason in `reason`, else nullptr).
int runProgram(Display& display, int (*body)(), const char** reason);

}  // namespace platform
