// torvelin: the viewer in an SDL window. The 640 x 480 surface is shown at the
// largest whole-number scale that fits the screen, nearest-neighbour, so that
// it stays sharp; the window is presented whenever the program waits for a key
// and whenever it is exposed, and waiting uses no CPU.
#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "../torvelin.h"
#include "display.h"
#include "headless.h"
#include "keys.h"
#include "sdl_present.h"

namespace {

using platform::Key;

// The key of an SDL key event, or nothing when the key types a character
// (that comes as text input) or has no code.
bool specialKey(const SDL_Keysym& sym, platform::KeyPress& p) {
    const bool numLock = sym.mod & KMOD_NUM;
    p.shift = sym.mod & KMOD_SHIFT;
    p.ctrl = sym.mod & KMOD_CTRL;
    p.alt = sym.mod & KMOD_LALT;  // right Alt is AltGr on most layouts
    switch (sym.sym) {
    case SDLK_RETURN: case SDLK_KP_ENTER: case SDLK_RETURN2: p.key = Key::Enter; return true;
    case SDLK_ESCAPE: p.key = Key::Escape; return true;
    case SDLK_BACKSPACE: p.key = Key::Backspace; return true;
    case SDLK_TAB: p.key = Key::Tab; return true;
    case SDLK_UP: p.key = Key::Up; return true;
    case SDLK_DOWN: p.key = Key::Down; return true;
    case SDLK_LEFT: p.key = Key::Left; return true;
    case SDLK_RIGHT: p.key = Key::Right; return true;
    case SDLK_HOME: p.key = Key::Home; return true;
    case SDLK_END: p.key = Key::End; return true;
    case SDLK_PAGEUP: p.key = Key::PgUp; return true;
    case SDLK_PAGEDOWN: p.key = Key::PgDn; return true;
    case SDLK_INSERT: p.key = Key::Ins; return true;
    case SDLK_DELETE: p.key = Key::Del; return true;
    default: break;
    }
    if (sym.sym >= SDLK_F1 && sym.sym <= SDLK_F12) {
        p.key = static_cast<Key>(static_cast<int>(Key::F1) + (sym.sym - SDLK_F1));
        return true;
    }
    if (!numLock) {
        switch (sym.sym) {
        case SDLK_KP_8: p.key = Key::Up; return true;
        case SDLK_KP_2: p.key = Key::Down; return true;
        case SDLK_KP_4: p.key = Key::Left; return true;
        case SDLK_KP_6: p.key = Key::Right; return true;
        case SDLK_KP_7: p.key = Key::Home; return true;
        case SDLK_KP_1: p.key = Key::End; return true;
        case SDLK_KP_9: p.key = Key::PgUp; return true;
        case SDLK_KP_3: p.key = Key::PgDn; return true;
        case SDLK_KP_0: p.key = Key::Ins; return true;
        case SDLK_KP_PERIOD: p.key = Key::Del; return true;
        default: break;
        }
    }
    if ((p.ctrl || p.alt) && ((sym.sym >= SDLK_a && sym.sym <= SDLK_z) || (sym.sym >= SDLK_0 && sym.sym <= SDLK_9))) {
        p.key = Key::Character;
        p.ch = static_cast<char32_t>(sym.sym);
        return true;
    }
    return false;
}

class SdlDisplay : public platform::Display {
public:
    bool open(std::string_view caption, std::string& why) override {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint("SDL_QUIT_ON_LAST_WINDOW_CLOSE", "0");
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            why = SDL_GetError();
            why += " (no graphical display? torvelin-snap runs the viewer without one)";
            return false;
        }
        // Without a display SDL falls back to drivers that show nothing and
        // deliver no keys: the program would wait for keys that cannot come.
        const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
        if (driver == "offscreen" || driver == "dummy" || driver == "evdev") {
            SDL_Quit();
            why = "no graphical display could be reached (is DISPLAY or WAYLAND_DISPLAY set?); "
                  "torvelin-snap runs the viewer without one";
            return false;
        }
        SDL_Rect usable{0, 0, 640, 480};
        if (SDL_GetDisplayUsableBounds(0, &usable) != 0) SDL_GetDisplayBounds(0, &usable);
        // Leave room for the window's frame and caption bar.
        const int scale = std::max(1, std::min(usable.w / 640, (usable.h - 32) / 480));
        const std::string title(caption);
        window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640 * scale,
                                   480 * scale, SDL_WINDOW_ALLOW_HIGHDPI);
        if (!window_) {
            why = SDL_GetError();
            SDL_Quit();
            return false;
        }
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        texture_ = renderer_ ? SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, 640, 480)
                             : nullptr;
        if (!texture_) {
            why = SDL_GetError();
            close();
            return false;
        }
        argb_ = platform::argbPalette();
        SDL_StartTextInput();
        SDL_RaiseWindow(window_);
        present();
        return true;
    }

    void close() override {
        if (!window_) return;
        if (audio_) SDL_CloseAudioDevice(audio_);
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        SDL_DestroyWindow(window_);
        SDL_Quit();
        window_ = nullptr;
        renderer_ = nullptr;
        texture_ = nullptr;
        audio_ = 0;
    }

    void waitKey() override {
        present();
        SDL_Event e;
        while (!platform::keyQueued() && SDL_WaitEvent(&e)) handle(e);
    }

    void poll() override {
        SDL_Event e;
        while (SDL_PollEvent(&e)) handle(e);
    }

    void beep() override {
        if (audioFailed_) return;
        if (!audio_) {
            SDL_AudioSpec want{}, have{};
            want.freq = 22050;
            want.format = AUDIO_S16SYS;
            want.channels = 1;
            want.samples = 512;
            // The sound libraries under SDL may say a great deal on stderr
            // when there is no sound device; the viewer says it in one line.
            std::fflush(stderr);
            const int savedErr = dup(2);
            const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
            if (savedErr >= 0 && devNull >= 0) dup2(devNull, 2);
            const bool opened = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 &&
                                (audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0)) != 0;
            if (savedErr >= 0 && devNull >= 0) dup2(savedErr, 2);
            if (devNull >= 0) ::close(devNull);
            if (savedErr >= 0) ::close(savedErr);
            if (!opened) {
                std::fprintf(stderr, "torvelin: no sound for the warning beep: %s\n", SDL_GetError());
                audioFailed_ = true;
                return;
            }
            // 150 ms of an 880 Hz square wave, quietly.
            tone_.resize(static_cast<size_t>(have.freq) * 15 / 100);
            for (size_t i = 0; i < tone_.size(); ++i) tone_[i] = ((i * 880 * 2 / have.freq) & 1) ? 4000 : -4000;
            SDL_PauseAudioDevice(audio_, 0);
        }
        if (SDL_GetQueuedAudioSize(audio_) > tone_.size() * sizeof(int16_t)) return;
        SDL_QueueAudio(audio_, tone_.data(), static_cast<Uint32>(tone_.size() * sizeof(int16_t)));
    }

