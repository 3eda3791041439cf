#include "platform/docview/document.h"

#include "platform/files/exceptions.h"
#include "platform/files/file_io.h"
#include "platform/framework/msgbox.h"

BOOL CDocument::OnOpenDocument(const CString& pathName) {
    std::vector<std::uint8_t> bytes;
    const CFileException::Cause cause = AfxReadWholeFile(pathName, bytes);
    if (cause != CFileException::none) {
        AfxMessageBox(
            AfxFileErrorText(cause, FileOperation::open, pathName, "Failed to open document."),
            MB_ICONEXCLAMATION);
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
    } catch (const std::exception&) {
        DeleteContents();
        AfxMessageBox(AfxHandledExceptionText("Failed to open document."), MB_ICONEXCLAMATION);
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
    } catch (const std::exception&) {
        AfxMessageBox(AfxHandledExceptionText("Failed to save document."), MB_ICONEXCLAMATION);
        return FALSE;
    }
    const FileReplaceResult result = AfxReplaceFile(pathName, bytes);
    if (result.cause != CFileException::none) {
        AfxMessageBox(
            AfxFileErrorText(result.cause, FileOperation::save, pathName,
                             result.created ? "Failed to save document." : "Invalid filename."),
            MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}
