// A program for the start-facility tests: writes its working directory and each argument,
// NUL-terminated, to the file named by QV_ARGV_LOG (through a rename, so that a reader never
// sees half of it).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    const char* log = std::getenv("QV_ARGV_LOG");
    if (!log) {
        return 2;
    }
    const std::string temp = std::string(log) + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        return 3;
    }
    char cwd[4096];
    const char* here = getcwd(cwd, sizeof cwd) ? cwd : "";
    std::fwrite(here, 1, std::string(here).size() + 1, f);
    for (int i = 0; i < argc; ++i) {
        std::fwrite(argv[i], 1, std::string(argv[i]).size() + 1, f);
    }
    std::fclose(f);
    return std::rename(temp.c_str(), log) == 0 ? 0 : 4;
}
