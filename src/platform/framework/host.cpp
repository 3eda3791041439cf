#include "platform/framework/host.h"

#include <cstdio>
#include <cstdlib>

namespace {
Host* g_pHost = nullptr;
}

void AfxSetHost(Host* pHost) {
    g_pHost = pHost;
}

Host* AfxTryGetHost() {
    return g_pHost;
}

Host& AfxGetHost() {
    if (g_pHost == nullptr) {
        std::fputs("Quirl32: no platform backend is set\n", stderr);
        std::abort();
    }
    return *g_pHost;
}
