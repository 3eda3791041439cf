#pragma once
// The files the install puts under <prefix>/share, made at build time from
// the program's own texts and icons: the desktop entry (which starts the
// program from the PATH), the MIME package, the icons of the hicolor theme
// and the help pages.

#include "platform/docview/shell_file_type.h"

#include <string>

// Writes them below root as applications/, mime/packages/, icons/hicolor/
// and doc/<program>/html/, after emptying root. Returns "" when all went
// well, else what failed.
std::string WriteInstallFiles(const ShellFileType& type, const std::string& root);
