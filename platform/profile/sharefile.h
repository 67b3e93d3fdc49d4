// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File helpers that the profile functions and the atomic replacement share: a descriptor that
// closes itself and the folder and name of a path. The retries on a network share are in
// platform/files/regularfile.h.
#include "platform/files/regularfile.h"

#include <string>
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
    place.folder = folderOf(target);
    place.base = slash == std::string::npos ? target : target.substr(slash + 1);
    return place;
}

} // namespace qv::profile
