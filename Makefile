# The two set-up commands: `make run` starts the chooser on a demo folder,
# `make test` builds with the sanitizers and runs every test.
JOBS ?= 2
DEMO := build/demo
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := $(patsubst fuzz/%_fuzz.cpp,%,$(wildcard fuzz/*_fuzz.cpp))
# True when clang++ can link a libFuzzer program.
HAVE_LIBFUZZER = command -v clang++ >/dev/null && \
  printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' | \
  clang++ -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null

.PHONY: all release run test bench fuzz windows clean

all: release

release:
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

# The demo folder is a scratch copy of examples/, so the checkout stays clean.
run: release
	rm -rf $(DEMO) && mkdir -p $(DEMO) && cp -R examples/. $(DEMO)/
	cd $(DEMO) && ../release/bin/zulchooser

# With mingw-w64 and wine present, the Windows unit tests, the Windows chooser and
# the converter stand-in of its end-to-end tests are cross-built too, and those tests
# run under wine; with clang++ and libFuzzer present, the fuzz targets are built and
# each runs a few seconds as one of the tests. Otherwise those tests say they skipped.
test:
	cmake --preset test >/dev/null
	cmake --build --preset test -j $(JOBS)
	@if command -v wine >/dev/null && command -v x86_64-w64-mingw32-g++-posix >/dev/null; then \
	  cmake --preset windows-tests >/dev/null && cmake --build --preset windows-tests -j $(JOBS); \
	else echo "Windows tests skipped: mingw-w64 or wine is absent"; fi
	@if $(HAVE_LIBFUZZER); then \
	  cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j $(JOBS); \
	else echo "Fuzz targets skipped: clang++ with libFuzzer is absent"; fi
	ctest --preset test -j $(JOBS)

# A release build with the terminal benchmark, then one benchmark run; options go in
# BENCH_ARGS, e.g. make bench BENCH_ARGS="--runs 3 --skip-listing".
bench:
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	build/bench/bin/zul_bench $(BENCH_ARGS)

# Builds the fuzz targets and runs each for FUZZ_SECONDS on its corpus in
# build/fuzz/corpus/, seeded from fuzz/seeds/; crashes land in build/fuzz/artifacts/.
fuzz:
	@$(HAVE_LIBFUZZER) || { echo "make fuzz needs clang++ with libFuzzer"; exit 1; }
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	@for target in $(FUZZ_TARGETS); do \
	  echo "== fuzz_$$target for $(FUZZ_SECONDS) s"; \
	  bash fuzz/run_target.sh . $$target $(FUZZ_SECONDS) || exit 1; \
	done

windows:
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)
	@echo "Windows programs: build/windows/bin/zulchooser.exe build/windows/bin/vizozava.exe"

clean:
	rm -rf build
