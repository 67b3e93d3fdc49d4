#pragma once
// File helpers that the profile functions and the atomic replacement share: a descriptor that
// closes itself, the folder and name of a path, and the retries of an operation on a network
// share.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <initializer_list>
#include <string>
#include <sys/vfs.h>
#include <thread>
#include <unistd.h>

namespace qv::profile {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (it can report a late write error).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

struct Place {
    std::string folder;
    std::string base;
};

inline Place placeOf(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    Place place;
    place.folder = slash == std::string::npos ? std::string(".")
                   : slash == 0               ? std::string("/")
                                              : target.substr(0, slash);
    place.base = slash == std::string::npos ? target : target.substr(slash + 1);
    return place;
}

// A file server refuses for a moment to replace a file that another machine is reading (Samba
// reports EEXIST or EACCES), and a name being replaced there can look missing or fail to open
// (ENOENT, EIO) on the other machines. On such a share a failed rename or open is tried again
// for a while; on a local disk it fails at once.
inline bool onNetworkShare(const std::string& folder) {
    struct statfs fs {};
    if (::statfs(folder.c_str(), &fs) != 0) {
        return false;
    }
    const auto type = static_cast<unsigned long>(fs.f_type);
    return type == 0x65735546UL    // FUSE (smbnetfs, sshfs)
           || type == 0xFF534D42UL // CIFS
           || type == 0xFE534D42UL // SMB2/3
           || type == 0x517BUL     // SMB
           || type == 0x6969UL;    // NFS
}

// Runs step until it succeeds; a failure with one of the errors a share gives for a moment is
// retried, with growing pauses, for up to about the given number of milliseconds.
template <typename Step>
bool retryOnShare(const std::string& folder, int budgetMs, Step step,
                  std::initializer_list<int> transient) {
    int waited = 0;
    for (int pause = 2;; pause = std::min(pause * 2, 50)) {
        if (step()) {
            return true;
        }
        const int error = errno;
        if (waited >= budgetMs ||
            std::find(transient.begin(), transient.end(), error) == transient.end() ||
            !onNetworkShare(folder)) {
            errno = error;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
        waited += pause;
        errno = error;
    }
}

} // namespace qv::profile
