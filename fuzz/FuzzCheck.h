#pragma once
#include <cstdio>
#include <cstdlib>

// A property the fuzz target holds its reader to; a broken one stops the run with the condition's
// text, and libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)
