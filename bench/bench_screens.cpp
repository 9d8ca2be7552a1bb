// bench_screens: how long one whole pass of each screen takes on the bundled
// sample, headless, against one clear of the whole window measured in the
// same run, and how many heap allocations a pass makes.
//
//   bench_screens [--data DIR] [google benchmark options]
//
// A pass is the screen procedure called with a display that confirms the
// highlighted cell (STOP) at the first wait for a key: the clear, the page or
// chart(s), the command bar, the key and the two highlight outlines. The
// start-up runs the program from the opening of the observation file to the
// first frame (the language screen).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "UNTLYSI0.h"
#include "UNTLYSI1.h"
#include "UNTLYSI2.h"
#include "UNTLYSI3.h"
#include "Units/UNTGRAPHICS.h"
#include "Units/UNTPROGDELEN.h"
#include "platform/display.h"
#include "platform/graph.h"
#include "platform/headless.h"
#include "torvelin.h"

#include "alloc_count.h"

namespace {

using namespace WinGraph;
using alloccount::ALLOCS;

// Confirms the highlighted cell whenever the program waits for a key.
class Confirm : public platform::Display {
public:
    bool open(std::string_view, std::string&) override { return true; }
    void close() override {}
    void waitKey() override { platform::pushKey(13); }
    void beep() override {}
};

// Ends the program at its first wait for a key.
class FirstFrame : public platform::Display {
public:
    bool open(std::string_view, std::string&) override { return true; }
    void close() override {}
    void waitKey() override { throw platform::Halt{0, "first frame"}; }
    void beep() override {}
};

Confirm CONFIRM;

// The program as it stands after start-up and the menu: file open, window
// open, text size 2, the current day in the middle of the record.
void ready() {
    platform::setDisplay(&CONFIRM);
    UNTLYSI0::OPSTARTEN();
    UNTGRAPHICS::GRHAALDRIVER();
    SetTextStyle(torvelin::FNT, 0, 2);
    UNTLYSI0::RECNR = UNTLYSI0::XRECNR / 2;
}

// Runs PASS once to settle, then as often as the benchmark asks, counting
// the allocations of the counted passes.
template <class PASS>
void passes(benchmark::State& state, PASS&& pass) {
    ready();
    pass();
    const size_t before = ALLOCS;
    for (auto _ : state) {
        pass();
        benchmark::ClobberMemory();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["allocs"] = benchmark::Counter(static_cast<double>(ALLOCS - before) / n);
    platform::setDisplay(nullptr);
}

void Clear(benchmark::State& s) { passes(s, [] { UNTGRAPHICS::GRSCHERM(LightGray, Blue); }); }
void Listing(benchmark::State& s) { passes(s, [] { UNTLYSI1::SCHERMLISTING(1); }); }
void Operation(benchmark::State& s) { passes(s, [] { UNTLYSI2::GRABEDRIJF(1); }); }
void WaterBalance(benchmark::State& s) { passes(s, [] { UNTLYSI2::GRABAKKEN(1); }); }
void Piezometers(benchmark::State& s) { passes(s, [] { UNTLYSI3::PEILBUIZENABC(1); }); }
void DuneWells(benchmark::State& s) { passes(s, [] { UNTLYSI3::PEILW116W194(1); }); }

// Pieces of a chart pass. The command bar whole; the bar's box alone (its
// outline and the flood fill inside it, on a blue box as after a clear, which
// the benchmark paints first); the reading of a chart's 96 records.
void CommandBar(benchmark::State& s) {
    passes(s, [] { UNTPROGDELEN::TEKENBALK("-4jr  -1jr  -3mnd -23dg L1,L4  STOP L2,L3 +23dg +3mnd +1jr  +4jr ", 1, 6, true); });
}
void BarBoxFill(benchmark::State& s) {
    passes(s, [] {
        UNTGRAPHICS::GRKLEUR(Blue);
        Bar(56, 442, 583, 458);
        UNTGRAPHICS::GRETIKET(56, 442, 583, 458, Red, Red);
    });
}
void Read96(benchmark::State& s) {
    passes(s, [] {
        UNTLYSI0::ZOEK(UNTLYSI0::RECNR - 40);
        for (int i = 0; i < 96; ++i) UNTLYSI0::LEESVOLGENDE();
    });
}

void StartUp(benchmark::State& state) {
    FirstFrame first;
    const size_t before = ALLOCS;
    for (auto _ : state) {
        const char* reason = nullptr;
        platform::runProgram(first, torvelin::HOOFDPROGRAMMA, &reason);
        if (!reason || std::strcmp(reason, "first frame") != 0) state.SkipWithError("the program did not reach its first frame");
    }
    state.counters["allocs"] = benchmark::Counter(static_cast<double>(ALLOCS - before) / static_cast<double>(state.iterations()));
}

// Prints the usual table, and after it every pass as a ratio to the clear.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred || r.iterations == 0) continue;
            const double t = r.real_accumulated_time / static_cast<double>(r.iterations);
            const std::string name = r.run_name.function_name;
            auto it = best_.find(name);
            if (it == best_.end() || t < it->second.seconds) {
                auto c = r.counters.find("allocs");
                best_[name] = {t, c == r.counters.end() ? 0.0 : c->second.value};
            }
            if (order_.empty() || std::find(order_.begin(), order_.end(), name) == order_.end()) order_.push_back(name);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        auto clear = best_.find("Clear");
        if (clear == best_.end()) return;
        const double base = clear->second.seconds;
        std::printf("\nEach pass against one full-window clear (%.1f us), the fastest repetition:\n", base * 1e6);
        std::printf("  %-14s %10s %8s %8s %12s\n", "pass", "time (us)", "x clear", "x 5", "allocs/pass");
        for (const std::string& name : order_) {
            const Best& b = best_[name];
            std::printf("  %-14s %10.1f %8.2f %8.2f %12.2f\n", name.c_str(), b.seconds * 1e6, b.seconds / base,
                        b.seconds / base / 5.0, b.allocs);
        }
        std::printf("Goal: every screen pass within 20 x clear; 'x 5' is the ratio to 5 x clear.\n");
    }

private:
    struct Best {
        double seconds;
        double allocs;
    };
    std::map<std::string, Best> best_;
    std::vector<std::string> order_;
};

}  // namespace

BENCHMARK(Clear);
BENCHMARK(Listing);
BENCHMARK(Operation);
BENCHMARK(WaterBalance);
BENCHMARK(Piezometers);
BENCHMARK(DuneWells);
BENCHMARK(CommandBar);
BENCHMARK(BarBoxFill);
BENCHMARK(Read96);
BENCHMARK(StartUp);

int main(int argc, char** argv) {
    std::string data = TORVELIN_SOURCE_DIR "/data";
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
            data = argv[++i];
            continue;
        }
        args.push_back(argv[i]);
    }
    int n = static_cast<int>(args.size());
    benchmark::Initialize(&n, args.data());
    if (benchmark::ReportUnrecognizedArguments(n, args.data())) return 2;
    if (chdir(data.c_str()) != 0) {
        std::fprintf(stderr, "bench_screens: --data %s: %s\n", data.c_str(), std::strerror(errno));
        return 2;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
