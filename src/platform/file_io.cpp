#include "platform/file_io.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

CFileException::Cause OpenCause(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return CFileException::fileNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return CFileException::accessDenied;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
        return CFileException::sharingViolation;
    default:
        return CFileException::genericException;
    }
}

CFileException::Cause CreateCause(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return CFileException::accessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return CFileException::diskFull;
    case EBUSY:
    case ETXTBSY:
        return CFileException::sharingViolation;
    default:
        return CFileException::badPath;
    }
}

CFileException::Cause WriteCause(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return CFileException::diskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return CFileException::accessDenied;
    default:
        return CFileException::genericException;
    }
}

CString FolderOf(const CString& path) {
    const auto slash = path.find_last_of('/');
    if (slash == CString::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A symbolic link is followed, so that saving replaces the file it names.
CString ResolveTarget(const CString& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

void SyncFolder(const CString& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

} // namespace

CFileException::Cause AfxReadWholeFile(const CString& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (path.empty())
        return CFileException::fileNotFound;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return OpenCause(errno);
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        const int error = errno;
        close(fd);
        return OpenCause(error);
    }
    // Only plain files are documents; a folder or a device is refused.
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        return CFileException::accessDenied;
    }
    std::uint8_t buffer[65536];
    while (bytes.size() < kMaxDocumentFileSize) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            close(fd);
            bytes.clear();
            return error == EISDIR ? CFileException::accessDenied : CFileException::hardIO;
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    close(fd);
    if (bytes.size() > kMaxDocumentFileSize)
        bytes.resize(kMaxDocumentFileSize);
    return CFileException::none;
}

FileReplaceResult AfxReplaceFile(const CString& path, const std::vector<std::uint8_t>& bytes) {
    FileReplaceResult result;
    if (path.empty() || path.back() == '/') {
        result.cause = CFileException::badPath;
        return result;
    }
    const CString target = ResolveTarget(path);
    mode_t mode = 0;
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) {
        // Renaming over a folder or a device would destroy it.
        if (!S_ISREG(st.st_mode)) {
            result.cause = CFileException::accessDenied;
            return result;
        }
        mode = st.st_mode & 07777;
        // The rename below needs only the folder's permission: a file the
        // user may not write is refused here, as opening it would be.
        if (access(target.c_str(), W_OK) != 0) {
            result.cause = CreateCause(errno);
            return result;
        }
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }

    const CString folder = FolderOf(target);
    const auto slash = target.find_last_of('/');
    const CString name = slash == CString::npos ? target : target.substr(slash + 1);
    CString temp = (folder == "/" ? CString() : folder) + "/." + name + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        result.cause = CreateCause(errno);
        return result;
    }
    result.created = true;

    auto fail = [&](int error) {
        close(fd);
        unlink(temp.c_str());
        result.cause = WriteCause(error);
        return result;
    };

    fchmod(fd, mode);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        done += std::size_t(n);
    }
    if (fsync(fd) != 0)
        return fail(errno);
    if (close(fd) != 0) {
        const int error = errno;
        unlink(temp.c_str());
        result.cause = WriteCause(error);
        return result;
    }
    if (rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        unlink(temp.c_str());
        result.cause = WriteCause(error);
        return result;
    }
    SyncFolder(folder);
    return result;
}
