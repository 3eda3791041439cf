#pragma once
// A request as the desktop's shell hands it to the program: a command, the
// files it names and, for printing to a chosen printer, that printer.

#include "platform/docview/winapp.h"

#include <utility>
#include <vector>

inline CCommandLineInfo ShellRequest(CCommandLineInfo::Shell command, std::vector<CString> files,
                                     CString printer = {}) {
    CCommandLineInfo request;
    request.m_nShellCommand = command;
    request.m_files = std::move(files);
    request.m_strPrinterName = std::move(printer);
    return request;
}
