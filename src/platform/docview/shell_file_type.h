#pragma once
// What the desktop's shell is told about the program and its document type
// when the type is registered at start-up.

#include "platform/framework/types.h"

struct ShellFileType {
    CString appName;   // the program's name: "Quirl32"
    CString typeId;    // the template's file type id: "Quirl32.Document"
    CString typeName;  // its file type name: "Quirl3 Document"
    CString extension; // its filter extension with the dot: ".qrl"
    UINT nAppIcon = 0; // icon resource of the main window
    UINT nDocIcon = 0; // icon resource of the document's windows
};
