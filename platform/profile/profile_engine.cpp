// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/profile/profile_engine.h"

#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace qv::profile {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kCrLf = "\r\n";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = lowerAscii(c);
    }
    return out;
}

std::size_t offsetOf(std::string_view whole, std::string_view part) {
    return static_cast<std::size_t>(part.data() - whole.data());
}

bool isBlankLine(std::string_view bytes, const Line& line) {
    return trimBlanks(bytes.substr(line.begin, line.contentEnd - line.begin)).empty();
}

void classify(std::string_view bytes, Line& line) {
    const std::string_view text = bytes.substr(line.begin, line.contentEnd - line.begin);
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first])) {
        ++first;
    }
    if (first < text.size() && text[first] == '[') {
        const std::size_t close = text.rfind(']');
        line.kind = Line::Kind::Section;
        line.name = trimBlanks(close != std::string_view::npos && close > first
                                   ? text.substr(first + 1, close - first - 1)
                                   : text.substr(first + 1));
        return;
    }
    if (first < text.size() && text[first] == ';') {
        return; // a remark, whatever it holds
    }
    const std::size_t eq = text.find('=');
    if (eq != std::string_view::npos) {
        line.kind = Line::Kind::Key;
        line.name = trimBlanks(text.substr(0, eq));
        line.rawValue = text.substr(eq + 1);
    }
}

std::string splice(std::string_view bytes, std::size_t from, std::size_t to,
                   std::string_view insert) {
    std::string out;
    out.reserve(bytes.size() - (to - from) + insert.size() + kBom.size());
    // A line that comes to start a file without a BOM must not turn its first bytes into one:
    // a BOM in front keeps it read as it was.
    if (from == 0 && !hasBom(bytes) &&
        hasBom(std::string(insert).append(bytes.substr(to, kBom.size())))) {
        out.append(kBom);
    }
    out.append(bytes.substr(0, from));
    out.append(insert);
    out.append(bytes.substr(to));
    return out;
}

// Where the line that starts at pos ends: at the first CR or LF, or at the end of the bytes. A
// lone CR ends a line as LF and CR LF do, as in the Windows profile functions, so a menu saved
// with old Mac line ends reads as the same menu.
std::size_t lineBreakAt(std::string_view bytes, std::size_t pos) {
    const char* const data = bytes.data();
    const std::size_t size = bytes.size();
    const void* lf = std::memchr(data + pos, '\n', size - pos);
    const std::size_t lfAt =
        lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : size;
    const void* cr = std::memchr(data + pos, '\r', lfAt - pos);
    return cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : lfAt;
}

// Past the line break at pos (CR LF, CR or LF); pos itself at the end of the bytes.
std::size_t pastLineBreak(std::string_view bytes, std::size_t pos) {
    if (pos >= bytes.size()) {
        return pos;
    }
    return bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n' ? pos + 2
                                                                                  : pos + 1;
}

bool holdsLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

} // namespace

LineReader::LineReader(std::string_view bytes)
    : bytes_(bytes), pos_(hasBom(bytes) ? kBom.size() : 0) {}

LineReader::LineReader(std::string_view bytes, std::size_t from) : bytes_(bytes), pos_(from) {}

std::optional<Line> LineReader::next() {
    if (pos_ >= bytes_.size()) {
        return std::nullopt;
    }
    Line line;
    line.begin = pos_;
    line.contentEnd = lineBreakAt(bytes_, pos_);
    line.end = pastLineBreak(bytes_, line.contentEnd);
    pos_ = line.end;
    classify(bytes_, line);
    return line;
}

bool hasBom(std::string_view bytes) {
    return bytes.substr(0, kBom.size()) == kBom;
}

std::string_view lineEndOf(std::string_view bytes) {
    const std::size_t at = bytes.find_first_of("\r\n");
    if (at == std::string_view::npos) {
        return kCrLf;
    }
    if (bytes[at] == '\n') {
        return "\n";
    }
    return at + 1 < bytes.size() && bytes[at + 1] == '\n' ? kCrLf : std::string_view("\r");
}

