#pragma once
// A property that must hold for every input: when it does not, the input is
// a finding, and the fuzzer stops on it with the reason.

#include <string>

[[noreturn]] void FuzzFail(const std::string& what);

// The reason is built only when the property fails.
#define FUZZ_REQUIRE(holds, what)                                                                  \
    do {                                                                                           \
        if (!(holds))                                                                              \
            FuzzFail(what);                                                                        \
    } while (false)
