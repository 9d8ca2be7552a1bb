# make run   - installs what is missing, builds, and opens the viewer on the bundled sample
# make test  - installs what is missing, builds, and runs the whole test suite:
#              in the normal build, then again with AddressSanitizer and
#              UndefinedBehaviorSanitizer (build-asan)
# make bench - measures the screens' passes and the window's frame cost (not a test)
# make fuzz  - builds the libFuzzer targets with clang and runs each FUZZ_SECONDS
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 120

.PHONY: all deps build run test test-asan bench fuzz clean

all: build

deps:
	@tools/setup-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@tools/run-viewer.sh $(abspath $(BUILD))/torvelin data

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	$(MAKE) --no-print-directory test-asan

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVELIN_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j$(JOBS)

bench: build
	cmake --build $(BUILD) -j$(JOBS) --target bench_screens bench_present
	$(BUILD)/bench_screens --benchmark_repetitions=5
	bench/present.sh $(BUILD)

fuzz:
	fuzz/run.sh $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
