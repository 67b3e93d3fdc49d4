#include "common/GetFileName.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNameFromPath, GivesTheLastComponent) {
    const std::tuple<const char*, bool, const char*> cases[] = {
        // path, with extension, name
        {"C:\\Apps\\Paint.lnk", false, "Paint"},
        {"C:\\Apps\\Paint.lnk", true, "Paint.lnk"},
        {"/home/pupil/menu/Paint.lnk", false, "Paint"},
        {"/home/pupil/menu/Paint.lnk", true, "Paint.lnk"},
        // Both separators, mixed in one path.
        {"C:\\Apps/Games\\Chess.exe", false, "Chess"},
        {"C:/Apps\\Games/Chess.exe", false, "Chess"},
        // The last four characters go, whatever they are.
        {"C:\\Docs\\readme.txt", false, "readme"},
        {"C:\\Docs\\photo.jpeg", false, "photo."},
        {"C:\\Docs\\Makefile", false, "Make"},
        {"Paint.lnk", false, "Paint"},
        {"My Computer.lnk", false, "My Computer"},
        {"C:\\Spiele\\Schäfer Größe.exe", false, "Schäfer Größe"},
        // A trailing separator names the folder before it.
        {R"(C:\Apps\Games\)", true, "Games"},
        {R"(C:\Apps\Games\)", false, "G"},
        {"/usr/share//", true, "share"},
        // Names of four characters or fewer are kept whole, so a caption is never blank.
        {"C:\\a.lnk", false, "a"},
        {"C:\\.lnk", false, ".lnk"},
        {"C:\\abc", false, "abc"},
        {"/x/ab", false, "ab"},
        {"C:\\abcd", false, "abcd"},
        {"C:\\abcde", false, "a"},
        {"x", false, "x"},
        // Nothing to name.
        {"", false, ""},
        {"", true, ""},
        {"\\", false, ""},
        {"/", true, ""},
    };
    for (const auto& [path, withExtension, expected] : cases) {
        EXPECT_EQ(qv::FileNameFromPath(QString::fromUtf8(path), withExtension),
                  QString::fromUtf8(expected))
            << path << " withExtension=" << withExtension;
    }
}

} // namespace
