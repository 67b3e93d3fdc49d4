// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The INI engine behind the profile functions, as pure byte logic with no file I/O: parse the
// bytes of a profile file, look a value up, apply one edit, produce the new bytes.
//
// Rules (those of the Windows profile functions that menus written elsewhere rely on):
// - A line ends at CR LF, at a lone CR or at a lone LF, so files saved with any of them (or a mix)
//   read alike. An initial UTF-8 BOM is kept and is not part of the first line's text.
// - A header is a line whose first non-blank byte is '['; its name runs to the last ']' of the
//   line, or to the line end when it has none.
// - A line whose first non-blank byte is ';' is a remark. Any other line holding '=' is a key
//   line: the first '=' splits key from value. A line without '=' is no key. Blanks (space, tab,
//   CR, VT, FF) around section names, keys and values are ignored; inner blanks count.
// - Names match without regard to ASCII letter case. Only the first section of a name counts, and
//   within it the first key of a name. The lines before the first header form the nameless
//   section "", which always exists, so an explicit "[]" header is never read.
// - A value ends at a NUL byte; one matching pair of '"' or '\'' around it is read without them.
// - Listings leave out empty names: they would end the NUL-separated list early.
// Edits keep every other byte as it was; new lines end as the file's first line does (CR LF in a
// file that has none). Sections, keys and values are
// written exactly as given, blanks included (a header "[Sp Sec  ]" for "Sp Sec  ", a value
// " v" as "k= v"): modini's scanning operations compare the lines exactly and must find what a
// write put there, and reads trim, so they read the same as a trimmed line. A set that would
// not change what is read (the key already reads as the value) changes nothing.
//
// Every function runs in time linear in the size of the bytes and keeps no per-line tables, so
// any input (no line ends, NUL bytes, a huge file) is safe.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::profile {

// One line of the bytes. Offsets are into the whole byte string.
struct Line {
    enum class Kind { Other, Section, Key };
    std::size_t begin = 0;      // first byte of the line (after the BOM for the first line)
    std::size_t contentEnd = 0; // past the last byte before the line end
    std::size_t end = 0;        // past the line end (CR LF, CR or LF), or the end of the bytes
    Kind kind = Kind::Other;
    std::string_view name;     // trimmed section name or key
    std::string_view rawValue; // key lines: everything after the first '=' up to the line end,
                               // NUL bytes included (the value as read ends at the first)

    bool hasLineEnd() const { return end > contentEnd; }
};

// Walks the lines of a byte string one at a time.
class LineReader {
public:
    explicit LineReader(std::string_view bytes);
    // Starts at a line beginning inside the bytes (no BOM test there).
    LineReader(std::string_view bytes, std::size_t from);
    // The next line, or nothing at the end of the bytes.
    std::optional<Line> next();

private:
    std::string_view bytes_;
    std::size_t pos_;
};

// True when the bytes start with a UTF-8 byte-order mark.
bool hasBom(std::string_view bytes);
// The line end that new lines of the file take: its first one, CR LF when it has none.
std::string_view lineEndOf(std::string_view bytes);

// How a profile file is stored. A file that starts with a UTF-16 byte-order mark (what a Windows
// editor's "Unicode" save gives) is read as its text in UTF-8 and written back in UTF-16 with the
// same mark; any other file is bytes.
enum class TextEncoding { Bytes, Utf16LE, Utf16BE };
TextEncoding encodingOf(std::string_view bytes);
// The UTF-8 text of a UTF-16 file, without its byte-order mark. False when the bytes are no
// exact UTF-16 (an odd last byte, an unpaired surrogate): those parts read as U+FFFD, and the
// text would not encode back to the same bytes, so the file must not be rewritten from it.
bool decodeUtf16(std::string_view bytes, TextEncoding encoding, std::string& text);
// The bytes of a file holding the UTF-8 text in that encoding (with the byte-order mark for
// UTF-16), or nothing when the text is no valid UTF-8 and so has no UTF-16 form.
std::optional<std::string> encodeText(std::string_view text, TextEncoding encoding);

// ASCII case-blind equality.
bool sameName(std::string_view a, std::string_view b);
// The name with blanks around it removed.
std::string_view trimBlanks(std::string_view s);
// The value as read: trimmed, without one matching pair of surrounding quotes.
std::string_view readableValue(std::string_view rawValue);

// Where a section lies: its header line and the end of its last line.
struct SectionSpan {
    Line header;                // for the nameless section, an empty line where the text starts
    std::size_t bodyEnd = 0;    // past the last line of the section (start of the next header)
    std::size_t lastFilled = 0; // past the last non-blank line of the section (the header at least)
    bool lastFilledHasEnd = true; // whether that line ends in a line end
};
std::optional<SectionSpan> findSection(std::string_view bytes, std::string_view section);
// The first key line of that name inside the first section of that name.
std::optional<Line> findKey(std::string_view bytes, std::string_view section, std::string_view key);

// The readable value of section/key, or nothing when the section or key is absent.
std::optional<std::string_view> lookup(std::string_view bytes, std::string_view section,
                                       std::string_view key);
// lookup of many keys of one section in one pass over it (a menu's tab captions, say).
std::vector<std::optional<std::string_view>>
lookupAll(std::string_view bytes, std::string_view section, const std::vector<std::string>& keys);
// Section names in file order (duplicates once, first spelling), and the keys of a section;
// empty names are left out.
std::vector<std::string> sectionNames(std::string_view bytes);
std::vector<std::string> keyNames(std::string_view bytes, std::string_view section);

// Why a name or value cannot be written: a line break or NUL would inject lines, a '=' in a key
// or a leading '[' or ';' would change how the line is read back, a ']' would cut a section name.
bool isWritableSection(std::string_view section);
bool isWritableKey(std::string_view key);
bool isWritableValue(std::string_view value);

// The outcome of an edit.
enum class Edit {
    Changed,   // newBytes holds the new content
    Unchanged, // nothing to do (the key already holds the value, nothing to delete)
    Refused    // a name or value that cannot be written safely; nothing changed
};
struct EditResult {
    Edit edit = Edit::Unchanged;
    std::string newBytes;
};

// key and value as in WritePrivateProfileStringA: a null key removes the section, a null value
// removes the key, otherwise the key is set (replaced in place keeping its spelling, or added
// as the last line of its section, or added with a new section at the end). Only a set is
// refused for unsafe names or values; a removal of a name that no line can hold is Unchanged.
// An empty key is refused. The nameless section "" takes its new keys before the first header.
EditResult applyWrite(std::string_view bytes, std::string_view section,
                      std::optional<std::string_view> key, std::optional<std::string_view> value);

// Moves the first key oldKey of the section to newKey, with its value exactly as stored: the old
// line is removed and the key is then written as applyWrite would. Unchanged when there is no
// such key; Refused when newKey cannot be written.
EditResult applyRenameKey(std::string_view bytes, std::string_view section, std::string_view oldKey,
                          std::string_view newKey);

} // namespace qv::profile
