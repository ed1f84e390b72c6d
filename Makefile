# Volmograph: `make run` and `make test` are all a new user needs.
SHELL := /bin/bash
DEV := build/dev
FUZZ_SECONDS ?= 30
FUZZ_SHORT_SECONDS ?= 4
# Length of the desktop program's real-time CPU run in `make bench` (e.g. BENCH_CPU_SECONDS=10).
BENCH_CPU_SECONDS ?= 60

.PHONY: all deps build run screenshots test asan bench fuzz fuzz-short clean

all: build

deps:
	@bash scripts/install-deps.sh

$(DEV)/build.ninja: | deps
	cmake --preset dev

build: deps $(DEV)/build.ninja
	cmake --build --preset dev

run: build
	@bash scripts/run.sh

# Pictures of the main window in each display mode, under a virtual display.
SHOTS ?= build/screenshots
screenshots: build
	@bash scripts/screenshot.sh $(SHOTS)

test: build
	ctest --preset dev -j2
	@$(MAKE) --no-print-directory fuzz-short

asan: deps
	@test -f build/asan/build.ninja || cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan -j2

bench: deps
	@test -f build/release/build.ninja || cmake --preset release
	cmake --build --preset release
	@for b in build/release/bench/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	  VOLMOGRAPH_BENCH_CPU_SECONDS=$(BENCH_CPU_SECONDS) "$$b" || exit 1; done

fuzz: deps
	@bash scripts/fuzz.sh $(FUZZ_SECONDS)

fuzz-short:
	@bash scripts/fuzz.sh $(FUZZ_SHORT_SECONDS)

clean:
	rm -rf build
