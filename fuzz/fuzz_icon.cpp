// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a program, library or .ico file: the bounded icon reader.
#include "platform/icons/fileicon.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QImage icon = qv::firstIconFromBytes(bytes);
    if (!icon.isNull() && icon.size() != QSize(qv::kFileIconSize, qv::kFileIconSize))
        __builtin_trap();
    // Each image entry on its own, as a resource or .ico entry would hold it.
    qv::fileicon_detail::decodeIconImage(bytes);
    return 0;
}
