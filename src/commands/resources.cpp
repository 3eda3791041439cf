// The system's resource table, and the dialog templates of the set document
// and the set commands.

#include "commands/resources.h"

#include "app/about_dlg.h"
#include "commands/info_dlg.h"
#include "commands/specify_dlg.h"
#include "doc/selection_dlg.h"

void AddDialogResources(ResourceTable& table) {
    for (DialogTemplate t : {SelectionDialogTemplate(), SpecifyDialogTemplate(),
                             InfoDialogTemplate(), AboutDialogTemplate()})
        table.dialogs[t.id] = std::move(t);
}

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
