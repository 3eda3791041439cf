// The dialog templates of the set document and the set commands.

#include "app/about_dlg.h"
#include "commands/info_dlg.h"
#include "commands/resources.h"
#include "commands/specify_dlg.h"
#include "doc/selection_dlg.h"

void AddDialogResources(ResourceTable& table) {
    for (DialogTemplate t : {SelectionDialogTemplate(), SpecifyDialogTemplate(),
                             InfoDialogTemplate(), AboutDialogTemplate()})
        table.dialogs[t.id] = std::move(t);
}
