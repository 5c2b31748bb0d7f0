#ifndef TestSupport_Expect_h
#define TestSupport_Expect_h

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding like a crash: say which and abort, so
// that libFuzzer keeps the input.
inline void expect(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

#endif
