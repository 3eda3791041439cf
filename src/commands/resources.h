#pragma once
// The system's resource table, handed to the framework at start
// (AfxSetResources). Each kind of resource is added by a function of its own.

#include "platform/framework/resources.h"

const ResourceTable& Quirl32Resources();

// The parts, each filling its share of the table: strings and dialog
// templates, and the desktop's menus, accelerator table, toolbar with its
// pictures, icons and indicator names.
void AddStringResources(ResourceTable& table);
void AddDialogResources(ResourceTable& table);
void AddMenuResources(ResourceTable& table);
void AddAcceleratorResources(ResourceTable& table);
void AddToolbarResources(ResourceTable& table);
void AddIconResources(ResourceTable& table);
void AddIndicatorStrings(ResourceTable& table);
