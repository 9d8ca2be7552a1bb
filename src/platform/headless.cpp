#include "headless.h"

#include <charconv>

#include "keys.h"

namespace platform {

bool parseKeyScript(std::string_view text, std::vector<ScriptStep>& steps, std::string& why) {
    steps.clear();
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == '\n') {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < text.size() && text[j] != ' ' && text[j] != '\t' && text[j] != '\n') ++j;
        std::string_view tok = text.substr(i, j - i);
        i = j;
        ScriptStep step;
        if (tok.size() > 6 && tok.substr(0, 6) == "ahead:") {
            step.ahead = true;
            tok.remove_prefix(6);
        }
        long repeat = 1;
        const size_t star = tok.rfind('*');
        if (star != std::string_view::npos && star > 0 && star + 1 < tok.size()) {
            std::string_view n = tok.substr(star + 1);
            auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), repeat);
            if (ec != std::errc() || end != n.data() + n.size() || repeat < 0 || repeat > 10'000'000) {
                why = "bad repeat count in '" + std::string(tok) + "'";
                return false;
            }
            tok = tok.substr(0, star);
        }
        if (!tokenCodes(tok, step.codes, why)) return false;
        for (long k = 0; k < repeat; ++k) steps.push_back(step);
    }
    return true;
}

HeadlessDisplay::HeadlessDisplay(std::vector<ScriptStep> script, FrameSink sink)
    : script_(std::move(script)), sink_(std::move(sink)) {}

bool HeadlessDisplay::open(std::string_view caption, std::string&) {
    open_ = true;
    caption_ = caption;
    queueAhead();
    return true;
}

void HeadlessDisplay::close() { open_ = false; }

void HeadlessDisplay::queueAhead() {
    while (next_ < script_.size() && script_[next_].ahead) {
        for (uint8_t c : script_[next_].codes) pushKey(c);
        ++next_;
    }
}

void HeadlessDisplay::waitKey() {
    if (sink_) sink_(pixels(), frames_, beeps_);
    ++frames_;
    if (next_ >= script_.size()) throw Halt{0, "keys ran out"};
    const ScriptStep& step = script_[next_++];
    for (uint8_t c : step.codes) pushKey(c);
    undelivered_ = step.codes.size();
}

void HeadlessDisplay::delivered() {
    if (undelivered_ > 0 && --undelivered_ == 0) queueAhead();
}

int runProgram(Display& display, int (*body)(), const char** reason) {
    setDisplay(&display);
    int status;
    if (reason) *reason = nullptr;
    try {
        status = body();
    } catch (const Halt& h) {
        status = h.status;
        if (reason) *reason = h.reason;
    }
    display.close();
    setDisplay(nullptr);
    clearKeys();
    return status;
}

}  // namespace platform
