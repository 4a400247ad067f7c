# The two set-up commands: `make run` starts the chooser on a demo folder,
# `make test` builds with the sanitizers and runs every test.
JOBS ?= 2
DEMO := build/demo

.PHONY: all release run test bench windows clean

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
# run under wine; otherwise they say they skipped.
test:
	cmake --preset test >/dev/null
	cmake --build --preset test -j $(JOBS)
	@if command -v wine >/dev/null && command -v x86_64-w64-mingw32-g++-posix >/dev/null; then \
	  cmake --preset windows-tests >/dev/null && cmake --build --preset windows-tests -j $(JOBS); \
	else echo "Windows tests skipped: mingw-w64 or wine is absent"; fi
	ctest --preset test -j $(JOBS)

# A release build with the terminal benchmark, then one benchmark run; options go in
# BENCH_ARGS, e.g. make bench BENCH_ARGS="--runs 3 --skip-listing".
bench:
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	build/bench/bin/zul_bench $(BENCH_ARGS)

windows:
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)
	@echo "Windows programs: build/windows/bin/zulchooser.exe build/windows/bin/vizozava.exe"

clean:
	rm -rf build
