#pragma once
// The document strings of a template's resource id: seven fields separated by
// newlines, and the file-dialog filter and default extension made from them.

#include "platform/framework/types.h"

#include <vector>

std::vector<CString> AfxSplitDocString(UINT nIDResource);
// "<filter name>|*<ext>|All Files (*.*)|*.*", or only the last pair when the
// template names no file type.
CString AfxFileDialogFilter(UINT nIDResource);
// The filter extension with its dot (".qrl"), or "".
CString AfxDefaultExtension(UINT nIDResource);
// path with ext appended when its file name has no extension.
CString AfxAppendDefaultExtension(const CString& path, const CString& ext);
// The file name of a path, without its folder.
CString AfxFileNameOf(const CString& path);
