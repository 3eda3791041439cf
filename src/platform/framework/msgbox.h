#pragma once
// Message boxes through the backend. Failures of the framework are reported
// with the exclamation icon.

#include "platform/framework/types.h"

int AfxMessageBox(const CString& text, UINT nType = MB_OK | MB_ICONEXCLAMATION);
