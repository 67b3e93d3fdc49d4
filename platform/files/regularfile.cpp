// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/regularfile.h"

#include <QCoreApplication>
#include <cerrno>
#include <fcntl.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace qv {

int openRegularFile(const char* path, OpenFailure* why, struct stat* st) {
    OpenFailure dummy = OpenFailure::None;
    OpenFailure& failure = why ? *why : dummy;
    struct stat own {};
    struct stat& status = st ? *st : own;
    failure = OpenFailure::None;
    if (path == nullptr || *path == '\0') {
        failure = OpenFailure::Missing;
        return -1;
    }
    // Most special files are told apart before they are opened at all: opening some devices
    // has effects of its own.
    if (::stat(path, &status) != 0) {
        failure =
            (errno == ENOENT || errno == ENOTDIR) ? OpenFailure::Missing : OpenFailure::Unreadable;
        return -1;
    }
    if (!S_ISREG(status.st_mode)) {
        failure = OpenFailure::NotRegular;
        return -1;
    }
    int fd = -1;
    do {
        fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        failure =
            (errno == ENOENT || errno == ENOTDIR) ? OpenFailure::Missing : OpenFailure::Unreadable;
        return -1;
    }
    // What was opened counts, not what the name named a moment before.
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        failure = S_ISREG(status.st_mode) ? OpenFailure::Unreadable : OpenFailure::NotRegular;
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    return fd;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".")
           : slash == 0               ? std::string("/")
                                      : path.substr(0, slash);
}

bool onNetworkShare(const std::string& folder) {
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

int openRegularFileOnShare(const char* path, OpenFailure* why, struct stat* st) {
    if (path == nullptr) {
        return openRegularFile(path, why, st);
    }
    int fd = -1;
    retryOnShare(folderOf(path), kShareOpenRetryMs,
                 [&] { return (fd = openRegularFile(path, why, st)) >= 0; },
                 {ENOENT, EIO, EBUSY, EACCES, ESTALE});
    return fd;
}

namespace {

bool adopt(QFile& file, int fd, OpenFailure* why) {
    if (fd < 0) {
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (why) {
            *why = OpenFailure::Unreadable;
        }
        return false;
    }
    return true;
}

} // namespace

bool openRegularFile(QFile& file, const QString& path, OpenFailure* why) {
    file.close();
    return adopt(file, openRegularFile(QFile::encodeName(path).constData(), why), why);
}

bool openRegularFileOnShare(QFile& file, const QString& path, OpenFailure* why) {
    file.close();
    return adopt(file, openRegularFileOnShare(QFile::encodeName(path).constData(), why), why);
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, QString* error) {
    QFile file;
    OpenFailure why = OpenFailure::None;
    if (!openRegularFile(file, path, &why)) {
        if (error) {
            switch (why) {
            case OpenFailure::Missing:
                *error = QCoreApplication::translate("RegularFile", "the file does not exist");
                break;
            case OpenFailure::NotRegular:
                *error = QCoreApplication::translate("RegularFile", "it is no regular file");
                break;
            default:
                *error = QCoreApplication::translate("RegularFile", "the file cannot be read");
                break;
            }
        }
        return std::nullopt;
    }
    // One byte more than allowed tells a file that is too large from one that just fits.
    QByteArray data = file.read(maxBytes + 1);
    if (data.size() > maxBytes) {
        if (error) {
            *error = QCoreApplication::translate("RegularFile", "the file is too large");
        }
        return std::nullopt;
    }
    if (file.error() != QFileDevice::NoError) {
        if (error) {
            *error = file.errorString();
        }
        return std::nullopt;
    }
    return data;
}

} // namespace qv
