// The dialog templates of the set document and the set commands.

#include "commands/info_dlg.h"
#include "commands/resources.h"
#include "commands/specify_dlg.h"
#include "doc/selection_dlg.h"

void AddDialogResources(ResourceTable& table) {
    for (DialogTemplate t :
         {SelectionDialogTemplate(), SpecifyDialogTemplate(), InfoDialogTemplate()})
        table.dialogs[t.id] = std::move(t);
}
