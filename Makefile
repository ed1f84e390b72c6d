# Volmograph: `make run` and `make test` are all a new user needs.
SHELL := /bin/bash
DEV := build/dev
FUZZ_SECONDS ?= 30
FUZZ_SHORT_SECONDS ?= 4

.PHONY: all deps build run test asan bench fuzz fuzz-short clean

all: build

deps:
	@bash scripts/install-deps.sh

$(DEV)/build.ninja: | deps
	cmake --preset dev

build: deps $(DEV)/build.ninja
	cmake --build --preset dev

run: build
	@bash scripts/run.sh

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
	@for b in build/release/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

fuzz: deps
	@bash scripts/fuzz.sh $(FUZZ_SECONDS)

fuzz-short:
	@bash scripts/fuzz.sh $(FUZZ_SHORT_SECONDS)

clean:
	rm -rf build
