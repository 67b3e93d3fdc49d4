// SPDX-License-Identifier: GPL-3.0-or-later
// One edit of any bytes as a profile file: set a key, delete a key, delete a section or rename a
// key. The edit must do what it says and nothing else: the key reads back as written, every
// other key of the file reads as before, a refused edit is refused for a reason, and doing the
// same write twice changes nothing the second time.
//
// Input: byte 0 picks the edit, bytes 1 to 3 the lengths of the section, key and value (or new
// key) that follow; the rest is the file. A UTF-16 file is edited as its text, and the edited
// text must go back to UTF-16 and read as it was edited.
#include "platform/profile/profile_engine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace qv::profile;

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

struct Input {
    std::string_view rest;
    std::string_view take(std::size_t n) {
        n = std::min(n, rest.size());
        const std::string_view part = rest.substr(0, n);
        rest.remove_prefix(n);
        return part;
    }
};

// The first few readable keys of the first few sections, as (section, key, value).
struct Entry {
    std::string section;
    std::string key;
    std::optional<std::string> value;
};
std::vector<Entry> sample(std::string_view bytes) {
    std::vector<Entry> entries;
    std::size_t sections = 0;
    for (const std::string& s : sectionNames(bytes)) {
        if (++sections > 6) {
            break;
        }
        std::size_t keys = 0;
        for (const std::string& k : keyNames(bytes, s)) {
            if (++keys > 6) {
                break;
            }
            const std::optional<std::string_view> v = lookup(bytes, s, k);
            entries.push_back({s, k, v ? std::optional<std::string>(*v) : std::nullopt});
        }
    }
    return entries;
}

std::optional<std::string> read(std::string_view bytes, std::string_view s, std::string_view k) {
    const std::optional<std::string_view> v = lookup(bytes, s, k);
    return v ? std::optional<std::string>(*v) : std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const unsigned op = data[0] % 4;
    Input in{std::string_view(reinterpret_cast<const char*>(data) + 4, size - 4)};
    const std::string_view section = in.take(data[1] % 24);
    const std::string_view key = in.take(data[2] % 24);
    const std::string_view value = in.take(data[3] % 40);
    const TextEncoding encoding = encodingOf(in.rest);
    std::string text;
    const bool exact = decodeUtf16(in.rest, encoding, text);
    const std::string_view bytes = text;

    const std::vector<Entry> before = sample(bytes);
    EditResult result;
    switch (op) {
    case 0:
        result = applyWrite(bytes, section, key, value);
        break;
    case 1:
        result = applyWrite(bytes, section, key, std::nullopt);
        break;
    case 2:
        result = applyWrite(bytes, section, std::nullopt, std::nullopt);
        break;
    default:
        result = applyRenameKey(bytes, section, key, value);
        break;
    }
    const bool namesWritable = isWritableSection(section) && isWritableKey(key);
    if (result.edit == Edit::Refused) {
        // Refusals only for names or values that cannot be written safely.
        // A rename also refuses to carry a stored value that could not be written today (a
        // bare CR or a NUL inside it, in a damaged file): the key stays where it was.
        const std::optional<Line> stored = findKey(bytes, section, key);
        std::string_view raw = stored ? stored->rawValue : std::string_view();
        while (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
        }
        const bool storedUnwritable = op == 3 && stored && !isWritableValue(raw);
        const bool reason = storedUnwritable ? true
                            : op == 0        ? !(namesWritable && isWritableValue(value))
                            : op == 3
                                ? !(isWritableSection(section) && isWritableKey(value))
                                : !isWritableSection(section) || (op == 1 && !isWritableKey(key));
        check(reason);
        return 0;
    }
    if (result.edit == Edit::Unchanged) {
        check(result.newBytes.empty() || result.newBytes == bytes);
    }
    const std::string_view after =
        result.edit == Edit::Changed ? std::string_view(result.newBytes) : bytes;
    if (encoding != TextEncoding::Bytes && exact && result.edit == Edit::Changed) {
        // What cannot be encoded is refused when stored; what can reads back as edited.
        if (const std::optional<std::string> stored = encodeText(after, encoding)) {
            std::string again;
            check(decodeUtf16(*stored, encoding, again) && again == after);
        }
    }
    // A change adds at most one header and one key line.
    check(after.size() <= bytes.size() + section.size() + key.size() + value.size() + 12);

    // Whatever names the edit touched, by letter case or after trimming, are left out below.
    const auto touched = [&](const Entry& e) {
        if (!sameName(trimBlanks(e.section), trimBlanks(section))) {
            return false;
        }
        if (op == 2) {
            return true;
        }
        return sameName(trimBlanks(e.key), trimBlanks(key)) ||
               (op == 3 && sameName(trimBlanks(e.key), trimBlanks(value)));
    };
    for (const Entry& e : before) {
        if (!touched(e)) {
            check(read(after, e.section, e.key) == e.value);
        }
    }

    // Blanks around names are not part of them.
    const std::string_view ts = trimBlanks(section);
    const std::string_view tk = trimBlanks(key);
    const std::string_view tv = trimBlanks(value);
    const bool plainNames = !tk.empty(); // an empty section is the nameless one
    if (op == 0 && plainNames) {
        // The key reads back as written, and the same write again is no change.
        check(read(after, ts, tk) == std::optional<std::string>(readableValue(value)));
        const EditResult again = applyWrite(after, section, key, value);
        check(again.edit == Edit::Unchanged);
    }
    if (op == 3 && plainNames && !tv.empty() && result.edit == Edit::Changed) {
        const std::optional<std::string> old = read(bytes, ts, tk);
        check(old.has_value());
        if (!sameName(tk, tv)) {
            check(read(after, ts, tv) == old);
        }
    }
    return 0;
}
