// A property that fails stops the fuzzer as a crash does, so libFuzzer keeps
// the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace kv::fuzz {

inline void check(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz property broken: %s\n", property);
        std::abort();
    }
}

} // namespace kv::fuzz
