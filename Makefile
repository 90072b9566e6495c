# Thin wrapper over CMake: every target that builds installs missing packages first.
BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
BENCH_BUILD_DIR?= build-bench
FUZZ_BUILD_DIR ?= build-fuzz
JOBS           ?= $(shell nproc)

.PHONY: all deps configure build run test test-asan bench fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD_DIR)

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALLYROLL_SANITIZE=ON \
	  -DTALLYROLL_CORE_ONLY=ON -DTALLYROLL_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B $(BENCH_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLYROLL_BENCH=ON >/dev/null
	@cmake --build $(BENCH_BUILD_DIR) -j $(JOBS) --target tallyroll_bench
	@$(BENCH_BUILD_DIR)/tallyroll_bench --benchmark_counters_tabular=true

# libFuzzer targets, built with clang; docs/fuzzing.md says how to run them.
fuzz: deps
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYROLL_FUZZ=ON \
	  -DTALLYROLL_CORE_ONLY=ON -DTALLYROLL_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS) --target record_reader_fuzz tly_file_fuzz

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(BENCH_BUILD_DIR) $(FUZZ_BUILD_DIR)