TextEncoding encodingOf(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        return TextEncoding::Utf16LE;
    }
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
        return TextEncoding::Utf16BE;
    }
    return TextEncoding::Bytes;
}

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUnit(std::string& out, char32_t unit, TextEncoding encoding) {
    const auto hi = static_cast<char>((unit >> 8) & 0xFF);
    const auto lo = static_cast<char>(unit & 0xFF);
    if (encoding == TextEncoding::Utf16LE) {
        out += lo;
        out += hi;
    } else {
        out += hi;
        out += lo;
    }
}

constexpr char32_t kReplacement = 0xFFFD;

} // namespace

bool decodeUtf16(std::string_view bytes, TextEncoding encoding, std::string& text) {
    text.clear();
    if (encoding == TextEncoding::Bytes) {
        text.assign(bytes);
        return true;
    }
    text.reserve(bytes.size() + bytes.size() / 2);
    const bool le = encoding == TextEncoding::Utf16LE;
    const auto unitAt = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return le ? (char32_t{b} << 8 | a) : (char32_t{a} << 8 | b);
    };
    bool exact = true;
    std::size_t i = 2; // after the byte-order mark
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                appendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (unit >= 0xD800 && unit < 0xE000) {
            appendUtf8(text, kReplacement);
            exact = false;
            continue;
        }
        appendUtf8(text, unit);
    }
    if (i < bytes.size()) {
        appendUtf8(text, kReplacement);
        exact = false;
    }
    return exact;
}

std::optional<std::string> encodeText(std::string_view text, TextEncoding encoding) {
    if (encoding == TextEncoding::Bytes) {
        return std::string(text);
    }
    std::string out;
    out.reserve(2 + text.size() * 2);
    appendUnit(out, 0xFEFF, encoding);
    for (std::size_t i = 0; i < text.size();) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        std::size_t n = 0;
        char32_t c = 0;
        char32_t least = 0;
        if (b0 < 0x80) {
            n = 1;
            c = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            n = 2;
            c = b0 & 0x1F;
            least = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            n = 3;
            c = b0 & 0x0F;
            least = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            n = 4;
            c = b0 & 0x07;
            least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + n > text.size()) {
            return std::nullopt;
        }
        for (std::size_t k = 1; k < n; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if ((b & 0xC0) != 0x80) {
                return std::nullopt;
            }
            c = (c << 6) | (b & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF have no UTF-16 form.
        if (c < least || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
            return std::nullopt;
        }
        if (c >= 0x10000) {
            appendUnit(out, 0xD800 + ((c - 0x10000) >> 10), encoding);
            appendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), encoding);
        } else {
            appendUnit(out, c, encoding);
        }
        i += n;
    }
    return out;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view trimBlanks(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && isBlank(s[b])) {
        ++b;
    }
    while (e > b && isBlank(s[e - 1])) {
        --e;
    }
    return s.substr(b, e - b);
}

