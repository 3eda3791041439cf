#include "commands/resources.h"

#include "commands/desktop_resources.h"

const ResourceTable& Quirl32Resources() {
    static const ResourceTable table = [] {
        ResourceTable t;
        AddStringResources(t);
        AddDialogResources(t);
        AddMenuResources(t);
        AddAcceleratorResources(t);
        AddToolbarResources(t);
        AddIconResources(t);
        AddIndicatorStrings(t);
        return t;
    }();
    return table;
}
