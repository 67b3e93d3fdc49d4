// qv-mklnk: writes a shell-link (.lnk) file for the demo menu.
//   qv-mklnk <out.lnk> <target> [<arguments> [<folder> [<icon.png>]]]
// With an icon picture, a 32 x 32 .ico beside the shortcut becomes its icon location.
#include "tools/lnkwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3 || argc > 6) {
        std::fprintf(stderr,
                     "usage: qv-mklnk <out.lnk> <target> [<arguments> [<folder> [<icon.png>]]]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    qvtest::LnkFields link;
    // The writer stores the base path as 8-bit text: Latin-1 keeps the argument's bytes as given.
    link.localBasePath = QString::fromLatin1(argv[2]);
    if (argc > 3) {
        link.arguments = QString::fromLocal8Bit(argv[3]);
    }
    if (argc > 4) {
        link.workingDirectory = QString::fromLocal8Bit(argv[4]);
    }
    if (argc > 5 && argv[5][0] != '\0') {
        const QImage picture(QString::fromLocal8Bit(argv[5]));
        const QFileInfo info(out);
        const QString ico = info.dir().filePath(info.completeBaseName() + QStringLiteral(".ico"));
        if (picture.isNull() ||
            !picture.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                 .convertToFormat(QImage::Format_ARGB32)
                 .save(ico, "ICO")) {
            std::fprintf(stderr, "qv-mklnk: cannot make an icon from %s\n", argv[5]);
        } else {
            link.iconLocation = ico;
        }
    }
    QFile file(out);
    const QByteArray bytes = qvtest::writeLnk(link);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "qv-mklnk: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
