#include "fuzz_check.h"

#include <cstdio>
#include <cstdlib>

void FuzzFail(const std::string& what) {
    std::fprintf(stderr, "property violated: %s\n", what.c_str());
    std::abort();
}
