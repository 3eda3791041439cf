#include "platform/framework/resources.h"

namespace {
const ResourceTable* g_pResources = nullptr;
}

void AfxSetResources(const ResourceTable* table) {
    g_pResources = table;
}

const ResourceTable& AfxGetResources() {
    static const ResourceTable empty;
    return g_pResources != nullptr ? *g_pResources : empty;
}

CString AfxLoadString(UINT id) {
    const auto& strings = AfxGetResources().strings;
    auto it = strings.find(id);
    return it != strings.end() ? it->second : CString();
}
