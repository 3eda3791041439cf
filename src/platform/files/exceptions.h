#pragma once
// The framework's exceptions: archive errors, file errors and memory.

#include "platform/framework/types.h"

#include <exception>

class CException : public std::exception {
public:
    const char* what() const noexcept override { return "framework exception"; }
};

class CMemoryException : public CException {
public:
    const char* what() const noexcept override { return "out of memory"; }
};

class CArchiveException : public CException {
public:
    enum Cause { none, generic, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };
    explicit CArchiveException(Cause cause) : m_cause(cause) {}
    const char* what() const noexcept override { return "archive exception"; }
    Cause m_cause;
};

class CFileException : public CException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };
    CFileException(Cause cause, CString fileName)
        : m_cause(cause), m_strFileName(std::move(fileName)) {}
    const char* what() const noexcept override { return "file exception"; }
    Cause m_cause;
    CString m_strFileName;
};

// What the user is told about the exception being handled: "Out of memory."
// when memory ran out, otherwise the given text. Call it only inside a catch
// block.
const char* AfxHandledExceptionText(const char* otherwise);

// What the user is told when a file cannot be read or written: the text for
// the cause with the file's path in it, or the given text for causes the
// operation does not name.
enum class FileOperation { open, save };
CString AfxFileErrorText(CFileException::Cause cause, FileOperation operation, const CString& path,
                         const char* otherwise);
