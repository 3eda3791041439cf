#pragma once
// The one document template: a set document shown by a set view in a set window.

#include "platform/docview/doctemplate.h"

CMultiDocTemplate* NewSetDocTemplate();
