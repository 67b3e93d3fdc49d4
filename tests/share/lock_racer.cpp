// SPDX-License-Identifier: GPL-3.0-or-later
// One machine's editor taking the menu's lock over and over, for the share test that runs one on
// each mount of the same share. While it holds the lock it makes a marker on a local disk, where
// an exclusive create is decided by one kernel: finding the marker there means that another
// machine holds the lock at the same moment.
//
//   qv_share_lock_racer MENU MARKER ROUNDS
// Prints "overlaps N" and exits 0, or exits 1 when the lock could not be taken at all.
#include "platform/profile/menufile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: qv_share_lock_racer MENU MARKER ROUNDS\n");
        return 2;
    }
    const char* marker = argv[2];
    const int rounds = std::atoi(argv[3]);
    int overlaps = 0;
    for (int i = 0; i < rounds; ++i) {
        qv::menufile::LockFailure why = qv::menufile::LockFailure::None;
        const auto lock = qv::menufile::Lock::acquire(argv[1], qv::menufile::kLockWaitMs, &why);
        if (!lock) {
            std::fprintf(stderr, "round %d: lock not taken (%d): %s\n", i, static_cast<int>(why),
                         std::strerror(errno));
            return 1;
        }
        const int fd = ::open(marker, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            ++overlaps;
            continue;
        }
        ::close(fd);
        ::unlink(marker);
    }
    std::printf("overlaps %d\n", overlaps);
    return 0;
}
