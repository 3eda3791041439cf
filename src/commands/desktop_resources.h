#pragma once
// The desktop's share of the resource table: menus, the accelerator table,
// the toolbar with its pictures, the icons and the indicator names.

#include "platform/framework/resources.h"

void AddMenuResources(ResourceTable& table);
void AddAcceleratorResources(ResourceTable& table);
void AddToolbarResources(ResourceTable& table);
void AddIconResources(ResourceTable& table);
void AddIndicatorStrings(ResourceTable& table);
