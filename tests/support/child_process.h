#pragma once
// Runs part of a test in a forked child process: as another user, so that
// file permissions apply even when the tests run as root, or in a mount
// namespace of its own. The child reports what it saw as text; the parent
// makes the assertions.

#include <functional>
#include <optional>
#include <string>

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

// The user and group that root drops to: nobody.
constexpr uid_t kUnprivilegedUid = 65534;
constexpr gid_t kUnprivilegedGid = 65534;

// What the child wrote and how it ended; nullopt when it did not end with
// status 0 (a crash, a sanitizer report, an exception).
inline std::optional<std::string> RunInChild(const std::function<std::string()>& body) {
    int fds[2];
    if (pipe(fds) != 0)
        return std::nullopt;
    const pid_t pid = fork();
    if (pid < 0)
        return std::nullopt;
    if (pid == 0) {
        close(fds[0]);
        int status = 0;
        try {
            const std::string out = body();
            std::size_t done = 0;
            while (done < out.size()) {
                const ssize_t n = write(fds[1], out.data() + done, out.size() - done);
                if (n <= 0)
                    break;
                done += std::size_t(n);
            }
        } catch (...) {
            status = 3;
        }
        close(fds[1]);
        // No exit handlers: they belong to the parent's test program.
        _exit(status);
    }
    close(fds[1]);
    std::string out;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, std::size_t(n));
    }
    close(fds[0]);
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return out;
}

// In a child: gives up root, so that permission bits apply. False when the
// process cannot (then it was not root, and they apply already, or it lacks
// the capability).
inline bool DropToUnprivilegedUser() {
    if (geteuid() != 0)
        return true;
    return setgroups(0, nullptr) == 0 && setgid(kUnprivilegedGid) == 0 &&
           setuid(kUnprivilegedUid) == 0 && geteuid() == kUnprivilegedUid;
}

// In a child: a mount namespace of its own with a tmpfs of this size on
// folder, gone when the child ends. False when mounting is not allowed here.
inline bool MountSmallTmpfs(const std::string& folder, const std::string& size) {
    if (unshare(CLONE_NEWNS) != 0)
        return false;
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return false;
    const std::string options = "size=" + size;
    return mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}
