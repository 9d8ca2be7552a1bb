// Showing the surface in the SDL window: each colour index becomes its ARGB
// pixel in a streaming texture of 640 x 480, which the renderer stretches
// over the window. The viewer and its measuring program both go through here.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>

#include "display.h"

namespace platform {

using ArgbPalette = std::array<uint32_t, 16>;

// The 16 palette colours as ARGB8888, fully opaque.
inline ArgbPalette argbPalette() {
    ArgbPalette argb{};
    for (int i = 0; i < 16; ++i) {
        const Rgb& c = PALETTE[i];
        argb[i] = 0xFF000000u | (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
    }
    return argb;
}

// The surface as ARGB8888 rows, `pitch` bytes apart from `dst` on.
inline void toArgb(const Pixels& pix, const ArgbPalette& argb, void* dst, int pitch) {
    for (int y = 0; y < HEIGHT; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(dst) + static_cast<ptrdiff_t>(y) * pitch);
        const uint8_t* src = pix[y].data();
        for (int x = 0; x < WIDTH; ++x) row[x] = argb[src[x] & 15];
    }
}

// Converts the surface into the streaming texture and presents the window.
inline void presentSurface(SDL_Renderer* renderer, SDL_Texture* texture, const ArgbPalette& argb) {
    void* dst = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &dst, &pitch) != 0) return;
    toArgb(pixels(), argb, dst, pitch);
    SDL_UnlockTexture(texture);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
}

}  // namespace platform
