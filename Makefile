# The two set-up commands: `make run` starts the chooser on a demo folder,
# `make test` builds with the sanitizers and runs every test. Each first goes through
# tools/setup.sh, which installs what is missing (as root, with apt-get) or stops,
# before anything is built, saying which packages to install.
JOBS ?= 2
DEMO := build/demo
PACKAGES := build/packages
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := $(patsubst fuzz/%_fuzz.cpp,%,$(wildcard fuzz/*_fuzz.cpp))
# The builds that cmake starts are make's too: their "Entering directory" lines
# say nothing worth reading.
MAKEFLAGS += --no-print-directory
# True when clang++ can link a libFuzzer program.
HAVE_LIBFUZZER = command -v clang++ >/dev/null && \
  printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' | \
  clang++ -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null
# True when the C++ compiler can link a ThreadSanitizer program.
HAVE_TSAN = printf 'int main() { return 0; }\n' | $(CXX) -x c++ -fsanitize=thread - -o /dev/null 2>/dev/null
HAVE_MINGW = command -v x86_64-w64-mingw32-g++-posix >/dev/null
HAVE_WINE = command -v wine >/dev/null
# After CTest: why each skipped test did not run, from what it said (a script's
# "SKIPPED: why", GoogleTest's "file:line: Skipped" and the line after it).
SKIP_REASONS = awk '/^[0-9]+\/[0-9]+ Test: / { name = $$3 } \
  /^SKIPPED: / { sub(/^SKIPPED: /, ""); print "\t" name ": " $$0 } \
  after_skip { print "\t" name ": " $$0; after_skip = 0 } /: Skipped$$/ { after_skip = 1 }' \
  build/test/Testing/Temporary/LastTest.log
# Runs $(1) and shows its output only when it fails.
QUIETLY = out=$$($(1) 2>&1) || { printf '%s\n' "$$out"; exit 1; }

# The C++ files that clang-format keeps in shape.
FORMATTED = git ls-files '*.cpp' '*.h'
# Makes sure what the set-up named ($(1): build, check, package, test, coverage,
# screenshots) needs is there.
SETUP = bash tools/setup.sh $(1)

.PHONY: all release run test check tsan coverage screenshots tidy format format-check bench fuzz windows package clean

all: release

release:
	@$(call SETUP,build)
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

# The demo folder is a scratch copy of examples/, so the checkout stays clean, with
# the stand-in converter in it under the converter's name: the chooser, started there,
# finds it in its working directory. Both are 0755 whatever the umask, as the chooser
# passes over a converter there that other users could change. Nothing else puts the
# stand-in where a real vizozava could be.
run: release
	@rm -rf $(DEMO) && mkdir -p $(DEMO) && cp -R examples/. $(DEMO)/
	@cp build/release/demo/vizozava-demo $(DEMO)/vizozava
	@chmod 0755 $(DEMO) $(DEMO)/vizozava
	@cd $(DEMO) && ../release/bin/zulchooser

# With mingw-w64 and wine present, the Windows unit tests, the Windows chooser and
# the converter stand-in of its end-to-end tests are cross-built too, and those tests
# run under wine; with clang++ and libFuzzer present, the fuzz targets are built and
# each runs a few seconds as one of the tests. The archives of `make package` are
# made and looked into (the Windows zip with mingw-w64 present); with a compiler that
# links ThreadSanitizer, the tests of `make tsan` are built for it and run as one of the
# tests (tsan.look_ups). Whatever cannot be built is skipped, and the tests that need
# it say so.
test:
	@$(call SETUP,test)
	cmake --preset test >/dev/null
	cmake --build --preset test -j $(JOBS)
	@if $(HAVE_TSAN); then \
	  cmake --preset tsan >/dev/null && cmake --build --preset tsan -j $(JOBS); \
	else echo "ThreadSanitizer tests skipped: $(CXX) cannot link -fsanitize=thread"; fi
	@if $(HAVE_WINE) && $(HAVE_MINGW); then \
	  cmake --preset windows-tests >/dev/null && cmake --build --preset windows-tests -j $(JOBS); \
	else echo "Windows tests skipped: mingw-w64 or wine is absent"; fi
	@if $(HAVE_LIBFUZZER); then \
	  cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j $(JOBS); \
	else echo "Fuzz targets skipped: clang++ with libFuzzer is absent"; fi
	@$(MAKE) package
	@ctest --preset test -j $(JOBS); status=$$?; \
	  reasons=$$($(SKIP_REASONS) 2>/dev/null); \
	  [ -z "$$reasons" ] || printf 'Why they did not run:\n%s\n' "$$reasons"; \
	  exit $$status

# The unit tests alone (GoogleTest and the layering check), in the sanitized test build.
check:
	@$(call SETUP,check)
	cmake --preset test >/dev/null
	cmake --build --preset test -j $(JOBS) --target zul_tests zul_argument_recorder vizozava_demo
	@ctest --preset check -j $(JOBS)

# The unit tests that drive the input box's look-up thread, built with ThreadSanitizer
# (build/tsan, the unit test program alone) and run by tests/tsan_look_ups.sh: a race
# it sees fails them. GoogleTest options go in TSAN_ARGS, e.g.
# make tsan TSAN_ARGS=--gtest_repeat=20.
tsan:
	@$(call SETUP,check)
	@$(HAVE_TSAN) || { echo "make tsan needs $(CXX) able to link -fsanitize=thread (libtsan)"; exit 1; }
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan -j $(JOBS)
	@bash tests/tsan_look_ups.sh build/tsan/bin $(TSAN_ARGS)

# The unit and end-to-end tests in a build with gcc's counts (build/coverage), then how
# much of the program's code they ran, by folder; the HTML report in build/coverage/report/.
coverage:
	@$(call SETUP,coverage)
	cmake --preset coverage >/dev/null
	cmake --build --preset coverage -j $(JOBS)
	@bash tools/coverage.sh $(JOBS)

# The README's pictures, in docs/: the chooser in xterm and the Windows program in wine's
# console window, drawn on an X server of their own (tools/screenshots.sh).
screenshots:
	@$(call SETUP,screenshots)
	@$(MAKE) release
	@$(MAKE) windows
	@bash tools/screenshots.sh

# The program's sources compiled with clang-tidy (.clang-tidy); any finding fails.
tidy:
	cmake --preset tidy >/dev/null
	cmake --build --preset tidy -j $(JOBS)

# Formats every C++ file in place; format-check fails, naming them, where one differs.
format:
	@$(FORMATTED) | xargs clang-format -i
format-check:
	@bad=$$($(FORMATTED) | while read -r file; do clang-format "$$file" | cmp -s - "$$file" || echo "$$file"; done); \
	  [ -z "$$bad" ] || { printf 'Not formatted (make format):\n%s\n' "$$bad"; exit 1; }; echo "Formatting: ok"

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
	  bash fuzz/run_target.sh build/fuzz $$target $(FUZZ_SECONDS) || exit 1; \
	done

windows:
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)
	@echo "Windows program: build/windows/bin/zulchooser.exe (the stand-in converter: build/windows/demo/vizozava-demo.exe)"

# What an install holds, in build/packages/: for Linux a tar.gz and a Debian package
# and, with mingw-w64 present, a zip for Windows. None holds the stand-in converter.
package:
	@$(call SETUP,package)
	@$(MAKE) release
	@rm -f $(PACKAGES)/zulchooser-* $(PACKAGES)/zulchooser_*
	@$(call QUIETLY,cmake --build --preset release --target package)
	@if $(HAVE_MINGW); then \
	  $(call QUIETLY,$(MAKE) windows) && $(call QUIETLY,cmake --build --preset windows --target package); \
	else echo "Windows zip skipped: mingw-w64 is absent"; fi
	@for archive in $(PACKAGES)/zulchooser[-_]*; do echo "Package: $$archive"; done

clean:
	rm -rf build
