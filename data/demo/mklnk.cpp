// qv-mklnk: writes a shell-link (.lnk) file for the demo menu.
//   qv-mklnk <out.lnk> <target> [<arguments> [<working directory>]]
#include "tests/student/lnkwriter.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: qv-mklnk <out.lnk> <target> [<arguments> [<folder>]]\n");
        return 2;
    }
    lnkwriter::Link link;
    link.target = argv[2];
    if (argc > 3) {
        link.arguments = QString::fromLocal8Bit(argv[3]);
    }
    if (argc > 4) {
        link.workingDirectory = QString::fromLocal8Bit(argv[4]);
    }
    QFile out(QString::fromLocal8Bit(argv[1]));
    const QByteArray bytes = lnkwriter::write(link);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "qv-mklnk: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
