#include "common/GetFileName.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* path;
    bool withExtension;
    const char* expected;
};

class FileNameFromPathTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNameFromPathTest, GivesLastComponent) {
    const NameCase& c = GetParam();
    EXPECT_EQ(qv::FileNameFromPath(QString::fromUtf8(c.path), c.withExtension),
              QString::fromUtf8(c.expected))
        << c.path << " withExtension=" << c.withExtension;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileNameFromPathTest,
    ::testing::Values(
        NameCase{"C:\\Apps\\Paint.lnk", false, "Paint"},
        NameCase{"C:\\Apps\\Paint.lnk", true, "Paint.lnk"},
        NameCase{"/home/pupil/menu/Paint.lnk", false, "Paint"},
        NameCase{"/home/pupil/menu/Paint.lnk", true, "Paint.lnk"},
        // Both separators, mixed in one path.
        NameCase{"C:\\Apps/Games\\Chess.exe", false, "Chess"},
        NameCase{"C:/Apps\\Games/Chess.exe", false, "Chess"},
        // The last four characters go, whatever they are.
        NameCase{"C:\\Docs\\readme.txt", false, "readme"},
        NameCase{"C:\\Docs\\photo.jpeg", false, "photo."},
        NameCase{"C:\\Docs\\Makefile", false, "Make"}, NameCase{"Paint.lnk", false, "Paint"},
        NameCase{"My Computer.lnk", false, "My Computer"},
        NameCase{"C:\\Spiele\\Schäfer Größe.exe", false, "Schäfer Größe"},
        // A trailing separator names the folder before it.
        NameCase{"C:\\Apps\\Games\\", true, "Games"}, NameCase{"C:\\Apps\\Games\\", false, "G"},
        NameCase{"/usr/share//", true, "share"},
        // Names of four characters or fewer are kept whole, so a caption is never blank.
        NameCase{"C:\\a.lnk", false, "a"}, NameCase{"C:\\.lnk", false, ".lnk"},
        NameCase{"C:\\abc", false, "abc"}, NameCase{"/x/ab", false, "ab"},
        NameCase{"C:\\abcd", false, "abcd"}, NameCase{"C:\\abcde", false, "a"},
        NameCase{"x", false, "x"},
        // Nothing to name.
        NameCase{"", false, ""}, NameCase{"", true, ""}, NameCase{"\\", false, ""},
        NameCase{"/", true, ""}));

} // namespace
