#pragma once
// A round-trip failure must stop the fuzzer and the replay test alike, in any build type.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                               \
    do {                                                                                               \
        if (!(cond)) {                                                                                 \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);             \
            std::abort();                                                                              \
        }                                                                                              \
    } while (0)
