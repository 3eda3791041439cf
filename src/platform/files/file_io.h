#pragma once
// Whole-file reading and safe replacement of a file, for the framework's
// document handling. Errors come back as the framework's file-error causes.

#include "platform/files/exceptions.h"

#include <cstdint>
#include <vector>

// Files longer than this are read only up to it; no document reads that far.
constexpr std::size_t kMaxDocumentFileSize = std::size_t(64) << 20;

// Reads the file into bytes. Returns CFileException::none on success.
CFileException::Cause AfxReadWholeFile(const CString& path, std::vector<std::uint8_t>& bytes);

struct FileReplaceResult {
    CFileException::Cause cause = CFileException::none;
    // False when the failure came before anything could be created.
    bool created = false;
};

// Writes bytes to a new file beside path, flushes it to the disk and renames
// it over path. On any failure the old file is left as it was and the new
// one removed. Where a new file could not take the old one's place (the
// folder takes no new file; the old file has other names, extended
// attributes or an owner or group the new file cannot get), the old file is
// written over in place and flushed; when that fails, the bytes it
// overwrote are put back.
FileReplaceResult AfxReplaceFile(const CString& path, const std::vector<std::uint8_t>& bytes);
