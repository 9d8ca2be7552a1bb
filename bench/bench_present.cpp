// bench_present: what showing one frame in the SDL window costs: the
// conversion of the surface to ARGB pixels and the presentation of the window,
// through the viewer's own code (platform/sdl_present.h). Needs a display
// (bench/present.sh runs it under Xvfb).
//
//   bench_present [--data DIR] [--scale N] [--frames N]
//
// The surface holds a real frame: the operation chart of the bundled sample.
#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "UNTLYSI0.h"
#include "UNTLYSI2.h"
#include "Units/UNTGRAPHICS.h"
#include "platform/display.h"
#include "platform/graph.h"
#include "platform/sdl_present.h"

namespace {

// Confirms STOP at the first wait for a key, so that the chart stays drawn.
class Confirm : public platform::Display {
public:
    bool open(std::string_view, std::string&) override { return true; }
    void close() override {}
    void waitKey() override { platform::pushKey(13); }
    void beep() override {}
};

using Clock = std::chrono::steady_clock;

struct Figures {
    double mean, median, max;
};

Figures figures(std::vector<double>& us) {
    std::sort(us.begin(), us.end());
    double sum = 0;
    for (double v : us) sum += v;
    return {sum / static_cast<double>(us.size()), us[us.size() / 2], us.back()};
}

int fail(const char* what) {
    std::fprintf(stderr, "bench_present: %s: %s\n", what, SDL_GetError());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string data = TORVELIN_SOURCE_DIR "/data";
    int scale = 0, frames = 300;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--data") == 0) data = argv[i + 1];
        else if (std::strcmp(argv[i], "--scale") == 0) scale = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--frames") == 0) frames = std::max(10, std::atoi(argv[i + 1]));
        else {
            std::fprintf(stderr, "usage: bench_present [--data DIR] [--scale N] [--frames N]\n");
            return 2;
        }
    }
    if (chdir(data.c_str()) != 0) {
        std::fprintf(stderr, "bench_present: --data %s: %s\n", data.c_str(), std::strerror(errno));
        return 2;
    }

    // A real frame on the surface.
    Confirm confirm;
    platform::setDisplay(&confirm);
    UNTLYSI0::OPSTARTEN();
    UNTGRAPHICS::GRHAALDRIVER();
    WinGraph::SetTextStyle(0, 0, 2);
    UNTLYSI0::RECNR = UNTLYSI0::XRECNR / 2;
    UNTLYSI2::GRABEDRIJF(1);
    platform::setDisplay(nullptr);

    // The window as the viewer makes it.
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return fail("SDL_Init");
    if (scale < 1) {
        SDL_Rect usable{0, 0, 640, 480};
        if (SDL_GetDisplayUsableBounds(0, &usable) != 0) SDL_GetDisplayBounds(0, &usable);
        scale = std::max(1, std::min(usable.w / 640, (usable.h - 32) / 480));
    }
    SDL_Window* window = SDL_CreateWindow("bench_present", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640 * scale,
                                          480 * scale, SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window) return fail("SDL_CreateWindow");
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) return fail("SDL_CreateRenderer");
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, 640, 480);
    if (!texture) return fail("SDL_CreateTexture");
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer, &info);
    const platform::ArgbPalette argb = platform::argbPalette();

    // The conversion alone, into memory of the texture's layout.
    std::vector<uint32_t> target(640 * 480);
    std::vector<double> convert, present;
    for (int i = 0; i < frames; ++i) {
        const auto t0 = Clock::now();
        platform::toArgb(platform::pixels(), argb, target.data(), 640 * 4);
        convert.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    // The whole presentation, as the viewer does it at every wait for a key.
    for (int i = 0; i < 10; ++i) platform::presentSurface(renderer, texture, argb);
    for (int i = 0; i < frames; ++i) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
        }
        const auto t0 = Clock::now();
        platform::presentSurface(renderer, texture, argb);
        present.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    const Figures c = figures(convert), p = figures(present);
    const double frame60 = 1e6 / 60.0;
    std::printf("renderer %s, window %d x %d (scale %d), %d frames, video driver %s\n", info.name, 640 * scale,
                480 * scale, scale, frames, SDL_GetCurrentVideoDriver());
    std::printf("  %-34s %9s %9s %9s %12s\n", "", "mean us", "median us", "max us", "of 60 Hz");
    std::printf("  %-34s %9.1f %9.1f %9.1f %11.1f%%\n", "conversion to ARGB", c.mean, c.median, c.max,
                100 * c.median / frame60);
    std::printf("  %-34s %9.1f %9.1f %9.1f %11.1f%%\n", "conversion + present (whole frame)", p.mean, p.median, p.max,
                100 * p.median / frame60);
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
