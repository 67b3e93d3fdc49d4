// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a profile file: the line walk and every lookup must stay inside the bytes, agree
// with each other, and never crash. A UTF-16 file is walked as its text, which must give its
// bytes back when they were exact UTF-16.
#include "platform/profile/profile_engine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

bool inside(std::string_view part, std::string_view whole) {
    return part.empty() || (part.data() >= whole.data() &&
                            part.data() + part.size() <= whole.data() + whole.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qv::profile;
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const TextEncoding encoding = encodingOf(file);
    std::string text;
    const bool exact = decodeUtf16(file, encoding, text);
    if (encoding != TextEncoding::Bytes) {
        check(exact == (encodeText(text, encoding) == std::optional<std::string>(file)));
    }
    const std::string_view bytes = text;

    // The lines cover the bytes without gaps or overlap, in order.
    LineReader reader(bytes);
    std::size_t pos = hasBom(bytes) ? 3 : 0;
    std::size_t lines = 0;
    std::string_view firstSection;
    std::string_view firstKey;
    std::string_view lastSection;
    while (const std::optional<Line> line = reader.next()) {
        check(line->begin == pos);
        check(line->begin <= line->contentEnd && line->contentEnd <= line->end);
        check(line->end <= bytes.size());
        check(line->end > line->begin || line->end == bytes.size());
        const std::string_view content = bytes.substr(line->begin, line->contentEnd - line->begin);
        check(inside(line->name, content));
        check(inside(line->rawValue, content));
        check(line->name.find_first_of("\n") == std::string_view::npos);
        if (line->kind == Line::Kind::Section) {
            lastSection = line->name;
            if (firstSection.empty()) {
                firstSection = line->name;
            }
        } else if (line->kind == Line::Kind::Key) {
            check(inside(readableValue(line->rawValue), line->rawValue));
            if (firstKey.empty() && !lastSection.empty()) {
                firstKey = line->name;
            }
        }
        check(line->end > pos || line->end == bytes.size());
        pos = line->end;
        ++lines;
        if (line->end == bytes.size()) {
            break;
        }
    }
    check(pos == bytes.size() || lines == 0);

    // A found section and key lie inside the bytes, and lookup reads exactly the found key.
    for (std::string_view section : {firstSection, lastSection, std::string_view("Settings")}) {
        if (const std::optional<SectionSpan> span = findSection(bytes, section)) {
            check(sameName(span->header.name, section));
            check(span->header.end <= span->bodyEnd && span->bodyEnd <= bytes.size());
            check(span->lastFilled >= span->header.begin && span->lastFilled <= span->bodyEnd);
        }
        for (std::string_view key : {firstKey, std::string_view("Number of tabs")}) {
            const std::optional<Line> found = findKey(bytes, section, key);
            const std::optional<std::string_view> value = lookup(bytes, section, key);
            check(found.has_value() == value.has_value());
            if (found) {
                check(sameName(found->name, key));
                check(*value == readableValue(found->rawValue));
                check(inside(*value, bytes));
            }
        }
    }
    // The listings name only what the lookups find.
    std::size_t listed = 0;
    for (const std::string& section : sectionNames(bytes)) {
        check(findSection(bytes, section).has_value());
        if (++listed > 8) {
            break;
        }
        std::size_t keys = 0;
        for (const std::string& key : keyNames(bytes, section)) {
            check(lookup(bytes, section, key).has_value());
            if (++keys > 8) {
                break;
            }
        }
    }
    return 0;
}
