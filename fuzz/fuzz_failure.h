// A fuzzer's own finding: what broke, on stderr, then the abort libFuzzer
// records as a crash with its input.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace mw::fuzz {

[[noreturn]] inline void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace mw::fuzz
