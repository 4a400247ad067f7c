// What the fuzz targets share: a check that stops the run with a message when an
// invariant fails, so that libFuzzer keeps the input as a crash. Not a test
// framework; a target checks what it promises and nothing more.
#pragma once

#include <cstdio>
#include <cstdlib>

// Aborts with the failed condition and where it stands when `condition` is false.
#define FUZZ_CHECK(condition)                                                                \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                          \
    }                                                                                        \
  } while (false)
