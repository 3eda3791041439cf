#include "platform/files/exceptions.h"

#include <new>

const char* AfxHandledExceptionText(const char* otherwise) {
    try {
        throw;
    } catch (const CMemoryException&) {
        return "Out of memory.";
    } catch (const std::bad_alloc&) {
        return "Out of memory.";
    } catch (...) {
        return otherwise;
    }
}

namespace {

struct FileErrorText {
    CFileException::Cause cause;
    const char* pattern; // "%1" stands for the path
    bool onOpen;
    bool onSave;
};

constexpr FileErrorText kFileErrorTexts[] = {
    {CFileException::fileNotFound, "%1 was not found.", true, false},
    {CFileException::accessDenied, "Access to %1 was denied.", true, true},
    {CFileException::sharingViolation, "A sharing violation occurred while accessing %1.", true,
     true},
    {CFileException::diskFull, "Disk full while accessing %1.", false, true},
};

} // namespace

CString AfxFileErrorText(CFileException::Cause cause, FileOperation operation, const CString& path,
                         const char* otherwise) {
    for (const FileErrorText& entry : kFileErrorTexts) {
        if (entry.cause != cause ||
            !(operation == FileOperation::open ? entry.onOpen : entry.onSave))
            continue;
        CString text = entry.pattern;
        text.replace(text.find("%1"), 2, path);
        return text;
    }
    return otherwise;
}
