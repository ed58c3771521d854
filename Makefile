# Everyday entry points. The build lives in build/ (Release).
#   make run ARGS="--max-fps 0"   build, then play
#   make test                      build, then run every test
#   make bench                     Release build in build-bench, then measure
BUILD_DIR := build
ARGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BENCH_DIR := build-bench

.PHONY: all deps configure build run test clean bench

all: build

deps:
	sh scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/vaultrix $(ARGS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure

# Speed and memory figures (docs/performance.md); not part of make test.
bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DVAULTRIX_BENCH=ON -DVAULTRIX_TESTS=OFF
	cmake --build $(BENCH_DIR) -j $(JOBS)
	bash bench/run.sh $(BENCH_DIR)

clean:
	rm -rf $(BUILD_DIR)
