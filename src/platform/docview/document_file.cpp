#include "platform/docview/document.h"

#include "platform/files/file_io.h"
#include "platform/framework/msgbox.h"

#include <new>

namespace {

CString WithPath(const char* pattern, const CString& path) {
    CString text = pattern;
    const auto at = text.find("%1");
    if (at != CString::npos)
        text.replace(at, 2, path);
    return text;
}

void ReportOpenFailure(CFileException::Cause cause, const CString& path) {
    switch (cause) {
    case CFileException::fileNotFound:
        AfxMessageBox(WithPath("%1 was not found.", path), MB_ICONEXCLAMATION);
        break;
    case CFileException::accessDenied:
        AfxMessageBox(WithPath("Access to %1 was denied.", path), MB_ICONEXCLAMATION);
        break;
    case CFileException::sharingViolation:
        AfxMessageBox(WithPath("A sharing violation occurred while accessing %1.", path),
                      MB_ICONEXCLAMATION);
        break;
    default:
        AfxMessageBox("Failed to open document.", MB_ICONEXCLAMATION);
        break;
    }
}

void ReportSaveFailure(const FileReplaceResult& result, const CString& path) {
    switch (result.cause) {
    case CFileException::accessDenied:
        AfxMessageBox(WithPath("Access to %1 was denied.", path), MB_ICONEXCLAMATION);
        break;
    case CFileException::diskFull:
        AfxMessageBox(WithPath("Disk full while accessing %1.", path), MB_ICONEXCLAMATION);
        break;
    case CFileException::sharingViolation:
        AfxMessageBox(WithPath("A sharing violation occurred while accessing %1.", path),
                      MB_ICONEXCLAMATION);
        break;
    default:
        AfxMessageBox(result.created ? "Failed to save document." : "Invalid filename.",
                      MB_ICONEXCLAMATION);
        break;
    }
}

} // namespace

BOOL CDocument::OnOpenDocument(const CString& pathName) {
    std::vector<std::uint8_t> bytes;
    const CFileException::Cause cause = AfxReadWholeFile(pathName, bytes);
    if (cause != CFileException::none) {
        ReportOpenFailure(cause, pathName);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(FALSE);
    // An empty file loads nothing and opens as it is.
    if (bytes.empty())
        return TRUE;
    try {
        CArchive ar(bytes, CArchive::load);
        Serialize(ar);
    } catch (const CArchiveException& e) {
        DeleteContents();
        if (e.m_cause == CArchiveException::endOfFile || e.m_cause == CArchiveException::badClass ||
            e.m_cause == CArchiveException::badSchema)
            AfxMessageBox("Unexpected file format.", MB_ICONEXCLAMATION);
        else
            AfxMessageBox("Failed to open document.", MB_ICONEXCLAMATION);
        return FALSE;
    } catch (const CMemoryException&) {
        DeleteContents();
        AfxMessageBox("Out of memory.", MB_ICONEXCLAMATION);
        return FALSE;
    } catch (const std::bad_alloc&) {
        DeleteContents();
        AfxMessageBox("Out of memory.", MB_ICONEXCLAMATION);
        return FALSE;
    } catch (const std::exception&) {
        DeleteContents();
        AfxMessageBox("Failed to open document.", MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const CString& pathName) {
    std::vector<std::uint8_t> bytes;
    try {
        CArchive ar(bytes, CArchive::store);
        Serialize(ar);
    } catch (const CMemoryException&) {
        AfxMessageBox("Out of memory.", MB_ICONEXCLAMATION);
        return FALSE;
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Out of memory.", MB_ICONEXCLAMATION);
        return FALSE;
    } catch (const std::exception&) {
        AfxMessageBox("Failed to save document.", MB_ICONEXCLAMATION);
        return FALSE;
    }
    const FileReplaceResult result = AfxReplaceFile(pathName, bytes);
    if (result.cause != CFileException::none) {
        ReportSaveFailure(result, pathName);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}
