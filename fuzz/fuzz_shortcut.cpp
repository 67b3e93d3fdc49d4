// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a shortcut: our bounded reader, then liblnk for what it accepts.
#include "platform/shortcuts/shortcut.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto info = qv::parseShortcut(bytes)) {
        // Every text comes from the bytes, so none can be longer than the input.
        if (info->target().size() > bytes.size() || info->arguments.size() > bytes.size())
            __builtin_trap();
    }
    return 0;
}
