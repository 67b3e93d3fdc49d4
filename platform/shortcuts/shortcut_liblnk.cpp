// SPDX-License-Identifier: GPL-3.0-or-later
// Shortcut fields through liblnk, for files that our bounded reader has accepted.
#include "platform/files/regularfile.h"
#include "platform/shortcuts/shortcut.h"

#include <QFile>

#include <liblnk.h>

namespace qv {
namespace {

using Utf8SizeFn = int (*)(liblnk_file_t*, size_t*, liblnk_error_t**);
using Utf8Fn = int (*)(liblnk_file_t*, uint8_t*, size_t, liblnk_error_t**);

// One text field; false when liblnk reports an error. A field the file does not hold is "".
bool field(liblnk_file_t* file, Utf8SizeFn sizeFn, Utf8Fn getFn, QString& out) {
    out.clear();
    liblnk_error_t* error = nullptr;
    size_t size = 0;
    const int has = sizeFn(file, &size, &error);
    if (has < 0) {
        liblnk_error_free(&error);
        return false;
    }
    if (has == 0 || size <= 1) {
        return true;
    }
    QByteArray buffer(static_cast<qsizetype>(size), '\0');
    if (getFn(file, reinterpret_cast<uint8_t*>(buffer.data()), size, &error) != 1) {
        liblnk_error_free(&error);
        return false;
    }
    out = QString::fromUtf8(buffer.constData()); // up to its NUL
    return true;
}

class LnkFile {
public:
    LnkFile() {
        liblnk_error_t* error = nullptr;
        if (liblnk_file_initialize(&file_, &error) != 1) {
            liblnk_error_free(&error);
            file_ = nullptr;
        }
    }
    ~LnkFile() {
        liblnk_error_t* error = nullptr;
        if (file_ && open_) {
            liblnk_file_close(file_, &error);
        }
        if (file_) {
            liblnk_file_free(&file_, &error);
        }
        if (handle_) {
            libbfio_handle_free(&handle_, nullptr);
        }
        liblnk_error_free(&error);
    }
    LnkFile(const LnkFile&) = delete;
    LnkFile& operator=(const LnkFile&) = delete;

    bool open(QByteArrayView bytes) {
        if (!file_) {
            return false;
        }
        if (libbfio_memory_range_initialize(&handle_, nullptr) != 1) {
            return false;
        }
        // liblnk only reads through the handle; the bytes outlive the file object.
        auto* start = reinterpret_cast<uint8_t*>(const_cast<char*>(bytes.data()));
        if (libbfio_memory_range_set(handle_, start, static_cast<size_t>(bytes.size()), nullptr) !=
            1) {
            return false;
        }
        liblnk_error_t* error = nullptr;
        if (liblnk_file_open_file_io_handle(file_, handle_, LIBLNK_OPEN_READ, &error) != 1) {
            liblnk_error_free(&error);
            return false;
        }
        open_ = true;
        return true;
    }
    liblnk_file_t* get() const { return file_; }

private:
    liblnk_file_t* file_ = nullptr;
    libbfio_handle_t* handle_ = nullptr;
    bool open_ = false;
};

} // namespace

std::optional<ShortcutInfo> parseShortcut(QByteArrayView bytes) {
    if (bytes.size() > kMaxShortcutBytes) {
        return std::nullopt;
    }
    auto bounded = shortcut_detail::parseBounded(bytes);
    if (!bounded) {
        return std::nullopt;
    }

    LnkFile lnk;
    if (!lnk.open(bytes)) {
        return std::nullopt;
    }
    liblnk_file_t* f = lnk.get();
    ShortcutInfo info;
    if (!field(f, liblnk_file_get_utf8_description_size, liblnk_file_get_utf8_description,
               info.description) ||
        !field(f, liblnk_file_get_utf8_relative_path_size, liblnk_file_get_utf8_relative_path,
               info.relativePath) ||
        !field(f, liblnk_file_get_utf8_working_directory_size,
               liblnk_file_get_utf8_working_directory, info.workingDirectory) ||
        !field(f, liblnk_file_get_utf8_command_line_arguments_size,
               liblnk_file_get_utf8_command_line_arguments, info.arguments) ||
        !field(f, liblnk_file_get_utf8_icon_location_size, liblnk_file_get_utf8_icon_location,
               info.iconFile)) {
        return std::nullopt;
    }
    // The link information is the file-system target; a link that forces it off has none.
    info.localPath = bounded->localPath;
    info.networkPath = bounded->networkPath;
    if (!bounded->localPath.isEmpty() && !field(f, liblnk_file_get_utf8_local_path_size,
                                                liblnk_file_get_utf8_local_path, info.localPath)) {
        return std::nullopt;
    }
    if (!bounded->networkPath.isEmpty() &&
        !field(f, liblnk_file_get_utf8_network_path_size, liblnk_file_get_utf8_network_path,
               info.networkPath)) {
        return std::nullopt;
    }
    liblnk_error_t* error = nullptr;
    uint32_t iconIndex = 0;
    if (liblnk_file_get_icon_index(f, &iconIndex, &error) != 1) {
        liblnk_error_free(&error);
        return std::nullopt;
    }
    info.iconIndex = static_cast<std::int32_t>(iconIndex);
    // liblnk passes the stored value through; Windows treats unknown values as "normal".
    info.showCommand = bounded->showCommand;
    return info;
}

std::optional<ShortcutInfo> readShortcutFile(const QString& path) {
    const std::optional<QByteArray> bytes = readRegularFile(path, kMaxShortcutBytes);
    if (!bytes || bytes->isEmpty()) {
        return std::nullopt;
    }
    return parseShortcut(*bytes);
}

} // namespace qv