std::string_view readableValue(std::string_view rawValue) {
    std::string_view v = trimBlanks(rawValue.substr(0, rawValue.find('\0')));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

namespace {

// The section that starts with the header line: its body runs to the next header.
SectionSpan spanFrom(std::string_view bytes, const Line& header, LineReader& reader) {
    SectionSpan span;
    span.header = header;
    span.bodyEnd = bytes.size();
    span.lastFilled = header.end;
    span.lastFilledHasEnd = header.end == header.begin || header.hasLineEnd();
    while (auto body = reader.next()) {
        if (body->kind == Line::Kind::Section) {
            span.bodyEnd = body->begin;
            break;
        }
        if (!isBlankLine(bytes, *body)) {
            span.lastFilled = body->end;
            span.lastFilledHasEnd = body->hasLineEnd();
        }
    }
    return span;
}

} // namespace

std::optional<SectionSpan> findSection(std::string_view bytes, std::string_view section) {
    const std::string_view wanted = trimBlanks(section);
    LineReader reader(bytes);
    if (wanted.empty()) {
        // The nameless section: the lines before the first header, behind no header line.
        Line top;
        top.begin = top.contentEnd = top.end = hasBom(bytes) ? kBom.size() : 0;
        top.kind = Line::Kind::Section;
        return spanFrom(bytes, top, reader);
    }
    while (auto line = reader.next()) {
        if (line->kind == Line::Kind::Section && sameName(line->name, wanted)) {
            return spanFrom(bytes, *line, reader);
        }
    }
    return std::nullopt;
}

std::optional<Line> findKey(std::string_view bytes, std::string_view section,
                            std::string_view key) {
    const auto span = findSection(bytes, section);
    if (!span) {
        return std::nullopt;
    }
    const std::string_view wanted = trimBlanks(key);
    LineReader reader(bytes.substr(0, span->bodyEnd), span->header.end);
    while (auto line = reader.next()) {
        if (line->kind == Line::Kind::Key && sameName(line->name, wanted)) {
            return line;
        }
    }
    return std::nullopt;
}

namespace {

// Keys of a section mostly differ in their last bytes ("Button 1", "Button 2"...).
bool sameNameFromTheEnd(const char* at, std::string_view wanted) {
    for (std::size_t i = wanted.size(); i > 0; --i) {
        if (lowerAscii(at[i - 1]) != lowerAscii(wanted[i - 1])) {
            return false;
        }
    }
    return true;
}

} // namespace

// The launcher reads every button this way, so it takes one pass and stops at the key: lines
// outside the section are only tested for being a header, and a key line only for starting with
// the wanted name. It finds what findKey finds.
std::optional<std::string_view> lookup(std::string_view bytes, std::string_view section,
                                       std::string_view key) {
    const std::string_view wantedSection = trimBlanks(section);
    const std::string_view wantedKey = trimBlanks(key);
    // A key name is what comes before a line's first '=', so it never holds one.
    const bool keyCanMatch = wantedKey.find('=') == std::string_view::npos;
    const char* const data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t pos = hasBom(bytes) ? kBom.size() : 0;
    bool inSection = wantedSection.empty(); // the nameless section comes first
    while (pos < size) {
        const std::size_t contentEnd = lineBreakAt(bytes, pos);
        const std::size_t begin = pos;
        pos = pastLineBreak(bytes, contentEnd);

        std::size_t first = begin;
        while (first < contentEnd && isBlank(data[first])) {
            ++first;
        }
        if (first < contentEnd && data[first] == '[') {
            if (inSection) {
                return std::nullopt; // only the first section of the name counts
            }
            std::size_t close = contentEnd;
            while (close > first + 1 && data[close - 1] != ']') {
                --close;
            }
            // The name ends before the last ']' after the '[', or at the line end without one.
            const std::size_t nameEnd = close > first + 1 ? close - 1 : contentEnd;
            inSection =
                sameName(trimBlanks(bytes.substr(first + 1, nameEnd - first - 1)), wantedSection);
            continue;
        }
        if (!inSection || !keyCanMatch || contentEnd - first < wantedKey.size() ||
            (first < contentEnd && data[first] == ';') ||
            !sameNameFromTheEnd(data + first, wantedKey)) {
            continue;
        }
        std::size_t eq = first + wantedKey.size();
        while (eq < contentEnd && isBlank(data[eq])) {
            ++eq;
        }
        if (eq < contentEnd && data[eq] == '=') {
            return readableValue(bytes.substr(eq + 1, contentEnd - eq - 1));
        }
    }
    return std::nullopt;
}

std::vector<std::string> sectionNames(std::string_view bytes) {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    LineReader reader(bytes);
    while (auto line = reader.next()) {
        if (line->kind == Line::Kind::Section && !line->name.empty() &&
            seen.insert(lowered(line->name)).second) {
            names.emplace_back(line->name);
        }
    }
    return names;
}

std::vector<std::optional<std::string_view>>
lookupAll(std::string_view bytes, std::string_view section, const std::vector<std::string>& keys) {
    std::vector<std::optional<std::string_view>> values(keys.size());
    const auto span = findSection(bytes, section);
    if (!span) {
        return values;
    }
    // The first key line of each name counts, as for lookup.
    std::unordered_map<std::string, std::string_view> first;
    LineReader reader(bytes.substr(0, span->bodyEnd), span->header.end);
    while (auto line = reader.next()) {
        if (line->kind == Line::Kind::Key) {
            first.emplace(lowered(line->name), readableValue(line->rawValue));
        }
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (const auto found = first.find(lowered(trimBlanks(keys[i]))); found != first.end()) {
            values[i] = found->second;
        }
    }
    return values;
}

std::vector<std::string> keyNames(std::string_view bytes, std::string_view section) {
    std::vector<std::string> names;
    const auto span = findSection(bytes, section);
    if (!span) {
        return names;
    }
    std::unordered_set<std::string> seen;
    LineReader reader(bytes.substr(0, span->bodyEnd), span->header.end);
    while (auto line = reader.next()) {
        if (line->kind == Line::Kind::Key && !line->name.empty() &&
            seen.insert(lowered(line->name)).second) {
            names.emplace_back(line->name);
        }
    }
    return names;
}

bool isWritableSection(std::string_view section) {
    return !holdsLineBreakOrNul(section) && section.find(']') == std::string_view::npos;
}

bool isWritableKey(std::string_view key) {
    const std::string_view name = trimBlanks(key);
    return !holdsLineBreakOrNul(key) && key.find('=') == std::string_view::npos && !name.empty() &&
           name.front() != '[' && name.front() != ';';
}

bool isWritableValue(std::string_view value) {
    return !holdsLineBreakOrNul(value);
}

EditResult applyWrite(std::string_view bytes, std::string_view section,
                      std::optional<std::string_view> key, std::optional<std::string_view> value) {
    // Only what is written needs checking: a name no line can hold simply matches nothing.
    if (key && value &&
        (!isWritableSection(section) || !isWritableKey(*key) || !isWritableValue(*value))) {
        return {Edit::Refused, {}};
    }
    if (!key) {
        const auto span = findSection(bytes, section);
        if (!span || span->header.begin == span->bodyEnd) {
            return {Edit::Unchanged, {}};
        }
        return {Edit::Changed, splice(bytes, span->header.begin, span->bodyEnd, {})};
    }
    if (!value) {
        const auto line = findKey(bytes, section, *key);
        if (!line) {
            return {Edit::Unchanged, {}};
        }
        return {Edit::Changed, splice(bytes, line->begin, line->end, {})};
    }

    if (const auto line = findKey(bytes, section, *key)) {
        // Replace only the value: the key keeps its spelling, the line its line end. A line
        // written by hand ("key = value") that already reads as the value needs no change.
        if (readableValue(line->rawValue) == readableValue(*value)) {
            return {Edit::Unchanged, {}};
        }
        const std::size_t from = offsetOf(bytes, line->rawValue);
        return {Edit::Changed, splice(bytes, from, from + line->rawValue.size(), *value)};
    }

    const std::string_view eol = lineEndOf(bytes);
    std::string keyLine;
    keyLine.reserve(key->size() + value->size() + 3);
    keyLine.append(*key).append("=").append(*value).append(eol);

    if (const auto span = findSection(bytes, section)) {
        const std::string insert =
            span->lastFilledHasEnd ? keyLine : std::string(eol).append(keyLine);
        return {Edit::Changed, splice(bytes, span->lastFilled, span->lastFilled, insert)};
    }

    std::string out;
    out.reserve(bytes.size() + keyLine.size() + section.size() + 6);
    out.append(bytes);
    const std::size_t textStart = hasBom(bytes) ? kBom.size() : 0;
    if (out.size() > textStart && out.back() != '\n' && out.back() != '\r') {
        out.append(eol);
    }
    out.append("[").append(section).append("]").append(eol).append(keyLine);
    return {Edit::Changed, std::move(out)};
}

EditResult applyRenameKey(std::string_view bytes, std::string_view section, std::string_view oldKey,
                          std::string_view newKey) {
    if (!isWritableSection(section) || !isWritableKey(newKey)) {
        return {Edit::Refused, {}};
    }
    const auto line = findKey(bytes, section, oldKey);
    if (!line) {
        return {Edit::Unchanged, {}};
    }
    const std::string value(line->rawValue);
    const std::string removed = splice(bytes, line->begin, line->end, {});
    EditResult written = applyWrite(removed, section, newKey, value);
    if (written.edit == Edit::Unchanged) {
        return {Edit::Changed, removed};
    }
    return written;
}

} // namespace qv::profile
