// SPDX-License-Identifier: GPL-3.0-or-later
// The INI engine as pure byte logic: the observed rules of the profile functions, line ends and
// BOM, refusals (the fuzzers cover hostile inputs, lookup agreement and edits of random bytes).
#include "platform/profile/profile_engine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace std::string_literals;
using qv::profile::applyWrite;
using qv::profile::Edit;
using qv::profile::lookup;

namespace {

const std::string kBom = "\xEF\xBB\xBF";

TEST(ProfileEngine, LookupFollowsTheObservedRules) {
    // What, bytes, section, key, and the value found.
    using Case =
        std::tuple<const char*, std::string, std::string, std::string, std::optional<std::string>>;
    const Case cases[] = {
        {"case-blind names", "[Tab Z]\r\nButton 1=x\r\n", "tab z", "BUTTON 1", "x"},
        {"a longer key is another", "[S]\r\nk=v\r\n", "S", "k=", std::nullopt},
        {"a longer section is another", "[S]\r\nk=v\r\n", "S]", "k", std::nullopt},
        {"blanks around names and value", "[ Tab 1 ]\r\n  Button 1\t =  x y  \r\n", "Tab 1",
         "Button 1", "x y"},
        {"inner blanks count", "[Tab  2]\r\nk=v\r\n", "Tab 2", "k", std::nullopt},
        {"double quotes", "[S]\r\nk=\"a b\"\r\n", "S", "k", "a b"},
        {"single quotes", "[S]\r\nk='q'\r\n", "S", "k", "q"},
        {"unmatched quotes kept", "[S]\r\nk=\"a'\r\n", "S", "k", "\"a'"},
        {"one quote kept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
        {"first = splits", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        {"line without = is no key", "[S]\r\nk\r\n", "S", "k", std::nullopt},
        {"a ; line is a remark", "[S]\r\n ;k=1\r\n", "S", ";k", std::nullopt},
        {"a # line is a key", "[S]\r\n#h=1\r\n", "S", "#h", "1"},
        {"name runs to the last ]", "[a]b]\r\nk=v\r\n", "a]b", "k", "v"},
        {"text after ] ignored", "[S] ; note\r\nk=v\r\n", "S", "k", "v"},
        // A header without its ']' runs to the line end and starts its section.
        {"[ without ]", "[S]\r\n[A \r\nk=v\r\n", "A", "k", "v"},
        {"[ without ] ends the section before", "[S]\r\n[A\r\nk=v\r\n", "S", "k", std::nullopt},
        {"first of duplicate sections", "[S]\r\nk=1\r\n[s]\r\nk=2\r\nj=3\r\n", "S", "k", "1"},
        {"second duplicate section unseen", "[S]\r\nk=1\r\n[s]\r\nj=3\r\n", "S", "j", std::nullopt},
        {"first of duplicate keys", "[S]\r\nK=1\r\nk=2\r\n", "S", "k", "1"},
        // The lines before the first header are the nameless section, which hides any "[]".
        {"keys before any header", "k=v\r\n[S]\r\n", "S", "k", std::nullopt},
        {"nameless section", "k=1\r\n[A]\r\nk=2\r\n", "", "k", "1"},
        {"nameless section by blanks", kBom + "k=1\r\n", " ", "K", "1"},
        {"nameless section ends at the first header", "[A]\r\nk=2\r\n", "", "k", std::nullopt},
        {"[] hidden", "[]\r\nk=v\r\n", "", "k", std::nullopt},
        {"search stops at next header", "[A]\r\nx=1\r\n[B]\r\nk=v\r\n", "A", "k", std::nullopt},
        {"LF-only file", "[S]\nk=v\n", "S", "k", "v"},
        {"BOM", kBom + "[S]\r\nk=v\r\n", "S", "k", "v"},
        {"no final line end", "[S]\r\nk=v", "S", "k", "v"},
        {"bare CR at the very end", "[S]\r\nk=v\r", "S", "k", "v"},
        // CR, LF and CR LF each end a line, as in the Windows profile functions.
        {"CR-only file", "[T]\rx=1\r[S]\rk=v\r", "S", "k", "v"},
        {"CR-only file, next header ends the section", "[S]\rx=1\r[T]\rk=v\r", "S", "k",
         std::nullopt},
        {"mixed line ends", "[S]\nx=1\r[T]\r\nk=v\n", "T", "k", "v"},
        {"CR inside what looks like a value", "[S]\r\nk=a\rj=b\r\n", "S", "j", "b"},
        {"NUL ends the value", "[S]\r\nk=ab\0cd\r\n"s, "S", "k", "ab"},
        {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
        {"non-ASCII is not folded", "[\xC3\x84]\r\nk=v\r\n", "\xC3\xA4", "k", std::nullopt},
        {"UTF-8 names match exactly", "[\xC3\x84]\r\nk=\xC3\xA9\r\n", "\xC3\x84", "K", "\xC3\xA9"},
    };
    for (const auto& [what, bytes, section, key, expected] : cases) {
        EXPECT_EQ(lookup(bytes, section, key), expected) << what;
    }
}

TEST(ProfileEngine, EditsFollowTheObservedRules) {
    // What, bytes, section, key, value, and the new bytes (or that nothing changed or the edit was
    // refused).
    using Text = std::optional<std::string>;
    using EditCase = std::tuple<const char*, std::string, std::string, Text, Text, std::string>;
    const auto none = std::nullopt;
    const std::string unchanged = "(unchanged)";
    const std::string refused = "(refused)";
    const EditCase cases[] = {
        {"replace keeps the key's spelling", "[Tab 1]\r\nNumber Of Buttons=2\r\n", "TAB 1",
         "NUMBER OF BUTTONS", "3", "[Tab 1]\r\nNumber Of Buttons=3\r\n"},
        {"replace keeps blanks before =", "[S]\r\nk = 1\r\n", "S", "k", "2", "[S]\r\nk =2\r\n"},
        {"replace keeps an LF line end", "[S]\nk=1\nj=2\n", "S", "k", "9", "[S]\nk=9\nj=2\n"},
        {"new key after last key, before blanks", "[A]\r\nk=1\r\n\r\n[B]\r\n", "A", "j", "2",
         "[A]\r\nk=1\r\nj=2\r\n\r\n[B]\r\n"},
        {"new key after a closing remark", "[A]\r\nk=1\r\n;note\r\n[B]\r\n", "a", "j", "2",
         "[A]\r\nk=1\r\n;note\r\nj=2\r\n[B]\r\n"},
        {"new key in an empty section", "[A]\r\n\r\n[B]\r\n", "A", "j", "2",
         "[A]\r\nj=2\r\n\r\n[B]\r\n"},
        // New lines end as the file's lines do.
        {"new key ends in LF in an LF file", "[A]\nk=1\n", "A", "j", "2", "[A]\nk=1\nj=2\n"},
        {"new key ends in CR in a CR file", "[A]\rk=1\r", "A", "j", "2", "[A]\rk=1\rj=2\r"},
        {"new section in a CR file", "[A]\rk=1", "B", "j", "2", "[A]\rk=1\r[B]\rj=2\r"},
        {"replace in a CR file", "[A]\rk=1\rj=2\r", "A", "k", "3", "[A]\rk=3\rj=2\r"},
        {"new key after a last line without end", "[A]\r\nk=1", "A", "j", "2",
         "[A]\r\nk=1\r\nj=2\r\n"},
        {"new section at the end, no blank", "[A]\r\nk=1\r\n", "Tab 4", "Button 1", "x",
         "[A]\r\nk=1\r\n[Tab 4]\r\nButton 1=x\r\n"},
        {"empty file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
        {"BOM-only file", kBom, "S", "k", "v", kBom + "[S]\r\nk=v\r\n"},
        // Names and values are written as given: the scanning operations match them exactly.
        {"names and value written as given", "", "Sp Sec  ", " k ", " v",
         "[Sp Sec  ]\r\n k = v\r\n"},
        {"same value changes nothing", "[S]\r\nk=1\r\n", "s", "K", "1", unchanged},
        {"a hand-formatted line already holding it", "[S]\r\nk = \"v\" \r\n", "S", "k", " v",
         unchanged},
        {"a value read up to its NUL", "[S]\r\nk=ab\0cd\r\n"s, "S", "k", "ab", unchanged},
        {"a value after its NUL is replaced whole", "[S]\r\nk=ab\0cd\r\n"s, "S", "k", "x",
         "[S]\r\nk=x\r\n"},
        {"a ; line is not replaced", "[S]\r\n;k=1\r\n", "S", "k", "2", "[S]\r\n;k=1\r\nk=2\r\n"},
        {"set under a header without ]", "[A \r\nk=1\r\n", "a", "k", "2", "[A \r\nk=2\r\n"},
        // The nameless section lies before the first header; "[]" is never its header.
        {"nameless key replaced", "k=1\r\n[A]\r\nk=2\r\n", "", "k", "3", "k=3\r\n[A]\r\nk=2\r\n"},
        {"new nameless key after the top remark", ";top\r\n\r\n[A]\r\n", "", "k", "1",
         ";top\r\nk=1\r\n\r\n[A]\r\n"},
        {"new nameless key before []", kBom + "[]\r\nk=1\r\n", " ", "k", "2",
         kBom + "k=2\r\n[]\r\nk=1\r\n"},
        {"nameless key in an empty file", "", "", "k", "v", "k=v\r\n"},
        {"delete the nameless section", kBom + "k=1\r\n;r\r\n[A]\r\n", "", none, none,
         kBom + "[A]\r\n"},
        {"delete an empty nameless section", "[A]\r\n", "", none, none, unchanged},
        {"delete a nameless key", "k=1\r\n[A]\r\nk=2\r\n", "", "K", none, "[A]\r\nk=2\r\n"},
        {"a line coming first keeps bytes like a BOM", "k=1\r\n" + kBom + "j=2\r\n", "", "k", none,
         kBom + kBom + "j=2\r\n"},
        {"a first line written starting like a BOM", "", "", kBom + "k", "v",
         kBom + kBom + "k=v\r\n"},
        {"a name followed by a NUL is another", "[S]\r\nk\0=1\r\n"s, "S", "k", "2",
         "[S]\r\nk\0=1\r\nk=2\r\n"s},
        {"first duplicate key replaced", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "3",
         "[S]\r\nk=3\r\nk=2\r\n"},
        {"first duplicate section used", "[S]\r\nk=1\r\n[S]\r\nj=2\r\n", "S", "j", "3",
         "[S]\r\nk=1\r\nj=3\r\n[S]\r\nj=2\r\n"},
        {"deleting the last key keeps the header", "[A]\r\nk=1\r\n", "A", "k", none, "[A]\r\n"},
        {"delete missing key", "[A]\r\nk=1\r\n", "A", "x", none, unchanged},
        {"delete section with its remarks", "[A]\r\nk=1\r\n;r\r\n\r\n[B]\r\nx=1\r\n", "A", none,
         none, "[B]\r\nx=1\r\n"},
        {"delete last section", "[A]\r\nk=1\r\n[B]\r\nx=1", "b", none, none, "[A]\r\nk=1\r\n"},
        {"delete first section keeps BOM", kBom + "[A]\r\nk=1\r\n[B]\r\n", "A", none, none,
         kBom + "[B]\r\n"},
        {"delete with an unsafe name matches nothing", "[A]\r\nk=1\r\n", "A\r\n", "k", none,
         unchanged},
        // Refusals: written raw, these would add lines or change how the line is read back.
        {"value with LF", "[S]\r\n", "S", "k", "a\nb", refused},
        {"value with CR", "[S]\r\n", "S", "k", "a\rb", refused},
        {"value with NUL", "[S]\r\n", "S", "k", "a\0b"s, refused},
        {"key with =", "[S]\r\n", "S", "a=b", "v", refused},
        {"key starting with [", "[S]\r\n", "S", " [x", "v", refused},
        {"key starting with ;", "[S]\r\n", "S", " ;x", "v", refused},
        {"key with LF", "[S]\r\n", "S", "k\nNumber of tabs", "9", refused},
        {"empty key", "[S]\r\n", "S", "  ", "v", refused},
        {"section with ]", "[S]\r\n", "a]b", "k", "v", refused},
        {"section with CR LF", "[S]\r\n", "S]\r\n[Settings", "k", "v", refused},
        {"section with NUL", "[S]\r\n", "S\0x"s, "k", "v", refused},
    };
    for (const auto& [what, bytes, section, key, value, expected] : cases) {
        const auto result = applyWrite(bytes, section, key, value);
        EXPECT_EQ(result.edit == Edit::Changed     ? result.newBytes
                  : result.edit == Edit::Unchanged ? unchanged
                                                   : refused,
                  expected)
            << what;
    }
}

TEST(ProfileEngine, ListsSectionsAndKeysOnceInFileOrder) {
    // Remarks, lines without '=' and empty names are no keys; "[]" is no listed section.
    const std::string bytes = "x=0\r\n[B]\r\nk=1\r\nK=2\r\n;c=1\r\n#h=1\r\nbare\r\n=e\r\nj=3\r\n"
                              "[a]\r\n[]\r\n[b]\r\nz=1\r\n";
    EXPECT_EQ(qv::profile::sectionNames(bytes), (std::vector<std::string>{"B", "a"}));
    EXPECT_EQ(qv::profile::keyNames(bytes, "b"), (std::vector<std::string>{"k", "#h", "j"}));
    EXPECT_EQ(qv::profile::keyNames(bytes, ""), (std::vector<std::string>{"x"}));
    EXPECT_TRUE(qv::profile::keyNames(bytes, "none").empty());
}

} // namespace
