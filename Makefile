# Two commands for a new user: `make run` and `make test`. Everything else is CMake.
JOBS ?= $(shell nproc)
BUILD := build
TESTBUILD := build-test

.PHONY: all build run test deps bench deb fuzz soak clean

all: build

deps:
	@scripts/install-deps

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: deps build
	cd $(BUILD) && ./sekiba

# Tests run headless (the Qt smoke tests use the offscreen platform), built with
# AddressSanitizer and UndefinedBehaviorSanitizer.
test: deps
	cmake -S . -B $(TESTBUILD) -DCMAKE_BUILD_TYPE=Debug -DSEKIBA_SANITIZE=ON >/dev/null
	cmake --build $(TESTBUILD) -j $(JOBS)
	cd $(TESTBUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target sekiba_bench
	$(BUILD)/bench/sekiba_bench

# A Debian package of the game: $(BUILD)/sekiba_<version>_<arch>.deb
deb: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && cpack -G DEB

# Every fuzz target for FUZZ_SECONDS each (clang with its fuzzer runtime).
FUZZ_SECONDS ?= 60
fuzz:
	fuzz/run.sh $(FUZZ_SECONDS)

# The long runs of automatic play in the sanitizer build (tens of minutes).
soak: deps
	soak/run.sh

clean:
	rm -rf $(BUILD) $(TESTBUILD)