private:
    void present() { platform::presentSurface(renderer_, texture_, argb_); }

    void push(const platform::KeyPress& p) {
        for (uint8_t c : platform::keyCodes(p)) platform::pushKey(c);
    }

    void handle(const SDL_Event& e) {
        switch (e.type) {
        case SDL_KEYDOWN: {
            swallowText_ = false;
            platform::KeyPress p;
            if (specialKey(e.key.keysym, p)) {
                push(p);
                // A letter with Ctrl or Alt may come again as text: that is not typed.
                swallowText_ = p.key == Key::Character;
            }
            break;
        }
        case SDL_TEXTINPUT: {
            if (swallowText_) {
                swallowText_ = false;
                break;
            }
            // UTF-8 to code points, each typed as its code page 437 byte.
            const unsigned char* s = reinterpret_cast<const unsigned char*>(e.text.text);
            while (*s) {
                char32_t cp = *s;
                int more = cp >= 0xF0 ? 3 : cp >= 0xE0 ? 2 : cp >= 0xC0 ? 1 : 0;
                if (more) cp &= 0x3F >> more;
                ++s;
                while (more-- > 0 && (*s & 0xC0) == 0x80) cp = (cp << 6) | (*s++ & 0x3F);
                platform::KeyPress p;
                p.ch = cp;
                push(p);
            }
            break;
        }
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                platform::KeyPress p;
                p.key = Key::Close;
                push(p);
            } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_RESTORED ||
                       e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                present();
            }
            break;
        case SDL_QUIT: {
            platform::KeyPress p;
            p.key = Key::Close;
            push(p);
            break;
        }
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            present();
            break;
        default:
            break;
        }
    }

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_AudioDeviceID audio_ = 0;
    bool audioFailed_ = false;
    bool swallowText_ = false;
    platform::ArgbPalette argb_{};
    std::vector<int16_t> tone_;
};

}  // namespace

int main(int, char**) {
    platform::installSignalHandlers();
    SdlDisplay display;
    return platform::runProgram(display, torvelin::HOOFDPROGRAMMA, nullptr);
}
