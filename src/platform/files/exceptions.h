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
