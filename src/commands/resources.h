#pragma once
// The system's resource table, handed to the framework at start
// (AfxSetResources). Each kind of resource is added by a function of its own.

#include "platform/framework/resources.h"

const ResourceTable& Quirl32Resources();

// The parts, each filling its share of the table.
void AddStringResources(ResourceTable& table);
void AddDialogResources(ResourceTable& table);
