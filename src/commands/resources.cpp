#include "commands/resources.h"

const ResourceTable& Quirl32Resources() {
    static const ResourceTable table = [] {
        ResourceTable t;
        AddStringResources(t);
        AddDialogResources(t);
        return t;
    }();
    return table;
}
