// The seam between the drawing layer and whatever shows its pixels: an SDL
// window for people, a headless display for tests and torvelin-snap.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace platform {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;

// One colour index (0..15) a pixel, row after row.
using Pixels = std::array<std::array<uint8_t, WIDTH>, HEIGHT>;

struct Rgb {
    uint8_t r, g, b;
};
// The standard VGA palette of the 16 colours: 00/A8/54/FC per channel.
extern const std::array<Rgb, 16> PALETTE;

const Pixels& pixels();

// The 16 rows of glyph `ch` of font 0, high bit left.
const uint8_t* fontGlyph(uint8_t ch);

// Thrown to end the program: the front end closes the window and ends the
// process with `status`. `reason` is what torvelin-snap reports.
struct Halt {
    int status;
    const char* reason;
};

class Display {
public:
    virtual ~Display() = default;
    // Opens the window. On failure returns false with the reason in `why`.
    virtual bool open(std::string_view caption, std::string& why) = 0;
    virtual void close() = 0;
    // The program waits for a key and none is queued: show the surface and
    // come back once at least one code has been queued (pushKey), or throw Halt.
    virtual void waitKey() = 0;
    // Queue whatever keys have come in, without waiting.
    virtual void poll() {}
    // One code was taken from the queue.
    virtual void delivered() {}
    virtual void beep() = 0;
};

// The display the drawing layer shows through; set once by the front end.
void setDisplay(Display* display);

// The key buffer. It holds 256 codes; codes typed while it is full are dropped.
void pushKey(uint8_t code);
bool keyQueued();
void clearKeys();

// Resets the drawing state and surface to what InitGraph leaves (for a second
// run of the program in one process).
void resetSurface();

// Sound the warning beep through the display.
void beep();

// Ends the process at once on Ctrl+C (130) and SIGTERM (143): the program
// holds nothing that could be lost.
void installSignalHandlers();

}  // namespace platform
