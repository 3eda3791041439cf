#include "platform/docview/doc_strings.h"

#include "platform/docview/doctemplate.h"
#include "platform/framework/resources.h"

std::vector<CString> AfxSplitDocString(UINT nIDResource) {
    std::vector<CString> fields;
    const CString text = AfxLoadString(nIDResource);
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find('\n', start);
        fields.push_back(text.substr(start, end == CString::npos ? CString::npos : end - start));
        if (end == CString::npos)
            break;
        start = end + 1;
    }
    return fields;
}

CString AfxDefaultExtension(UINT nIDResource) {
    const auto fields = AfxSplitDocString(nIDResource);
    if (fields.size() <= std::size_t(CMultiDocTemplate::filterExt))
        return "";
    CString ext = fields[CMultiDocTemplate::filterExt];
    if (!ext.empty() && ext.front() != '.')
        ext.insert(ext.begin(), '.');
    return ext;
}

CString AfxFileDialogFilter(UINT nIDResource) {
    const CString allFiles = "All Files (*.*)|*.*";
    const auto fields = AfxSplitDocString(nIDResource);
    const CString ext = AfxDefaultExtension(nIDResource);
    if (fields.size() <= std::size_t(CMultiDocTemplate::filterName) || ext.empty() ||
        fields[CMultiDocTemplate::filterName].empty())
        return allFiles;
    return fields[CMultiDocTemplate::filterName] + "|*" + ext + "|" + allFiles;
}

CString AfxFileNameOf(const CString& path) {
    const auto slash = path.find_last_of('/');
    return slash == CString::npos ? path : path.substr(slash + 1);
}

CString AfxAppendDefaultExtension(const CString& path, const CString& ext) {
    const CString name = AfxFileNameOf(path);
    const auto dot = name.find_last_of('.');
    if (ext.empty() || name.empty() || (dot != CString::npos && dot > 0))
        return path;
    return path + ext;
}
