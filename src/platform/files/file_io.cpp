#include "platform/files/file_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
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

// Extended attributes (access control lists among them) that a new file
// would not carry. The security label is given to every new file anyway.
bool HasOwnAttributes(const CString& path) {
    const ssize_t size = listxattr(path.c_str(), nullptr, 0);
    if (size <= 0)
        return false;
    std::vector<char> names(std::size_t(size) + 1, '\0');
    const ssize_t n = listxattr(path.c_str(), names.data(), names.size() - 1);
    if (n < 0)
        return true;
    for (std::size_t at = 0; at < std::size_t(n); at += std::strlen(names.data() + at) + 1)
        if (std::strcmp(names.data() + at, "security.selinux") != 0)
            return true;
    return false;
}

// 0, or the error that stopped the write.
int WriteAt(int fd, const std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd, data + done, size - done, off_t(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += std::size_t(n);
    }
    return 0;
}

// Writes over the file itself, so that it stays the same file: its other
// names, owner, permissions and attributes are kept. The bytes about to be
// overwritten are read first and put back when the write fails.
FileReplaceResult WriteInPlace(const CString& target, const std::vector<std::uint8_t>& bytes) {
    FileReplaceResult result;
    bool canRestore = true;
    int fd = open(target.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) {
        // Write permission without read permission: nothing to put back.
        canRestore = false;
        fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
    }
    if (fd < 0) {
        result.cause = CreateCause(errno);
        return result;
    }
    result.created = true;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        result.cause = CFileException::accessDenied;
        return result;
    }
    std::vector<std::uint8_t> old(std::min<std::size_t>(std::size_t(st.st_size), bytes.size()));
    std::size_t got = 0;
    while (canRestore && got < old.size()) {
        const ssize_t n = pread(fd, old.data() + got, old.size() - got, off_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            canRestore = false;
        else
            got += std::size_t(n);
    }
    // Written first and shortened after: a write that fails for want of
    // space has not yet given up the old bytes.
    int error = WriteAt(fd, bytes.data(), bytes.size());
    if (error == 0 && off_t(bytes.size()) < st.st_size && ftruncate(fd, off_t(bytes.size())) != 0)
        error = errno;
    if (error == 0 && fsync(fd) != 0)
        error = errno;
    if (error != 0) {
        if (canRestore && WriteAt(fd, old.data(), old.size()) == 0)
            if (ftruncate(fd, st.st_size) == 0)
                fsync(fd);
        close(fd);
        result.cause = WriteCause(error);
        return result;
    }
    if (close(fd) != 0)
        result.cause = WriteCause(errno);
    return result;
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
    const bool exists = stat(target.c_str(), &st) == 0;
    if (exists) {
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
        // A new file in its place would part it from its other names and
        // drop its attributes.
        if (st.st_nlink > 1 || HasOwnAttributes(target))
            return WriteInPlace(target, bytes);
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
        const int error = errno;
        // A folder that takes no new file may still let the file be written.
        if (exists && (error == EACCES || error == EPERM))
            return WriteInPlace(target, bytes);
        result.cause = CreateCause(error);
        return result;
    }
    // The new file must belong to whom the old one did; where it cannot,
    // the old file is written over instead.
    struct stat made {};
    if (exists && fstat(fd, &made) == 0 && (made.st_uid != st.st_uid || made.st_gid != st.st_gid) &&
        fchown(fd, st.st_uid, st.st_gid) != 0) {
        close(fd);
        unlink(temp.c_str());
        return WriteInPlace(target, bytes);
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
