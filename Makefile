# make run   - installs what is missing, builds, and opens the viewer on the bundled sample
# make test  - installs what is missing, builds, and runs the whole test suite
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test clean

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

clean:
	rm -rf $(BUILD)
