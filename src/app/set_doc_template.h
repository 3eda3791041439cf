#pragma once
// The one document template: a set document shown by a set view in a set window.

#include "platform/doctemplate.h"

CMultiDocTemplate* NewSetDocTemplate();
